// Pre-delivery inspections at the size of a large importer's yard: 100,000
// PDI records with three faults each, on 100,000 vehicles.
// - "İşemri Aç": the PDI record locked, a work-order number drawn from the
//   card's counter (used numbers passed over), the work order written with the
//   faults as complaints, the number kept on the record: through the service,
//   and as the same reads and writes by prepared statements of the engine's
//   own client in one transaction.
// - The chassis search with a typed wildcard, through the service and as the
//   bare statement; its plan is printed once, so the index in use shows.
#include "BenchSupport.h"
#include "EngineRef.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/pdi/Pdi.h"
#include "context/SessionContext.h"
#include "db/BatchInsert.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "messages/ScriptedMessages.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

constexpr int kRecords = 100000;
constexpr int kOpens = 3000; // records each run of the "İşemri Aç" pair uses up

QString chassis(int i) { return QStringLiteral("VNK1SED20%1").arg(i, 8, 10, QLatin1Char('0')); }
QString pdiNo(int i) { return QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')); }

struct PdiDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = QStringLiteral("pdibench");
    Db db;
    SessionContext ctx;
    PdiDb()
    {
        workshop::RegisterSchema();
        profile = BenchProfile(dir.path(), QStringLiteral("pdi"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        ctx.Database1 = db;
        ctx.CalismaYili = QStringLiteral("2026");
        ctx.UretBKod = QStringLiteral("B1234");
        Transaction tx(db);
        for (const auto& [k, a] : {std::pair{"OTP", "Ön Tampon"}, std::pair{"KPT", "Kaput"}, std::pair{"TAV", "Tavan"}})
            db.exec(QStringLiteral("INSERT INTO PDIHYER VALUES (:K, :A)"),
                    {{QStringLiteral("K"), QString::fromUtf8(k)}, {QStringLiteral("A"), QString::fromUtf8(a)}});
        for (const auto& [k, a] : {std::pair{"CZK", "Çizik"}, std::pair{"GCK", "Göçük"}, std::pair{"BYH", "Boya Hatası"}})
            db.exec(QStringLiteral("INSERT INTO PDIHATAD VALUES (:K, :A)"),
                    {{QStringLiteral("K"), QString::fromUtf8(k)}, {QStringLiteral("A"), QString::fromUtf8(a)}});
        {
            BatchInsert a(db, QStringLiteral("ARAC"),
                          {QStringLiteral("SASE_NO"), QStringLiteral("MOTOR_NO"), QStringLiteral("ARC_MODEL_KODU"),
                           QStringLiteral("ARC_MODEL_TRH")});
            BatchInsert m(db, QStringLiteral("PDIMAST"),
                          {QStringLiteral("PDI_NO"), QStringLiteral("TARIH"), QStringLiteral("SASE_NO"), QStringLiteral("MOTOR_NO"),
                           QStringLiteral("MODEL_KODU"), QStringLiteral("RENK_KODU"), QStringLiteral("ONAY_VEREN"),
                           QStringLiteral("AKTARILDI")});
            BatchInsert d(db, QStringLiteral("PDIDET"),
                          {QStringLiteral("PDI_NO"), QStringLiteral("SIRA_NO"), QStringLiteral("HATA_YERI_KODU"),
                           QStringLiteral("HATA_ADI_KODU")});
            static const char* yerler[] = {"OTP", "KPT", "TAV"};
            static const char* hatalar[] = {"CZK", "GCK", "BYH"};
            for (int i = 0; i < kRecords; ++i) {
                a.value(chassis(i)).value(QStringLiteral("M%1").arg(i)).value(QStringLiteral("VRN16")).value(2026);
                a.endRow();
                m.value(pdiNo(i)).value(QDateTime(QDate(2026, 1, 1).addDays(i % 300), QTime(0, 0))).value(chassis(i));
                m.value(QStringLiteral("M%1").arg(i)).value(QStringLiteral("VRN16")).value(QStringLiteral("BYZ"));
                m.value(QStringLiteral("P1")).value(false);
                m.endRow();
            }
            a.flush();
            m.flush();
            // The fault lines after their records: a batch of lines may reach
            // the server before the records' batch (the lines' key needs them).
            for (int i = 0; i < kRecords; ++i) {
                for (int s = 0; s < 3; ++s) {
                    d.value(pdiNo(i)).value(s + 1).value(QString::fromLatin1(yerler[(i + s) % 3]));
                    d.value(QString::fromLatin1(hatalar[(i + 2 * s) % 3]));
                    d.endRow();
                }
            }
            d.flush();
        }
        db.exec(QStringLiteral("UPDATE PARAMSER SET SERI_NO = 1"));
        tx.commit();
        db.exec(QStringLiteral("ANALYZE"));
    }
    ~PdiDb()
    {
        ctx.Database1 = Db();
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

PdiDb& pdis()
{
    static PdiDb* p = nullptr;
    if (!p) {
        p = new PdiDb;
        AtBenchEnd([] { delete p; });
    }
    return *p;
}

void BM_IsemriAc_Layer(benchmark::State& state)
{
    PdiDb& p = pdis();
    ScriptedMessages messages;
    // Each run opens records that have no work order yet, repetitions too.
    static int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(PdiIsemriAc(p.db, p.ctx, pdiNo(i++)));
}

// The same rows by the engine's client: lock the record, lock the counter,
// pass over used numbers, advance it, keep the number on the record, read
// the model year and the faults, write the work order.
void BM_IsemriAc_Engine(benchmark::State& state)
{
    PdiDb& p = pdis();
    Engine e(p.db);
    const QString lock = p.db.dialect().rowLockSuffix();
    EngineQuery kayit(e, QStringLiteral("SELECT * FROM PDIMAST WHERE PDI_NO = :NO") + lock);
    EngineQuery sayac(e, QStringLiteral("SELECT SERI_NO FROM PARAMSER") + lock);
    EngineQuery kullanilmis(e, QStringLiteral("SELECT COUNT(*) FROM ISEMRI WHERE IS_EMRI_NO = :NO"));
    EngineQuery ilerlet(e, QStringLiteral("UPDATE PARAMSER SET SERI_NO = :SERI"));
    EngineQuery numara(e, QStringLiteral("UPDATE PDIMAST SET MODEL_SERISI = :IE, AKTARILDI = :A WHERE PDI_NO = :NO"));
    EngineQuery yil(e, QStringLiteral("SELECT ARC_MODEL_TRH FROM ARAC WHERE SASE_NO = :sase"));
    EngineQuery hatalar(e, QStringLiteral("SELECT D.SIRA_NO, Y.HATA_YERI_ADI, H.PDI_HATA_ADI FROM PDIDET D "
                                          "LEFT JOIN PDIHYER Y ON Y.HATA_YERI_KODU = D.HATA_YERI_KODU "
                                          "LEFT JOIN PDIHATAD H ON H.PDI_HATA_KODU = D.HATA_ADI_KODU "
                                          "WHERE D.PDI_NO = :NO ORDER BY D.SIRA_NO"));
    EngineQuery yaz(e, QStringLiteral("INSERT INTO ISEMRI (IS_EMRI_NO, FYILI, IE_TIP, SERVIS_KOD, IS_ENO, CARI_KOD, SASI_NO, "
                                      "MOTOR_NO, RENK_KOD, ARAC_GIRIS_TRH, ARAC_TESLIM_ALAN, ARAC_TIP, ARAC_MODEL, KM, IPTAL, "
                                      "KAPANDI, TAHMINI_TES_TRH, MUSTALIM_1, MUSTALIM_2, MUSTALIM_3) VALUES (:NO, 2026, 'P', "
                                      "'B1234', '999', 'PDI', :SASE, :MOTOR, :RENK, :GIRIS, :ALAN, :TIP, :MODEL, 0, 'H', 'H', "
                                      ":TES, :M1, :M2, :M3)"));
    static int i = kRecords / 2;
    const QDateTime bugun(QDate::currentDate(), QTime(0, 0));
    for (auto _ : state) {
        Engine::Tx tx(e);
        const QString no = pdiNo(i++);
        kayit.bindValue(QStringLiteral("NO"), no);
        kayit.exec();
        kayit.next();
        const QString sase = kayit.value(2).toString();
        const QVariant tarih = kayit.value(1), motor = kayit.value(3), model = kayit.value(4), renk = kayit.value(5),
                       onay = kayit.value(12);
        sayac.exec();
        sayac.next();
        double seri = sayac.value(0).toDouble();
        QString ie;
        for (;;) {
            ie = QStringLiteral("%1").arg(qint64(seri), 6, 10, QLatin1Char('0'));
            kullanilmis.bindValue(QStringLiteral("NO"), ie);
            kullanilmis.exec();
            kullanilmis.next();
            if (kullanilmis.value(0).toLongLong() == 0)
                break;
            seri += 1;
        }
        ilerlet.bindValue(QStringLiteral("SERI"), seri + 1);
        ilerlet.exec();
        numara.bindValue(QStringLiteral("IE"), ie);
        numara.bindValue(QStringLiteral("A"), false);
        numara.bindValue(QStringLiteral("NO"), no);
        numara.exec();
        yil.bindValue(QStringLiteral("sase"), sase);
        yil.exec();
        const QString modelYili = yil.next() ? yil.value(0).toString() : QString();
        hatalar.bindValue(QStringLiteral("NO"), no);
        hatalar.exec();
        QStringList sikayet;
        while (hatalar.next())
            sikayet << hatalar.value(1).toString() + QLatin1Char(' ') + hatalar.value(2).toString();
        yaz.bindValue(QStringLiteral("NO"), ie);
        yaz.bindValue(QStringLiteral("SASE"), sase);
        yaz.bindValue(QStringLiteral("MOTOR"), motor);
        yaz.bindValue(QStringLiteral("RENK"), renk);
        yaz.bindValue(QStringLiteral("GIRIS"), tarih);
        yaz.bindValue(QStringLiteral("ALAN"), onay);
        yaz.bindValue(QStringLiteral("TIP"), model);
        yaz.bindValue(QStringLiteral("MODEL"), modelYili);
        yaz.bindValue(QStringLiteral("TES"), bugun);
        for (int k = 0; k < 3; ++k)
            yaz.bindValue(QStringLiteral("M%1").arg(k + 1), sikayet.value(k));
        yaz.exec();
        tx.commit();
    }
}

void printPlan(const Db& db, const QString& sql, const QVariantMap& binds)
{
    QString text = sql;
    QStringList keys = binds.keys();
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& k : keys)
        text.replace(QLatin1Char(':') + k,
                     QLatin1Char('\'') + binds.value(k).toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''));
    QSqlQuery q(db.sql());
    q.exec((db.backend() == Backend::PostgreSQL ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN ")) + text);
    std::fprintf(stderr, "-- plan: chassis search\n");
    while (q.next())
        std::fprintf(stderr, "   %s\n", qPrintable(q.value(db.backend() == Backend::PostgreSQL ? 0 : 3).toString()));
}

const QString kAranan = QStringLiteral("VNK1SED20000421%");

void BM_SaseAra_Layer(benchmark::State& state)
{
    PdiDb& p = pdis();
    QVariantMap binds;
    printPlan(p.db, PdiSaseAraSql(p.db, kAranan, binds), binds);
    qint64 rows = 0;
    for (auto _ : state)
        rows += PdiSaseAra(p.db, kAranan).size();
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

void BM_SaseAra_Engine(benchmark::State& state)
{
    PdiDb& p = pdis();
    QVariantMap binds;
    const QString sql = PdiSaseAraSql(p.db, kAranan, binds);
    Engine e(p.db);
    EngineQuery q(e, sql);
    qint64 rows = 0;
    for (auto _ : state) {
        q.bindAll(binds);
        q.exec();
        rows += q.readAll();
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_IsemriAc_Layer)->Iterations(kOpens)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_IsemriAc_Engine)->Iterations(kOpens)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaseAra_Layer)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaseAra_Engine)->Unit(benchmark::kMicrosecond)->UseRealTime();
