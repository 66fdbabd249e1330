#include "mainwindow/MainWindowEntry.h"
#include "context/SessionContext.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

namespace tornaly {

// A plain window until the main window proper exists.
int RunMainWindow(SessionContext&)
{
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tornaly Servis Yazılımı"));
    auto* label = new QLabel(QStringLiteral("Tornaly Servis Yazılımı"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(1024, 700);
    window.show();
    return QApplication::exec();
}

} // namespace tornaly
