// Database layer costs: counter numbers per second, and 10,000 ledger-like
// rows inserted in one transaction through the layer versus plain Qt
// prepared statements on the same connection.
#include "counters/Counters.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QSqlError>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>

using namespace tornaly;

namespace {

ConnectionProfile benchProfile(const QString& dir)
{
    const QString backend = qEnvironmentVariable("TORNALY_TEST_BACKEND");
    if (backend == QLatin1String("postgres")) {
        const QString name = QStringLiteral("bench_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
        return ConnectionProfile::postgres(qEnvironmentVariable("TORNALY_TEST_PGHOST"),
                                           qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT"), name,
                                           qEnvironmentVariable("TORNALY_TEST_PGUSER"));
    }
    return ConnectionProfile::sqlite(dir + QStringLiteral("/bench.sqlite"));
}

struct BenchDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    Db db;
    BenchDb()
    {
        profile = benchProfile(dir.path());
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, QStringLiteral("bench"));
        db.exec(QStringLiteral("CREATE TABLE NEWBENCH (YENINO DOUBLE PRECISION)"));
        db.exec(QStringLiteral("INSERT INTO NEWBENCH VALUES (1)"));
        db.exec(QStringLiteral(
            "CREATE TABLE HRK (CARI_NO DOUBLE PRECISION, CARI_KOD VARCHAR(20), TARIH TIMESTAMP, CRHRK_TUR VARCHAR(1), "
            "REF_NO DOUBLE PRECISION, ACIKLAMA VARCHAR(60), BORC DOUBLE PRECISION, ALACAK DOUBLE PRECISION, "
            "DVZ_BORC DOUBLE PRECISION, KUR DOUBLE PRECISION, PARA_BAZ VARCHAR(1))"));
    }
    ~BenchDb()
    {
        db = Db();
        Db::close(QStringLiteral("bench"));
        DropDatabase(profile);
    }
};

const QString kInsert = QStringLiteral(
    "INSERT INTO HRK (CARI_NO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, ACIKLAMA, BORC, ALACAK, DVZ_BORC, KUR, PARA_BAZ) "
    "VALUES (:CARI_NO, :CARI_KOD, :TARIH, :CRHRK_TUR, :REF_NO, :ACIKLAMA, :BORC, :ALACAK, :DVZ_BORC, :KUR, :PARA_BAZ)");
constexpr int kRows = 10000;

void BM_CounterTake(benchmark::State& state)
{
    BenchDb b;
    for (auto _ : state)
        benchmark::DoNotOptimize(TakeCounterNumber(b.db, QStringLiteral("NEWBENCH")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CounterTake)->Unit(benchmark::kMicrosecond);

void BM_InsertThroughLayer(benchmark::State& state)
{
    BenchDb b;
    const QDateTime when(QDate(2026, 5, 1), QTime(10, 0));
    for (auto _ : state) {
        Transaction tx(b.db);
        Query q(b.db, kInsert);
        for (int i = 0; i < kRows; ++i) {
            q.bind(QStringLiteral("CARI_NO"), double(i))
                .bind(QStringLiteral("CARI_KOD"), QStringLiteral("120.01.%1").arg(i % 500))
                .bind(QStringLiteral("TARIH"), when)
                .bind(QStringLiteral("CRHRK_TUR"), QStringLiteral("F"))
                .bind(QStringLiteral("REF_NO"), double(i))
                .bind(QStringLiteral("ACIKLAMA"), QStringLiteral("Satış faturası"))
                .bind(QStringLiteral("BORC"), 100.25 + i)
                .bind(QStringLiteral("ALACAK"), 0.0)
                .bind(QStringLiteral("DVZ_BORC"), 2.5)
                .bind(QStringLiteral("KUR"), 40.1)
                .bind(QStringLiteral("PARA_BAZ"), QStringLiteral("T"))
                .exec();
        }
        state.PauseTiming();
        tx.rollback();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_InsertThroughLayer)->Unit(benchmark::kMillisecond);

void BM_InsertPlainQt(benchmark::State& state)
{
    BenchDb b;
    QSqlDatabase sql = b.db.sql();
    const QString when = QStringLiteral("2026-05-01 10:00:00.000");
    for (auto _ : state) {
        QSqlQuery begin(sql);
        begin.exec(b.profile.backend == Backend::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
        QSqlQuery q(sql);
        q.prepare(kInsert);
        for (int i = 0; i < kRows; ++i) {
            q.bindValue(QStringLiteral(":CARI_NO"), double(i));
            q.bindValue(QStringLiteral(":CARI_KOD"), QStringLiteral("120.01.%1").arg(i % 500));
            q.bindValue(QStringLiteral(":TARIH"), when);
            q.bindValue(QStringLiteral(":CRHRK_TUR"), QStringLiteral("F"));
            q.bindValue(QStringLiteral(":REF_NO"), double(i));
            q.bindValue(QStringLiteral(":ACIKLAMA"), QStringLiteral("Satış faturası"));
            q.bindValue(QStringLiteral(":BORC"), 100.25 + i);
            q.bindValue(QStringLiteral(":ALACAK"), 0.0);
            q.bindValue(QStringLiteral(":DVZ_BORC"), 2.5);
            q.bindValue(QStringLiteral(":KUR"), 40.1);
            q.bindValue(QStringLiteral(":PARA_BAZ"), QStringLiteral("T"));
            if (!q.exec())
                state.SkipWithError(q.lastError().text().toUtf8().constData());
        }
        state.PauseTiming();
        QSqlQuery(sql).exec(QStringLiteral("ROLLBACK"));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_InsertPlainQt)->Unit(benchmark::kMillisecond);

} // namespace
