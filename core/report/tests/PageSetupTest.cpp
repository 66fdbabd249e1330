// Stored page setups: the paper rules, the rows RaporCikti reads, and the
// page-setup dialog's row.
#include "report/PageSetup.h"
#include "report/RaporCikti.h"
#include "report/SayfAyar.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace tornaly;
using namespace tornaly::report;

TEST(PaperRules, TableOfCases)
{
    struct Case {
        QString name;
        QString dir;
        int width, length;
        QSizeF reportMm;
        bool landscape;
        int code;
        int printerW, printerL;
    } cases[] = {
        {PageA4, "D", 0, 0, {210, 297}, false, 9, 0, 0},
        {PageA4, "Y", 0, 0, {210, 297}, true, 9, 0, 0},
        {PageA4, "", 0, 0, {210, 297}, true, 9, 0, 0}, // only "D" is portrait
        {PageB5, "D", 0, 0, {182, 257}, false, 13, 0, 0},
        {PageLegal, "D", 0, 0, {215.9, 355.6}, false, 5, 0, 0},
        {PageMektup, "D", 0, 0, {215.9, 279.4}, false, 45, 0, 0},
        {PageCustom, "D", 100, 10, {100, 210}, false, 256, 2100, 2100},
        {PageCustom, "D", 160, 240, {160, 240}, false, 256, 1600, 2400},
        {PageCustom, "Y", 14, 15, {210, 15}, true, 256, 2100, 2100},
        {QString(), "D", 0, 0, {210, 297}, false, 9, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.name + "/" + c.dir + "/" + QString::number(c.width)).toStdString());
        const PaperChoice p = PaperFor(c.name, c.dir, c.width, c.length);
        EXPECT_NEAR(p.reportSizeMm.width(), c.reportMm.width(), 0.5);
        EXPECT_NEAR(p.reportSizeMm.height(), c.reportMm.height(), 0.5);
        EXPECT_EQ(p.landscape, c.landscape);
        EXPECT_EQ(p.printerPaperCode, c.code);
        EXPECT_EQ(p.printerWidthTenths, c.printerW);
        EXPECT_EQ(p.printerLengthTenths, c.printerL);
    }
}

namespace {

class PageSetupDb : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        SetPreviewHook([this](const Document& d) { shown.append(d); });
    }
    void TearDown() override
    {
        SetPreviewHook({});
        DbTest::TearDown();
    }
    void store(const QString& key, const QString& name, const QString& dir, int w, int l, int sag = 7, int sol = 8,
               int ust = 9, int alt = 11)
    {
        PageSetupValues v;
        v.PASADI = key;
        v.QUIKAD = QStringLiteral("QuickRep1");
        v.SAYFAISIM = name;
        v.PRBICIMI = dir;
        v.SAYFAGEN = w;
        v.SAYFAYUK = l;
        v.SAG = sag, v.SOL = sol, v.UST = ust, v.ALT = alt;
        SavePageSetup(db, v);
    }
    static Report report()
    {
        Report r;
        r.source = RecordsSource({"A"}, {{1}});
        r.detail.height = 5;
        r.detail.add(Field(0, 0, 20, 5, QStringLiteral("A")));
        return r;
    }
    QList<Document> shown;
};

} // namespace

TEST_F(PageSetupDb, RaporCiktiAppliesTheStoredSetupBeforeOutput)
{
    store(QStringLiteral("SrKasaC"), PageCustom, QStringLiteral("D"), 100, 10);
    Report r = report();
    RaporCikti(db, r, QStringLiteral("SrKasaC"), OutputPreview);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].page.pageSizeMm(), QSizeF(100, 210));
    EXPECT_EQ(r.page.printerSizeMm, QSizeF(210, 210));
    EXPECT_EQ(r.page.printerPaperCode, 256);
    EXPECT_EQ(r.page.marginsMm, QMarginsF(8, 9, 7, 11));
    EXPECT_EQ(dmsayfa().last.SAYFAISIM, PageCustom);

    // "*" applies the page and shows nothing.
    store(QStringLiteral("KasaEx"), PageA4, QStringLiteral("Y"), 210, 297);
    Report r2 = report();
    RaporCikti(db, r2, QStringLiteral("KasaEx"), OutputPageSetupOnly);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(r2.page.landscape);
    EXPECT_EQ(r2.page.pageSizeMm().toSize(), QSize(297, 210));

    // A key without a row applies nothing.
    Report r3 = report();
    r3.page.marginsMm = QMarginsF(1, 2, 3, 4);
    RaporCikti(db, r3, QStringLiteral("Yok"), OutputPageSetupOnly);
    EXPECT_FALSE(r3.page.landscape);
    EXPECT_EQ(r3.page.marginsMm, QMarginsF(1, 2, 3, 4));

    // An empty key reads nothing and goes straight to the output.
    Report r4 = report();
    RaporCikti(db, r4, QString(), OutputWord);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Worde Aktar")});
    EXPECT_FALSE(r4.page.landscape);
}

TEST_F(PageSetupDb, InvoiceKeyTakesTheInvoicePageWithFiveMillimetreMargins)
{
    db.exec(QStringLiteral("INSERT INTO SAYFA (SAYFAISIM, PRBICIMI, SAYFAGEN, SAYFAYUK) VALUES (:N, 1, 240, 280)"),
            {{QStringLiteral("N"), PageCustom}});
    Report r = report();
    RaporCikti(db, r, InvoicePageKey, OutputPageSetupOnly);
    EXPECT_TRUE(r.page.landscape);
    EXPECT_EQ(r.page.sizeMm, QSizeF(240, 280));
    EXPECT_EQ(r.page.marginsMm, QMarginsF(5, 5, 5, 5));
}

TEST_F(PageSetupDb, CashListRulesApplyOnlyWithARow)
{
    Report r = report();
    EXPECT_FALSE(SyfAyariYap(db, r, QStringLiteral("SrKasaC")));
    db.exec(QStringLiteral("INSERT INTO MSAYFA (PASADI, QUIKAD, PRBICIMI, SAG, SOL, UST, ALT) "
                           "VALUES ('SrKasaC', 'QuickRep1', 'D', 1, 2, 3, 4)"));
    EXPECT_TRUE(SyfAyariYap(db, r, QStringLiteral("SrKasaC")));
    EXPECT_EQ(r.page.paperId, QPageSize::Custom); // no page name: 210 x 297
    EXPECT_EQ(r.page.sizeMm, QSizeF(210, 297));
    EXPECT_FALSE(r.page.landscape);
    EXPECT_EQ(r.page.marginsMm, QMarginsF(2, 3, 1, 4));
}

TEST_F(PageSetupDb, DialogCreatesTheRowOnlyWhenSaved)
{
    const QString key = QStringLiteral("BrCarHrk");
    PageSetupValues v = PageSetupForEdit(db, key, QStringLiteral("QuickRep1"), 10, 11, 12, 13, QStringLiteral("Y"));
    EXPECT_FALSE(v.found);
    EXPECT_EQ(v.SAYFAISIM, PageA4);
    {
        TFormSayfaAyarla f(db, v, QStringLiteral("Cari Hareketler"), QStringLiteral("Cari Hareket Fişi Sayfa Düzeni"));
        EXPECT_TRUE(f.findChild<QRadioButton*>(QStringLiteral("RbYatay"))->isChecked());
        EXPECT_EQ(f.findChild<QSpinBox*>(QStringLiteral("EdtAlt"))->value(), 10);
        f.findChild<QPushButton*>(QStringLiteral("BtnVazgec"))->click();
    }
    EXPECT_FALSE(ReadPageSetup(db, key, QStringLiteral("QuickRep1")).found);

    TFormSayfaAyarla f(db, v, QString(), QString());
    auto* page = f.findChild<QComboBox*>(QStringLiteral("CmbSayfa"));
    page->setCurrentText(PageB5);
    EXPECT_EQ(f.findChild<QSpinBox*>(QStringLiteral("EdtGenislik"))->value(), 182);
    // A size of one's own keeps the previous width and length until typed.
    page->setCurrentText(PageCustom);
    EXPECT_EQ(f.findChild<QSpinBox*>(QStringLiteral("EdtYukseklik"))->value(), 257);
    f.findChild<QSpinBox*>(QStringLiteral("EdtGenislik"))->setValue(150);
    f.findChild<QRadioButton*>(QStringLiteral("RbDikey"))->setChecked(true);
    f.findChild<QPushButton*>(QStringLiteral("BtnSakla"))->click();
    const PageSetupValues stored = ReadPageSetup(db, key, QStringLiteral("QuickRep1"));
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(stored.SAYFAISIM, PageCustom);
    EXPECT_EQ(stored.SAYFAGEN, 150);
    EXPECT_EQ(stored.SAYFAYUK, 257);
    EXPECT_EQ(stored.PRBICIMI, QStringLiteral("D"));
    EXPECT_EQ(stored.SAG, 13);

    // A second save updates the same row.
    PageSetupValues again = stored;
    again.SOL = 30;
    SavePageSetup(db, again);
    Query q(db, QStringLiteral("SELECT COUNT(*) AS N, MAX(SOL) AS S FROM MSAYFA WHERE PASADI=:K"));
    q.bind(QStringLiteral("K"), key).exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer(QStringLiteral("N")), 1);
    EXPECT_EQ(q.integer(QStringLiteral("S")), 30);
}
