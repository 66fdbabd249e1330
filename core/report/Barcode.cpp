#include "report/Barcode.h"

#include <QPainter>
#include <memory>
#include <zint.h>

namespace tornaly::report {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

SymbolPtr encode(const QString& text, int symbology, QString* error)
{
    SymbolPtr sym(ZBarcode_Create());
    if (!sym) {
        if (error)
            *error = QStringLiteral("Barkod oluşturulamadı.");
        return {};
    }
    sym->symbology = symbology;
    sym->input_mode = UNICODE_MODE;
    sym->show_hrt = 1;
    const QByteArray utf8 = text.toUtf8();
    const int rc = ZBarcode_Encode(sym.get(), reinterpret_cast<const unsigned char*>(utf8.constData()),
                                   int(utf8.size()));
    if (rc >= ZINT_ERROR) {
        if (error)
            *error = QStringLiteral("Barkod yazılamadı: ") + QString::fromLatin1(sym->errtxt);
        return {};
    }
    return sym;
}

bool drawVector(QPainter& painter, const QRectF& rect, const zint_vector* v, double sx, double sy);

} // namespace

bool BarcodeEncodes(const QString& text, int symbology, QString* error)
{
    return !text.isEmpty() && bool(encode(text, symbology, error));
}

bool DrawBarcode(QPainter& painter, const QRectF& rect, const QString& text, int symbology, QString* error)
{
    if (text.isEmpty())
        return false;
    SymbolPtr sym = encode(text, symbology, error);
    if (!sym || ZBarcode_Buffer_Vector(sym.get(), 0) >= ZINT_ERROR || !sym->vector) {
        if (error && error->isEmpty())
            *error = QStringLiteral("Barkod çizilemedi.");
        return false;
    }
    if (sym->rows <= 1 && rect.width() > 0) {
        // Linear codes: choose the bar height that gives the frame's
        // proportions, so that the code is drawn at one scale on both axes
        // and its text keeps a readable size.
        const float h0 = sym->height > 0 ? sym->height : 50.0f;
        const float vh0 = sym->vector->height;
        sym->height = h0 * 2;
        if (ZBarcode_Buffer_Vector(sym.get(), 0) < ZINT_ERROR && sym->vector) {
            const double b = (sym->vector->height - vh0) / h0;
            const double a = vh0 - h0 * b;
            const double want = rect.height() / rect.width() * sym->vector->width;
            if (b > 0) {
                sym->height = float(std::max(5.0, (want - a) / b));
                ZBarcode_Buffer_Vector(sym.get(), 0);
            }
        }
        if (!sym->vector)
            return false;
    }
    const zint_vector* v = sym->vector;
    if (v->width <= 0 || v->height <= 0)
        return false;
    const double scale = std::min(rect.width() / v->width, rect.height() / v->height);
    const double sx = scale;
    const double sy = scale;
    const QRectF area(rect.x() + (rect.width() - v->width * scale) / 2, rect.y() + (rect.height() - v->height * scale) / 2,
                      v->width * scale, v->height * scale);
    return drawVector(painter, area, v, sx, sy);
}

namespace {
bool drawVector(QPainter& painter, const QRectF& rect, const zint_vector* v, double sx, double sy)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const zint_vector_rect* r = v->rectangles; r; r = r->next)
        painter.drawRect(QRectF(rect.x() + r->x * sx, rect.y() + r->y * sy, r->width * sx, r->height * sy));
    for (const zint_vector_hexagon* h = v->hexagons; h; h = h->next)
        painter.drawEllipse(QPointF(rect.x() + h->x * sx, rect.y() + h->y * sy), h->diameter * sx / 2,
                            h->diameter * sy / 2);
    for (const zint_vector_circle* c = v->circles; c; c = c->next) {
        painter.setBrush(c->colour ? Qt::white : Qt::black);
        painter.drawEllipse(QPointF(rect.x() + c->x * sx, rect.y() + c->y * sy), c->diameter * sx / 2,
                            c->diameter * sy / 2);
    }
    painter.setPen(Qt::black);
    for (const zint_vector_string* s = v->strings; s; s = s->next) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(std::max(1, int(s->fsize * sy)));
        painter.setFont(f);
        const QString t = QString::fromUtf8(reinterpret_cast<const char*>(s->text));
        const double w = (s->width > 0 ? s->width : v->width) * sx;
        const double cx = rect.x() + s->x * sx;
        const double base = rect.y() + s->y * sy;
        QRectF tr(cx - w / 2, base - f.pixelSize(), w, f.pixelSize() * 1.2);
        if (s->halign == 1)
            tr.moveLeft(cx);
        else if (s->halign == 2)
            tr.moveRight(cx);
        painter.drawText(tr, Qt::AlignHCenter | Qt::AlignTop, t);
    }
    painter.restore();
    return true;
}
} // namespace

} // namespace tornaly::report
