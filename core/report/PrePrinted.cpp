#include "report/PrePrinted.h"
#include "report/PageSetup.h"

#include <QRectF>
#include <QSqlField>
#include <QSqlRecord>
#include <cmath>

namespace tornaly::report {

int LayoutRow::mm(const QString& column) const
{
    const QVariant v = m_values.value(column.toUpper());
    if (!v.isValid() || v.isNull())
        return 0;
    bool ok = false;
    const int n = int(std::lround(v.toDouble(&ok)));
    return ok ? n : 0;
}

QString LayoutRow::text(const QString& column) const
{
    const QVariant v = m_values.value(column.toUpper());
    return v.isNull() ? QString() : v.toString();
}

QPointF LayoutRow::at(const QString& item) const
{
    return {double(mm(item + QStringLiteral("_S"))), double(mm(item + QStringLiteral("_U")))};
}

QPointF LayoutRow::pageStart() const
{
    if (m_values.contains(QStringLiteral("SB_SX")))
        return {double(mm(QStringLiteral("SB_SX"))), double(mm(QStringLiteral("SB_UX")))};
    return at(QStringLiteral("SAYFA"));
}

void LayoutRow::set(const QString& column, const QVariant& value)
{
    m_values.insert(column.toUpper(), value);
}

namespace {

bool hasRowRole(const QString& table)
{
    return table == LayoutWorkOrderClosing || table == LayoutDeclaration;
}

void checkTable(const QString& table)
{
    // The table name is one of ours, never typed text.
    if (table != LayoutInvoice && table != LayoutWorkOrder && !hasRowRole(table))
        throw std::invalid_argument("unknown layout table");
}

LayoutRow readRow(Query& q)
{
    LayoutRow row;
    if (!q.next())
        return row;
    row.found = true;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        row.set(rec.fieldName(i), rec.value(i));
    return row;
}

LayoutRow readNth(const Db& db, const QString& table, int nth)
{
    checkTable(table);
    if (hasRowRole(table)) {
        Query q(db, QStringLiteral("SELECT * FROM %1 WHERE SATIR=:satir").arg(table));
        q.bind(QStringLiteral("satir"), nth).exec();
        return readRow(q);
    }
    Query q(db, QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table));
    q.exec();
    for (int i = 1; i < nth; ++i)
        if (!q.next())
            return {};
    return readRow(q);
}

} // namespace

LayoutRow ReadLayout(const Db& db, const QString& table, int designId)
{
    checkTable(table);
    if (designId > 0 && !hasRowRole(table)) {
        Query q(db, QStringLiteral("SELECT * FROM %1 WHERE ID=:id").arg(table));
        q.bind(QStringLiteral("id"), designId).exec();
        LayoutRow row = readRow(q);
        if (row.found)
            return row;
    }
    return readNth(db, table, 1);
}

LayoutRow ReadInitialLayout(const Db& db, const QString& table)
{
    return readNth(db, table, 2);
}

void ApplyFontStyle(ReportFont& font, const QString& styleText)
{
    font.bold = false;
    font.italic = false;
    if (styleText.isEmpty())
        return;
    if (styleText.at(0) == QLatin1Char('N'))
        return;
    if (styleText.at(0) == QChar(0x0130)) { // "İtalik"
        font.italic = true;
        return;
    }
    if (styleText.size() == 5) {
        font.bold = true;
        return;
    }
    if (styleText.size() > 14) {
        font.bold = true;
        font.italic = true;
    }
}

PageSettings LayoutPage(const QString& pageName, int widthMm, int heightMm, bool landscape)
{
    const PaperChoice paper = PaperFor(pageName, landscape ? QStringLiteral("Y") : QStringLiteral("D"), widthMm,
                                       heightMm);
    PageSettings p;
    p.paperId = paper.reportPaper;
    p.sizeMm = paper.reportSizeMm;
    p.landscape = paper.landscape;
    p.marginsMm = {0, 0, 0, 0};
    return p;
}

InvoicePage ReadInvoicePage(const Db& db)
{
    InvoicePage ip;
    ip.page = LayoutPage(PageA4, 210, 297);
    ip.font = ReportFont{QStringLiteral("DejaVu Sans"), 9, false, false};
    // The table keeps one row; the lowest rowid-free order is not defined, so
    // a tidy table is what the page-setup form leaves behind.
    Query q(db, QStringLiteral("SELECT * FROM SAYFA"));
    q.exec();
    if (!q.next())
        return ip;
    ip.found = true;
    ip.page = LayoutPage(q.str(QStringLiteral("SAYFAISIM")), int(q.integer(QStringLiteral("SAYFAGEN"))),
                         int(q.integer(QStringLiteral("SAYFAYUK"))), q.integer(QStringLiteral("PRBICIMI")) == 1);
    const QString family = q.str(QStringLiteral("FONTADI")).trimmed();
    if (!family.isEmpty())
        ip.font.family = family;
    const qint64 size = q.integer(QStringLiteral("FONTSIZE"));
    if (size > 0)
        ip.font.pointSize = double(size);
    ApplyFontStyle(ip.font, q.str(QStringLiteral("FONTSTYLE")));
    ip.fontForWholeReport = q.integer(QStringLiteral("FONT_AYAR")) == 1;
    ip.noCompanyHeader = q.integer(QStringLiteral("MATBU_BILGI_BASMA")) == 1;
    return ip;
}

QList<PlacedColumn> PlaceColumns(int blockLeft, const QList<ColumnSpec>& columns, double gapMm)
{
    QList<PlacedColumn> out;
    for (const ColumnSpec& c : columns) {
        PlacedColumn p{c.item, 0, double(qMax(0, c.width))};
        if (c.left > 0)
            p.left = c.left;
        else if (out.isEmpty())
            p.left = blockLeft;
        else
            p.left = out.last().left + out.last().width + gapMm;
        out.append(p);
    }
    return out;
}

QList<PlacedColumn> PlaceColumns(const LayoutRow& row, const QStringList& items, double gapMm)
{
    QList<ColumnSpec> specs;
    for (const QString& item : items)
        specs.append({item, row.mm(item + QStringLiteral("_S")), row.mm(item + QStringLiteral("_U"))});
    return PlaceColumns(row.mm(QStringLiteral("SUTB_S")), specs, gapMm);
}

QList<PlacedColumn> PlaceWidthColumns(const LayoutRow& row, const QStringList& items, double gapMm)
{
    QList<PlacedColumn> out;
    double left = row.mm(QStringLiteral("SUTB_S"));
    for (const QString& item : items) {
        const double width = qMax(0, row.mm(item + QStringLiteral("_U")));
        out.append({item, left, width});
        left += width + gapMm;
    }
    return out;
}

PrePrintedItem ItemAt(const LayoutRow& row, const QString& item, const QString& text, double width,
                      Qt::Alignment align)
{
    return PrePrintedItem{item, row.at(item), text, width, align, false};
}

namespace {

class PageWriter {
public:
    PageWriter(const PrePrintedForm& form, QStringList& offPage) : m_form(form), m_offPage(offPage)
    {
        m_font = form.font;
        if (m_font.family.isEmpty())
            m_font.family = QStringLiteral("DejaVu Sans");
        if (m_font.pointSize <= 0)
            m_font.pointSize = 9;
        m_paper = QRectF(QPointF(0, 0), form.page.pageSizeMm());
    }

    void text(RenderedPage& page, const QString& band, const QString& name, double x, double y, double w,
              const QString& text, Qt::Alignment align, bool bold = false, int symbology = 0, double h = 0,
              bool fixedPitch = false)
    {
        const QRectF rect(m_form.pageStart.x() + x, m_form.pageStart.y() + y, qMax(1.0, w),
                          h > 0 ? h : m_form.lineHeight);
        if (!m_paper.intersects(rect)) {
            if (!m_offPage.contains(name))
                m_offPage.append(name);
            return;
        }
        LayoutItem item;
        item.band = band;
        item.bandKind = band == QLatin1String("Detail") ? BandKind::Detail
                        : band == QLatin1String("Summary") ? BandKind::Summary
                                                            : BandKind::PageHeader;
        item.bandSeq = m_seq;
        item.element = name;
        item.kind = symbology > 0 ? ElementKind::Barcode : ElementKind::Label;
        item.barcodeSymbology = symbology;
        item.text = text;
        item.value = text;
        item.rect = rect;
        item.font = m_font;
        item.font.bold = item.font.bold || bold;
        if (fixedPitch)
            item.font.family = QStringLiteral("DejaVu Sans Mono");
        item.align = align;
        page.items.append(item);
    }

    void items(RenderedPage& page, const QString& band, const QList<PrePrintedItem>& list)
    {
        for (const PrePrintedItem& it : list) {
            ++m_seq;
            text(page, band, it.name, it.pos.x(), it.pos.y(), it.width, it.text, it.align, it.bold,
                 it.barcodeSymbology, it.height, it.fixedPitch);
        }
    }

    void line(RenderedPage& page, double y, const QStringList& cells)
    {
        ++m_seq;
        for (int c = 0; c < m_form.columns.size(); ++c) {
            const PlacedColumn& col = m_form.columns.at(c);
            if (col.width <= 0 || c >= cells.size() || cells.at(c).isEmpty())
                continue;
            const Qt::Alignment align = c < m_form.columnAlign.size() ? m_form.columnAlign.at(c)
                                                                      : Qt::AlignLeft | Qt::AlignVCenter;
            text(page, QStringLiteral("Detail"), col.item, col.left, y, col.width, cells.at(c), align);
        }
    }

    void carried(RenderedPage& page, double y, double amount, bool foot)
    {
        QString caption = m_form.carriedCaption;
        if (foot && !m_form.carriedFootCaption.isEmpty())
            caption = m_form.carriedFootCaption;
        ++m_seq;
        for (int c = 0; c < m_form.columns.size(); ++c) {
            const PlacedColumn& col = m_form.columns.at(c);
            const Qt::Alignment align = c < m_form.columnAlign.size() ? m_form.columnAlign.at(c)
                                                                      : Qt::AlignLeft | Qt::AlignVCenter;
            if (col.item == m_form.carriedCaptionColumn) {
                const double w = qMax(col.width, m_form.carriedCaptionWidth);
                if (w > 0)
                    text(page, QStringLiteral("Detail"), col.item, col.left + col.width - w, y, w, caption,
                         m_form.carriedCaptionWidth > 0 ? Qt::AlignRight | Qt::AlignVCenter : align);
            } else if (col.item == m_form.carriedAmountColumn && col.width > 0) {
                text(page, QStringLiteral("Detail"), col.item, col.left, y, col.width,
                     m_form.amountText ? m_form.amountText(amount) : QString::number(amount, 'f', 2), align);
            }
        }
    }

private:
    const PrePrintedForm& m_form;
    QStringList& m_offPage;
    ReportFont m_font;
    QRectF m_paper;
    int m_seq = 0;
};

double linesBottomOf(const PrePrintedForm& form)
{
    if (form.linesBottom > 0)
        return form.linesBottom;
    double bottom = 0;
    for (const PrePrintedItem& it : form.lastPage)
        if (it.pos.y() > form.linesTop && (bottom <= 0 || it.pos.y() < bottom))
            bottom = it.pos.y();
    if (bottom > 0)
        return bottom;
    return form.page.pageSizeMm().height() - form.pageStart.y() - 10;
}

} // namespace

PrePrintedResult RenderPrePrinted(const PrePrintedForm& form)
{
    PrePrintedResult result;
    result.document.title = form.title;
    result.document.page = form.page;
    result.document.page.marginsMm = {0, 0, 0, 0};

    const bool carry = !form.lineAmounts.isEmpty();
    const double lineHeight = form.lineHeight > 0 ? form.lineHeight : 4.5;
    int capacity = int(std::floor((linesBottomOf(form) - form.linesTop) / lineHeight + 1e-9));
    // A carried line needs a line of its own at either end of a page.
    capacity = qMax(capacity, carry ? 3 : 1);
    result.linesPerPage = capacity;

    PageWriter writer(form, result.offPage);
    const int total = int(form.lines.size());
    int next = 0;
    double carriedSum = 0;
    bool first = true;
    do {
        RenderedPage page;
        writer.items(page, QStringLiteral("PageHeader"), form.everyPage);
        int slot = 0;
        if (!first && carry) {
            writer.carried(page, form.linesTop, carriedSum, false);
            ++slot;
        }
        // The page is the last when the remaining lines fit in its free capacity.
        const bool last = total - next <= capacity - slot;
        const int room = last ? capacity - slot : capacity - slot - (carry ? 1 : 0);
        for (int i = 0; i < room && next < total; ++i, ++slot, ++next) {
            writer.line(page, form.linesTop + slot * lineHeight, form.lines.at(next));
            if (carry && next < form.lineAmounts.size())
                carriedSum += form.lineAmounts.at(next);
        }
        if (last)
            writer.items(page, QStringLiteral("Summary"), form.lastPage);
        else if (carry)
            writer.carried(page, form.linesTop + slot * lineHeight, carriedSum, true);
        result.document.pages.append(page);
        first = false;
    } while (next < total);
    return result;
}

QString OffPageMessage(const QStringList& items)
{
    if (items.isEmpty())
        return {};
    return QStringLiteral("Tasarımdaki şu alanlar sayfanın dışında kaldığı için basılmadı: %1")
        .arg(items.join(QStringLiteral(", ")));
}

} // namespace tornaly::report
