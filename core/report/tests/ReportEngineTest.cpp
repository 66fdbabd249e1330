// Layout of banded reports, checked through the layout dump: texts, totals
// and page breaks, no pixels.
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/ReportEngine.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using namespace tornaly;
using namespace tornaly::report;

namespace {

double parseTr(const QString& s)
{
    double v = 0;
    EXPECT_TRUE(ParseMoney(s, &v)) << s.toStdString();
    return v;
}

QStringList textsOf(const Document& d, int page, const QString& name)
{
    QStringList out;
    for (const LayoutItem& it : d.find(page, name))
        out << it.text;
    return out;
}

// Two accounts' movements: debit and credit; balance = credit - debit.
SourcePtr movements()
{
    return RecordsSource({"CARI_KOD", "TARIH", "BORC", "ALACAK", "ACILIS"},
                         {{"120.01", QDate(2024, 1, 5), 100.0, 0.0, 50.0},
                          {"120.01", QDate(2024, 1, 9), 0.0, 30.0, 50.0},
                          {"120.01", QDate(2024, 2, 1), 20.0, 0.0, 50.0},
                          {"320.07", QDate(2024, 1, 3), 0.0, 1000.0, -200.0},
                          {"320.07", QDate(2024, 1, 4), 1234567.89, 0.0, -200.0}});
}

} // namespace

TEST(ReportEngine, RunningBalanceStartsFromEachGroupsOpeningAndResetsOnBreak)
{
    Report r = ListReportBuilder(QStringLiteral("CARİ HAREKET LİSTESİ"))
                   .source(movements())
                   .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 20)
                   .date(QStringLiteral("TARIH"), QStringLiteral("Hrk.Trh."))
                   .money(QStringLiteral("BORC"), QStringLiteral("Borç"))
                   .money(QStringLiteral("ALACAK"), QStringLiteral("Alacak"))
                   .runningBalance(
                       QStringLiteral("BAKIYE"), QStringLiteral("Bakiye"), 30,
                       [](const RenderContext& c) { return c.num("ALACAK") - c.num("BORC"); },
                       [](const RenderContext& c) { return c.num("ACILIS"); }, QStringLiteral("Grup1"),
                       [](const QVariant& v) { return BalanceText(v.toDouble()); })
                   .groupBy(QStringLiteral("CARI_KOD"),
                            [](const RenderContext& c) { return c.str("CARI_KOD"); },
                            [](const RenderContext& c) { return c.str("CARI_KOD") + QStringLiteral(" TOPLAMLARI"); })
                   .summary(QStringLiteral("Genel Toplam"))
                   .build();
    const Document d = Render(r);
    ASSERT_EQ(d.pageCount(), 1);
    // 50 opening, -100, +30, -20; then -200 opening, +1000, -1.234.567,89.
    const QStringList balances = [&] {
        QStringList out;
        for (const LayoutItem& it : d.find(1, QStringLiteral("BAKIYE")))
            if (it.bandKind == BandKind::Detail)
                out << it.text;
        return out;
    }();
    EXPECT_EQ(balances, (QStringList{"50,00 (B)", "20,00 (B)", "40,00 (B)", "800,00 (A)", "1.233.767,89 (B)"}));
    // Group footers carry the group's own sums, the summary the sums of all.
    const QStringList debitTotals = [&] {
        QStringList out;
        for (const LayoutItem& it : d.find(1, QStringLiteral("BORC")))
            if (it.bandKind == BandKind::GroupFooter || it.bandKind == BandKind::Summary)
                out << it.text;
        return out;
    }();
    EXPECT_EQ(debitTotals, (QStringList{"120,00", "1.234.567,89", "1.234.687,89"}));
    EXPECT_EQ(textsOf(d, 1, QStringLiteral("GrupToplamBaslik")),
              (QStringList{"120.01 TOPLAMLARI", "320.07 TOPLAMLARI"}));
}

TEST(ReportEngine, PageAndGrandTotalsOverThreePages)
{
    QVector<QVector<QVariant>> rows;
    double all = 0;
    for (int i = 1; i <= 130; ++i) {
        const double v = i * 10.25;
        rows.append({i, QStringLiteral("Satır %1").arg(i), v});
        all += v;
    }
    Report r = ListReportBuilder(QStringLiteral("LİSTE"))
                   .source(RecordsSource({"NO", "ACIKLAMA", "TUTAR"}, rows))
                   .number(QStringLiteral("NO"), QStringLiteral("No"), 12)
                   .text(QStringLiteral("ACIKLAMA"), QStringLiteral("Açıklama"), 60)
                   .money(QStringLiteral("TUTAR"), QStringLiteral("Tutar"), 30)
                   .pageTotals()
                   .summary()
                   .build();
    const Document d = Render(r);
    ASSERT_EQ(d.pageCount(), 3) << d.dump().toStdString();
    double running = 0;
    int printed = 0;
    for (int p = 1; p <= 3; ++p) {
        double pageSum = 0;
        QList<LayoutItem> footer;
        for (const LayoutItem& it : d.find(p, QStringLiteral("TUTAR"))) {
            if (it.bandKind == BandKind::Detail) {
                pageSum += it.value.toDouble();
                ++printed;
            } else if (it.bandKind == BandKind::PageFooter) {
                footer << it;
            }
        }
        running += pageSum;
        ASSERT_EQ(footer.size(), 2) << "page " << p;
        EXPECT_DOUBLE_EQ(parseTr(footer[0].text), RoundTo2(pageSum)) << "Sayfa Toplamı, page " << p;
        EXPECT_DOUBLE_EQ(parseTr(footer[1].text), RoundTo2(running)) << "Genel Toplam, page " << p;
        EXPECT_TRUE(textsOf(d, p, QStringLiteral("Caption")).contains(QStringLiteral("Sayfa Toplamı")));
        // The page footer sits at the foot of the page on every page.
        EXPECT_NEAR(footer[0].rect.bottom(), 297 - 10 - r.pageFooter.height + 0.8 + 4.6, 0.01);
    }
    EXPECT_EQ(printed, 130);
    EXPECT_DOUBLE_EQ(running, all);
    QStringList summary;
    for (const LayoutItem& it : d.find(3, QStringLiteral("Summary")))
        summary << it.text;
    EXPECT_TRUE(summary.contains(FormatMoney(all, QStringLiteral(",0.00"))));
    // The page number knows the page count.
    EXPECT_TRUE(d.texts(2).contains(QStringLiteral("Sayfa No : 2 / 3")));
}

TEST(ReportEngine, HiddenBandsAndColumnsPrintNothingButTotalsStillCount)
{
    auto make = [] {
        return ListReportBuilder(QStringLiteral("ÖZET"))
            .source(movements())
            .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 20)
            .date(QStringLiteral("TARIH"), QStringLiteral("Hrk.Trh."))
            .money(QStringLiteral("BORC"), QStringLiteral("Borç"))
            .groupBy(QStringLiteral("CARI_KOD"), [](const RenderContext& c) { return c.str("CARI_KOD"); },
                     [](const RenderContext& c) { return c.str("CARI_KOD"); })
            .summary();
    };
    // The detail band switched off at run time: only group sums remain.
    Report r = make().build();
    ASSERT_TRUE(r.setBandVisible(QStringLiteral("Detail"), false));
    Document d = Render(r);
    EXPECT_TRUE(d.find(1, QStringLiteral("Detail")).isEmpty());
    QStringList groupSums;
    for (const LayoutItem& it : d.find(1, QStringLiteral("BORC")))
        if (it.bandKind == BandKind::GroupFooter)
            groupSums << it.text;
    EXPECT_EQ(groupSums, (QStringList{"120,00", "1.234.567,89"}));

    // A hidden column leaves no gap: the next column moves to its place.
    Report withDate = make().build();
    Report hiddenDate = ListReportBuilder(QStringLiteral("ÖZET"))
                            .source(movements())
                            .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 20)
                            .date(QStringLiteral("TARIH"), QStringLiteral("Hrk.Trh."))
                            .hidden()
                            .money(QStringLiteral("BORC"), QStringLiteral("Borç"))
                            .build();
    Document dh = Render(hiddenDate);
    EXPECT_TRUE(dh.find(1, QStringLiteral("TARIH")).isEmpty());
    EXPECT_NEAR(dh.find(1, QStringLiteral("BORC")).first().rect.x(), 12 + 21, 0.01);

    // A hidden element by name, in every band that carries it.
    ASSERT_TRUE(withDate.setElementVisible(QStringLiteral("TARIH"), false));
    EXPECT_TRUE(Render(withDate).find(1, QStringLiteral("TARIH")).isEmpty());

    // The page heading switched off.
    Report noHeader = make().build();
    noHeader.setBandVisible(QStringLiteral("PageHeader"), false);
    EXPECT_TRUE(Render(noHeader).find(1, QStringLiteral("Baslik")).isEmpty());
}

TEST(ReportEngine, RowConditionLeavesRowsOutOfPrintAndTotals)
{
    Report r = ListReportBuilder(QStringLiteral("FİLTRE"))
                   .source(movements())
                   .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 20)
                   .money(QStringLiteral("BORC"), QStringLiteral("Borç"))
                   .rowCondition([](const RenderContext& c) { return c.num("BORC") > 0; })
                   .summary()
                   .build();
    const Document d = Render(r);
    int rows = 0;
    QString total;
    for (const LayoutItem& it : d.find(1, QStringLiteral("BORC"))) {
        if (it.bandKind == BandKind::Detail)
            ++rows;
        if (it.bandKind == BandKind::Summary)
            total = it.text;
    }
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(total, QStringLiteral("1.234.687,89"));
}

TEST(ReportEngine, GroupOnNewPageRepeatsItsHeaderOnFollowingPages)
{
    QVector<QVector<QVariant>> rows;
    for (int i = 0; i < 70; ++i)
        rows.append({QStringLiteral("A"), i});
    rows.append({QStringLiteral("B"), 1});
    Report r = ListReportBuilder(QStringLiteral("GRUPLAR"))
                   .source(RecordsSource({"KOD", "NO"}, rows))
                   .number(QStringLiteral("NO"), QStringLiteral("No"), 12)
                   .groupBy(QStringLiteral("KOD"),
                            [](const RenderContext& c) { return QStringLiteral("Kod: ") + c.str("KOD"); }, {},
                            /*newPage*/ true, /*repeatHeader*/ true)
                   .build();
    const Document d = Render(r);
    ASSERT_EQ(d.pageCount(), 3);
    EXPECT_EQ(textsOf(d, 1, QStringLiteral("GrupBaslik")), QStringList{"Kod: A"});
    EXPECT_EQ(textsOf(d, 2, QStringLiteral("GrupBaslik")), QStringList{"Kod: A"}); // repeated
    EXPECT_EQ(textsOf(d, 3, QStringLiteral("GrupBaslik")), QStringList{"Kod: B"}); // own page
}

TEST(ReportEngine, SubDetailRowsFollowTheirMasterAndMemoTakesFields)
{
    Report r;
    r.title = QStringLiteral("FATURA");
    r.source = RecordsSource({"FAT_NO", "FIRMA"}, {{1, QStringLiteral("Çağrı Oto")}, {2, QStringLiteral("Işık Ltd")}});
    r.detail.height = 6;
    r.detail.add(Named(Memo(0, 0, 60, 5, QStringLiteral("Fatura [FAT_NO] - [FIRMA]")), QStringLiteral("Memo")));
    SubDetail s;
    s.name = QStringLiteral("Satirlar");
    s.detail = Band(BandKind::SubDetail, QStringLiteral("Satir"), 5);
    s.detail.add(Field(5, 0, 30, 5, QStringLiteral("KOD")));
    s.detail.add(Expr(40, 0, 30, 5, [](const RenderContext& c) { return c.master()->value("FAT_NO"); }));
    s.source = [](const Record& m) {
        const int n = m.value("FAT_NO").toInt();
        QVector<QVector<QVariant>> rows;
        for (int i = 0; i < n + 1; ++i)
            rows.append({QStringLiteral("P%1-%2").arg(n).arg(i)});
        return RecordsSource({"KOD"}, rows);
    };
    s.footer = Band(BandKind::SubDetail, QStringLiteral("SatirToplam"), 5);
    s.footer.add(TotalEl(5, 0, 30, 5, QStringLiteral("SAY"), QStringLiteral("#")));
    r.subDetails.append(s);
    Aggregate count;
    count.name = QStringLiteral("SAY");
    count.func = AggFunc::Count;
    count.subDetail = QStringLiteral("Satirlar");
    count.scope = AggScope::Report;
    r.aggregates.append(count);
    const Document d = Render(r);
    EXPECT_EQ(d.texts(1), (QStringList{"Fatura 1 - Çağrı Oto", "P1-0", "1", "P1-1", "1", "2", "Fatura 2 - Işık Ltd",
                                       "P2-0", "2", "P2-1", "2", "P2-2", "2", "5"}));
}

TEST(ReportEngine, StretchingMemoGrowsItsBandAndEmptySourceStillPrintsTheFrame)
{
    Report r;
    r.source = RecordsSource({"NOT"}, {{QString(40, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("uzun metin "))}});
    r.detail.height = 5;
    r.detail.add(Memo(0, 0, 40, 5, QStringLiteral("[NOT]")));
    r.summary.height = 5;
    r.summary.add(Named(Label(0, 0, 40, 5, QStringLiteral("SON")), QStringLiteral("Son")));
    Document d = Render(r);
    const LayoutItem memo = d.find(1, QStringLiteral("Detail")).first();
    EXPECT_GT(memo.rect.height(), 15);
    EXPECT_GE(d.find(1, QStringLiteral("Son")).first().rect.y(), memo.rect.bottom() - 0.01);

    Report empty = ListReportBuilder(QStringLiteral("BOŞ LİSTE"))
                       .source(RecordsSource({"A"}, {}))
                       .money(QStringLiteral("A"), QStringLiteral("A"))
                       .summary()
                       .build();
    Document e = Render(empty);
    ASSERT_EQ(e.pageCount(), 1);
    EXPECT_TRUE(e.texts(1).contains(QStringLiteral("BOŞ LİSTE")));
    EXPECT_TRUE(e.texts(1).contains(QStringLiteral("0,00")));
}

TEST(ReportEngine, ValuesAreFormattedTheTurkishWay)
{
    EXPECT_EQ(FormatValue(1234567.891, QStringLiteral(",0.00")), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(FormatValue(QDate(2009, 3, 5), {}), QStringLiteral("05.03.2009"));
    EXPECT_EQ(FormatValue(QDateTime(QDate(2009, 3, 5), QTime(14, 30)), {}), QStringLiteral("05.03.2009 14:30"));
    EXPECT_EQ(FormatValue(12.0, {}), QStringLiteral("12"));
    EXPECT_EQ(FormatValue(QVariant(), QStringLiteral(",0.00")), QString());
    EXPECT_EQ(BalanceText(0.001), QStringLiteral("---   "));
    EXPECT_EQ(BalanceText(-1500), QStringLiteral("1.500,00 (B)"));
    EXPECT_EQ(BalanceText(1500), QStringLiteral("1.500,00 (A)"));
}
