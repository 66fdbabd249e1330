#include "DispozFixture.h"
#include "workshop/labour/Frt.h"

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::DispozTest;

namespace {

class LabourTest : public DispozTest {};

TEST_F(LabourTest, CardSaveChecksCodeVatAndTimeAndDefaultsToUsd)
{
    QVariantMap r = YeniFrtSatiri();
    EXPECT_EQ(r.value(QStringLiteral("DOVIZ_KODU")).toString(), QStringLiteral("USD"));
    r[QStringLiteral("FRT_ADI")] = QStringLiteral("Fren balatası");
    r[QStringLiteral("FRT_KODU")] = QStringLiteral("F1");
    FrtTurSec(r, QStringLiteral("H"));
    EXPECT_EQ(r.value(QStringLiteral("MODEL_KODU")).toString(), QStringLiteral("ZZ"));
    EXPECT_FALSE(FrtKaydet(db, r, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Frt Kodu ve Kdv Yazılmadan Kayıt Saklanamaz."));

    r[QStringLiteral("KDV")] = 18.0;
    messages.answer(MsgNo);
    EXPECT_FALSE(FrtKaydet(db, r, true));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İşçilik Süresini yazmadınız. Kayıt saklansın mı?"));
    EXPECT_TRUE(FrtKaydet(db, r, true));
    const QVariantMap saved = FrtOku(db, QStringLiteral("F1"), QStringLiteral("ZZ"));
    EXPECT_EQ(saved.value(QStringLiteral("KLEIM_TURU")).toString(), QStringLiteral("A")); // the database's default
    EXPECT_EQ(saved.value(QStringLiteral("DOVIZ_KODU")).toString(), QStringLiteral("USD"));

    // a duplicate (code, model) reaches the window's guard and nothing changes
    messages.clear();
    r[QStringLiteral("FRT_ZAMAN")] = 1.0;
    EXPECT_THROW(FrtKaydet(db, r, true), DbError);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM FRT WHERE FRT_KODU = 'F1'")), 1);
}

TEST_F(LabourTest, SearchBindsTypedTextAsPrefixAndModelExactly)
{
    addFrt(QStringLiteral("M1%"), QStringLiteral("VS1"), 1, 1);
    const auto kodlar = [&](const FrtArama& a) {
        QVariantMap b;
        Query q(db, FrtListeSorgusu(a, db, b));
        q.bindAll(b).exec();
        QStringList out;
        while (q.next())
            out << q.str(QStringLiteral("FRT_KODU")) + QLatin1Char('/') + q.str(QStringLiteral("MODEL_KODU"));
        return out;
    };
    EXPECT_EQ(kodlar({QStringLiteral("M1"), {}, QStringLiteral("VS1")}),
              QStringList({QStringLiteral("M1%/VS1"), QStringLiteral("M100/VS1")}));
    EXPECT_EQ(kodlar({QStringLiteral("M1%"), {}, {}}), QStringList({QStringLiteral("M1%/VS1")}));
    EXPECT_TRUE(kodlar({QStringLiteral("' OR 1=1 --"), {}, {}}).isEmpty());
}

TEST_F(LabourTest, CodeOnAWorkOrderCannotBeDeletedForAnyModel)
{
    insert(QStringLiteral("ISCILIK"), {{QStringLiteral("ISEMRI_NO"), wo}, {QStringLiteral("FYILI"), 2025},
                                       {QStringLiteral("SIRANO"), 1}, {QStringLiteral("ARIZA_KODU"), QStringLiteral("M100")}});
    EXPECT_FALSE(FrtSil(db, QStringLiteral("M100"), QStringLiteral("ZZ")));
    EXPECT_EQ(messages.lastText(), QStringLiteral("İşçilik kodu İşemri yada Faturaya İşlenmiş!. Silinemez."));
    EXPECT_TRUE(FrtSil(db, QStringLiteral("Z200"), QStringLiteral("ZZ")));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM FRT WHERE FRT_KODU = 'Z200'")), 0);
}

TEST_F(LabourTest, ListPricePrefersTheVehicleModelOverZz)
{
    EXPECT_DOUBLE_EQ(FrtListeFiyati(db, QStringLiteral("M100"), QStringLiteral("VS1")), 200);
    EXPECT_DOUBLE_EQ(FrtListeFiyati(db, QStringLiteral("M100"), QStringLiteral("KH1")), 150);
    EXPECT_DOUBLE_EQ(FrtListeFiyati(db, QStringLiteral("M100"), {}), 150);
    EXPECT_DOUBLE_EQ(FrtListeFiyati(db, QStringLiteral("YOK"), QStringLiteral("VS1")), 0);
}

TEST_F(LabourTest, GroupPriceUpdate)
{
    EXPECT_DOUBLE_EQ(FiyatDortHane(12.34567), 12.3457);
    EXPECT_DOUBLE_EQ(FiyatDortHane(0.00004), 0);
    EXPECT_DOUBLE_EQ(FiyatDortHane(0.00005), 0);     // halfway goes to even

    struct Case {
        double d;
        double kExpect, bExpect, mExpect, dExpect, hExpect, noneExpect;
    };
    for (const Case c : {Case{80, 120.5, 7, 100, 80, 9, 90}, Case{0, 120.5, 7, 100, 90, 9, 90}}) {
        SCOPED_TRACE(c.d);
        db.exec(QStringLiteral("DELETE FROM FRT"));
        const std::pair<const char*, const char*> kinds[] = {{"K1", "K"}, {"B1", "B"}, {"M1", "M"},
                                                             {"D1", "D"}, {"H1", "H"}};
        for (auto [kod, kbmy] : kinds)
            addFrt(QString::fromLatin1(kod), QStringLiteral("ZZ"), 1, kbmy[0] == 'B' ? 7 : 9, 18,
                   QString::fromLatin1(kbmy));
        db.exec(QStringLiteral("INSERT INTO FRT (FRT_KODU, MODEL_KODU, FRT_ADI, BIRIM_FIYAT_TL) VALUES ('N1', 'ZZ', 'x', 1)"));
        db.exec(QStringLiteral("UPDATE FRTFYT SET BR_FIYAT_TL = CASE GRUP_KOD WHEN 'K' THEN 120.5 WHEN 'B' THEN 0 "
                               "WHEN 'M' THEN 100 WHEN 'G' THEN 555 ELSE :D END"),
                {{QStringLiteral("D"), c.d}});
        EXPECT_TRUE(FrtBirimFiyatGuncelle(db, 90));
        EXPECT_EQ(messages.lastText(), QStringLiteral("İşçilik Birim Fiyatları Güncellendi!"));
        const auto fiyat = [&](const char* k) {
            return scalar(QStringLiteral("SELECT BIRIM_FIYAT_TL FROM FRT WHERE FRT_KODU = :K"),
                          {{QStringLiteral("K"), QString::fromLatin1(k)}}).toDouble();
        };
        EXPECT_DOUBLE_EQ(fiyat("K1"), c.kExpect);
        EXPECT_DOUBLE_EQ(fiyat("B1"), c.bExpect);
        EXPECT_DOUBLE_EQ(fiyat("M1"), c.mExpect);
        EXPECT_DOUBLE_EQ(fiyat("D1"), c.dExpect);
        EXPECT_DOUBLE_EQ(fiyat("H1"), c.hExpect);
        EXPECT_DOUBLE_EQ(fiyat("N1"), c.noneExpect);
        EXPECT_EQ(scalar(QStringLiteral("SELECT KBMY FROM FRT WHERE FRT_KODU = 'N1'")).toString(), QStringLiteral("D"));
    }
}

} // namespace
