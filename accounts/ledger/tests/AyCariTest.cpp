#include "accounts/AccountsSchema.h"
#include "accounts/ledger/AyCari.h"
#include "testsupport/TestSupport.h"

#include <QAbstractItemModel>
#include <QTableView>

using namespace tornaly;

class AyCariTest : public test::DbTest {
protected:
    void registerSchema() override { accounts::RegisterSchema(); }
    void row(const QString& kod, const QDate& day, double borc, double alacak, const QVariant& ay = {})
    {
        db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_KOD, TARIH, BORC, ALACAK, BORC_USD, ALACAK_USD, AY) "
                               "VALUES (:K, :T, :B, :A, :BU, :AU, :AY)"),
                {{QStringLiteral("K"), kod}, {QStringLiteral("T"), QDateTime(day, QTime(23, 59, 59))},
                 {QStringLiteral("B"), borc}, {QStringLiteral("A"), alacak}, {QStringLiteral("BU"), borc / 40},
                 {QStringLiteral("AU"), alacak / 40}, {QStringLiteral("AY"), ay}});
    }
    int historyRows()
    {
        if (!db.dialect().tableExists(db, QStringLiteral("CLOG_CARIHRK")))
            return 0;
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM CLOG_CARIHRK"));
        q.exec();
        q.next();
        return q.value(0).toInt();
    }
};

TEST_F(AyCariTest, SumsPerMonthAndYearOrderedByMonthFirst)
{
    row(QStringLiteral("120.01"), QDate(2025, 3, 31), 100.10, 0);
    row(QStringLiteral("120.01"), QDate(2025, 3, 2), 0.20, 50);
    row(QStringLiteral("120.01"), QDate(2026, 1, 15), 0, 80, 7); // stored month is stale
    row(QStringLiteral("120.01"), QDate(2026, 3, 1), 10, 10);
    row(QStringLiteral("320.01"), QDate(2026, 3, 1), 999, 0);

    const auto rows = AylikCariTutarlari(db, QStringLiteral("120.01"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].ADI, QStringLiteral("Ocak"));
    EXPECT_EQ(rows[0].YIL, 2026);
    EXPECT_EQ(rows[0].DURUM, QStringLiteral("Alacak"));
    EXPECT_DOUBLE_EQ(rows[0].BAKIYE, 80);
    EXPECT_EQ(rows[1].ADI, QStringLiteral("Mart"));
    EXPECT_EQ(rows[1].YIL, 2025);
    EXPECT_NEAR(rows[1].T_BORC, 100.30, 1e-9);
    EXPECT_NEAR(rows[1].BAKIYE, 50.30, 1e-9);
    EXPECT_EQ(rows[1].DURUM, QStringLiteral("Borç"));
    EXPECT_EQ(rows[2].YIL, 2026);
    EXPECT_EQ(rows[2].DURUM, QString()) << "even months have no state";

    EXPECT_TRUE(AylikCariTutarlari(db, QStringLiteral("999")).isEmpty());
}

TEST_F(AyCariTest, OpeningTwiceDoesNotRewriteTheLedgerAgain)
{
    row(QStringLiteral("120.01"), QDate(2026, 5, 5), 10, 0);
    AylikCariTutarlari(db, QStringLiteral("120.01"));
    const int after = historyRows();
    AylikCariTutarlari(db, QStringLiteral("120.01"));
    EXPECT_EQ(historyRows(), after);
}

TEST_F(AyCariTest, FormShowsTheRowsWithTurkishAmounts)
{
    row(QStringLiteral("120.01"), QDate(2026, 2, 5), 1234567.891, 0);
    TFormAylikCari form(ctx, QStringLiteral("120.01"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Aylık Borç-Alacak Tutarı"));
    const QAbstractItemModel* m = form.GridAylik->model();
    ASSERT_EQ(m->rowCount(), 1);
    EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("Şubat"));
    EXPECT_EQ(m->index(0, 2).data().toString(), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(m->index(0, 7).data().toString(), QStringLiteral("Borç"));
}
