#pragma once
#include "report/ReportEngine.h"

#include <QImage>

class QPainter;
class QPrinter;

namespace tornaly::report {

// Draws one page (0-based) with `dotsPerMm` device dots per millimetre,
// the page's top-left corner at `origin` (device dots).
void PaintPage(QPainter& painter, const Document& doc, int pageIndex, double dotsPerMm,
               const QPointF& origin = {});

// One page as an image (for the preview and for looking at a page in tests).
QImage PageImage(const Document& doc, int pageIndex, double dpi);

// Writes the document as a PDF. Throws std::runtime_error with a Turkish text
// when the file cannot be written; a failed write leaves no file behind.
void WritePdf(const Document& doc, const QString& path);

// Prints every page on the given printer. The page layout goes to this job
// only; the printer's own settings for other programs are not touched.
void PrintDocument(const Document& doc, QPrinter& printer);

} // namespace tornaly::report
