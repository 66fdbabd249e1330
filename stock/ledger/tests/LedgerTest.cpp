#include "stock/StockSchema.h"
#include "stock/ledger/DepoHrk.h"
#include "stock/ledger/Maliyet.h"
#include "stock/ledger/StokMik.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::stock;

namespace {

class StockLedgerTest : public test::DbTest {
protected:
    void registerSchema() override { stock::RegisterSchema(); }
    void SetUp() override
    {
        DbTest::SetUp();
        for (int i = 1; i <= 3; ++i)
            db.exec(QStringLiteral("INSERT INTO STOK (STOK_NO, STOK_KOD_NO, STOK_ADI_TR, PAY, KDV, FYT_KUR) "
                                   "VALUES (:N, :K, 'Parça', 'P', 18, 'TL')"),
                    {{QStringLiteral("N"), i}, {QStringLiteral("K"), QStringLiteral("P-%1").arg(i)}});
        db.exec(QStringLiteral("INSERT INTO DEPO (SIRA, DEPO_KODU, DEPO_ADI) VALUES (3, '3', 'Yan Depo')"));
    }

    int rowCount(const QString& where = QStringLiteral("1=1"))
    {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM DEPOHRK WHERE ") + where);
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
    void expectInStep()
    {
        const auto diffs = StokMikFarklari(db, 1e-9);
        EXPECT_TRUE(diffs.isEmpty()) << "first difference: part " << diffs.value(0).STOK_NO << " in "
                                     << diffs.value(0).DEPO_KOD.toStdString();
    }
    const QDateTime t = QDateTime(QDate(2026, 3, 14), QTime(17, 45));
};

struct KindCase {
    char tip;
    double miktar;
    const char* depo;
    double expectIn, expectOut;
};

TEST_F(StockLedgerTest, EveryKindPostsItsDirectionAndKeepsQuantities)
{
    const KindCase cases[] = {
        {'A', 10, "1", 10, 0}, {'G', 2, "2", 2, 0},  {'D', 7, "1", 7, 0},  {'L', 1.5, "3", 1.5, 0},
        {'T', 3, "1", 3, 0},   {'S', 4, "1", 0, 4},  {'C', 1, "2", 0, 1},  {'I', 2, "1", 0, 2},
        {'F', 1, "1", 0, 1},   {'R', 0.25, "3", 0, 0.25}, {'U', 1, "1", 0, 1}, {'Z', 2, "1", 0, 2},
        {'S', -1, "1", 0, -1}, // a returned line keeps its negative quantity
        {'F', 0, "1", 0, 0},   // zero quantity: no unit value
    };
    double no = 100;
    for (const KindCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tip << " " << c.miktar);
        const QChar tip = QLatin1Char(c.tip);
        const bool isemri = c.tip == 'I' || c.tip == 'G';
        const DepoHrkBelge belge = isemri ? DepoHrkBelge::Isemri(QStringLiteral("%1").arg(int(++no)))
                                          : DepoHrkBelge::Belge(++no, tip);
        const QVariant fiyat = StokFisiBirimFiyat(c.miktar * 12.5, c.miktar);
        DepoHrkYaz(db, belge, {DepoHrkHareket(tip, 1, QStringLiteral("120.01"), 1, QString::fromLatin1(c.depo), t,
                                              c.miktar, fiyat)});
        Query q(db, QStringLiteral("SELECT GIRMIK, CIKMIK, FIYAT, AY, YIL FROM DEPOHRK WHERE TIP = :T AND "
                                   "(SATISNO = :NO OR ISEMRINO = :ISEMRI)"));
        q.bind(QStringLiteral("T"), QString(tip)).bind(QStringLiteral("NO"), no);
        q.bind(QStringLiteral("ISEMRI"), QString::number(int(no))).exec();
        ASSERT_TRUE(q.next());
        const double gir = q.value(0).toDouble(), cik = q.value(1).toDouble();
        const QVariant f = q.value(2);
        const int ay = q.value(3).toInt(), yil = q.value(4).toInt();
        EXPECT_FALSE(q.next());
        EXPECT_DOUBLE_EQ(gir, c.expectIn);
        EXPECT_DOUBLE_EQ(cik, c.expectOut);
        EXPECT_EQ(ay, 3);
        EXPECT_EQ(yil, 2026);
        if (c.miktar == 0)
            EXPECT_TRUE(f.isNull());
        else
            EXPECT_DOUBLE_EQ(f.toDouble(), 12.5);
    }
    expectInStep();
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 1, QStringLiteral("1")), DepoHrkMiktari(db, 1, QStringLiteral("1")));
    EXPECT_DOUBLE_EQ(DepoHrkMiktari(db, 1, QStringLiteral("1")), 10 + 7 + 3 - 4 - 2 - 1 - 1 - 2 + 1);
}

TEST_F(StockLedgerTest, TransferMovesBetweenWarehousesAndDeleteTakesBothRows)
{
    const DepoHrkBelge fis = DepoHrkBelge::Belge(500, u'O');
    DepoHrkYaz(db, DepoHrkBelge::Belge(499, u'D'),
               {DepoHrkHareket(u'D', 1, StokFisiCariKod(), 2, QStringLiteral("1"), t, 20, 3.0)});
    DepoHrkYaz(db, fis, DepoHrkTransfer(7, 2, QStringLiteral("1"), QStringLiteral("3"), t, 5, 3.0));

    Query q(db, QStringLiteral("SELECT SIRANO, DEPO_KODU, GIRMIK, CIKMIK, CARIKOD FROM DEPOHRK WHERE TIP = 'O' "
                               "ORDER BY SIRANO"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 7);
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(q.value(3).toDouble(), 5);
    EXPECT_EQ(q.value(4).toString(), QStringLiteral("-STOK FİŞİ-"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 100007);
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 5);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2), 20); // the company total is unchanged
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, QStringLiteral("3")), 5);

    DepoHrkSil(db, fis);
    EXPECT_EQ(rowCount(QStringLiteral("TIP = 'O'")), 0);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, QStringLiteral("1")), 20);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, QStringLiteral("3")), 0);
    expectInStep();
}

TEST_F(StockLedgerTest, SavingTwiceLeavesOneSetAndOtherDocumentsAlone)
{
    const DepoHrkBelge a = DepoHrkBelge::Belge(10, u'A');
    const DepoHrkBelge other = DepoHrkBelge::Belge(10, u'S'); // same number, other kind
    DepoHrkYaz(db, other, {DepoHrkHareket(u'S', 1, {}, 1, QStringLiteral("1"), t, 1, 5.0)});
    const QList<DepoHrkSatiri> lines = {DepoHrkHareket(u'A', 1, QStringLiteral("320.01"), 1, QStringLiteral("1"), t, 4, 9.0),
                                        DepoHrkHareket(u'A', 2, QStringLiteral("320.01"), 2, QStringLiteral("1"), t, 6, 2.0)};
    DepoHrkYazici writer(db);
    writer.yaz(a, lines);
    writer.yaz(a, lines);
    EXPECT_EQ(rowCount(QStringLiteral("TIP = 'A'")), 2);
    writer.yaz(a, {lines.first()}); // a line removed from the document
    EXPECT_EQ(rowCount(QStringLiteral("TIP = 'A'")), 1);
    EXPECT_EQ(rowCount(QStringLiteral("TIP = 'S'")), 1);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 1, QStringLiteral("1")), 3);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, QStringLiteral("1")), 0);
    expectInStep();
}

TEST_F(StockLedgerTest, PartsIssueIsOwnedByItsWorkOrder)
{
    const DepoHrkBelge isemri = DepoHrkBelge::Isemri(QStringLiteral("0000042"));
    const QList<DepoHrkSatiri> rows = {DepoHrkHareket(u'I', 1, QStringLiteral("120.05"), 3, QStringLiteral("1"), t, 2, 40.0),
                                       DepoHrkHareket(u'G', 1, QStringLiteral("120.05"), 3, QStringLiteral("2"), t, 2, 40.0)};
    DepoHrkYaz(db, isemri, rows);
    DepoHrkYaz(db, isemri, rows);
    EXPECT_EQ(rowCount(QStringLiteral("ISEMRINO = '0000042' AND SATISNO IS NULL")), 2);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 3, QStringLiteral("2")), 2);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 3), 0);
    DepoHrkSil(db, isemri);
    EXPECT_EQ(rowCount(), 0);
    expectInStep();
}

TEST_F(StockLedgerTest, RowsAgainstTheRulesAreRefusedAndNothingChanges)
{
    const DepoHrkBelge satis = DepoHrkBelge::Belge(77, u'S');
    DepoHrkYaz(db, satis, {DepoHrkHareket(u'S', 1, {}, 1, QStringLiteral("1"), t, 2, 5.0)});

    DepoHrkSatiri both = DepoHrkHareket(u'S', 2, {}, 1, QStringLiteral("1"), t, 2, 5.0);
    both.GIRMIK = 1;
    DepoHrkSatiri inOnOut = DepoHrkHareket(u'S', 2, {}, 1, QStringLiteral("1"), t, 2, 5.0);
    std::swap(inOnOut.GIRMIK, inOnOut.CIKMIK);
    DepoHrkSatiri noPart = DepoHrkHareket(u'S', 2, {}, 0, QStringLiteral("1"), t, 2, 5.0);
    DepoHrkSatiri noStore = DepoHrkHareket(u'S', 2, {}, 1, QString(), t, 2, 5.0);
    DepoHrkSatiri noDate = DepoHrkHareket(u'S', 2, {}, 1, QStringLiteral("1"), QDateTime(), 2, 5.0);
    DepoHrkSatiri otherKind = DepoHrkHareket(u'A', 2, {}, 1, QStringLiteral("1"), t, 2, 5.0);
    for (const DepoHrkSatiri& bad : {both, inOnOut, noPart, noStore, noDate, otherKind}) {
        const QList<DepoHrkSatiri> lines = {DepoHrkHareket(u'S', 1, {}, 2, QStringLiteral("1"), t, 9, 1.0), bad};
        EXPECT_THROW(DepoHrkYaz(db, satis, lines), DbError);
    }
    EXPECT_EQ(rowCount(), 1);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 1, QStringLiteral("1")), -2);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2), 0);
    expectInStep();
}

TEST_F(StockLedgerTest, AFailingDocumentLeavesLedgerAndQuantitiesAsTheyWere)
{
    const DepoHrkBelge a = DepoHrkBelge::Belge(5, u'A');
    DepoHrkYaz(db, a, {DepoHrkHareket(u'A', 1, {}, 1, QStringLiteral("1"), t, 4, 9.0)});
    {
        Transaction tx(db);
        DepoHrkYaz(db, a, {DepoHrkHareket(u'A', 1, {}, 1, QStringLiteral("1"), t, 40, 9.0)});
        // the document's own save fails after the ledger was written: rolled back
    }
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 1, QStringLiteral("1")), 4);
    EXPECT_EQ(rowCount(), 1);
    expectInStep();
}

TEST_F(StockLedgerTest, StokmikUpdateRestoresQuantitiesFromTheLedger)
{
    DepoHrkYaz(db, DepoHrkBelge::Belge(1, u'A'),
               {DepoHrkHareket(u'A', 1, {}, 1, QStringLiteral("1"), t, 4, 9.0),
                DepoHrkHareket(u'A', 2, {}, 2, QStringLiteral("3"), t, 6, 9.0)});
    db.exec(QStringLiteral("UPDATE STOKMIK SET MIKTAR = 99 WHERE STOK_NO = 1"));
    db.exec(QStringLiteral("DELETE FROM STOKMIK WHERE STOK_NO = 2"));
    db.exec(QStringLiteral("INSERT INTO STOKMIK (STOK_NO, DEPO_KOD, MIKTAR) VALUES (3, '1', 5)"));
    EXPECT_EQ(StokMikFarklari(db).size(), 3);
    EXPECT_EQ(SP_STOKMIK_UPDATE(db), 3);
    expectInStep();
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 2, QStringLiteral("3")), 6);
    EXPECT_DOUBLE_EQ(StokMikMiktari(db, 3), 0);
    EXPECT_EQ(SP_STOKMIK_UPDATE(db), 0);
}

TEST(StockCostRules, MovingAverage)
{
    // first purchase into empty stock: v / q, with or without quantity rows
    EXPECT_DOUBLE_EQ(MaliyetAlisEkle(std::nullopt, 0, 4, 100), 25);
    EXPECT_DOUBLE_EQ(MaliyetAlisEkle(0.0, 17, 4, 100), 25);
    EXPECT_DOUBLE_EQ(MaliyetAlisEkle(6.0, 10, 4, 100), (60.0 + 100) / 10);
    EXPECT_DOUBLE_EQ(MaliyetAlisEkle(-4.0, 10, 4, 100), 10); // stock back to 0: kept
    // taking back
    EXPECT_NEAR(MaliyetAlisGeriAl(10.0, 16, 4, 100), (160.0 - 100) / 6, 1e-6);
    EXPECT_DOUBLE_EQ(MaliyetAlisGeriAl(4.0, 25, 4, 100), 25); // nothing left: kept
    EXPECT_DOUBLE_EQ(MaliyetAlisGeriAl(std::nullopt, 25, 4, 100), 25);
}

TEST_F(StockLedgerTest, CostOnCardsAndRecalculation)
{
    MaliyetAlisIsle(db, 1, 4, 100); // no quantity rows yet
    DepoHrkYaz(db, DepoHrkBelge::Belge(1, u'A'), {DepoHrkHareket(u'A', 1, {}, 1, QStringLiteral("1"), t, 4, 25.0)});
    MaliyetAlisIsle(db, 1, 6, 60);
    Query q(db, QStringLiteral("SELECT MALIYET_FYT_TL FROM STOK WHERE STOK_NO = 1"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 16);

    DepoHrkYaz(db, DepoHrkBelge::Belge(2, u'D'),
               {DepoHrkHareket(u'D', 1, StokFisiCariKod(), 2, QStringLiteral("1"), t, 10, 3.0),
                DepoHrkHareket(u'D', 2, StokFisiCariKod(), 2, QStringLiteral("3"), t, 10, 5.0)});
    // Only part 2 has receipts; cards without any keep their cost (part 1 its
    // 16, part 3 none at all).
    EXPECT_EQ(MaliyetYenidenHesapla(db), 1);
    Query r(db, QStringLiteral("SELECT STOK_NO, MALIYET_FYT_TL FROM STOK ORDER BY STOK_NO"));
    r.exec();
    const QVariant expected[] = {16.0, 4.0, QVariant()};
    for (const QVariant& e : expected) {
        ASSERT_TRUE(r.next());
        if (e.isNull())
            EXPECT_TRUE(r.value(1).isNull());
        else
            EXPECT_NEAR(r.value(1).toDouble(), e.toDouble(), 1e-6);
    }
    ASSERT_TRUE(AlislarinOrtalamasi(db, 2).has_value());
    EXPECT_NEAR(*AlislarinOrtalamasi(db, 2), 4, 1e-6);
    EXPECT_FALSE(AlislarinOrtalamasi(db, 3).has_value());
    EXPECT_EQ(MaliyetYenidenHesapla(db), 0);
}

} // namespace
