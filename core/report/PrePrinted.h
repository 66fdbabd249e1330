#pragma once
#include "db/Database.h"
#include "report/ReportEngine.h"

#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace tornaly::report {

// The layout tables of documents printed on pre-printed stationery.
inline const QString LayoutInvoice = QStringLiteral("KOORFAT");
inline const QString LayoutWorkOrder = QStringLiteral("KOORIE");
inline const QString LayoutWorkOrderClosing = QStringLiteral("KOORIEKAPA");
inline const QString LayoutDeclaration = QStringLiteral("KOORBYN2");

// One row of a layout table. Positions are whole millimetres; a NULL or a
// missing column reads as 0.
class LayoutRow {
public:
    bool found = false;

    int mm(const QString& column) const;
    QString text(const QString& column) const;
    // The F_S / F_U pair of an item.
    QPointF at(const QString& item) const;
    // The page start (SAYFA_S, SAYFA_U; SB_SX, SB_UX in the declaration).
    QPointF pageStart() const;
    void set(const QString& column, const QVariant& value);

private:
    QHash<QString, QVariant> m_values; // upper-case column names
};

// The layout a document prints with: the design it names (ID > 0) when that
// exists, else the first design (lowest ID). KOORIEKAPA and KOORBYN2 have
// one row in use (SATIR 1). A table without rows gives found = false and
// every position 0.
LayoutRow ReadLayout(const Db& db, const QString& table, int designId = 0);
// The initial values the designers' "İlk Tanım" loads (the second design, or
// SATIR 2).
LayoutRow ReadInitialLayout(const Db& db, const QString& table);

// The invoice page row of SAYFA: paper, orientation and font.
struct InvoicePage {
    bool found = false;
    PageSettings page;
    ReportFont font;
    bool fontForWholeReport = false; // FONT_AYAR = 1
    bool noCompanyHeader = false;    // MATBU_BILGI_BASMA = 1: A4 invoices leave name and logo out
};
InvoicePage ReadInvoicePage(const Db& db);

// A stored font style text ("Normal", "İtalik", "Kalın", "Kalın ve İtalik")
// onto a font, by the tests every reader applies in order.
void ApplyFontStyle(ReportFont& font, const QString& styleText);

// The paper of a page name and size as the layout designers store them.
PageSettings LayoutPage(const QString& pageName, int widthMm, int heightMm, bool landscape = false);

// A column of the line block: its _S (left, 0 or less: after the previous
// column) and _U (width).
struct ColumnSpec {
    QString item;
    int left = 0;
    int width = 0;
};
struct PlacedColumn {
    QString item;
    double left = 0; // mm from the page start
    double width = 0;
};
// Places the line columns in their printed order: a positive left is taken
// as it is, else the column follows the previous one after `gapMm`; the
// first column without a left of its own starts at the block's left.
QList<PlacedColumn> PlaceColumns(int blockLeft, const QList<ColumnSpec>& columns, double gapMm);
// The columns of a layout row, by item name, each from its _S and _U.
QList<PlacedColumn> PlaceColumns(const LayoutRow& row, const QStringList& items, double gapMm);
// Work-order designs keep widths only: each column starts `gapMm` after the
// end of the previous one, from SUTB_S.
QList<PlacedColumn> PlaceWidthColumns(const LayoutRow& row, const QStringList& items, double gapMm);

// A text printed at a layout position (mm from the page start).
struct PrePrintedItem {
    QString name;
    QPointF pos;
    QString text;
    double width = 60;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool bold = false;
    // A barcode of the text in place of the text (zint's numbering; 8 is Code 39).
    int barcodeSymbology = 0;
    double height = 0; // 0: one line
    // Columns of figures padded with spaces (a fixed-pitch font keeps them under each other).
    bool fixedPitch = false;
};
// An item at the position the row gives it.
PrePrintedItem ItemAt(const LayoutRow& row, const QString& item, const QString& text, double width = 60,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// A document on pre-printed paper: header items on every page, the lines in
// the column block from SUTB_U down, the totals on the last page only. When
// the lines need more than one page, each page but the last ends with a
// carried-total line and each following page starts with one.
struct PrePrintedForm {
    QString title;
    PageSettings page;  // the paper; its margins are ignored
    QPointF pageStart;  // SAYFA_S, SAYFA_U: added to every position
    ReportFont font{QStringLiteral("DejaVu Sans"), 9, false, false};

    QList<PrePrintedItem> everyPage;
    QList<PrePrintedItem> lastPage;

    QList<PlacedColumn> columns;
    QList<Qt::Alignment> columnAlign; // per column; left when missing
    double linesTop = 0;     // SUTB_U
    double lineHeight = 4.5;
    // Where the lines must stop (mm from the page start); 0: above the
    // highest last-page item below the lines, else the page's foot.
    double linesBottom = 0;
    QVector<QStringList> lines;  // one text per column
    QVector<double> lineAmounts; // summed into the carried total; empty: no carried lines

    QString carriedCaption = QStringLiteral("Nakli Yekün");
    // The caption at the foot of a page that continues; empty: carriedCaption.
    QString carriedFootCaption;
    QString carriedCaptionColumn; // the column the caption is printed in
    // The caption may reach left of its column: it ends where the column ends
    // and is at least this wide (0: the column's width).
    double carriedCaptionWidth = 0;
    QString carriedAmountColumn;  // the column the amount is printed in
    std::function<QString(double)> amountText;
};

// What the layout left out: items that fall off the paper (by name).
struct PrePrintedResult {
    Document document;
    QStringList offPage;
    int linesPerPage = 0;
};

PrePrintedResult RenderPrePrinted(const PrePrintedForm& form);

// The Turkish message for items that lie off the paper; empty when none.
QString OffPageMessage(const QStringList& items);

} // namespace tornaly::report
