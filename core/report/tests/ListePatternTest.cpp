// The criteria dialog contract and the list query: typed values are bound,
// day ranges are half-open, the sort keeps the criteria.
#include "report/ListePattern.h"
#include "testsupport/TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace tornaly;
using namespace tornaly::report;

namespace {

class SampleSorDlg : public TSorguDlg {
public:
    explicit SampleSorDlg(TSorgu& s) : TSorguDlg(s, QStringLiteral("Örnek Sorgusu"))
    {
        auto* l = new QVBoxLayout(body());
        kod = new QLineEdit(body());
        tarih = MakeDateEdit(body(), QStringLiteral("EdtTarih1"));
        l->addWidget(kod);
        l->addWidget(tarih);
    }
    QLineEdit* kod;
    QLineEdit* tarih;

protected:
    bool readControls(TSorgu& s) override
    {
        if (!DateEditValid(tarih))
            return false;
        s.str1 = kod->text();
        s.SorguStrA = tarih->text().remove(QLatin1Char('.')).trimmed().isEmpty() ? QString() : tarih->text();
        return true;
    }
};

class ListePattern : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE TLISTE (KOD VARCHAR(20), TARIH TIMESTAMP, TUTAR DOUBLE PRECISION)"));
        const QList<std::tuple<QString, QDateTime, double>> rows{
            {"A'1", QDateTime(QDate(2024, 3, 1), QTime(0, 0)), 10},
            {"B", QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59, 500)), 20},
            {"C", QDateTime(QDate(2024, 3, 2), QTime(0, 0)), 5}};
        for (const auto& [k, t, v] : rows)
            db.exec(QStringLiteral("INSERT INTO TLISTE VALUES (:K, :T, :V)"),
                    {{QStringLiteral("K"), k}, {QStringLiteral("T"), t}, {QStringLiteral("V"), v}});
    }
    ListQuery base() const
    {
        return ListQuery({QStringLiteral("SELECT KOD, TARIH, TUTAR"), QStringLiteral("FROM TLISTE"),
                          QStringLiteral("WHERE 1=1")});
    }
    QStringList codes(const ListQuery& q)
    {
        Query r(db, q.text());
        r.bindAll(q.binds()).exec();
        QStringList out;
        while (r.next())
            out << r.str(QStringLiteral("KOD"));
        return out;
    }
};

} // namespace

TEST_F(ListePattern, CriteriaDialogEndsWithTheThreeAnswers)
{
    TSorgu unit;
    unit.str1 = QStringLiteral("eski");
    {
        SampleSorDlg d(unit);
        d.kod->setText(QStringLiteral("120.01"));
        d.tarih->setText(QStringLiteral("05.03.2009"));
        d.OKBtn->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    EXPECT_EQ(unit.GeriDon, QLatin1Char('T'));
    EXPECT_EQ(unit.str1.str(), QStringLiteral("120.01"));
    EXPECT_EQ(unit.SorguStrA.str(), QStringLiteral("05.03.2009"));
    EXPECT_EQ(unit.SorguSecLInt, -1);
    {
        SampleSorDlg d(unit);
        d.kod->setText(QStringLiteral("başka"));
        d.LISTEBtn->click();
    }
    EXPECT_EQ(unit.GeriDon, QLatin1Char('H'));
    EXPECT_EQ(unit.str1.str(), QStringLiteral("120.01")); // "&Tümü" stores nothing
    {
        SampleSorDlg d(unit);
        d.show();
        d.close(); // the window's close button counts as cancel
    }
    EXPECT_EQ(unit.GeriDon, QLatin1Char('0'));
    {
        SampleSorDlg d(unit);
        d.tarih->setText(QStringLiteral("31.02.2009"));
        d.OKBtn->click();
        EXPECT_EQ(d.result(), 0); // stays open on a date that is no date
    }
    EXPECT_EQ(unit.GeriDon, QLatin1Char('0'));
}

TEST_F(ListePattern, RangePickersFillBothEndsFromTheFirstButton)
{
    QWidget w;
    auto* a = new QPushButton(&w);
    auto* b = new QPushButton(&w);
    auto* from = new QLineEdit(&w);
    auto* to = new QLineEdit(&w);
    QString pick = QStringLiteral("320.01");
    BindRangePickers(a, b, from, to, [&] { return pick; });
    a->click();
    EXPECT_EQ(from->text(), pick);
    EXPECT_EQ(to->text(), pick);
    pick = QStringLiteral("320.09");
    b->click();
    EXPECT_EQ(from->text(), QStringLiteral("320.01"));
    EXPECT_EQ(to->text(), pick);
    pick.clear();
    a->click();
    EXPECT_EQ(from->text(), QStringLiteral("320.01"));
}

TEST_F(ListePattern, TypedValuesAreBoundAndDayRangesHalfOpen)
{
    ListQuery q = base();
    q.orderBy(QStringLiteral("ORDER BY KOD"));
    q.range(QStringLiteral("TLISTE.KOD"), QStringLiteral("A'1"), QStringLiteral("A'1"));
    EXPECT_EQ(codes(q), QStringList{QStringLiteral("A'1")});
    EXPECT_FALSE(q.text().contains(QStringLiteral("A'1")));
    EXPECT_TRUE(q.text().endsWith(QStringLiteral("ORDER BY KOD")));

    ListQuery d = base();
    QString err;
    ASSERT_TRUE(d.dateRange(QStringLiteral("TARIH"), QStringLiteral("01.03.2024"), QStringLiteral("01.03.2024"), &err));
    d.orderBy(QStringLiteral("ORDER BY KOD"));
    EXPECT_EQ(codes(d), (QStringList{QStringLiteral("A'1"), QStringLiteral("B")})); // 23:59:59.5 included

    ListQuery bad = base();
    EXPECT_FALSE(bad.dateRange(QStringLiteral("TARIH"), QStringLiteral("31.02.2024"), {}, &err));
    EXPECT_EQ(err, QStringLiteral("Geçersiz tarih: 31.02.2024"));
}

TEST_F(ListePattern, ListFormSortKeepsCriteriaAndEmptyResultShowsTheMessage)
{
    ListQuery q = base();
    q.range(QStringLiteral("TLISTE.KOD"), QStringLiteral("B"), {});
    TListeForm f(db, QStringLiteral("Örnek Listesi"));
    f.setQuery(q, {{QStringLiteral("Kod"), QStringLiteral("ORDER BY KOD")},
                   {QStringLiteral("Tutar"), QStringLiteral("ORDER BY TUTAR")}});
    f.open();
    ASSERT_EQ(f.rowCount(), 2);
    EXPECT_EQ(f.model()->index(0, 0).data().toString(), QStringLiteral("B"));
    f.SiralamaClick(1);
    EXPECT_EQ(f.rowCount(), 2);
    EXPECT_EQ(f.model()->index(0, 0).data().toString(), QStringLiteral("C"));

    ListQuery none = base();
    none.equals(QStringLiteral("TLISTE.KOD"), QStringLiteral("ZZZ"));
    TListeForm g(db, QStringLiteral("Boş"));
    g.setQuery(none);
    EXPECT_EQ(RunList(g, QStringLiteral("Hareket Bilgisi Yok")), 0);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Hareket Bilgisi Yok")});
}
