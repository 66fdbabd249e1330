// The invoice page setup: the one-row tidy-up, the size rules and the form's save.
#include "invoicing/InvoicingSchema.h"
#include "invoicing/print/SayfaDuz.h"
#include "report/PageSetup.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

using namespace tornaly;
using namespace tornaly::invoicing;

namespace {
class SayfaDuzDb : public test::DbTest {
protected:
    void registerSchema() override { invoicing::RegisterSchema(); }
    int rows()
    {
        Query q(db, QStringLiteral("SELECT COUNT(*) AS N FROM SAYFA"));
        q.exec();
        q.next();
        return int(q.integer(QStringLiteral("N")));
    }
};
} // namespace

TEST_F(SayfaDuzDb, TidyKeepsTheFirstRowWholeFontsIncluded)
{
    for (int w : {240, 100, 120})
        db.exec(QStringLiteral("INSERT INTO SAYFA (FONTADI, FONTSTYLE, FONTSIZE, SAYFAGEN, SAYFAYUK, SAYFAISIM, PRBICIMI) "
                               "VALUES ('Courier New', 'Kalın', 12, :W, 140, :N, 1)"),
                {{QStringLiteral("W"), w}, {QStringLiteral("N"), report::PageCustom}});
    SayfaDuzenTopla(db);
    EXPECT_EQ(rows(), 1);
    const SayfaDegerleri v = SayfaOku(db);
    EXPECT_EQ(v.SAYFAGEN, 240);
    EXPECT_EQ(v.PRBICIMI, 1);
    EXPECT_EQ(v.FONTADI, QStringLiteral("Courier New")); // kept, where the old tidy-up emptied it
    EXPECT_EQ(v.FONTSIZE, 12);
}

TEST(SayfaDuzRules, PageNamesAndFontSizes)
{
    int w = 1, h = 1;
    EXPECT_TRUE(SayfaBoyutu(report::PageLegal, &w, &h));
    EXPECT_EQ(QSize(w, h), QSize(203, 355));
    EXPECT_TRUE(SayfaBoyutu(report::PageMektup, &w, &h));
    EXPECT_EQ(QSize(w, h), QSize(230, 274));
    EXPECT_FALSE(SayfaBoyutu(report::PageCustom, &w, &h));
    EXPECT_EQ(QSize(w, h), QSize(230, 274)); // the typed size stays
    EXPECT_EQ(EnBuyukYaziBoyutu(QStringLiteral("Courier New")), 14);
    EXPECT_EQ(EnBuyukYaziBoyutu(QStringLiteral("Arial")), 11);
}

TEST_F(SayfaDuzDb, FormInsertsIntoAnEmptyTableAndLimitsTheSize)
{
    TSayfaDuzForm form(ctx);
    form.CBFontAdi->setCurrentText(QStringLiteral("Courier New"));
    form.SEFontSize->setValue(14);
    EXPECT_EQ(form.SEFontSize->value(), 14);
    form.CBFontAdi->setCurrentText(QStringLiteral("Arial"));
    EXPECT_EQ(form.SEFontSize->value(), 11);
    form.CBSayfa->setCurrentText(report::PageB5);
    form.CBSayfaChange();
    form.RGYazBicim->setCurrentIndex(1);
    form.BtnSakla->click();
    EXPECT_EQ(rows(), 1);
    const SayfaDegerleri v = SayfaOku(db);
    EXPECT_EQ(v.SAYFAISIM, report::PageB5);
    EXPECT_EQ(QSize(v.SAYFAGEN, v.SAYFAYUK), QSize(182, 257));
    EXPECT_EQ(v.PRBICIMI, 1);
    EXPECT_EQ(v.MATBU_BILGI_BASMA, 0);
}
