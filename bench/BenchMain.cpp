#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Benchmarks run with the offscreen platform and a private settings folder.
// The backend is chosen like the tests': TORNALY_TEST_BACKEND=sqlite|postgres.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("TORNALY_CONFIG_DIR", configDir.path().toUtf8());
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
