// The vehicle picker over 100,000 vehicles: a search by the last digits of a
// chassis number and by part of a plate, through the vehicle list's own
// statement and through a bare prepared statement with the same text, so the
// layer's share shows. On PostgreSQL the plan of each search is printed once.
#include "workshop/WorkshopSchema.h"
#include "workshop/vehicles/Vehicles.h"
#include "EngineRef.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

constexpr int kVehicles = 100000;

struct VehicleDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = QStringLiteral("vehiclebench");
    Db db;
    VehicleDb()
    {
        workshop::RegisterSchema();
        if (qEnvironmentVariable("TORNALY_TEST_BACKEND") == QLatin1String("postgres"))
            profile = ConnectionProfile::postgres(qEnvironmentVariable("TORNALY_TEST_PGHOST"),
                                                  qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT"),
                                                  QStringLiteral("bench_vehicles_") + QUuid::createUuid().toString(QUuid::Id128).left(10),
                                                  qEnvironmentVariable("TORNALY_TEST_PGUSER"));
        else
            profile = ConnectionProfile::sqlite(dir.path() + QStringLiteral("/vehicles.sqlite"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        db.exec(QStringLiteral("INSERT INTO MODEL (ARC_MODEL_KODU, ARC_MODEL_ADI, MARKA, MODEL, OZEL1) "
                               "VALUES ('VRN16', 'VARNEK 1.6', 'VARNEK', 'SEDAN', 'VS1')"));
        // Chassis numbers "VNK1SED20" + 8 digits, plates "34" + three letters + number.
        Query q(db, QStringLiteral(
                        "INSERT INTO ARAC (SASE_NO, MOTOR_NO, PLAKA, ARC_MODEL_KODU, ARC_MODEL_TRH) "
                        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :ROWS) "
                        "SELECT 'VNK1SED20' || SUBSTR(CAST(100000000 + I * 7919 % 99999989 AS VARCHAR(12)), 2, 8), "
                        "'M' || CAST(I AS VARCHAR(10)), "
                        "CAST(10 + I % 71 AS VARCHAR(3)) || SUBSTR('ABCDEFGHJKLMNPRSTUVYZ', 1 + I % 21, 1) || "
                        "SUBSTR('ABCDEFGHJKLMNPRSTUVYZ', 1 + I / 21 % 21, 1) || CAST(100 + I % 9877 AS VARCHAR(5)), "
                        "'VRN16', 2024 FROM N"));
        q.bind(QStringLiteral("ROWS"), kVehicles).exec();
        db.exec(db.backend() == Backend::PostgreSQL ? QStringLiteral("ANALYZE ARAC") : QStringLiteral("ANALYZE"));
    }
    ~VehicleDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

VehicleDb* g_db = nullptr;

VehicleDb& vehicles()
{
    if (!g_db) {
        g_db = new VehicleDb;
        // Dropped while the application object still lives.
        qAddPostRoutine([] {
            delete g_db;
            g_db = nullptr;
        });
    }
    return *g_db;
}

void printPlan(const Db& db, const AracListeSorgusu& s, const char* what)
{
    if (db.backend() != Backend::PostgreSQL)
        return;
    static QStringList shown;
    if (shown.contains(QString::fromLatin1(what)))
        return;
    shown << QString::fromLatin1(what);
    // EXPLAIN takes no parameters: the benchmark's own constant goes in as text.
    QString text = s.statement;
    QString value = s.binds.value(QStringLiteral("ARANAN")).toString();
    value.replace(QLatin1Char('\''), QStringLiteral("''"));
    text.replace(QStringLiteral(":ARANAN"), QLatin1Char('\'') + value + QLatin1Char('\''));
    QSqlQuery q(db.sql());
    q.exec(QStringLiteral("EXPLAIN ") + text);
    std::fprintf(stderr, "-- plan: %s\n", what);
    while (q.next())
        std::fprintf(stderr, "   %s\n", qPrintable(q.value(0).toString()));
}

void runLayer(benchmark::State& state, AracAramaAlani alan, const QString& typed, const char* what)
{
    VehicleDb& v = vehicles();
    const AracListeSorgusu s = AracAramaSorgu(v.db, alan, typed);
    printPlan(v.db, s, what);
    qint64 rows = 0;
    for (auto _ : state) {
        Query q(v.db, s.statement);
        q.bindAll(s.binds).exec();
        while (q.next())
            ++rows;
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

void runBare(benchmark::State& state, AracAramaAlani alan, const QString& typed)
{
    VehicleDb& v = vehicles();
    const AracListeSorgusu s = AracAramaSorgu(v.db, alan, typed);
    QSqlQuery q(v.db.sql());
    q.setForwardOnly(true);
    q.prepare(s.statement);
    qint64 rows = 0;
    for (auto _ : state) {
        q.bindValue(QStringLiteral(":ARANAN"), s.binds.value(QStringLiteral("ARANAN")));
        q.exec();
        while (q.next())
            ++rows;
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

// The engine's own client: the same statement prepared once.
void runEngine(benchmark::State& state, AracAramaAlani alan, const QString& typed)
{
    VehicleDb& v = vehicles();
    const AracListeSorgusu s = AracAramaSorgu(v.db, alan, typed);
    Engine e(v.db);
    EngineQuery q(e, s.statement);
    qint64 rows = 0;
    for (auto _ : state) {
        q.bindAll(s.binds);
        q.exec();
        rows += q.readAll();
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

void BM_ChassisLastDigits_Engine(benchmark::State& s) { runEngine(s, AracAramaAlani::Sase, QStringLiteral("4567")); }
void BM_Plate_Engine(benchmark::State& s) { runEngine(s, AracAramaAlani::Plaka, QStringLiteral("34 ab")); }
void BM_ChassisLastDigits_Layer(benchmark::State& s) { runLayer(s, AracAramaAlani::Sase, QStringLiteral("4567"), "chassis"); }
void BM_ChassisLastDigits_Bare(benchmark::State& s) { runBare(s, AracAramaAlani::Sase, QStringLiteral("4567")); }
void BM_Plate_Layer(benchmark::State& s) { runLayer(s, AracAramaAlani::Plaka, QStringLiteral("34 ab"), "plate"); }
void BM_Plate_Bare(benchmark::State& s) { runBare(s, AracAramaAlani::Plaka, QStringLiteral("34 ab")); }

} // namespace

BENCHMARK(BM_ChassisLastDigits_Layer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChassisLastDigits_Bare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plate_Layer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plate_Bare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChassisLastDigits_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plate_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
