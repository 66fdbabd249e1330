#include "guard/FormGuard.h"

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
    // The same last-resort guard as the program, so tests see what users see.
    tornaly::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tornaly"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
