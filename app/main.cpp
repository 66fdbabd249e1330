#include "context/SessionContext.h"
#include "mainwindow/MainWindowEntry.h"
#include "reports/ReportsSchema.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornaly Servis Yazılımı"));
    QApplication::setOrganizationName(QStringLiteral("Dolmavik"));
    tornaly::reports::RegisterSchema();

    tornaly::SessionContext ctx;
    return tornaly::RunMainWindow(ctx);
}
