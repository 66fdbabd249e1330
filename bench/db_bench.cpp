// Database layer costs, each beside what the engine's own client library does
// on the same connection in the same run:
// - 10,000 ledger-like rows in one transaction: one posting per row through the
//   layer (a Query per row, as postings run), the layer's batch path, plain Qt
//   prepared statements, the sqlite3 C API, and libpq one row per round trip
//   and with COPY;
// - counter numbers per second on wall time, 1 and 8 threads, through the
//   layer and as the bare statement.
#include "BenchSupport.h"
#include "counters/Counters.h"
#include "db/BatchInsert.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <mutex>
#include <QThread>
#include <sqlite3.h>

using namespace tornaly;

namespace {

const QStringList kColumns{QStringLiteral("CARI_NO"), QStringLiteral("CARI_KOD"), QStringLiteral("TARIH"),
                           QStringLiteral("CRHRK_TUR"), QStringLiteral("REF_NO"), QStringLiteral("ACIKLAMA"),
                           QStringLiteral("BORC"), QStringLiteral("ALACAK"), QStringLiteral("DVZ_BORC"),
                           QStringLiteral("KUR"), QStringLiteral("PARA_BAZ")};
const QString kInsert = QStringLiteral(
    "INSERT INTO HRK (CARI_NO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, ACIKLAMA, BORC, ALACAK, DVZ_BORC, KUR, PARA_BAZ) "
    "VALUES (:CARI_NO, :CARI_KOD, :TARIH, :CRHRK_TUR, :REF_NO, :ACIKLAMA, :BORC, :ALACAK, :DVZ_BORC, :KUR, :PARA_BAZ)");
constexpr int kRows = 10000;

// One database for the whole run; each thread has its own connection to it.
struct BenchDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    BenchDb()
    {
        profile = BenchProfile(dir.path(), QStringLiteral("db"));
        CreateDatabase(profile, DatabaseKind::Company);
        Db db = Db::open(profile, QStringLiteral("bench_setup"));
        db.exec(QStringLiteral("CREATE TABLE NEWBENCH (YENINO DOUBLE PRECISION)"));
        db.exec(QStringLiteral("INSERT INTO NEWBENCH VALUES (1)"));
        db.exec(QStringLiteral("CREATE TABLE NEWBARE (YENINO DOUBLE PRECISION)"));
        db.exec(QStringLiteral("INSERT INTO NEWBARE VALUES (1)"));
        db.exec(QStringLiteral(
            "CREATE TABLE HRK (CARI_NO DOUBLE PRECISION, CARI_KOD VARCHAR(20), TARIH TIMESTAMP, CRHRK_TUR VARCHAR(1), "
            "REF_NO DOUBLE PRECISION, ACIKLAMA VARCHAR(60), BORC DOUBLE PRECISION, ALACAK DOUBLE PRECISION, "
            "DVZ_BORC DOUBLE PRECISION, KUR DOUBLE PRECISION, PARA_BAZ VARCHAR(1))"));
        db = Db();
        Db::close(QStringLiteral("bench_setup"));
    }
};

BenchDb& bench()
{
    static BenchDb* b = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        b = new BenchDb;
        AtBenchEnd([] {
            const ConnectionProfile p = b->profile;
            delete b;
            DropDatabase(p);
        });
    });
    return *b;
}

// The calling thread's own connection, open for the rest of the run.
Db connection(int thread)
{
    const QString name = QStringLiteral("bench_%1").arg(thread);
    Db db = Db::attach(name);
    if (!db.isValid()) {
        db = Db::open(bench().profile, name);
        AtBenchEnd([name] { Db::close(name); });
    }
    return db;
}

// A connection for one thread of one run (benchmark threads are new each run,
// and Qt keeps a connection to the thread that opened it).
struct ThreadConnection {
    QString name;
    Db db;
    explicit ThreadConnection(const benchmark::State& state)
        : name(QStringLiteral("bench_thread_%1").arg(state.thread_index()))
    {
        db = Db::open(bench().profile, name);
    }
    ~ThreadConnection()
    {
        db = Db();
        Db::close(name);
    }
};

const QDateTime kWhen(QDate(2026, 5, 1), QTime(10, 0));

void rollbackRows(benchmark::State& state, Transaction& tx)
{
    state.PauseTiming();
    tx.rollback();
    state.ResumeTiming();
}

void BM_Insert10k_Layer(benchmark::State& state)
{
    Db db = connection(0);
    for (auto _ : state) {
        Transaction tx(db);
        for (int i = 0; i < kRows; ++i) {
            Query q(db, kInsert); // every posting builds its statement; the connection keeps it prepared
            q.bind(QStringLiteral("CARI_NO"), double(i))
                .bind(QStringLiteral("CARI_KOD"), QStringLiteral("120.01.%1").arg(i % 500))
                .bind(QStringLiteral("TARIH"), kWhen)
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
        rollbackRows(state, tx);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Insert10k_Layer)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Insert10k_LayerBatch(benchmark::State& state)
{
    Db db = connection(0);
    for (auto _ : state) {
        Transaction tx(db);
        BatchInsert b(db, QStringLiteral("HRK"), kColumns);
        for (int i = 0; i < kRows; ++i) {
            b.value(double(i))
                .value(QStringLiteral("120.01.%1").arg(i % 500))
                .value(kWhen)
                .value(QStringLiteral("F"))
                .value(double(i))
                .value(QStringLiteral("Satış faturası"))
                .value(100.25 + i)
                .value(0.0)
                .value(2.5)
                .value(40.1)
                .value(QStringLiteral("T"));
            b.endRow();
        }
        b.flush();
        rollbackRows(state, tx);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Insert10k_LayerBatch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Insert10k_PlainQt(benchmark::State& state)
{
    Db db = connection(0);
    QSqlDatabase sql = db.sql();
    const QString when = QStringLiteral("2026-05-01 10:00:00.000");
    for (auto _ : state) {
        Transaction tx(db);
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
        q.finish();
        rollbackRows(state, tx);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Insert10k_PlainQt)->Unit(benchmark::kMillisecond)->UseRealTime();

void* nativeHandle(const Db& db)
{
    const QVariant h = db.sql().driver()->handle();
    return *static_cast<void* const*>(h.constData());
}

void BM_Insert10k_CApi(benchmark::State& state)
{
    Db db = connection(0);
    if (db.backend() != Backend::SQLite) {
        state.SkipWithError("SQLite only");
        return;
    }
    auto* h = static_cast<sqlite3*>(nativeHandle(db));
    const QByteArray sql = "INSERT INTO HRK (CARI_NO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, ACIKLAMA, BORC, ALACAK, "
                           "DVZ_BORC, KUR, PARA_BAZ) VALUES (?,?,?,?,?,?,?,?,?,?,?)";
    const QByteArray aciklama = QStringLiteral("Satış faturası").toUtf8();
    for (auto _ : state) {
        Transaction tx(db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
        for (int i = 0; i < kRows; ++i) {
            const QByteArray kod = QByteArray("120.01.") + QByteArray::number(i % 500);
            sqlite3_bind_double(st, 1, double(i));
            sqlite3_bind_text(st, 2, kod.constData(), int(kod.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, "2026-05-01 10:00:00.000", 23, SQLITE_STATIC);
            sqlite3_bind_text(st, 4, "F", 1, SQLITE_STATIC);
            sqlite3_bind_double(st, 5, double(i));
            sqlite3_bind_text(st, 6, aciklama.constData(), int(aciklama.size()), SQLITE_STATIC);
            sqlite3_bind_double(st, 7, 100.25 + i);
            sqlite3_bind_double(st, 8, 0.0);
            sqlite3_bind_double(st, 9, 2.5);
            sqlite3_bind_double(st, 10, 40.1);
            sqlite3_bind_text(st, 11, "T", 1, SQLITE_STATIC);
            if (sqlite3_step(st) != SQLITE_DONE)
                state.SkipWithError(sqlite3_errmsg(h));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        rollbackRows(state, tx);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Insert10k_CApi)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Insert10k_Libpq(benchmark::State& state)
{
    Db db = connection(0);
    if (db.backend() != Backend::PostgreSQL) {
        state.SkipWithError("PostgreSQL only");
        return;
    }
    auto* conn = static_cast<PGconn*>(nativeHandle(db));
    PQclear(PQprepare(conn, "bench_ins",
                      "INSERT INTO HRK (CARI_NO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, ACIKLAMA, BORC, ALACAK, DVZ_BORC, "
                      "KUR, PARA_BAZ) VALUES ($1,$2,$3,$4,$5,$6,$7,$8,$9,$10,$11)",
                      11, nullptr));
    const QByteArray aciklama = QStringLiteral("Satış faturası").toUtf8();
    for (auto _ : state) {
        Transaction tx(db);
        for (int i = 0; i < kRows; ++i) {
            const QByteArray no = QByteArray::number(i), kod = "120.01." + QByteArray::number(i % 500),
                             borc = QByteArray::number(100.25 + i, 'g', 17);
            const char* v[11] = {no.constData(), kod.constData(), "2026-05-01 10:00:00.000", "F", no.constData(),
                                 aciklama.constData(), borc.constData(), "0", "2.5", "40.1", "T"};
            PGresult* r = PQexecPrepared(conn, "bench_ins", 11, v, nullptr, nullptr, 0);
            if (PQresultStatus(r) != PGRES_COMMAND_OK)
                state.SkipWithError(PQresultErrorMessage(r));
            PQclear(r);
        }
        rollbackRows(state, tx);
    }
    PQclear(PQexec(conn, "DEALLOCATE bench_ins"));
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Insert10k_Libpq)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Insert10k_LibpqCopy(benchmark::State& state)
{
    Db db = connection(0);
    if (db.backend() != Backend::PostgreSQL) {
        state.SkipWithError("PostgreSQL only");
        return;
    }
    auto* conn = static_cast<PGconn*>(nativeHandle(db));
    const QByteArray aciklama = QStringLiteral("Satış faturası").toUtf8();
    for (auto _ : state) {
        Transaction tx(db);
        QByteArray data;
        data.reserve(kRows * 96);
        for (int i = 0; i < kRows; ++i) {
            data += QByteArray::number(i) + "\t120.01." + QByteArray::number(i % 500) + "\t2026-05-01 10:00:00.000\tF\t"
                + QByteArray::number(i) + '\t' + aciklama + '\t' + QByteArray::number(100.25 + i, 'g', 17)
                + "\t0\t2.5\t40.1\tT\n";
        }
        PQclear(PQexec(conn, "COPY HRK (CARI_NO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, ACIKLAMA, BORC, ALACAK, "
                             "DVZ_BORC, KUR, PARA_BAZ) FROM STDIN"));
        PQputCopyData(conn, data.constData(), int(data.size()));
        PQputCopyEnd(conn, nullptr);
        while (PGresult* r = PQgetResult(conn))
            PQclear(r);
        rollbackRows(state, tx);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Insert10k_LibpqCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Counter numbers through the layer: rates on wall time (items_per_second),
// every thread on its own connection as workstations are.
void BM_CounterTake(benchmark::State& state)
{
    ThreadConnection c(state);
    const Db& db = c.db;
    for (auto _ : state)
        benchmark::DoNotOptimize(TakeCounterNumber(db, QStringLiteral("NEWBENCH")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CounterTake)->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(8);

// The bare statement on the engine's own client library.
void BM_CounterBare(benchmark::State& state)
{
    ThreadConnection c(state);
    const Db& db = c.db;
    const char* sql = "UPDATE NEWBARE SET YENINO = YENINO + 1 RETURNING YENINO - 1";
    if (db.backend() == Backend::PostgreSQL) {
        auto* conn = static_cast<PGconn*>(nativeHandle(db));
        for (auto _ : state) {
            PGresult* r = PQexec(conn, sql);
            benchmark::DoNotOptimize(PQgetvalue(r, 0, 0));
            PQclear(r);
        }
    } else {
        auto* h = static_cast<sqlite3*>(nativeHandle(db));
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, sql, -1, &st, nullptr);
        for (auto _ : state) {
            int rc;
            while ((rc = sqlite3_step(st)) == SQLITE_BUSY)
                sqlite3_reset(st);
            benchmark::DoNotOptimize(sqlite3_column_double(st, 0));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CounterBare)->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(8);

} // namespace
