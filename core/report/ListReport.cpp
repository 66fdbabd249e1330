#include "report/ListReport.h"

namespace tornaly::report {

namespace {
constexpr double kRow = 4.6;      // detail line height, mm
constexpr double kPad = 1.0;      // gap between columns, mm
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
} // namespace

ListReportBuilder::ListReportBuilder(const QString& title) : m_title(title) {}

ListReportBuilder::Column ListReportBuilder::makeColumn(const QString& name, const QString& field,
                                                        const QString& caption, double width, const QString& format,
                                                        Qt::Alignment align)
{
    Column c;
    c.name = name;
    c.field = field;
    c.caption = caption;
    c.width = width;
    c.format = format;
    c.align = align;
    return c;
}

ListReportBuilder& ListReportBuilder::source(SourcePtr src)
{
    m_source = std::move(src);
    return *this;
}
ListReportBuilder& ListReportBuilder::landscape(bool on)
{
    m_landscape = on;
    return *this;
}
ListReportBuilder& ListReportBuilder::company(const QString& n)
{
    m_company = n;
    return *this;
}
ListReportBuilder& ListReportBuilder::subtitle(const QString& t)
{
    m_subtitle = t;
    return *this;
}
ListReportBuilder& ListReportBuilder::name(const QString& n)
{
    m_name = n;
    return *this;
}
ListReportBuilder& ListReportBuilder::fontSize(double pt)
{
    m_fontSize = pt;
    return *this;
}

ListReportBuilder& ListReportBuilder::text(const QString& field, const QString& caption, double w)
{
    m_columns.append(makeColumn(field, field, caption, w, {}, kLeft));
    return *this;
}
ListReportBuilder& ListReportBuilder::date(const QString& field, const QString& caption, double w)
{
    m_columns.append(makeColumn(field, field, caption, w, QStringLiteral("dd.MM.yyyy"), kLeft));
    return *this;
}
ListReportBuilder& ListReportBuilder::number(const QString& field, const QString& caption, double w,
                                             const QString& format)
{
    m_columns.append(makeColumn(field, field, caption, w, format, kRight));
    return *this;
}
ListReportBuilder& ListReportBuilder::money(const QString& field, const QString& caption, double w, bool totals,
                                            const QString& format)
{
    Column c = makeColumn(field, field, caption, w, format, kRight);
    c.totals = totals;
    m_columns.append(c);
    return *this;
}
ListReportBuilder& ListReportBuilder::computed(const QString& n, const QString& caption, double w,
                                               std::function<QVariant(const RenderContext&)> fn,
                                               const QString& format, Qt::Alignment align)
{
    Column c = makeColumn(n, {}, caption, w, format, align | Qt::AlignVCenter);
    c.fn = std::move(fn);
    m_columns.append(c);
    return *this;
}
ListReportBuilder& ListReportBuilder::runningBalance(const QString& n, const QString& caption, double w,
                                                     std::function<double(const RenderContext&)> delta,
                                                     std::function<double(const RenderContext&)> opening,
                                                     const QString& resetGroup,
                                                     std::function<QString(const QVariant&)> display)
{
    Column c = makeColumn(n, {}, caption, w, QStringLiteral(",0.00"), kRight);
    c.delta = std::move(delta);
    c.opening = std::move(opening);
    c.resetGroup = resetGroup;
    c.display = std::move(display);
    m_columns.append(c);
    return *this;
}
ListReportBuilder& ListReportBuilder::hidden(bool on)
{
    if (!m_columns.isEmpty())
        m_columns.last().hidden = on;
    return *this;
}
ListReportBuilder& ListReportBuilder::display(std::function<QString(const QVariant&)> fn)
{
    if (!m_columns.isEmpty())
        m_columns.last().display = std::move(fn);
    return *this;
}
ListReportBuilder& ListReportBuilder::groupBy(const QString& field, std::function<QString(const RenderContext&)> header,
                                              std::function<QString(const RenderContext&)> footer, bool newPage,
                                              bool repeatHeader)
{
    m_groups.append(GroupDef{field, std::move(header), std::move(footer), newPage, repeatHeader});
    return *this;
}
ListReportBuilder& ListReportBuilder::pageTotals(bool on)
{
    m_pageTotals = on;
    return *this;
}
ListReportBuilder& ListReportBuilder::summary(const QString& caption)
{
    m_summary = caption;
    return *this;
}
ListReportBuilder& ListReportBuilder::rowCondition(std::function<bool(const RenderContext&)> fn)
{
    m_rowCondition = std::move(fn);
    return *this;
}

QString ListReportBuilder::groupTotal(const QString& field, int group)
{
    return field + QStringLiteral("#G") + QString::number(group);
}
QString ListReportBuilder::pageTotal(const QString& field) { return field + QStringLiteral("#P"); }
QString ListReportBuilder::grandTotal(const QString& field) { return field + QStringLiteral("#R"); }

Report ListReportBuilder::build() const
{
    Report r;
    r.name = m_name;
    r.title = m_title;
    r.source = m_source;
    r.font.pointSize = m_fontSize;
    r.page.landscape = m_landscape;
    r.page.marginsMm = QMarginsF(12, 10, 10, 10);
    const double width = r.page.pageSizeMm().width() - r.page.marginsMm.left() - r.page.marginsMm.right();

    // Column places: hidden columns leave no gap.
    struct Placed {
        const Column* c;
        double x;
    };
    QList<Placed> cols;
    double x = 0;
    for (const Column& c : m_columns) {
        if (c.hidden)
            continue;
        cols.append({&c, x});
        x += c.width + kPad;
    }
    const double used = std::min(width, std::max(0.0, x - kPad));
    double firstTotalX = used;
    for (const Placed& p : cols)
        if (p.c->totals) {
            firstTotalX = p.x;
            break;
        }
    const double captionW = std::max(20.0, firstTotalX - kPad);

    // Heading, over the width the columns take.
    const double span = used >= 100 ? used : width;
    Band& ph = r.pageHeader;
    ph.height = m_subtitle.isEmpty() ? 17 : 21;
    if (!m_company.isEmpty())
        ph.add(Bold(Named(Label(0, 0, span * 0.6, 5, m_company), QStringLiteral("Firma"))));
    ph.add(PrintDateEl(span - 60, 0, 60, 5));
    ph.add(PageNo(span - 60, 5, 60, 5, QStringLiteral("Sayfa No : {PAGE} / {PAGES}")));
    ph.add(Sized(Bold(Named(Label(0, 6, span, 7, m_title, kCentre), QStringLiteral("Baslik"))), 12));
    if (!m_subtitle.isEmpty())
        ph.add(Named(Label(0, 13, span, 5, m_subtitle, kCentre), QStringLiteral("AltBaslik")));

    Band& ch = r.columnHeader;
    ch.height = 6.5;
    ch.add(HLine(0, 0.3, used, 0.35));
    for (const Placed& p : cols) {
        Element e = Bold(Named(Label(p.x, 0.8, p.c->width, 5, p.c->caption, p.c->align | Qt::AlignVCenter),
                               p.c->name));
        ch.add(e);
    }
    ch.add(HLine(0, 6.0, used, 0.35));

    // Detail line.
    r.detail.height = kRow;
    r.detail.printIf = m_rowCondition;
    for (const Placed& p : cols) {
        const Column& c = *p.c;
        Element e;
        if (c.delta) {
            Aggregate a;
            a.name = c.name;
            a.func = AggFunc::Sum;
            a.value = c.delta;
            a.opening = c.opening;
            if (!c.resetGroup.isEmpty()) {
                a.scope = AggScope::Group;
                a.group = c.resetGroup;
            }
            r.aggregates.append(a);
            e = TotalEl(p.x, 0, c.width, kRow, c.name, c.format);
        } else if (c.fn) {
            e = Expr(p.x, 0, c.width, kRow, c.fn, c.format, c.align | Qt::AlignVCenter);
        } else {
            e = Field(p.x, 0, c.width, kRow, c.field, c.format, c.align | Qt::AlignVCenter);
        }
        e.name = c.name;
        e.display = c.display;
        r.detail.add(e);
    }

    auto totalsRow = [&](Band& b, double y, const QString& caption, std::function<QString(const QString&)> agg,
                         bool bold) {
        if (!caption.isEmpty()) {
            Element cap = Label(0, y, captionW, kRow, caption, kRight);
            cap.font.bold = bold;
            b.add(Named(cap, QStringLiteral("Caption")));
        }
        for (const Placed& p : cols) {
            if (!p.c->totals)
                continue;
            Element e = TotalEl(p.x, y, p.c->width, kRow, agg(p.c->field), p.c->format);
            e.name = p.c->name;
            e.font.bold = bold;
            b.add(e);
        }
    };
    auto addSums = [&](AggScope scope, const QString& group, std::function<QString(const QString&)> name) {
        for (const Placed& p : cols) {
            if (!p.c->totals)
                continue;
            Aggregate a;
            a.name = name(p.c->field);
            a.field = p.c->field;
            a.scope = scope;
            a.group = group;
            r.aggregates.append(a);
        }
    };

    // Groups.
    for (int g = 0; g < m_groups.size(); ++g) {
        const GroupDef& def = m_groups[g];
        Group grp;
        grp.name = QStringLiteral("Grup") + QString::number(g + 1);
        grp.keyField = def.field;
        grp.newPage = def.newPage;
        grp.repeatHeader = def.repeat;
        grp.header = Band{BandKind::GroupHeader, grp.name + QStringLiteral("Baslik"), def.header ? 6.0 : 0.0};
        if (def.header) {
            auto fn = def.header;
            grp.header.add(Bold(Named(Expr(g * 3.0, 1, used - g * 3.0, 5, [fn](const RenderContext& c) {
                                            return QVariant(fn(c));
                                        }),
                                       QStringLiteral("GrupBaslik"))));
        }
        grp.footer = Band{BandKind::GroupFooter, grp.name + QStringLiteral("Toplam"), kRow + 2.5};
        grp.footer.add(HLine(firstTotalX, 0.4, std::max(0.0, used - firstTotalX), 0.2));
        const auto footer = def.footer;
        if (footer)
            grp.footer.add(Bold(Named(Expr(0, 0.8, captionW, kRow, [footer](const RenderContext& c) {
                                          return QVariant(footer(c));
                                      }, {}, kRight),
                                      QStringLiteral("GrupToplamBaslik"))));
        totalsRow(grp.footer, 0.8, {}, [g](const QString& f) { return groupTotal(f, g); }, true);
        addSums(AggScope::Group, grp.name, [g](const QString& f) { return groupTotal(f, g); });
        r.groups.append(grp);
    }

    // Page footer: this page's sums and the running sums from the first page.
    const bool anyTotals = std::any_of(cols.begin(), cols.end(), [](const Placed& p) { return p.c->totals; });
    if (m_pageTotals && anyTotals) {
        Band& pf = r.pageFooter;
        pf.height = 2 * kRow + 1.5;
        pf.add(HLine(0, 0.3, used, 0.35));
        totalsRow(pf, 0.8, QStringLiteral("Sayfa Toplamı"), pageTotal, false);
        totalsRow(pf, 0.8 + kRow, QStringLiteral("Genel Toplam"), grandTotal, true);
        addSums(AggScope::Page, {}, pageTotal);
    }
    if (anyTotals)
        addSums(AggScope::Report, {}, grandTotal);
    if (!m_summary.isEmpty() && anyTotals) {
        Band& s = r.summary;
        s.height = kRow + 3;
        s.add(HLine(0, 0.5, used, 0.35));
        s.add(HLine(0, 1.1, used, 0.35));
        totalsRow(s, 1.6, m_summary, grandTotal, true);
    }
    return r;
}

} // namespace tornaly::report
