#include "stock/StockSchema.h"
#include "stock/catalog/Kodlar.h"
#include "testsupport/TestSupport.h"

#include <functional>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockCatalogTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    QString one(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toString() : QStringLiteral("<none>");
    }
};

TEST_F(StockCatalogTest, GroupsRenameWithTheirCardsAndRefuseDeleteInUse)
{
    EXPECT_EQ(GrupKaydet(db, {}, QString(), QStringLiteral("Ad")), QStringLiteral("Grup Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    EXPECT_EQ(GrupKaydet(db, {}, QStringLiteral("FRN"), QStringLiteral("Fren")), QString());
    EXPECT_EQ(GrupKaydet(db, {}, QStringLiteral("FRN"), QStringLiteral("Fren 2")), AyniKodluKayitMesaji());
    EXPECT_EQ(AltGrupKaydet(db, true, QStringLiteral("FRN"), QStringLiteral("BAL"), QStringLiteral("Balata"), false), QString());
    db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, PAY, KDV, GRUP_NO, ALTGRUP_NO) VALUES (1, 'P', 'P', 18, 'FRN', 'BAL')"));

    EXPECT_EQ(GrupKaydet(db, QStringLiteral("FRN"), QStringLiteral("FREN"), QStringLiteral("Fren")), QString());
    EXPECT_EQ(one(QStringLiteral("SELECT GRUP_NO FROM STOK")), QStringLiteral("FREN"));
    EXPECT_EQ(one(QStringLiteral("SELECT GRUP_KODU FROM ALTGRUP")), QStringLiteral("FREN"));

    EXPECT_EQ(GrupSil(db, QStringLiteral("FREN")), QStringLiteral("Bu Grup Ürün Listesine İşlenmiş.Silinemez!"));
    EXPECT_EQ(AltGrupSil(db, QStringLiteral("FREN"), QStringLiteral("BAL")),
              QStringLiteral("Bu Grup Stok Listesine İşlenmiş.Silinemez!"));
    db.exec(QStringLiteral("DELETE FROM STOK"));
    EXPECT_EQ(AltGrupSil(db, QStringLiteral("FREN"), QStringLiteral("BAL")), QString());
    EXPECT_EQ(GrupSil(db, QStringLiteral("FREN")), QString());
}

TEST_F(StockCatalogTest, BrandAndPackagingACardUsesAreNotDeleted)
{
    EXPECT_EQ(MarkaKaydet(db, {}, QStringLiteral("TOYOTA"), {}, {}), QString());
    EXPECT_EQ(AmbalajKaydet(db, {}, Ambalaj{QStringLiteral("KOLI"), 12, 0, 0, 0}), QString());
    db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, PAY, KDV, MARKAKOD, AMBALAJ_NO) "
                           "VALUES (1, 'P', 'P', 18, 'TOYOTA', 'KOLI')"));
    struct Case {
        std::function<QString()> sil;
        QString mesaj;
        QString kalan; // the row that must still be there
    };
    const QList<Case> cases{
        {[&] { return MarkaSil(db, QStringLiteral("TOYOTA")); }, QStringLiteral("Bu Marka Stok Listesine İşlenmiş.Silinemez!"),
         QStringLiteral("SELECT MARKA_KOD FROM MARKALAR")},
        {[&] { return AmbalajSil(db, QStringLiteral("KOLI")); }, QStringLiteral("Bu Ambalaj Stok Listesine İşlenmiş.Silinemez!"),
         QStringLiteral("SELECT AMBALAJ_KOD FROM AMBALAJ")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.sil(), c.mesaj);
        EXPECT_NE(one(c.kalan), QStringLiteral("<none>"));
    }
    db.exec(QStringLiteral("DELETE FROM STOK"));
    for (const Case& c : cases) {
        EXPECT_EQ(c.sil(), QString());
        EXPECT_EQ(one(c.kalan), QStringLiteral("<none>"));
    }
}

TEST_F(StockCatalogTest, SubgroupChecksInOrder)
{
    EXPECT_EQ(AltGrupKaydet(db, true, {}, {}, {}, false), QStringLiteral("Grup Seçmeden Kayıt Saklanamaz."));
    EXPECT_EQ(AltGrupKaydet(db, true, QStringLiteral("G"), {}, {}, false),
              QStringLiteral("Alt Grup Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    EXPECT_EQ(AltGrupKaydet(db, true, QStringLiteral("G"), QStringLiteral("A"), QStringLiteral(" "), false),
              QStringLiteral("Alt Grup Adı Bilgisini Vermeden Kayıt Saklanamaz."));
}

TEST_F(StockCatalogTest, BrandsWarehousesPackagingAccessories)
{
    EXPECT_EQ(MarkaKaydet(db, {}, QString(), {}, {}), QStringLiteral("Araç Marka Bilgisini Vermeden Kayıt Saklanamaz."));
    EXPECT_EQ(MarkaKaydet(db, {}, QStringLiteral("TOYOTA"), QStringLiteral("Toyota"), {}), QString());
    EXPECT_EQ(MarkaKaydet(db, {}, QStringLiteral("TOYOTA"), {}, {}), AyniKodluKayitMesaji());

    EXPECT_EQ(DepoGuncelle(db, ctx, QStringLiteral("2"), QStringLiteral("X"), {}),
              QStringLiteral("2: Kodlu Depo Servis Depodur. Değiştirilemez."));
    EXPECT_EQ(DepoGuncelle(db, ctx, QStringLiteral("1"), QStringLiteral("Merkez Depo"), QStringLiteral("Bodrum")), QString());
    EXPECT_EQ(one(QStringLiteral("SELECT DEPO_ADI FROM DEPO WHERE DEPO_KODU = '2'")), QStringLiteral("Servis Depo"));
    EXPECT_EQ(one(QStringLiteral("SELECT DEPO_ADI FROM DEPO WHERE DEPO_KODU = '1'")), QStringLiteral("Merkez Depo"));

    Ambalaj a;
    EXPECT_EQ(AmbalajKaydet(db, {}, a), QStringLiteral("Ambalaj Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    a.AMBALAJ_KOD = QStringLiteral("KOLI");
    a.AMBALAJ_ADET = 12;
    EXPECT_EQ(AmbalajKaydet(db, {}, a), QString());
    EXPECT_EQ(AmbalajKaydet(db, {}, a), AyniKodluKayitMesaji());
    EXPECT_DOUBLE_EQ(AmbalajOku(db, QStringLiteral("KOLI")).AMBALAJ_ADET, 12);

    Aksesuar x;
    EXPECT_EQ(AksesuarKaydet(db, {}, x), QStringLiteral("Aksesuar Kodu Bilgisini Vermeden Kayıt Saklanamaz."));
    x.AKSESUAR_KODU = QStringLiteral("PASPAS01");
    EXPECT_EQ(AksesuarKaydet(db, {}, x), QString());
    EXPECT_EQ(AksesuarSil(db, QStringLiteral("PASPAS01")), QString());
}

} // namespace
