// Attendance: importing a device file of TORNALY_BENCH_PDKS_LINES (100,000)
// lines and pairing its days (50 badges, 8 readings a day) through the
// program's import and pairing, against the same PEROKU and PEROKUM rows
// written by prepared statements in one transaction, through plain Qt and
// through the engine's own client. Every run starts from empty tables; the
// emptying is not timed.
#include "BenchSize.h"
#include "BenchSupport.h"
#include "EngineRef.h"
#include "db/Schema.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/attendance/Pdks.h"
#include "workshop/attendance/PdksKayit.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

constexpr int kBadges = 50;
const QDate kFirstDay(2025, 1, 1);
const QDateTime kNow(QDate(2026, 3, 9), QTime(10, 15));

int deviceLines() { return BenchSize("TORNALY_BENCH_PDKS_LINES", 100000); }

// One device-file line at its fixed positions.
QString line(int sirano, const QString& badge, const QDate& d, const QTime& t, const QString& tip, const QString& ieno)
{
    return S("%1 %2 %3.%4.%5 %6:%7 %8%9")
        .arg(sirano, 7)
        .arg(badge, -14)
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(tip, ieno);
}

struct Reading {
    QString badge;
    QDate day;
    pdks::Okuma okuma;
};

struct AttendanceDb {
    QTemporaryDir dir;
    ConnectionProfile profile;
    QString name = S("attendance_bench");
    Db db;
    QString file;
    PdksEslemeAyari ayar;
    QList<pdks::CihazSatiri> satirlar;  // the file's lines as the import reads them
    struct Interval {
        QDate day;
        QString badge, perKod;
        pdks::Aralik a;
    };
    QList<Interval> intervals; // what the pairing makes of them

    AttendanceDb()
    {
        workshop::RegisterSchema();
        profile = BenchProfile(dir.path(), S("attendance"));
        CreateDatabase(profile, DatabaseKind::Company);
        db = Db::open(profile, name);
        Transaction tx(db);
        for (int b = 1; b <= kBadges; ++b)
            db.exec(S("INSERT INTO ISCIUSTA (ISCI_KOD, ISCI_ADI, CIHAZ_ID) VALUES (:K, :A, :C)"),
                    {{S("K"), S("U%1").arg(b)}, {S("A"), S("USTA %1").arg(b)}, {S("C"), S("%1").arg(1000 + b)}});
        tx.commit();

        // A working day of one badge: in, two jobs, an excuse, back in, a job, out.
        struct Slot {
            QTime t;
            const char* tip;
            const char* ieno;
        };
        const Slot gunluk[] = {{QTime(8, 0), "G", ""},     {QTime(8, 20), "I", "W%1"}, {QTime(10, 10), "I", "W%1"},
                               {QTime(12, 0), "M", "001"}, {QTime(13, 0), "G", ""},    {QTime(13, 10), "I", "W%1"},
                               {QTime(15, 40), "I", "W%1"}, {QTime(17, 30), "C", ""}};
        QStringList lines{S("KAYIT LISTESI"), S("-------------"), S("NO KART")};
        const int total = deviceLines();
        int no = 0;
        for (QDate d = kFirstDay; no < total; d = d.addDays(1))
            for (int b = 1; b <= kBadges && no < total; ++b)
                for (const Slot& s : gunluk) {
                    if (no == total)
                        break;
                    QString ieno = S(s.ieno);
                    if (ieno.contains(QLatin1Char('%')))
                        ieno = ieno.arg((no / 3) % 90000 + 10000, 5, 10, QLatin1Char('0'));
                    lines << line(++no, S("%1").arg(1000 + b), d, s.t, S(s.tip), ieno);
                }
        file = dir.filePath(S("pdks.txt"));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file));
        f.write(lines.join(S("\r\n")).toLatin1() + "\r\n");
        f.close();
        ayar = {kFirstDay, QDateTime(QDate(2027, 1, 1), QTime(0, 0)), QTime(18, 0)};

        // The rows the reference writes: the lines parsed, and the intervals
        // the pairing makes of each day and badge.
        QMap<QPair<QDate, QString>, QList<pdks::Okuma>> gruplar;
        for (int i = 3; i < lines.size(); ++i) {
            const pdks::CihazSatiri s = pdks::CihazSatiriOku(lines[i], kNow);
            satirlar << s;
            gruplar[{s.TARIH, s.CIHAZ_ID}] << pdks::Okuma{s.SIRANO, s.SAAT, s.TIPKOD, s.IENO};
        }
        for (auto it = gruplar.cbegin(); it != gruplar.cend(); ++it) {
            const bool varlik = pdks::VarlikAraligiYapilir(it.key().first, ayar.mesaiBitis, ayar.dosyaZamani);
            for (const pdks::Aralik& a : pdks::BasBitZamanHesapla(it.value(), varlik))
                intervals << Interval{it.key().first, it.key().second, S("U%1").arg(it.key().second.toInt() - 1000), a};
        }
    }
    ~AttendanceDb()
    {
        db = Db();
        Db::close(name);
        DropDatabase(profile);
    }
    void empty()
    {
        Transaction tx(db);
        db.exec(S("DELETE FROM PEROKUM"));
        db.exec(S("DELETE FROM PEROKU"));
        tx.commit();
    }
};

AttendanceDb& attendanceDb()
{
    static std::unique_ptr<AttendanceDb> p;
    if (!p) {
        p = std::make_unique<AttendanceDb>();
        AtBenchEnd([] { p.reset(); });
    }
    return *p;
}

// The "Yeni Bilgileri Al" command: the file into PEROKU, then the pairing.
void BM_PdksImportAndPair(benchmark::State& state)
{
    AttendanceDb& s = attendanceDb();
    int written = 0, intervals = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.empty();
        state.ResumeTiming();
        written = CihazDosyasiOku(s.db, s.file, false, kNow).yazilan;
        intervals = PdksEsle(s.db, s.ayar);
    }
    state.counters["readings"] = written;
    state.counters["intervals"] = intervals;
    if (intervals != s.intervals.size())
        state.SkipWithError("the pairing made other intervals than the reference writes");
}
BENCHMARK(BM_PdksImportAndPair)->Unit(benchmark::kMillisecond)->Iterations(2);

// The two halves apart, to show where the time goes.
void BM_PdksImportOnly(benchmark::State& state)
{
    AttendanceDb& s = attendanceDb();
    for (auto _ : state) {
        state.PauseTiming();
        s.empty();
        state.ResumeTiming();
        CihazDosyasiOku(s.db, s.file, false, kNow);
    }
}
void BM_PdksPairOnly(benchmark::State& state)
{
    AttendanceDb& s = attendanceDb();
    for (auto _ : state) {
        state.PauseTiming();
        s.empty();
        CihazDosyasiOku(s.db, s.file, false, kNow);
        state.ResumeTiming();
        PdksEsle(s.db, s.ayar);
    }
}
BENCHMARK(BM_PdksImportOnly)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PdksPairOnly)->Unit(benchmark::kMillisecond)->Iterations(2);

template <class Side>
void plainStatements(benchmark::State& state)
{
    AttendanceDb& s = attendanceDb();
    Side side(s.db);
    using Q = typename Side::Query;
    Q okuma(side), aralik(side);
    okuma.prepare(S("INSERT INTO PEROKU (IENO, CIHAZ_ID, TARIH, SAAT, TIPKOD, SIRANO) "
                    "VALUES (:ieno, :cid, :trh, :houru, :tipKodu, :sirano)"));
    aralik.prepare(S("INSERT INTO PEROKUM (TARIH, CIHAZ_ID, PER_KOD, SAATBAS, SAATBIT, SIRANO_BAS, SIRANO_SON, "
                     "TIPKOD, IENO, IS_TIP, FIILISURE, ESLEME_NO) VALUES (:TARIH, :CIHAZ_ID, :PER_KOD, :SAATBAS, "
                     ":SAATBIT, :SIRANO_BAS, :SIRANO_SON, :TIPKOD, :IENO, :IS_TIP, :FIILISURE, :ESLEME_NO)"));
    const Backend be = s.db.backend();
    const auto v = [be](const QVariant& x) { return Query::toDbValue(x, be); };
    for (auto _ : state) {
        state.PauseTiming();
        s.empty();
        state.ResumeTiming();
        typename Side::Tx tx(side);
        for (const pdks::CihazSatiri& r : s.satirlar) {
            okuma.bindValue(S(":ieno"), r.IENO);
            okuma.bindValue(S(":cid"), r.CIHAZ_ID);
            okuma.bindValue(S(":trh"), v(pdks::GunBasi(r.TARIH)));
            okuma.bindValue(S(":houru"), v(r.SAAT));
            okuma.bindValue(S(":tipKodu"), r.TIPKOD);
            okuma.bindValue(S(":sirano"), r.SIRANO);
            okuma.exec();
        }
        for (const AttendanceDb::Interval& i : s.intervals) {
            aralik.bindValue(S(":TARIH"), v(pdks::GunBasi(i.day)));
            aralik.bindValue(S(":CIHAZ_ID"), i.badge);
            aralik.bindValue(S(":PER_KOD"), i.perKod);
            aralik.bindValue(S(":SAATBAS"), v(i.a.SAATBAS));
            aralik.bindValue(S(":SAATBIT"), v(i.a.SAATBIT));
            aralik.bindValue(S(":SIRANO_BAS"), i.a.SIRANO_BAS);
            aralik.bindValue(S(":SIRANO_SON"), i.a.SIRANO_SON);
            aralik.bindValue(S(":TIPKOD"), i.a.TIPKOD);
            aralik.bindValue(S(":IENO"), i.a.IENO);
            aralik.bindValue(S(":IS_TIP"), i.a.IS_TIP.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(i.a.IS_TIP));
            aralik.bindValue(S(":FIILISURE"), i.a.FIILISURE);
            aralik.bindValue(S(":ESLEME_NO"), i.a.ESLEME_NO);
            aralik.exec();
        }
        tx.commit();
    }
    state.counters["readings"] = double(s.satirlar.size());
    state.counters["intervals"] = double(s.intervals.size());
}
void BM_PdksImportAndPair_PlainStatements(benchmark::State& state) { plainStatements<QtSide>(state); }
void BM_PdksImportAndPair_Engine(benchmark::State& state) { plainStatements<Engine>(state); }
BENCHMARK(BM_PdksImportAndPair_PlainStatements)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PdksImportAndPair_Engine)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
