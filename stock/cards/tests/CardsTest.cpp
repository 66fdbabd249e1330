#include "stock/StockSchema.h"
#include "stock/cards/StokKart.h"
#include "stock/ledger/DepoHrk.h"
#include "stock/pictures/StokResim.h"
#include "testsupport/TestSupport.h"

#include <QBuffer>
#include <QImage>

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockCardTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }

    StokKarti yeniKart(const QString& no, const QString& ad = QStringLiteral("Fren Balatası"))
    {
        StokKarti k = YeniStokKarti(db, ctx, bugun);
        k.alan.insert(QStringLiteral("STOK_KOD_NO"), no);
        k.alan.insert(QStringLiteral("STOK_ADI_TR"), ad);
        return k;
    }
    int count(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
    const QDate bugun = QDate(2026, 12, 11);
};

TEST_F(StockCardTest, NewCardDefaultsAndNumbersWithGaps)
{
    const StokKarti a = YeniStokKarti(db, ctx, bugun);
    const StokKarti b = YeniStokKarti(db, ctx, bugun); // a was cancelled: its number stays used
    EXPECT_EQ(b.stokNo(), a.stokNo() + 1);
    EXPECT_EQ(a.alan.value(QStringLiteral("BARK_TIP")).toString(), QStringLiteral("E"));
    EXPECT_EQ(a.alan.value(QStringLiteral("ACILIS_TRH")).toDate(), bugun);
    EXPECT_EQ(a.alan.value(QStringLiteral("MERKEZ")).toInt(), 0);
    EXPECT_EQ(a.alan.value(QStringLiteral("FYT_KUR")).toString(), ctx.YerelPara);
}

TEST_F(StockCardTest, SaveChecksInOrderAndRefusesADuplicatePartNumber)
{
    StokKarti k = yeniKart(QStringLiteral("04465-0K240"));
    ASSERT_EQ(StokKartiKaydet(db, k), QString());
    EXPECT_FALSE(k.yeni);

    struct Case {
        const char* no;
        const char* ad;
        const char* kur;
        QString beklenen;
    };
    const Case cases[] = {
        {" 04465-0K240 ", "Başka", "TL", ParcaNoVarMesaji()}, // found trimmed
        {"04465-0K241", "  ", "TL", StokAdiYokMesaji()},
        {"04465-0K241", "Ad", " ", DovizKoduYokMesaji()},
        {"04465-0K240", "", "", ParcaNoVarMesaji()},          // the part number is checked first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.no);
        StokKarti d = yeniKart(QString::fromUtf8(c.no), QString::fromUtf8(c.ad));
        d.alan.insert(QStringLiteral("FYT_KUR"), QString::fromUtf8(c.kur));
        EXPECT_EQ(StokKartiKaydet(db, d), c.beklenen);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOK")), 1);

    // An existing card is never checked again and keeps its part number.
    StokKarti e = StokKartiOku(db, k.stokNo());
    e.alan.insert(QStringLiteral("STOK_KOD_NO"), QStringLiteral("DEĞİŞMEZ"));
    e.alan.insert(QStringLiteral("STOK_ADI_TR"), QStringLiteral("Ön Fren Balatası"));
    EXPECT_EQ(StokKartiKaydet(db, e), QString());
    const StokKarti okunan = StokKartiOku(db, k.stokNo());
    EXPECT_EQ(okunan.parcaNo(), QStringLiteral("04465-0K240"));
    EXPECT_EQ(okunan.alan.value(QStringLiteral("STOK_ADI_TR")).toString(), QStringLiteral("Ön Fren Balatası"));
}

TEST_F(StockCardTest, CopyRuleAndCentralCards)
{
    StokKarti k = yeniKart(QStringLiteral("90915-YZZD4"), QStringLiteral("Yağ Filtresi"));
    k.alan.insert(QStringLiteral("MERKEZ"), 1);
    k.alan.insert(QStringLiteral("ALTGRUP_NO"), QStringLiteral("F1"));
    k.alan.insert(QStringLiteral("MARKAKOD"), QStringLiteral("TOYOTA"));
    k.alan.insert(QStringLiteral("SAT_FYT_TL"), 120.5);
    k.alan.insert(QStringLiteral("BARKOD"), QStringLiteral("8690000000001"));
    ASSERT_EQ(StokKartiKaydet(db, k), QString());

    StokKarti kopya = StokKartiKopyala(db, ctx, StokKartiOku(db, k.stokNo()), QDate(2027, 1, 2));
    EXPECT_EQ(kopya.parcaNo(), QStringLiteral("90915-YZZD4*"));
    EXPECT_EQ(kopya.alan.value(QStringLiteral("MERKEZ")).toInt(), 0);
    EXPECT_EQ(kopya.alan.value(QStringLiteral("ACILIS_TRH")).toDate(), QDate(2027, 1, 2));
    EXPECT_DOUBLE_EQ(kopya.alan.value(QStringLiteral("SAT_FYT_TL")).toDouble(), 120.5);
    EXPECT_EQ(kopya.alan.value(QStringLiteral("BARKOD")).toString(), QStringLiteral("8690000000001"));
    EXPECT_FALSE(kopya.alan.contains(QStringLiteral("ALTGRUP_NO")));
    EXPECT_FALSE(kopya.alan.contains(QStringLiteral("MARKAKOD")));
    EXPECT_NE(kopya.stokNo(), k.stokNo());
    EXPECT_EQ(StokKartiKaydet(db, kopya), QString()); // the first copy passes the check
    EXPECT_TRUE(BarkodBaskaKartta(db, QStringLiteral("8690000000001"), kopya.stokNo()));
    EXPECT_FALSE(BarkodBaskaKartta(db, QStringLiteral("8690000000002"), kopya.stokNo()));
}

TEST_F(StockCardTest, ShelvesOnlyWhereThePartHasAQuantityRow)
{
    StokKarti k = yeniKart(QStringLiteral("P1"));
    ASSERT_EQ(StokKartiKaydet(db, k), QString());
    DepoHrkYaz(db, DepoHrkBelge::Belge(1, u'D'),
               {DepoHrkHareket(u'D', 1, StokFisiCariKod(), k.stokNo(), QStringLiteral("1"),
                               QDateTime(bugun, QTime(9, 0)), 5, 10.0, 0.3)});
    k.raflar.insert(QStringLiteral("1"), QStringLiteral("A-01"));
    k.raflar.insert(QStringLiteral("2"), QStringLiteral("B-02"));
    ASSERT_EQ(StokKartiKaydet(db, k), QString());
    const auto satirlar = StokDepoSatirlari(db, k.stokNo());
    ASSERT_EQ(satirlar.size(), 2);
    EXPECT_EQ(satirlar[0].RAF_YERI, QStringLiteral("A-01"));
    EXPECT_DOUBLE_EQ(satirlar[0].MIK, 5);
    EXPECT_TRUE(satirlar[1].RAF_YERI.isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOKMIK")), 1);

    const DonemBasi d = DonemBasiBul(db, k.stokNo());
    EXPECT_DOUBLE_EQ(d.miktar, 5);
    EXPECT_DOUBLE_EQ(d.tutarTL, 50);
    EXPECT_DOUBLE_EQ(d.birimUSD, 0.3);
}

TEST_F(StockCardTest, ACardWithMovementsIsNeverDeleted)
{
    StokKarti a = yeniKart(QStringLiteral("A1")), b = yeniKart(QStringLiteral("B1"));
    ASSERT_EQ(StokKartiKaydet(db, a), QString());
    ASSERT_EQ(StokKartiKaydet(db, b), QString());
    DepoHrkYaz(db, DepoHrkBelge::Belge(3, u'S'),
               {DepoHrkHareket(u'S', 1, {}, a.stokNo(), QStringLiteral("1"), QDateTime(bugun, QTime()), 0, 0.0)});
    EXPECT_EQ(StokKartiSil(db, a.stokNo()), HareketliStokMesaji());
    EXPECT_EQ(StokKartiSil(db, b.stokNo()), QString());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOK")), 1);
}

TEST_F(StockCardTest, ComputedPricesAndVatRemoval)
{
    QVariantMap k = {{QStringLiteral("SAT_FYT_TL"), 100.0}, {QStringLiteral("SAT_FYT_USD"), 3.0},
                     {QStringLiteral("SAT_FYT_DOVIZ"), 118.0}, {QStringLiteral("KDV"), 18},
                     {QStringLiteral("SONALIS_FYT_TL"), 70.0}, {QStringLiteral("FYT_TRH"), QDateTime(bugun, QTime())}};
    ctx.AcilIskonto = 10;
    ctx.StokIskonto = 25;
    StokHesapliFiyatlar f = StokHesapliFiyatlariBul(db, ctx, k);
    EXPECT_DOUBLE_EQ(f.ISKLI1, 90);
    EXPECT_DOUBLE_EQ(f.ISKLI2, 75);
    EXPECT_DOUBLE_EQ(f.SATIS_KDVLI, 118);
    EXPECT_DOUBLE_EQ(f.SAT_KDVLI_USD, 3.54);
    EXPECT_DOUBLE_EQ(f.SONALISFYT_USD, 70); // no USD rate for the price date: rate 1
    k.insert(QStringLiteral("KDV"), 0);
    EXPECT_DOUBLE_EQ(StokHesapliFiyatlariBul(db, ctx, k).SATIS_KDVLI, 100);

    k.insert(QStringLiteral("KDV"), 18);
    KdvHaricFiyatHesapla(k);
    EXPECT_DOUBLE_EQ(k.value(QStringLiteral("SAT_FYT_DOVIZ")).toDouble(), 100);
    KdvHaricFiyatHesapla(k); // each press divides again
    EXPECT_NEAR(k.value(QStringLiteral("SAT_FYT_DOVIZ")).toDouble(), 100 / 1.18, 1e-9);

    k.insert(QStringLiteral("FYT_KUR"), ctx.YerelPara);
    YerelSatisFiyatiniEsitle(k, ctx);
    EXPECT_NEAR(k.value(QStringLiteral("SAT_FYT_TL")).toDouble(), 100 / 1.18, 1e-9);
}

TEST_F(StockCardTest, EquivalentCodesNeedAPartNumber)
{
    EXPECT_FALSE(MuadilKoduYaz(db, QString(), QStringLiteral("X")));
    EXPECT_TRUE(MuadilKoduYaz(db, QStringLiteral("P1"), QStringLiteral("E1")));
    EXPECT_TRUE(MuadilKoduYaz(db, QStringLiteral("P1"), QStringLiteral("E2"), QStringLiteral("E1")));
    EXPECT_EQ(MuadilKodlar(db, QStringLiteral("P1")), QStringList{QStringLiteral("E2")});
}

QByteArray pngBytes()
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return b;
}

TEST_F(StockCardTest, PicturesRefuseNonImagesAndNumberFromOne)
{
    QString hata;
    EXPECT_EQ(ResimEkle(db, QStringLiteral("Metin"), QByteArrayLiteral("not a picture"), &hata), -1);
    EXPECT_EQ(hata, DosyaHatasiMesaji());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOKRESM")), 0);
    EXPECT_EQ(ResimEkle(db, QStringLiteral("Ön Takım"), pngBytes()), 1);
    EXPECT_EQ(ResimEkle(db, QStringLiteral("Arka Takım"), pngBytes()), 2);
    EXPECT_FALSE(ResimDegistir(db, 1, QByteArrayLiteral("\x00\x01"), &hata));
    EXPECT_EQ(ResimOku(db, 1), pngBytes());
    // The last number freed by a delete is not given again; a picture a card shows stays.
    EXPECT_EQ(ResimSil(db, 2), QString());
    EXPECT_EQ(ResimEkle(db, QStringLiteral("Yeni"), pngBytes()), 3);
    db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, PAY, KDV, RESIM_NO) VALUES (9001, 'RESIMLI', 'P', 18, 1)"));
    EXPECT_EQ(ResimSil(db, 1), QStringLiteral("Bu Resim Stok Listesine İşlenmiş.Silinemez!"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM STOKRESM WHERE RESIM_NO = 1")), 1);

    // a click on a stretched picture is kept in picture pixels and drawn back in place
    const QPoint p = ResimNoktasi({100, 50}, {200, 100}, {800, 600}, true);
    EXPECT_EQ(p, QPoint(400, 300));
    EXPECT_EQ(CerceveNoktasi(p, {200, 100}, {800, 600}, true), QPoint(100, 50));
    EXPECT_EQ(ResimNoktasi({100, 50}, {200, 100}, {800, 600}, false), QPoint(100, 50));
}

} // namespace
