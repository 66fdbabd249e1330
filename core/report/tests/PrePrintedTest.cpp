// Pre-printed layouts: exact millimetre positions, column placement and the
// carried totals across pages, read from the laid-out document.
#include "report/PrePrinted.h"

#include <gtest/gtest.h>

using namespace tornaly::report;

namespace {

LayoutItem only(const Document& d, int page, const QString& name)
{
    const QList<LayoutItem> found = d.find(page, name);
    EXPECT_EQ(found.size(), 1) << name.toStdString() << " on page " << page;
    return found.isEmpty() ? LayoutItem{} : found.first();
}

PrePrintedForm invoiceForm(int lines, double pageHeight = 297)
{
    PrePrintedForm f;
    f.page.sizeMm = {210, pageHeight};
    f.pageStart = {5, 7};
    f.everyPage = {{QStringLiteral("KR"), {20, 30}, QStringLiteral("ÇAĞLAYAN OTOMOTİV"), 80}};
    f.lastPage = {{QStringLiteral("SNETTUT"), {150, 200}, QStringLiteral("1.234.567,89"), 40,
                   Qt::AlignRight | Qt::AlignVCenter}};
    f.columns = PlaceColumns(10, {{"URUNAD", 0, 80}, {"TUTAR", 0, 30}}, 2);
    f.linesTop = 100;
    f.lineHeight = 10;
    for (int i = 1; i <= lines; ++i) {
        f.lines.append({QStringLiteral("Parça %1").arg(i), QString::number(i * 10)});
        f.lineAmounts.append(i * 10);
    }
    f.carriedCaptionColumn = QStringLiteral("URUNAD");
    f.carriedAmountColumn = QStringLiteral("TUTAR");
    f.amountText = [](double v) { return QString::number(v, 'f', 2); };
    return f;
}

} // namespace

TEST(PrePrinted, ColumnsFollowOrStandAtTheirOwnLeft)
{
    struct Case {
        const char* what;
        int block;
        QList<ColumnSpec> specs;
        QList<double> lefts;
    } cases[] = {
        {"all follow from the block", 12, {{"A", 0, 10}, {"B", 0, 20}, {"C", -3, 5}}, {12, 25, 48}},
        {"first has its own left", 12, {{"A", 40, 10}, {"B", 0, 20}}, {40, 53}},
        {"absolute left to the left of the previous", 12, {{"A", 0, 50}, {"B", 30, 10}, {"C", 0, 5}}, {12, 30, 43}},
        {"a zero-width column still takes its gap", 0, {{"A", 0, 10}, {"B", 0, 0}, {"C", 0, 5}}, {0, 13, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<PlacedColumn> placed = PlaceColumns(c.block, c.specs, 3);
        ASSERT_EQ(placed.size(), c.lefts.size());
        for (int i = 0; i < placed.size(); ++i)
            EXPECT_DOUBLE_EQ(placed.at(i).left, c.lefts.at(i)) << i;
    }
}

TEST(PrePrinted, WorkOrderColumnsAreWidthsFromTheBlockLeft)
{
    LayoutRow row;
    row.set(QStringLiteral("SUTB_S"), 8);
    row.set(QStringLiteral("SIRA_U"), 20);
    row.set(QStringLiteral("URUNAD_U"), 60);
    row.set(QStringLiteral("MIK_U"), QVariant()); // NULL reads as 0
    const QList<PlacedColumn> c = PlaceWidthColumns(row, {"SIRA", "URUNAD", "MIK", "BIRIMF"}, 3);
    EXPECT_DOUBLE_EQ(c.at(0).left, 8);
    EXPECT_DOUBLE_EQ(c.at(1).left, 31);
    EXPECT_DOUBLE_EQ(c.at(2).left, 94);
    EXPECT_DOUBLE_EQ(c.at(3).left, 97);
}

TEST(PrePrinted, ItemsLandAtPageStartPlusTheirPosition)
{
    const PrePrintedResult r = RenderPrePrinted(invoiceForm(2));
    ASSERT_EQ(r.document.pageCount(), 1);
    const LayoutItem name = only(r.document, 1, QStringLiteral("KR"));
    EXPECT_DOUBLE_EQ(name.rect.left(), 25);
    EXPECT_DOUBLE_EQ(name.rect.top(), 37);
    EXPECT_EQ(name.text, QStringLiteral("ÇAĞLAYAN OTOMOTİV"));
    const QList<LayoutItem> amounts = r.document.find(1, QStringLiteral("TUTAR"));
    ASSERT_EQ(amounts.size(), 2);
    EXPECT_DOUBLE_EQ(amounts.at(0).rect.left(), 5 + 10 + 80 + 2);
    EXPECT_DOUBLE_EQ(amounts.at(0).rect.top(), 107);
    EXPECT_DOUBLE_EQ(amounts.at(1).rect.top(), 117);
    const LayoutItem net = only(r.document, 1, QStringLiteral("SNETTUT"));
    EXPECT_DOUBLE_EQ(net.rect.left(), 155);
    EXPECT_DOUBLE_EQ(net.rect.top(), 207);
    // The dump states the same positions.
    EXPECT_TRUE(r.document.dump().contains(QStringLiteral("KR")));
}

TEST(PrePrinted, NegativePageStartMovesEverythingUpAndLeft)
{
    PrePrintedForm f = invoiceForm(1);
    f.pageStart = {-4, -6};
    const PrePrintedResult r = RenderPrePrinted(f);
    const LayoutItem name = only(r.document, 1, QStringLiteral("KR"));
    EXPECT_DOUBLE_EQ(name.rect.left(), 16);
    EXPECT_DOUBLE_EQ(name.rect.top(), 24);
}

TEST(PrePrinted, CarriedTotalsAndTheLastPage)
{
    // Lines from 100 down to the totals at 200: ten slots of 10 mm.
    struct Case {
        int lines;
        int pages;
        QList<int> linesOnPage;
    } cases[] = {
        {0, 1, {0}},
        {10, 1, {10}},    // fills the last page exactly, no carried line
        {11, 2, {9, 2}},  // the first page keeps a slot for the carried total
        {18, 2, {9, 9}},  // the second page: carried line + 9 lines
        {19, 3, {9, 8, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const PrePrintedResult r = RenderPrePrinted(invoiceForm(c.lines));
        EXPECT_EQ(r.linesPerPage, 10);
        ASSERT_EQ(r.document.pageCount(), c.pages);
        double carried = 0;
        int printed = 0;
        for (int p = 1; p <= c.pages; ++p) {
            const QList<LayoutItem> captions = r.document.find(p, QStringLiteral("URUNAD"));
            int own = 0;
            for (const LayoutItem& it : captions)
                own += it.text.startsWith(QStringLiteral("Parça")) ? 1 : 0;
            EXPECT_EQ(own, c.linesOnPage.at(p - 1)) << "page " << p;
            const bool last = p == c.pages;
            EXPECT_EQ(r.document.find(p, QStringLiteral("SNETTUT")).size(), last ? 1 : 0) << "page " << p;
            EXPECT_EQ(r.document.find(p, QStringLiteral("KR")).size(), 1) << "page " << p;
            const QList<LayoutItem> amounts = r.document.find(p, QStringLiteral("TUTAR"));
            if (p > 1) {
                // The page opens with what the previous page carried.
                EXPECT_EQ(captions.first().text, QStringLiteral("Nakli Yekün"));
                EXPECT_DOUBLE_EQ(captions.first().rect.top(), 107);
                EXPECT_EQ(amounts.first().text, QString::number(carried, 'f', 2));
            }
            for (int i = 0; i < c.linesOnPage.at(p - 1); ++i)
                carried += (++printed) * 10;
            if (!last) {
                EXPECT_EQ(captions.last().text, QStringLiteral("Nakli Yekün"));
                EXPECT_EQ(amounts.last().text, QString::number(carried, 'f', 2));
                EXPECT_LT(amounts.last().rect.top(), 207);
            }
        }
        EXPECT_EQ(printed, c.lines);
    }
}

TEST(PrePrinted, ItemsOffThePaperAreLeftOutAndNamed)
{
    PrePrintedForm f = invoiceForm(1);
    f.everyPage.append({QStringLiteral("VERNO"), {400, 30}, QStringLiteral("123"), 30});
    f.everyPage.append({QStringLiteral("VERD"), {20, -80}, QStringLiteral("Kadıköy"), 30});
    const PrePrintedResult r = RenderPrePrinted(f);
    EXPECT_TRUE(r.document.find(1, QStringLiteral("VERNO")).isEmpty());
    EXPECT_EQ(r.offPage, (QStringList{QStringLiteral("VERNO"), QStringLiteral("VERD")}));
    EXPECT_EQ(OffPageMessage(r.offPage),
              QStringLiteral("Tasarımdaki şu alanlar sayfanın dışında kaldığı için basılmadı: VERNO, VERD"));
}

TEST(PrePrinted, AnEmptyLayoutPrintsEveryItemAtThePageStart)
{
    const LayoutRow empty;
    PrePrintedForm f;
    f.everyPage = {ItemAt(empty, QStringLiteral("KR"), QStringLiteral("Ad")),
                   ItemAt(empty, QStringLiteral("ADR1"), QStringLiteral("Adres"))};
    f.columns = PlaceColumns(empty, {"SIRA", "URUNAD"}, 2);
    f.lines = {{QStringLiteral("P1"), QStringLiteral("Filtre")}};
    const PrePrintedResult r = RenderPrePrinted(f);
    ASSERT_EQ(r.document.pageCount(), 1);
    EXPECT_EQ(only(r.document, 1, QStringLiteral("KR")).rect.topLeft(), QPointF(0, 0));
    EXPECT_EQ(only(r.document, 1, QStringLiteral("ADR1")).rect.topLeft(), QPointF(0, 0));
}

TEST(PrePrinted, FontStyleTextsReadInOrder)
{
    struct Case {
        QString text;
        bool bold, italic;
    } cases[] = {
        {QStringLiteral("Normal"), false, false},   {QStringLiteral("İtalik"), false, true},
        {QStringLiteral("Kalın"), true, false},     {QStringLiteral("Kalın ve İtalik"), true, true},
        {QString(), false, false},                  {QStringLiteral("Başka"), true, false}, // five letters
    };
    for (const Case& c : cases) {
        ReportFont f;
        f.bold = f.italic = true;
        ApplyFontStyle(f, c.text);
        EXPECT_EQ(f.bold, c.bold) << c.text.toStdString();
        EXPECT_EQ(f.italic, c.italic) << c.text.toStdString();
    }
}
