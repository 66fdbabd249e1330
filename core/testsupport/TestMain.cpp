#include "login/PasswordHash.h"
#include "guard/FormGuard.h"
#include "controls/Arayuz.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test program runs with the offscreen platform and a settings folder
// of its own, so that no test reads or writes the user's settings.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("TORNALY_CONFIG_DIR", configDir.path().toUtf8());
    // Never the user's desktop keyring: secrets go to the settings folder.
    qputenv("TORNALY_SECRET_STORE", "file");
    // Logins hash at a test strength: hundreds of thousands of iterations per
    // login would make every fixture slow. The strength itself has its own test.
    tornaly::SetPasswordIterations(1000);
    // The same last-resort guard as the program, so tests see what users see.
    tornaly::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornaly"));
    tornaly::ArayuzuHazirla(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
