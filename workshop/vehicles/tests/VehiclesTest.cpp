#include "VehicleFixture.h"
#include "workshop/vehicles/Vehicles.h"

using namespace tornaly;
using namespace tornaly::workshop;

class VehiclesTest : public test::VehicleTest {
protected:
    QVariantMap vehicle(const QString& sase, const QString& plaka = {})
    {
        return {{QStringLiteral("SASE_NO"), sase},
                {QStringLiteral("PLAKA"), plaka},
                {QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("VRN1600")},
                {QStringLiteral("ARC_MODEL_TRH"), 2025}};
    }
    QStringList found(const AracListeSorgusu& s)
    {
        QStringList out;
        Query q(db, s.statement);
        q.bindAll(s.binds).exec();
        while (q.next())
            out << q.value(QStringLiteral("SASE_NO")).toString();
        return out;
    }
};

TEST_F(VehiclesTest, SaveChecks)
{
    const QString sase = QStringLiteral("ŞASE' de Hatalı yada Boşluklu Karakter kullandınız.");
    const QString plaka = QStringLiteral("PLAKA' da Hatalı yada Boşluklu Karakter kullandınız.");
    struct Case {
        QString sase, plaka, message;
    } cases[] = {
        {QStringLiteral(""), {}, sase},
        {QStringLiteral("VF1 AB"), {}, sase},
        {QStringLiteral("vf1ab"), {}, sase},
        {QStringLiteral("VF1ĞAB"), {}, sase},
        {QStringLiteral("VF1AB"), QStringLiteral("34 ABC 12"), plaka},
        {QStringLiteral("VF1AB"), QStringLiteral("34abc12"), plaka},
        {QStringLiteral("VF1AB"), QStringLiteral("34ABC12"), {}},
        {QStringLiteral("VF1AC"), {}, {}},
    };
    for (const Case& c : cases) {
        messages.clear();
        const bool ok = SaveArac(db, ctx, vehicle(c.sase, c.plaka), true);
        EXPECT_EQ(ok, c.message.isEmpty()) << c.sase.toStdString();
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.lastText(), c.message);
        }
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAC")), 2);

    // A chassis number already on another card.
    messages.clear();
    EXPECT_FALSE(SaveArac(db, ctx, vehicle(QStringLiteral("VF1AB")), true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bu Şase No ile Kayıtlı Araç Var."));

    // Brand-dealer mode wants exactly 17 characters.
    ctx.MarkaBayiModu = true;
    messages.clear();
    EXPECT_FALSE(SaveArac(db, ctx, vehicle(QStringLiteral("VRN123")), true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Şase 17 hane olmalı!"));
    EXPECT_TRUE(SaveArac(db, ctx, vehicle(QStringLiteral("VRN12345678901234")), true));
}

TEST_F(VehiclesTest, WarrantyDefaultsOnSave)
{
    QVariantMap v = vehicle(QStringLiteral("VF1W"));
    v.insert(QStringLiteral("FAT_TRH"), QDateTime(QDate(2026, 3, 1), QTime(0, 0)));
    v.insert(QStringLiteral("GARANTI_BIT"), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    ASSERT_TRUE(SaveArac(db, ctx, v, true));
    const QVariantMap row = ReadArac(db, QStringLiteral("VF1W"));
    EXPECT_EQ(Query::toDate(row.value(QStringLiteral("GARANTI_BAS"))), QDate(2026, 3, 1));
    EXPECT_TRUE(row.value(QStringLiteral("GARANTI_BIT")).isNull());
}

TEST_F(VehiclesTest, PresetsFillANewCardOnce)
{
    YeniArac().YeniAracSaseNo = QStringLiteral("VF1NEW");
    YeniArac().YeniAracPlaka = QStringLiteral("34NEW1");
    QVariantMap r = NewAracRow();
    EXPECT_EQ(r.value(QStringLiteral("SASE_NO")).toString(), QStringLiteral("VF1NEW"));
    EXPECT_EQ(r.value(QStringLiteral("PLAKA")).toString(), QStringLiteral("34NEW1"));
    EXPECT_FALSE(r.contains(QStringLiteral("MOTOR_NO")));
    YeniArac().clear();
    EXPECT_TRUE(NewAracRow().isEmpty());
}

TEST_F(VehiclesTest, ExteriorColourChangeClearsTheInterior)
{
    QVariantMap v{{QStringLiteral("ARC_RENK_KODU"), QStringLiteral("BYZ")}, {QStringLiteral("IC_RENK"), QStringLiteral("GRI")}};
    AracExteriorPicked(v, QStringLiteral("BYZ"));
    EXPECT_EQ(v.value(QStringLiteral("IC_RENK")).toString(), QStringLiteral("GRI"));
    AracExteriorPicked(v, QStringLiteral("SYH"));
    EXPECT_TRUE(v.value(QStringLiteral("IC_RENK")).isNull());
    EXPECT_EQ(v.value(QStringLiteral("ARC_RENK_KODU")).toString(), QStringLiteral("SYH"));
}

TEST_F(VehiclesTest, DeleteRefusesVehiclesInUse)
{
    addVehicle(QStringLiteral("VF1USED"));
    addVehicle(QStringLiteral("VF1FREE"));
    insert(QStringLiteral("ARCPRTFY"), {{QStringLiteral("SASE_NO"), QStringLiteral("VF1USED")}});
    insert(QStringLiteral("BEYAN"), {{QStringLiteral("SASE_NO"), QStringLiteral("VF1FREE")}});
    EXPECT_FALSE(DeleteArac(db, QStringLiteral("VF1USED"), QStringLiteral("Kayıt Silinsin mi?")));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Bu Araç İşemrinde ve/veya Araç Faturalarında Var!. Silinemez!"));
    EXPECT_TRUE(DeleteArac(db, QStringLiteral("VF1FREE"), QStringLiteral("Kayıt Silinsin mi?")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ARAC")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM BEYAN")), 0);
}

TEST_F(VehiclesTest, SearchesBindAndIgnoreBlanks)
{
    addVehicle(QStringLiteral("VF1AAA11111"), QStringLiteral("34ABC12"));
    addVehicle(QStringLiteral("VF1BBB22222"), QStringLiteral("06ABD99"));
    addVehicle(QStringLiteral("VF1C_C33333"), QStringLiteral("35XYZ01"));
    db.exec(QStringLiteral("UPDATE ARAC SET MOTOR_NO = 'ıslak 77' WHERE SASE_NO = 'VF1BBB22222'"));

    EXPECT_EQ(found(AracAramaSorgu(db, AracAramaAlani::Plaka, QStringLiteral("34 abc"))), QStringList{QStringLiteral("VF1AAA11111")});
    EXPECT_EQ(found(AracAramaSorgu(db, AracAramaAlani::Plaka, QStringLiteral("AB"))).size(), 2);
    EXPECT_EQ(found(AracAramaSorgu(db, AracAramaAlani::Sase, QStringLiteral("22222"))), QStringList{QStringLiteral("VF1BBB22222")});
    // An underscore typed is a character, not a wildcard; a quote is text.
    EXPECT_EQ(found(AracAramaSorgu(db, AracAramaAlani::Sase, QStringLiteral("C_C"))), QStringList{QStringLiteral("VF1C_C33333")});
    EXPECT_TRUE(found(AracAramaSorgu(db, AracAramaAlani::Sase, QStringLiteral("'; DROP TABLE ARAC; --"))).isEmpty());
    // Engine numbers fold the Turkish case.
    EXPECT_EQ(found(AracAramaSorgu(db, AracAramaAlani::Motor, QStringLiteral("ISLAK"))), QStringList{QStringLiteral("VF1BBB22222")});
    EXPECT_EQ(found(AracListeSorgu(db, true)).size(), 3);
    EXPECT_EQ(found(AracSaseFiltreSorgu(db, QStringLiteral("vf1aaa11111"))), QStringList{QStringLiteral("VF1AAA11111")});
}

TEST_F(VehiclesTest, CentralVehicleDataFillsTheCard)
{
    test::TestDatabase central(DatabaseKind::Central);
    const Db merkez = central.db();
    merkez.exec(QStringLiteral("INSERT INTO ARACBILGI (SASE_NO, MOTOR_NO, ARC_MODEL_KODU, ARC_MODEL_TRH, ARC_RENK_KODU, "
                               "PLAKA, GARANTI_BAS, GARANTI_BIT) VALUES ('VRN12345678901234', 'M1', 'VRN1600', 2025, "
                               "'BYZ', '', :BAS, :BIT)"),
                {{QStringLiteral("BAS"), QDateTime(QDate(2025, 2, 1), QTime(0, 0))},
                 {QStringLiteral("BIT"), QDateTime(QDate(1899, 12, 30), QTime(0, 0))}});
    QVariantMap arac{{QStringLiteral("SASE_NO"), QStringLiteral("VRN12345678901234")},
                     {QStringLiteral("PLAKA"), QStringLiteral("34KEEP1")}};
    ASSERT_TRUE(AracBilgisiMerkezdenCek(merkez, arac));
    EXPECT_EQ(arac.value(QStringLiteral("ARC_MODEL_KODU")).toString(), QStringLiteral("VRN1600"));
    EXPECT_EQ(arac.value(QStringLiteral("PLAKA")).toString(), QStringLiteral("34KEEP1")); // an empty plate keeps ours
    EXPECT_EQ(Query::toDate(arac.value(QStringLiteral("GARANTI_BAS"))), QDate(2025, 2, 1));
    EXPECT_FALSE(arac.contains(QStringLiteral("GARANTI_BIT"))); // day 0 is no date

    QVariantMap unknown{{QStringLiteral("SASE_NO"), QStringLiteral("VRN00000000000000")}};
    EXPECT_FALSE(AracBilgisiMerkezdenCek(merkez, unknown));
}
