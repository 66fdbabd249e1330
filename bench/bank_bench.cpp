// A bank account of TORNALY_BENCH_BANK_ROWS (100,000) rows among as many rows
// of other accounts: its three balances, and the statement window's opening,
// against the same statements through the engine's own client, and the
// statement's first page (100 rows in date order) as the bare indexed query.
#include "BenchSize.h"
#include "BenchSupport.h"
#include "EngineRef.h"
#include "accounts/AccountsSchema.h"
#include "accounts/bank/Banka.h"
#include "accounts/bank/Bnhrk.h"
#include "context/SessionContext.h"
#include "db/Schema.h"

#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

int bankRows() { return BenchSize("TORNALY_BENCH_BANK_ROWS", 100000); }

struct BankDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = S("bank_bench");
    Db db;
    SessionContext ctx;
    int rows = 0;
    BankDb()
    {
        accounts::RegisterSchema();
        profile = BenchProfile(dir.path(), S("bank"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        ctx.Database1 = db;
        rows = bankRows();
        Transaction tx(db);
        // Rows of the measured account (I odd) and of another (I even), over two years.
        Query q(db, S("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :ROWS) "
                      "INSERT INTO BANKHRKA (HRK_NO, SIRANO, TARIH, AY, YIL, TIP, BANKA_KOD, HESAP_NO, BORC, ALACAK, "
                      "BORC_USD, ALACAK_USD, BORC_DVZ, ALACAK_DVZ, DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, TL_USDEGER, "
                      "ACIKLAMA, REF_NO, PORTFOYNO, CS_TIP) "
                      "SELECT I, 1, :T0, 1, 2025, CASE WHEN I % 7 = 0 THEN 'V' WHEN I % 5 = 0 THEN 'I' ELSE 'B' END, "
                      "'BNK', CASE WHEN I % 2 = 1 THEN 'TR01' ELSE 'TR02' END, CASE WHEN I % 3 = 0 THEN 100 + I % 50 ELSE 0 END, "
                      "CASE WHEN I % 3 = 0 THEN 0 ELSE 80 + I % 70 END, 0, 0, 0, 0, 'TL', 'T', 1, 1, 'Hareket', I, "
                      "CASE WHEN I % 11 = 0 THEN I ELSE NULL END, CASE WHEN I % 11 = 0 THEN 'E' ELSE NULL END FROM N"));
        q.bind(S("ROWS"), rows * 2).bind(S("T0"), QDateTime(QDate(2025, 1, 1), QTime(9, 0))).exec();
        // Spread the dates over two years, one per row number.
        db.exec(db.backend() == Backend::PostgreSQL
                    ? S("UPDATE BANKHRKA SET TARIH = TARIH + (HRK_NO * 600) * INTERVAL '1 second'")
                    : S("UPDATE BANKHRKA SET TARIH = strftime('%Y-%m-%d %H:%M:%f', TARIH, '+' || CAST(HRK_NO * 600 AS INTEGER) || ' seconds')"));
        tx.commit();
        db.exec(S("ANALYZE"));
    }
    ~BankDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

BankDb& bankDb()
{
    static std::unique_ptr<BankDb> p;
    if (!p) {
        p = std::make_unique<BankDb>();
        AtBenchEnd([] { p.reset(); });
    }
    return *p;
}

// The three balances as the bank form, the picker and the statement read them.
void BM_BankaBakiyeleri(benchmark::State& state)
{
    BankDb& s = bankDb();
    double b = 0;
    for (auto _ : state)
        b = BankaBakiyeleriOku(s.db, S("BNK"), S("TR01")).genelToplam.bakiye();
    benchmark::DoNotOptimize(b);
    state.counters["rows"] = s.rows;
}
BENCHMARK(BM_BankaBakiyeleri)->Unit(benchmark::kMicrosecond);

// The identical three statements through the engine.
void BM_BankaBakiyeleri_Engine(benchmark::State& state)
{
    BankDb& s = bankDb();
    const QString toplam = S("SELECT COALESCE(A.DOVIZ_KODU, '') AS DOVIZ, SUM(A.BORC) AS B, SUM(A.ALACAK) AS AL, "
                             "SUM(A.BORC_USD) AS BU, SUM(A.ALACAK_USD) AS AU, SUM(A.BORC_DVZ) AS BD, "
                             "SUM(A.ALACAK_DVZ) AS AD FROM BANKHRKA A WHERE A.BANKA_KOD=:B AND A.HESAP_NO=:H AND ");
    const QString grup = S(" GROUP BY COALESCE(A.DOVIZ_KODU, '') ORDER BY 1");
    Engine e(s.db);
    EngineQuery cari(e, toplam + S("((A.PORTFOYNO IS NULL) OR (A.PORTFOYNO=0))") + grup);
    EngineQuery nakit(e, toplam + NakitBakiyeKosulu() + grup);
    EngineQuery cek(e, S("SELECT COALESCE(DOVIZ_KOD, '') AS DOVIZ, SUM(ABS(TUTAR)) AS T, SUM(ABS(TUTAR_USD)) AS U, "
                         "SUM(ABS(TUTAR_DOVIZ)) AS D FROM CSKART WHERE SON_DURUMU='V' AND SAHIP='M' "
                         "AND TEMTAHSP_NO=:H AND (CIRO_CKOD=:B1 OR (CS_TIP=:CEK AND BANKA_KOD=:B2)) "
                         "GROUP BY COALESCE(DOVIZ_KOD, '') ORDER BY 1"));
    for (auto _ : state) {
        for (EngineQuery* q : {&cari, &nakit}) {
            q->bindValue(S("B"), S("BNK"));
            q->bindValue(S("H"), S("TR01"));
            q->exec();
            q->readAll();
        }
        cek.bindValue(S("H"), S("TR01"));
        cek.bindValue(S("B1"), S("BNK"));
        cek.bindValue(S("B2"), S("BNK"));
        cek.bindValue(S("CEK"), S("Ç"));
        cek.exec();
        cek.readAll();
    }
    state.counters["rows"] = s.rows;
}
BENCHMARK(BM_BankaBakiyeleri_Engine)->Unit(benchmark::kMicrosecond);

const QString kEkstre = S("SELECT HRK_NO, SIRANO, TARIH, TIP, ALACAK, ALACAK_USD, ALACAK_DVZ, BORC, BORC_USD, "
                          "BORC_DVZ, TL_KURDEGER, TL_USDEGER, DOVIZ_KODU, PARA_BAZ, CARI_KOD, REF_NO, PORTFOYNO, "
                          "CS_TIP, BELGE_NO, ACIKLAMA, KASAKOD FROM BANKHRKA WHERE BANKA_KOD=:bkodu AND "
                          "HESAP_NO=:hnosu ORDER BY TARIH, HRK_NO, SIRANO");

// The statement window as it opens: every row of the account, the totals by
// kind, the balance and the papers at the bank.
void BM_BankaEkstre_Open(benchmark::State& state)
{
    BankDb& s = bankDb();
    int shown = 0;
    for (auto _ : state) {
        TFormBHrkBak f(s.ctx, S("Banka"), S("BNK"), S("TR01"));
        shown = f.GridHareket->rowCount();
    }
    state.counters["rows"] = shown;
}
BENCHMARK(BM_BankaEkstre_Open)->Unit(benchmark::kMillisecond)->Iterations(3);

// The bare indexed query for the statement's first page, and the same
// statement read whole, through the engine.
void ekstreEngine(benchmark::State& state, int limit)
{
    BankDb& s = bankDb();
    Engine e(s.db);
    EngineQuery q(e, limit > 0 ? kEkstre + S(" LIMIT %1").arg(limit) : kEkstre);
    int rows = 0;
    for (auto _ : state) {
        q.bindValue(S("bkodu"), S("BNK"));
        q.bindValue(S("hnosu"), S("TR01"));
        q.exec();
        rows = q.readAll();
    }
    state.counters["rows"] = rows;
}
void BM_BankaEkstre_FirstPage_Engine(benchmark::State& state) { ekstreEngine(state, 100); }
void BM_BankaEkstre_AllRows_Engine(benchmark::State& state) { ekstreEngine(state, 0); }
BENCHMARK(BM_BankaEkstre_FirstPage_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BankaEkstre_AllRows_Engine)->Unit(benchmark::kMillisecond);

// Not a timing: the plans of the balance and statement statements, once.
void BM_Banka_ShowPlans(benchmark::State& state)
{
    BankDb& s = bankDb();
    for (auto _ : state) {
    }
    const bool pg = s.db.backend() == Backend::PostgreSQL;
    const QString toplam = S("SELECT COALESCE(A.DOVIZ_KODU, '') AS DOVIZ, SUM(A.BORC) AS B FROM BANKHRKA A "
                             "WHERE A.BANKA_KOD='BNK' AND A.HESAP_NO='TR01' AND ");
    QString ekstre = kEkstre;
    ekstre.replace(S(":bkodu"), S("'BNK'")).replace(S(":hnosu"), S("'TR01'"));
    for (const QString& text : {toplam + NakitBakiyeKosulu() + S(" GROUP BY COALESCE(A.DOVIZ_KODU, '')"),
                                ekstre + S(" LIMIT 100")}) {
        QSqlQuery q(s.db.sql());
        q.exec((pg ? S("EXPLAIN ") : S("EXPLAIN QUERY PLAN ")) + text);
        std::fprintf(stderr, "-- plan of: %s\n", qPrintable(text.left(100)));
        while (q.next())
            std::fprintf(stderr, "   %s\n", qPrintable(q.value(pg ? 0 : 3).toString()));
    }
}
BENCHMARK(BM_Banka_ShowPlans)->Iterations(1);

} // namespace
