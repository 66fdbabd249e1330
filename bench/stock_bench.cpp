// The stock ledger and the stock browse: re-posting a 50-line document
// through the ledger writer against the same statements written as plain
// prepared statements, and the stock browse over 100,000 parts (first page,
// "starts with" on the part number, a search in the names) against the bare
// query, with the plan PostgreSQL chooses.
#include "EngineRef.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "stock/StockSchema.h"
#include "stock/cards/StokArama.h"
#include "stock/ledger/DepoHrk.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

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

struct StockDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = QStringLiteral("stock_bench");
    Db db;
    explicit StockDb(int parts)
    {
        stock::RegisterSchema();
        profile = benchProfile(dir.path(), QStringLiteral("stock"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        Transaction tx(db);
        Query q(db, QStringLiteral(
                        "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :ROWS) "
                        "INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, STOK_ADI_ING, PAY, KDV, FYT_KUR, SAT_FYT_TL, "
                        "GRUP_NO) SELECT I, 'P' || CAST(100000 + (I * 7919) % 900000 AS VARCHAR(10)) || '-' || CAST(I AS VARCHAR(10)), "
                        "'Parça ' || CAST(I % 1000 AS VARCHAR(10)) || ' Fren Balatası', 'Part', 'P', 20, 'TL', "
                        "10 + I % 500, 'G' || CAST(I % 20 AS VARCHAR(5)) FROM N"));
        q.bind(QStringLiteral("ROWS"), parts).exec();
        tx.commit();
        if (db.backend() == Backend::PostgreSQL)
            db.exec(QStringLiteral("ANALYZE STOK"));
        else
            db.exec(QStringLiteral("ANALYZE"));
    }
    ~StockDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

StockDb& stockDb()
{
    static std::unique_ptr<StockDb> p;
    if (!p)
        p = std::make_unique<StockDb>(100000);
    return *p;
}

QList<DepoHrkSatiri> lines(int n)
{
    QList<DepoHrkSatiri> out;
    const QDateTime t(QDate(2026, 6, 1), QTime(10, 0));
    for (int i = 1; i <= n; ++i)
        out << DepoHrkHareket(u'S', i, QStringLiteral("120.01"), 1 + i % 40, i % 2 ? QStringLiteral("1") : QStringLiteral("3"), t,
                              1 + i % 3, 12.5);
    return out;
}

// Re-posting one 50-line sale through the writer: delete its set, insert 50
// rows, keep STOKMIK, one transaction per post.
void BM_LedgerRepost50_Writer(benchmark::State& state)
{
    StockDb& s = stockDb();
    const auto rows = lines(50);
    DepoHrkYazici writer(s.db);
    const DepoHrkBelge belge = DepoHrkBelge::Belge(900001, u'S');
    for (auto _ : state) {
        Transaction tx(s.db);
        writer.yaz(belge, rows);
        tx.commit();
    }
    state.counters["rows"] = 50;
}
BENCHMARK(BM_LedgerRepost50_Writer)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The same statements as prepared statements in one transaction, through
// plain Qt and through the engine's own client (libpq in one pipeline).
template <class Side>
void plainStatements(benchmark::State& state)
{
    StockDb& s = stockDb();
    const auto rows = lines(50);
    Side side(s.db);
    typename Side::Query del(side), ins(side), mik(side);
    del.prepare(QStringLiteral("DELETE FROM DEPOHRK WHERE SATISNO = :SATISNO AND TIP = :TIP "
                               "RETURNING STOK_NO, DEPO_KODU, GIRMIK, CIKMIK"));
    ins.prepare(QStringLiteral("INSERT INTO DEPOHRK (SATISNO, ISEMRINO, TIP, SIRANO, CARIKOD, STOK_NO, DEPO_KODU, TARIH, AY, YIL, "
                               "GIRMIK, CIKMIK, FIYAT, FYT_USD, SERINO) VALUES (:SATISNO, NULL, :TIP, :SIRANO, :CARIKOD, "
                               ":STOK_NO, :DEPO_KODU, :TARIH, :AY, :YIL, :GIRMIK, :CIKMIK, :FIYAT, NULL, NULL)"));
    mik.prepare(QStringLiteral("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (:STOK_NO, :DEPO_KOD, :MIKTAR) "
                               "ON CONFLICT (STOK_NO, DEPO_KOD) DO UPDATE SET MIKTAR = STOKMIK.MIKTAR + excluded.MIKTAR"));
    const QString tarih = Query::toDbValue(rows.first().TARIH, s.db.backend()).toString();
    for (auto _ : state) {
        typename Side::Tx tx(side);
        std::map<std::pair<double, QString>, double> fark;
        del.bindValue(QStringLiteral(":SATISNO"), 900002.0);
        del.bindValue(QStringLiteral(":TIP"), QStringLiteral("S"));
        del.exec();
        while (del.next())
            fark[{del.value(0).toDouble(), del.value(1).toString()}] -= del.value(2).toDouble() - del.value(3).toDouble();
        for (const DepoHrkSatiri& r : rows) {
            ins.bindValue(QStringLiteral(":SATISNO"), 900002.0);
            ins.bindValue(QStringLiteral(":TIP"), r.TIP);
            ins.bindValue(QStringLiteral(":SIRANO"), r.SIRANO);
            ins.bindValue(QStringLiteral(":CARIKOD"), r.CARIKOD);
            ins.bindValue(QStringLiteral(":STOK_NO"), r.STOK_NO);
            ins.bindValue(QStringLiteral(":DEPO_KODU"), r.DEPO_KODU);
            ins.bindValue(QStringLiteral(":TARIH"), tarih);
            ins.bindValue(QStringLiteral(":AY"), 6);
            ins.bindValue(QStringLiteral(":YIL"), 2026);
            ins.bindValue(QStringLiteral(":GIRMIK"), r.GIRMIK);
            ins.bindValue(QStringLiteral(":CIKMIK"), r.CIKMIK);
            ins.bindValue(QStringLiteral(":FIYAT"), r.FIYAT);
            ins.exec();
            fark[{r.STOK_NO, r.DEPO_KODU}] += r.GIRMIK - r.CIKMIK;
        }
        for (const auto& [k, m] : fark) {
            if (m == 0)
                continue;
            mik.bindValue(QStringLiteral(":STOK_NO"), k.first);
            mik.bindValue(QStringLiteral(":DEPO_KOD"), k.second);
            mik.bindValue(QStringLiteral(":MIKTAR"), m);
            mik.exec();
        }
        tx.commit();
    }
    state.counters["rows"] = 50;
}
void BM_LedgerRepost50_PlainStatements(benchmark::State& state) { plainStatements<QtSide>(state); }
void BM_LedgerRepost50_Engine(benchmark::State& state) { plainStatements<Engine>(state); }
BENCHMARK(BM_LedgerRepost50_PlainStatements)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_LedgerRepost50_Engine)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The browse's list statement as the form opens it, first page of 256 rows.
void runBrowse(benchmark::State& state, const StokAramaKriteri& k)
{
    StockDb& s = stockDb();
    const SqlText sql = StokListeSorgusu(s.db.dialect(), k);
    int rows = 0;
    for (auto _ : state) {
        BoundQueryModel m;
        m.setStatement(s.db, sql.text(), sql.binds);
        m.setOrderKeys({QStringLiteral("STOK_NO")});
        m.open();
        rows = m.rowCount();
    }
    state.counters["rows"] = rows;
}

// The bare query: the identical statement read by one plain query, 256 rows.
void runBare(benchmark::State& state, const StokAramaKriteri& k)
{
    StockDb& s = stockDb();
    const SqlText sql = StokListeSorgusu(s.db.dialect(), k);
    Query q(s.db, sql.text() + QStringLiteral(" LIMIT 256"));
    int rows = 0;
    for (auto _ : state) {
        q.bindAll(sql.binds).exec();
        rows = 0;
        while (q.next())
            ++rows;
    }
    state.counters["rows"] = rows;
}

// The engine's own client: the identical statement prepared once, 256 rows.
void runEngine(benchmark::State& state, const StokAramaKriteri& k)
{
    StockDb& s = stockDb();
    const SqlText sql = StokListeSorgusu(s.db.dialect(), k);
    Engine e(s.db);
    EngineQuery q(e, sql.text() + QStringLiteral(" LIMIT 256"));
    int rows = 0;
    for (auto _ : state) {
        q.bindAll(sql.binds);
        q.exec();
        rows = q.readAll();
    }
    state.counters["rows"] = rows;
}

StokAramaKriteri kodArama()
{
    StokAramaKriteri k;
    k.kutu = StokAramaKutusu::Kod;
    k.metin = QStringLiteral("p1234");
    return k;
}
StokAramaKriteri adArama()
{
    StokAramaKriteri k;
    k.kutu = StokAramaKutusu::Ad;
    k.metin = QStringLiteral("parça 12 fren");
    return k;
}

void BM_StockBrowse_FirstPage(benchmark::State& state) { runBrowse(state, {}); }
void BM_StockBrowse_FirstPage_Bare(benchmark::State& state) { runBare(state, {}); }
void BM_StockBrowse_CodeStartsWith(benchmark::State& state) { runBrowse(state, kodArama()); }
void BM_StockBrowse_CodeStartsWith_Bare(benchmark::State& state) { runBare(state, kodArama()); }
void BM_StockBrowse_NameContains(benchmark::State& state) { runBrowse(state, adArama()); }
void BM_StockBrowse_NameContains_Bare(benchmark::State& state) { runBare(state, adArama()); }
void BM_StockBrowse_FirstPage_Engine(benchmark::State& state) { runEngine(state, {}); }
void BM_StockBrowse_CodeStartsWith_Engine(benchmark::State& state) { runEngine(state, kodArama()); }
void BM_StockBrowse_NameContains_Engine(benchmark::State& state) { runEngine(state, adArama()); }
BENCHMARK(BM_StockBrowse_FirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_FirstPage_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_CodeStartsWith_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_NameContains_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_FirstPage_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_CodeStartsWith)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_CodeStartsWith_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_NameContains)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockBrowse_NameContains_Bare)->Unit(benchmark::kMillisecond);

// Not a timing: prints the plans of the browse's statements once.
void BM_StockBrowse_ShowPlans(benchmark::State& state)
{
    StockDb& s = stockDb();
    for (auto _ : state) {
    }
    const bool pg = s.db.backend() == Backend::PostgreSQL;
    StokAramaKriteri ilk;
    ilk.ilkAcilis = true;
    StokAramaKriteri kod;
    kod.kutu = StokAramaKutusu::Kod;
    kod.metin = QStringLiteral("p1234");
    for (const StokAramaKriteri& k : {ilk, kod, adArama()}) {
        SqlText sql = StokListeSorgusu(s.db.dialect(), k);
        QString text = sql.text();
        if (!k.ilkAcilis)
            text += QStringLiteral(" LIMIT 256");
        // The plan of the statement with its values in place (EXPLAIN takes no binds).
        for (auto it = sql.binds.cbegin(); it != sql.binds.cend(); ++it)
            text.replace(QLatin1Char(':') + it.key(), QLatin1Char('\'') + it.value().toString() + QLatin1Char('\''));
        QSqlQuery q(s.db.sql());
        q.exec((pg ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN ")) + text);
        std::fprintf(stderr, "-- plan of: %s\n", qPrintable(text.simplified().left(160)));
        while (q.next())
            std::fprintf(stderr, "   %s\n", qPrintable(q.value(pg ? 0 : 3).toString()));
    }
}
BENCHMARK(BM_StockBrowse_ShowPlans)->Iterations(1);

} // namespace
