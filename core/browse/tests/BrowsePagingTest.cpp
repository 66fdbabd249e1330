#include "browse/brListe.h"
#include "money/Money.h"
#include "platform/Desktop.h"
#include "sql/ListeKonum.h"
#include "sql/SqlHelpers.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/TestSupport.h"
#include "testsupport/ZipEntry.h"

#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTableView>
#include <QHeaderView>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>


using namespace tornaly;

namespace {

// A list longer than several pages whose order column has many ties, so that
// rows only keep their place across pages when the order is made total.
class BrowsePagingTest : public test::DbTest {
protected:
    static constexpr int kRows = 1000;

    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE HRK (NO INTEGER, GRUP VARCHAR(5), TUTAR DOUBLE PRECISION, "
                               "ACIKLAMA VARCHAR(20))"));
        db.exec(QStringLiteral("CREATE TABLE POSTA (NO INTEGER)"));
        Transaction tx(db);
        Query q(db, QStringLiteral("INSERT INTO HRK VALUES (:N, :G, :T, :A)"));
        // Inserted in an order unrelated to NO, so that a natural order is no help.
        for (int i = 0; i < kRows; ++i) {
            const int no = (i * 7919) % kRows;
            q.bind(QStringLiteral("N"), no)
                .bind(QStringLiteral("G"), QStringLiteral("G%1").arg(no % 3))
                .bind(QStringLiteral("T"), 0.25 + no)
                .bind(QStringLiteral("A"), no % 2 ? QStringLiteral("tek") : QStringLiteral("çift"))
                .exec();
        }
        tx.commit();
    }

    static QList<int> keys(const BoundQueryModel& m)
    {
        QList<int> out;
        const int col = m.columnOf(QStringLiteral("NO"));
        for (int r = 0; r < m.rowCount(); ++r)
            out << m.index(r, col).data().toInt();
        return out;
    }

    std::unique_ptr<TFormListeBr> form()
    {
        auto f = std::make_unique<TFormListeBr>(db);
        f->TableBrSql.lines = {QStringLiteral("SELECT NO, GRUP, TUTAR, ACIKLAMA"), QStringLiteral("FROM HRK"),
                               QStringLiteral("WHERE 1=1"), QString(), QStringLiteral("ORDER BY GRUP")};
        f->TableBr->setCaptions({QStringLiteral("No"), QStringLiteral("Grup"), QStringLiteral("Tutar"),
                                 QStringLiteral("Açıklama")});
        f->setkeyfield(QStringLiteral("NO"));
        return f;
    }
};

TEST_F(BrowsePagingTest, FirstPageReadsOnePageAndScrollingGivesEveryRowOnceInOrder)
{
    BoundQueryModel m;
    m.setStatement(db, QStringLiteral("SELECT NO, GRUP, TUTAR FROM HRK WHERE TUTAR >= :MIN ORDER BY GRUP"),
                   {{QStringLiteral("MIN"), 0}});
    m.setOrderKeys({QStringLiteral("NO")});
    m.open();
    EXPECT_TRUE(m.isPaged());
    EXPECT_EQ(m.rowCount(), BoundQueryModel::DefaultPageSize);
    EXPECT_EQ(m.pagesRead(), 1);
    ASSERT_TRUE(m.canFetchMore());

    while (m.canFetchMore())
        m.fetchMore();
    const QList<int> all = keys(m);
    ASSERT_EQ(all.size(), kRows);
    EXPECT_EQ(QSet<int>(all.begin(), all.end()).size(), kRows) << "a row repeated or skipped across pages";
    // The list's own order first, the key settling ties: G0 0,3,6.. then G1 1,4,...
    QList<int> expected;
    for (int g = 0; g < 3; ++g)
        for (int no = g; no < kRows; no += 3)
            expected << no;
    EXPECT_EQ(all, expected);
    EXPECT_LE(m.pagesRead(), 4) << "pages grow, so the end is reached in few statements";
    EXPECT_FALSE(m.canFetchMore());
    m.fetchMore(); // nothing left: no error, nothing added
    EXPECT_EQ(m.rowCount(), kRows);
}

// Going to a row (the card just edited) reads the list up to that row and no
// further; a row the list does not hold is told without reading the list.
TEST_F(BrowsePagingTest, GoingToARowReadsUpToItAndNoFurther)
{
    struct C {
        const char* sql;
        int no;       // the row looked for
        bool listed;  // whether the list holds it
    } const cases[] = {
        {"SELECT NO, GRUP FROM HRK WHERE TUTAR >= :MIN ORDER BY GRUP", 14, true},   // ties settled by NO: on a later page
        {"SELECT NO, GRUP FROM HRK WHERE TUTAR >= :MIN ORDER BY GRUP", 13, true},   // in the middle
        {"SELECT NO, GRUP FROM HRK WHERE TUTAR >= :MIN ORDER BY GRUP", 5000, false}, // no such row
        {"SELECT NO, GRUP FROM HRK WHERE TUTAR >= :MIN ORDER BY GRUP", 10, false},   // filtered out by the list
        {"SELECT NO, GRUP FROM HRK WHERE TUTAR >= :MIN ORDER BY NO", 999, true},    // the very last row
    };
    for (const C& c : cases) {
        SCOPED_TRACE(std::string(c.sql) + " / " + std::to_string(c.no));
        BoundQueryModel m;
        const QVariantMap binds{{QStringLiteral("MIN"), 11}};
        m.setStatement(db, QString::fromUtf8(c.sql), binds);
        m.setOrderKeys({QStringLiteral("NO")});
        m.open();
        const int r = LocateRow(m, binds, QStringLiteral("NO"), c.no);
        if (!c.listed) {
            EXPECT_EQ(r, -1);
            EXPECT_EQ(m.pagesRead(), 1); // nothing read to find out
            continue;
        }
        ASSERT_GE(r, 0);
        EXPECT_EQ(m.index(r, m.columnOf(QStringLiteral("NO"))).data().toInt(), c.no);
        const int held = m.rowCount();
        m.fetchAll();
        EXPECT_EQ(keys(m).indexOf(c.no), r); // in its place in the whole list
        if (c.no != 999) {
            EXPECT_LT(held, m.rowCount());
        }
    }
}

TEST_F(BrowsePagingTest, StatementsOfEveryShapeListTheirRows)
{
    struct C {
        const char* sql;
        QVariant positional;
        int rows;
        bool paged;
        int firstNo;
    } const cases[] = {
        // no order of its own: the columns give one
        {"SELECT NO, ACIKLAMA FROM HRK", {}, kRows, true, 0},
        // a limit of its own: read as it is, in one go
        {"SELECT NO FROM HRK ORDER BY NO DESC LIMIT 300", {}, 300, false, kRows - 1},
        // order and limit inside a subquery are not the statement's own
        {"SELECT NO FROM (SELECT NO FROM HRK ORDER BY NO LIMIT 600) X ORDER BY NO DESC", {}, 600, true, 599},
        // positional values, a comment and a quoted 'ORDER BY' that must not be taken for clauses
        {"SELECT NO, 'ORDER BY x LIMIT 1' AS T -- LIMIT 5\nFROM HRK WHERE NO >= :A AND GRUP <> :B;",
         QVariantList{10, QStringLiteral("G9")}, kRows - 10, true, 10},
        // an order ending in a comment still gets its ties settled
        {"SELECT NO, GRUP FROM HRK ORDER BY GRUP DESC -- grup", {}, kRows, true, 2},
        {"SELECT NO FROM HRK WHERE NO < 5 UNION SELECT NO + 5000 FROM HRK WHERE NO < 5 ORDER BY 1 DESC", {}, 10,
         true, 5004},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        auto m = OpenSqlQuery(db, QString::fromUtf8(c.sql), c.positional, {});
        m->open();
        EXPECT_EQ(m->isPaged(), c.paged);
        EXPECT_LE(m->rowCount(), BoundQueryModel::DefaultPageSize + (c.paged ? 0 : c.rows));
        while (m->canFetchMore())
            m->fetchMore();
        const QList<int> all = keys(*m);
        ASSERT_EQ(all.size(), c.rows);
        EXPECT_EQ(QSet<int>(all.begin(), all.end()).size(), c.rows);
        EXPECT_EQ(all.first(), c.firstNo);
        EXPECT_EQ(m->totals({}).count, c.rows);
    }
}

TEST_F(BrowsePagingTest, AnExpressionOrderEndingInTheKeyPagesInItsOwnOrder)
{
    for (const bool desc : {false, true}) {
        BoundQueryModel m;
        m.setOrderKeys({QStringLiteral("NO")});
        m.setPageSize(64);
        m.setStatement(db, desc ? QStringLiteral("SELECT NO, GRUP FROM HRK ORDER BY UPPER(GRUP) DESC, NO DESC")
                                : QStringLiteral("SELECT NO, GRUP FROM HRK ORDER BY UPPER(GRUP), NO"));
        m.open();
        EXPECT_EQ(m.rowCount(), 64);
        while (m.canFetchMore())
            m.fetchMore();
        QList<int> beklenen;
        for (int g = 0; g < 3; ++g)
            for (int no = g; no < kRows; no += 3)
                beklenen << no;
        std::sort(beklenen.begin(), beklenen.end(), [desc](int a, int b) {
            const auto ka = std::pair{a % 3, a}, kb = std::pair{b % 3, b};
            return desc ? kb < ka : ka < kb;
        });
        EXPECT_EQ(keys(m), beklenen) << desc;
    }
}

TEST_F(BrowsePagingTest, PostingsOnTheSameConnectionBetweenPagesDoNotBreakTheList)
{
    auto f = form();
    f->openTable();
    ASSERT_TRUE(f->TableBr->canFetchMore());
    QList<int> seen = keys(*f->TableBr);
    while (f->TableBr->canFetchMore()) {
        // Every posting of the program runs on the company connection, in a transaction.
        Transaction tx(db);
        db.exec(QStringLiteral("INSERT INTO POSTA (NO) VALUES (:N)"), {{QStringLiteral("N"), seen.size()}});
        ExecSql(db, QStringLiteral("UPDATE POSTA SET NO = NO + 1"));
        const int before = f->TableBr->rowCount();
        f->TableBr->fetchMore(); // a page read inside the open transaction
        tx.commit();
        for (int r = before; r < f->TableBr->rowCount(); ++r)
            seen << f->TableBr->index(r, 0).data().toInt();
    }
    EXPECT_EQ(seen.size(), kRows);
    EXPECT_EQ(QSet<int>(seen.begin(), seen.end()).size(), kRows);
    EXPECT_EQ(SqlLookup(db, QStringLiteral("SELECT COUNT(*) FROM POSTA")).toInt(), f->TableBr->pagesRead() - 1);
}

TEST_F(BrowsePagingTest, FooterTotalsCoverTheWholeSearchedListNotTheRowsRead)
{
    auto f = form();
    f->setTotals({QStringLiteral("TUTAR")}, QStringLiteral(",0.00"));
    f->openTable();
    ASSERT_LT(f->TableBr->rowCount(), kRows);
    EXPECT_EQ(f->totals().count, kRows);
    // 0.25 * 1000 + (0 + ... + 999)
    EXPECT_DOUBLE_EQ(f->totals().sums.value(0), 250.0 + 999.0 * 1000.0 / 2.0);
    EXPECT_FALSE(f->lblTotals->isHidden());
    EXPECT_TRUE(f->lblTotals->text().contains(QStringLiteral("Kayıt Sayısı: 1.000")));
    EXPECT_TRUE(f->lblTotals->text().contains(QStringLiteral("Tutar: ") + FormatMoney(499750.0, QStringLiteral(",0.00"))))
        << f->lblTotals->text().toStdString();

    // The search narrows the footer with the list: the typed text stays bound.
    struct C {
        const char* column;
        const char* text;
    } const cases[] = {{"TUTAR", "400"}, {"ACIKLAMA", "ÇİF"}, {"TUTAR", "1.000.000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        f->setSearchColumn(QString::fromLatin1(c.column));
        f->Tanim->setText(QString::fromUtf8(c.text));
        f->doubleenter = false;
        ASSERT_TRUE(f->TanimEnter());
        double sum = 0;
        qint64 count = 0;
        while (f->TableBr->canFetchMore())
            f->TableBr->fetchMore();
        for (int r = 0; r < f->TableBr->rowCount(); ++r, ++count)
            sum += f->TableBr->index(r, 2).data(Qt::EditRole).toDouble();
        EXPECT_EQ(f->totals().count, count);
        EXPECT_NEAR(f->totals().sums.value(0), sum, 1e-6);
    }
    EXPECT_TRUE(f->lblTotals->text().contains(QStringLiteral("Kayıt Sayısı: 0")));

    // Only columns of the list are summed; anything else is refused before it reaches the server.
    EXPECT_THROW(f->TableBr->totals({QStringLiteral("TUTAR) FROM HRK --")}), DbError);
    EXPECT_THROW(f->TableBr->totals({QStringLiteral("YOK")}), DbError);

    // A form that asks for no totals shows no footer and runs no count.
    auto plain = form();
    plain->openTable();
    EXPECT_TRUE(plain->lblTotals->isHidden());
    EXPECT_EQ(plain->totals().count, 0);
}

TEST_F(BrowsePagingTest, ExportAndGoingToTheEndReadEveryRow)
{
    QTemporaryDir dir;
    SetOpenDocumentHook([](const QString&) {});
    auto f = form();
    f->openTable();
    ASSERT_LT(f->TableBr->rowCount(), kRows);
    messages.answerFile(dir.filePath(QStringLiteral("liste")));
    f->btnExportClick();
    SetOpenDocumentHook({});
    const QString sheet = QString::fromUtf8(
        test::ZipEntry(dir.filePath(QStringLiteral("liste.xlsx")), QStringLiteral("xl/worksheets/sheet1.xml")));
    ASSERT_FALSE(sheet.isEmpty());
    EXPECT_EQ(sheet.count(QStringLiteral("<row ")), kRows + 1) << "header and every row";
    EXPECT_EQ(f->TableBr->pagesRead(), 2) << "the rest is read with one statement";

    // Going to the last row (a null key) after a refresh reads the rest at once too.
    f->key_value = QVariant();
    f->locatekeyvalue(QVariant());
    EXPECT_EQ(f->currentValue(QStringLiteral("NO")).toInt(), 998) << "the last of G2";
    EXPECT_EQ(f->TableBr->pagesRead(), 2);
    f->locatekeyvalue(QStringLiteral("500"));
    EXPECT_EQ(f->currentValue(QStringLiteral("NO")).toInt(), 500);
}

// Keyset paging over an order with many equal values, NULLs and Turkish
// letters: every row once, in the order the database gives, going up and
// going down, with pages far smaller than the runs of equal values. The key
// runs in the direction of the order; an order of mixed directions keeps it
// going up.
TEST_F(BrowsePagingTest, KeysetPagesGiveEveryRowOnceInOrderThroughTiesAndNulls)
{
    db.exec(QStringLiteral("CREATE TABLE SIRA (NO INTEGER NOT NULL PRIMARY KEY, GRUP VARCHAR(5), "
                           "TUTAR DOUBLE PRECISION, TARIH TIMESTAMP)"));
    db.exec(QStringLiteral("CREATE INDEX IX_SIRA_GRUP ON SIRA (GRUP, NO)"));
    constexpr int kCount = 157;
    const QStringList gruplar{QStringLiteral("Çİ"), QStringLiteral("ÇI"), QStringLiteral("ış"),
                              QStringLiteral("İ"), QStringLiteral("Ü"), QStringLiteral("u")};
    struct Row {
        int no;
        QVariant grup;
        QVariant tutar;
        QVariant tarih;
    };
    QList<Row> rows;
    {
        Transaction tx(db);
        Query q(db, QStringLiteral("INSERT INTO SIRA VALUES (:N, :G, :T, :D)"));
        for (int i = 0; i < kCount; ++i) {
            const int no = (i * 61) % kCount;
            Row r{no,
                  no % 5 == 0 ? QVariant() : QVariant(gruplar.at(no % 6)),
                  no % 7 == 0 ? QVariant() : QVariant(0.5 * (no % 4)),
                  no % 6 == 0 ? QVariant() : QVariant(QDateTime(QDate(2026, 1, 1 + no % 3), QTime(9, 30)))};
            q.bind(QStringLiteral("N"), r.no)
                .bind(QStringLiteral("G"), r.grup.isValid() ? r.grup : QVariant(QMetaType(QMetaType::QString)))
                .bind(QStringLiteral("T"), r.tutar.isValid() ? r.tutar : QVariant(QMetaType(QMetaType::Double)))
                .bind(QStringLiteral("D"), r.tarih.isValid() ? r.tarih : QVariant(QMetaType(QMetaType::QDateTime)))
                .exec();
            rows << r;
        }
        tx.commit();
    }
    // NULL is the smallest value; texts compare by their letters' code points
    // (the byte order of UTF-8 both test databases use).
    auto cmp = [](const QVariant& a, const QVariant& b) {
        if (!a.isValid() || !b.isValid())
            return int(a.isValid()) - int(b.isValid());
        if (a.typeId() == QMetaType::QString)
            return a.toString().compare(b.toString());
        const auto o = QVariant::compare(a, b);
        return o == QPartialOrdering::Less ? -1 : o == QPartialOrdering::Greater ? 1 : 0;
    };
    using Field = std::function<QVariant(const Row&)>;
    struct Item {
        Field field;
        bool down;
    };
    auto expected = [&](const QList<Item>& order, bool keyDown) {
        QList<Row> sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const Row& x, const Row& y) {
            for (const Item& it : order) {
                const int c = cmp(it.field(x), it.field(y));
                if (c != 0)
                    return it.down ? c > 0 : c < 0;
            }
            return keyDown ? x.no > y.no : x.no < y.no;
        });
        QList<int> nos;
        for (const Row& r : sorted)
            nos << r.no;
        return nos;
    };
    const Field grup = [](const Row& r) { return r.grup; };
    const Field tutar = [](const Row& r) { return r.tutar; };
    const Field tarih = [](const Row& r) { return r.tarih; };

    struct C {
        const char* order;
        int sortColumn;
        bool down;
        QList<Item> items;
        bool keyDown;
    } const cases[] = {
        {"ORDER BY GRUP", -1, false, {{grup, false}}, false},
        {"ORDER BY S.TUTAR DESC", -1, true, {{tutar, true}}, true},
        {"", 3, false, {{tarih, false}}, false},
        {"ORDER BY GRUP", 2, true, {{tutar, true}}, true},
        {"", 1, true, {{grup, true}}, true},
        {"ORDER BY GRUP, TUTAR", -1, false, {{grup, false}, {tutar, false}}, false},
        {"ORDER BY GRUP DESC, TUTAR", -1, false, {{grup, true}, {tutar, false}}, false},
        {"ORDER BY TARIH DESC, GRUP DESC, TUTAR DESC", -1, false,
         {{tarih, true}, {grup, true}, {tutar, true}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.order) + " / column " + std::to_string(c.sortColumn));
        for (const int page : {1, 4, 50}) {
            BoundQueryModel m;
            m.setStatement(db, QStringLiteral("SELECT S.NO, S.GRUP, S.TUTAR, S.TARIH FROM SIRA S WHERE S.NO < :MAX ")
                                   + QString::fromLatin1(c.order),
                           {{QStringLiteral("MAX"), 100000}});
            m.setOrderKeys({QStringLiteral("S.NO")});
            m.setPageSize(page);
            m.setSort(c.sortColumn, c.down ? Qt::DescendingOrder : Qt::AscendingOrder);
            m.open();
            EXPECT_TRUE(m.isKeyset());
            EXPECT_EQ(m.rowCount(), page);
            int guard = 0;
            while (m.canFetchMore() && ++guard < 1000)
                m.fetchMore();
            EXPECT_EQ(keys(m), expected(c.items, c.keyDown)) << page;
        }
    }
}

TEST_F(BrowsePagingTest, AHeaderClickOrdersTheListByItsColumnAndShowsItsCaption)
{
    auto f = form();
    f->openTable();
    f->SortColumnClick(2); // Tutar, going up
    EXPECT_EQ(f->SortField->text(), QStringLiteral("Tutar"));
    EXPECT_EQ(f->TableBr->index(0, 0).data().toInt(), 0);
    f->SortColumnClick(2); // and down
    EXPECT_EQ(f->TableBr->index(0, 0).data().toInt(), kRows - 1);
    EXPECT_EQ(f->dbgridbr->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    // Amounts show in the Turkish form; the edit role keeps the number.
    EXPECT_EQ(f->TableBr->index(0, 2).data().toString(), QStringLiteral("999,25"));
    EXPECT_DOUBLE_EQ(f->TableBr->index(0, 2).data(Qt::EditRole).toDouble(), 999.25);
    QList<int> seen;
    f->TableBr->fetchAll();
    for (int r = 0; r < f->TableBr->rowCount(); ++r)
        seen << f->TableBr->index(r, 0).data().toInt();
    ASSERT_EQ(seen.size(), kRows);
    EXPECT_TRUE(std::is_sorted(seen.rbegin(), seen.rend()));
}

TEST(DisplayText, DatesTimesAndNumbersShowInTheTurkishForms)
{
    EXPECT_EQ(DisplayText(QDateTime(QDate(2026, 12, 31), QTime(14, 5))), QStringLiteral("31.12.26 14:05"));
    EXPECT_EQ(DisplayText(QDateTime(QDate(2026, 12, 31), QTime(0, 0))), QStringLiteral("31.12.2026"));
    EXPECT_EQ(DisplayText(QDate(2026, 12, 31)), QStringLiteral("31.12.2026"));
    EXPECT_EQ(DisplayText(1234567.891), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(DisplayText(-0.5), QStringLiteral("-0,50"));
    EXPECT_EQ(DisplayText(4711.0, true), QStringLiteral("4711"));
    EXPECT_EQ(DisplayText(QVariant(QMetaType(QMetaType::QDateTime))), QString());
    EXPECT_EQ(DisplayText(QStringLiteral("İşçi")), QStringLiteral("İşçi"));
}

} // namespace
