#include "accounts/AccountsSchema.h"
#include "accounts/closing/BorcKapama.h"
#include "testsupport/TestSupport.h"

#include <QMap>
#include <cmath>
#include <functional>
#include <stdexcept>

using namespace tornaly;
using namespace tornaly::accounts;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }
QDateTime gun(int ay, int g) { return QDateTime(QDate(2026, ay, g), QTime(0, 0)); }

class BorcKapamaTest : public test::DbTest {
public:
    void registerSchema() override { accounts::RegisterSchema(); }
    void SetUp() override
    {
        test::DbTest::SetUp();
        for (const char* c : {"C1", "C2", "C3"})
            db.exec(S("INSERT INTO CARI (CARI_KOD, FIRMA_ADI) VALUES (:K, :K)"), {{S("K"), S(c)}});
    }

    // One ledger row; the document number is its CARI_NO.
    void satir(const char* cari, double no, QDateTime tarih, QDateTime vade, double borc, double alacak,
               const char* tur = "D")
    {
        db.exec(S("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, VADE_TRH, CRHRK_TUR, BORC, ALACAK)"
                  " VALUES (:N, 1, :K, :T, :V, :R, :B, :A)"),
                {{S("N"), no}, {S("K"), S(cari)}, {S("T"), tarih},
                 {S("V"), vade.isValid() ? QVariant(vade) : QVariant(QMetaType(QMetaType::QDateTime))},
                 {S("R"), S(tur)}, {S("B"), borc}, {S("A"), alacak}});
    }
    // The Part's example: debits 100 due 1 March, 50 due 1 April, a credit 120 due 10 March.
    void ornek(const char* cari = "C1", double taban = 0)
    {
        satir(cari, taban + 1, gun(2, 1), gun(3, 1), 100, 0);
        satir(cari, taban + 2, gun(2, 2), gun(4, 1), 50, 0);
        satir(cari, taban + 3, gun(2, 3), gun(3, 10), 0, 120);
    }
    QVariant alan(double no, const char* kolon) const
    {
        Query q(db, S("SELECT ") + S(kolon) + S(" FROM CARIHRK WHERE CARI_NO=:N"));
        q.bind(S("N"), no).exec();
        return q.next() ? q.value(0) : QVariant();
    }
    double tutar(double no, const char* kolon) const { return alan(no, kolon).toDouble(); }
    QDate tarih(double no) const { return Query::toDate(alan(no, "KAPATAN_VADE")); }
    QStringList fifo(const char* cari) const
    {
        Query q(db, S("SELECT CARI_NO, KCARI_NO, BORC, ALACAK FROM CHFIFO WHERE CARI_KOD=:K"
                      " ORDER BY CARI_NO, KCARI_NO"));
        q.bind(S("K"), S(cari)).exec();
        QStringList l;
        while (q.next())
            l << QStringLiteral("%1/%2 %3 %4").arg(q.num(S("CARI_NO"))).arg(q.num(S("KCARI_NO")))
                     .arg(q.num(S("BORC"))).arg(q.num(S("ALACAK")));
        return l;
    }
    static BorcKapamaFiltresi tek(const char* cari)
    {
        BorcKapamaFiltresi f;
        f.ilkKod = f.sonKod = S(cari);
        return f;
    }
};

TEST_F(BorcKapamaTest, SimpleClosingClosesTheSmallerSideAndTheLargerOldestFirst)
{
    struct Case {
        const char* ad;
        std::function<void(BorcKapamaTest&)> defter;
        bool vadeSirasi;
        QList<QPair<double, QPair<double, double>>> beklenen; // row: KAPANANB, KAPANANA
    };
    const QList<Case> cases{
        {"the Part's example by due date", [](BorcKapamaTest& t) { t.ornek(); }, true,
         {{1, {100, 0}}, {2, {20, 0}}, {3, {0, 120}}}},
        {"by transaction date the older debit closes first",
         [](BorcKapamaTest& t) {
             t.satir("C1", 1, gun(2, 5), gun(3, 1), 100, 0);
             t.satir("C1", 2, gun(2, 1), gun(4, 1), 50, 0);
             t.satir("C1", 3, gun(2, 6), gun(3, 10), 0, 120);
         },
         false, {{1, {70, 0}}, {2, {50, 0}}, {3, {0, 120}}}},
        {"equal totals close everything",
         [](BorcKapamaTest& t) {
             t.satir("C1", 1, gun(2, 1), gun(3, 1), 80, 0);
             t.satir("C1", 2, gun(2, 2), gun(3, 2), 0, 30);
             t.satir("C1", 3, gun(2, 3), gun(3, 3), 0, 50);
         },
         true, {{1, {80, 0}}, {2, {0, 30}}, {3, {0, 50}}}},
        {"credits over debits close the credits oldest first",
         [](BorcKapamaTest& t) {
             t.satir("C1", 1, gun(2, 1), gun(3, 1), 40, 0);
             t.satir("C1", 2, gun(2, 2), gun(3, 2), 0, 30);
             t.satir("C1", 3, gun(2, 3), gun(3, 3), 0, 50);
         },
         true, {{1, {40, 0}}, {2, {0, 30}}, {3, {0, 10}}}},
    };
    for (const Case& c : cases) {
        db.exec(S("DELETE FROM CARIHRK"));
        c.defter(*this);
        BorcKapamaFiltresi f = tek("C1");
        f.vadeSirasi = c.vadeSirasi;
        EXPECT_EQ(BorcKapamaCalistir(db, f), 1) << c.ad;
        for (const auto& b : c.beklenen) {
            EXPECT_NEAR(tutar(b.first, "KAPANANB"), b.second.first, 1e-9) << c.ad << " row " << b.first;
            EXPECT_NEAR(tutar(b.first, "KAPANANA"), b.second.second, 1e-9) << c.ad << " row " << b.first;
        }
    }
}

TEST_F(BorcKapamaTest, ADateLimitsEveryStatementOfTheSimpleClosing)
{
    satir("C1", 1, gun(2, 1), gun(2, 1), 100, 0);
    satir("C1", 2, gun(2, 10), gun(2, 10), 0, 60);
    // After the date: neither closed nor counted, although the credits cover it.
    satir("C1", 3, QDateTime(QDate(2026, 2, 20), QTime(14, 0)), gun(3, 1), 30, 0);
    satir("C1", 4, gun(2, 21), QDateTime(), 0, 500);
    // The last second of the limit day still counts.
    satir("C1", 5, QDateTime(QDate(2026, 2, 15), QTime(23, 59, 59)), QDateTime(), 0, 10);
    BorcKapamaFiltresi f = tek("C1");
    f.tarih = QDate(2026, 2, 15);
    BorcKapamaCalistir(db, f);
    EXPECT_DOUBLE_EQ(tutar(1, "KAPANANB"), 70);
    EXPECT_DOUBLE_EQ(tutar(2, "KAPANANA"), 60);
    EXPECT_DOUBLE_EQ(tutar(5, "KAPANANA"), 10);
    EXPECT_DOUBLE_EQ(tutar(3, "KAPANANB"), 0);
    EXPECT_DOUBLE_EQ(tutar(4, "KAPANANA"), 0);
    // Missing due dates are filled only up to the date as well.
    EXPECT_EQ(Query::toDate(alan(5, "VADE_TRH")), QDate(2026, 2, 15));
    EXPECT_TRUE(alan(4, "VADE_TRH").isNull());
}

TEST_F(BorcKapamaTest, DueDateClosingPairsByDueDateAndDatesEachRow)
{
    ornek();
    EXPECT_EQ(VadeliKapat(db, tek("C1")), 1);
    EXPECT_EQ(fifo("C1"), (QStringList{S("1/3 100 100"), S("2/0 30 0"), S("2/3 20 20")}));
    EXPECT_DOUBLE_EQ(tutar(1, "KAPANANB"), 100);
    EXPECT_EQ(tarih(1), QDate(2026, 3, 10));
    EXPECT_DOUBLE_EQ(tutar(2, "KAPANANB"), 20);
    EXPECT_EQ(tarih(2), QDate(2026, 3, 10));
    EXPECT_DOUBLE_EQ(tutar(3, "KAPANANA"), 120);
    // 1 March weighted 100 and 1 April weighted 20: 5 days after 1 March (31 × 20 / 120 = 5.17).
    EXPECT_EQ(tarih(3), QDate(2026, 3, 6));
}

TEST_F(BorcKapamaTest, DueDateClosingOfOnlyCreditsLeavesRemaindersAndClosesNothing)
{
    satir("C1", 1, gun(2, 1), gun(3, 1), 0, 40);
    satir("C1", 2, gun(2, 2), gun(3, 2), 0, 60);
    VadeliKapat(db, tek("C1"));
    EXPECT_EQ(fifo("C1"), (QStringList{S("0/1 0 40"), S("0/2 0 60")}));
    EXPECT_DOUBLE_EQ(tutar(1, "KAPANANA"), 0);
    EXPECT_DOUBLE_EQ(tutar(2, "KAPANANA"), 0);
    EXPECT_FALSE(tarih(1).isValid());
}

TEST_F(BorcKapamaTest, ARunReplacesOnlyTheListedAccountsPairs)
{
    ornek("C1", 0);
    ornek("C2", 10);
    BorcKapamaFiltresi hepsi;
    VadeliKapat(db, hepsi);
    const QStringList c2 = fifo("C2");
    ASSERT_EQ(c2.size(), 3);
    VadeliKapat(db, tek("C1"));
    EXPECT_EQ(fifo("C2"), c2);
    EXPECT_EQ(fifo("C1").size(), 3);
    // The group filter also limits the run.
    db.exec(S("UPDATE CARI SET CARI_GRP_KOD='T' WHERE CARI_KOD='C2'"));
    BorcKapamaFiltresi grup;
    grup.grup = S("T");
    EXPECT_EQ(BorcKapamaCarileri(db, grup), QStringList{S("C2")});
}

TEST_F(BorcKapamaTest, AFailureInTheMiddleOfARunLeavesTheLastResult)
{
    ornek("C1", 0);
    ornek("C2", 10);
    BorcKapamaFiltresi hepsi;
    VadeliKapat(db, hepsi);
    const QStringList c1 = fifo("C1"), c2 = fifo("C2");
    const double onceki = tutar(12, "KAPANANB");
    const auto ikincideDur = [](int n, int) {
        if (n == 2)
            throw std::runtime_error("injected");
    };
    EXPECT_THROW(VadeliKapat(db, hepsi, ikincideDur), std::runtime_error);
    EXPECT_THROW(BorcKapamaCalistir(db, hepsi, ikincideDur), std::runtime_error);
    EXPECT_EQ(fifo("C1"), c1);
    EXPECT_EQ(fifo("C2"), c2);
    EXPECT_DOUBLE_EQ(tutar(2, "KAPANANB"), 20);
    EXPECT_DOUBLE_EQ(tutar(12, "KAPANANB"), onceki);
    EXPECT_EQ(tarih(1), QDate(2026, 3, 10));
}

TEST_F(BorcKapamaTest, TheFiguresGiveMeanDueDatesAndTheCollectionDate)
{
    ornek();
    VadeliKapat(db, tek("C1"));
    const BorcKapamaToplami t = BorcKapamaToplamiOku(db, S("C1"), tek("C1"), QDate(2026, 3, 20));
    EXPECT_DOUBLE_EQ(t.BORCTUT, 150);
    EXPECT_DOUBLE_EQ(t.ALATUT, 120);
    EXPECT_DOUBLE_EQ(t.ABORCTUT, 30);
    EXPECT_DOUBLE_EQ(t.BAKIYE, 30);
    EXPECT_EQ(t.BAKIYETIP, S("B"));
    EXPECT_EQ(t.ABORCVTRH, QDate(2026, 4, 1));
    EXPECT_EQ(t.BAKIYEVTRH, QDate(2026, 4, 1));
    EXPECT_EQ(t.GUN, -12);
    EXPECT_EQ(t.KALAVTRH, QDate(2026, 3, 10));
    // (150 × mean due of all debits − 120 × 10 March) / 30, on day numbers.
    const double borcGun = (100 * BorcKapamaGunNo(gun(3, 1)) + 50 * BorcKapamaGunNo(gun(4, 1))) / 150;
    const double n = std::nearbyint((150 * borcGun - 120 * BorcKapamaGunNo(gun(3, 10))) / 30);
    EXPECT_EQ(t.KAPATANVADE2, QDate(2000, 1, 1).addDays(qint64(n)));
    EXPECT_EQ(t.KAPATANVADE, std::max(t.KAPATANVADE2, QDate(2026, 3, 20)));
    EXPECT_EQ(t.KAPATANVADEBORC, QDate(2026, 3, 10));
    // No rows: nothing but a collection date of today.
    const BorcKapamaToplami bos = BorcKapamaToplamiOku(db, S("C3"), tek("C3"), QDate(2026, 3, 20));
    EXPECT_EQ(bos.BAKIYETIP, S("-"));
    EXPECT_FALSE(bos.BORCGUN.has_value());
    EXPECT_EQ(bos.KAPATANVADE, QDate(2026, 3, 20));
}

TEST_F(BorcKapamaTest, ThePrintOptionsChooseAccountsAndMovements)
{
    ornek("C1", 0);                                    // debit balance 30
    satir("C2", 11, gun(2, 1), gun(3, 1), 10, 0);      // credit balance 40
    satir("C2", 12, gun(2, 2), gun(3, 2), 0, 50);
    VadeliKapat(db, BorcKapamaFiltresi{});
    struct Case {
        const char* ad;
        std::function<void(BorcKapamaYazdirma&)> secim;
        QStringList beklenen; // account:row count (0 = printed without movements)
    };
    const QList<Case> cases{
        {"everything", [](BorcKapamaYazdirma&) {}, {S("C1:3"), S("C2:2")}},
        {"the selected account", [](BorcKapamaYazdirma& y) { y.bakiye = BorcKapamaYazdirma::SecileniYaz; },
         {S("C2:2")}},
        {"debit balances", [](BorcKapamaYazdirma& y) { y.bakiye = BorcKapamaYazdirma::BorcBakiyeli; }, {S("C1:3")}},
        {"credit balances", [](BorcKapamaYazdirma& y) { y.bakiye = BorcKapamaYazdirma::AlacakBakiyeli; }, {S("C2:2")}},
        {"a minimum balance", [](BorcKapamaYazdirma& y) { y.minBakiye = 35; }, {S("C2:2")}},
        {"no movements", [](BorcKapamaYazdirma& y) { y.hareket = BorcKapamaYazdirma::Hicbiri; },
         {S("C1:0"), S("C2:0")}},
        {"open ones", [](BorcKapamaYazdirma& y) { y.hareket = BorcKapamaYazdirma::Aciklar; },
         {S("C1:1"), S("C2:1")}},
        // On 20 March the open 30 of C1 (due 1 April) is 12 days ahead; C2's open credit is 18 days overdue.
        {"days overdue between -15 and 0",
         [](BorcKapamaYazdirma& y) {
             y.ileriVade = true;
             y.gun1 = -15;
             y.gun2 = 0;
         },
         {S("C1:1"), S("C2:0")}},
    };
    for (const Case& c : cases) {
        BorcKapamaYazdirma y;
        c.secim(y);
        const BorcKapamaEkstresi e = BorcKapamaEkstresiOku(db, BorcKapamaFiltresi{}, y, S("C2"), QDate(2026, 3, 20));
        const int kod = int(e.alanlar.indexOf(S("CARI_KOD"))), bos = int(e.alanlar.indexOf(S("BOS")));
        QMap<QString, int> say;
        for (const auto& r : e.satirlar)
            say[r[kod].toString()] += r[bos].toBool() ? 0 : 1;
        QStringList l;
        for (auto it = say.cbegin(); it != say.cend(); ++it)
            l << it.key() + QLatin1Char(':') + QString::number(it.value());
        EXPECT_EQ(l, c.beklenen) << c.ad;
    }
}

TEST_F(BorcKapamaTest, InvoicesWithoutADueDateTakeTheAccountsTerm)
{
    satir("C1", 1, gun(2, 1), QDateTime(), 100, 0, "S");
    satir("C1", 2, gun(2, 1), gun(2, 1), 100, 0, "A");
    satir("C1", 3, gun(2, 1), gun(2, 5), 100, 0, "S");   // has its own due date
    satir("C1", 4, gun(2, 1), QDateTime(), 100, 0, "N"); // not an invoice
    satir("C2", 5, gun(2, 1), QDateTime(), 100, 0, "S");
    BorcKapamaFiltresi hepsi;
    EXPECT_EQ(VadesizCariler(db, hepsi).size(), 2);
    QList<VadesizCari> l = VadesizCariler(db, hepsi);
    l[0].VADEGUN = 30;
    VadeGunleriYaz(db, {l[0]});
    EXPECT_EQ(VadesizCariler(db, hepsi).size(), 1);
    VadesizFaturalaraVadeAta(db, tek("C1"));
    EXPECT_EQ(Query::toDate(alan(1, "VADE_TRH")), QDate(2026, 3, 3));
    EXPECT_EQ(Query::toDate(alan(2, "VADE_TRH")), QDate(2026, 3, 3));
    EXPECT_EQ(Query::toDate(alan(3, "VADE_TRH")), QDate(2026, 2, 5));
    EXPECT_TRUE(alan(4, "VADE_TRH").isNull());
    EXPECT_TRUE(alan(5, "VADE_TRH").isNull());
}

} // namespace
