// The browse form over the current-account ledger: how long a list of
// 200,000 ledger rows takes from opening to its first page (rows are read a
// page at a time on both backends, not all at once), with and without its
// totals footer, the next page, reading every row, and the balance of one
// account among 1,000,000 rows.
#include "accounts/AccountsSchema.h"
#include "accounts/ledger/CariHrk.h"
#include "browse/brListe.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QTableView>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tornaly;

namespace {

constexpr int kAccounts = 5000;

ConnectionProfile benchProfile(const QString& dir, const QString& tag)
{
    if (qEnvironmentVariable("TORNALY_TEST_BACKEND") == QLatin1String("postgres")) {
        const QString name = QStringLiteral("bench_") + tag + QUuid::createUuid().toString(QUuid::Id128).left(10);
        return ConnectionProfile::postgres(qEnvironmentVariable("TORNALY_TEST_PGHOST"),
                                           qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT"), name,
                                           qEnvironmentVariable("TORNALY_TEST_PGUSER"));
    }
    return ConnectionProfile::sqlite(dir + QStringLiteral("/") + tag + QStringLiteral(".sqlite"));
}

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
        profile = benchProfile(dir.path(), name);
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
    if (!p)
        p = std::make_unique<LedgerDb>(rows);
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
BENCHMARK(BM_BrowseOpenToFirstPage)->Arg(200000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_BalanceOfOneAccount)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace
