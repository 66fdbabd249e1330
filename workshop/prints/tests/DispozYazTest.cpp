// Disposition and delivery prints: what they print from the lines the
// dispositions form holds, the stationery margins of the work-order design,
// the delivery form's discount switch, and the commands of the form.
#include "../../dispositions/tests/DispozFixture.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/prints/DispozYaz.h"

#include "report/RaporCikti.h"
#include "report/ReportExport.h"

#include <QAction>
#include <QCheckBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

class DispozYazTest : public test::DispozTest {
protected:
    void SetUp() override
    {
        DispozTest::SetUp();
        ctx.Database1 = db;
        insert(QStringLiteral("ISCIUSTA"), {{QStringLiteral("ISCI_KOD"), QStringLiteral("D1")},
                                            {QStringLiteral("ISCI_ADI"), QStringLiteral("Gülşen Çağlar")}});
        db.exec(QStringLiteral("UPDATE ISEMRI SET ARAC_TESLIM_ALAN='D1', TESLIM_EDEN=:T, MUSTALIM_1=:M, "
                               "KAPANIS_NOTU=:N, TOP_TUTAR=999, NET_TUT=999 WHERE IS_EMRI_NO=:W"),
                {{QStringLiteral("T"), QStringLiteral("Şükrü Öztürk")},
                 {QStringLiteral("M"), QStringLiteral("Ön fren balataları")},
                 {QStringLiteral("N"), QStringLiteral("Fren diskleri değişti")}, {QStringLiteral("W"), wo}});
        db.exec(QStringLiteral("UPDATE STOKMIK SET RAF_YERI='A-12' WHERE STOK_NO=1 AND DEPO_KOD='1'"));
        setKapformIsk(QVariant());
    }

    void setKapformIsk(const QVariant& v)
    {
        if (count(QStringLiteral("SELECT COUNT(*) FROM PARAMET")) == 0)
            db.exec(QStringLiteral("INSERT INTO PARAMET (KAPFORM_ISK) VALUES (:V)"), {{QStringLiteral("V"), v}});
        else
            db.exec(QStringLiteral("UPDATE PARAMET SET KAPFORM_ISK=:V"), {{QStringLiteral("V"), v}});
    }

    static QVariantMap parca(int sira, double stokNo, const QString& kod, double talep, double verilen, double fiyat,
                             double isk, const QString& tip)
    {
        return {{QStringLiteral("SIRANO"), sira},          {QStringLiteral("STOK_NO"), stokNo},
                {QStringLiteral("STOK_KOD_NO"), kod},      {QStringLiteral("YEDEK_P_ADI"), QStringLiteral("Fren Balatası ") + kod},
                {QStringLiteral("STOK_MIKTAR"), talep},    {QStringLiteral("VERILEN_MIKTAR"), verilen},
                {QStringLiteral("STOK_FIYATI"), fiyat},    {QStringLiteral("ISK_ORAN"), isk},
                {QStringLiteral("KDV"), 18.0},             {QStringLiteral("GARANTI_TIPI"), tip}};
    }
    static QVariantMap iscilik(int sira, const QString& kod, double sure, double fiyat, const QString& tip)
    {
        return {{QStringLiteral("SIRANO"), sira},           {QStringLiteral("ARIZA_KODU"), kod},
                {QStringLiteral("ARIZA_ADI"), QStringLiteral("Şanzıman Ayarı")}, {QStringLiteral("SURE"), sure},
                {QStringLiteral("QTY"), 1.0},               {QStringLiteral("ISCILIK_B_FIYATI"), fiyat},
                {QStringLiteral("ISK_ORAN"), 0.0},          {QStringLiteral("KDV"), 18.0},
                {QStringLiteral("GARANTI_TIPI"), tip}};
    }
    // The totals example of the dispositions: 2 of 3 parts issued at 100 with
    // 10 % off (customer), 1.5 hours at 200 under warranty. Held in memory
    // only, as unsaved lines on the form.
    DispozBelgesi belge()
    {
        DispozBelgesi b = DispozYukle(db, wo);
        b.parcalar = {parca(1, 1, QStringLiteral("P-1"), 3, 2, 100, 10, QStringLiteral("M"))};
        b.iscilikler = {iscilik(1, QStringLiteral("M100"), 1.5, 200, QStringLiteral("G"))};
        return b;
    }
    // The non-empty texts printed under an element name, page after page.
    static QStringList texts(const report::Document& d, const QString& name)
    {
        QStringList out;
        for (int p = 1; p <= d.pageCount(); ++p)
            for (const report::LayoutItem& it : d.find(p, name))
                if (!it.text.isEmpty())
                    out << it.text;
        return out;
    }
    static QString pdfText(const report::Document& d)
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("baski.pdf"));
        report::ExportDocument(d, report::ReportFormat::Pdf, pdf);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};

report::LayoutRow sutb(const QVariant& s, const QVariant& u)
{
    report::LayoutRow row;
    row.found = true;
    row.set(QStringLiteral("SUTB_S"), s);
    row.set(QStringLiteral("SUTB_U"), u);
    return row;
}

TEST_F(DispozYazTest, DispositionPrintsTheFormsLinesWithTotalsOfThoseLines)
{
    const DispozBaskiVerisi v = DispozBaskiOku(db, belge());
    const report::Document d = report::Render(DispozYazRaporu(v, sutb(15, 60), false).rapor);
    ASSERT_EQ(d.pageCount(), 1);
    EXPECT_EQ(texts(d, QStringLiteral("IS_EMRI_NO")), QStringList{wo});
    EXPECT_EQ(texts(d, QStringLiteral("ARAC_GIRIS_TRH")), QStringList{QStringLiteral("10.01.2025")});
    EXPECT_EQ(texts(d, QStringLiteral("CARI_KOD")).value(0).left(7), QStringLiteral("M001 - "));
    // The parts line starts where the design's lines start: SUTB_S across, SUTB_U down.
    const QList<report::LayoutItem> kod = d.find(1, QStringLiteral("STOK_KOD_NO"));
    ASSERT_EQ(kod.size(), 1);
    EXPECT_EQ(kod.first().rect.topLeft(), QPointF(15, 60));
    // Requested quantity, the amount of what was issued, kind and shelf of the main warehouse.
    EXPECT_EQ(texts(d, QStringLiteral("STOK_MIKTAR")), QStringList{QStringLiteral("3")});
    EXPECT_EQ(texts(d, QStringLiteral("TUTAR")), QStringList{QStringLiteral("200,00")});
    EXPECT_EQ(texts(d, QStringLiteral("RAF_YERI")), QStringList{QStringLiteral("A-12")});
    EXPECT_EQ(texts(d, QStringLiteral("SURE")), QStringList{QStringLiteral("1,5")});
    EXPECT_EQ(texts(d, QStringLiteral("TOPLAM")), QStringList{QStringLiteral("300,00")});
    EXPECT_TRUE(d.texts(1).contains(QStringLiteral("İŞÇİLİK KOD")));
    EXPECT_FALSE(d.texts(1).contains(QStringLiteral("KDV TOPLAM :")));
    EXPECT_FALSE(d.texts(1).contains(QStringLiteral("DİSPOZİSYON FORMU")));
    // Totals from the lines printed, not the 999 saved on the work order; the
    // customer's share is net (VAT included) less warranty (VAT included).
    EXPECT_EQ(texts(d, QStringLiteral("PAR_TOP_TUTAR")), QStringList{QStringLiteral("200,00")});
    EXPECT_EQ(texts(d, QStringLiteral("IS_TOP_TUTAR")), QStringList{QStringLiteral("300,00")});
    EXPECT_EQ(texts(d, QStringLiteral("TOP_TUTAR")), QStringList{QStringLiteral("500,00")});
    EXPECT_EQ(texts(d, QStringLiteral("GRN_TUT")), QStringList{QStringLiteral("354,00")});
    EXPECT_EQ(texts(d, QStringLiteral("UCRET_TUTARI")), QStringList{QStringLiteral("212,40")});

    // "İsk.luKdv.li Fiyat Yazdır": both amount columns carry discount and VAT.
    const report::Document k = report::Render(DispozYazRaporu(v, sutb(15, 60), true).rapor);
    EXPECT_EQ(texts(k, QStringLiteral("IskluKdvliTutar")),
              (QStringList{QStringLiteral("212,40"), QStringLiteral("354,00")}));
    EXPECT_TRUE(texts(k, QStringLiteral("TUTAR")).isEmpty());

    const QString pdf = pdfText(d);
    for (const QString& s : {QStringLiteral("İŞ EMRİ NO :"), QStringLiteral("CARİ KOD - AD :"),
                             QStringLiteral("Fren Balatası P-1"), QStringLiteral("Şanzıman Ayarı"),
                             QStringLiteral("GARANTİ TOPLAM :"), QStringLiteral("ÜCRET TUTARI :"), QStringLiteral("212,40")})
        EXPECT_TRUE(pdf.contains(s)) << s.toStdString();
}

TEST_F(DispozYazTest, DispositionMarginsFromTheDesignStayOnThePaper)
{
    const DispozBaskiVerisi v = DispozBaskiOku(db, belge());
    struct Case {
        const char* what;
        report::LayoutRow row;
        QPointF firstLine; // where the parts line lands
        bool warned;
    };
    report::LayoutRow empty; // no design at all
    const QList<Case> cases{
        {"design", sutb(20, 100), {20, 100}, false},
        {"no design: margin 0, lines under the header", empty, {0, 26}, false},
        {"NULL columns", sutb(QVariant(), QVariant()), {0, 26}, false},
        {"left off the paper", sutb(500, 100), {34, 100}, true},
        {"negative left", sutb(-5, 100), {0, 100}, true},
        {"header below the paper", sutb(10, 400), {10, 227}, true},
    };
    for (const Case& c : cases) {
        const DispozYazimi y = DispozYazRaporu(v, c.row, false);
        EXPECT_EQ(!y.uyari.isEmpty(), c.warned) << c.what;
        const report::Document d = report::Render(y.rapor);
        ASSERT_EQ(d.pageCount(), 1) << c.what;
        const QList<report::LayoutItem> kod = d.find(1, QStringLiteral("STOK_KOD_NO"));
        ASSERT_EQ(kod.size(), 1) << c.what;
        EXPECT_EQ(kod.first().rect.topLeft(), c.firstLine) << c.what;
        for (const report::LayoutItem& it : d.pages.first().items)
            EXPECT_LE(it.rect.right(), 210.0 + 1e-6) << c.what << " " << it.element.toStdString();
    }
    EXPECT_EQ(DispozYazRaporu(v, sutb(500, 400), false).uyari,
              QStringLiteral("İş emri tasarımındaki SUTB_S, SUTB_U değeri dispozisyon formunu sayfanın dışına taşıyor; "
                             "form sayfaya sığacak biçimde basıldı."));
}

TEST_F(DispozYazTest, WorkOrderWithoutLinesPrintsItsHeaderAndZeroTotals)
{
    const DispozBelgesi b = DispozYukle(db, wo);
    ASSERT_TRUE(b.parcalar.isEmpty() && b.iscilikler.isEmpty());
    const report::Document d = report::Render(DispozYazRaporu(DispozBaskiOku(db, b), {}, false).rapor);
    ASSERT_EQ(d.pageCount(), 1);
    EXPECT_TRUE(d.find(1, QStringLiteral("Parcalar")).isEmpty());
    EXPECT_FALSE(d.texts(1).contains(QStringLiteral("İŞÇİLİK KOD")));
    EXPECT_EQ(texts(d, QStringLiteral("UCRET_TUTARI")), QStringList{QStringLiteral("0,00")});
    const report::Document g = report::Render(GarNushaYazRaporu(DispozBaskiOku(db, b), false));
    ASSERT_EQ(g.pageCount(), 1);
    EXPECT_EQ(texts(g, QStringLiteral("NET_TUT")), QStringList{QStringLiteral("0,00")});
}

TEST_F(DispozYazTest, DeliveryFormColumnsFollowTheDiscountParameter)
{
    struct Case {
        QVariant kapform;
        bool iskluKdvli;
        QString discountHeading;  // heading of the column after "KDV"
        QStringList partCells;    // that column, then the amount column, for the parts line
        bool netColumn, signatureName;
        QString amountHeading;
    };
    const QList<Case> cases{
        {QVariant(), false, QStringLiteral("Gar."), {QStringLiteral("M"), QStringLiteral("200,00")}, false, true,
         QStringLiteral("Brüt Tutar")},
        {QStringLiteral("0"), true, QStringLiteral("Gar."), {QStringLiteral("M"), QStringLiteral("212,40")}, false, true,
         QStringLiteral("Net Tutar")},
        {QStringLiteral("1"), false, QStringLiteral("İsk%"), {QStringLiteral("10"), QStringLiteral("200,00")}, true, false,
         QStringLiteral("Brüt Tutar")},
    };
    for (const Case& c : cases) {
        setKapformIsk(c.kapform);
        const DispozBaskiVerisi v = DispozBaskiOku(db, belge());
        const report::Document d = report::Render(GarNushaYazRaporu(v, c.iskluKdvli));
        const QString what = c.kapform.toString() + (c.iskluKdvli ? QStringLiteral(" kdvli") : QString());
        ASSERT_EQ(d.pageCount(), 1) << what.toStdString();
        const QStringList t = d.texts(1);
        EXPECT_TRUE(t.contains(c.discountHeading)) << what.toStdString();
        EXPECT_TRUE(t.contains(c.amountHeading)) << what.toStdString();
        EXPECT_EQ(t.contains(QStringLiteral("İsk.lu Tutar")), c.netColumn) << what.toStdString();
        const QString discountCol = c.netColumn ? QStringLiteral("ISK_ORAN") : QStringLiteral("GARANTI_TIPI");
        const QString amountCol = c.iskluKdvli ? QStringLiteral("IskluKdvliTutar") : QStringLiteral("TUTAR");
        EXPECT_EQ(texts(d, discountCol).value(0), c.partCells.at(0)) << what.toStdString();
        EXPECT_EQ(texts(d, amountCol).value(0), c.partCells.at(1)) << what.toStdString();
        if (c.netColumn) {
            EXPECT_EQ(texts(d, QStringLiteral("NETTUT")), (QStringList{QStringLiteral("180,00"), QStringLiteral("300,00")}));
        }
        EXPECT_EQ(texts(d, QStringLiteral("IMZA_TESLIM_EDEN")).size(), c.signatureName ? 1 : 0) << what.toStdString();
    }
    // Lines: kind marks, requested and delivered quantity, labour time with its fraction, VAT without decimals.
    setKapformIsk(QVariant());
    const report::Document d = report::Render(GarNushaYazRaporu(DispozBaskiOku(db, belge()), false));
    EXPECT_EQ(texts(d, QStringLiteral("PI")), (QStringList{QStringLiteral("P"), QStringLiteral("İ")}));
    EXPECT_EQ(texts(d, QStringLiteral("TALEP")), (QStringList{QStringLiteral("3"), QStringLiteral("1,5")}));
    EXPECT_EQ(texts(d, QStringLiteral("TESLIM")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(texts(d, QStringLiteral("KDV")), (QStringList{QStringLiteral("18"), QStringLiteral("18")}));
    // Footer from the lines: 500 gross, 20 off, 86,40 VAT.
    const QList<std::pair<QString, QString>> footer{
        {QStringLiteral("PAR_TOP_TUTAR"), QStringLiteral("200,00")}, {QStringLiteral("IS_TOP_TUTAR"), QStringLiteral("300,00")},
        {QStringLiteral("ISC_NETTUT"), QStringLiteral("300,00")},    {QStringLiteral("TOP_TUTAR"), QStringLiteral("500,00")},
        {QStringLiteral("TOP_ISK"), QStringLiteral("20,00")},        {QStringLiteral("KDV_TUT"), QStringLiteral("86,40")},
        {QStringLiteral("NET_TUT"), QStringLiteral("566,40")},       {QStringLiteral("GAR_TUT"), QStringLiteral("354,00")},
        {QStringLiteral("UCR_TUT"), QStringLiteral("212,40")}};
    for (const auto& [name, text] : footer)
        EXPECT_EQ(texts(d, name), QStringList{text}) << name.toStdString();
    EXPECT_EQ(texts(d, QStringLiteral("DANISMAN")), QStringList{QStringLiteral("Gülşen Çağlar")});
    EXPECT_EQ(texts(d, QStringLiteral("TESLIM_ALDIM")), QStringList{QStringLiteral("34AB12 Plakalı aracı teslim aldım.")});

    const QString pdf = pdfText(d);
    for (const QString& s : {QStringLiteral("ARAÇ TESLİM FORMU"), QStringLiteral("Araç Kabul Bilgileri"),
                             QStringLiteral("Müşteri İstekleri"), QStringLiteral("Ön fren balataları"),
                             QStringLiteral("Fren diskleri değişti"), QStringLiteral("Parça / İşçilik Adı"),
                             QStringLiteral("İŞÇİLİK NET TUTAR :"), QStringLiteral("566,40"), QStringLiteral("212,40"),
                             QStringLiteral("Müşteri Adı Soyadı / İmza"), QStringLiteral("Şükrü Öztürk")})
        EXPECT_TRUE(pdf.contains(s)) << s.toStdString();
}

TEST_F(DispozYazTest, DeliveryFormFooterOnlyAfterTheLastLine)
{
    DispozBelgesi b = belge();
    for (int i = 2; i <= 70; ++i)
        b.parcalar << parca(i, 2, QStringLiteral("P-%1").arg(i), 1, 1, 10, 0, QStringLiteral("M"));
    const report::Document d = report::Render(GarNushaYazRaporu(DispozBaskiOku(db, b), false));
    ASSERT_GE(d.pageCount(), 2);
    for (int p = 1; p <= d.pageCount(); ++p) {
        EXPECT_EQ(d.find(p, QStringLiteral("Baslik_KOD")).size(), 1) << p; // headings on every page
        EXPECT_EQ(d.find(p, QStringLiteral("NET_TUT")).size(), p == d.pageCount() ? 1 : 0) << p;
    }
    EXPECT_EQ(texts(d, QStringLiteral("KOD")).size(), 71);
    EXPECT_EQ(texts(d, QStringLiteral("PAR_TOP_TUTAR")), QStringList{QStringLiteral("890,00")});
}

TEST_F(DispozYazTest, FormCommandsPrintThroughThePreview)
{
    insert(QStringLiteral("ISEAYRIN"), {{QStringLiteral("ISEMRI_NO"), wo}, {QStringLiteral("FYILI"), 2025},
                                        {QStringLiteral("SIRANO"), 1}, {QStringLiteral("STOK_NO"), 1.0},
                                        {QStringLiteral("STOK_KOD_NO"), QStringLiteral("P-1")},
                                        {QStringLiteral("YEDEK_P_ADI"), QStringLiteral("Yağ Filtresi")},
                                        {QStringLiteral("STOK_MIKTAR"), 2.0}, {QStringLiteral("VERILEN_MIKTAR"), 2.0},
                                        {QStringLiteral("STOK_FIYATI"), 100.0}, {QStringLiteral("KDV"), 18.0},
                                        {QStringLiteral("GARANTI_TIPI"), QStringLiteral("M")}});
    QList<report::Document> shown;
    report::SetPreviewHook([&](const report::Document& d) { shown.append(d); });

    TFormDispoz f(ctx);
    f.BitBtn7Click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("Lütfen İşemri Seçiniz"));
    EXPECT_TRUE(shown.isEmpty());

    f.isemriniac(wo);
    EXPECT_TRUE(f.BitBtn7->isEnabled());
    EXPECT_TRUE(f.Yazdr1->isEnabled());
    EXPECT_FALSE(f.BitBtn10->isEnabled()); // the delivery form waits for the close
    f.cbKdvfyt->setChecked(true);
    f.BitBtn7->click();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(texts(shown.last(), QStringLiteral("IskluKdvliTutar")), QStringList{QStringLiteral("236,00")});
    f.Yazdr1->trigger();
    EXPECT_EQ(shown.size(), 2);

    f.editmodayarla(true);
    EXPECT_FALSE(f.BitBtn7->isEnabled());
    EXPECT_FALSE(f.Yazdr1->isEnabled());
    f.Yazdr1->trigger();
    EXPECT_EQ(shown.size(), 2);
    f.editmodayarla(false);

    db.exec(QStringLiteral("UPDATE ISEMRI SET KAPANDI='E' WHERE IS_EMRI_NO=:W"), {{QStringLiteral("W"), wo}});
    f.isemriniac(wo);
    ASSERT_TRUE(f.Belge.kapali());
    EXPECT_TRUE(f.BitBtn10->isEnabled());
    f.BitBtn10->click();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown.last().texts(1).contains(QStringLiteral("ARAÇ TESLİM FORMU")));
    EXPECT_TRUE(shown.last().texts(1).contains(QStringLiteral("Net Tutar")));

    f.BitBtn2->click(); // the closing form on its pre-printed layout
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown.last().title, QStringLiteral("İş Emri Kapanış Formu"));
    f.BtnKapanisForm->click();
    ASSERT_EQ(shown.size(), 5);
    EXPECT_TRUE(shown.last().texts(1).contains(QStringLiteral("İŞ EMRİ KAPANIŞ FORMU")));
    report::SetPreviewHook({});

    // Straight to a printer that is not there: a message, no crash.
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    report::OutputDocument(shown.first(), report::OutputPrinter);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Yazıcı bulunamadı."));
}

} // namespace
