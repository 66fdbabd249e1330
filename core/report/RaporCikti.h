#pragma once
#include "db/Database.h"
#include "report/ReportEngine.h"
#include "report/ReportExport.h"

#include <functional>

class QPrinter;
class QWidget;

namespace tornaly::report {

// The output names the list forms and callers pass.
inline const QString OutputPageSetupOnly = QStringLiteral("*");
inline const QString OutputPreview = QStringLiteral("Ön İzleme");
inline const QString OutputPrinter = QStringLiteral("Yazıcı");
inline const QString OutputWord = QStringLiteral("Word");
inline const QString OutputExcel = QStringLiteral("Excel");
inline const QString OutputText = QStringLiteral("Text");
inline const QString OutputPdf = QStringLiteral("PDF");
inline const QString OutputHtml = QStringLiteral("HTML");
inline const QString OutputXml = QStringLiteral("XML");

// The output combo of the list forms, in its order.
QStringList ListOutputNames();

// How a file output asks for its file: dialog title, filter, extension.
struct SaveChoice {
    QString title;
    QString filter;
    ReportFormat format = ReportFormat::Pdf;
};
// The file output an output name stands for; false for preview, printer and "*".
bool SaveChoiceFor(const QString& output, SaveChoice* choice);

// Applies the stored page setup for `key` (none when empty), then produces
// the output named `output`. Returns the file written by a file output;
// empty when nothing was written (preview, printer, a cancelled save).
QString RaporCikti(const Db& db, Report& report, const QString& key, const QString& output);

// Output of an already laid-out report by name, without page setup.
QString OutputDocument(const Document& doc, const QString& output);

// Asks for a file and writes the document; empty when cancelled. Export
// errors are shown to the user.
QString SaveDocumentAs(const Document& doc, const SaveChoice& choice);

// Preview and printing go through these, so tests can see them without a
// window or a printer. Empty functions restore the real ones.
void SetPreviewHook(std::function<void(const Document&)> hook);
void SetPrintHook(std::function<void(const Document&)> hook);

// Prints on the system's default printer with the document's page; the
// printer's own settings are not changed for other programs.
void PrintOnDefaultPrinter(const Document& doc);

} // namespace tornaly::report
