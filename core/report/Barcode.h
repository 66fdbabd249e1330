#pragma once
#include <QRectF>
#include <QString>

class QPainter;

namespace tornaly::report {

// Draws a barcode as bars (not as a picture), so that it stays sharp on any
// printer. Returns false with a reason when the text cannot be encoded in
// the symbology (zint's numbering; 20 is Code 128, 13 EAN, 58 QR Code).
bool DrawBarcode(QPainter& painter, const QRectF& rect, const QString& text, int symbology,
                 QString* error = nullptr);

// Whether the text can be encoded.
bool BarcodeEncodes(const QString& text, int symbology, QString* error = nullptr);

} // namespace tornaly::report
