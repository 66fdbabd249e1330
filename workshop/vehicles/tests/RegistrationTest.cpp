#include "VehicleFixture.h"
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/Vehicles.h"
#include "workshop/vehicles/VehicleRules.h"

using namespace tornaly;
using namespace tornaly::workshop;

class RegistrationTest : public test::VehicleTest {
protected:
    void SetUp() override
    {
        VehicleTest::SetUp();
        db.exec(QStringLiteral("UPDATE FIRKIM SET VERGINO = '1234567890', EADI = 'DEMO OTOMOTİV', TLF = '(0212) 555 44 33'"));
        if (count(QStringLiteral("SELECT COUNT(*) FROM FIRKIM")) == 0)
            insert(QStringLiteral("FIRKIM"), {{QStringLiteral("VERGINO"), QStringLiteral("1234567890")},
                                              {QStringLiteral("EADI"), QStringLiteral("DEMO OTOMOTİV")},
                                              {QStringLiteral("TLF"), QStringLiteral("(0212) 555 44 33")}});
        addVehicle(QStringLiteral("VF1REG"), QStringLiteral("06KLM45"), QStringLiteral("120.001"));
        insert(QStringLiteral("CARI"), {{QStringLiteral("CARI_KOD"), QStringLiteral("120.001")},
                                        {QStringLiteral("FIRMA_ADI"), QStringLiteral("İLHAN IŞIK")}});
        insert(QStringLiteral("ARCPRTFY"), {{QStringLiteral("SASE_NO"), QStringLiteral("VF1REG")},
                                            {QStringLiteral("PLAKA"), QStringLiteral("06KLM45")}});
        insert(QStringLiteral("MBILGFRM"), {{QStringLiteral("MB_SASE"), QStringLiteral("VF1REG")},
                                            {QStringLiteral("MB_PLAKA"), QStringLiteral("06KLM45")},
                                            {QStringLiteral("MB_AKTARILDI"), 1}});
    }
    QStringList found(const RuhsatSorgusu& s)
    {
        QStringList out;
        Query q(db, s.statement);
        q.bindAll(s.binds).exec();
        while (q.next())
            out << q.value(QStringLiteral("SASE_NO")).toString();
        return out;
    }
};

TEST_F(RegistrationTest, FirstSaveMakesTheDeclarationAndCarriesThePlate)
{
    insert(QStringLiteral("ARAC"), {{QStringLiteral("SASE_NO"), QStringLiteral("VF1OLD")},
                                    {QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("VRN1600")},
                                    {QStringLiteral("ARC_MODEL_TRH"), 2020}});
    insert(QStringLiteral("BEYAN"), {{QStringLiteral("SASE_NO"), QStringLiteral("VF1OLD")},
                                     {QStringLiteral("TARIH"), QDateTime(QDate(2025, 5, 5), QTime(0, 0))},
                                     {QStringLiteral("VD"), QStringLiteral("KADIKÖY")},
                                     {QStringLiteral("VD_KOD"), QStringLiteral("034")}});

    QVariantMap arac = ReadArac(db, QStringLiteral("VF1REG"));
    ApplyBeyanDefaults(arac, ReadAracModel(db, QStringLiteral("VRN1600")));
    EXPECT_DOUBLE_EQ(arac.value(QStringLiteral("ARAC_BEDEL")).toDouble(), 900000.0);
    arac.insert(QStringLiteral("ARAC_BEDEL"), 125000.40);
    arac.insert(QStringLiteral("PLAKA"), QStringLiteral("06XYZ78"));
    const QDate today(2026, 12, 11);
    ASSERT_TRUE(SaveBeyan(db, arac, {}, QStringLiteral("06KLM45"), today));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kayıt Saklanmıştır..."));

    const QVariantMap b = ReadBeyan(db, QStringLiteral("VF1REG"));
    EXPECT_EQ(b.value(QStringLiteral("MUK_TIP_1")).toString(), QStringLiteral("X"));
    EXPECT_EQ(b.value(QStringLiteral("MUK_TIP_2")).toString(), QStringLiteral(" "));
    EXPECT_EQ(b.value(QStringLiteral("MUK_TEL")).toString(), QStringLiteral("0212555443"));
    EXPECT_EQ(b.value(QStringLiteral("VD")).toString(), QStringLiteral("KADIKÖY"));
    EXPECT_EQ(Query::toDate(b.value(QStringLiteral("TARIH"))), today);
    EXPECT_EQ(b.value(QStringLiteral("OTV_MAT")).toString(), QString(11, QLatin1Char(' ')) + QStringLiteral("125000"));
    EXPECT_EQ(b.value(QStringLiteral("MODEL")).toString(), QStringLiteral("2024"));
    EXPECT_EQ(b.value(QStringLiteral("RENK")).toString(), QStringLiteral("BEYAZ"));
    EXPECT_EQ(b.value(QStringLiteral("TIK_2")).toString(), QStringLiteral("X"));

    EXPECT_EQ(scalar(QStringLiteral("SELECT PLAKA FROM ARCPRTFY")).toString(), QStringLiteral("06XYZ78"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT MB_PLAKA FROM MBILGFRM")).toString(), QStringLiteral("06XYZ78"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT MB_AKTARILDI FROM MBILGFRM")).toInt(), 0);
    EXPECT_NEAR(scalar(QStringLiteral("SELECT OTV_TUT FROM ARAC WHERE SASE_NO = 'VF1REG'")).toDouble(), 56250.18, 1e-6);

    // A second save without a plate change leaves the companions alone and
    // keeps the declaration's own date.
    db.exec(QStringLiteral("UPDATE MBILGFRM SET MB_AKTARILDI = 1"));
    arac = ReadArac(db, QStringLiteral("VF1REG"));
    ASSERT_TRUE(SaveBeyan(db, arac, ReadBeyan(db, QStringLiteral("VF1REG")), QStringLiteral("06XYZ78"), today.addDays(3)));
    EXPECT_EQ(scalar(QStringLiteral("SELECT MB_AKTARILDI FROM MBILGFRM")).toInt(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM BEYAN WHERE SASE_NO = 'VF1REG'")), 1);
    EXPECT_EQ(Query::toDate(ReadBeyan(db, QStringLiteral("VF1REG")).value(QStringLiteral("TARIH"))), today);
}

TEST_F(RegistrationTest, BadPlateWritesNothing)
{
    QVariantMap arac = ReadArac(db, QStringLiteral("VF1REG"));
    arac.insert(QStringLiteral("PLAKA"), QStringLiteral("06 XYZ 78"));
    EXPECT_FALSE(SaveBeyan(db, arac, {}, QStringLiteral("06KLM45"), QDate(2026, 1, 1)));
    EXPECT_EQ(messages.lastText(), QStringLiteral("PLAKA' da Hatalı yada Boşluklu Karakter kullandınız."));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM BEYAN")), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT PLAKA FROM ARCPRTFY")).toString(), QStringLiteral("06KLM45"));
}

TEST_F(RegistrationTest, ListSearchesAndPickRules)
{
    addVehicle(QStringLiteral("VF1X12345"), QStringLiteral("34AB001"));
    addVehicle(QStringLiteral("VF1123459"), QStringLiteral("06AB034"));
    struct Case {
        RuhsatAramaAlani alan;
        QString typed;
        bool light;
        QStringList expected;
    } cases[] = {
        {RuhsatAramaAlani::Plaka, QStringLiteral("34"), false, {QStringLiteral("VF1X12345")}},
        {RuhsatAramaAlani::Plaka, QStringLiteral("34"), true, {QStringLiteral("VF1X12345")}},
        {RuhsatAramaAlani::Sase, QStringLiteral("12345"), true, {QStringLiteral("VF1X12345")}}, // ends with
        {RuhsatAramaAlani::Sase, QStringLiteral("vf1x"), false, {QStringLiteral("VF1X12345")}}, // starts with
        {RuhsatAramaAlani::CariAd, QStringLiteral("ilhan"), false, {QStringLiteral("VF1REG")}},
        {RuhsatAramaAlani::CariAd, QStringLiteral("ışık"), true, {QStringLiteral("VF1REG")}}, // contains
        {RuhsatAramaAlani::Sase, QString(), false,
         {QStringLiteral("VF1123459"), QStringLiteral("VF1REG"), QStringLiteral("VF1X12345")}},
    };
    for (const Case& c : cases) {
        const RuhsatSorgusu s = c.light ? BeyanListe2Sorgu(db, c.alan, c.typed) : RuhsatListeSorgu(db, c.alan, c.typed, false);
        EXPECT_EQ(found(s), c.expected) << c.typed.toStdString();
    }

    const QVariantMap noOwner{{QStringLiteral("SASE_NO"), QStringLiteral("VF1X12345")}, {QStringLiteral("PLAKA"), QStringLiteral("34AB001")}};
    EXPECT_FALSE(RuhsatSecilebilir(1, noOwner));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bu Aracın Cari yada Plakası yok!"));
    EXPECT_TRUE(RuhsatSecilebilir(2, noOwner));
}
