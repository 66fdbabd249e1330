// The dispositions save: a work order with 40 parts lines and 20 labour lines
// written with its totals and 80 ledger rows in one transaction, against the
// same rows written by plain prepared statements in one transaction.
#include "BenchSupport.h"
#include "EngineRef.h"
#include "context/SessionContext.h"
#include "db/Schema.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/dispositions/Dispoz.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

const QString kNo = QStringLiteral("B000001");

struct WoDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = QStringLiteral("dispoz_bench");
    Db db;
    SessionContext ctx;
    WoDb()
    {
        workshop::RegisterSchema();
        profile = BenchProfile(dir.path(), QStringLiteral("dispoz"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        ctx.Database1 = db;
        Transaction tx(db);
        db.exec(QStringLiteral("INSERT INTO ISEMRI (IS_EMRI_NO, FYILI, CARI_KOD, KAPANDI, IE_TIP, ARAC_GIRIS_TRH) "
                               "VALUES (:N, 2026, 'M001', 'H', 'A', :T)"),
                {{QStringLiteral("N"), kNo}, {QStringLiteral("T"), QDateTime(QDate(2026, 6, 1), QTime(9, 0))}});
        for (int i = 1; i <= 40; ++i)
            db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, PAY, KDV, FYT_KUR, SAT_FYT_TL) "
                                   "VALUES (:I, :K, 'Parça', 'P', 20, 'TL', 100)"),
                    {{QStringLiteral("I"), i}, {QStringLiteral("K"), QStringLiteral("P-%1").arg(i)}});
        tx.commit();
    }
    ~WoDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

WoDb& woDb()
{
    static WoDb* p = nullptr;
    if (!p) {
        p = new WoDb;
        AtBenchEnd([] { delete p; p = nullptr; });
    }
    return *p;
}

const QDateTime kTarih(QDate(2026, 6, 2), QTime(0, 0));

DispozBelgesi belge(const WoDb& w)
{
    DispozBelgesi b;
    b.isemri = {{QStringLiteral("IS_EMRI_NO"), kNo}, {QStringLiteral("FYILI"), 2026},
                {QStringLiteral("CARI_KOD"), QStringLiteral("M001")}, {QStringLiteral("KAPANDI"), QStringLiteral("H")},
                {QStringLiteral("ARAC_GIRIS_TRH"), QDateTime(QDate(2026, 6, 1), QTime(9, 0))}};
    Q_UNUSED(w);
    for (int i = 1; i <= 40; ++i)
        b.parcalar << QVariantMap{{QStringLiteral("ISEMRI_NO"), kNo}, {QStringLiteral("FYILI"), 2026},
                                  {QStringLiteral("SIRANO"), i}, {QStringLiteral("STOK_NO"), double(i)},
                                  {QStringLiteral("STOK_KOD_NO"), QStringLiteral("P-%1").arg(i)},
                                  {QStringLiteral("YEDEK_P_ADI"), QStringLiteral("Parça")},
                                  {QStringLiteral("STOK_MIKTAR"), 2.0}, {QStringLiteral("VERILEN_MIKTAR"), 2.0},
                                  {QStringLiteral("TESLIM_MIKTAR"), 2.0}, {QStringLiteral("TESLIM_TRH"), kTarih},
                                  {QStringLiteral("STOK_FIYATI"), 100.0 + i}, {QStringLiteral("KDV"), 20.0},
                                  {QStringLiteral("ISK_ORAN"), 5.0}, {QStringLiteral("GARANTI_TIPI"), QStringLiteral("M")},
                                  {QStringLiteral("DEPO_KODU"), QStringLiteral("1")}};
    for (int i = 1; i <= 20; ++i)
        b.iscilikler << QVariantMap{{QStringLiteral("ISEMRI_NO"), kNo}, {QStringLiteral("FYILI"), 2026},
                                    {QStringLiteral("SIRANO"), i}, {QStringLiteral("ARIZA_KODU"), QStringLiteral("M%1").arg(i)},
                                    {QStringLiteral("ARIZA_ADI"), QStringLiteral("İşçilik")}, {QStringLiteral("SURE"), 1.5},
                                    {QStringLiteral("QTY"), 1}, {QStringLiteral("ISCILIK_B_FIYATI"), 850.0},
                                    {QStringLiteral("TOPLAM"), 1275.0}, {QStringLiteral("KDV"), 20.0},
                                    {QStringLiteral("ISK_ORAN"), 0.0}, {QStringLiteral("GARANTI_TIPI"), QStringLiteral("M")}};
    return b;
}

void temizle(const Db& db)
{
    db.exec(QStringLiteral("DELETE FROM ISEAYRIN"));
    db.exec(QStringLiteral("DELETE FROM ISCILIK"));
}

void BM_DispozSave40x20_Service(benchmark::State& state)
{
    WoDb& w = woDb();
    const DispozBelgesi ilk = belge(w);
    for (auto _ : state) {
        state.PauseTiming();
        temizle(w.db);
        DispozBelgesi b = ilk;
        state.ResumeTiming();
        if (!DispozKaydet(w.db, w.ctx, b))
            state.SkipWithError("save failed");
    }
    state.counters["ledger_rows"] = 80;
}
BENCHMARK(BM_DispozSave40x20_Service)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

template <class Side>
void plainStatements(benchmark::State& state)
{
    WoDb& w = woDb();
    const DispozBelgesi b = belge(w);
    Side side(w.db);
    typename Side::Query p(side), l(side), h(side), del(side), mik(side), ie(side);
    p.prepare(QStringLiteral("INSERT INTO ISEAYRIN (ISEMRI_NO, FYILI, SIRANO, STOK_NO, STOK_KOD_NO, YEDEK_P_ADI, STOK_MIKTAR, "
                             "VERILEN_MIKTAR, TESLIM_MIKTAR, TESLIM_TRH, STOK_FIYATI, KDV, ISK_ORAN, GARANTI_TIPI, DEPO_KODU) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    l.prepare(QStringLiteral("INSERT INTO ISCILIK (ISEMRI_NO, FYILI, SIRANO, ARIZA_KODU, ARIZA_ADI, SURE, QTY, "
                             "ISCILIK_B_FIYATI, TOPLAM, KDV, ISK_ORAN, GARANTI_TIPI) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    del.prepare(QStringLiteral("DELETE FROM DEPOHRK WHERE ISEMRINO = ? AND TIP IN ('I', 'G') "
                               "RETURNING STOK_NO, DEPO_KODU, GIRMIK, CIKMIK"));
    h.prepare(QStringLiteral("INSERT INTO DEPOHRK (ISEMRINO, TIP, SIRANO, CARIKOD, STOK_NO, DEPO_KODU, TARIH, AY, YIL, GIRMIK, "
                             "CIKMIK, FIYAT) VALUES (?, ?, ?, ?, ?, ?, ?, 6, 2026, ?, ?, ?)"));
    mik.prepare(QStringLiteral("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (?, ?, ?) "
                               "ON CONFLICT (STOK_NO, DEPO_KOD) DO UPDATE SET MIKTAR = STOKMIK.MIKTAR + excluded.MIKTAR"));
    ie.prepare(QStringLiteral("UPDATE ISEMRI SET IS_TOP_TUTAR = ?, PAR_TOP_TUTAR = ?, TOP_TUTAR = ?, KDV_TUT = ?, PAR_ISK = ?, "
                              "ISC_ISK = ?, ARA_TUT = ?, GAR_TUT = ?, NET_TUT = ?, DISPOZ_YAP = 'E' WHERE IS_EMRI_NO = ?"));
    const QString tarih = Query::toDbValue(kTarih, w.db.backend()).toString();
    const auto run = [](auto& q) {
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
    };
    for (auto _ : state) {
        state.PauseTiming();
        temizle(w.db);
        state.ResumeTiming();
        typename Side::Tx tx(side);
        const IsEmriToplamlari t = BelgeToplamlari(b.parcalar, b.iscilikler);
        ie.addBindValue(t.IS_TOP_TUTAR); ie.addBindValue(t.PAR_TOP_TUTAR); ie.addBindValue(t.TOP_TUTAR);
        ie.addBindValue(t.KDV_TUT); ie.addBindValue(t.PAR_ISK); ie.addBindValue(t.ISC_ISK); ie.addBindValue(t.ARA_TUT);
        ie.addBindValue(t.GAR_TUT); ie.addBindValue(t.NET_TUT); ie.addBindValue(kNo);
        run(ie);
        for (const auto& r : b.parcalar) {
            for (const char* c : {"ISEMRI_NO", "FYILI", "SIRANO", "STOK_NO", "STOK_KOD_NO", "YEDEK_P_ADI", "STOK_MIKTAR",
                                  "VERILEN_MIKTAR", "TESLIM_MIKTAR"})
                p.addBindValue(r.value(QString::fromLatin1(c)));
            p.addBindValue(tarih);
            for (const char* c : {"STOK_FIYATI", "KDV", "ISK_ORAN", "GARANTI_TIPI", "DEPO_KODU"})
                p.addBindValue(r.value(QString::fromLatin1(c)));
            run(p);
        }
        for (const auto& r : b.iscilikler) {
            for (const char* c : {"ISEMRI_NO", "FYILI", "SIRANO", "ARIZA_KODU", "ARIZA_ADI", "SURE", "QTY",
                                  "ISCILIK_B_FIYATI", "TOPLAM", "KDV", "ISK_ORAN", "GARANTI_TIPI"})
                l.addBindValue(r.value(QString::fromLatin1(c)));
            run(l);
        }
        std::map<std::pair<double, QString>, double> fark;
        del.addBindValue(kNo);
        run(del);
        while (del.next())
            fark[{del.value(0).toDouble(), del.value(1).toString()}] -= del.value(2).toDouble() - del.value(3).toDouble();
        for (const auto& r : b.parcalar) {
            const double n = r.value(QStringLiteral("VERILEN_MIKTAR")).toDouble();
            for (const bool cikis : {true, false}) {
                const QString depo = cikis ? QStringLiteral("1") : QStringLiteral("2");
                h.addBindValue(kNo); h.addBindValue(cikis ? QStringLiteral("I") : QStringLiteral("G"));
                h.addBindValue(r.value(QStringLiteral("SIRANO"))); h.addBindValue(QStringLiteral("M001"));
                h.addBindValue(r.value(QStringLiteral("STOK_NO"))); h.addBindValue(depo); h.addBindValue(tarih);
                h.addBindValue(cikis ? 0.0 : n); h.addBindValue(cikis ? n : 0.0); h.addBindValue(r.value(QStringLiteral("STOK_FIYATI")));
                run(h);
                fark[{r.value(QStringLiteral("STOK_NO")).toDouble(), depo}] += cikis ? -n : n;
            }
        }
        for (const auto& [k, m] : fark) {
            if (m == 0)
                continue;
            mik.addBindValue(k.first); mik.addBindValue(k.second); mik.addBindValue(m);
            run(mik);
        }
        tx.commit();
    }
    state.counters["ledger_rows"] = 80;
}
void BM_DispozSave40x20_PlainStatements(benchmark::State& state) { plainStatements<QtSide>(state); }
void BM_DispozSave40x20_Engine(benchmark::State& state) { plainStatements<Engine>(state); }
BENCHMARK(BM_DispozSave40x20_PlainStatements)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_DispozSave40x20_Engine)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace
