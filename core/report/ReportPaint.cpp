#include "report/ReportPaint.h"
#include "export/SafeFile.h"

#include "report/Barcode.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <stdexcept>

namespace tornaly::report {

namespace {

int textFlags(const LayoutItem& it)
{
    int f = int(it.align);
    if (!(f & Qt::AlignVertical_Mask))
        f |= Qt::AlignVCenter;
    if (it.wordWrap)
        f |= Qt::TextWordWrap;
    return f;
}

QPageLayout layoutFor(const PageSettings& page, bool forPrinter = false)
{
    if (forPrinter && page.printerSizeMm.isValid() && !page.printerSizeMm.isEmpty()) {
        const QPageSize size(page.printerSizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        return QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
    }
    const QPageSize size = page.paperId == QPageSize::Custom
        ? QPageSize(page.sizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch)
        : QPageSize(page.paperId);
    // The report places everything from the paper's edge; its own margins
    // are inside the layout already.
    return QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

} // namespace

void PaintPage(QPainter& p, const Document& doc, int pageIndex, double dpmm, const QPointF& origin)
{
    if (pageIndex < 0 || pageIndex >= doc.pages.size())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    auto dev = [&](const QRectF& mm) {
        return QRectF(origin.x() + mm.x() * dpmm, origin.y() + mm.y() * dpmm, mm.width() * dpmm,
                      mm.height() * dpmm);
    };
    for (const LayoutItem& it : doc.pages[pageIndex].items) {
        const QRectF r = dev(it.rect);
        switch (it.kind) {
        case ElementKind::Line: {
            QPen pen(Qt::black, std::max(1.0, it.penWidth * dpmm));
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(r.topLeft(), r.bottomRight());
            break;
        }
        case ElementKind::Box: {
            p.setPen(QPen(Qt::black, std::max(1.0, it.penWidth * dpmm)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
            break;
        }
        case ElementKind::Image:
        case ElementKind::Chart:
            if (!it.image.isNull()) {
                // Keep the picture's proportions inside its frame.
                QSizeF s = QSizeF(it.image.size()).scaled(r.size(), Qt::KeepAspectRatio);
                QRectF target(r.x() + (r.width() - s.width()) / 2, r.y() + (r.height() - s.height()) / 2, s.width(),
                              s.height());
                p.drawImage(target, it.image);
            }
            break;
        case ElementKind::Barcode:
            DrawBarcode(p, r, it.text, it.barcodeSymbology);
            break;
        default: {
            p.setFont(ToQFont(it.font));
            p.setPen(Qt::black);
            p.drawText(r, textFlags(it), it.text);
            if (it.frame) {
                p.setPen(QPen(Qt::black, std::max(1.0, it.penWidth * dpmm)));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r);
            }
            break;
        }
        }
    }
    p.restore();
}

QImage PageImage(const Document& doc, int pageIndex, double dpi)
{
    const QSizeF mm = doc.page.pageSizeMm();
    const double dpmm = dpi / 25.4;
    QImage img(QSize(int(mm.width() * dpmm + 0.5), int(mm.height() * dpmm + 0.5)), QImage::Format_RGB32);
    img.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    img.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    img.fill(Qt::white);
    QPainter p(&img);
    PaintPage(p, doc, pageIndex, dpmm);
    p.end();
    return img;
}

void WritePdf(const Document& doc, const QString& path)
{
    // Written beside the target first, so that a failure leaves no half file.
    SaveFileStream(path, [&](QIODevice& device) {
        QPdfWriter w(&device);
        w.setResolution(1200);
        w.setTitle(doc.title);
        w.setCreator(QStringLiteral("Tornaly"));
        w.setPageLayout(layoutFor(doc.page));
        QPainter p;
        if (!p.begin(&w))
            return false;
        const double dpmm = w.resolution() / 25.4;
        for (int i = 0; i < doc.pages.size(); ++i) {
            if (i > 0)
                w.newPage();
            PaintPage(p, doc, i, dpmm);
        }
        if (doc.pages.isEmpty())
            p.drawText(QPointF(0, 0), QString());
        return p.end();
    });
}

void PrintDocument(const Document& doc, QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(layoutFor(doc.page, true));
    printer.setDocName(doc.title);
    QPainter p;
    if (!p.begin(&printer))
        throw std::runtime_error(QStringLiteral("Yazıcıya yazdırılamadı.").toStdString());
    const double dpmm = printer.resolution() / 25.4;
    for (int i = 0; i < doc.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        PaintPage(p, doc, i, dpmm);
    }
    p.end();
}

} // namespace tornaly::report
