#include "report/RaporCikti.h"
#include "export/SafeFile.h"

#include "messages/Messages.h"
#include "report/PageSetup.h"
#include "report/ReportPaint.h"
#include "report/ReportPreview.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

namespace tornaly::report {

namespace {

std::function<void(const Document&)>& previewHook()
{
    static std::function<void(const Document&)> h;
    return h;
}

std::function<void(const Document&)>& printHook()
{
    static std::function<void(const Document&)> h;
    return h;
}

} // namespace

void SetPreviewHook(std::function<void(const Document&)> hook) { previewHook() = std::move(hook); }
void SetPrintHook(std::function<void(const Document&)> hook) { printHook() = std::move(hook); }

QStringList ListOutputNames()
{
    return {OutputPreview, OutputWord, OutputExcel, OutputText};
}

bool SaveChoiceFor(const QString& output, SaveChoice* c)
{
    if (output == OutputWord)
        *c = {QStringLiteral("Worde Aktar"), QStringLiteral("Zengin Metin Biçimi (*.rtf)"), ReportFormat::Rtf};
    else if (output == OutputExcel)
        *c = {QStringLiteral("Excele Aktar"), QStringLiteral("Excel Belgesi (*.xlsx)"), ReportFormat::Xlsx};
    else if (output == OutputText)
        *c = {QStringLiteral("Metin Belgesi Olarak Sakla"), QStringLiteral("Metin Dosyaları (*.txt)"),
              ReportFormat::Text};
    else if (output == OutputPdf)
        *c = {QStringLiteral("PDF Olarak Sakla"), QStringLiteral("PDF Belgesi (*.pdf)"), ReportFormat::Pdf};
    else if (output == OutputHtml)
        *c = {QStringLiteral("HTML Olarak Sakla"), QStringLiteral("HTML Belgesi (*.html *.htm)"), ReportFormat::Html};
    else if (output == OutputXml)
        *c = {QStringLiteral("XML Olarak Sakla"), QStringLiteral("XML Belgesi (*.xml)"), ReportFormat::Xml};
    else
        return false;
    return true;
}

QString SaveDocumentAs(const Document& doc, const SaveChoice& choice)
{
    const QString path = AskExportFile(choice.title, choice.filter, ReportFormatExtension(choice.format));
    if (path.isEmpty())
        return {};
    try {
        ExportDocument(doc, choice.format, path);
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
        return {};
    }
    return path;
}

void PrintOnDefaultPrinter(const Document& doc)
{
    if (printHook()) {
        printHook()(doc);
        return;
    }
    // A printer object of our own: the page layout belongs to this job only.
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    if (!printer.isValid() || QPrinterInfo::availablePrinters().isEmpty()) {
        ShowError(QStringLiteral("Yazıcı bulunamadı."));
        return;
    }
    try {
        PrintDocument(doc, printer);
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

QString OutputDocument(const Document& doc, const QString& output)
{
    if (output == OutputPageSetupOnly)
        return {};
    if (output.isEmpty() || output == OutputPreview || output == QLatin1String("Preview")) {
        if (previewHook())
            previewHook()(doc);
        else
            ShowReportPreview(doc, QApplication::activeWindow());
        return {};
    }
    if (output == OutputPrinter) {
        PrintOnDefaultPrinter(doc);
        return {};
    }
    SaveChoice choice;
    if (!SaveChoiceFor(output, &choice))
        return {};
    return SaveDocumentAs(doc, choice);
}

QString RaporCikti(const Db& db, Report& report, const QString& key, const QString& output)
{
    Tdmsayfa& module = dmsayfa();
    if (!key.isEmpty()) {
        module.last = ReadPageSetup(db, key, report.name);
        const PageSetupValues& v = module.last;
        if (!v.SAYFAISIM.isEmpty() || v.SAYFAYUK > 0) {
            SayfaBoyutUygula(report);
            report.page.marginsMm = QMarginsF(v.SOL, v.UST, v.SAG, v.ALT);
        }
    }
    if (output == OutputPageSetupOnly)
        return {};
    return OutputDocument(Render(report), output);
}

} // namespace tornaly::report
