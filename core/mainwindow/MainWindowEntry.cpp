#include "mainwindow/MainWindowEntry.h"
#include "context/SessionContext.h"
#include "dialogs/WebBrowser.h"
#include "mainwindow/A_Pro.h"
#include "util/WebPages.h"

#include <QApplication>

namespace tornaly {

int RunMainWindow(SessionContext& ctx)
{
    TAnaForm AnaForm(ctx);
    // The dealer's web pages that want the login get the session's.
    SetWebPageOpener([&ctx](const WebPageCall& call) {
        OpenWebPage(ctx, call.address, call.parameters, call.method, call.appendLogin);
    });
    AnaForm.showMaximized();
    const int result = QApplication::exec();
    SetWebPageOpener({});
    return result;
}

} // namespace tornaly
