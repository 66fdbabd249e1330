#include "workshop/vehicles/VehicleRules.h"

#include <gtest/gtest.h>

using namespace tornaly::workshop;

TEST(VehicleRules, NormalizesTypedPlatesAndChassisNumbers)
{
    EXPECT_EQ(NormalizeVehicleCode(QStringLiteral(" 34 abc 12 ")), QStringLiteral("34ABC12"));
    // A Turkish keyboard's i and ı both stand for the Latin capital I.
    EXPECT_EQ(NormalizeVehicleCode(QStringLiteral("06 kıi 9")), QStringLiteral("06KII9"));
}

TEST(VehicleRules, WarrantyDates)
{
    const QDateTime fat(QDate(2026, 3, 1), QTime(0, 0));
    struct Case {
        QVariant bas, bit;
        QVariant expectBas;
        bool bitCleared;
    } cases[] = {
        {QVariant(), QDateTime(QDate(2028, 3, 1), QTime(0, 0)), fat, false},          // start from the invoice
        {QDateTime(QDate(2026, 2, 1), QTime(0, 0)), QVariant(), QDateTime(QDate(2026, 2, 1), QTime(0, 0)), true},
        {QVariant(), DateScaleDay(0), fat, true},    // 1899-12-30 means no date
        {QVariant(), DateScaleDay(100), fat, true},  // day 100 still counts as empty
        {QVariant(), DateScaleDay(101), fat, false},
    };
    for (const Case& c : cases) {
        QVariantMap arac{{QStringLiteral("FAT_TRH"), fat}, {QStringLiteral("GARANTI_BAS"), c.bas},
                         {QStringLiteral("GARANTI_BIT"), c.bit}};
        ApplyWarrantyDefaults(arac);
        EXPECT_EQ(arac.value(QStringLiteral("GARANTI_BAS")).toDateTime(), c.expectBas.toDateTime());
        EXPECT_EQ(arac.value(QStringLiteral("GARANTI_BIT")).isNull(), c.bitCleared) << c.bit.toString().toStdString();
    }
    EXPECT_EQ(DateScaleDay(100).date(), QDate(1900, 4, 9));
}

TEST(VehicleRules, ModelPricesFollowCostAndRate)
{
    QVariantMap m{{QStringLiteral("KAR_ORANI"), 20.0}, {QStringLiteral("MALIYET_FYT_USD"), 1000.0}};
    ModelUsdCostChanged(m);
    EXPECT_DOUBLE_EQ(m.value(QStringLiteral("SATIS_FIYAT_USD")).toDouble(), 1200.0);
    EXPECT_DOUBLE_EQ(m.value(QStringLiteral("D_BASI_STK_DEGERI")).toDouble(), 1000.0);
    ModelRatePicked(m, 30.0);
    EXPECT_DOUBLE_EQ(m.value(QStringLiteral("MALIYET_FYT_TL")).toDouble(), 30000.0);
    EXPECT_DOUBLE_EQ(m.value(QStringLiteral("SATIS_FIYAT_TL")).toDouble(), 36000.0);
}

TEST(VehicleRules, RegistrationTotals)
{
    struct Case {
        double bedel, otv, ist, kdv, mas;
        double otvTut, net, kdvSiz, kdvTut, kdvli, atf;
    } cases[] = {
        {100000.00, 45, 0, 18, 1500.00, 45000.00, 45000.00, 145000.00, 26100.00, 171100.00, 172600.00},
        // An exemption above the tax never makes the net tax negative.
        {100000.00, 10, 20000, 20, 0, 10000.00, 0, 100000.00, 20000.00, 120000.00, 120000.00},
        {0, 45, 0, 20, 0, 0, 0, 0, 0, 0, 0},
        // The tax is rounded to kuruş before it is added.
        {333.33, 45, 0, 0, 0, 150.00, 150.00, 483.33, 0, 483.33, 483.33},
    };
    for (const Case& c : cases) {
        const BeyanToplam t = ComputeBeyanToplam(c.bedel, c.otv, c.ist, c.kdv, c.mas);
        EXPECT_NEAR(t.otvTut, c.otvTut, 1e-6);
        EXPECT_NEAR(t.otvNet, c.net, 1e-6);
        EXPECT_NEAR(t.kdvSiz, c.kdvSiz, 1e-6);
        EXPECT_NEAR(t.kdvTut, c.kdvTut, 1e-6);
        EXPECT_NEAR(t.kdvliTut, c.kdvli, 1e-6);
        EXPECT_NEAR(t.atf, c.atf, 1e-6);
    }
}

TEST(VehicleRules, RegistrationDefaultsTakeTheModelsValuesOnlyWhenEmpty)
{
    const QVariantMap model{{QStringLiteral("KDV"), 20.0}, {QStringLiteral("OTV"), 45.0},
                            {QStringLiteral("SATIS_FIYAT_TL"), 500000.0}};
    QVariantMap empty{{QStringLiteral("KDV"), 0.0}, {QStringLiteral("OTV"), 0.0}, {QStringLiteral("ARAC_BEDEL"), 0.0}};
    ApplyBeyanDefaults(empty, model);
    EXPECT_DOUBLE_EQ(empty.value(QStringLiteral("KDV")).toDouble(), 0.0); // a VAT rate of 0 stays
    EXPECT_DOUBLE_EQ(empty.value(QStringLiteral("OTV")).toDouble(), 45.0);
    EXPECT_DOUBLE_EQ(empty.value(QStringLiteral("ARAC_BEDEL")).toDouble(), 500000.0);

    QVariantMap priced{{QStringLiteral("KDV"), 118.0}, {QStringLiteral("OTV"), 10.0},
                       {QStringLiteral("ARAC_BEDEL"), 100.0}};
    ApplyBeyanDefaults(priced, model);
    EXPECT_DOUBLE_EQ(priced.value(QStringLiteral("KDV")).toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(priced.value(QStringLiteral("OTV")).toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(priced.value(QStringLiteral("ARAC_BEDEL")).toDouble(), 100.0);
}

TEST(VehicleRules, DeclarationTexts)
{
    EXPECT_EQ(PaddedWhole(125000.40, 17), QString(11, QLatin1Char(' ')) + QStringLiteral("125000"));
    EXPECT_EQ(PaddedWhole(2.5, 4), QStringLiteral("   3"));
    EXPECT_EQ(PaddedWhole(45, 4), QStringLiteral("  45"));

    QVariantMap beyan{{QStringLiteral("TARIH"), QDateTime(QDate(2026, 3, 7), QTime(0, 0))},
                      {QStringLiteral("AL_DTAR"), QVariant()},
                      {QStringLiteral("TIK_1"), QStringLiteral("X")}};
    const QVariantMap arac{{QStringLiteral("ARAC_BEDEL"), 100000.0}, {QStringLiteral("OTV"), 45.0}};
    PrepareBeyanForWrite(beyan, arac);
    EXPECT_EQ(beyan.value(QStringLiteral("TRH_GUN")).toString(), QStringLiteral("07"));
    EXPECT_EQ(beyan.value(QStringLiteral("TRH_AY")).toString(), QStringLiteral("03"));
    EXPECT_EQ(beyan.value(QStringLiteral("TRH_YIL")).toString(), QStringLiteral("2026"));
    EXPECT_EQ(beyan.value(QStringLiteral("AL_DT_YIL")).toString(), QStringLiteral("0000"));
    EXPECT_EQ(beyan.value(QStringLiteral("TIK_2")).toString(), QStringLiteral(" "));
    EXPECT_EQ(beyan.value(QStringLiteral("OTV_TUT")).toString().trimmed(), QStringLiteral("45000"));
    EXPECT_EQ(beyan.value(QStringLiteral("OTV")).toString(), QStringLiteral("  45"));

    QVariantMap old{{QStringLiteral("TARIH"), QDateTime(QDate(1979, 12, 31), QTime(0, 0))}};
    PrepareBeyanForWrite(old, arac);
    EXPECT_EQ(old.value(QStringLiteral("TRH_GUN")).toString(), QStringLiteral("00"));
    EXPECT_EQ(old.value(QStringLiteral("TIK_2")).toString(), QStringLiteral("X"));
}
