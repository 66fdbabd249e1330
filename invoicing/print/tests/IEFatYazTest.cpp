// Printing and the Excel copy of work-order invoices: placement on the
// pre-printed paper, carried totals, the last page, the VAT rows, the PDF
// and A4 texts, the refusals and the copy's files.
#include "guard/FormGuard.h"
#include "../../workorder/tests/InvoiceFixture.h"
#include "export/SpreadsheetReader.h"
#include "invoicing/InvoicingDemo.h"
#include "invoicing/print/IEFatExcel.h"
#include "invoicing/print/IEFatYaz.h"
#include "invoicing/workorder/forms/IEFatura.h"
#include "report/PageSetup.h"
#include "report/RaporCikti.h"
#include "report/ReportExport.h"
#include "words/AmountWords.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QProcess>
#include <QTemporaryDir>

using namespace tornaly;
using namespace tornaly::invoicing;

namespace tornaly::test {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

report::LayoutRow layout(const QList<std::pair<QString, int>>& values)
{
    report::LayoutRow row;
    row.found = true;
    for (const auto& [k, v] : values)
        row.set(k, v);
    return row;
}

// The standard columns: code at 12 (28 wide), name at 41 (62 wide), ...
QList<std::pair<QString, int>> standardColumns()
{
    return {{S("SUTB_S"), 12}, {S("SUTB_U"), 80}, {S("SNO_S"), 3},    {S("SNO_U"), 5},    {S("SIRA_S"), 12},
            {S("SIRA_U"), 28}, {S("URUNAD_S"), 41}, {S("URUNAD_U"), 62}, {S("SKDV_S"), 108}, {S("SKDV_U"), 6},
            {S("MIK_S"), 115}, {S("MIK_U"), 17}, {S("OLCU_S"), 129}, {S("OLCU_U"), 8},   {S("BIRIMF_S"), 138},
            {S("BIRIMF_U"), 20}, {S("ISKS_S"), 162}, {S("ISKS_U"), 6}, {S("TUTAR_S"), 169}, {S("TUTAR_U"), 24},
            {S("TOP_U"), 200},  {S("KDVMAT_S"), 15}, {S("KDVMAT_U"), 205}, {S("YAZI_S"), 15}, {S("YAZI_U"), 245},
            {S("SNETTUT_S"), 140}, {S("SNETTUT_U"), 235}, {S("TOPLAM_VSB"), 1}};
}

IEFatBaskiSatiri line(int sira, double miktar, double fiyat, double kdv = 20, double isk = 0)
{
    IEFatBaskiSatiri s;
    s.sira = sira;
    s.kod = S("K%1").arg(sira);
    s.ad = S("PARÇA %1").arg(sira);
    s.miktar = miktar;
    s.fiyat = fiyat;
    s.kdv = kdv;
    s.iskonto = isk;
    s.tutar = miktar * fiyat;
    return s;
}

IEFatBaskiVerisi sampleData(int lines)
{
    IEFatBaskiVerisi v;
    v.found = true;
    v.fatura.yeni = false;
    v.fatura.set(S("FAT_TUR"), S("I"));
    v.fatura.set(S("FAT_NO"), S("TRN004711"));
    v.fatura.set(S("NET_TUTAR"), 1200.0);
    for (int i = 1; i <= lines; ++i)
        v.satirlar.append(line(i, 1, 10));
    v.yaziIle = S("BinİkiYüz TL");
    return v;
}

report::InvoicePage a4Page()
{
    report::InvoicePage p;
    p.page = report::LayoutPage(report::PageA4, 210, 297);
    return p;
}

double leftOf(const report::Document& d, int page, const QString& element)
{
    const QList<report::LayoutItem> items = d.find(page, element);
    return items.isEmpty() ? -1 : items.first().rect.left();
}

QString textOf(const report::Document& d, int page, const QString& element)
{
    const QList<report::LayoutItem> items = d.find(page, element);
    return items.isEmpty() ? QString() : items.first().text;
}

QString pdfText(const report::Document& d, const QString& path)
{
    report::ExportDocument(d, report::ReportFormat::Pdf, path);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// ---- placement, without a database ------------------------------------------------

TEST(IEFatMatbu, ColumnsFollowTheirRulesWhenALeftIsMissing)
{
    struct Case {
        const char* what;
        QList<std::pair<QString, int>> changes;
        const char* element;
        double left; // mm on the paper (the page start is 0 here)
    };
    const Case cases[] = {
        {"quantity 9 mm after the name", {{S("MIK_S"), 0}}, "MIK", 41 + 62 + 9},
        {"code at the block's left", {{S("SIRA_S"), 0}}, "SIRA", 12},
        {"name 1 mm after the code", {{S("URUNAD_S"), 0}}, "URUNAD", 12 + 28 + 1},
        {"unit 5 mm after the name", {{S("OLCU_S"), 0}}, "OLCU", 41 + 62 + 5},
        {"price 4 mm after the quantity", {{S("BIRIMF_S"), 0}}, "BIRIMF", 115 + 13 + 4},
        {"amount 1 mm after the price", {{S("TUTAR_S"), 0}}, "TUTAR", 138 + 20 + 1},
        {"VAT sign 3 mm before the name's end", {{S("SKDV_S"), 0}}, "SKDV_ISARET", 41 + 62 - 3},
        {"VAT sign 4 mm before its rate", {}, "SKDV_ISARET", 108 - 4},
        {"discount sign 2 mm before its percent", {}, "ISKS_ISARET", 162 - 2},
        {"discount 1 mm after the price", {{S("ISKS_S"), 0}}, "ISKS", 138 + 20 + 1},
        {"labour mark 2 mm left of the block", {}, "ISC_MARK", 12 - 2},
    };
    for (const Case& c : cases) {
        QList<std::pair<QString, int>> values = standardColumns();
        values.append(c.changes);
        IEFatBaskiVerisi v = sampleData(1);
        v.satirlar[0].iskonto = 5;
        v.satirlar[0].iscilik = true;
        v.iscMark = S("*");
        v.satirlar[0].olcu = S("AD");
        const report::PrePrintedResult r = report::RenderPrePrinted(IEFatMatbuFormu(layout(values), a4Page(), v, {}));
        EXPECT_DOUBLE_EQ(leftOf(r.document, 1, S(c.element)), c.left) << c.what;
    }
}

TEST(IEFatMatbu, CarriedTotalsOnEveryPageAndTotalsOnTheLastOnly)
{
    // 80 to 200 mm holds 26 lines of 4.5 mm; 60 lines of 10,00 need three pages.
    const IEFatBaskiVerisi v = sampleData(60);
    const report::PrePrintedResult r =
        report::RenderPrePrinted(IEFatMatbuFormu(layout(standardColumns()), a4Page(), v, {}));
    const report::Document& d = r.document;
    ASSERT_EQ(d.pageCount(), 3);
    ASSERT_EQ(r.linesPerPage, 26);
    // Page 1: 25 lines and "ARA TOPLAM :" 250,00; page 2 starts with the carried 250,00.
    const QStringList p1 = d.texts(1), p2 = d.texts(2), p3 = d.texts(3);
    EXPECT_TRUE(p1.contains(S("ARA TOPLAM :")));
    EXPECT_TRUE(p1.contains(S("250,00")));
    EXPECT_FALSE(p1.contains(S("NAKLI YEKÜN :")));
    EXPECT_TRUE(p2.contains(S("NAKLI YEKÜN :")));
    EXPECT_TRUE(p2.contains(S("250,00")));
    EXPECT_TRUE(p2.contains(S("ARA TOPLAM :")));
    EXPECT_TRUE(p2.contains(S("490,00")));
    EXPECT_TRUE(p3.contains(S("NAKLI YEKÜN :")));
    EXPECT_FALSE(p3.contains(S("ARA TOPLAM :")));
    // The caption ends where the price column ends, the amount where the amount column ends.
    const report::LayoutItem cap = d.find(2, S("BIRIMF")).first();
    EXPECT_DOUBLE_EQ(cap.rect.right(), 138 + 20);
    EXPECT_DOUBLE_EQ(d.find(2, S("TUTAR")).first().rect.right(), 169 + 24);
    // Totals, words and VAT caption only on the last page.
    for (int page : {1, 2}) {
        EXPECT_TRUE(d.find(page, S("YAZI")).isEmpty()) << page;
        EXPECT_TRUE(d.find(page, S("NET_TUTAR")).isEmpty()) << page;
    }
    EXPECT_EQ(textOf(d, 3, S("YAZI")), S("YALNIZ BinİkiYüz TL"));
    EXPECT_EQ(textOf(d, 3, S("NET_TUTAR")), S("1.200,00"));
    EXPECT_EQ(textOf(d, 3, S("NET_TUTAR_BASLIK")), S("G.Toplam   :"));
}

TEST(IEFatMatbu, AtMostThreeVatRowsInRateOrderAndCaptionSwitches)
{
    IEFatBaskiVerisi v = sampleData(2);
    v.kdvMatrahlari = {{1, 100}, {8, 1000}, {18, 1234567.891}, {20, 50}};
    QList<std::pair<QString, int>> values = standardColumns();
    values.append({S("TOPLAM_VSB"), 0});
    values.append({S("BASLIK_VSB"), 1});
    values.append({S("ALAN1_S"), 15});
    values.append({S("ALAN1_U"), 252});
    v.borcToplam = 500;
    v.alacakToplam = 2000;
    const report::Document d = report::RenderPrePrinted(IEFatMatbuFormu(layout(values), a4Page(), v, {})).document;
    EXPECT_EQ(textOf(d, 1, S("KDV_SATIR1")), S("% 1         100,00          1,00"));
    EXPECT_EQ(textOf(d, 1, S("KDV_SATIR2")), S("% 8       1.000,00         80,00"));
    EXPECT_EQ(textOf(d, 1, S("KDV_SATIR3")), S("%18   1.234.567,89    222.222,22"));
    EXPECT_TRUE(d.find(1, S("KDV_SATIR4")).isEmpty());
    EXPECT_NEAR(d.find(1, S("KDV_SATIR2")).first().rect.top() - d.find(1, S("KDV_SATIR1")).first().rect.top(), 4.3,
                1e-9);
    // TOPLAM_VSB 0: no captions of the totals, no "YALNIZ"; BASLIK_VSB 1: balances without captions.
    EXPECT_TRUE(d.find(1, S("NET_TUTAR_BASLIK")).isEmpty());
    EXPECT_TRUE(d.find(1, S("KDVMAT_BASLIK")).isEmpty());
    EXPECT_EQ(textOf(d, 1, S("YAZI")), S("BinİkiYüz TL"));
    EXPECT_TRUE(d.find(1, S("FAT_NO_BASLIK")).isEmpty());
    EXPECT_EQ(textOf(d, 1, S("ONCEKI_BAKIYE")), S("2.700,00"));
}

TEST(IEFatMatbu, CurrencyPrintTakesTheCurrencyTwins)
{
    IEFatBaskiVerisi v = sampleData(1);
    v.fatura.set(S("BRUT_TUTAR"), 3500.0);
    v.fatura.set(S("BRUT_TUTAR_DVZ"), 100.0);
    v.fatura.set(S("NET_TUTAR"), 4200.0);
    v.fatura.set(S("NETTUT_DVZ"), 120.0);
    v.fatura.set(S("GARANTI_TUTAR"), 350.0);
    v.fatura.set(S("TL_KURDEGER"), 35.0);
    v.dovizli = true;
    const report::Document d =
        report::RenderPrePrinted(IEFatMatbuFormu(layout(standardColumns()), a4Page(), v, {})).document;
    EXPECT_EQ(textOf(d, 1, S("NET_TUTAR")), S("120,00"));
    EXPECT_DOUBLE_EQ(v.tutar(S("BRUT_TUTAR")), 100);
    EXPECT_DOUBLE_EQ(v.tutar(S("GARANTI_TUTAR")), 10) << "no twin: converted at the invoice rate";
    v.dovizli = false;
    EXPECT_DOUBLE_EQ(v.tutar(S("BRUT_TUTAR")), 3500);
}

TEST(IEFatMatbu, BalancesAndVatRowFormats)
{
    EXPECT_EQ(BakiyeMetni(S("Önc.Bakiye "), 1234.5, false), S("Önc.Bakiye :(B)  1.234,50"));
    EXPECT_EQ(BakiyeMetni(S("Son.Bakiye "), -20, false), S("Son.Bakiye :(A)  20,00"));
    EXPECT_EQ(BakiyeMetni(S("Son.Bakiye "), 0, false), S("Son.Bakiye :(B)  0,00"));
    EXPECT_EQ(BakiyeMetni(S("Son.Bakiye "), -20, true), S("20,00"));
    EXPECT_EQ(KdvSatiri({18, 1000}, 0), S("%18          1.000           180"));
}

TEST(IEFatMatbu, EmptyLayoutAndItemsOffThePaper)
{
    // An empty design (every position and width 0) gives one empty page, not a crash.
    report::LayoutRow empty;
    const report::PrePrintedResult e = report::RenderPrePrinted(IEFatMatbuFormu(empty, a4Page(), sampleData(3), {}));
    EXPECT_EQ(e.document.pageCount(), 1);
    EXPECT_TRUE(e.document.find(1, S("FAT_NO")).isEmpty()) << "an item without a place is not printed in the corner";

    QList<std::pair<QString, int>> values = standardColumns();
    values.append({S("YAZI_U"), 400});
    values.append({S("FATNO_S"), 300});
    values.append({S("FATNO_U"), 20});
    const report::PrePrintedResult r =
        report::RenderPrePrinted(IEFatMatbuFormu(layout(values), a4Page(), sampleData(3), {}));
    EXPECT_TRUE(r.offPage.contains(S("YAZI")));
    EXPECT_TRUE(r.offPage.contains(S("FAT_NO")));
    EXPECT_TRUE(report::OffPageMessage(r.offPage).startsWith(S("Tasarımdaki şu alanlar sayfanın dışında")));
}

// ---- file names ------------------------------------------------------------------

TEST(IEFatExcelAdi, WeekNumbersAndFileNames)
{
    struct Case {
        QDate day;
        int week;
    };
    // Weeks start on Sunday; week 1 holds 1 January.
    for (const Case& c : {Case{QDate(2025, 1, 1), 1}, Case{QDate(2025, 1, 4), 1}, Case{QDate(2025, 1, 5), 2},
                          Case{QDate(2024, 12, 31), 53}, Case{QDate(2023, 1, 1), 1}, Case{QDate(2023, 1, 7), 1},
                          Case{QDate(2023, 1, 8), 2}, Case{QDate(2026, 12, 11), 50}})
        EXPECT_EQ(SunucuHaftasi(c.day), c.week) << c.day.toString(Qt::ISODate).toStdString();
    // The week of 1 January 2025 starts on that day: the days of 2024 belong to 2024's last week.
    EXPECT_EQ(HaftaAraligi(QDate(2025, 1, 2)).bas, QDate(2025, 1, 1));
    EXPECT_EQ(HaftaAraligi(QDate(2025, 1, 2)).son, QDate(2025, 1, 5));
    EXPECT_EQ(HaftaAraligi(QDate(2024, 12, 31)).son, QDate(2025, 1, 1));

    EXPECT_EQ(FaturaExcelDosyaAdi(S("Öz Çağ Otomotiv"), false, QDate(2025, 3, 1)), S("Öz Çağ Otomotiv.Inv-9-2025.xlsx"));
    EXPECT_EQ(FaturaExcelDosyaAdi(S("Öz Çağ Otomotiv"), true, QDate(2025, 3, 1)),
              S("Öz Çağ Otomotiv.einv-01.03.2025.xlsx"));
    for (const char* firma : {"A/B Oto", "..\\..\\etc", "../x", "a:b*c?d\"e<f>g|h", ""}) {
        const QString ad = FaturaExcelDosyaAdi(S(firma), true, QDate(2025, 3, 1));
        EXPECT_FALSE(ad.contains(QLatin1Char('/'))) << firma;
        EXPECT_FALSE(ad.contains(QLatin1Char('\\'))) << firma;
        EXPECT_FALSE(ad.startsWith(QLatin1Char('.'))) << firma;
        EXPECT_EQ(QFileInfo(QDir(S("/tmp/x")).filePath(ad)).absolutePath(), S("/tmp/x")) << firma;
    }
}

// ---- with a database ---------------------------------------------------------------

class IEFatYazDb : public InvoiceTest {
protected:
    void SetUp() override
    {
        InvoiceTest::SetUp();
        db.exec(S("UPDATE CARI SET FIRMA_ADI = :A, ADRES_1 = :B, ILI = :C, VD = :D, VN = '1234567890' "
                  "WHERE CARI_KOD = 'M001'"),
                {{S("A"), S("Şükrü Güneş İğdır Oto")}, {S("B"), S("Çarşı Mah. Öğretmen Sk. No:5")},
                 {S("C"), S("İSTANBUL")}, {S("D"), S("Kadıköy")}});
        report::SetPreviewHook([this](const report::Document& d) { shown.append(d); });
    }
    void TearDown() override
    {
        report::SetPreviewHook({});
        InvoiceTest::TearDown();
    }
    // The fixture's invoice with one M, one D and one G line (besides labour and text).
    IEFatura saved()
    {
        IEFatura f = build(S("W000001"));
        if (f.deger(S("EF_STATU")).toInt() >= 1)
            f.set(S("EF_POSTAKUTUSU"), S("urn:mail:defaultpk@example.com"));
        // A second part line billed as "other": in the totals, not printed.
        IEFatSatir d = f.satirlar[0];
        d.SIRA = int(f.satirlar.size()) + 1;
        d.GARANTI_TIP = S("D");
        d.BIRIM_FIYAT = 50;
        d.MIKTAR = 1;
        d.ISKONTO = 0;
        d.IENO.clear();
        d.REFSIRA = 0;
        SatirTutarlariniHesapla(d);
        f.satirlar.append(d);
        IEFatToplamGuncelle(ctx, db, f);
        EXPECT_TRUE(IEFaturaKaydet(ctx, db, f)) << messages.texts().join(S(" | ")).toStdString();
        return f;
    }

    QList<report::Document> shown;
};

TEST_F(IEFatYazDb, PrintedLinesLeaveWarrantyAndOtherOutButTotalsKeepThem)
{
    const IEFatura f = saved();
    const IEFatBaskiVerisi v = IEFatBaskiOku(ctx, db, f.satisNo());
    ASSERT_TRUE(v.found);
    QStringList kodlar;
    for (const IEFatBaskiSatiri& s : v.satirlar)
        kodlar << s.kod;
    // The M part, the labour line and the text line; neither the G nor the D part.
    EXPECT_EQ(kodlar, (QStringList{S("YAGFILTRE"), S("BAKIM"), QString()}));
    // The D line's 50,00 + 20 % VAT is in the net amount, not in the printed VAT base.
    EXPECT_NEAR(v.fatura.deger(S("NET_TUTAR")).toDouble(), (180 + 300 + 50) * 1.2, 1e-6);
    // One rate: the text line's empty 0 % group takes no VAT row.
    ASSERT_EQ(v.kdvMatrahlari.size(), 1);
    EXPECT_NEAR(v.kdvMatrahlari[0].matrah, 480, 1e-6);
    // Balances: the invoice is the account's only movement.
    EXPECT_NEAR(v.sonBakiye(), 636, 1e-6);
    EXPECT_NEAR(v.oncekiBakiye(), 0, 1e-6);
}

TEST_F(IEFatYazDb, CurrencyPrintOfAEuroInvoice)
{
    const IEFatura f = saved();
    db.exec(S("UPDATE SERFAT SET DOVIZ_KODU = 'EUR', TL_KURDEGER = 35, NETTUT_DVZ = 18.17, BRUT_TUTAR_DVZ = 15.71 "
              "WHERE SATIS_NO = :S"),
            {{S("S"), f.satisNo()}});
    IEFatBaskiSecenekleri dvz;
    dvz.dovizli = true;
    const IEFatBaskiVerisi v = IEFatBaskiOku(ctx, db, f.satisNo(), dvz);
    EXPECT_TRUE(v.dovizli);
    EXPECT_EQ(v.paraBirimi, S("EUR"));
    EXPECT_TRUE(v.yaziIle.startsWith(S("OnSekiz "))) << v.yaziIle.toStdString();
    EXPECT_TRUE(v.yaziIle.endsWith(S("OnYedi CENT"))) << v.yaziIle.toStdString();
    EXPECT_DOUBLE_EQ(v.tutar(S("BRUT_TUTAR")), 15.71);
    // Lines without a price of their own in euros take the lira price at the invoice rate.
    EXPECT_NEAR(v.satirlar[1].fiyat, 200.0 / 35, 1e-9);
    EXPECT_NEAR(v.kdvMatrahlari[0].matrah, 480.0 / 35, 1e-9);
    // Without the box the lira amounts and words print.
    const IEFatBaskiVerisi tl = IEFatBaskiOku(ctx, db, f.satisNo());
    EXPECT_FALSE(tl.dovizli);
    EXPECT_TRUE(tl.yaziIle.startsWith(S("AltıYüzOtuzAltı"))) << tl.yaziIle.toStdString();
}

TEST_F(IEFatYazDb, PreprintedAndA4PdfsCarryTheTurkishTextsAndAmounts)
{
    const IEFatura f = saved();
    SeedFaturaTasarimi(db);
    QTemporaryDir dir;
    // The A4 invoice's header: company name and logo.
    QImage logo(120, 60, QImage::Format_RGB32);
    logo.fill(QColor(20, 60, 140));
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    logo.save(&buf, "PNG");
    if (count(S("SELECT COUNT(*) FROM FIRKIM")) == 0)
        db.exec(S("INSERT INTO FIRKIM (EADI, OZEL1) VALUES (:A, :B)"), {{S("A"), S("Öztürk Otomotiv")}, {S("B"), S("Yetkili Servis")}});
    else
        db.exec(S("UPDATE FIRKIM SET EADI = :A, OZEL1 = :B"), {{S("A"), S("Öztürk Otomotiv")}, {S("B"), S("Yetkili Servis")}});
    db.exec(S("INSERT INTO RESIMLER (KOD, TIP, RESIM) VALUES ('LOGO', 'L', :R)"), {{S("R"), png}});
    IEFaturaMatbuYazdir(ctx, db, f.satisNo(), 0, {});
    ASSERT_EQ(shown.size(), 1) << messages.texts().join(S(" | ")).toStdString();
    const QString matbu = pdfText(shown[0], dir.filePath(S("matbu.pdf")));
    for (const QString& t : {S("Şükrü Güneş İğdır Oto"), S("Çarşı Mah. Öğretmen Sk. No:5"), S("İSTANBUL"),
                             S("Kadıköy"), f.deger(S("FAT_NO")).toString(), S("YAGFILTRE"), S("200,00"), S("% 10"),
                             S("636,00"), S("Plaka :"), S("34AB12"), S("YALNIZ ") + AmountToWordsAzn(ctx, ctx.YerelPara, 636), S("Son.Bakiye :(B) 636,00"),
                             S("%20           480,00            96,00"), S("Brüt Tutar :")})
        EXPECT_TRUE(matbu.contains(t)) << t.toStdString() << "\n" << matbu.toStdString();
    EXPECT_FALSE(matbu.contains(S("BALATA")));

    IEFaturaA4Yazdir(ctx, db, f.satisNo(), {});
    ASSERT_EQ(shown.size(), 2);
    const QString a4 = pdfText(shown[1], dir.filePath(S("a4.pdf")));
    EXPECT_EQ(shown[1].find(1, S("Logo")).size(), 1);
    for (const QString& t : {S("FATURA"), S("Öztürk Otomotiv Yetkili Servis"), S("Şükrü Güneş İğdır Oto"), S("Şase :"), S("VF1AAA11111111111"),
                             S("636,00 TL"), S("Brüt Tutar :"), S("YALNIZ")})
        EXPECT_TRUE(a4.contains(t)) << t.toStdString() << "\n" << a4.toStdString();

    // The page setup can leave the company header and logo out.
    db.exec(S("INSERT INTO SAYFA (MATBU_BILGI_BASMA) VALUES (1)"));
    IEFaturaA4Yazdir(ctx, db, f.satisNo(), {});
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[2].find(1, S("Logo")).isEmpty());
    EXPECT_TRUE(shown[2].find(1, S("FirmaBaslik")).isEmpty());
    shown.removeLast();

    IEFatDispozisyonYazdir(ctx, db, f.satisNo());
    ASSERT_EQ(shown.size(), 3);
    const QString disp = pdfText(shown[2], dir.filePath(S("disp.pdf")));
    for (const QString& t : {S("DİSPOZİSYON FORMU"), S("W000001"), S("YAGFILTRE"), S("BALATA"), S("GARANTİ TOPLAM :"),
                             S("ÜCRET TUTARI :"), S("636,00")})
        EXPECT_TRUE(disp.contains(t)) << t.toStdString() << "\n" << disp.toStdString();
}

TEST_F(IEFatYazDb, RefusalsEmptyDesignTableAndClosingTheWorkOrder)
{
    IEFatura f = saved();
    // No design stored: a message, no document.
    IEFaturaMatbuYazdir(ctx, db, f.satisNo(), 0, {});
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(messages.texts().last(), S("Fatura tasarımı tanımlanmamış. Önce fatura tasarımını kaydediniz."));

    EXPECT_FALSE(IEFatYazdirilabilir(f, true, true));
    EXPECT_EQ(messages.texts().last(), S("Faturayı kaydettikten sonra kesiniz!"));
    IEFatura e = f;
    e.set(S("EF_STATU"), 1);
    EXPECT_FALSE(IEFatYazdirilabilir(e, false, true));
    EXPECT_EQ(messages.texts().last(), S("E-Fatura Müşterisine Matbu Fatura Kesilemez."));
    EXPECT_TRUE(IEFatYazdirilabilir(e, false, false)) << "the A4 invoice is allowed for e-invoices";
    IEFatura z = f;
    z.set(S("NET_TUTAR"), 0.0);
    messages.answer(MsgNo);
    EXPECT_FALSE(IEFatYazdirilabilir(z, false, true));
    EXPECT_EQ(messages.texts().last(), S("Fatura Tutarı (Sıfır) ; Devam Etmek istiyor musunuz?"));

    // Printing on pre-printed paper closes a work order that was opened again.
    db.exec(S("UPDATE ISEMRI SET KAPANDI = 'H' WHERE IS_EMRI_NO = 'W000001'"));
    const int id = SeedFaturaTasarimi(db);
    IEFaturaMatbuYazdir(ctx, db, f.satisNo(), id, {});
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(scalar(S("SELECT KAPANDI FROM ISEMRI WHERE IS_EMRI_NO = 'W000001'")).toString(), S("E"));
}

TEST_F(IEFatYazDb, ExcelCopyAfterACommittedSaveOnly)
{
    QTemporaryDir dir;
    if (count(S("SELECT COUNT(*) FROM PARAMET")) == 0)
        db.exec(S("INSERT INTO PARAMET (FILE_PATH) VALUES (:P)"), {{S("P"), dir.path()}});
    db.exec(S("UPDATE PARAMET SET FILE_PATH = :P"), {{S("P"), dir.path()}});
    ctx.FirmaAdi = S("Öz/Çağ Oto");
    invoiceDay = QDate::currentDate();
    ctx.DonemBasTarih = QDate(invoiceDay.year(), 1, 1);
    ctx.DonemBitTarih = QDate(invoiceDay.year(), 12, 31);
    const QString path = dir.filePath(FaturaExcelDosyaAdi(ctx.FirmaAdi, false, invoiceDay));

    // A save that rolls back writes no file and marks nothing.
    IEFatura bad = build(S("W000001"));
    IEFatKayitSecenekleri sec;
    sec.adim = [](const QString& adim) {
        if (adim == QLatin1String("stok"))
            throw DbError(DbError::Kind::Other, QStringLiteral("disk dolu"));
    };
    EXPECT_FALSE(GuardOr(false, [&] { return IEFaturaKaydet(ctx, db, bad, sec); }));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(count(S("SELECT COUNT(*) FROM SERFAT")), 0);

    const IEFatura f = saved();
    ASSERT_TRUE(QFile::exists(path)) << QDir(dir.path()).entryList().join(S(", ")).toStdString();
    EXPECT_EQ(scalar(S("SELECT EXCEL_AKTAR FROM SERFAT WHERE SATIS_NO = :S"), {{S("S"), f.satisNo()}}).toInt(), 1);
    const SheetTable t = ReadXlsx(path);
    EXPECT_EQ(t.columns, FaturaExcelBasliklari());
    // The M part, the labour, the text line and the D line; not the warranty part.
    ASSERT_EQ(t.rows.size(), 4);
    const QStringList& r0 = t.rows[0];
    EXPECT_EQ(r0[t.columnIndex(S("Fatura No"))], f.deger(S("FAT_NO")).toString());
    EXPECT_EQ(r0[t.columnIndex(S("CARİ KODU"))], S("M001"));
    EXPECT_EQ(r0[t.columnIndex(S("CARİ ÜNVANI"))], S("Şükrü Güneş İğdır Oto"));
    EXPECT_EQ(r0[t.columnIndex(S("STOK KODU"))], S("YAGFILTRE"));
    EXPECT_DOUBLE_EQ(r0[t.columnIndex(S("MİKTAR"))].toDouble(), 2);
    EXPECT_DOUBLE_EQ(r0[t.columnIndex(S("FİYAT"))].toDouble(), 100);
    EXPECT_DOUBLE_EQ(r0[t.columnIndex(S("TUTAR"))].toDouble(), 200);
    EXPECT_DOUBLE_EQ(r0[t.columnIndex(S("İND1 %"))].toDouble(), 10);
    EXPECT_DOUBLE_EQ(r0[t.columnIndex(S("KDV %"))].toDouble(), 20);
    // Discount 20,00 of a gross of 550,00 is 3,64 %.
    EXPECT_DOUBLE_EQ(r0[t.columnIndex(S("GENEL İND.%"))].toDouble(), 3.64);
    for (const QStringList& r : t.rows)
        EXPECT_NE(r[t.columnIndex(S("STOK KODU"))], S("BALATA"));
}

TEST_F(IEFatYazDb, EInvoiceAccountsGetTheDailyFileOfTheLastFiveDays)
{
    db.exec(S("UPDATE CARI SET EF_MUKELLEF = 1 WHERE CARI_KOD = 'M001'"));
    const IEFatura f = saved(); // dated 1 March 2025, no folder set: nothing written
    EXPECT_TRUE(scalar(S("SELECT EXCEL_AKTAR FROM SERFAT WHERE SATIS_NO = :S"), {{S("S"), f.satisNo()}}).isNull());
    QTemporaryDir dir;
    // Four days later the invoice is still in the window; six days later it is not.
    EXPECT_EQ(FaturaExcelSatirlari(db, true, QDate(2025, 3, 5)).satirlar.size(), 4);
    EXPECT_TRUE(FaturaExcelSatirlari(db, true, QDate(2025, 3, 7)).satirlar.isEmpty());
    EXPECT_TRUE(FaturaExcelSatirlari(db, false, QDate(2025, 3, 1)).satirlar.isEmpty())
        << "e-invoice accounts stay out of the weekly file";
    const QString yol = InvoiceExportExcel(ctx, db, dir.path(), true, QDate(2025, 3, 5));
    EXPECT_TRUE(yol.endsWith(S(".einv-05.03.2025.xlsx"))) << yol.toStdString();
    EXPECT_EQ(ReadXlsx(yol).rows.first()[4].toDouble(), 0) << "no header discount for e-invoice accounts";
    // Copied once: the next day's file leaves it out.
    EXPECT_TRUE(FaturaExcelSatirlari(db, true, QDate(2025, 3, 6)).satirlar.isEmpty());
    EXPECT_TRUE(InvoiceExportExcel(ctx, db, dir.path(), true, QDate(2025, 3, 6)).isEmpty());
}

TEST_F(IEFatYazDb, FormButtonsPrintWithTheChosenDesign)
{
    ctx.Database1 = db;
    const IEFatura f = saved();
    const int id = SeedFaturaTasarimi(db);
    db.exec(S("UPDATE KOORFAT SET FATFORM_ADI = 'Şirket Faturası', TOPLAM_VSB = 0 WHERE ID = :I"), {{S("I"), id}});
    SeedFaturaTasarimi(db);
    TFormIEFatura form(ctx);
    form.faturaAc(f.satisNo());
    EXPECT_TRUE(form.findChild<QCheckBox*>(S("cbplaka"))->isChecked());
    // The drop-down offers each design and prints with the chosen one.
    auto* kes = form.findChild<QToolButton*>(S("BtnFATKES"));
    ASSERT_TRUE(kes && kes->isEnabled());
    QMenu* menu = kes->menu();
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().first()->text(), S("Şirket Faturası"));
    menu->actions().first()->trigger();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(form.popuptag, id);
    EXPECT_TRUE(shown[0].find(1, S("NET_TUTAR_BASLIK")).isEmpty()) << "the first design prints no captions";
    // Without the plate box no vehicle data.
    form.findChild<QCheckBox*>(S("cbplaka"))->setChecked(false);
    kes->click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].find(1, S("PLAKA")).isEmpty());
    form.findChild<QPushButton*>(S("btnFatA4"))->click();
    form.findChild<QPushButton*>(S("BtnDispozisyon"))->click();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_TRUE(shown[3].texts(1).contains(S("DİSPOZİSYON FORMU")));
}

} // namespace tornaly::test

namespace tornaly::test {

// A warranty invoice prints each claim's heading with the claim's chassis,
// found by the claim's own number; labour lines carry the company's mark.
TEST_F(IEFatYazDb, WarrantyInvoicePrintsTheClaimChassisAndTheLabourMark)
{
    db.exec(S("INSERT INTO CLAIMM (CL_CLAIMNO, CL_ISEMRI, CL_TAMIRTRH, CL_TESLIMTRH, CL_SASE, CL_KM, CL_ARACTIP) "
              "VALUES (501, 'W000001', :T, :T, 'VF1CLAIM000000001', 12000, 'VRN')"),
            {{S("T"), QDateTime(invoiceDay, QTime(9, 0))}});
    if (count(S("SELECT COUNT(*) FROM PARAMET")) == 0)
        db.exec(S("INSERT INTO PARAMET (ISC_MARK) VALUES ('#')"));
    else
        db.exec(S("UPDATE PARAMET SET ISC_MARK = '#'"));
    ctx.DistCKod = S("M001");
    IEFatura g = YeniIEFatura(ctx, db, S("G"));
    g.set(S("TARIH"), QDateTime(invoiceDay, QTime(0, 0)));
    g.set(S("FAT_NO"), S("G000001"));
    const auto satir = [](int sira, const char* pi, const char* kod, double fiyat) {
        IEFatSatir s;
        s.SIRA = sira;
        s.PARCA_ISCILIK = S(pi);
        s.PI_KOD = S(kod);
        s.PI_AD = S(kod);
        s.BIRIM_FIYAT = fiyat;
        s.MIKTAR = 1;
        s.KDV = 20;
        s.GARANTI_TIP = S("M");
        s.CLAIM_NO = 501;
        SatirTutarlariniHesapla(s);
        return s;
    };
    g.satirlar = {satir(1, "P", "YAGFILTRE", 100), satir(2, "I", "BAKIM", 200)};
    IEFatToplamGuncelle(ctx, db, g);
    ASSERT_TRUE(IEFaturaKaydet(ctx, db, g)) << messages.texts().join(S(" | ")).toStdString();

    const IEFatBaskiVerisi v = IEFatBaskiOku(ctx, db, g.satisNo());
    ASSERT_FALSE(v.satirlar.isEmpty());
    EXPECT_TRUE(v.satirlar[0].claimBasligi);
    EXPECT_EQ(v.satirlar[0].claimSase, S("VF1CLAIM000000001"));
    EXPECT_EQ(v.iscMark, S("#"));
}

} // namespace tornaly::test
