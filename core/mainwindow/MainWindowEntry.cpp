#include "mainwindow/MainWindowEntry.h"
#include "context/SessionContext.h"
#include "mainwindow/A_Pro.h"

#include <QApplication>

namespace tornaly {

int RunMainWindow(SessionContext& ctx)
{
    TAnaForm AnaForm(ctx);
    AnaForm.showMaximized();
    return QApplication::exec();
}

} // namespace tornaly
