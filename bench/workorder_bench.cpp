// Work orders at the size of a busy workshop: 200,000 work orders over two
// years with two parts lines each, on 100,000 vehicles. Measured through the
// layer and through a bare prepared statement with the same text:
// - the work-order list filtered to one month (the list's own statement);
// - the past work orders of one chassis (the vehicle history);
// - the reception's plate look-up, blanks and case ignored.
// The plan of each statement is printed once, so the index in use shows.
#include "BenchSupport.h"
#include "EngineRef.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/workorders/WorkOrders.h"
#include "db/BatchInsert.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "messages/ScriptedMessages.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

constexpr int kVehicles = 100000;
constexpr int kWorkOrders = 200000;
const QDate kFirstDay(2025, 1, 1);

QString chassis(int i) { return QStringLiteral("VNK1SED20%1").arg(i, 8, 10, QLatin1Char('0')); }
QString plate(int i)
{
    static const QString letters = QStringLiteral("ABCDEFGHJKLMNPRSTUVYZ");
    return QString::number(10 + i % 71) + letters.at(i % 21) + letters.at(i / 21 % 21) + QString::number(100 + i % 9877);
}

struct WorkOrderDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = QStringLiteral("workorderbench");
    Db db;
    WorkOrderDb()
    {
        workshop::RegisterSchema();
        profile = BenchProfile(dir.path(), QStringLiteral("workorders"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        Transaction tx(db);
        {
            BatchInsert b(db, QStringLiteral("ARAC"),
                          {QStringLiteral("SASE_NO"), QStringLiteral("MOTOR_NO"), QStringLiteral("PLAKA"),
                           QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("ARC_MODEL_TRH"), QStringLiteral("CARI_KOD")});
            for (int i = 0; i < kVehicles; ++i) {
                b.value(chassis(i)).value(QStringLiteral("M%1").arg(i)).value(plate(i)).value(QStringLiteral("VRN16")).value(2020 + i % 6);
                b.value(QStringLiteral("C%1").arg(i % 5000));
                b.endRow();
            }
            b.flush();
        }
        {
            BatchInsert w(db, QStringLiteral("ISEMRI"),
                          {QStringLiteral("IS_EMRI_NO"), QStringLiteral("FYILI"), QStringLiteral("IS_ENO"),
                           QStringLiteral("IE_TIP"), QStringLiteral("CARI_KOD"), QStringLiteral("SASI_NO"),
                           QStringLiteral("PLAKA_NO"), QStringLiteral("KM"), QStringLiteral("ARAC_GIRIS_TRH"),
                           QStringLiteral("KAPANDI"), QStringLiteral("IPTAL"), QStringLiteral("TOP_TUTAR")});
            BatchInsert p(db, QStringLiteral("ISEAYRIN"),
                          {QStringLiteral("ISEMRI_NO"), QStringLiteral("FYILI"), QStringLiteral("SIRANO"),
                           QStringLiteral("STOK_KOD_NO"), QStringLiteral("STOK_MIKTAR"), QStringLiteral("VERILEN_MIKTAR"),
                           QStringLiteral("STOK_FIYATI")});
            for (int i = 0; i < kWorkOrders; ++i) {
                // Each vehicle comes back about twice; days spread over two years.
                const int v = int((qint64(i) * 7919) % kVehicles);
                const QDateTime giris(kFirstDay.addDays(i % 730), QTime(8 + i % 9, i % 60));
                const QString no = QStringLiteral("S%1").arg(i + 1, 6, 10, QLatin1Char('0'));
                w.value(no).value(giris.date().year()).value(QStringLiteral("%1").arg(i % 10000, 4, 10, QLatin1Char('0')));
                w.value(QStringLiteral("A")).value(QStringLiteral("C%1").arg(v % 5000)).value(chassis(v)).value(plate(v));
                w.value(double(10000 + i % 90000)).value(giris).value(i % 10 == 0 ? QStringLiteral("H") : QStringLiteral("E"));
                w.value(QStringLiteral("H")).value(double(1000 + i % 5000));
                w.endRow();
                for (int s = 1; s <= 2; ++s) {
                    p.value(no).value(giris.date().year()).value(s).value(QStringLiteral("P%1").arg(i % 3000));
                    p.value(2.0).value(s == 1 ? 2.0 : 1.0).value(150.0);
                    p.endRow();
                }
            }
            w.flush();
            p.flush();
        }
        tx.commit();
        db.exec(db.backend() == Backend::PostgreSQL ? QStringLiteral("ANALYZE") : QStringLiteral("ANALYZE"));
    }
    ~WorkOrderDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
};

WorkOrderDb& workOrders()
{
    static WorkOrderDb* w = nullptr;
    if (!w) {
        w = new WorkOrderDb;
        AtBenchEnd([] { delete w; });
    }
    return *w;
}

// The plan of the statement with its values written in (EXPLAIN takes none).
void printPlan(const Db& db, const Sorgu& s, const char* what)
{
    static QStringList shown;
    if (shown.contains(QString::fromLatin1(what)))
        return;
    shown << QString::fromLatin1(what);
    QString text = s.statement;
    QStringList keys = s.binds.keys();
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& k : keys) {
        const QVariant v = s.binds.value(k);
        QString lit;
        if (v.typeId() == QMetaType::QDateTime)
            lit = QLatin1Char('\'') + v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\'');
        else if (v.typeId() == QMetaType::Int)
            lit = v.toString();
        else
            lit = QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
        text.replace(QLatin1Char(':') + k, lit);
    }
    QSqlQuery q(db.sql());
    q.exec((db.backend() == Backend::PostgreSQL ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN ")) + text);
    std::fprintf(stderr, "-- plan: %s\n", what);
    while (q.next())
        std::fprintf(stderr, "   %s\n", qPrintable(q.value(db.backend() == Backend::PostgreSQL ? 0 : 3).toString()));
}

void runLayer(benchmark::State& state, const Sorgu& s, const char* what)
{
    WorkOrderDb& w = workOrders();
    printPlan(w.db, s, what);
    qint64 rows = 0;
    for (auto _ : state) {
        Query q(w.db, s.statement);
        q.bindAll(s.binds).exec();
        while (q.next())
            ++rows;
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

void runBare(benchmark::State& state, const Sorgu& s)
{
    WorkOrderDb& w = workOrders();
    QSqlQuery q(w.db.sql());
    q.setForwardOnly(true);
    q.prepare(s.statement);
    qint64 rows = 0;
    for (auto _ : state) {
        for (auto it = s.binds.cbegin(); it != s.binds.cend(); ++it)
            q.bindValue(QLatin1Char(':') + it.key(), it.value());
        q.exec();
        while (q.next())
            ++rows;
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

// The engine's own client: the same statement prepared once.
void runEngine(benchmark::State& state, const Sorgu& s)
{
    WorkOrderDb& w = workOrders();
    Engine e(w.db);
    EngineQuery q(e, s.statement);
    qint64 rows = 0;
    for (auto _ : state) {
        q.bindAll(s.binds);
        q.exec();
        rows += q.readAll();
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

Sorgu monthList()
{
    WorkOrderDb& w = workOrders();
    IEBrFiltre f;
    f.durum = IEBrFiltre::Durum::Tumu;
    f.girisBas = QDate(2026, 3, 1);
    f.girisSon = QDate(2026, 3, 31);
    f.sira = IEBrFiltre::Sira::Giris;
    Sorgu s;
    IEBrSorgu(w.db, f, s);
    return s;
}

Sorgu history() { return IEGecmisSorgu(chassis(4242), QString()); }

// The reception's exact plate statement, as AracAra sends it.
Sorgu plateLookUp()
{
    WorkOrderDb& w = workOrders();
    return {QStringLiteral("SELECT SASE_NO, PLAKA, CARI_KOD FROM ARAC WHERE REPLACE(%1, ' ', '') = :P")
                .arg(w.db.dialect().upperExpr(QStringLiteral("PLAKA"))),
            {{QStringLiteral("P"), plate(4242)}}};
}

void BM_MonthList_Layer(benchmark::State& s) { runLayer(s, monthList(), "month list"); }
void BM_MonthList_Engine(benchmark::State& s) { runEngine(s, monthList()); }
void BM_VehicleHistory_Engine(benchmark::State& s) { runEngine(s, history()); }
void BM_PlateLookUp_Engine(benchmark::State& s) { runEngine(s, plateLookUp()); }
void BM_MonthList_Bare(benchmark::State& s) { runBare(s, monthList()); }
void BM_VehicleHistory_Layer(benchmark::State& s) { runLayer(s, history(), "vehicle history"); }
void BM_VehicleHistory_Bare(benchmark::State& s) { runBare(s, history()); }
void BM_PlateLookUp_Layer(benchmark::State& s) { runLayer(s, plateLookUp(), "plate look-up"); }
void BM_PlateLookUp_Bare(benchmark::State& s) { runBare(s, plateLookUp()); }

// The whole reception look-up routine, typed with blanks and in lower case.
void BM_ReceptionByPlate(benchmark::State& state)
{
    WorkOrderDb& w = workOrders();
    ScriptedMessages messages;
    const QString typed = plate(4242).toLower().insert(2, QLatin1Char(' '));
    qint64 rows = 0;
    for (auto _ : state)
        rows += AracAra(w.db, AracAlani::Plaka, typed).size();
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_MonthList_Layer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MonthList_Bare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VehicleHistory_Layer)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_VehicleHistory_Bare)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlateLookUp_Layer)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlateLookUp_Bare)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_MonthList_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VehicleHistory_Engine)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlateLookUp_Engine)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ReceptionByPlate)->Unit(benchmark::kMicrosecond)->UseRealTime();
