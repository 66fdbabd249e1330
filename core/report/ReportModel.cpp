#include "report/ReportModel.h"

#include "money/Money.h"
#include "settings/GridLayout.h"

#include <QAbstractItemModel>
#include <QLocale>
#include <cmath>

namespace tornaly::report {

FieldSet::FieldSet(const QStringList& names) : m_names(names)
{
    for (int i = 0; i < names.size(); ++i)
        m_index.insert(names[i].toUpper(), i);
}

int FieldSet::indexOf(const QString& name) const
{
    return m_index.value(name.toUpper(), -1);
}

QVariant Record::value(const QString& field) const
{
    if (!fields)
        return {};
    const int i = fields->indexOf(field);
    return i < 0 || i >= values.size() ? QVariant() : values[i];
}

namespace {

class QueryReportSource : public ReportSource {
public:
    QueryReportSource(Db db, QString statement, QVariantMap binds)
        : m_db(std::move(db)), m_statement(std::move(statement)), m_binds(std::move(binds))
    {
    }
    void open() override
    {
        m_query = std::make_unique<Query>(m_db, m_statement);
        m_query->bindAll(m_binds).exec();
        const QSqlRecord rec = m_query->record();
        QStringList names;
        for (int i = 0; i < rec.count(); ++i)
            names << rec.fieldName(i);
        m_fields = std::make_shared<FieldSet>(names);
    }
    bool next(Record& out) override
    {
        if (!m_query || !m_query->next())
            return false;
        out.fields = m_fields;
        const int n = int(m_fields->names().size());
        out.values.resize(n);
        for (int i = 0; i < n; ++i) {
            // The database layer gives dates and times as such on both backends.
            out.values[i] = m_query->value(i);
        }
        return true;
    }

private:
    Db m_db;
    QString m_statement;
    QVariantMap m_binds;
    std::unique_ptr<Query> m_query;
    std::shared_ptr<const FieldSet> m_fields;
};

class ModelReportSource : public ReportSource {
public:
    explicit ModelReportSource(const QAbstractItemModel* model) : m_model(model) {}
    void open() override
    {
        QStringList names;
        for (int c = 0; c < m_model->columnCount(); ++c) {
            QString n = m_model->headerData(c, Qt::Horizontal, FieldNameRole).toString();
            if (n.isEmpty())
                n = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            names << n;
        }
        m_fields = std::make_shared<FieldSet>(names);
        m_row = 0;
    }
    bool next(Record& out) override
    {
        while (m_row >= m_model->rowCount() && m_model->canFetchMore({}))
            const_cast<QAbstractItemModel*>(m_model)->fetchMore({});
        if (m_row >= m_model->rowCount())
            return false;
        out.fields = m_fields;
        const int n = int(m_fields->names().size());
        out.values.resize(n);
        for (int c = 0; c < n; ++c)
            out.values[c] = m_model->data(m_model->index(m_row, c), Qt::EditRole);
        ++m_row;
        return true;
    }

private:
    const QAbstractItemModel* m_model;
    std::shared_ptr<const FieldSet> m_fields;
    int m_row = 0;
};

class RecordsReportSource : public ReportSource {
public:
    RecordsReportSource(const QStringList& fields, QVector<QVector<QVariant>> rows)
        : m_fields(std::make_shared<FieldSet>(fields)), m_rows(std::move(rows))
    {
    }
    void open() override { m_row = 0; }
    bool next(Record& out) override
    {
        if (m_row >= m_rows.size())
            return false;
        out.fields = m_fields;
        out.values = m_rows[m_row++];
        return true;
    }

private:
    std::shared_ptr<const FieldSet> m_fields;
    QVector<QVector<QVariant>> m_rows;
    qsizetype m_row = 0;
};

} // namespace

SourcePtr QuerySource(const Db& db, const QString& statement, const QVariantMap& binds)
{
    return std::make_shared<QueryReportSource>(db, statement, binds);
}

SourcePtr ModelSource(const QAbstractItemModel* model)
{
    return std::make_shared<ModelReportSource>(model);
}

SourcePtr RecordsSource(const QStringList& fields, QVector<QVector<QVariant>> rows)
{
    return std::make_shared<RecordsReportSource>(fields, std::move(rows));
}

QString BandKindName(BandKind kind)
{
    switch (kind) {
    case BandKind::Title: return QStringLiteral("Title");
    case BandKind::PageHeader: return QStringLiteral("PageHeader");
    case BandKind::ColumnHeader: return QStringLiteral("ColumnHeader");
    case BandKind::GroupHeader: return QStringLiteral("GroupHeader");
    case BandKind::GroupFooter: return QStringLiteral("GroupFooter");
    case BandKind::Detail: return QStringLiteral("Detail");
    case BandKind::SubDetail: return QStringLiteral("SubDetail");
    case BandKind::Summary: return QStringLiteral("Summary");
    case BandKind::PageFooter: return QStringLiteral("PageFooter");
    }
    return {};
}

Element* Band::element(const QString& n)
{
    for (Element& e : elements)
        if (e.name == n)
            return &e;
    return nullptr;
}

Band* Report::band(const QString& n)
{
    for (Band* b : {&titleBand, &pageHeader, &columnHeader, &detail, &summary, &pageFooter})
        if (b->name == n)
            return b;
    for (Group& g : groups) {
        if (g.header.name == n)
            return &g.header;
        if (g.footer.name == n)
            return &g.footer;
    }
    for (SubDetail& s : subDetails)
        for (Band* b : {&s.header, &s.detail, &s.footer})
            if (b->name == n)
                return b;
    return nullptr;
}

Element* Report::element(const QString& n)
{
    QList<Band*> all{&titleBand, &pageHeader, &columnHeader, &detail, &summary, &pageFooter};
    for (Group& g : groups)
        all << &g.header << &g.footer;
    for (SubDetail& s : subDetails)
        all << &s.header << &s.detail << &s.footer;
    for (Band* b : all)
        if (Element* e = b->element(n))
            return e;
    return nullptr;
}

bool Report::setBandVisible(const QString& n, bool visible)
{
    Band* b = band(n);
    if (b)
        b->visible = visible;
    return b;
}

bool Report::setElementVisible(const QString& n, bool visible)
{
    bool found = false;
    QList<Band*> all{&titleBand, &pageHeader, &columnHeader, &detail, &summary, &pageFooter};
    for (Group& g : groups)
        all << &g.header << &g.footer;
    for (SubDetail& s : subDetails)
        all << &s.header << &s.detail << &s.footer;
    // A column has one element per band under the same name: switch them all.
    for (Band* b : all)
        for (Element& e : b->elements)
            if (e.name == n) {
                e.visible = visible;
                found = true;
            }
    return found;
}

QVariant RenderContext::value(const QString& field) const
{
    if (m_record && m_record->has(field))
        return m_record->value(field);
    if (m_master)
        return m_master->value(field);
    return {};
}

double RenderContext::total(const QString& aggregate) const
{
    return m_total ? m_total(aggregate) : 0.0;
}

// ---------------------------------------------------------------------------

static Element make(ElementKind kind, double x, double y, double w, double h)
{
    Element e;
    e.kind = kind;
    e.rect = QRectF(x, y, w, h);
    return e;
}

Element Label(double x, double y, double w, double h, const QString& text, Qt::Alignment align)
{
    Element e = make(ElementKind::Label, x, y, w, h);
    e.text = text;
    e.align = align;
    return e;
}

Element Field(double x, double y, double w, double h, const QString& field, const QString& format,
              Qt::Alignment align)
{
    Element e = make(ElementKind::Field, x, y, w, h);
    e.field = field;
    e.name = field;
    e.format = format;
    e.align = align;
    return e;
}

Element Expr(double x, double y, double w, double h, std::function<QVariant(const RenderContext&)> fn,
             const QString& format, Qt::Alignment align)
{
    Element e = make(ElementKind::Expression, x, y, w, h);
    e.expr = std::move(fn);
    e.format = format;
    e.align = align;
    return e;
}

Element Memo(double x, double y, double w, double h, const QString& text, bool stretch)
{
    Element e = make(ElementKind::Memo, x, y, w, h);
    e.text = text;
    e.wordWrap = true;
    e.stretch = stretch;
    e.align = Qt::AlignLeft | Qt::AlignTop;
    return e;
}

Element HLine(double x, double y, double w, double pen)
{
    Element e = make(ElementKind::Line, x, y, w, 0);
    e.penWidth = pen;
    return e;
}

Element VLine(double x, double y, double h, double pen)
{
    Element e = make(ElementKind::Line, x, y, 0, h);
    e.penWidth = pen;
    return e;
}

Element Box(double x, double y, double w, double h, double pen)
{
    Element e = make(ElementKind::Box, x, y, w, h);
    e.penWidth = pen;
    return e;
}

Element Picture(double x, double y, double w, double h, const QImage& image)
{
    Element e = make(ElementKind::Image, x, y, w, h);
    e.image = image;
    return e;
}

Element BarcodeEl(double x, double y, double w, double h, const QString& fieldOrText, bool isField, int symbology)
{
    Element e = make(ElementKind::Barcode, x, y, w, h);
    (isField ? e.field : e.text) = fieldOrText;
    e.barcodeSymbology = symbology;
    return e;
}

Element ChartEl(double x, double y, double w, double h, const ChartSpec& chart)
{
    Element e = make(ElementKind::Chart, x, y, w, h);
    e.chart = chart;
    return e;
}

Element PageNo(double x, double y, double w, double h, const QString& text, Qt::Alignment align)
{
    Element e = make(ElementKind::PageNumber, x, y, w, h);
    e.text = text;
    e.align = align;
    return e;
}

Element PrintDateEl(double x, double y, double w, double h, const QString& text, Qt::Alignment align)
{
    Element e = make(ElementKind::PrintDate, x, y, w, h);
    e.text = text;
    e.align = align;
    return e;
}

Element RowNo(double x, double y, double w, double h, bool inGroup)
{
    Element e = make(ElementKind::RowNumber, x, y, w, h);
    e.align = Qt::AlignRight | Qt::AlignVCenter;
    e.text = inGroup ? QStringLiteral("group") : QString();
    return e;
}

Element TotalEl(double x, double y, double w, double h, const QString& aggregate, const QString& format,
                Qt::Alignment align)
{
    Element e = make(ElementKind::Total, x, y, w, h);
    e.field = aggregate;
    e.name = aggregate;
    e.format = format;
    e.align = align;
    return e;
}

Element Named(Element e, const QString& name)
{
    e.name = name;
    return e;
}

Element Bold(Element e)
{
    e.font.bold = true;
    return e;
}

Element Sized(Element e, double pointSize)
{
    e.font.pointSize = pointSize;
    return e;
}

QString FormatValue(const QVariant& value, const QString& format)
{
    if (!value.isValid() || value.isNull())
        return {};
    const int type = value.typeId();
    if (type == QMetaType::QDate) {
        return value.toDate().toString(format.isEmpty() ? QStringLiteral("dd.MM.yyyy") : format);
    }
    if (type == QMetaType::QDateTime) {
        const QDateTime dt = value.toDateTime();
        if (format.isEmpty())
            return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("dd.MM.yyyy"))
                                            : dt.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        return dt.toString(format);
    }
    const bool numeric = type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int
        || type == QMetaType::LongLong || type == QMetaType::UInt || type == QMetaType::ULongLong;
    const bool numberFormat = !format.isEmpty()
        && (format[0] == QLatin1Char(',') || format[0] == QLatin1Char('#') || format[0] == QLatin1Char('0'));
    if (numberFormat) {
        bool ok = numeric;
        double d = value.toDouble(&ok);
        if (!ok)
            return value.toString();
        if (format == QLatin1String("#"))
            return FormatMoney(d, QStringLiteral("0"));
        return FormatMoney(d, format);
    }
    if (numeric && (type == QMetaType::Double || type == QMetaType::Float)) {
        const double d = value.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QLocale(QLocale::Turkish, QLocale::Turkey).toString(d, 'g', 15);
    }
    return value.toString();
}

QString BalanceText(double creditMinusDebit, const QString& format)
{
    const double r = RoundDecimal(creditMinusDebit, 2, DecimalRounding::HalfAwayFromZero);
    if (r == 0.0)
        return QStringLiteral("---   ");
    return FormatMoney(std::fabs(r), format) + (r > 0 ? QStringLiteral(" (A)") : QStringLiteral(" (B)"));
}

} // namespace tornaly::report
