// Work-order prints: the pre-printed opening and closing forms placed from
// their layouts, the paper rules, the A4 form's three copies and the built-in form.
#include "../../workorders/tests/WorkOrderFixture.h"
#include "workshop/prints/IsEmriYaz.h"

#include "money/Money.h"
#include "report/PageSetup.h"

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

class IsEmriYazDb : public test::WorkOrderTest {
protected:
    void SetUp() override
    {
        WorkOrderTest::SetUp();
        addWorkOrder(QStringLiteral("S000001"), QStringLiteral("VF1AAA11111111111"), 15000);
        db.exec(QStringLiteral("UPDATE CARI SET ADRES_2='Moda Cad. 5', SEMT=:S, ILI=:I, TEL1='0216 555 12 01', "
                               "TEL3='0532 411 22 01' WHERE CARI_KOD='M001'"),
                {{QStringLiteral("S"), QStringLiteral("Kadıköy")}, {QStringLiteral("I"), QStringLiteral("İSTANBUL")}});
        db.exec(QStringLiteral("UPDATE ISEMRI SET MUSTALIM_1=:M1, MUSTALIM_7=:M7, GARANTI_PUANI=1234567.891, "
                               "TOP_TUTAR=2500, RADYO_TEYP=1 WHERE IS_EMRI_NO='S000001'"),
                {{QStringLiteral("M1"), QStringLiteral("Fren balataları değişecek")},
                 {QStringLiteral("M7"), QStringLiteral("Şanzıman sesi")}});
    }
    static report::LayoutItem only(const report::Document& d, const QString& name)
    {
        const QList<report::LayoutItem> found = d.find(1, name);
        EXPECT_EQ(found.size(), 1) << name.toStdString();
        return found.isEmpty() ? report::LayoutItem{} : found.first();
    }
};

} // namespace

TEST_F(IsEmriYazDb, OpeningFormPlacesItemsFromTheDesign)
{
    report::LayoutRow row;
    row.set(QStringLiteral("SAYFA_S"), 5);
    row.set(QStringLiteral("SAYFA_U"), -3);
    row.set(QStringLiteral("ADR2_S"), 20);
    row.set(QStringLiteral("ADR2_U"), 40);
    row.set(QStringLiteral("SEMT_S"), 150); // never read: district follows the address at +35
    row.set(QStringLiteral("TALEP1_S"), 10);
    row.set(QStringLiteral("TALEP1_U"), 100);
    row.set(QStringLiteral("TALEP2_S"), 110);
    row.set(QStringLiteral("TALEP2_U"), 100);
    row.set(QStringLiteral("ONAYTUT_S"), 150);
    row.set(QStringLiteral("ONAYTUT_U"), 60);
    row.set(QStringLiteral("IEBARKOD_S"), 0);
    row.set(QStringLiteral("IEBARKOD_U"), 20);
    const IsEmriBaskiVerisi v = IsEmriBaskiOku(db, QStringLiteral("S000001"));
    ASSERT_TRUE(v.found);
    const report::PrePrintedResult r = report::RenderPrePrinted(IsEmriAcilisFormu(row, v));
    const report::Document& d = r.document;
    EXPECT_EQ(only(d, QStringLiteral("ADR2+35,0")).text, QStringLiteral("Kadıköy"));
    EXPECT_EQ(only(d, QStringLiteral("ADR2+35,0")).rect.topLeft(), QPointF(60, 37));
    EXPECT_EQ(only(d, QStringLiteral("ADR2+50,0")).text, QStringLiteral("İSTANBUL"));
    EXPECT_EQ(only(d, QStringLiteral("TALEP1")).rect.topLeft(), QPointF(15, 97));
    EXPECT_EQ(only(d, QStringLiteral("TALEP2+0,4")).text, QStringLiteral("Şanzıman sesi"));
    EXPECT_EQ(only(d, QStringLiteral("TALEP2+0,4")).rect.topLeft(), QPointF(115, 101));
    EXPECT_EQ(only(d, QStringLiteral("ONAYTUT")).text, QStringLiteral("1.234.567,89"));
    EXPECT_TRUE(d.find(1, QStringLiteral("IEBARKOD")).isEmpty()); // a zero left prints no barcode

    row.set(QStringLiteral("IEBARKOD_S"), 140);
    const report::Document withCode = report::RenderPrePrinted(IsEmriAcilisFormu(row, v)).document;
    const report::LayoutItem code = only(withCode, QStringLiteral("IEBARKOD"));
    EXPECT_EQ(code.kind, report::ElementKind::Barcode);
    EXPECT_EQ(code.text, QStringLiteral("IS000001"));
}

TEST(IsEmriSayfasi, PaperRules)
{
    struct Case {
        QString name;
        int w, h;
        QSizeF page;
        int code;
        QSizeF printer;
    } cases[] = {
        {report::PageCustom, 100, 10, {100, 210}, 256, {210, 210}},
        {report::PageCustom, 160, 240, {160, 240}, 256, {160, 240}},
        {QString(), 0, 0, {210, 297}, 0, {}},
        {report::PageB5, 0, 0, {182, 257}, 13, {}},
        {report::PageMektup, 0, 0, {230.2, 274.9}, 45, {}},
        {QStringLiteral("Başka"), 0, 0, {210, 297}, 9, {}},
    };
    for (const Case& c : cases) {
        report::LayoutRow row;
        row.set(QStringLiteral("SAYFAISIM"), c.name);
        row.set(QStringLiteral("SAYFAGEN"), c.w);
        row.set(QStringLiteral("SAYFAYUK"), c.h);
        const report::PageSettings p = IsEmriSayfasi(row);
        EXPECT_EQ(p.sizeMm, c.page) << c.name.toStdString();
        EXPECT_EQ(p.printerPaperCode, c.code) << c.name.toStdString();
        EXPECT_EQ(p.printerSizeMm, c.printer) << c.name.toStdString();
    }
}

TEST_F(IsEmriYazDb, ClosingFormCarriesItsPartsAcrossPages)
{
    for (int i = 1; i <= 30; ++i)
        insert(QStringLiteral("ISEAYRIN"), {{QStringLiteral("ISEMRI_NO"), QStringLiteral("S000001")},
                                            {QStringLiteral("FYILI"), 2025},
                                            {QStringLiteral("SIRANO"), i},
                                            {QStringLiteral("STOK_KOD_NO"), QStringLiteral("P%1").arg(i)},
                                            {QStringLiteral("YEDEK_P_ADI"), QStringLiteral("Yağ filtresi %1").arg(i)},
                                            {QStringLiteral("STOK_MIKTAR"), 2.0},
                                            {QStringLiteral("STOK_FIYATI"), 10.5}});
    db.exec(QStringLiteral("INSERT INTO KOORIEKAPA (SATIR, SUTB_S, SUTB_U, SIRA_U, URUNAD_U, ALAN9_S, ALAN9_U, TOP_S, TOP_U) "
                           "VALUES (1, 10, 150, 20, 60, 160, 270, 120, 0)"));
    const IsEmriBaskiVerisi v = IsEmriBaskiOku(db, QStringLiteral("S000001"));
    ASSERT_EQ(v.parcalar.size(), 30);
    const report::LayoutRow row = report::ReadLayout(db, report::LayoutWorkOrderClosing);
    const report::PrePrintedResult r =
        report::RenderPrePrinted(IsEmriKapanisFormu(row, report::LayoutPage(report::PageA4, 210, 297), v));
    ASSERT_EQ(r.document.pageCount(), 2);
    EXPECT_TRUE(r.document.find(1, QStringLiteral("ALAN9")).isEmpty());
    const QList<report::LayoutItem> last = r.document.find(2, QStringLiteral("ALAN9"));
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(last.first().text, QStringLiteral("2.500,00"));
    EXPECT_EQ(r.document.find(2, QStringLiteral("ALAN9_BASLIK")).first().text, QStringLiteral("GENEL TOPLAM :"));
    // The second page opens with the amount the first page carried.
    const QList<report::LayoutItem> names = r.document.find(2, QStringLiteral("URUNAD"));
    EXPECT_EQ(names.first().text, QStringLiteral("Nakli Yekün"));
    const int onFirst = int(r.document.find(1, QStringLiteral("SIRA")).size());
    EXPECT_EQ(r.document.find(2, QStringLiteral("TUTAR")).first().text,
              FormatMoney(onFirst * 21.0, QStringLiteral(",0.00")));
}

TEST_F(IsEmriYazDb, A4FormHasThreeCopiesAndTheBuiltInFormOneEmptyLine)
{
    const IsEmriBaskiVerisi v = IsEmriBaskiOku(db, QStringLiteral("S000001"));
    const report::Document d = report::Render(IsmeriFormYaz(v));
    ASSERT_EQ(d.pageCount(), 3);
    const QStringList titles{QStringLiteral("( MÜŞTERİ )"), QStringLiteral("( ARAÇ KABUL )"), QStringLiteral("( ATÖLYE )")};
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(d.find(p, QStringLiteral("BASLIK")).first().text, titles.at(p - 1));
        EXPECT_TRUE(d.texts(p).contains(QStringLiteral("AYŞE YILMAZ")));
        EXPECT_TRUE(d.texts(p).contains(QStringLiteral("1. Fren balataları değişecek")));
    }
    const report::Document k = report::Render(IsEmriKapaYaz(2, v));
    EXPECT_EQ(k.pageCount(), 1);
    EXPECT_EQ(k.find(1, QStringLiteral("KOD")).size(), 1); // one empty parts line

    EXPECT_FALSE(IsEmriBaskiOku(db, QStringLiteral("YOK")).found);
}
