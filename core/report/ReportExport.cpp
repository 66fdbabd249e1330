#include "report/ReportExport.h"

#include "export/SafeFile.h"
#include <xlsxwriter.h>
#include "report/Barcode.h"
#include "report/ReportPaint.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace tornaly::report {

namespace {

bool isText(const LayoutItem& it)
{
    switch (it.kind) {
    case ElementKind::Line:
    case ElementKind::Box:
    case ElementKind::Image:
    case ElementKind::Chart:
    case ElementKind::Barcode: return false;
    default: return !it.text.isEmpty();
    }
}

bool rightAligned(const LayoutItem& it) { return it.align & Qt::AlignRight; }
bool centred(const LayoutItem& it) { return it.align & Qt::AlignHCenter; }

void saveText(const QString& path, const QByteArray& data) { SaveFileData(path, data); }

// ---------------------------------------------------------------------------

QByteArray plainText(const Document& doc)
{
    // About one character per 1.8 mm keeps the columns of an 8-point list apart.
    constexpr double charMm = 1.8;
    const double left = doc.page.marginsMm.left();
    QString out;
    int page = -1;
    for (const TextRow& row : TextRows(doc)) {
        if (row.page != page) {
            if (page >= 0)
                out += QLatin1Char('\n');
            page = row.page;
        }
        QStringList lines{QString()};
        for (const LayoutItem* it : row.items) {
            const QStringList parts = it->text.split(QLatin1Char('\n'));
            while (lines.size() < parts.size())
                lines << QString();
            for (int l = 0; l < parts.size(); ++l) {
                QString& line = lines[l];
                const QString t = parts[l];
                const QRectF r = it->rect.translated(-left, 0);
                int start = int(std::lround(r.x() / charMm));
                if (rightAligned(*it))
                    start = int(std::lround(r.right() / charMm)) - int(t.size());
                else if (centred(*it))
                    start = int(std::lround(r.center().x() / charMm)) - int(t.size()) / 2;
                if (!line.isEmpty() && start <= line.size())
                    start = int(line.size()) + 1;
                start = std::max(start, int(line.size()));
                line += QString(start - line.size(), QLatin1Char(' ')) + t;
            }
        }
        for (const QString& l : lines)
            out += l + QLatin1Char('\n');
    }
    return out.toUtf8();
}

// ---------------------------------------------------------------------------

int twips(double mm) { return int(std::lround(mm * 1440.0 / 25.4)); }

QString rtfEscape(const QString& s)
{
    QString out;
    for (const QChar c : s) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\line ");
        else if (u < 0x80)
            out += c;
        else
            out += QStringLiteral("\\u%1?").arg(qint16(u));
    }
    return out;
}

QByteArray rtf(const Document& doc)
{
    const QSizeF page = doc.page.pageSizeMm();
    const QMarginsF m = doc.page.marginsMm;
    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset162 %1;}}\n")
                      .arg(doc.pages.isEmpty() || doc.pages[0].items.isEmpty() ? QStringLiteral("DejaVu Sans")
                                                                                  : doc.pages[0].items[0].font.family);
    out += QStringLiteral("\\paperw%1\\paperh%2\\margl%3\\margr%4\\margt%5\\margb%6%7\n")
               .arg(twips(page.width()))
               .arg(twips(page.height()))
               .arg(twips(m.left()))
               .arg(twips(m.right()))
               .arg(twips(m.top()))
               .arg(twips(m.bottom()))
               .arg(doc.page.landscape ? QStringLiteral("\\landscape") : QString());
    int pageNo = -1;
    double lastBottom = 0;
    for (const TextRow& row : TextRows(doc)) {
        if (row.page != pageNo) {
            if (pageNo >= 0)
                out += QStringLiteral("\\page\n");
            pageNo = row.page;
            lastBottom = m.top();
        }
        // Tab stops at each item's anchor: left edge, right edge or centre.
        struct Stop {
            int pos;
            char kind;
            const LayoutItem* item;
        };
        std::vector<Stop> stops;
        for (const LayoutItem* it : row.items) {
            if (rightAligned(*it))
                stops.push_back({twips(it->rect.right() - m.left()), 'r', it});
            else if (centred(*it))
                stops.push_back({twips(it->rect.center().x() - m.left()), 'c', it});
            else
                stops.push_back({twips(it->rect.x() - m.left()), 'l', it});
        }
        std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.pos < b.pos; });
        for (size_t i = 1; i < stops.size(); ++i)
            stops[i].pos = std::max(stops[i].pos, stops[i - 1].pos + 1);
        const double gap = std::max(0.0, row.y - lastBottom);
        QString para = QStringLiteral("\\pard\\plain\\f0\\sb%1\\sa0\\sl-%2\\slmult0")
                           .arg(twips(gap))
                           .arg(twips(std::max(row.height, 3.0)));
        for (const Stop& s : stops) {
            if (s.pos <= 0)
                continue;
            if (s.kind == 'r')
                para += QStringLiteral("\\tqr");
            else if (s.kind == 'c')
                para += QStringLiteral("\\tqc");
            para += QStringLiteral("\\tx%1").arg(s.pos);
        }
        para += QLatin1Char(' ');
        for (const Stop& s : stops) {
            if (s.pos > 0)
                para += QStringLiteral("\\tab ");
            const LayoutItem& it = *s.item;
            QString t = QStringLiteral("\\fs%1 ").arg(int(std::lround(it.font.pointSize * 2))) + rtfEscape(it.text);
            if (it.font.bold)
                t = QStringLiteral("{\\b ") + t + QLatin1Char('}');
            else
                t = QLatin1Char('{') + t + QLatin1Char('}');
            para += t;
        }
        out += para + QStringLiteral("\\par\n");
        lastBottom = row.y + std::max(row.height, 3.0);
    }
    out += QStringLiteral("}\n");
    return out.toLatin1();
}

// ---------------------------------------------------------------------------

QString htmlEscape(const QString& s)
{
    QString out = s.toHtmlEscaped();
    out.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return out;
}

QString pngDataUri(const QImage& img)
{
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QImage barcodeImage(const LayoutItem& it)
{
    const double dpmm = 300 / 25.4;
    QImage img(QSize(std::max(1, int(it.rect.width() * dpmm)), std::max(1, int(it.rect.height() * dpmm))),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawBarcode(p, QRectF(QPointF(0, 0), QSizeF(img.size())), it.text, it.barcodeSymbology);
    return img;
}

QByteArray html(const Document& doc)
{
    const QSizeF page = doc.page.pageSizeMm();
    QString out = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"tr\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n<style>\n"
        "body { background: #ddd; margin: 0; padding: 8mm; }\n"
        ".page { position: relative; background: #fff; margin: 0 auto 8mm auto; overflow: hidden; "
        "width: %2mm; height: %3mm; }\n"
        ".t { position: absolute; white-space: pre; overflow: visible; display: flex; align-items: center; }\n"
        ".w { white-space: pre-wrap; align-items: flex-start; }\n"
        "@media print { body { background: none; padding: 0; } .page { margin: 0; page-break-after: always; } }\n"
        "</style>\n</head>\n<body>\n")
                      .arg(htmlEscape(doc.title))
                      .arg(page.width(), 0, 'f', 1)
                      .arg(page.height(), 0, 'f', 1);
    auto box = [](const QRectF& r) {
        return QStringLiteral("left:%1mm;top:%2mm;width:%3mm;height:%4mm;")
            .arg(r.x(), 0, 'f', 2)
            .arg(r.y(), 0, 'f', 2)
            .arg(r.width(), 0, 'f', 2)
            .arg(r.height(), 0, 'f', 2);
    };
    for (int p = 0; p < doc.pages.size(); ++p) {
        out += QStringLiteral("<div class=\"page\" id=\"sayfa%1\">\n").arg(p + 1);
        for (const LayoutItem& it : doc.pages[p].items) {
            switch (it.kind) {
            case ElementKind::Line:
                out += QStringLiteral("<div style=\"position:absolute;%1border-%2:%3mm solid #000\"></div>\n")
                           .arg(box(QRectF(it.rect.x(), it.rect.y(), it.rect.width(), it.rect.height())),
                                it.rect.height() > it.rect.width() ? QStringLiteral("left") : QStringLiteral("top"))
                           .arg(it.penWidth, 0, 'f', 2);
                break;
            case ElementKind::Box:
                out += QStringLiteral("<div style=\"position:absolute;box-sizing:border-box;%1border:%2mm solid #000\">"
                                      "</div>\n")
                           .arg(box(it.rect))
                           .arg(it.penWidth, 0, 'f', 2);
                break;
            case ElementKind::Image:
            case ElementKind::Chart:
            case ElementKind::Barcode: {
                const QImage img = it.kind == ElementKind::Barcode ? barcodeImage(it) : it.image;
                if (img.isNull())
                    break;
                out += QStringLiteral("<img style=\"position:absolute;%1object-fit:contain\" alt=\"%2\" src=\"%3\">\n")
                           .arg(box(it.rect), htmlEscape(it.text), pngDataUri(img));
                break;
            }
            default: {
                if (it.text.isEmpty())
                    break;
                QString style = box(it.rect) + QStringLiteral("font-family:'%1';font-size:%2pt;")
                                                   .arg(it.font.family)
                                                   .arg(it.font.pointSize);
                if (it.font.bold)
                    style += QStringLiteral("font-weight:bold;");
                if (it.font.italic)
                    style += QStringLiteral("font-style:italic;");
                style += rightAligned(it) ? QStringLiteral("justify-content:flex-end;text-align:right;")
                    : centred(it)         ? QStringLiteral("justify-content:center;text-align:center;")
                                          : QString();
                if (it.frame)
                    style += QStringLiteral("box-sizing:border-box;border:0.2mm solid #000;");
                out += QStringLiteral("<div class=\"t%1\" style=\"%2\">%3</div>\n")
                           .arg(it.wordWrap ? QStringLiteral(" w") : QString(), style, htmlEscape(it.text));
            }
            }
        }
        out += QStringLiteral("</div>\n");
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out.toUtf8();
}

// ---------------------------------------------------------------------------

QByteArray xml(const Document& doc)
{
    QByteArray data;
    QXmlStreamWriter w(&data);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("report"));
    w.writeAttribute(QStringLiteral("title"), doc.title);
    const QSizeF page = doc.page.pageSizeMm();
    w.writeAttribute(QStringLiteral("width"), QString::number(page.width(), 'f', 1));
    w.writeAttribute(QStringLiteral("height"), QString::number(page.height(), 'f', 1));
    w.writeAttribute(QStringLiteral("pages"), QString::number(doc.pages.size()));
    for (int p = 0; p < doc.pages.size(); ++p) {
        w.writeStartElement(QStringLiteral("page"));
        w.writeAttribute(QStringLiteral("number"), QString::number(p + 1));
        int seq = -1;
        bool open = false;
        for (const LayoutItem& it : doc.pages[p].items) {
            if (it.bandSeq != seq) {
                if (open)
                    w.writeEndElement();
                w.writeStartElement(QStringLiteral("band"));
                w.writeAttribute(QStringLiteral("name"), it.band);
                w.writeAttribute(QStringLiteral("kind"), BandKindName(it.bandKind));
                open = true;
                seq = it.bandSeq;
            }
            if (!isText(it) && it.kind != ElementKind::Barcode)
                continue;
            w.writeStartElement(QStringLiteral("item"));
            if (!it.element.isEmpty())
                w.writeAttribute(QStringLiteral("name"), it.element);
            w.writeAttribute(QStringLiteral("x"), QString::number(it.rect.x(), 'f', 1));
            w.writeAttribute(QStringLiteral("y"), QString::number(it.rect.y(), 'f', 1));
            w.writeAttribute(QStringLiteral("w"), QString::number(it.rect.width(), 'f', 1));
            w.writeAttribute(QStringLiteral("h"), QString::number(it.rect.height(), 'f', 1));
            const int t = it.value.typeId();
            if (t == QMetaType::Double || t == QMetaType::Int || t == QMetaType::LongLong)
                w.writeAttribute(QStringLiteral("value"), QString::number(it.value.toDouble(), 'f', 2));
            w.writeCharacters(it.text);
            w.writeEndElement();
        }
        if (open)
            w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return data;
}

// ---------------------------------------------------------------------------

void xlsx(const Document& doc, const QString& path)
{
    const QList<TextRow> rows = TextRows(doc);
    // One column per distinct anchor (left edge, or right edge for right
    // aligned texts), rounded to 2 mm so that a column's cells line up.
    std::map<int, int> anchorCol;
    auto anchorOf = [](const LayoutItem& it) {
        const double a = rightAligned(it) ? it.rect.right() : it.rect.x();
        return int(std::lround(a / 2.0));
    };
    for (const TextRow& r : rows)
        for (const LayoutItem* it : r.items)
            anchorCol[anchorOf(*it)] = 0;
    int c = 0;
    for (auto& [a, col] : anchorCol)
        col = c++;

    SaveThroughTemporary(path, [&](const QString& tmp) {
    lxw_workbook* wb = workbook_new(QFile::encodeName(tmp).constData());
    if (!wb)
        return false;
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Rapor");
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* money = workbook_add_format(wb);
    format_set_num_format(money, "#,##0.00");
    lxw_format* moneyBold = workbook_add_format(wb);
    format_set_num_format(moneyBold, "#,##0.00");
    format_set_bold(moneyBold);
    lxw_format* right = workbook_add_format(wb);
    format_set_align(right, LXW_ALIGN_RIGHT);

    std::map<int, int> widths;
    lxw_row_t r = 0;
    int page = 0;
    for (const TextRow& row : rows) {
        if (row.page != page) {
            ++r; // an empty row between pages
            page = row.page;
        }
        int lastCol = -1;
        for (const LayoutItem* it : row.items) {
            int col = anchorCol[anchorOf(*it)];
            if (col <= lastCol)
                col = lastCol + 1;
            lastCol = col;
            const int t = it->value.typeId();
            const bool number = (t == QMetaType::Double || t == QMetaType::Int || t == QMetaType::LongLong)
                && (it->kind == ElementKind::Field || it->kind == ElementKind::Total
                    || it->kind == ElementKind::Expression)
                && it->text.contains(QLatin1Char(','));
            if (number) {
                worksheet_write_number(ws, r, lxw_col_t(col), it->value.toDouble(), it->font.bold ? moneyBold : money);
            } else {
                const QByteArray s = it->text.toUtf8();
                worksheet_write_string(ws, r, lxw_col_t(col), s.constData(),
                                         it->font.bold ? bold : (rightAligned(*it) ? right : nullptr));
            }
            widths[col] = std::max(widths[col], int(it->text.size()));
        }
        ++r;
    }
    for (const auto& [col, w] : widths)
        worksheet_set_column(ws, lxw_col_t(col), lxw_col_t(col), std::clamp(w + 2, 6, 60), nullptr);
    return workbook_close(wb) == LXW_NO_ERROR;
    });
}

} // namespace

QList<TextRow> TextRows(const Document& doc)
{
    QList<TextRow> rows;
    for (int p = 0; p < doc.pages.size(); ++p) {
        QList<const LayoutItem*> items;
        for (const LayoutItem& it : doc.pages[p].items)
            if (isText(it))
                items.append(&it);
        std::stable_sort(items.begin(), items.end(), [](const LayoutItem* a, const LayoutItem* b) {
            return a->rect.y() < b->rect.y();
        });
        for (const LayoutItem* it : items) {
            if (rows.isEmpty() || rows.last().page != p || it->rect.y() - rows.last().y > 0.5) {
                rows.append(TextRow{p, it->rect.y(), it->rect.height(), {}});
            }
            TextRow& row = rows.last();
            row.height = std::max(row.height, it->rect.height());
            row.items.append(it);
        }
    }
    for (TextRow& row : rows)
        std::stable_sort(row.items.begin(), row.items.end(),
                         [](const LayoutItem* a, const LayoutItem* b) { return a->rect.x() < b->rect.x(); });
    return rows;
}

QString ReportFormatExtension(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Pdf: return QStringLiteral("pdf");
    case ReportFormat::Rtf: return QStringLiteral("rtf");
    case ReportFormat::Xlsx: return QStringLiteral("xlsx");
    case ReportFormat::Text: return QStringLiteral("txt");
    case ReportFormat::Html: return QStringLiteral("html");
    case ReportFormat::Xml: return QStringLiteral("xml");
    }
    return {};
}

void ExportDocument(const Document& doc, ReportFormat format, const QString& path)
{
    switch (format) {
    case ReportFormat::Pdf: WritePdf(doc, path); return;
    case ReportFormat::Rtf: saveText(path, rtf(doc)); return;
    case ReportFormat::Xlsx: xlsx(doc, path); return;
    case ReportFormat::Text: saveText(path, plainText(doc)); return;
    case ReportFormat::Html: saveText(path, html(doc)); return;
    case ReportFormat::Xml: saveText(path, xml(doc)); return;
    }
}

} // namespace tornaly::report
