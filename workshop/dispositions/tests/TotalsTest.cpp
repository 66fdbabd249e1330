#include "DispozFixture.h"
#include "workshop/dispositions/Dispoz.h"
#include "workshop/partsissue/IsDetay.h"

using namespace tornaly;
using namespace tornaly::workshop;
using tornaly::test::DispozTest;

namespace {

QVariantMap parca(double istenen, double verilen, double fiyat, double isk, double kdv, const char* tur)
{
    return {{QStringLiteral("STOK_MIKTAR"), istenen}, {QStringLiteral("VERILEN_MIKTAR"), verilen},
            {QStringLiteral("STOK_FIYATI"), fiyat},   {QStringLiteral("ISK_ORAN"), isk},
            {QStringLiteral("KDV"), kdv},             {QStringLiteral("GARANTI_TIPI"), QString::fromLatin1(tur)}};
}
QVariantMap iscilik(double sure, double fiyat, double qty, double isk, double kdv, const char* tur)
{
    return {{QStringLiteral("SURE"), sure}, {QStringLiteral("ISCILIK_B_FIYATI"), fiyat}, {QStringLiteral("QTY"), qty},
            {QStringLiteral("ISK_ORAN"), isk}, {QStringLiteral("KDV"), kdv},
            {QStringLiteral("GARANTI_TIPI"), QString::fromLatin1(tur)}};
}

struct TotalsCase {
    const char* name;
    QList<QVariantMap> parcalar, iscilikler;
    double par, parIsk, isc, iscIsk, ara, kdv, net, gar;
};

TEST(DispozTotals, TableOfCases)
{
    const TotalsCase cases[] = {
        {"example of the dispositions", {parca(2, 2, 100, 10, 18, "M")}, {iscilik(1.5, 200, 1, 0, 18, "G")},
         200, 20, 300, 0, 480, 86.4, 566.4, 354},
        {"requested 3, issued 2 counts 2", {parca(3, 2, 10, 0, 0, "M")}, {}, 20, 0, 0, 0, 20, 0, 20, 0},
        {"nothing issued adds nothing", {parca(4, 0, 10, 50, 18, "G")}, {}, 0, 0, 0, 0, 0, 0, 0, 0},
        {"S, I and empty kinds are paid by the warranty side",
         {parca(1, 1, 100, 0, 0, "S"), parca(1, 1, 100, 0, 0, "I"), parca(1, 1, 100, 0, 0, "")},
         {},
         300, 0, 0, 0, 300, 0, 300, 300},
        {"K and D are the customer's", {parca(1, 1, 100, 0, 10, "K")}, {iscilik(1, 50, 2, 10, 10, "D")},
         100, 0, 100, 10, 190, 19, 209, 0},
        {"labour discount from time x price x count", {}, {iscilik(2, 100, 3, 25, 20, "M")},
         0, 0, 600, 150, 450, 90, 540, 0},
        {"many decimals stay unrounded", {parca(3, 3, 33.3333, 0, 0, "M")}, {}, 99.9999, 0, 0, 0, 99.9999, 0,
         99.9999, 0},
    };
    for (const TotalsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const IsEmriToplamlari t = BelgeToplamlari(c.parcalar, c.iscilikler);
        EXPECT_NEAR(t.PAR_TOP_TUTAR, c.par, 1e-9);
        EXPECT_NEAR(t.PAR_ISK, c.parIsk, 1e-9);
        EXPECT_NEAR(t.IS_TOP_TUTAR, c.isc, 1e-9);
        EXPECT_NEAR(t.ISC_ISK, c.iscIsk, 1e-9);
        EXPECT_NEAR(t.TOP_TUTAR, c.par + c.isc, 1e-9);
        EXPECT_NEAR(t.ARA_TUT, c.ara, 1e-9);
        EXPECT_NEAR(t.KDV_TUT, c.kdv, 1e-9);
        EXPECT_NEAR(t.NET_TUT, c.net, 1e-9);
        EXPECT_NEAR(t.GAR_TUT, c.gar, 1e-9);
    }
}

class DispozTotalsDb : public DispozTest {};

// The customer's discount by the part's type, a currency line converted at
// the reception date's rate, and the totals both saves write.
TEST_F(DispozTotalsDb, CustomerDiscountByPayAndCurrencyLinesReachTheTotals)
{
    db.exec(QStringLiteral("UPDATE CARI SET IND_YUZ_PAR = 10, IND_YUZ_AKS = 5 WHERE CARI_KOD = 'M001'"));
    if (count(QStringLiteral("SELECT COUNT(*) FROM DOVIZ WHERE DOVIZ_KODU = 'EUR'")) == 0)
        insert(QStringLiteral("DOVIZ"), {{QStringLiteral("DOVIZ_KODU"), QStringLiteral("EUR")},
                                         {QStringLiteral("DOVIZ_ADI"), QStringLiteral("EURO")}});
    insert(QStringLiteral("KURDEGER"), {{QStringLiteral("DOVIZ_KODU"), QStringLiteral("EUR")},
                                        {QStringLiteral("TARIH"), QDateTime(QDate(2025, 1, 9), QTime(0, 0))},
                                        {QStringLiteral("TLDEGERI_SATIS"), 30.0}});
    db.exec(QStringLiteral("UPDATE STOK SET FYT_KUR = 'EUR', SAT_FYT_DOVIZ = 4 WHERE STOK_NO = 2"));
    IsDetayBelgesi b = IsDetayYukle(db, ctx, wo);
    ASSERT_GE(AlisEkle(db, ctx, b, 1), 0); // P: 10 %
    ASSERT_GE(AlisEkle(db, ctx, b, 3), 0); // A: 5 %
    ASSERT_GE(AlisEkle(db, ctx, b, 2), 0); // EUR 4 x 30
    EXPECT_DOUBLE_EQ(b.parcalar[0].value(QStringLiteral("ISK_ORAN")).toDouble(), 10);
    EXPECT_DOUBLE_EQ(b.parcalar[1].value(QStringLiteral("ISK_ORAN")).toDouble(), 5);
    EXPECT_DOUBLE_EQ(b.parcalar[2].value(QStringLiteral("STOK_FIYATI")).toDouble(), 120);
    EXPECT_DOUBLE_EQ(b.parcalar[2].value(QStringLiteral("TL_KURDEGER")).toDouble(), 30);
    ASSERT_TRUE(IsDetayKaydet(db, ctx, b).kaydedildi);
    // 100 - 10 + 50 - 2.5 + 120 - 12 (P-2 is a part: 10 %)
    EXPECT_NEAR(scalar(QStringLiteral("SELECT ARA_TUT FROM ISEMRI WHERE IS_EMRI_NO = :N"), {{QStringLiteral("N"), wo}})
                    .toDouble(),
                245.5, 1e-9);
    EXPECT_NEAR(scalar(QStringLiteral("SELECT NET_TUT FROM ISEMRI WHERE IS_EMRI_NO = :N"), {{QStringLiteral("N"), wo}})
                    .toDouble(),
                245.5 * 1.18, 1e-9);
}

TEST_F(DispozTotalsDb, DiscountAboveTheCapIsCutUnlessACampaign)
{
    ctx.AktifKullanici.max_isk_prc = 20;
    EXPECT_DOUBLE_EQ(ParcaIskontoSiniri(30, ctx, false), 20);
    EXPECT_EQ(messages.lastText(),
              QStringLiteral("Yetkiniz dahilinde uygulayabileceğiniz Max. Parça İskontosu %20 olarak belirlenmiştir."));
    EXPECT_DOUBLE_EQ(ParcaIskontoSiniri(30, ctx, true), 30);
    ctx.AktifKullanici.max_isk_prc = 0;
    EXPECT_DOUBLE_EQ(ParcaIskontoSiniri(30, ctx, false), 30);
    // a customer rate above the cap is capped too when the line is posted
    ctx.AktifKullanici.max_isk_prc = 5;
    db.exec(QStringLiteral("UPDATE CARI SET IND_YUZ_PAR = 25 WHERE CARI_KOD = 'M001'"));
    IsDetayBelgesi b = IsDetayYukle(db, ctx, wo);
    ASSERT_GE(AlisEkle(db, ctx, b, 1), 0);
    EXPECT_DOUBLE_EQ(b.parcalar[0].value(QStringLiteral("ISK_ORAN")).toDouble(), 5);
}

} // namespace
