#include "BenchSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
std::vector<std::function<void()>>& cleanups()
{
    static std::vector<std::function<void()>> c;
    return c;
}
} // namespace

void AtBenchEnd(std::function<void()> cleanup)
{
    cleanups().push_back(std::move(cleanup));
}

void RunBenchEnd()
{
    auto& c = cleanups();
    while (!c.empty()) {
        auto f = std::move(c.back());
        c.pop_back();
        try {
            f();
        } catch (...) {
        }
    }
}

tornaly::ConnectionProfile BenchProfile(const QString& folder, const QString& tag)
{
    using tornaly::ConnectionProfile;
    if (qEnvironmentVariable("TORNALY_TEST_BACKEND") == QLatin1String("postgres")) {
        const QString name = QStringLiteral("bench_") + tag.toLower()
            + QUuid::createUuid().toString(QUuid::Id128).left(10);
        return ConnectionProfile::postgres(qEnvironmentVariable("TORNALY_TEST_PGHOST"),
                                           qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT"), name,
                                           qEnvironmentVariable("TORNALY_TEST_PGUSER"));
    }
    return ConnectionProfile::sqlite(folder + QStringLiteral("/") + tag + QStringLiteral(".sqlite"));
}

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
    RunBenchEnd();
    return 0;
}
