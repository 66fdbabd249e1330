#include "currency/KurDeger.h"
#include "stock/StockEntry.h"
#include "stock/StockSchema.h"
#include "stock/ledger/DepoHrk.h"
#include "stock/movements/Hareketler.h"
#include "stock/prices/Iskonto.h"
#include "stock/prices/StokFiyatlari.h"
#include "stock/tools/BarTest.h"
#include "stock/tools/QRListForm.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::stock;

namespace {

TEST(Discount, RuleFillsTheCallersFields)
{
    SessionContext ctx;
    struct C {
        const char* islem;
        double oran;
        const char* doviz;
        bool dovizAlani;
        double tl, iskonto;
        QVariant dovizFiyat;
        QVariant dovizKodu;
    } const cases[] = {
        {"+", 10, "TL", true, 220, 0, QVariant(), QVariant()},   // surcharge on a local price
        {"-", 10, "TL", true, 200, 10, QVariant(), QVariant()},  // discount keeps the price
        {"+", 10, "EUR", true, 220, 0, 55.0, QStringLiteral("EUR")},
        {"-", 5, "EUR", true, 200, 5, 50.0, QStringLiteral("EUR")},
        {"-", 5, "EUR", false, 200, 5, QVariant(), QVariant()},  // caller without a foreign-price field
        {"-", 5, "", true, 200, 5, QVariant(), QVariant()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.islem << c.oran << c.doviz);
        IskontoKurali k;
        k.FIYAT_TUR = QStringLiteral("S");
        k.ISLEM = QString::fromLatin1(c.islem);
        k.ORAN = c.oran;
        k.FIYAT_TL = 200;
        k.FIYAT_DOVIZ = 50;
        k.DOVIZ_KOD = QString::fromLatin1(c.doviz);
        QVariant doviz = QStringLiteral("USD"), isk = 3.0, dvzFiyat = 7.0, tlFiyat = 1.0;
        IskontoAlanlari a{&doviz, &isk, c.dovizAlani ? &dvzFiyat : nullptr, &tlFiyat};
        IskontoUygula(ctx, k, a);
        EXPECT_DOUBLE_EQ(tlFiyat.toDouble(), c.tl);
        EXPECT_DOUBLE_EQ(isk.toDouble(), c.iskonto);
        if (c.dovizAlani) {
            EXPECT_EQ(dvzFiyat.isNull(), c.dovizFiyat.isNull());
            if (!c.dovizFiyat.isNull()) {
                EXPECT_DOUBLE_EQ(dvzFiyat.toDouble(), c.dovizFiyat.toDouble());
            }
        }
        EXPECT_EQ(doviz.isNull(), c.dovizKodu.isNull());
        if (!c.dovizKodu.isNull()) {
            EXPECT_EQ(doviz.toString(), c.dovizKodu.toString());
        }
    }

    // No rule found: nothing changes.
    QVariant isk = 3.0, tl = 1.0;
    IskontoAlanlari a{nullptr, &isk, nullptr, &tl};
    IskontoUygula(ctx, IskontoKurali{}, a);
    EXPECT_DOUBLE_EQ(isk.toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(tl.toDouble(), 1.0);

    const IskontoSorgusu s = IskontoSorgusuHazirla(QStringLiteral(" 120 "), QStringLiteral("  "), QString(), 0);
    EXPECT_EQ(s.CARI.toString(), QStringLiteral("120"));
    EXPECT_TRUE(s.CGRUP.isNull());
    EXPECT_TRUE(s.ODE_KOD.isNull());
    EXPECT_TRUE(s.STOK_NO.isNull());
}

class StockPricesTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void kart(int no, const char* kur, QVariant alisDvz, QVariant satDvz, double satTl, const char* iskGrup = "")
    {
        db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, PAY, KDV, FYT_KUR, ALIS_FYT_DOVIZ, SAT_FYT_DOVIZ, "
                               "SAT_FYT_TL, ISKGRUP) VALUES (:N, :K, 'P', 20, :KUR, :AD, :SD, :ST, :I)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("K"), QStringLiteral("K%1").arg(no)},
                 {QStringLiteral("KUR"), QString::fromLatin1(kur)}, {QStringLiteral("AD"), alisDvz},
                 {QStringLiteral("SD"), satDvz}, {QStringLiteral("ST"), satTl},
                 {QStringLiteral("I"), *iskGrup ? QVariant(QString::fromLatin1(iskGrup)) : QVariant(QMetaType(QMetaType::QString))}});
    }
    void kur(const char* kod, const QDateTime& t, double alis, double satis)
    {
        db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) VALUES (:D, :T, :A, :S)"),
                {{QStringLiteral("D"), QString::fromLatin1(kod)}, {QStringLiteral("T"), t}, {QStringLiteral("A"), alis},
                 {QStringLiteral("S"), satis}});
    }
    double fiyat(int no, const char* kolon)
    {
        Query q(db, QStringLiteral("SELECT %1 FROM STOK WHERE STOK_NO = :N").arg(QString::fromLatin1(kolon)));
        q.bind(QStringLiteral("N"), no).exec();
        q.next();
        return q.value(0).toDouble();
    }
};

TEST_F(StockPricesTest, PricesFollowTheRatesOfTheDayAndNothingIsConvertedAtOne)
{
    kart(1, "EUR", 10.0, 20.0, 1);
    kart(2, "GBP", 10.0, 20.0, 555);   // no GBP rate: keeps its local price
    kart(3, "EUR", QVariant(QMetaType(QMetaType::Double)), 5.0, 1);
    const QDate gun(2026, 5, 4);
    kur("EUR", QDateTime(gun, QTime(23, 59, 59)), 35, 36);  // the last second of the day still counts
    kur("EUR", QDateTime(gun.addDays(1), QTime(0, 0)), 99, 99); // the next day does not
    kur("USD", QDateTime(gun.addDays(-1), QTime(10, 0)), 30, 32);

    EXPECT_EQ(SP_SET_STOKFYT(db, gun, QStringLiteral("S")), -1); // no routine installed yet
    SetStokFiyatGuncelleyici(&StokFiyatlariniGuncelle);
    EXPECT_GT(SP_SET_STOKFYT(db, gun, QStringLiteral("S")), 0);
    EXPECT_DOUBLE_EQ(fiyat(1, "SAT_FYT_TL"), 720);
    EXPECT_DOUBLE_EQ(fiyat(1, "ALIS_FYT_TL"), 360);
    EXPECT_DOUBLE_EQ(fiyat(1, "SAT_FYT_USD"), 720.0 / 32);
    EXPECT_DOUBLE_EQ(fiyat(2, "SAT_FYT_TL"), 555);
    EXPECT_DOUBLE_EQ(fiyat(3, "SAT_FYT_TL"), 180);
    EXPECT_DOUBLE_EQ(fiyat(3, "ALIS_FYT_TL"), 0); // an empty currency price leaves the local one as it was
    StokFiyatlariniGuncelle(db, gun, QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(fiyat(1, "SAT_FYT_TL"), 700);

    db.exec(QStringLiteral("DELETE FROM KURDEGER"));
    KurFiyatlarinaGoreStokGuncelle(db, gun, false);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kur değerlerine göre güncellenecek stok fiyatı bulunamadı."));
    SetStokFiyatGuncelleyici({});
}

TEST_F(StockPricesTest, DiscountRulesApplyTheMostSpecificOne)
{
    kart(1, "TL", 0.0, 0.0, 200, "A");
    kart(2, "TL", 0.0, 0.0, 100);
    const QString ins = QStringLiteral("INSERT INTO ISKKURAL (CARI, CGRUP, STOK_NO, STOK_ISKGRUP, ORAN, ISLEM, FIYAT_TL) "
                                       "VALUES (:C, :G, :S, :I, :O, :L, :F)");
    auto kural = [&](QVariant cari, QVariant grup, QVariant stok, QVariant isk, double oran, const char* islem, QVariant f) {
        auto n = [](const QVariant& v) { return v.isValid() ? v : QVariant(QMetaType(QMetaType::QString)); };
        db.exec(ins, {{QStringLiteral("C"), n(cari)}, {QStringLiteral("G"), n(grup)},
                      {QStringLiteral("S"), stok.isValid() ? stok : QVariant(QMetaType(QMetaType::Double))},
                      {QStringLiteral("I"), n(isk)}, {QStringLiteral("O"), oran}, {QStringLiteral("L"), QString::fromLatin1(islem)},
                      {QStringLiteral("F"), f.isValid() ? f : QVariant(QMetaType(QMetaType::Double))}});
    };
    kural({}, QStringLiteral("BAYI"), {}, QStringLiteral("A"), 10, "-", {});         // dealers get 10 % on group A
    kural(QStringLiteral("120.01"), {}, 1.0, {}, 0, "-", 150.0);                       // a special price for one customer
    kural(QStringLiteral("120.02"), {}, {}, {}, 10, "+", {});                          // a surcharge customer

    struct Case {
        const char* cari;
        const char* grup;
        double stok;
        double tl, isk;
    };
    const Case cases[] = {
        {"120.09", "BAYI", 1, 200, 10},   // group rule, the card's price
        {"120.01", "BAYI", 1, 150, 0},    // the customer's own price beats the group
        {"120.02", "", 2, 110, 0},        // surcharge of 10 %
        {"120.09", "", 2, -1, -1},        // no rule: fields untouched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cari);
        QVariant doviz, iskonto = -1.0, dvzFiyat, tlFiyat = -1.0;
        IskontoAlanlari a{&doviz, &iskonto, &dvzFiyat, &tlFiyat};
        GetIskonto(ctx, db, QString::fromLatin1(c.cari), QString::fromLatin1(c.grup), QString(), a, c.stok);
        EXPECT_DOUBLE_EQ(tlFiyat.toDouble(), c.tl);
        EXPECT_DOUBLE_EQ(iskonto.toDouble(), c.isk);
    }
}

TEST_F(StockPricesTest, MovementRangesMonthsAndDocuments)
{
    kart(1, "TL", 0.0, 0.0, 1);
    const QDate gun(2026, 3, 31);
    DepoHrkYaz(db, DepoHrkBelge::Belge(1, u'A'), {DepoHrkHareket(u'A', 1, {}, 1, QStringLiteral("1"), QDateTime(gun, QTime(23, 59, 59, 500)), 5, 2.0)});
    DepoHrkYaz(db, DepoHrkBelge::Belge(2, u'S'), {DepoHrkHareket(u'S', 1, {}, 1, QStringLiteral("1"), QDateTime(gun.addDays(1), QTime(0, 0)), 2, 3.0)});
    DepoHrkYaz(db, DepoHrkBelge::Isemri(QStringLiteral("0000001")),
               {DepoHrkHareket(u'G', 1, {}, 1, QStringLiteral("2"), QDateTime(gun, QTime(8, 0)), 1, 2.0)});
    HareketFiltresi f;
    f.stokNo = 1;
    f.bas = f.son = gun;
    const SqlText s = HareketSorgusu(db, f);
    Query q(db, s.text());
    q.bindAll(s.binds).exec();
    int n = 0;
    while (q.next())
        ++n;
    EXPECT_EQ(n, 2); // the same day holds both limits, up to its last moment

    const auto aylar = AylikGirisCikisBul(db, ctx, 1);
    ASSERT_EQ(aylar.size(), 2); // the service warehouse is left out
    EXPECT_EQ(aylar[0].ay, 3);
    EXPECT_EQ(aylar[0].ayAdi, QStringLiteral("Mart"));
    EXPECT_DOUBLE_EQ(aylar[0].giren, 5);
    EXPECT_EQ(aylar[1].ay, 4);

    EXPECT_EQ(HareketBelgesiBul(QStringLiteral("C"), QStringLiteral("0000001"), 0, 1), HareketBelgesi::Yok);
    EXPECT_EQ(HareketBelgesiBul(QStringLiteral("A"), {}, 5, 0), HareketBelgesi::Alis);
    EXPECT_EQ(HareketBelgesiBul(QStringLiteral("S"), {}, 0, 2), HareketBelgesi::Satis);
    EXPECT_EQ(HareketBelgesiBul(QStringLiteral("S"), {}, 2, 0), HareketBelgesi::Yok);
    EXPECT_EQ(HareketTipAdi(QStringLiteral("A")), QStringLiteral("Alış"));
    EXPECT_EQ(HareketTipAdi(QStringLiteral("O")), QString());

    SayimListeKriteri k;
    k.depo = QStringLiteral("1");
    k.raf = SayimListeKriteri::Raf::Olmayanlar;
    k.hareketGorenler = true;
    k.grup = QStringLiteral("X' OR '1'='1");
    const SqlText l = SayimOncesiSorgu(k);
    Query lq(db, l.text());
    lq.bindAll(l.binds).exec();
    EXPECT_FALSE(lq.next()); // the group is bound, not pasted
    k.grup.clear();
    const SqlText l2 = SayimOncesiSorgu(k);
    Query lq2(db, l2.text());
    lq2.bindAll(l2.binds).exec();
    EXPECT_TRUE(lq2.next());
}

TEST(StockBarcodeTest, KeyLines)
{
    EXPECT_EQ(TusSatiri(Qt::Key_F3, Qt::NoModifier, {}), QStringLiteral("F3 TUŞU"));
    EXPECT_EQ(TusSatiri(Qt::Key_A, Qt::AltModifier, QStringLiteral("a")), QStringLiteral("Alt Tuşu + a --- Int Değeri:65"));
    EXPECT_EQ(TusSatiri(Qt::Key_5, Qt::ShiftModifier, QStringLiteral("%")), QStringLiteral("Shift Tuşu + %--- Int Değeri:53"));
    EXPECT_EQ(TusSatiri(Qt::Key_A, Qt::AltModifier | Qt::ControlModifier, {}), QString());
}

} // namespace
