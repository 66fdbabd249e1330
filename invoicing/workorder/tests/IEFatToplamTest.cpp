#include "invoicing/workorder/IEFatToplam.h"

#include <gtest/gtest.h>

using namespace tornaly::invoicing;

namespace {

IEFatSatir satir(const QString& tur, double fiyat, double miktar, double iskonto, double kdv,
                 const QString& garanti = QStringLiteral("M"))
{
    IEFatSatir s;
    s.PARCA_ISCILIK = tur;
    s.BIRIM_FIYAT = fiyat;
    s.MIKTAR = miktar;
    s.ISKONTO = iskonto;
    s.KDV = kdv;
    s.GARANTI_TIP = garanti;
    SatirTutarlariniHesapla(s);
    return s;
}

IEFatToplamGirdisi girdi(const QString& tev = QStringLiteral("0"), const QString& yuvar = {}, double kur = 1)
{
    IEFatToplamGirdisi g;
    g.KDVTEV = tev;
    g.FatYuvarTip = yuvar;
    g.TL_KURDEGER = kur;
    return g;
}

} // namespace

TEST(IEFatToplam, LineAmountsAndHeaderOfOnePartLine)
{
    const IEFatSatir s = satir(QStringLiteral("P"), 100.0, 2, 10, 18);
    EXPECT_DOUBLE_EQ(SatirTutar(s), 200.0);
    EXPECT_NEAR(SatirKdvTutar(s), 32.40, 1e-9);
    EXPECT_NEAR(s.GER_TUT, 180.0, 1e-9);
    EXPECT_NEAR(s.ISK_TUT, 20.0, 1e-9);

    const IEFatToplamlar t = IEFatToplamHesapla({s}, girdi());
    EXPECT_NEAR(t.BRUT_TUTAR, 200.00, 1e-9);
    EXPECT_NEAR(t.INDIRIM, 20.00, 1e-9);
    EXPECT_NEAR(t.TOPLAM_TUTAR, 180.00, 1e-9);
    EXPECT_NEAR(t.KDV_TUTARI, 32.40, 1e-9);
    EXPECT_NEAR(t.NET_TUTAR, 212.40, 1e-9);
    EXPECT_NEAR(t.IND_TUT_PAR, 200.00, 1e-9);
    EXPECT_NEAR(t.IND_YUZ_PAR, 20.00, 1e-9);
    EXPECT_DOUBLE_EQ(t.IND_TUT_ISCI, 0);
    EXPECT_FALSE(t.nulltoplam);
}

TEST(IEFatToplam, WithholdingByCode)
{
    struct Case {
        const char* kod;
        double tevkifat;
        double net;
    };
    const Case cases[] = {
        {"0", 0.00, 212.40}, {"8", 16.20, 196.20}, {"2", 10.80, 201.60}, {"4", 32.40, 180.00},
        {"a", 25.92, 186.48}, {"x", 0.00, 212.40},
    };
    const IEFatSatir s = satir(QStringLiteral("P"), 100.0, 2, 10, 18);
    for (const Case& c : cases) {
        const IEFatToplamlar t = IEFatToplamHesapla({s}, girdi(QString::fromLatin1(c.kod)));
        EXPECT_NEAR(t.KDVTEV_TUT, c.tevkifat, 1e-9) << c.kod;
        EXPECT_NEAR(t.NET_TUTAR, c.net, 1e-9) << c.kod;
    }
}

TEST(IEFatToplam, RoundingByInvoiceRoundingType)
{
    // One labour line of 66.6675 at 15 % VAT: VAT 10.000125; withheld in full (code 4).
    struct Case {
        const char* tip;
        double brut, kdv, tevkifat;
    };
    const Case cases[] = {
        {"", 66.6675, 10.000125, 10.00},  // only the withholding is rounded, half up
        {"Y", 66.67, 10.01, 10.01},       // every sum raised to the next cent
        {"A", 66.66, 10.00, 10.00},       // every sum cut down to the cent
    };
    const IEFatSatir s = satir(QStringLiteral("I"), 66.6675, 1, 0, 15);
    for (const Case& c : cases) {
        const IEFatToplamlar t = IEFatToplamHesapla({s}, girdi(QStringLiteral("4"), QString::fromLatin1(c.tip)));
        EXPECT_NEAR(t.BRUT_TUTAR, c.brut, 1e-9) << c.tip;
        EXPECT_NEAR(t.IND_TUT_ISCI, c.brut, 1e-9) << c.tip;
        EXPECT_NEAR(t.KDV_TUTARI, c.kdv, 1e-9) << c.tip;
        EXPECT_NEAR(t.KDVTEV_TUT, c.tevkifat, 1e-9) << c.tip;
    }
    // A withheld VAT of exactly half a cent rounds up.
    IEFatSatir yarim = satir(QStringLiteral("P"), 10.005 / 0.18, 1, 0, 18);
    EXPECT_NEAR(IEFatToplamHesapla({yarim}, girdi(QStringLiteral("4"))).KDVTEV_TUT, 10.01, 1e-9);
}

TEST(IEFatToplam, VatRateCutToWholeNumberAndWhoPays)
{
    EXPECT_NEAR(SatirKdvTutar(satir(QStringLiteral("P"), 100, 1, 0, 18.5)), 18.0, 1e-9);

    const QList<IEFatSatir> satirlar{
        satir(QStringLiteral("P"), 500, 1, 0, 18, QStringLiteral("G")), // warranty: listed at 0
        satir(QStringLiteral("P"), 100, 1, 0, 18, QStringLiteral("S")),
        satir(QStringLiteral("I"), 50, 2, 0, 18, QStringLiteral("D")), // other: billed
    };
    const IEFatToplamlar t = IEFatToplamHesapla(satirlar, girdi());
    EXPECT_DOUBLE_EQ(SatirTutar(satirlar[0]), 0);
    EXPECT_DOUBLE_EQ(satirlar[0].GER_TUT, 0);
    EXPECT_NEAR(t.BRUT_TUTAR, 100.0, 1e-9);
    EXPECT_NEAR(t.KDV_TUTARI, 18.0, 1e-9) << "a D line counts in the VAT";
    EXPECT_NEAR(t.IND_TUT_ISCI, 100.0, 1e-9);
    EXPECT_DOUBLE_EQ(t.GARANTI_TUTAR, 0);
    EXPECT_FALSE(t.nulltoplam) << "unbilled lines at 0 are fine";

    EXPECT_EQ(SatirAciklama(satirlar[0]), QStringLiteral("GAR"));
    EXPECT_EQ(SatirAciklama(satirlar[1]), QStringLiteral("SRV.GR"));
    EXPECT_EQ(SatirAciklama(satirlar[2]), QStringLiteral(" "));
}

TEST(IEFatToplam, ZeroQuantityOrPriceMarksTheInvoice)
{
    struct Case {
        double fiyat, miktar;
        const char* garanti;
        bool bedelsiz;
        bool beklenen;
    };
    const Case cases[] = {
        {100, 0, "M", false, true}, {0, 1, "M", false, true}, {0, 1, "G", false, false},
        {100, 0, "G", false, true}, {0, 1, "M", true, false}, {100, 1, "M", false, false},
    };
    for (const Case& c : cases) {
        IEFatToplamGirdisi g = girdi();
        g.garantiBedelsiz = c.bedelsiz;
        const IEFatToplamlar t =
            IEFatToplamHesapla({satir(QStringLiteral("P"), c.fiyat, c.miktar, 0, 18, QString::fromLatin1(c.garanti))}, g);
        EXPECT_EQ(t.nulltoplam, c.beklenen) << c.fiyat << " " << c.miktar << " " << c.garanti;
    }
    IEFatSatir metin;
    metin.PARCA_ISCILIK = QStringLiteral("A");
    EXPECT_FALSE(IEFatToplamHesapla({metin}, girdi()).nulltoplam) << "text lines carry no amounts";
}

TEST(IEFatToplam, CurrencyTwins)
{
    const IEFatSatir s = satir(QStringLiteral("P"), 100.0, 2, 10, 18);
    IEFatToplamlar t = IEFatToplamHesapla({s}, girdi(QStringLiteral("0"), {}, 36.0));
    EXPECT_NEAR(t.BRUT_TUTAR_DVZ, 200.0 / 36.0, 1e-9);
    EXPECT_NEAR(t.NETTUT_DVZ, 212.4 / 36.0, 1e-9);

    // Rate 0: positive values get twin 0; a value of 0 keeps its old twin.
    IEFatToplamlar onceki;
    onceki.KDVTEV_TUT_DVZ = 7;
    onceki.IND_TUT_ISCI_DVZ = 3;
    t = IEFatToplamHesapla({s}, girdi(QStringLiteral("0"), {}, 0.0), onceki);
    EXPECT_DOUBLE_EQ(t.BRUT_TUTAR_DVZ, 0);
    EXPECT_DOUBLE_EQ(t.NETTUT_DVZ, 0);
    EXPECT_DOUBLE_EQ(t.KDVTEV_TUT_DVZ, 7);
    EXPECT_DOUBLE_EQ(t.IND_TUT_ISCI_DVZ, 3);

    // Lines of a euro invoice get their euro price from the rate.
    QList<IEFatSatir> satirlar{s};
    DovizFiyatDoldur(satirlar, QStringLiteral("EUR"), QStringLiteral("TL"), 40.0);
    EXPECT_NEAR(satirlar[0].FYT_DOVIZ, 2.5, 1e-12);
    EXPECT_EQ(satirlar[0].DOVIZ_KODU, QStringLiteral("EUR"));
}

TEST(IEFatToplam, ForeignLinePriceFollowsRate)
{
    IEFatSatir s = satir(QStringLiteral("P"), 0, 2, 0, 20);
    s.DOVIZ_KODU = QStringLiteral("EUR");
    s.FYT_DOVIZ = 10;
    for (double eski : {0.0, 1.0}) {
        s.TL_KURDEGER = eski;
        SatirHazirla(s, QStringLiteral("TL"), [](const QString&) { return 35.5; });
        EXPECT_DOUBLE_EQ(s.TL_KURDEGER, 35.5);
        EXPECT_DOUBLE_EQ(s.BIRIM_FIYAT, 355.0);
        EXPECT_DOUBLE_EQ(s.GER_TUT, 710.0);
    }
    s.TL_KURDEGER = 30;
    SatirHazirla(s, QStringLiteral("TL"), [](const QString&) { return 35.5; });
    EXPECT_DOUBLE_EQ(s.BIRIM_FIYAT, 300.0) << "a line's own rate is kept";

    IEFatSatir metin = satir(QStringLiteral("A"), 10, 1, 5, 18, QStringLiteral("G"));
    SatirHazirla(metin, QStringLiteral("TL"), [](const QString&) { return 1.0; });
    EXPECT_EQ(metin.GARANTI_TIP, QStringLiteral("M"));
    EXPECT_DOUBLE_EQ(metin.BIRIM_FIYAT, 0);
    EXPECT_DOUBLE_EQ(metin.GER_TUT, 0);
}

TEST(IEFatToplam, DiscountCaps)
{
    struct Case {
        const char* tur;
        double oran, maxPrc, maxIsc, beklenen;
        bool mesaj;
    };
    const Case cases[] = {
        {"P", 25, 20, 0, 20, true}, {"P", 15, 20, 0, 15, false}, {"P", 25, 0, 10, 25, false},
        {"I", 25, 0, 10, 10, true}, {"A", 90, 5, 5, 90, false},
    };
    for (const Case& c : cases) {
        IEFatSatir s;
        s.PARCA_ISCILIK = QString::fromLatin1(c.tur);
        const IskontoSonucu r = IskontoSiniri(s, c.oran, c.maxPrc, c.maxIsc);
        EXPECT_DOUBLE_EQ(r.oran, c.beklenen) << c.tur;
        EXPECT_EQ(!r.mesaj.isEmpty(), c.mesaj) << c.tur;
    }
    IEFatSatir p;
    EXPECT_EQ(IskontoSiniri(p, 30, 12.5, 0).mesaj,
              QStringLiteral("Yetkiniz dahilinde uygulayabileceğiniz Max. Parça İskontosu %12.5 olarak belirlenmiştir."));
    p.PARCA_ISCILIK = QStringLiteral("I");
    EXPECT_EQ(IskontoSiniri(p, 30, 0, 10).mesaj,
              QStringLiteral("Yetkiniz dahilinde uygulayabileceğiniz Max. İşçilik/Masraf İskontosu %10 olarak belirlenmiştir."));
}

TEST(IEFatToplam, YuvarlaScalesBilledLines)
{
    QList<IEFatSatir> satirlar{
        satir(QStringLiteral("P"), 100, 2, 10, 18),
        satir(QStringLiteral("I"), 50, 1, 0, 18, QStringLiteral("I")), // goodwill keeps its discount
    };
    const double net = IEFatToplamHesapla(satirlar, girdi()).NET_TUTAR;

    QList<IEFatSatir> ayni = satirlar;
    ASSERT_TRUE(Yuvarla(ayni, net, net));
    EXPECT_NEAR(ayni[0].ISKONTO, 10, 1e-9) << "a target equal to the net changes nothing";

    ASSERT_TRUE(Yuvarla(satirlar, net / 2, net));
    EXPECT_NEAR(satirlar[0].ISKONTO, 55, 1e-9);
    EXPECT_DOUBLE_EQ(satirlar[1].ISKONTO, 0);

    // Nothing to scale: no target, or a net of 0.
    QList<IEFatSatir> sifir{satir(QStringLiteral("P"), 0, 1, 0, 18)};
    EXPECT_FALSE(Yuvarla(sifir, 100, 0));
    EXPECT_DOUBLE_EQ(sifir[0].ISKONTO, 0);
    EXPECT_FALSE(Yuvarla(satirlar, 0, net));

    SatirIskontoUygula(satirlar, 5);
    EXPECT_DOUBLE_EQ(satirlar[0].ISKONTO, 5);
    EXPECT_NEAR(satirlar[0].GER_TUT, 190, 1e-9);
}
