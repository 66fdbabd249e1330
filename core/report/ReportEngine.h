#pragma once
#include "report/ReportModel.h"

#include <QFont>

namespace tornaly::report {

// One thing printed on a page, at its place on the page (millimetres from
// the page's top-left corner).
struct LayoutItem {
    QString band;          // the band's name
    BandKind bandKind = BandKind::Detail;
    int bandSeq = 0;       // which printing of a band on the page (rows of text outputs)
    QString element;       // the element's name
    ElementKind kind = ElementKind::Label;
    QString text;
    QVariant value;        // the unformatted value of fields and totals (spreadsheets keep numbers)
    QRectF rect;
    ReportFont font;       // resolved: family and size always set
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    bool frame = false;
    double penWidth = 0;
    QImage image;          // images, charts and barcodes as drawn
    int barcodeSymbology = 0;
};

struct RenderedPage {
    QList<LayoutItem> items;
};

// A laid-out report: what every output draws or writes.
struct Document {
    QString title;
    PageSettings page;
    QList<RenderedPage> pages;

    int pageCount() const { return int(pages.size()); }
    // "page 1 | Detail | F_BORC | 1.234,56 | 10.0,40.0,30.0,5.0" lines; tests read
    // texts, totals and page breaks from it.
    QString dump() const;
    // Items of a page (1-based) whose band or element has the given name.
    QList<LayoutItem> find(int page, const QString& bandOrElement) const;
    // Every text printed on a page (1-based), in reading order.
    QStringList texts(int page) const;
};

// Lays the report out page by page.
Document Render(const Report& report);

// The font an item is drawn with.
QFont ToQFont(const ReportFont& font);

// The height (mm) a text takes when wrapped into a width (mm).
double TextHeightMm(const QString& text, const ReportFont& font, double widthMm);

} // namespace tornaly::report
