// The device file into PEROKU, the pairing into PEROKUM, and the hand entries.
#include "PdksFixture.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"

#include <stdexcept>

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::PdksTest;

namespace {

const QDateTime simdi(QDate(2026, 3, 9), QTime(10, 15, 40));
QString S(const char* s) { return QString::fromUtf8(s); }

class PdksImportTest : public PdksTest {
protected:
    PdksDosyaSonucu oku(bool tumu, const QDateTime& an = simdi)
    {
        return CihazDosyasiOku(db, PdksDosyaYolu(db), tumu, an);
    }
    int esle(const std::function<void(const QDate&, const QString&)>& adim = {})
    {
        return PdksEsle(db, {gun, QDateTime(gun.addDays(1), QTime(7, 0)), {}}, {}, adim);
    }
    int rows(const char* table) { return count(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(table)); }
};

TEST_F(PdksImportTest, AMissingFileIsRefusedAndNothingIsWritten)
{
    db.exec(QStringLiteral("UPDATE FIRKIM SET BBSDIZIN = :Y"), {{QStringLiteral("Y"), klasor.filePath(QStringLiteral("yok.txt"))}});
    EXPECT_FALSE(Guard([&] { oku(false); }));
    EXPECT_EQ(messages.lastText(), S("Dosyaya Ulaşılamadı!, Parametrelerden PDKS Dosyası Yolunu Kontrol Ediniz!"));
    EXPECT_EQ(rows("PEROKU"), 0);
}

TEST_F(PdksImportTest, ReadingTheFileAgainAddsNoRowsAndARepeatedLineIsOneReading)
{
    dosya({satir(1, S("1001"), gun, QTime(8, 0)), satir(2, S("1001"), gun, QTime(12, 0)),
           satir(3, S("1001"), gun, QTime(12, 0)), satir(4, S("1002"), gun, QTime(8, 30), S("I"), S("W00001"))});
    const PdksDosyaSonucu r = oku(false);
    EXPECT_EQ(r.okunanSatir, 7);
    EXPECT_EQ(rows("PEROKU"), 3);
    // The repeated reading carries the number of the later line.
    EXPECT_EQ(scalar(QStringLiteral("SELECT SIRANO FROM PEROKU WHERE SAAT = :S"),
                     {{QStringLiteral("S"), QDateTime(gun, QTime(12, 0))}}).toInt(), 3);
    oku(true);
    oku(false);
    EXPECT_EQ(rows("PEROKU"), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKU WHERE IENO = 'W00001' AND TIPKOD = 'I'")), 1);
}

TEST_F(PdksImportTest, AFileWhoseNumberingRestartedIsNotSkipped)
{
    dosya({satir(1, S("1001"), gun, QTime(8, 0)), satir(2, S("1001"), gun, QTime(17, 0)),
           satir(3, S("1002"), gun, QTime(8, 0)), satir(4, S("1002"), gun, QTime(17, 0))});
    oku(false);
    // The next day's file numbers from 1 again.
    const QDate ertesi = gun.addDays(1);
    dosya({satir(1, S("1001"), ertesi, QTime(8, 0)), satir(2, S("1001"), ertesi, QTime(17, 0)),
           satir(5, S("1002"), ertesi, QTime(8, 5))});
    const PdksDosyaSonucu r = oku(false);
    EXPECT_EQ(r.yenidenNumarali, 2);
    EXPECT_EQ(r.yazilan, 3);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKU WHERE TARIH = :G"),
                    {{QStringLiteral("G"), QDateTime(ertesi, QTime(0, 0))}}),
              3);
    // A stored reading at or below the highest number keeps what it has.
    EXPECT_EQ(oku(false).yazilan, 0);
    EXPECT_EQ(rows("PEROKU"), 7);
}

TEST_F(PdksImportTest, LinesThatDoNotConvertAreListedAndABadDateIsStoredOnce)
{
    dosya({satir(1, S("1001"), gun, QTime(8, 0)), S("  x2    1001           02.03.26 09:00 C"),
           S("      3 1001           02.13.26 09:30 C"), satir(4, S("1001"), gun, QTime(17, 0))});
    PdksDosyaSonucu r = oku(false);
    ASSERT_EQ(r.hataliSatirlar.size(), 2);
    EXPECT_TRUE(r.hataliSatirlar[0].startsWith(S("5. satır"))) << r.hataliSatirlar[0].toStdString();
    EXPECT_TRUE(r.hataliSatirlar[1].startsWith(S("6. satır"))) << r.hataliSatirlar[1].toStdString();
    EXPECT_EQ(rows("PEROKU"), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SAAT FROM PEROKU WHERE SIRANO = 3")).toDateTime(),
              QDateTime(simdi.date(), QTime(10, 15)));
    // Read again later: the bad line is listed again but not stored twice.
    r = oku(true, simdi.addSecs(3600));
    EXPECT_EQ(r.hataliSatirlar.size(), 2);
    EXPECT_EQ(rows("PEROKU"), 3);
}

TEST_F(PdksImportTest, PairingAfterTheImportAndAgainAddsNoRowsAndKeepsThePersonCode)
{
    dosya({satir(1, S("1001"), gun, QTime(8, 0)), satir(2, S("1001"), gun, QTime(9, 0), S("I"), S("W00001")),
           satir(3, S("1001"), gun, QTime(11, 30), S("I"), S("W00001")), satir(4, S("1001"), gun, QTime(17, 0)),
           satir(5, S("7777"), gun, QTime(8, 0)), satir(6, S("7777"), gun, QTime(16, 0))});
    oku(false);
    EXPECT_EQ(esle(), 3);
    EXPECT_EQ(araliklar(S("C")), (QStringList{S("08:00-17:00"), S("08:00-16:00")}));
    EXPECT_EQ(araliklar(S("I")), QStringList{S("09:00-11:30")});
    EXPECT_EQ(scalar(QStringLiteral("SELECT FIILISURE FROM PEROKUM WHERE TIPKOD = 'I'")).toDouble(), 250);
    EXPECT_EQ(scalar(QStringLiteral("SELECT IS_TIP FROM PEROKUM WHERE TIPKOD = 'I'")).toString(), S("I"));
    // A badge without a personnel card pairs with an empty person code.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKUM WHERE CIHAZ_ID LIKE '7777%' AND "
                                   "(PER_KOD IS NULL OR PER_KOD = '')")),
              1);
    db.exec(QStringLiteral("UPDATE PEROKUM SET PER_KOD = 'U9' WHERE TIPKOD = 'I'"));
    esle();
    EXPECT_EQ(rows("PEROKUM"), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT PER_KOD FROM PEROKUM WHERE TIPKOD = 'I'")).toString(), S("U9"));
}

TEST_F(PdksImportTest, NothingPairsAcrossMidnight)
{
    okuma(1, S("1001"), gun, QTime(22, 0), S("C"));
    okuma(2, S("1001"), gun.addDays(1), QTime(6, 0), S("C"));
    PdksEsle(db, {gun, QDateTime(gun.addDays(3), QTime(0, 0)), {}});
    EXPECT_EQ(araliklar(S("C")), QStringList{S("22:00-22:00")});
    EXPECT_EQ(araliklar(S("C"), gun.addDays(1)), QStringList{S("06:00-06:00")});
}

TEST_F(PdksImportTest, IntervalsThatNoLongerMatchGoUnlessTheDispositionsAssignedThem)
{
    okuma(1, S("1001"), gun, QTime(9, 0), S("I"), S("W00001"));
    okuma(2, S("1001"), gun, QTime(10, 0), S("I"), S("W00002"));
    okuma(3, S("1001"), gun, QTime(11, 0), S("M"), S("005"));
    esle();
    EXPECT_EQ(araliklar(S("C")), QStringList{S("09:00-11:00")}); // ("C", -1): no entry/exit reading yet
    EXPECT_EQ(rows("PEROKUM"), 4);
    // The second work interval is assigned to a labour line; then entry and
    // exit readings arrive and the work readings are corrected.
    db.exec(QStringLiteral("UPDATE PEROKUM SET ARIZA_KODU = 'M100' WHERE TIPKOD = 'I' AND SIRANO_BAS = 2"));
    okuma(4, S("1001"), gun, QTime(8, 0), S("C"));
    okuma(5, S("1001"), gun, QTime(17, 0), S("C"));
    db.exec(QStringLiteral("DELETE FROM PEROKU WHERE SIRANO IN (2, 3)"));
    esle();
    EXPECT_EQ(araliklar(S("C")), QStringList{S("08:00-17:00")});
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKUM WHERE ARIZA_KODU = 'M100'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKUM WHERE TIPKOD = 'M'")), 0);
    EXPECT_EQ(rows("PEROKUM"), 3);
}

TEST_F(PdksImportTest, RePairingWhileAnotherWorkstationAssignsIntervalsLosesNoAssignment)
{
    okuma(1, S("1001"), gun, QTime(8, 0), S("C"));
    okuma(2, S("1001"), gun, QTime(9, 0), S("I"), S("W00001"));
    okuma(3, S("1001"), gun, QTime(10, 0), S("I"), S("W00002"));
    okuma(4, S("1001"), gun, QTime(17, 0), S("C"));
    esle();
    const QString ata = QStringLiteral("UPDATE PEROKUM SET ARIZA_KODU = :A, IE_SIRANO = :S, IS_TIP = :T, "
                                       "SATILAN_SURE = :SS WHERE IENO = :IENO AND SIRANO = :B AND PER_KOD = :P");
    const auto atama = [&](const Db& baska, const QString& ieno) {
        const int sirano = scalar(QStringLiteral("SELECT SIRANO FROM PEROKUM WHERE IENO = :I"), {{QStringLiteral("I"), ieno}}).toInt();
        baska.exec(ata, {{QStringLiteral("A"), QStringLiteral("M100")}, {QStringLiteral("S"), 1},
                         {QStringLiteral("T"), QStringLiteral("GA")}, {QStringLiteral("SS"), 1.5},
                         {QStringLiteral("IENO"), ieno}, {QStringLiteral("B"), sirano},
                         {QStringLiteral("P"), QStringLiteral("U1")}});
    };
    const Db baska = database->open(QStringLiteral("dispoz"));
    // The readings change meanwhile: W00002's reading moves, so both work intervals are rewritten.
    db.exec(QStringLiteral("UPDATE PEROKU SET SAAT = :S WHERE SIRANO = 3"), {{QStringLiteral("S"), QDateTime(gun, QTime(10, 30))}});
    atama(baska, S("W00001"));
    if (db.backend() == Backend::PostgreSQL) {
        // Between the pairing's read of the stored intervals and its writes.
        esle([&](const QDate&, const QString&) { atama(baska, S("W00002")); });
    } else {
        // SQLite lets no other writer in during the pairing's transaction.
        atama(baska, S("W00002"));
        esle();
    }
    Query q(db, QStringLiteral("SELECT IENO, ARIZA_KODU, IE_SIRANO, IS_TIP, SATILAN_SURE, SAATBIT FROM PEROKUM "
                               "WHERE TIPKOD = 'I' ORDER BY IENO"));
    q.exec();
    QStringList got;
    while (q.next())
        got << QStringLiteral("%1 %2 %3 %4 %5 %6")
                   .arg(q.str(QStringLiteral("IENO")), q.str(QStringLiteral("ARIZA_KODU")))
                   .arg(q.integer(QStringLiteral("IE_SIRANO")))
                   .arg(q.str(QStringLiteral("IS_TIP")))
                   .arg(q.num(QStringLiteral("SATILAN_SURE")))
                   .arg(q.dateTime(QStringLiteral("SAATBIT")).toString(QStringLiteral("HH:mm")));
    EXPECT_EQ(got, (QStringList{S("W00001 M100 1 GA 1.5 10:30"), S("W00002 M100 1 GA 1.5 17:00")}));
    EXPECT_EQ(rows("PEROKUM"), 3);
}

TEST_F(PdksImportTest, AFailingDayAndBadgeLeavesNoneOfItsRowsAndKeepsTheGroupsBeforeIt)
{
    // Three groups in pairing order: (day 1, 1001), (day 1, 1002), (day 2, 1001).
    const QDate ertesi = gun.addDays(1);
    okuma(1, S("1001"), gun, QTime(8, 0), S("C"));
    okuma(2, S("1001"), gun, QTime(17, 0), S("C"));
    okuma(3, S("1002"), gun, QTime(8, 30), S("C"));
    okuma(4, S("1002"), gun, QTime(16, 30), S("C"));
    okuma(5, S("1001"), ertesi, QTime(8, 0), S("C"));
    okuma(6, S("1001"), ertesi, QTime(17, 0), S("C"));
    struct Case {
        const char* ad;
        std::function<void()> hata; // runs inside the second group, after a row of its own was written
    };
    const QList<Case> cases{
        {"an error of the program", [] { throw std::runtime_error("kesildi"); }},
        {"an error of the database", [&] { db.exec(QStringLiteral("INSERT INTO PEROKUM (SIRANO) VALUES ('x')")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ad);
        db.exec(QStringLiteral("DELETE FROM PEROKUM"));
        int grup = 0;
        const auto adim = [&](const QDate&, const QString&) {
            if (++grup != 2)
                return;
            db.exec(QStringLiteral("INSERT INTO PEROKUM (TARIH, CIHAZ_ID, TIPKOD, ESLEME_NO) VALUES (:T, '1002', 'Y', 9)"),
                    {{QStringLiteral("T"), QDateTime(gun, QTime(0, 0))}});
            c.hata();
        };
        EXPECT_ANY_THROW(PdksEsle(db, {gun, QDateTime(gun.addDays(3), QTime(0, 0)), {}}, {}, adim));
        EXPECT_EQ(grup, 2); // the run ended at the failure
        EXPECT_EQ(araliklar(S("C")), QStringList{S("08:00-17:00")});
        EXPECT_EQ(rows("PEROKUM"), 1);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PEROKUM WHERE CIHAZ_ID LIKE '1002%'")), 0);
        // The connection is usable and a second run pairs the rest without doubling.
        PdksEsle(db, {gun, QDateTime(gun.addDays(3), QTime(0, 0)), {}});
        EXPECT_EQ(araliklar(S("C")), (QStringList{S("08:00-17:00"), S("08:30-16:30")}));
        EXPECT_EQ(araliklar(S("C"), ertesi), QStringList{S("08:00-17:00")});
        EXPECT_EQ(rows("PEROKUM"), 3);
    }
}

TEST_F(PdksImportTest, OvertimeAndLeaveByHand)
{
    addVehicle(QStringLiteral("VF1AAA11111111111"));
    addWorkOrder(QStringLiteral("W000001"), QStringLiteral("VF1AAA11111111111"), 1000, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(2026, 1, 10));
    addWorkOrder(QStringLiteral("W000002"), QStringLiteral("VF1AAA11111111111"), 1000, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(2025, 6, 10));
    struct Case {
        const char* ad;
        std::function<void(PdksAralikGirisi&)> boz;
        const char* mesaj;
    };
    const QList<Case> cases{
        {"no person", [](PdksAralikGirisi& g) { g.PER_KOD.clear(); }, "Lütfen Personel Seçiniz!.."},
        {"no type", [](PdksAralikGirisi& g) { g.IS_TIP.clear(); }, "Lütfen İş Tipini Seçiniz!.."},
        {"no start", [](PdksAralikGirisi& g) { g.SAATBAS = {}; }, "Lütfen Başlama Saatini Giriniz!.."},
        {"no end", [](PdksAralikGirisi& g) { g.SAATBIT = {}; }, "Lütfen Bitiş Saatini Giriniz!.."},
        {"last year's work order", [](PdksAralikGirisi& g) { g.IENO = QStringLiteral("W000002"); },
         "Kayıtlı İş Emri Bulunamadı!.."},
        {"unknown work order", [](PdksAralikGirisi& g) { g.IENO = QStringLiteral("W999999"); },
         "Kayıtlı İş Emri Bulunamadı!.."},
    };
    const auto iyi = [] {
        PdksAralikGirisi g;
        g.PER_KOD = QStringLiteral("U1");
        g.TARIH = QDate(2026, 3, 2);
        g.SAATBAS = QTime(8, 0);
        g.SAATBIT = QTime(9, 30);
        g.IS_TIP = QStringLiteral("I");
        g.IENO = QStringLiteral("W000001");
        return g;
    };
    for (const Case& c : cases) {
        PdksAralikGirisi g = iyi();
        c.boz(g);
        EXPECT_FALSE(Guard([&] { PdksAralikKaydet(db, g); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
        EXPECT_EQ(rows("PEROKUM"), 0) << c.ad;
    }
    const int no = PdksAralikKaydet(db, iyi());
    ASSERT_GT(no, 0);
    Query q(db, QStringLiteral("SELECT * FROM PEROKUM WHERE SIRANO = :S"));
    q.bind(QStringLiteral("S"), no).exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("FIILISURE")), 150);
    EXPECT_EQ(q.str(QStringLiteral("TIPKOD")), S("M")); // "I:İş Emri" is stored as M, as the entry form does
    EXPECT_EQ(q.str(QStringLiteral("CIHAZ_ID")), S("1001"));
    EXPECT_EQ(q.dateTime(QStringLiteral("SAATBAS")), QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    q.finish();
    // Leave empties a work-order number typed earlier; overtime past midnight stays positive.
    PdksAralikGirisi izin = PdksAralikOku(db, no);
    izin.IS_TIP = QStringLiteral("005");
    izin.SAATBAS = QTime(23, 0);
    izin.SAATBIT = QTime(1, 0);
    PdksAralikKaydet(db, izin);
    EXPECT_EQ(scalar(QStringLiteral("SELECT IENO FROM PEROKUM")).toString(), QString());
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT FIILISURE FROM PEROKUM")).toDouble(), 200);
    PdksAralikGirisi mesai = iyi();
    mesai.IS_TIP = QStringLiteral("WW2");
    const int m = PdksAralikKaydet(db, mesai);
    EXPECT_EQ(scalar(QStringLiteral("SELECT TIPKOD FROM PEROKUM WHERE SIRANO = :S"), {{QStringLiteral("S"), m}}).toString(), S("I"));

    // Assigned by the dispositions after the form was opened: change and delete refuse.
    PdksAralikGirisi acik = PdksAralikOku(db, m);
    db.exec(QStringLiteral("UPDATE PEROKUM SET SATILAN_SURE = 2 WHERE SIRANO = :S"), {{QStringLiteral("S"), m}});
    EXPECT_TRUE(AralikKilitli(db, m));
    EXPECT_FALSE(Guard([&] { PdksAralikKaydet(db, acik); }));
    EXPECT_EQ(messages.lastText(), S("Arıza Kodu atanmış işlem üzerinde değişiklik yapılamaz!.."));
    EXPECT_FALSE(Guard([&] { PdksAralikSil(db, m); }));
    EXPECT_EQ(messages.lastText(), S("Arıza Kodu atanmış işlem silinemez!.."));
    EXPECT_EQ(rows("PEROKUM"), 2);
    PdksAralikSil(db, no);
    EXPECT_EQ(rows("PEROKUM"), 1);
}

TEST_F(PdksImportTest, IntervalFilterBindsWhatWasTyped)
{
    const auto ekle = [&](const char* isTip, const QDate& g, const char* per) {
        insert(QStringLiteral("PEROKUM"), {{QStringLiteral("IS_TIP"), S(isTip)}, {QStringLiteral("TARIH"), QDateTime(g, QTime(0, 0))},
                                           {QStringLiteral("PER_KOD"), S(per)}, {QStringLiteral("TIPKOD"), S("M")}});
    };
    ekle("W1", gun, "U1");
    ekle("001", gun, "U1");
    ekle("GA", gun, "U2");
    ekle("M", gun.addDays(1), "U1");
    ekle("WW2", gun.addDays(2), "U1'--");
    struct Case {
        const char* ad;
        PdksAralikFiltresi f;
        int satir;
    };
    const QList<Case> cases{
        {"all", {}, 5},
        {"W1 with its code", {S("W1"), {}, {}, {}, false}, 2},
        {"work orders take M and GA", {S("I"), {}, {}, {}, false}, 2},
        {"the last day counts whole", {{}, gun, gun.addDays(1), {}, false}, 4},
        {"typed code is a value", {{}, {}, {}, S("U1'--"), false}, 1},
    };
    for (const Case& c : cases) {
        QVariantMap b;
        const QString sql = PdksAralikSorgusu(c.f, b);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM (") + sql + QStringLiteral(") X"), b), c.satir) << c.ad;
    }
}

TEST_F(PdksImportTest, HandEnteredReadingsAreCheckedNumberedAndPaired)
{
    addVehicle(QStringLiteral("VF1AAA11111111111"));
    addWorkOrder(QStringLiteral("W000001"), QStringLiteral("VF1AAA11111111111"), 1000, QStringLiteral("A"),
                 QStringLiteral("H"), QDate(2026, 1, 10));
    ctx.CalismaYiliNo = 2026;
    const auto g = [&](const char* kart, const char* tip, const char* ieno, const QTime& t) {
        PdksOkumaGirisi o;
        o.CIHAZ_ID = S(kart);
        o.TARIH = gun;
        o.SAAT = t;
        o.TIPKOD = S(tip);
        o.IENO = S(ieno);
        return o;
    };
    struct Case {
        const char* ad;
        PdksOkumaGirisi o;
        const char* mesaj;
    };
    PdksOkumaGirisi eski = g("1001", "C", "", QTime(8, 0));
    eski.TARIH = QDate(1902, 9, 25);
    const QList<Case> cases{
        {"no badge", g("", "C", "", QTime(8, 0)), "Lütfen personel seçiniz!"},
        {"date before 26.09.1902", eski, "Lütfen tarih/saat giriniz!"},
        {"no time", g("1001", "C", "", QTime()), "Lütfen tarih/saat giriniz!"},
        {"work without its number", g("1001", "I", "", QTime(8, 0)), "Lütfen İş tipi/İşemri/Mazeret kodunu giriniz!"},
        {"no type", g("1001", "", "", QTime(8, 0)), "Lütfen İş tipi/İşemri/Mazeret kodunu giriniz!"},
        {"unknown work order", g("1001", "I", "W000009", QTime(8, 0)), "İş emri no sistemde mevcut değil!"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Guard([&] { PdksOkumaKaydet(db, ctx, c.o); })) << c.ad;
        EXPECT_EQ(messages.lastText(), S(c.mesaj)) << c.ad;
    }
    EXPECT_EQ(rows("PEROKU"), 0);
    if (db.backend() == Backend::PostgreSQL)
    {
        db.exec(QStringLiteral("ALTER TABLE PEROKU ALTER COLUMN SIRANO SET NOT NULL"));
        db.exec(QStringLiteral("ALTER TABLE PEROKU ALTER COLUMN SIRANO ADD GENERATED BY DEFAULT AS IDENTITY"));
        EXPECT_TRUE(PdksGirisModu(db));
    }
    const int a = PdksOkumaKaydet(db, ctx, g("1001", "I", "W000001", QTime(9, 0)));
    const int b = PdksOkumaKaydet(db, ctx, g("1001", "I", "W000001", QTime(11, 30)));
    const int c = PdksOkumaKaydet(db, ctx, g("1001", "C", "", QTime(12, 0)));
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(scalar(QStringLiteral("SELECT IENO FROM PEROKU WHERE SIRANO = :S"), {{QStringLiteral("S"), c}}).toString(), S("C"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT PORTNO FROM PEROKU WHERE SIRANO = :S"), {{QStringLiteral("S"), c}}).toInt(), 99);
    EXPECT_TRUE(PdksHesapla(db).isEmpty());
    EXPECT_EQ(araliklar(S("I")), (QStringList{S("09:00-11:30"), S("11:30-12:00")}));
    EXPECT_TRUE(PdksHesapla(db).isEmpty());
    EXPECT_EQ(rows("PEROKUM"), 2);
}

} // namespace
