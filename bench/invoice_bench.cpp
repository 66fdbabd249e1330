// Saving a work-order invoice of 20 part lines and 10 labour lines with all
// its postings (header, lines, current-account row, stock issue with the
// part totals, invoiced marks, call-back dates, work-order close), against
// the same rows written by prepared statements in one transaction, through
// plain Qt and through the engine's own client (sqlite3, libpq pipeline);
// each with ledgers of 10,000 and of 1,000,000 rows (LedgerRows()).
#include "BenchSupport.h"
#include "EngineRef.h"
#include "aftersales/AftersalesSchema.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "invoicing/InvoicingSchema.h"
#include "invoicing/workorder/IEFatura.h"
#include "messages/ScriptedMessages.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tornaly;
using namespace tornaly::invoicing;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

struct InvoiceDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name;
    Db db;
    SessionContext ctx;
    ScriptedMessages messages;
    IEFatura fatura;

    explicit InvoiceDb(int ledgerRows)
    {
        invoicing::RegisterSchema();
        aftersales::RegisterSchema();
        SetMessageService(&messages);
        name = S("invoice_bench_%1").arg(ledgerRows);
        profile = BenchProfile(dir.path(), S("invoice%1").arg(ledgerRows));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        FillLedgers(db, ledgerRows);
        ctx.Database1 = db;
        ctx.AktifKullanici.iefatura = S("Y");
        ctx.AktifKullanici.u_type = S("A");
        ctx.DonemBasTarih = QDate(2026, 1, 1);
        ctx.DonemBitTarih = QDate(2026, 12, 31);
        Transaction tx(db);
        db.exec(S("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES ('M001', 'AYŞE YILMAZ')"));
        db.exec(S("INSERT INTO PERIYOT (SAT_SER, ARA_TIP, PER_GUN) VALUES ('S', '1', 30)"));
        db.exec(S("INSERT INTO ISEMRI (IS_EMRI_NO, FYILI, IE_TIP, CARI_KOD, KAPANDI) VALUES ('B000001', 2026, 'B', 'M001', 'H')"));
        for (int i = 1; i <= 20; ++i) {
            db.exec(S("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR) VALUES (:N, :K, :K)"),
                    {{S("N"), i}, {S("K"), S("P%1").arg(i)}});
            db.exec(S("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_KOD_NO, YEDEK_P_ADI, STOK_MIKTAR, "
                      "VERILEN_MIKTAR, STOK_FIYATI, KDV, ISK_ORAN, GARANTI_TIPI) "
                      "VALUES ('B000001', 2026, :S, :K, :K, 2, 2, :F, 20, 5, 'M')"),
                    {{S("S"), i}, {S("K"), S("P%1").arg(i)}, {S("F"), 10.0 * i}});
        }
        for (int i = 1; i <= 10; ++i)
            db.exec(S("INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO, ARIZA_KODU, ARIZA_ADI, SURE, QTY, "
                      "ISCILIK_B_FIYATI, KDV, ISK_ORAN, GARANTI_TIPI) VALUES ('B000001', 2026, :S, :K, :K, 1.5, 1, 1200, 20, 0, 'M')"),
                    {{S("S"), i}, {S("K"), S("L%1").arg(i)}});
        tx.commit();
        fatura = YeniIEFatura(ctx, db, S("I"));
        fatura.set(S("TARIH"), QDateTime(QDate(2026, 6, 1), QTime(0, 0)));
        IsEmriFaturaOlustur(ctx, db, fatura, S("B000001"), 2026);
        if (!IEFaturaKaydet(ctx, db, fatura))
            qFatal("first save failed: %s", qPrintable(messages.texts().join(S(" | "))));
    }
    ~InvoiceDb()
    {
        SetMessageService(nullptr);
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

// One database per ledger size, the ledgers filled with that many rows.
InvoiceDb& invoiceDb(int ledgerRows)
{
    static std::map<int, std::unique_ptr<InvoiceDb>> dbs;
    auto& p = dbs[ledgerRows];
    if (!p) {
        p = std::make_unique<InvoiceDb>(ledgerRows);
        AtBenchEnd([ledgerRows] { dbs.erase(ledgerRows); });
    }
    return *p;
}

// The save command: checks, totals, the number under its lock and every posting.
void BM_IEFaturaKaydet30(benchmark::State& state)
{
    InvoiceDb& s = invoiceDb(int(state.range(0)));
    for (auto _ : state) {
        IEFatura f = s.fatura;
        if (!IEFaturaKaydet(s.ctx, s.db, f))
            state.SkipWithError("save failed");
    }
    state.counters["lines"] = 30;
}
BENCHMARK(BM_IEFaturaKaydet30)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The same rows written by prepared statements in one transaction: through
// plain Qt, and through the engine's own client (libpq in one pipeline).
template <class Side>
void plainStatements(benchmark::State& state)
{
    InvoiceDb& s = invoiceDb(int(state.range(0)));
    const IEFatura& f = s.fatura;
    const double no = f.satisNo() + 1000000;
    Side side(s.db);
    using Q = typename Side::Query;
    const bool pg = s.db.backend() == Backend::PostgreSQL;
    Q lock(side), dupe(side), arama(side), isaretSil1(side), isaretSil2(side), cariSil(side), cariIns(side), head(side),
        satirSil(side), satirIns(side), depoSil(side), depoIns(side), mik(side), isaret1(side), isaret2(side), kapat(side);
    lock.prepare(S("SELECT SABITHARF, FATNO FROM NEWSATIS") + (pg ? S(" FOR UPDATE") : QString()));
    dupe.prepare(S("SELECT SATIS_NO FROM SERFAT WHERE FAT_NO = :F AND SATIS_NO <> :S"));
    arama.prepare(S("UPDATE ARAMAPER SET REF_TRH = :R, ARAMA_TRH = :A, CARI_KOD = :C WHERE IE_NO = :IE AND MUS_TIP = 'S' AND PERIYOT = 30"));
    isaretSil1.prepare(S("UPDATE ISEAYRIN SET FATURANO = NULL WHERE ISEMRI_NO = :IE AND FATURANO = :S"));
    isaretSil2.prepare(S("UPDATE ISCILIK SET FATURANO = NULL WHERE ISEMRI_NO = :IE AND FATURANO = :S"));
    cariSil.prepare(S("DELETE FROM CARIHRK WHERE CRHRK_TUR = 'S' AND REF_NO = :S"));
    cariIns.prepare(S("INSERT INTO CARIHRK (CARI_NO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, ALT_TIP, REF_NO, BORC, BORC_DVZ, "
                      "DOVIZ_KODU, PARA_BAZ, TL_KURDEGER, ACIKLAMA, BELGE_NO, AY, YIL) VALUES (:N, 'M001', :T, :T, 'S', 'I', :S, "
                      ":B, :B, 'TL', 'D', 1, 'x', 'x', 6, 2026)"));
    head.prepare(S("INSERT INTO SERFAT (SATIS_NO, FAT_TUR, TURU, IS_EMRI_NO, CARI_KOD, CARI_AD, TARIH, BRUT_TUTAR, "
                   "TOPLAM_TUTAR, KDV_TUTARI, NET_TUTAR) VALUES (:S, 'I', 'F', 'B000001', 'M001', 'AYŞE', :T, 1, 1, 1, 1) "
                   "ON CONFLICT (SATIS_NO) DO UPDATE SET NET_TUTAR = excluded.NET_TUTAR, TARIH = excluded.TARIH"));
    satirSil.prepare(S("DELETE FROM SERFATDT WHERE SATIS_NO = :S"));
    satirIns.prepare(S("INSERT INTO SERFATDT (SATIS_NO, SIRA, PARCA_ISCILIK, PI_KOD, PI_AD, BIRIM_FIYAT, MIKTAR, KDV, ISKONTO, "
                       "GER_TUT, ISK_TUT, GARANTI_TIP, IENO, REFSIRA) VALUES (:S, :SI, :P, :K, :A, :F, :M, :KDV, :I, :G, :IT, 'M', "
                       "'B000001', :R)"));
    depoSil.prepare(S("DELETE FROM DEPOHRK WHERE SATISNO = :S AND TIP = 'C' RETURNING STOK_NO, DEPO_KODU, GIRMIK, CIKMIK"));
    depoIns.prepare(S("INSERT INTO DEPOHRK (SATISNO, TIP, SIRANO, CARIKOD, STOK_NO, DEPO_KODU, TARIH, AY, YIL, GIRMIK, CIKMIK, "
                      "FIYAT) VALUES (:S, 'C', :SI, 'M001', :SN, '2', :T, 6, 2026, 0, :M, :F)"));
    mik.prepare(S("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (:SN, '2', :M) "
                  "ON CONFLICT (STOK_NO, DEPO_KOD) DO UPDATE SET MIKTAR = STOKMIK.MIKTAR + excluded.MIKTAR"));
    isaret1.prepare(S("UPDATE ISEAYRIN SET FATURANO = :S WHERE ISEMRI_NO = 'B000001' AND SIRANO = :R AND FYILI = 2026"));
    isaret2.prepare(S("UPDATE ISCILIK SET FATURANO = :S WHERE ISEMRI_NO = 'B000001' AND SIRANO = :R AND FYILI = 2026"));
    kapat.prepare(S("UPDATE ISEMRI SET KAPANDI = 'E', TAHMINI_TES_TRH = :T WHERE IS_EMRI_NO = 'B000001' "
                    "AND (KAPANDI IS NULL OR KAPANDI <> 'E')"));
    const QString tarih = Query::toDbValue(QDateTime(QDate(2026, 6, 1), QTime(0, 0)), s.db.backend()).toString();
    double cariNo = 5000000;
    for (auto _ : state) {
        typename Side::Tx tx(side);
        lock.exec();
        lock.next();
        dupe.bindValue(S(":F"), S("X"));
        dupe.bindValue(S(":S"), no);
        dupe.exec();
        arama.bindValue(S(":R"), tarih);
        arama.bindValue(S(":A"), tarih);
        arama.bindValue(S(":C"), S("M001"));
        arama.bindValue(S(":IE"), S("B000001"));
        arama.exec();
        for (Q* q : {&isaretSil1, &isaretSil2}) {
            q->bindValue(S(":IE"), S("B000001"));
            q->bindValue(S(":S"), no);
            q->exec();
        }
        cariSil.bindValue(S(":S"), no);
        cariSil.exec();
        cariIns.bindValue(S(":N"), ++cariNo);
        cariIns.bindValue(S(":T"), tarih);
        cariIns.bindValue(S(":S"), no);
        cariIns.bindValue(S(":B"), 1000.0);
        cariIns.exec();
        head.bindValue(S(":S"), no);
        head.bindValue(S(":T"), tarih);
        head.exec();
        satirSil.bindValue(S(":S"), no);
        satirSil.exec();
        for (const IEFatSatir& l : f.satirlar) {
            satirIns.bindValue(S(":S"), no);
            satirIns.bindValue(S(":SI"), l.SIRA);
            satirIns.bindValue(S(":P"), l.PARCA_ISCILIK);
            satirIns.bindValue(S(":K"), l.PI_KOD);
            satirIns.bindValue(S(":A"), l.PI_AD);
            satirIns.bindValue(S(":F"), l.BIRIM_FIYAT);
            satirIns.bindValue(S(":M"), l.MIKTAR);
            satirIns.bindValue(S(":KDV"), l.KDV);
            satirIns.bindValue(S(":I"), l.ISKONTO);
            satirIns.bindValue(S(":G"), l.GER_TUT);
            satirIns.bindValue(S(":IT"), l.ISK_TUT);
            satirIns.bindValue(S(":R"), l.REFSIRA);
            satirIns.exec();
        }
        std::map<double, double> fark;
        depoSil.bindValue(S(":S"), no);
        depoSil.exec();
        while (depoSil.next())
            fark[depoSil.value(0).toDouble()] += depoSil.value(3).toDouble();
        int stokNo = 0;
        for (const IEFatSatir& l : f.satirlar) {
            if (l.PARCA_ISCILIK != QLatin1String("P"))
                continue;
            depoIns.bindValue(S(":S"), no);
            depoIns.bindValue(S(":SI"), l.SIRA);
            depoIns.bindValue(S(":SN"), double(++stokNo));
            depoIns.bindValue(S(":T"), tarih);
            depoIns.bindValue(S(":M"), l.MIKTAR);
            depoIns.bindValue(S(":F"), l.GER_TUT / l.MIKTAR);
            depoIns.exec();
            fark[stokNo] -= l.MIKTAR;
        }
        for (const auto& [sn, m] : fark) {
            if (m == 0)
                continue;
            mik.bindValue(S(":SN"), sn);
            mik.bindValue(S(":M"), m);
            mik.exec();
        }
        for (const IEFatSatir& l : f.satirlar) {
            Q& q = l.PARCA_ISCILIK == QLatin1String("P") ? isaret1 : isaret2;
            q.bindValue(S(":S"), no);
            q.bindValue(S(":R"), l.REFSIRA);
            q.exec();
        }
        kapat.bindValue(S(":T"), tarih);
        kapat.exec();
        tx.commit();
    }
    state.counters["lines"] = 30;
}
void BM_IEFaturaPlainStatements30(benchmark::State& state) { plainStatements<QtSide>(state); }
void BM_IEFaturaEngine30(benchmark::State& state) { plainStatements<Engine>(state); }
BENCHMARK(BM_IEFaturaPlainStatements30)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_IEFaturaEngine30)->Apply(LedgerGrowth)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace
