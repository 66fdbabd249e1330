// Stock slips and the quick count: re-saving an approved 50-line transfer
// (head, 50 lines, 100 ledger rows) through the slip save against the same
// rows written by prepared statements in one transaction (plain Qt and the
// engine's own client); and count pages over a warehouse of
// TORNALY_BENCH_STOKMIK_ROWS (100,000) STOKMIK rows against the identical
// statement through the engine, with the plans printed once.
#include "BenchSize.h"
#include "BenchSupport.h"
#include "EngineRef.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "stock/StockSchema.h"
#include "stock/count/Sayim.h"
#include "stock/slips/StokFisi.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

int stokMikRows() { return BenchSize("TORNALY_BENCH_STOKMIK_ROWS", 100000); }

struct SlipDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = S("stockslip_bench");
    Db db;
    SessionContext ctx;
    StokFisi transfer; // saved and approved, 50 lines from warehouse 1 to 3
    int parts = 0;

    SlipDb()
    {
        stock::RegisterSchema();
        profile = BenchProfile(dir.path(), S("stockslip"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        parts = stokMikRows();
        ctx.Database1 = db;
        ctx.CalismaYiliNo = 2026;
        ctx.DonemBasTarih = QDate(2026, 1, 1);
        ctx.DonemBitTarih = QDate(2026, 12, 31);
        ctx.AktifKullanici.per_kod = S("P01");
        ctx.AktifKullanici.u_type = S("A");
        Transaction tx(db);
        db.exec(S("INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI) VALUES (3, '3', 'Yan Depo')"));
        const auto fill = [&](const char* sql) {
            Query q(db, S("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < :ROWS) ") + S(sql));
            q.bind(S("ROWS"), parts).bind(S("TARIH"), QDateTime(QDate(2025, 12, 31), QTime(0, 0))).exec();
        };
        fill("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, BARKOD, PAY, KDV, FYT_KUR, ALIS_FYT_TL, SAT_FYT_TL) "
             "SELECT I, 'P' || CAST(100000 + (I * 7919) % 900000 AS VARCHAR(10)) || '-' || CAST(I AS VARCHAR(10)), "
             "'Parça ' || CAST(I % 1000 AS VARCHAR(10)) || ' Fren Balatası', '869' || CAST(I AS VARCHAR(10)), 'P', 20, "
             "'TL', 5 + I % 300, 10 + I % 500 FROM N");
        fill("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR, RAF_YERI, SAYIM_MIK, SAYIM_FIILI) "
             "SELECT I, '1', 1 + I % 40, 'R' || CAST(I % 300 AS VARCHAR(5)), 0, 1 + I % 40 FROM N");
        // Opening rows for a third of the parts, as the count's opening columns read them.
        fill("INSERT INTO DEPOHRK (SATISNO, TIP, SIRANO, STOK_NO, DEPO_KODU, TARIH, AY, YIL, GIRMIK, CIKMIK, FIYAT) "
             "SELECT 80000000 + I / 50, 'D', I % 50, I, '1', :TARIH, 12, 2025, 1 + I % 40, 0, 5 FROM N WHERE I % 3 = 0");
        tx.commit();
        db.exec(S("ANALYZE"));

        transfer = YeniStokFisi(ctx, db, u'O');
        transfer.TARIH = QDateTime(QDate(2026, 3, 14), QTime(0, 0));
        transfer.ACIKLAMA1 = S("Depolar arası");
        transfer.CIKDEPO = S("1");
        transfer.GIRDEPO = S("3");
        transfer.ONAY = true;
        for (int i = 1; i <= 50; ++i) {
            const int n = StokFisineEkle(ctx, transfer, *StokKartiOzeti(db, i * 37 % parts + 1), {1.0 + i % 4, std::nullopt, true});
            transfer.satirlar[n].FIYAT = 5 + i;
        }
        StokFisiKaydet(ctx, db, transfer);
    }
    ~SlipDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

SlipDb& slipDb()
{
    static std::unique_ptr<SlipDb> p;
    if (!p) {
        p = std::make_unique<SlipDb>();
        AtBenchEnd([] { p.reset(); });
    }
    return *p;
}

// The save command of an approved transfer: checks, totals, the head lock,
// 100 ledger rows with STOKMIK, 50 lines and the head, in one transaction.
void BM_StokFisiKaydet_Transfer50(benchmark::State& state)
{
    SlipDb& s = slipDb();
    for (auto _ : state) {
        StokFisi f = s.transfer;
        StokFisiKaydet(s.ctx, s.db, f);
    }
    state.counters["lines"] = 50;
}
BENCHMARK(BM_StokFisiKaydet_Transfer50)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The same rows by prepared statements in one transaction, on a slip of its own.
template <class Side>
void transferPlain(benchmark::State& state)
{
    SlipDb& s = slipDb();
    // A second slip with the same lines, saved once by the program.
    static StokFisi f = [&s] {
        StokFisi k = s.transfer;
        k.HRKNO = YeniStokFisi(s.ctx, s.db, u'O').HRKNO;
        k.kayitli = false;
        StokFisiKaydet(s.ctx, s.db, k);
        return k;
    }();
    const double hrkno = f.HRKNO;
    const QList<DepoHrkSatiri> rows = StokFisiHareketleri(f);
    const bool pg = s.db.backend() == Backend::PostgreSQL;
    const QString tarih = Query::toDbValue(f.TARIH, s.db.backend()).toString();
    Side side(s.db);
    using Q = typename Side::Query;
    Q lock(side), del(side), ins(side), mik(side), satirSil(side), satirIns(side), head(side);
    lock.prepare(S("SELECT GIRDEPO FROM FISTK WHERE HRKNO = :H") + (pg ? S(" FOR UPDATE") : QString()));
    del.prepare(S("DELETE FROM DEPOHRK WHERE SATISNO = :SATISNO AND TIP = :TIP RETURNING STOK_NO, DEPO_KODU, GIRMIK, CIKMIK"));
    ins.prepare(S("INSERT INTO DEPOHRK (SATISNO, ISEMRINO, TIP, SIRANO, CARIKOD, STOK_NO, DEPO_KODU, TARIH, AY, YIL, "
                  "GIRMIK, CIKMIK, FIYAT, FYT_USD, SERINO) VALUES (:SATISNO, NULL, :TIP, :SIRANO, NULL, "
                  ":STOK_NO, :DEPO_KODU, :TARIH, 3, 2026, :GIRMIK, :CIKMIK, :FIYAT, NULL, NULL)"));
    mik.prepare(S("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (:STOK_NO, :DEPO_KOD, :MIKTAR) "
                  "ON CONFLICT (STOK_NO, DEPO_KOD) DO UPDATE SET MIKTAR = STOKMIK.MIKTAR + excluded.MIKTAR"));
    satirSil.prepare(S("DELETE FROM FISTKAYR WHERE HRKNO = :H"));
    satirIns.prepare(S("INSERT INTO FISTKAYR (HRKNO, SIRANO, STOK_NO, STOK_KOD_NO, STOK_ADI, MIKTAR, FIYAT, KDV, FYT_USD, "
                       "FYT_DOVIZ, DOVIZ_KODU, TL_KURDEGER, PARA_BAZ, KDV_DAHIL, DEPO_KODU, GER_TUT, GER_TUT_USD, SERINO, "
                       "ACIKLAMA) VALUES (:H, :SIRANO, :STOK_NO, :KOD, :AD, :MIKTAR, :FIYAT, :KDV, 0, 0, 'TL', 1, 'T', 'D', "
                       ":DEPO, :TUT, 0, NULL, NULL)"));
    head.prepare(S("UPDATE FISTK SET TIP = 'O', TARIH = :T, OZELKOD = NULL, ACIKLAMA1 = :A1, ACIKLAMA2 = NULL, "
                   "ACIKLAMA3 = NULL, KULLANICI = 'P01', PERSON_KOD = 'P01', CIKDEPO = '1', GIRDEPO = '3', BRUTTUT = :B, "
                   "KDVTUT = :K, NETTUT = :N, BRUT_USD = 0, KDV_USD = 0, NET_USD = 0, USDFYT = 0, ONAY = 1 WHERE HRKNO = :H"));
    for (auto _ : state) {
        typename Side::Tx tx(side);
        lock.bindValue(S(":H"), hrkno);
        lock.exec();
        lock.next();
        std::map<std::pair<double, QString>, double> fark;
        del.bindValue(S(":SATISNO"), hrkno);
        del.bindValue(S(":TIP"), S("O"));
        del.exec();
        while (del.next())
            fark[{del.value(0).toDouble(), del.value(1).toString()}] -= del.value(2).toDouble() - del.value(3).toDouble();
        for (const DepoHrkSatiri& r : rows) {
            ins.bindValue(S(":SATISNO"), hrkno);
            ins.bindValue(S(":TIP"), r.TIP);
            ins.bindValue(S(":SIRANO"), r.SIRANO);
            ins.bindValue(S(":STOK_NO"), r.STOK_NO);
            ins.bindValue(S(":DEPO_KODU"), r.DEPO_KODU);
            ins.bindValue(S(":TARIH"), tarih);
            ins.bindValue(S(":GIRMIK"), r.GIRMIK);
            ins.bindValue(S(":CIKMIK"), r.CIKMIK);
            ins.bindValue(S(":FIYAT"), r.FIYAT);
            ins.exec();
            fark[{r.STOK_NO, r.DEPO_KODU}] += r.GIRMIK - r.CIKMIK;
        }
        for (const auto& [k, m] : fark) {
            if (m == 0)
                continue;
            mik.bindValue(S(":STOK_NO"), k.first);
            mik.bindValue(S(":DEPO_KOD"), k.second);
            mik.bindValue(S(":MIKTAR"), m);
            mik.exec();
        }
        satirSil.bindValue(S(":H"), hrkno);
        satirSil.exec();
        for (const StokFisSatiri& l : f.satirlar) {
            satirIns.bindValue(S(":H"), hrkno);
            satirIns.bindValue(S(":SIRANO"), l.SIRANO);
            satirIns.bindValue(S(":STOK_NO"), l.STOK_NO);
            satirIns.bindValue(S(":KOD"), l.STOK_KOD_NO);
            satirIns.bindValue(S(":AD"), l.STOK_ADI);
            satirIns.bindValue(S(":MIKTAR"), l.MIKTAR);
            satirIns.bindValue(S(":FIYAT"), l.FIYAT);
            satirIns.bindValue(S(":KDV"), l.KDV);
            satirIns.bindValue(S(":DEPO"), l.DEPO_KODU);
            satirIns.bindValue(S(":TUT"), l.NetKDVsizTut());
            satirIns.exec();
        }
        head.bindValue(S(":T"), tarih);
        head.bindValue(S(":A1"), f.ACIKLAMA1);
        head.bindValue(S(":B"), f.BRUTTUT);
        head.bindValue(S(":K"), f.KDVTUT);
        head.bindValue(S(":N"), f.NETTUT);
        head.bindValue(S(":H"), hrkno);
        head.exec();
        tx.commit();
    }
    state.counters["lines"] = 50;
}
void BM_StokFisiTransfer50_PlainStatements(benchmark::State& state) { transferPlain<QtSide>(state); }
void BM_StokFisiTransfer50_Engine(benchmark::State& state) { transferPlain<Engine>(state); }
BENCHMARK(BM_StokFisiTransfer50_PlainStatements)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_StokFisiTransfer50_Engine)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// ---- Count pages ----------------------------------------------------------------

enum class Sayfa { Ilk, Orta, AdAramasi, RafSirasi };

SayimSayfaIstegi sayfaIstegi(SlipDb& s, Sayfa k)
{
    SayimSayfaIstegi is;
    is.depo = S("1");
    switch (k) {
    case Sayfa::Ilk:
        break;
    case Sayfa::Orta: {
        // "Sonraki Sayfa" from a row half way through the part numbers.
        SayimSayfaIstegi ilk = is;
        ilk.kod = S("P5");
        const QList<SayimSatiri> r = SayimSayfasi(s.db, ilk);
        if (!r.isEmpty())
            is.baslangic = r.first();
        break;
    }
    case Sayfa::AdAramasi:
        is.sira = SayimSirasi::Ad;
        is.ad = S("Parça 5");
        break;
    case Sayfa::RafSirasi:
        is.sira = SayimSirasi::Raf;
        break;
    }
    return is;
}

void countPage(benchmark::State& state, Sayfa k)
{
    SlipDb& s = slipDb();
    const SayimSayfaIstegi is = sayfaIstegi(s, k);
    qsizetype rows = 0;
    for (auto _ : state)
        rows = SayimSayfasi(s.db, is).size();
    state.counters["rows"] = double(rows);
    state.counters["stokmik"] = s.parts;
}

void countPageEngine(benchmark::State& state, Sayfa k)
{
    SlipDb& s = slipDb();
    const SayimSayfaIstegi is = sayfaIstegi(s, k);
    QVariantMap binds;
    const QString sql = SayimSayfaSorgusu(s.db, is, binds);
    Engine e(s.db);
    EngineQuery q(e, sql);
    int rows = 0;
    for (auto _ : state) {
        q.bindAll(binds);
        q.exec();
        rows = q.readAll();
    }
    state.counters["rows"] = rows;
    state.counters["stokmik"] = s.parts;
}

void BM_SayimSayfasi_First(benchmark::State& state) { countPage(state, Sayfa::Ilk); }
void BM_SayimSayfasi_First_Engine(benchmark::State& state) { countPageEngine(state, Sayfa::Ilk); }
void BM_SayimSayfasi_Next(benchmark::State& state) { countPage(state, Sayfa::Orta); }
void BM_SayimSayfasi_Next_Engine(benchmark::State& state) { countPageEngine(state, Sayfa::Orta); }
void BM_SayimSayfasi_NameFrom(benchmark::State& state) { countPage(state, Sayfa::AdAramasi); }
void BM_SayimSayfasi_NameFrom_Engine(benchmark::State& state) { countPageEngine(state, Sayfa::AdAramasi); }
void BM_SayimSayfasi_Shelf(benchmark::State& state) { countPage(state, Sayfa::RafSirasi); }
void BM_SayimSayfasi_Shelf_Engine(benchmark::State& state) { countPageEngine(state, Sayfa::RafSirasi); }
BENCHMARK(BM_SayimSayfasi_First)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_First_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_Next)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_Next_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_NameFrom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_NameFrom_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_Shelf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SayimSayfasi_Shelf_Engine)->Unit(benchmark::kMicrosecond);

// Not a timing: the plans of the count pages, printed once.
void BM_SayimSayfasi_ShowPlans(benchmark::State& state)
{
    SlipDb& s = slipDb();
    for (auto _ : state) {
    }
    const bool pg = s.db.backend() == Backend::PostgreSQL;
    for (Sayfa k : {Sayfa::Ilk, Sayfa::Orta, Sayfa::AdAramasi, Sayfa::RafSirasi}) {
        QVariantMap binds;
        QString text = SayimSayfaSorgusu(s.db, sayfaIstegi(s, k), binds);
        // Longest names first, so :K1 is not replaced inside :K10.
        QStringList names = binds.keys();
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
        for (const QString& n : names) {
            const QVariant v = Query::toDbValue(binds.value(n), s.db.backend());
            const bool sayi = v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong;
            text.replace(QLatin1Char(':') + n, sayi ? v.toString() : QLatin1Char('\'') + v.toString() + QLatin1Char('\''));
        }
        QSqlQuery q(s.db.sql());
        q.exec((pg ? S("EXPLAIN ") : S("EXPLAIN QUERY PLAN ")) + text);
        std::fprintf(stderr, "-- count page %d plan:\n", int(k));
        while (q.next())
            std::fprintf(stderr, "   %s\n", qPrintable(q.value(pg ? 0 : 3).toString()));
    }
}
BENCHMARK(BM_SayimSayfasi_ShowPlans)->Iterations(1);

} // namespace
