#include "context/SessionContext.h"
#include "reports/menu/listem.h"
#include "testsupport/QtPrinters.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace tornaly;
using namespace tornaly::reports;

namespace {

QTreeWidgetItem* node(QTreeWidget* tree, const QString& text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

TEST(ReportMenu, TreeHoldsTheFiveGroupsAndTheirReports)
{
    SessionContext ctx;
    TFormListe f(ctx);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Listeler  (Versiyon 7.0 - 20.07.2009) "));
    ASSERT_EQ(f.tvListe->topLevelItemCount(), 5);
    int reports = 0;
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(f.tvListe->topLevelItem(i)->isExpanded());
        reports += f.tvListe->topLevelItem(i)->childCount();
    }
    EXPECT_EQ(reports, 33);
    EXPECT_EQ(f.tvListe->topLevelItem(2)->text(0), QStringLiteral("Finans Raporları"));
    EXPECT_EQ(f.bbtnKapat->text(), QStringLiteral("&ÇIKIŞ"));
}

TEST(ReportMenu, DoubleClickRunsTheRegisteredEntryOnly)
{
    SessionContext ctx;
    TFormListe f(ctx);
    int lists = 0;
    bool cancel = true;
    ReportRegistry::addPair(
        QStringLiteral("Kasa Fişleri Raporu"),
        [&](ReportMenuEnv&, TSorgu& s) {
            EXPECT_TRUE(s.str1.isEmpty()); // a fresh record on every run
            s.str1 = QStringLiteral("dolu");
            s.GeriDon = cancel ? QLatin1Char('0') : QLatin1Char('T');
        },
        [&](ReportMenuEnv&, const TSorgu& s) {
            EXPECT_EQ(s.str1.str(), QStringLiteral("dolu"));
            ++lists;
        });
    int groupRuns = 0;
    ReportRegistry::add(QStringLiteral("Finans Raporları"), [&](ReportMenuEnv&) { ++groupRuns; });
    ReportRegistry::remove(QStringLiteral("Finans Raporları"));
    f.refreshNodes(); // as every show of the menu does

    f.tvListe->setCurrentItem(node(f.tvListe, QStringLiteral("Finans Raporları")));
    f.tvListeDblClick();
    EXPECT_EQ(groupRuns, 0);

    f.tvListe->setCurrentItem(node(f.tvListe, QStringLiteral("Kasa Fişleri Raporu")));
    f.tvListeDblClick();
    EXPECT_EQ(lists, 0); // cancelled criteria: no list
    cancel = false;
    f.tvListeDblClick();
    EXPECT_EQ(lists, 1);

    // A report this installation lacks is disabled, saying why, and does nothing.
    f.refreshNodes();
    QTreeWidgetItem* missing = node(f.tvListe, QStringLiteral("Envanter Raporu"));
    EXPECT_TRUE(missing->isDisabled());
    EXPECT_FALSE(missing->toolTip(0).isEmpty());
    EXPECT_FALSE(node(f.tvListe, QStringLiteral("Kasa Fişleri Raporu"))->isDisabled());
    f.tvListe->setCurrentItem(missing);
    f.tvListeDblClick();

    int reports = 0;
    ReportRegistry::addDateRange(
        QStringLiteral("Servis Rapor (Tarihe Göre)"), [](ReportMenuEnv&, TQtrhDlg& d) { d.Sonuc = 0; },
        [&](ReportMenuEnv&, const TQtrhDlg&) { ++reports; });
    EXPECT_TRUE(RunReportEntry(ctx, &f, QStringLiteral("Servis Rapor (Tarihe Göre)")));
    EXPECT_EQ(reports, 0);
    ReportRegistry::remove(QStringLiteral("Kasa Fişleri Raporu"));
    ReportRegistry::remove(QStringLiteral("Servis Rapor (Tarihe Göre)"));
}

TEST(ReportMenu, SmsNeedsTheRight)
{
    SessionContext ctx;
    int opened = 0;
    ReportRegistry::add(SmsNodeText, [&](ReportMenuEnv&) { ++opened; });
    for (const QString& right : {QStringLiteral("H"), QString()}) {
        ctx.AktifKullanici.diger12 = right;
        EXPECT_FALSE(RunReportEntry(ctx, nullptr, SmsNodeText));
    }
    EXPECT_EQ(opened, 0);
    ctx.AktifKullanici.diger12 = QStringLiteral("E");
    EXPECT_TRUE(RunReportEntry(ctx, nullptr, SmsNodeText));
    EXPECT_EQ(opened, 1);
    ReportRegistry::remove(SmsNodeText);
}
