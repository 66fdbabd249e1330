// The browse form over the current-account ledger: how long a list of
// 200,000 ledger rows takes from opening to its first page (rows are read a
// page at a time on both backends, not all at once), with and without its
// totals footer, the next page, reading every row, and the balance of one
// account among 1,000,000 rows; a page near the end of the list beside the
// first page of the same size, and the memory the held rows take beside what
// their values weigh. Each beside the engine's own client (sqlite3, libpq)
// reading the same rows by keyset with a statement prepared once.
#include "BenchSupport.h"
#include "EngineRef.h"
#include "accounts/AccountsSchema.h"
#include "accounts/ledger/CariHrk.h"
#include "browse/brListe.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tornaly;

namespace {

constexpr int kAccounts = 5000;

// A company database whose ledger holds `rows` rows spread over kAccounts accounts.
struct LedgerDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name;
    Db db;
    explicit LedgerDb(int rows)
    {
        accounts::RegisterSchema();
        name = QStringLiteral("ledger%1").arg(rows);
        profile = BenchProfile(dir.path(), name);
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        // History is not what is measured; filling a million rows through it is slow.
        if (db.backend() == Backend::SQLite) {
            for (const char* t : {"CLOG_CARIHRK_INS", "CLOG_CARIHRK_UPD", "CLOG_CARIHRK_DEL"})
                db.exec(QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(t)));
        } else {
            db.exec(QStringLiteral("DROP TRIGGER CLOG_CARIHRK_TRG ON CARIHRK"));
        }
        Query q(db, QStringLiteral(
                        "INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, BORC, ALACAK, "
                        "DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, ACIKLAMA, AY, YIL) "
                        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :ROWS) "
                        "SELECT I, 1, 'C' || CAST(I % :ACC AS VARCHAR(10)), :TARIH, 'S', I, "
                        "CASE WHEN I % 3 = 0 THEN 0 ELSE 100.25 + I % 97 END, "
                        "CASE WHEN I % 3 = 0 THEN 80.5 ELSE 0 END, 'TL', 'T', 1, 'Satış faturası', 5, 2026 FROM N"));
        q.bind(QStringLiteral("ROWS"), rows).bind(QStringLiteral("ACC"), kAccounts)
            .bind(QStringLiteral("TARIH"), QDateTime(QDate(2026, 5, 1), QTime(10, 0)));
        q.exec();
        if (db.backend() == Backend::PostgreSQL)
            db.exec(QStringLiteral("ANALYZE CARIHRK"));
    }
    ~LedgerDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

LedgerDb& ledger(int rows)
{
    static std::map<int, std::unique_ptr<LedgerDb>> dbs;
    auto& p = dbs[rows];
    if (!p) {
        p = std::make_unique<LedgerDb>(rows);
        // Closed and dropped before the application object goes.
        AtBenchEnd([rows] { dbs.erase(rows); });
    }
    return *p;
}

// The ledger browse as a form opens it: its own order, the key settling ties.
void setUpLedgerBrowse(TFormListeBr& form)
{
    form.TableBrSql.lines = {QStringLiteral("SELECT CARI_NO, SIRANO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, BORC, "
                                            "ALACAK, ACIKLAMA"),
                             QStringLiteral("FROM CARIHRK"), QStringLiteral("WHERE 1=1"), QString(),
                             QStringLiteral("ORDER BY CARI_KOD, TARIH")};
    form.setkeyfield(QStringLiteral("CARI_NO"));
}

// Open to first page: the list statement runs and the grid shows its first
// rows; `rows_fetched` tells how many rows came from the server, `statements`
// how many statements read them.
void BM_BrowseOpenToFirstPage(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    int fetched = 0;
    int statements = 0;
    for (auto _ : state) {
        TFormListeBr form(l.db);
        setUpLedgerBrowse(form);
        form.openTable();
        form.dbgridbr->setCurrentIndex(form.TableBr->index(0, 0));
        benchmark::DoNotOptimize(form.TableBr->index(0, 2).data());
        fetched = form.TableBr->rowCount();
        statements = form.TableBr->pagesRead();
    }
    state.counters["rows_in_table"] = double(state.range(0));
    state.counters["rows_fetched"] = fetched;
    state.counters["statements"] = statements;
}
BENCHMARK(BM_BrowseOpenToFirstPage)->Arg(200000)->Apply(LedgerGrowth)->Unit(benchmark::kMillisecond);

// The engine's own keyset page: the list's columns in its order, the key
// settling ties, from a given row's key on; prepared once.
const QString kEngineColumns = QStringLiteral("SELECT CARI_NO, SIRANO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, BORC, "
                                              "ALACAK, ACIKLAMA FROM CARIHRK");
const QString kEngineOrder = QStringLiteral(" ORDER BY CARI_KOD, TARIH, CARI_NO LIMIT :N");

void BM_BrowseFirstPage_Engine(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    Engine e(l.db);
    EngineQuery q(e, kEngineColumns + kEngineOrder);
    int rows = 0;
    for (auto _ : state) {
        q.bindValue(QStringLiteral("N"), BoundQueryModel::DefaultPageSize);
        q.exec();
        rows = q.readAll();
    }
    state.counters["rows_in_table"] = double(state.range(0));
    state.counters["rows_fetched"] = rows;
}
BENCHMARK(BM_BrowseFirstPage_Engine)->Arg(200000)->Apply(LedgerGrowth)->Unit(benchmark::kMillisecond);

// The same with the totals footer (count and the sums of both amounts over the
// whole list, computed by the server).
void BM_BrowseOpenToFirstPageWithTotals(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    int fetched = 0;
    for (auto _ : state) {
        TFormListeBr form(l.db);
        setUpLedgerBrowse(form);
        form.setTotals({QStringLiteral("BORC"), QStringLiteral("ALACAK")});
        form.openTable();
        form.dbgridbr->setCurrentIndex(form.TableBr->index(0, 0));
        benchmark::DoNotOptimize(form.totals().sums.value(0));
        fetched = form.TableBr->rowCount();
    }
    state.counters["rows_in_table"] = double(state.range(0));
    state.counters["rows_fetched"] = fetched;
}
BENCHMARK(BM_BrowseOpenToFirstPageWithTotals)->Arg(200000)->Unit(benchmark::kMillisecond);

// Scrolling a page further down: the next statement of the pager.
void BM_BrowseNextPage(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    TFormListeBr form(l.db);
    setUpLedgerBrowse(form);
    for (auto _ : state) {
        state.PauseTiming();
        form.openTable();
        state.ResumeTiming();
        form.TableBr->fetchMore();
        benchmark::DoNotOptimize(form.TableBr->rowCount());
    }
    state.counters["rows_in_table"] = double(state.range(0));
}
BENCHMARK(BM_BrowseNextPage)->Arg(200000)->Unit(benchmark::kMillisecond);

// What export and print pay: open and read every row.
void BM_BrowseOpenAndReadAll(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    int fetched = 0;
    int statements = 0;
    for (auto _ : state) {
        TFormListeBr form(l.db);
        setUpLedgerBrowse(form);
        form.openTable();
        form.TableBr->fetchAll();
        fetched = form.TableBr->rowCount();
        statements = form.TableBr->pagesRead();
    }
    state.counters["rows_in_table"] = double(state.range(0));
    state.counters["rows_fetched"] = fetched;
    state.counters["statements"] = statements;
}
BENCHMARK(BM_BrowseOpenAndReadAll)->Arg(200000)->Unit(benchmark::kMillisecond);

// A page near the end of the list (rows 191,808 on, read after the rows
// before them) beside the first page of the same size: keyset paging makes
// the place in the list cost nothing.
constexpr int kPage = BoundQueryModel::MaxPageSize;

void BM_BrowseFirstPageOfMaxSize(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    TFormListeBr form(l.db);
    setUpLedgerBrowse(form);
    form.TableBr->setPageSize(kPage);
    for (auto _ : state) {
        form.openTable();
        benchmark::DoNotOptimize(form.TableBr->rowCount());
    }
    state.counters["rows_read"] = form.TableBr->rowCount();
    state.counters["keyset"] = form.TableBr->isKeyset();
}
BENCHMARK(BM_BrowseFirstPageOfMaxSize)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_BrowsePageNearTheEnd(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    TFormListeBr form(l.db);
    setUpLedgerBrowse(form);
    form.TableBr->setPageSize(kPage);
    int at = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.openTable();
        while (form.TableBr->rowCount() < int(state.range(0)) - 2 * kPage)
            form.TableBr->fetchMore();
        at = form.TableBr->rowCount();
        state.ResumeTiming();
        form.TableBr->fetchMore();
        benchmark::DoNotOptimize(form.TableBr->rowCount());
    }
    state.counters["first_row_of_page"] = at;
}
BENCHMARK(BM_BrowsePageNearTheEnd)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The engine's own keyset pages of the same size: the first one, and the one
// after the same row near the end.
void enginePage(benchmark::State& state, bool nearTheEnd)
{
    LedgerDb& l = ledger(int(state.range(0)));
    QVariantList key{QString(), QString(), 0.0};
    if (nearTheEnd) {
        Query k(l.db, QStringLiteral("SELECT CARI_KOD, TARIH, CARI_NO FROM CARIHRK ORDER BY CARI_KOD, TARIH, CARI_NO "
                                     "LIMIT 1 OFFSET :O"));
        k.bind(QStringLiteral("O"), int(state.range(0)) - 2 * kPage - 1).exec();
        k.next();
        key = {k.value(0), k.value(1), k.value(2)};
    }
    Engine e(l.db);
    EngineQuery q(e, kEngineColumns +
                         (nearTheEnd ? QStringLiteral(" WHERE (CARI_KOD, TARIH, CARI_NO) > (:K, :T, :C)") : QString()) +
                         kEngineOrder);
    int rows = 0;
    for (auto _ : state) {
        if (nearTheEnd) {
            q.bindValue(QStringLiteral("K"), key.at(0));
            q.bindValue(QStringLiteral("T"), key.at(1));
            q.bindValue(QStringLiteral("C"), key.at(2));
        }
        q.bindValue(QStringLiteral("N"), kPage);
        q.exec();
        rows = q.readAll();
    }
    state.counters["rows_read"] = rows;
}
void BM_BrowseFirstPageOfMaxSize_Engine(benchmark::State& state) { enginePage(state, false); }
void BM_BrowsePageNearTheEnd_Engine(benchmark::State& state) { enginePage(state, true); }
BENCHMARK(BM_BrowseFirstPageOfMaxSize_Engine)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowsePageNearTheEnd_Engine)->Arg(200000)->Unit(benchmark::kMillisecond);

long residentBytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts.at(1).toLong() * 4096 : 0;
}

// Memory of the whole list held by the grid: resident growth per row beside
// the weight of the row's values (8 bytes a number or timestamp, the UTF-8
// length of a text).
void BM_BrowseMemoryPerHeldRow(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    double perRow = 0, rawPerRow = 0, storePerRow = 0;
    for (auto _ : state) {
        auto form = std::make_unique<TFormListeBr>(l.db);
        setUpLedgerBrowse(*form);
        const long before = residentBytes();
        form->openTable();
        form->TableBr->fetchAll();
        const long after = residentBytes();
        const int rows = form->TableBr->rowCount();
        double raw = 0;
        for (int r = 0; r < rows; r += 97) {
            for (int c = 0; c < form->TableBr->columnCount(); ++c) {
                const QVariant v = form->TableBr->data(form->TableBr->index(r, c), Qt::EditRole);
                raw += v.typeId() == QMetaType::QString ? double(v.toString().toUtf8().size()) : 8.0;
            }
        }
        rawPerRow = raw / double((rows + 96) / 97);
        perRow = double(after - before) / rows;
        storePerRow = double(form->TableBr->heldBytes()) / rows;
    }
    state.counters["resident_bytes_per_row"] = perRow;
    state.counters["store_bytes_per_row"] = storePerRow;
    state.counters["raw_bytes_per_row"] = rawPerRow;
    state.counters["ratio"] = storePerRow / rawPerRow;
}
BENCHMARK(BM_BrowseMemoryPerHeldRow)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BalanceOfOneAccount(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        const QString kod = QStringLiteral("C%1").arg((i++ * 7919) % kAccounts);
        benchmark::DoNotOptimize(accounts::CariBakiyeOku(l.db, kod).bakiye());
    }
    state.counters["rows_in_table"] = double(state.range(0));
}
BENCHMARK(BM_BalanceOfOneAccount)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond);

// The same balance statement on the engine's own client, prepared once.
void BM_BalanceOfOneAccount_Engine(benchmark::State& state)
{
    LedgerDb& l = ledger(int(state.range(0)));
    Engine e(l.db);
    EngineQuery q(e, QStringLiteral("SELECT SUM(BORC), SUM(ALACAK), SUM(BORC_USD), SUM(ALACAK_USD) FROM CARIHRK "
                                    "WHERE CARI_KOD = :K"));
    int i = 0;
    for (auto _ : state) {
        q.bindValue(QStringLiteral("K"), QStringLiteral("C%1").arg((i++ * 7919) % kAccounts));
        q.exec();
        benchmark::DoNotOptimize(q.readAll());
    }
    state.counters["rows_in_table"] = double(state.range(0));
}
BENCHMARK(BM_BalanceOfOneAccount_Engine)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond);

} // namespace
