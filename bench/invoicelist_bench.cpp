// The work-order invoice browser over TORNALY_BENCH_INVOICES (200,000)
// invoices, half of them paid through the current account: the first page
// (the list as the browser reads it), an account search and the balance
// panel, against the bare indexed queries through the engine's own client.
#include "BenchSize.h"
#include "BenchSupport.h"
#include "EngineRef.h"
#include "accounts/ledger/CariHrk.h"
#include "aftersales/AftersalesSchema.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "invoicing/InvoicingSchema.h"
#include "invoicing/workorder/IEFatListe.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace tornaly;
using namespace tornaly::invoicing;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

int invoices() { return BenchSize("TORNALY_BENCH_INVOICES", 200000); }

struct InvoiceListDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = S("invoicelist_bench");
    Db db;
    SessionContext ctx;
    int rows = 0;
    InvoiceListDb()
    {
        invoicing::RegisterSchema();
        aftersales::RegisterSchema();
        profile = BenchProfile(dir.path(), S("invoicelist"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        ctx.Database1 = db;
        ctx.AktifKullanici.diger27 = S("H");
        rows = invoices();
        Transaction tx(db);
        const auto fill = [&](const char* sql) {
            Query q(db, S("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :ROWS) ") + S(sql));
            q.bind(S("ROWS"), rows).bind(S("T"), QDateTime(QDate(2025, 6, 1), QTime(0, 0))).exec();
        };
        fill("INSERT INTO SERFAT (SATIS_NO, FAT_NO, FAT_TUR, TURU, IS_EMRI_NO, CARI_KOD, CARI_AD, ODE_TIP, TARIH, "
             "TOPLAM_TUTAR, KDV_TUTARI, NET_TUTAR, EF_STATU, PER_KOD) SELECT I, 'F' || CAST(I AS VARCHAR(12)), 'I', 'F', "
             "'B' || CAST(I AS VARCHAR(10)), 'C' || CAST(I % 5000 AS VARCHAR(10)), 'MÜŞTERİ ' || CAST(I % 5000 AS VARCHAR(10)), "
             "'A', :T, 1000, 200, 1200, 0, 'P01' FROM N");
        fill("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, CRHRK_TUR, REF_NO, REF_TIP, BORC, ALACAK, DOVIZ_KODU, "
             "PARA_BAZ, TL_KURDEGER, ACIKLAMA, AY, YIL) SELECT I, 1, 'C' || CAST(I % 5000 AS VARCHAR(10)), :T, 'K', I, 'I', "
             "0, 600, 'TL', 'T', 1, 'Ödeme', 6, 2025 FROM N WHERE I % 2 = 0");
        tx.commit();
        db.exec(S("ANALYZE"));
    }
    ~InvoiceListDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

InvoiceListDb& listDb()
{
    static std::unique_ptr<InvoiceListDb> p;
    if (!p) {
        p = std::make_unique<InvoiceListDb>();
        AtBenchEnd([] { p.reset(); });
    }
    return *p;
}

void runList(benchmark::State& state, const IEFatListeFiltre& f)
{
    InvoiceListDb& s = listDb();
    qsizetype n = 0;
    for (auto _ : state)
        n = IEFatListe(s.ctx, s.db, f).size();
    state.counters["rows"] = double(n);
    state.counters["invoices"] = s.rows;
}

// The bare indexed page: 100 invoices in the list's order, with what was paid
// on each read from the current-account rows of that invoice.
void runBare(benchmark::State& state, bool account)
{
    InvoiceListDb& s = listDb();
    Engine e(s.db);
    EngineQuery q(e, S("SELECT F.SATIS_NO, F.FAT_NO, F.FAT_TUR, F.IS_EMRI_NO, F.CARI_KOD, F.CARI_AD, F.ODE_TIP, F.TARIH, "
                       "F.TOPLAM_TUTAR, F.KDV_TUTARI, F.NET_TUTAR, F.FIS_NO, F.EF_STATU, "
                       "(SELECT SUM(H.ALACAK) FROM CARIHRK H WHERE H.REF_NO = F.SATIS_NO AND H.REF_TIP = 'I') AS ODENEN "
                       "FROM SERFAT F WHERE F.SATIS_NO >= 0") +
                         (account ? S(" AND F.CARI_KOD = :CK") : QString()) + S(" ORDER BY F.SATIS_NO DESC LIMIT 100"));
    int n = 0;
    for (auto _ : state) {
        if (account)
            q.bindValue(S("CK"), S("C123"));
        q.exec();
        n = q.readAll();
    }
    state.counters["rows"] = n;
}

void BM_IEFatListe_FirstPage(benchmark::State& state) { runList(state, {}); }
void BM_IEFatListe_AccountSearch(benchmark::State& state)
{
    IEFatListeFiltre f;
    f.cariKodAdi = S("C123");
    runList(state, f);
}
void BM_IEFatListe_FirstPage_Engine(benchmark::State& state) { runBare(state, false); }
void BM_IEFatListe_AccountSearch_Engine(benchmark::State& state) { runBare(state, true); }
BENCHMARK(BM_IEFatListe_FirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IEFatListe_FirstPage_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IEFatListe_AccountSearch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IEFatListe_AccountSearch_Engine)->Unit(benchmark::kMillisecond);

// The balance panel of the selected invoice's account.
void BM_IEFatListe_Balance(benchmark::State& state)
{
    InvoiceListDb& s = listDb();
    double b = 0;
    for (auto _ : state)
        b = accounts::CariBakiyeOku(s.db, S("C123")).bakiye();
    benchmark::DoNotOptimize(b);
}
void BM_IEFatListe_Balance_Engine(benchmark::State& state)
{
    InvoiceListDb& s = listDb();
    Engine e(s.db);
    EngineQuery q(e, S("SELECT SUM(CARIHRK.BORC) AS BORCT, SUM(CARIHRK.ALACAK) AS ALAT, SUM(CARIHRK.BORC_USD) AS BORCU, "
                       "SUM(CARIHRK.ALACAK_USD) AS ALAU FROM CARIHRK WHERE CARI_KOD=:CARI_KOD"));
    for (auto _ : state) {
        q.bindValue(S("CARI_KOD"), S("C123"));
        q.exec();
        q.readAll();
    }
}
BENCHMARK(BM_IEFatListe_Balance)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IEFatListe_Balance_Engine)->Unit(benchmark::kMicrosecond);

} // namespace
