#include "connection/ConnectionSettings.h"
#include "context/SessionContext.h"
#include "controls/Arayuz.h"
#include "db/DbError.h"
#include "guard/FormGuard.h"
#include "mainwindow/MainWindowEntry.h"
#include "messages/Messages.h"
#include "reports/ReportsEntry.h"
#include "reports/ReportsSchema.h"
#include "startup/EmbeddedDemo.h"
#include "startup/FirstSetup.h"
#include "startup/Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The first set-up of a PostgreSQL server runs on the terminal, with no display.
    if (argc > 1 && qstrcmp(argv[1], "--ilk-kurulum") == 0) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Tornaly Servis Yazılımı"));
        QCoreApplication::setOrganizationName(QStringLiteral("Dolmavik"));
        tornaly::reports::RegisterSchema();
        return tornaly::IlkKurulumKomutu();
    }
    // An error no form caught is reported, never the end of the program.
    tornaly::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornaly Servis Yazılımı"));
    QApplication::setOrganizationName(QStringLiteral("Dolmavik"));
    tornaly::ArayuzuHazirla(app);
    tornaly::reports::RegisterSchema();
    tornaly::reports::RegisterEntryPoints();

    // A first run on a workstation with no server gets the embedded demo.
    try {
        tornaly::EnsureEmbeddedDemo(tornaly::KalvesaIniPath(), tornaly::EmbeddedDataFolder());
    } catch (const tornaly::DbError& e) {
        tornaly::ShowError(e.text());
    }

    tornaly::SessionContext ctx;
    tornaly::TStartup startup(ctx);
    int exitCode = 0;
    startup.run([](tornaly::SessionContext& c) { return tornaly::RunMainWindow(c); }, &exitCode);
    startup.freeDataModule();
    return exitCode;
}
