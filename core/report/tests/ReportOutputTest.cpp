// Every output writes a file its own reader opens; a cancelled save writes
// nothing; the output names reach preview, printer and files.
#include "messages/ScriptedMessages.h"
#include "report/Barcode.h"
#include "report/ListReport.h"
#include "report/PageSetup.h"
#include "report/RaporCikti.h"
#include "report/ReportChart.h"
#include "report/ReportExport.h"
#include "report/ReportPaint.h"
#include "report/ReportPreview.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/ZipEntry.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace tornaly;
using namespace tornaly::report;

namespace {

Document sampleDocument()
{
    QVector<QVector<QVariant>> rows;
    for (int i = 1; i <= 75; ++i)
        rows.append({QStringLiteral("120.%1").arg(i, 3, 10, QLatin1Char('0')),
                     QStringLiteral("Şükrü Güneş İğdır Çığ Öz Ltd. %1").arg(i), i == 1 ? 1234567.891 : i * 1.5});
    Report r = ListReportBuilder(QStringLiteral("CARİ HESAP LİSTESİ"))
                   .company(QStringLiteral("Örnek Otomotiv A.Ş."))
                   .source(RecordsSource({"CARI_KOD", "FIRMA_ADI", "BAKIYE"}, rows))
                   .text(QStringLiteral("CARI_KOD"), QStringLiteral("Cari Kod"), 22)
                   .text(QStringLiteral("FIRMA_ADI"), QStringLiteral("Firma Adı"), 80)
                   .money(QStringLiteral("BAKIYE"), QStringLiteral("Bakiye"), 30)
                   .pageTotals()
                   .summary()
                   .build();
    return Render(r);
}


// Just enough RTF reading to get the words back: groups, control words,
// \uN? characters, \tab and \par.
QString rtfToText(const QByteArray& rtf)
{
    QString out;
    const QString s = QString::fromLatin1(rtf);
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char('\n'))
            continue;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        ++i;
        if (i >= s.size())
            break;
        if (!s[i].isLetter()) {
            out += s[i];
            continue;
        }
        QString word;
        while (i < s.size() && s[i].isLetter())
            word += s[i++];
        QString num;
        while (i < s.size() && (s[i].isDigit() || s[i] == QLatin1Char('-')))
            num += s[i++];
        if (word == QLatin1String("u")) {
            out += QChar(ushort(num.toShort()));
            if (i < s.size() && s[i] == QLatin1Char('?'))
                ; // the replacement character is skipped by the loop's ++i
            else
                --i;
        } else {
            if (word == QLatin1String("tab"))
                out += QLatin1Char('\t');
            else if (word == QLatin1String("par") || word == QLatin1String("line"))
                out += QLatin1Char('\n');
            if (i < s.size() && s[i] != QLatin1Char(' '))
                --i;
        }
    }
    return out;
}

class ReportOutput : public ::testing::Test {
protected:
    void SetUp() override { SetMessageService(&messages); }
    void TearDown() override
    {
        SetMessageService(nullptr);
        SetPreviewHook({});
        SetPrintHook({});
    }
    ScriptedMessages messages;
    QTemporaryDir dir;
};

} // namespace

TEST_F(ReportOutput, EveryFormatWritesAFileItsReaderOpens)
{
    const Document d = sampleDocument();
    ASSERT_EQ(d.pageCount(), 2);
    const QString money = QStringLiteral("1.234.567,89");
    const QString name = QStringLiteral("Şükrü Güneş İğdır Çığ Öz Ltd. 1");

    // PDF, read back by pdftotext.
    const QString pdf = dir.filePath("liste.pdf");
    ExportDocument(d, ReportFormat::Pdf, pdf);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString pdfText = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(pdfText.contains(QStringLiteral("CARİ HESAP LİSTESİ"))) << pdfText.toStdString();
    EXPECT_TRUE(pdfText.contains(name));
    EXPECT_TRUE(pdfText.contains(money));
    EXPECT_TRUE(pdfText.contains(QStringLiteral("Genel Toplam")));
    EXPECT_EQ(pdfText.count(QLatin1Char('\f')), 2);

    // XLSX, opened with the zip reader: the texts are shared strings, amounts numbers.
    const QString xlsx = dir.filePath("liste.xlsx");
    ExportDocument(d, ReportFormat::Xlsx, xlsx);
    const QString strings = QString::fromUtf8(test::ZipEntry(xlsx, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(strings.contains(QStringLiteral("CARİ HESAP LİSTESİ")));
    EXPECT_TRUE(strings.contains(name));
    const QString sheet = QString::fromUtf8(test::ZipEntry(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>1234567.891</v>"))) << sheet.left(2000).toStdString();

    // RTF, read back to text.
    const QString rtf = dir.filePath("liste.rtf");
    ExportDocument(d, ReportFormat::Rtf, rtf);
    QFile rf(rtf);
    ASSERT_TRUE(rf.open(QIODevice::ReadOnly));
    const QByteArray rtfData = rf.readAll();
    EXPECT_TRUE(rtfData.startsWith("{\\rtf1"));
    const QString rtfText = rtfToText(rtfData);
    EXPECT_TRUE(rtfText.contains(name)) << rtfText.left(500).toStdString();
    EXPECT_TRUE(rtfText.contains(money));

    // HTML, read by Qt's HTML reader.
    const QString html = dir.filePath("liste.html");
    ExportDocument(d, ReportFormat::Html, html);
    QFile hf(html);
    ASSERT_TRUE(hf.open(QIODevice::ReadOnly));
    QTextDocument td;
    td.setHtml(QString::fromUtf8(hf.readAll()));
    EXPECT_TRUE(td.toPlainText().contains(name));
    EXPECT_TRUE(td.toPlainText().contains(money));

    // XML: pages, bands and items.
    const QString xml = dir.filePath("liste.xml");
    ExportDocument(d, ReportFormat::Xml, xml);
    QFile xf(xml);
    ASSERT_TRUE(xf.open(QIODevice::ReadOnly));
    QXmlStreamReader xr(&xf);
    int pages = 0;
    QStringList items;
    while (!xr.atEnd()) {
        if (xr.readNext() == QXmlStreamReader::StartElement) {
            if (xr.name() == QLatin1String("page"))
                ++pages;
            else if (xr.name() == QLatin1String("item"))
                items << xr.readElementText();
        }
    }
    EXPECT_FALSE(xr.hasError()) << xr.errorString().toStdString();
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(items.contains(name));
    EXPECT_TRUE(items.contains(money));

    // Text: one line per printed row, amounts right-aligned in their column.
    const QString txt = dir.filePath("liste.txt");
    ExportDocument(d, ReportFormat::Text, txt);
    QFile tf(txt);
    ASSERT_TRUE(tf.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(tf.readAll()).split(QLatin1Char('\n'));
    const auto first = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(name + " "); });
    ASSERT_NE(first, lines.end());
    EXPECT_TRUE(first->startsWith(QStringLiteral("120.001")));
    EXPECT_TRUE(first->endsWith(money));
    const auto second = std::find_if(lines.begin(), lines.end(),
                                      [&](const QString& l) { return l.startsWith(QStringLiteral("120.002")); });
    ASSERT_NE(second, lines.end());
    EXPECT_EQ(second->size(), first->size()); // same right edge
}

TEST_F(ReportOutput, FileOutputsAskByTheirNamesAndACancelledSaveWritesNothing)
{
    const Document d = sampleDocument();
    struct Case {
        QString output;
        QString title;
        QString ext;
    } cases[] = {{"Word", "Worde Aktar", "rtf"},
                 {"Excel", "Excele Aktar", "xlsx"},
                 {"Text", "Metin Belgesi Olarak Sakla", "txt"},
                 {"PDF", "PDF Olarak Sakla", "pdf"},
                 {"HTML", "HTML Olarak Sakla", "html"},
                 {"XML", "XML Olarak Sakla", "xml"}};
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_EQ(OutputDocument(d, c.output), QString()) << c.output.toStdString();
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.entries().first().text, c.title);
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << c.output.toStdString();

        // Accepted without an extension: the format's own is added.
        messages.answerFile(dir.filePath("cikti"));
        const QString path = OutputDocument(d, c.output);
        EXPECT_EQ(path, dir.filePath("cikti." + c.ext));
        EXPECT_TRUE(QFile::exists(path));
        QFile::remove(path);
    }
    // An export that fails is reported and leaves nothing behind.
    messages.clear();
    messages.answerFile(dir.filePath("yok/klasor/cikti.rtf"));
    EXPECT_EQ(OutputDocument(d, OutputWord), QString());
    EXPECT_EQ(messages.count(), 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("yok/klasor/cikti.rtf")));
}

TEST_F(ReportOutput, PreviewPrinterAndPageSetupOnly)
{
    int previews = 0, prints = 0;
    SetPreviewHook([&](const Document&) { ++previews; });
    SetPrintHook([&](const Document&) { ++prints; });
    const Document d = sampleDocument();
    for (const QString& o : {QString(), OutputPreview, QStringLiteral("Preview")})
        OutputDocument(d, o);
    OutputDocument(d, OutputPrinter);
    OutputDocument(d, OutputPageSetupOnly);
    OutputDocument(d, QStringLiteral("Bilinmeyen"));
    EXPECT_EQ(previews, 3);
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(messages.count(), 0);

    // The preview form pages through the document, zooms and exports.
    TFormOnizleme f(d);
    EXPECT_EQ(f.currentPage(), 0);
    f.BtnSonrakiClick();
    f.BtnSonrakiClick();
    EXPECT_EQ(f.currentPage(), 1);
    f.BtnIlkClick();
    EXPECT_EQ(f.currentPage(), 0);
    f.BtnSonClick();
    EXPECT_EQ(f.currentPage(), 1);
    const double z = f.zoom();
    f.BtnYakinlasClick();
    EXPECT_GT(f.zoom(), z);
    f.BtnYazdirClick();
    EXPECT_EQ(prints, 2);
    messages.answerFile(dir.filePath("onizleme.xlsx"));
    EXPECT_TRUE(QFile::exists(f.exportAs(OutputExcel)));
}

TEST_F(ReportOutput, PrinterGetsThePageOfThisJob)
{
    Report r;
    r.source = RecordsSource({"A"}, {{1}});
    r.detail.height = 5;
    r.detail.add(Field(0, 0, 20, 5, QStringLiteral("A")));
    PageSetupValues v;
    v.SAYFAISIM = PageCustom;
    v.SAYFAGEN = 100;
    v.SAYFAYUK = 140;
    v.PRBICIMI = QStringLiteral("D");
    SayfaBoyutUygula(r, v);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("yazici.pdf"));
    PrintDocument(Render(r), printer);
    const QSizeF mm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    // Below 150 mm the printer is given 210 mm, as for a 21 cm form.
    EXPECT_NEAR(mm.width(), 210, 0.5);
    EXPECT_NEAR(mm.height(), 210, 0.5);
    EXPECT_EQ(r.page.pageSizeMm(), QSizeF(100, 140));
}

TEST(ReportPieces, BarcodesAndCharts)
{
    EXPECT_TRUE(BarcodeEncodes(QStringLiteral("ABC-12345"), 20));
    QString err;
    EXPECT_FALSE(BarcodeEncodes(QStringLiteral("ABC"), 13, &err)); // EAN takes digits only
    EXPECT_FALSE(err.isEmpty());
    QImage img(400, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    EXPECT_TRUE(DrawBarcode(p, QRectF(0, 0, 400, 100), QStringLiteral("869000000000"), 13));
    p.end();
    int dark = 0;
    for (int x = 0; x < 400; ++x)
        dark += qGray(img.pixel(x, 30)) < 128;
    EXPECT_GT(dark, 50);

    ChartSpec c;
    c.title = QStringLiteral("Aylık İşemri");
    c.categories = {"Ocak", "Şubat", "Mart"};
    c.series = {{QStringLiteral("Adet"), {12, 30, 7}}};
    const QImage chart = ChartImage(c, QSizeF(80, 50));
    ASSERT_FALSE(chart.isNull());
    bool coloured = false;
    for (int y = 0; y < chart.height() && !coloured; y += 4)
        for (int x = 0; x < chart.width() && !coloured; x += 4)
            coloured = qGray(chart.pixel(x, y)) < 200;
    EXPECT_TRUE(coloured);
}
