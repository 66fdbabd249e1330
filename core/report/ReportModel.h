#pragma once
#include "db/Database.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class QAbstractItemModel;

namespace tornaly::report {

// ---------------------------------------------------------------------------
// Rows

// The field names of a source, looked up without regard to case (PostgreSQL
// hands names back in lower case).
class FieldSet {
public:
    explicit FieldSet(const QStringList& names);
    int indexOf(const QString& name) const;
    const QStringList& names() const { return m_names; }

private:
    QStringList m_names;
    QHash<QString, int> m_index;
};

// One row of a report source.
struct Record {
    std::shared_ptr<const FieldSet> fields;
    QVector<QVariant> values;

    bool isValid() const { return bool(fields); }
    QVariant value(const QString& field) const;
    bool has(const QString& field) const { return fields && fields->indexOf(field) >= 0; }
};

// Rows a report walks through once per rendering; open() starts again.
class ReportSource {
public:
    virtual ~ReportSource() = default;
    virtual void open() = 0;
    virtual bool next(Record& out) = 0;
};

using SourcePtr = std::shared_ptr<ReportSource>;

// A statement with bound values, run again for every rendering.
SourcePtr QuerySource(const Db& db, const QString& statement, const QVariantMap& binds = {});
// Any item model: field names from the header's field-name role, else its text.
SourcePtr ModelSource(const QAbstractItemModel* model);
// Rows held in memory.
SourcePtr RecordsSource(const QStringList& fields, QVector<QVector<QVariant>> rows);

// ---------------------------------------------------------------------------
// Layout definition. Positions and sizes are millimetres; an element's
// rectangle is relative to the top-left of its band.

struct ReportFont {
    QString family;     // empty: the report's font
    double pointSize = 0; // 0: the report's size
    bool bold = false;
    bool italic = false;
};

enum class ElementKind {
    Label,      // fixed text
    Field,      // a value of the current row
    Expression, // a value computed from the row, the totals and the page
    Memo,       // multi-line text; [FIELD] is replaced by the row's value
    Line,
    Box,
    Image,
    Barcode,    // text from the field or the fixed text
    Chart,
    PageNumber, // text with {PAGE} and {PAGES}
    PrintDate,  // text with {DATE}
    RowNumber,
    Total       // the value of a named aggregate
};

struct ChartSpec {
    enum Kind { Bar, Pie, Line } kind = Bar;
    QString title;
    QStringList categories;
    QList<QPair<QString, QList<double>>> series;
};

class RenderContext;

struct Element {
    ElementKind kind = ElementKind::Label;
    QString name;
    QRectF rect;
    QString text;
    QString field;
    QString format; // ",0.00" money, "dd.MM.yyyy" dates, "#" whole numbers
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    ReportFont font;
    bool visible = true;
    bool wordWrap = false;
    bool stretch = false;   // a memo that grows its band to show all its lines
    double penWidth = 0.2;  // lines and boxes, mm
    bool frame = false;     // a box around a text
    QImage image;
    int barcodeSymbology = 20; // zint's numbering; 20 is Code 128
    ChartSpec chart;
    std::function<QVariant(const RenderContext&)> expr;
    std::function<bool(const RenderContext&)> printIf;
    // Overrides the text formatting of a value (for example balances with side letters).
    std::function<QString(const QVariant&)> display;
};

enum class BandKind { Title, PageHeader, ColumnHeader, GroupHeader, GroupFooter, Detail, SubDetail, Summary, PageFooter };

QString BandKindName(BandKind kind);

struct Band {
    Band() = default;
    Band(BandKind k, QString n, double h = 0) : kind(k), name(std::move(n)), height(h) {}

    BandKind kind = BandKind::Detail;
    QString name;
    double height = 0;
    QList<Element> elements;
    bool visible = true;
    bool newPageBefore = false;
    std::function<bool(const RenderContext&)> printIf;

    Element& add(const Element& e)
    {
        elements.append(e);
        return elements.last();
    }
    Element* element(const QString& name);
    bool isUsed() const { return visible && height > 0; }
};

struct Group {
    QString name;
    QString keyField;                               // either a field ...
    std::function<QVariant(const Record&)> key;     // ... or a computed key
    Band header;
    Band footer;
    bool newPage = false;      // each group starts a page
    bool repeatHeader = false; // the header is printed again on each following page
};

// Rows printed under each master row, from a source opened for that row.
struct SubDetail {
    QString name;
    std::function<SourcePtr(const Record& master)> source;
    Band header;
    Band detail;
    Band footer;
};

enum class AggFunc { Sum, Count, Min, Max };
// Group: reset when the named group starts; Page: reset on each page
// ("Sayfa Toplamı"); Report: runs from the first page ("Genel Toplam").
enum class AggScope { Group, Page, Report };

struct Aggregate {
    QString name;
    AggFunc func = AggFunc::Sum;
    QString field;
    std::function<double(const RenderContext&)> value;      // in place of the field
    std::function<bool(const RenderContext&)> condition;    // conditional sums
    AggScope scope = AggScope::Report;
    QString group;                                          // for AggScope::Group
    // The value a sum starts from at each reset (a running balance's opening
    // balance); evaluated on the first row after the reset.
    std::function<double(const RenderContext&)> opening;
    QString subDetail; // empty: counts master rows; else the rows of that sub-detail
};

struct PageSettings {
    QPageSize::PageSizeId paperId = QPageSize::A4; // Custom: sizeMm holds the paper
    QSizeF sizeMm{210, 297};                        // portrait width x length
    bool landscape = false;
    QMarginsF marginsMm{10, 10, 10, 10};
    // The paper the printer is given for this job when it differs from the
    // report's page (stored page setups can ask for that); empty: the page.
    QSizeF printerSizeMm;
    int printerPaperCode = 0;

    // The page as printed, with the orientation applied.
    QSizeF pageSizeMm() const { return landscape ? sizeMm.transposed() : sizeMm; }
};

class Report {
public:
    QString name = QStringLiteral("QuickRep1"); // the component name page setups are stored under
    QString title;
    PageSettings page;
    ReportFont font{QStringLiteral("DejaVu Sans"), 8, false, false};
    SourcePtr source;

    Band titleBand{BandKind::Title, QStringLiteral("Title")};
    Band pageHeader{BandKind::PageHeader, QStringLiteral("PageHeader")};
    Band columnHeader{BandKind::ColumnHeader, QStringLiteral("ColumnHeader")};
    Band detail{BandKind::Detail, QStringLiteral("Detail")};
    Band summary{BandKind::Summary, QStringLiteral("Summary")};
    Band pageFooter{BandKind::PageFooter, QStringLiteral("PageFooter")};
    QList<Group> groups; // outermost first
    QList<SubDetail> subDetails;
    QList<Aggregate> aggregates;

    QDateTime printTime; // invalid: the time of rendering

    // Bands and elements by name, for switching them off at run time.
    Band* band(const QString& name);
    Element* element(const QString& name);
    bool setBandVisible(const QString& name, bool visible);
    bool setElementVisible(const QString& name, bool visible);
};

// ---------------------------------------------------------------------------
// What expressions see while a report is laid out.

class RenderContext {
public:
    const Record& record() const { return *m_record; }
    const Record* master() const { return m_master; }
    QVariant value(const QString& field) const;
    double num(const QString& field) const { return value(field).toDouble(); }
    QString str(const QString& field) const { return value(field).toString(); }
    double total(const QString& aggregate) const;
    int page() const { return m_page; }
    int rowNumber() const { return m_row; }
    int groupRowNumber() const { return m_groupRow; }
    const QDateTime& printTime() const { return m_printTime; }

private:
    friend class Engine;
    const Record* m_record = nullptr;
    const Record* m_master = nullptr;
    std::function<double(const QString&)> m_total;
    int m_page = 0;
    int m_row = 0;
    int m_groupRow = 0;
    QDateTime m_printTime;
};

// ---------------------------------------------------------------------------
// Element helpers, so that a layout reads as a list of its parts.

Element Label(double x, double y, double w, double h, const QString& text,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
Element Field(double x, double y, double w, double h, const QString& field, const QString& format = {},
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
Element Expr(double x, double y, double w, double h, std::function<QVariant(const RenderContext&)> fn,
             const QString& format = {}, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
Element Memo(double x, double y, double w, double h, const QString& text, bool stretch = true);
Element HLine(double x, double y, double w, double pen = 0.2);
Element VLine(double x, double y, double h, double pen = 0.2);
Element Box(double x, double y, double w, double h, double pen = 0.2);
Element Picture(double x, double y, double w, double h, const QImage& image);
Element BarcodeEl(double x, double y, double w, double h, const QString& fieldOrText, bool isField = true,
                  int symbology = 20);
Element ChartEl(double x, double y, double w, double h, const ChartSpec& chart);
Element PageNo(double x, double y, double w, double h, const QString& text = QStringLiteral("Sayfa No : {PAGE}"),
               Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);
Element PrintDateEl(double x, double y, double w, double h,
                    const QString& text = QStringLiteral("Döküm Tarihi : {DATE}"),
                    Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);
Element RowNo(double x, double y, double w, double h, bool inGroup = false);
Element TotalEl(double x, double y, double w, double h, const QString& aggregate,
                const QString& format = QStringLiteral(",0.00"),
                Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);

Element Named(Element e, const QString& name);
Element Bold(Element e);
Element Sized(Element e, double pointSize);

// A value as printed: money formats (",0.00", ",0", "#") in Turkish
// separators, date formats for dates, plain text otherwise.
QString FormatValue(const QVariant& value, const QString& format);

// A balance as the finance reports show it: the absolute amount followed by
// " (A)" for credit (negative debit-minus-credit is the caller's choice of
// sign: here a positive value is credit) and " (B)" for debit; zero "---   ".
QString BalanceText(double creditMinusDebit, const QString& format = QStringLiteral(",0.00"));

} // namespace tornaly::report
