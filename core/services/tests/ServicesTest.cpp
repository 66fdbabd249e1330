#include "services/CentralServices.h"
#include "services/Iskonto.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;

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

class ServicesTest : public test::DbTest {};

TEST_F(ServicesTest, ClaimNumbersStartAtTheYearAndCodeBase)
{
    ctx.CalismaYiliNo = 2011;
    ctx.ClaimKodNo = 12;
    db.exec(QStringLiteral("CREATE TABLE CLAIMM (CL_CLAIMNO DOUBLE PRECISION)"));
    EXPECT_DOUBLE_EQ(NewClaimNo(ctx, db), 1100120001.0);
    db.exec(QStringLiteral("INSERT INTO CLAIMM VALUES (1100120001)"));
    EXPECT_DOUBLE_EQ(NewClaimNo(ctx, db), 1100120002.0);
    db.exec(QStringLiteral("DELETE FROM CLAIMM"));
    db.exec(QStringLiteral("INSERT INTO CLAIMM VALUES (55)")); // an older number below the base
    EXPECT_DOUBLE_EQ(NewClaimNo(ctx, db), 1100120056.0);
}

TEST_F(ServicesTest, ServerDateAndCentralConnectionQuestion)
{
    EXPECT_EQ(SunucuTarih(db), SunucuTarihSaat(db).date());
    EXPECT_FALSE(MerkezBaglantiSor(ctx, Db()));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Merkez servera bağlanılsın mı?"));
    EXPECT_TRUE(MerkezBaglantiSor(ctx, db)) << "an open connection is not asked about";
    EXPECT_EQ(messages.count(), 1);
}

TEST_F(ServicesTest, AccountNoteIsOfferedAndOpensTheMovements)
{
    db.exec(QStringLiteral("CREATE TABLE CARI (CARI_KOD VARCHAR(11), ACIKLAMA VARCHAR(80))"));
    db.exec(QStringLiteral("INSERT INTO CARI VALUES ('C1', 'Çek kabul edilmez')"));
    db.exec(QStringLiteral("INSERT INTO CARI VALUES ('C2', '  ')"));
    QStringList opened;
    auto open = [&](const QString& k) { opened << k; };
    CariMesajKontrol(db, QStringLiteral("C2"), QStringLiteral("Cari"), open);
    EXPECT_EQ(messages.count(), 0);
    messages.answer(MsgNo);
    CariMesajKontrol(db, QStringLiteral("C1"), QStringLiteral("Cari"), open);
    EXPECT_TRUE(opened.isEmpty());
    CariMesajKontrol(db, QStringLiteral("C1"), QStringLiteral("Cari"), open);
    EXPECT_EQ(messages.texts().mid(1), (QStringList{QStringLiteral("Cari ile İlgili Mesaj Var. Görmek İstiyormusunuz?"),
                                                    QStringLiteral("Çek kabul edilmez")}));
    EXPECT_EQ(opened, QStringList{QStringLiteral("C1")});
}

} // namespace
