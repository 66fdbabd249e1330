#pragma once
#include "report/ReportEngine.h"

namespace tornaly::report {

enum class ReportFormat { Pdf, Rtf, Xlsx, Text, Html, Xml };

QString ReportFormatExtension(ReportFormat format);

// Writes a laid-out report to a file. A failure throws std::runtime_error
// with a Turkish text and leaves no file (an existing one stays as it was).
void ExportDocument(const Document& doc, ReportFormat format, const QString& path);

// The printed rows of a document in reading order (items whose tops lie
// within half a millimetre form one row); text outputs are built from them.
struct TextRow {
    int page = 0; // 0-based
    double y = 0;
    double height = 0;
    QList<const LayoutItem*> items; // text items, left to right
};
QList<TextRow> TextRows(const Document& doc);

} // namespace tornaly::report
