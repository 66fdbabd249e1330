#include "WorkOrderFixture.h"
#include "workshop/vehicles/Vehicles.h"
#include "workshop/workorders/IsEmriKart.h"

using namespace tornaly;
using namespace tornaly::test;
using namespace tornaly::workshop;

class ReceptionTest : public WorkOrderTest {
protected:
    void SetUp() override
    {
        WorkOrderTest::SetUp();
        addVehicle(QStringLiteral("VF1AAA11111111111"), QStringLiteral("34AB12"), QStringLiteral("M001"));
        db.exec(QStringLiteral("UPDATE ARAC SET MOTOR_NO = 'K9K123', TRF_CIKIS_TRH = :T WHERE SASE_NO = 'VF1AAA11111111111'"),
                {{QStringLiteral("T"), QDateTime(QDate(2022, 4, 1), QTime(0, 0))}});
        addVehicle(QStringLiteral("VF1BBB22222222222"), QStringLiteral("06XY345"));
        // Its plate fits the pattern of 34AB12 but is another vehicle.
        addVehicle(QStringLiteral("VF1CCC33333333333"), QStringLiteral("34AB812"));
    }
};

TEST_F(ReceptionTest, FindsByPlateChassisAndEngineAsTyped)
{
    struct Case {
        AracAlani alan;
        const char* typed;
        const char* sase;
    };
    for (const Case& c : {Case{AracAlani::Plaka, "34 AB 12", "VF1AAA11111111111"},
                          Case{AracAlani::Plaka, "34ab12", "VF1AAA11111111111"},
                          Case{AracAlani::Sase, "vf1aaa11111111111", "VF1AAA11111111111"},
                          Case{AracAlani::Motor, "k9k123", "VF1AAA11111111111"},
                          Case{AracAlani::Plaka, "06 X%", ""},
                          Case{AracAlani::Sase, "' OR 1=1 --", ""}}) {
        SCOPED_TRACE(c.typed);
        const QList<QVariantMap> found = AracAra(db, c.alan, QString::fromLatin1(c.typed));
        if (*c.sase) {
            ASSERT_EQ(found.size(), 1);
            EXPECT_EQ(found.first().value(QStringLiteral("SASE_NO")).toString(), QString::fromLatin1(c.sase));
        } else {
            EXPECT_TRUE(found.isEmpty());
        }
    }
}

TEST_F(ReceptionTest, AFoundVehicleFillsTheCardAndProposesTheLastKm)
{
    addWorkOrder(QStringLiteral("S000070"), QStringLiteral("VF1AAA11111111111"), 41000, QStringLiteral("A"),
                 QStringLiteral("E"));
    addWorkOrder(QStringLiteral("S000071"), QStringLiteral("VF1AAA11111111111"), 42000, QStringLiteral("A"),
                 QStringLiteral("H"));
    IsEmriKart kart(ctx);
    ASSERT_TRUE(kart.yeniKayit());
    EXPECT_EQ(kart.aracAra(AracAlani::Plaka, QStringLiteral("34 ab 12")), IsEmriKart::Bulma::Kopyalandi);
    EXPECT_EQ(kart.row.value(QStringLiteral("CARI_KOD")).toString(), QStringLiteral("M001"));
    EXPECT_EQ(kart.row.value(QStringLiteral("SASI_NO")).toString(), QStringLiteral("VF1AAA11111111111"));
    EXPECT_EQ(kart.row.value(QStringLiteral("MOTOR_NO")).toString(), QStringLiteral("K9K123"));
    EXPECT_EQ(kart.row.value(QStringLiteral("ARAC_MODEL")).toString(), QStringLiteral("2024"));
    EXPECT_EQ(Query::toDate(kart.row.value(QStringLiteral("TESLIM_TRH"))), QDate(2022, 4, 1));
    EXPECT_EQ(kart.row.value(QStringLiteral("KM")).toDouble(), 42000);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Bu aracın açık işemri mevcut !(ieno:S000071)")});

    // The same vehicle again changes nothing but still warns.
    messages.clear();
    kart.row[QStringLiteral("KM")] = 43000.0;
    EXPECT_EQ(kart.aracAra(AracAlani::Sase, QStringLiteral("VF1AAA11111111111")), IsEmriKart::Bulma::Ayni);
    EXPECT_EQ(kart.row.value(QStringLiteral("KM")).toDouble(), 43000);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Bu aracın açık işemri mevcut !(ieno:S000071)")});
}

TEST_F(ReceptionTest, DebtIsShownInTheLocalCurrency)
{
    insert(QStringLiteral("CARIHRK"), {{QStringLiteral("CARI_KOD"), QStringLiteral("M001")},
                                       {QStringLiteral("BORC"), 1234.5},
                                       {QStringLiteral("ALACAK"), 0.0}});
    IsEmriKart kart(ctx);
    kart.yeniKayit();
    kart.aracAra(AracAlani::Plaka, QStringLiteral("34AB12"));
    EXPECT_EQ(messages.texts().first(), QStringLiteral("Seçtiğiniz Carinin 1.234,50 TL Borç Bakiyesi Bulunmaktadır!..."));
}

TEST_F(ReceptionTest, UnknownOrOwnerlessVehicleAsksForTheRegistration)
{
    IsEmriKart kart(ctx);
    kart.yeniKayit();
    kart.row[QStringLiteral("CARI_KOD")] = QStringLiteral("M001");
    messages.answer(MsgNo);
    EXPECT_EQ(kart.aracAra(AracAlani::Plaka, QStringLiteral("99ZZ999")), IsEmriKart::Bulma::Yok);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Beyan Kaydını Girmek İster misiniz?")});
    // The typed plate waits for the vehicle card; the customer is taken off.
    EXPECT_EQ(YeniArac().YeniAracPlaka, QStringLiteral("99ZZ999"));
    EXPECT_EQ(YeniArac().YeniAracCariKod, QStringLiteral("M001"));
    EXPECT_TRUE(kart.row.value(QStringLiteral("CARI_KOD")).toString().isEmpty());
    YeniArac().clear();

    // Yes opens the registration list; its pick is looked up by chassis.
    messages.clear();
    TypeIsEmri gelen;
    kart.ruhsatSec = [&](const TypeIsEmri& start) {
        gelen = start;
        TypeIsEmri r;
        r.SasiNo = QStringLiteral("VF1AAA11111111111");
        return r;
    };
    EXPECT_EQ(kart.aracAra(AracAlani::Plaka, QStringLiteral("06 XY 345")), IsEmriKart::Bulma::Secildi);
    EXPECT_EQ(gelen.PlakaNo, QStringLiteral("06 XY 345"));
    EXPECT_EQ(kart.row.value(QStringLiteral("CARI_KOD")).toString(), QStringLiteral("M001"));
    EXPECT_EQ(kart.row.value(QStringLiteral("PLAKA_NO")).toString(), QStringLiteral("34AB12"));
}

TEST_F(ReceptionTest, OpeningAnotherWorkOrderWhileTypingIsRefused)
{
    addWorkOrder(QStringLiteral("S000070"), QStringLiteral("VF1AAA11111111111"), 41000);
    IsEmriKart kart(ctx);
    kart.yeniKayit();
    EXPECT_FALSE(kart.ac(QStringLiteral("IS000070")));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Değişikliği Saklayın yada İptal Edin!")});
    kart.iptal();
    EXPECT_TRUE(kart.ac(QStringLiteral("IS000070")));
    EXPECT_TRUE(kart.giriste());
    EXPECT_EQ(kart.row.value(QStringLiteral("IS_EMRI_NO")).toString(), QStringLiteral("S000070"));
}

TEST_F(ReceptionTest, TheIdentityQuestionMendsTheAccountOrTakesTheCustomerOff)
{
    // M001 is a person without an 11-digit identity number.
    struct Case {
        const char* name;
        MsgButton answer;
        QString cardReturns;   // the code the account card comes back with
        bool cardOpened;
        QString customer;      // CARI_KOD afterwards
    };
    const QList<Case> cases{
        {"Yes, the card is saved", MsgYes, QStringLiteral("M001"), true, QStringLiteral("M001")},
        {"Yes, the card is cancelled", MsgYes, QString(), true, QString()},
        {"No", MsgNo, QStringLiteral("M001"), false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        messages.answer(c.answer);
        IsEmriKart kart(ctx);
        kart.yeniKayit();
        QString opened;
        kart.cariKartAc = [&](const QString& kod) {
            opened = kod;
            return c.cardReturns;
        };
        kart.cariSecildi(QStringLiteral("M001"));
        EXPECT_EQ(messages.texts(),
                  QStringList{QStringLiteral("Lütfen Seçtiğiniz Cari Firma ise Vergi Nosunu, Şahıs ise TC.Kimlik "
                                             "Numarasını Düzgün Giriniz!\r\nŞimdi Girmek İster misiniz?")});
        EXPECT_EQ(opened, c.cardOpened ? QStringLiteral("M001") : QString());
        EXPECT_EQ(kart.row.value(QStringLiteral("CARI_KOD")).toString(), c.customer);
    }
    // An account with a valid identity number is kept without a question.
    db.exec(QStringLiteral("UPDATE CARI SET KIMLIKNO = '12345678901' WHERE CARI_KOD = 'M001'"));
    messages.clear();
    IsEmriKart kart(ctx);
    kart.yeniKayit();
    kart.cariSecildi(QStringLiteral("M001"));
    EXPECT_EQ(messages.texts(), QStringList{});
    EXPECT_EQ(kart.row.value(QStringLiteral("CARI_KOD")).toString(), QStringLiteral("M001"));
}

TEST_F(ReceptionTest, OneServiceNotePerChassis)
{
    struct Step {
        const char* name;
        QString sase;
        QString metin;
        qint64 rows;       // SERNOT rows afterwards
        QString stored;    // the note of VF1AAA11111111111 afterwards
    };
    const QList<Step> steps{
        {"first note", QStringLiteral("VF1AAA11111111111"), QStringLiteral("Sol ön lastik değişecek"), 1,
         QStringLiteral("Sol ön lastik değişecek")},
        {"the same chassis again replaces it", QStringLiteral(" VF1AAA11111111111 "), QStringLiteral("Fren hidroliği"), 1,
         QStringLiteral("Fren hidroliği")},
        {"no chassis writes nothing", QString(), QStringLiteral("?"), 1, QStringLiteral("Fren hidroliği")},
        {"an empty note removes it", QStringLiteral("VF1AAA11111111111"), QStringLiteral("  "), 0, QString()},
    };
    for (const Step& s : steps) {
        SerNotYaz(db, s.sase, s.metin);
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM SERNOT")), s.rows) << s.name;
        EXPECT_EQ(SerNotOku(db, QStringLiteral("VF1AAA11111111111")), s.stored) << s.name;
        EXPECT_EQ(SerNotVar(db, QStringLiteral("VF1AAA11111111111")), !s.stored.isEmpty()) << s.name;
    }
    // The key refuses a second row for a chassis, whoever writes it.
    SerNotYaz(db, QStringLiteral("VF1AAA11111111111"), QStringLiteral("a"));
    EXPECT_ANY_THROW(db.exec(QStringLiteral("INSERT INTO SERNOT (SASE_NO, SER_NOT) VALUES ('VF1AAA11111111111', 'b')")));
}

TEST_F(ReceptionTest, CampaignAndAppointmentWarningsComeFromTheirAreas)
{
    struct Case {
        const char* name;
        bool kampanya, randevu;
        QStringList expected;
    };
    const QList<Case> cases{
        {"neither", false, false, {}},
        {"a campaign document", true, false, {QStringLiteral("Bu Araçla ilgili Mesajlar var !!!")}},
        {"an appointment today", false, true, {QStringLiteral("Bu Araca Ait Randevu Kaydı Vardır !")}},
        {"both, in order", true, true,
         {QStringLiteral("Bu Araçla ilgili Mesajlar var !!!"), QStringLiteral("Bu Araca Ait Randevu Kaydı Vardır !")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString sorulanSase, sorulanPlaka;
        QDate sorulanGun;
        SetKampanyaBelgesiKontrol([&](const Db&, const QString& sase) {
            sorulanSase = sase;
            return c.kampanya;
        });
        SetRandevuKontrol([&](const Db&, const QString&, const QString& plaka, const QDate& gun) {
            sorulanPlaka = plaka;
            sorulanGun = gun;
            return c.randevu;
        });
        messages.clear();
        IsEmriKart kart(ctx);
        kart.yeniKayit();
        EXPECT_EQ(kart.aracAra(AracAlani::Plaka, QStringLiteral("34AB12")), IsEmriKart::Bulma::Kopyalandi);
        EXPECT_EQ(messages.texts(), c.expected);
        EXPECT_EQ(sorulanSase, QStringLiteral("VF1AAA11111111111"));
        EXPECT_EQ(sorulanPlaka, QStringLiteral("34AB12"));
        EXPECT_EQ(sorulanGun, SunucuBugun(db));
    }
    SetKampanyaBelgesiKontrol({});
    SetRandevuKontrol({});
}

TEST_F(ReceptionTest, PhonesTypedOnTheCardGoToTheAccountWithTheSave)
{
    db.exec(QStringLiteral("UPDATE CARI SET TEL1 = '02121111111', TEL3 = '05321111111' WHERE CARI_KOD = 'M001'"));
    IsEmriKart kart(ctx);
    kart.yeniKayit();
    kart.aracAra(AracAlani::Plaka, QStringLiteral("34AB12"));
    kart.row[QStringLiteral("IE_TIP")] = QStringLiteral("A");
    kart.row[QStringLiteral("KM")] = 50000.0;
    kart.row[QStringLiteral("TEL3")] = QStringLiteral("05329999999");
    kart.row[QStringLiteral("TEL1")] = QStringLiteral("02121111111");
    // A refused save writes no phone either.
    kart.row[QStringLiteral("PLAKA_NO")] = QString();
    EXPECT_EQ(kart.sakla(), KayitSonucu::Reddedildi);
    EXPECT_EQ(scalar(QStringLiteral("SELECT TEL3 FROM CARI WHERE CARI_KOD = 'M001'")).toString(),
              QStringLiteral("05321111111"));
    kart.row[QStringLiteral("PLAKA_NO")] = QStringLiteral("34AB12");
    EXPECT_EQ(kart.sakla(), KayitSonucu::Kaydedildi) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(scalar(QStringLiteral("SELECT TEL3 FROM CARI WHERE CARI_KOD = 'M001'")).toString(),
              QStringLiteral("05329999999"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT TEL1 FROM CARI WHERE CARI_KOD = 'M001'")).toString(),
              QStringLiteral("02121111111"));
}
