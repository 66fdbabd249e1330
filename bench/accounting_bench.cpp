// Posting a 30-line work-order invoice into its voucher (read, group, check,
// number, write, mark the invoice) against the same voucher rows written by
// prepared statements in one transaction (plain Qt, and the engine's own
// client); each with ledgers of 10,000 and of 1,000,000 rows (LedgerRows()).
#include "BenchSupport.h"
#include "EngineRef.h"

#include "accounting/AccountingSchema.h"
#include "accounting/transfer/MuhEntegre.h"
#include "context/SessionContext.h"
#include "db/Database.h"
#include "db/Schema.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tornaly;
using namespace tornaly::accounting;

namespace {

constexpr int kLines = 30;

struct AccountingDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name;
    Db db;
    SessionContext ctx;
    double nextInvoice = 1;

    explicit AccountingDb(int ledgerRows)
    {
        accounting::RegisterSchema();
        name = QStringLiteral("accounting_bench%1").arg(ledgerRows);
        profile = BenchProfile(dir.path(), name);
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        FillLedgers(db, ledgerRows);
        ctx.Database1 = db;
        ctx.CalismaYili = QStringLiteral("2026");
        ctx.AktifKullanici.name = QStringLiteral("Bench");
        // Rounded invoice totals: the posting brings its credits to the header's figures.
        ctx.FatYuvarTip = QStringLiteral("Y");
        // The invoice, stock and labour tables come with the schema of the
        // libraries the accounting builds on.
        for (const char* k : {"MUH_S", "MUH_ISK_S", "MUH_IADE_A", "MUH_GRSAT", "MUH_GRSATISK", "MUH_KDV_A"})
            if (!db.dialect().columnExists(db, QStringLiteral("STOK"), QLatin1String(k)))
                db.exec(QStringLiteral("ALTER TABLE STOK ADD COLUMN %1 VARCHAR(30)").arg(QLatin1String(k)));
        db.exec(QStringLiteral("INSERT INTO PARAMUH (ISK_DUS) VALUES ('D')"));
        db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, MUH_KOD) VALUES ('C1', 'Müşteri', '120.01')"));
        db.exec(QStringLiteral("INSERT INTO MUHKDV VALUES ('K1', 'Genel')"));
        db.exec(QStringLiteral("INSERT INTO MUHKDVAYR (MUHKDV_KOD, KDV, MUH_KDV_S) VALUES ('K1', 20, '391.01')"));
        auto hesap = [&](const QString& kod, int kebir) {
            db.exec(QStringLiteral("INSERT INTO HSPLAN (HKOD, HESAP_ADI, HSINIF, HGRUBU, KEBIR, MUAVIN) "
                                   "VALUES (:K, :K, :S, :G, :KB, :M)"),
                    {{QStringLiteral("K"), kod}, {QStringLiteral("S"), kebir / 100}, {QStringLiteral("G"), kebir / 10},
                     {QStringLiteral("KB"), kebir}, {QStringLiteral("M"), kod.mid(4)}});
        };
        hesap(QStringLiteral("120.01"), 120);
        hesap(QStringLiteral("391.01"), 391);
        for (int i = 1; i <= kLines; ++i) {
            const QString muh = QStringLiteral("600.%1").arg(i, 2, 10, QLatin1Char('0'));
            hesap(muh, 600);
            db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, MUH_S, MUH_KDV_A) VALUES (:N, :K, :M, 'K1')"),
                    {{QStringLiteral("N"), i}, {QStringLiteral("K"), QStringLiteral("P%1").arg(i)},
                     {QStringLiteral("M"), muh}});
        }
    }
    ~AccountingDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }

    double invoice()
    {
        const double no = nextInvoice++;
        Transaction tx(db);
        db.exec(QStringLiteral("INSERT INTO SERFAT (SATIS_NO, CARI_KOD, NET_TUTAR, TARIH, FAT_NO, FAT_TUR, KDVTEV_TUT, "
                               "ENT_KOD, BRUT_TUTAR, INDIRIM, TOPLAM_TUTAR, KDV_TUTARI) VALUES (:N, 'C1', :T, :D, :F, 'I', 0, 0, :B, 0, :B, :K)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("T"), 1.2 * 100 * kLines},
                 {QStringLiteral("B"), 100.0 * kLines}, {QStringLiteral("K"), 0.2 * 100 * kLines},
                 {QStringLiteral("D"), QDateTime(QDate(2026, 4, 2), QTime())},
                 {QStringLiteral("F"), QStringLiteral("IE%1").arg(no)}});
        for (int i = 1; i <= kLines; ++i)
            db.exec(QStringLiteral("INSERT INTO SERFATDT (SATIS_NO, SIRA, PARCA_ISCILIK, PI_KOD, KDV, GER_TUT, ISK_TUT) "
                                   "VALUES (:N, :S, 'P', :K, 20, 100, 0)"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("S"), i}, {QStringLiteral("K"), QStringLiteral("P%1").arg(i)}});
        tx.commit();
        return no;
    }
};

// One database per ledger size, the ledgers filled with that many rows.
AccountingDb& adb(int ledgerRows)
{
    static std::map<int, std::unique_ptr<AccountingDb>> dbs;
    auto& p = dbs[ledgerRows];
    if (!p) {
        p = std::make_unique<AccountingDb>(ledgerRows);
        AtBenchEnd([ledgerRows] { dbs.erase(ledgerRows); });
    }
    return *p;
}

void BM_PostWorkOrderInvoice30Lines(benchmark::State& state)
{
    AccountingDb& a = adb(int(state.range(0)));
    int lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double no = a.invoice();
        state.ResumeTiming();
        const auto r = MuhasebeKayit(a.ctx, a.db, MuhasebeEntegreIstegi{QLatin1Char('I'), false, {}, no});
        if (r.sonuc != MuhasebeSonucu::Yazildi)
            state.SkipWithError("not posted");
        benchmark::DoNotOptimize(r.fisNo);
    }
    Query q(a.db, QStringLiteral("SELECT COUNT(*) FROM FISAYR WHERE FISNO=(SELECT MAX(FISNO) FROM FIS)"));
    q.exec();
    if (q.next())
        lines = q.value(0).toInt();
    state.counters["voucher_lines"] = lines;
}
BENCHMARK(BM_PostWorkOrderInvoice30Lines)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond);

// The same voucher (head, 32 lines, the invoice's mark) by prepared
// statements in one transaction, prepared before the timed loop: through
// plain Qt, and through the engine's own client (libpq in one pipeline).
template <class Side>
void bare(benchmark::State& state)
{
    AccountingDb& a = adb(int(state.range(0)));
    Side side(a.db);
    typename Side::Query h(side), l(side), u(side);
    h.prepare(QStringLiteral("INSERT INTO FIS (FISNO, TARIH, TUR, BORC, ALACAK, AY, ENT_REF_NO, ENT_TIP, YEVMIYE_NO, "
                             "ACIKLAMA, FISNUMARA, BELGENO, BELGE_TUR, INS_USER) "
                             "VALUES (?, '2026-04-02 00:00:00.000', 'M', 3600, 3600, 4, ?, 'I', ?, ?, ?, ?, 'FT', 'Bench')"));
    l.prepare(QStringLiteral("INSERT INTO FISAYR (FISNO, FA_ID, SIRANO, HSPKODU, ACIKLAMA, BORC, ALACAK, DOVIZ_KOD, "
                             "TARIH, AY, ENT_REF_NO, ENT_REF_TIP, HSINIF, HGRUBU, KEBIR, MUAVIN, YEVMIYE_NO, "
                             "FISNUMARA, TUR, BELGE_TUR, BELGE_NO) VALUES (?, ?, ?, ?, ?, ?, ?, 'TL', "
                             "'2026-04-02 00:00:00.000', 4, ?, 'I', ?, ?, ?, ?, ?, 'M0000001', 'M', 'FT', 'IE')"));
    u.prepare(QStringLiteral("UPDATE SERFAT SET FIS_NO=? WHERE SATIS_NO=?"));
    static double bareNo = 1e7;
    for (auto _ : state) {
        state.PauseTiming();
        const double inv = a.invoice();
        state.ResumeTiming();
        const double no = ++bareNo;
        typename Side::Tx tx(side);
        h.addBindValue(no);
        h.addBindValue(inv);
        h.addBindValue(no);
        h.addBindValue(QStringLiteral("IE nolu İşemri Fat. C1-Müşteri Hes.a Satış"));
        h.addBindValue(QStringLiteral("M0000001"));
        h.addBindValue(QStringLiteral("IE"));
        h.exec();
        for (int i = 0; i < kLines + 2; ++i) {
            const bool musteri = i == 0, kdv = i == kLines + 1;
            const QString kod = musteri ? QStringLiteral("120.01")
                                : kdv   ? QStringLiteral("391.01")
                                        : QStringLiteral("600.%1").arg(i, 2, 10, QLatin1Char('0'));
            const int kebir = kod.left(3).toInt();
            l.addBindValue(no);
            l.addBindValue(no * 100 + i);
            l.addBindValue(i + 1);
            l.addBindValue(kod);
            l.addBindValue(QStringLiteral("IE No.lu Sat.Fat., C1-Müşteri, Stok Hrk."));
            l.addBindValue(musteri ? 3600.0 : 0.0);
            l.addBindValue(musteri ? 0.0 : kdv ? 600.0 : 100.0);
            l.addBindValue(inv);
            l.addBindValue(kebir / 100);
            l.addBindValue(kebir / 10);
            l.addBindValue(kebir);
            l.addBindValue(kod.mid(4));
            l.addBindValue(no);
            l.exec();
        }
        u.addBindValue(no);
        u.addBindValue(inv);
        u.exec();
        tx.commit();
    }
    state.counters["voucher_lines"] = kLines + 2;
}
void BM_PostWorkOrderInvoice30LinesBare(benchmark::State& state) { bare<QtSide>(state); }
void BM_PostWorkOrderInvoice30LinesEngine(benchmark::State& state) { bare<Engine>(state); }
BENCHMARK(BM_PostWorkOrderInvoice30LinesBare)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PostWorkOrderInvoice30LinesEngine)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond);

} // namespace
