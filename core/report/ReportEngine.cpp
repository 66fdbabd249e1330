#include "report/ReportEngine.h"

#include "report/ReportChart.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace tornaly::report {

namespace {

constexpr double kMeasureDpi = 1200.0;
constexpr double kEps = 1e-6;

const QImage& measureDevice()
{
    static const QImage img = [] {
        QImage i(1, 1, QImage::Format_Mono);
        const int dpm = int(kMeasureDpi / 0.0254 + 0.5);
        i.setDotsPerMeterX(dpm);
        i.setDotsPerMeterY(dpm);
        return i;
    }();
    return img;
}

ReportFont resolve(const ReportFont& f, const ReportFont& base)
{
    ReportFont r = f;
    if (r.family.isEmpty())
        r.family = base.family.isEmpty() ? QStringLiteral("DejaVu Sans") : base.family;
    if (r.pointSize <= 0)
        r.pointSize = base.pointSize > 0 ? base.pointSize : 8;
    return r;
}

} // namespace

QFont ToQFont(const ReportFont& f)
{
    QFont font(f.family);
    font.setPointSizeF(f.pointSize > 0 ? f.pointSize : 8);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setKerning(true);
    return font;
}

double TextHeightMm(const QString& text, const ReportFont& font, double widthMm)
{
    QFontMetricsF fm(ToQFont(font), &measureDevice());
    const double pxPerMm = kMeasureDpi / 25.4;
    const QRectF r = fm.boundingRect(QRectF(0, 0, widthMm * pxPerMm, 1e7), Qt::TextWordWrap | Qt::AlignLeft, text);
    return r.height() / pxPerMm + 0.5;
}

class Engine {
public:
    explicit Engine(const Report& r) : R(r)
    {
        printTime = r.printTime.isValid() ? r.printTime : QDateTime::currentDateTime();
        for (int i = 0; i < R.aggregates.size(); ++i)
            aggIndex.insert(R.aggregates[i].name, i);
        agg.resize(R.aggregates.size());
        doc.title = r.title;
        doc.page = r.page;
        pageSize = r.page.pageSizeMm();
        const int ng = int(R.groups.size());
        groupOpen.fill(false, ng);
        groupFirst.resize(ng);
        groupKeys.resize(ng);
    }

    Document run();

private:
    struct AggState {
        double value = 0;
        qint64 count = 0;
        bool has = false;
    };

    const Report& R;
    Document doc;
    QSizeF pageSize;
    QDateTime printTime;
    QHash<QString, int> aggIndex;
    QVector<AggState> agg;
    int pageNo = 0;
    double y = 0;
    double bodyTop = 0;
    int bandSeq = 0;
    int rowNo = 0;
    int groupRowNo = 0;
    QVector<bool> groupOpen;
    QVector<Record> groupFirst;
    QVector<QVariant> groupKeys;
    bool reportAggsStarted = false;

    RenderContext ctx(const Record& rec, const Record* master) const
    {
        RenderContext c;
        c.m_record = &rec;
        c.m_master = master;
        c.m_total = [this](const QString& n) { return total(n); };
        c.m_page = pageNo;
        c.m_row = rowNo;
        c.m_groupRow = groupRowNo;
        c.m_printTime = printTime;
        return c;
    }

    double total(const QString& name) const
    {
        const int i = aggIndex.value(name, -1);
        if (i < 0)
            return 0;
        return R.aggregates[i].func == AggFunc::Count ? double(agg[i].count) : agg[i].value;
    }

    double bottomLimit() const
    {
        const double footer = R.pageFooter.isUsed() ? R.pageFooter.height : 0;
        return pageSize.height() - R.page.marginsMm.bottom() - footer;
    }

    void resetAgg(int i, const Record* rec, const Record* master)
    {
        const Aggregate& a = R.aggregates[i];
        agg[i] = AggState{};
        if (a.opening && rec)
            agg[i].value = a.opening(ctx(*rec, master));
    }

    void accumulate(const QString& subDetail, const RenderContext& c)
    {
        for (int i = 0; i < R.aggregates.size(); ++i) {
            const Aggregate& a = R.aggregates[i];
            if (a.subDetail != subDetail)
                continue;
            if (a.condition && !a.condition(c))
                continue;
            AggState& s = agg[i];
            const double v = a.value ? a.value(c) : c.num(a.field);
            switch (a.func) {
            case AggFunc::Sum: s.value += v; break;
            case AggFunc::Count: break;
            case AggFunc::Min: s.value = s.has ? std::min(s.value, v) : v; break;
            case AggFunc::Max: s.value = s.has ? std::max(s.value, v) : v; break;
            }
            ++s.count;
            s.has = true;
        }
    }

    QString substitute(const QString& text, const RenderContext& c) const
    {
        static const QRegularExpression re(QStringLiteral("\\[([^\\[\\]]+)\\]"));
        QString out;
        qsizetype last = 0;
        auto it = re.globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            out += text.mid(last, m.capturedStart() - last);
            out += FormatValue(c.value(m.captured(1)), {});
            last = m.capturedEnd();
        }
        out += text.mid(last);
        return out;
    }

    QList<LayoutItem> evalBand(const Band& b, const RenderContext& c, double& height) const
    {
        QList<LayoutItem> items;
        height = b.height;
        for (const Element& e : b.elements) {
            if (!e.visible || (e.printIf && !e.printIf(c)))
                continue;
            LayoutItem it;
            it.band = b.name;
            it.bandKind = b.kind;
            it.element = e.name;
            it.kind = e.kind;
            it.rect = e.rect;
            it.font = resolve(e.font, R.font);
            it.align = e.align;
            it.wordWrap = e.wordWrap;
            it.frame = e.frame;
            it.penWidth = e.penWidth;
            auto formatted = [&](const QVariant& v) {
                it.value = v;
                it.text = e.display ? e.display(v) : FormatValue(v, e.format);
            };
            switch (e.kind) {
            case ElementKind::Label: it.text = e.text; break;
            case ElementKind::Field: formatted(c.value(e.field)); break;
            case ElementKind::Expression: formatted(e.expr ? e.expr(c) : QVariant()); break;
            case ElementKind::Memo: {
                it.text = substitute(e.text, c);
                if (e.stretch) {
                    const double need = TextHeightMm(it.text, it.font, e.rect.width());
                    if (need > it.rect.height())
                        it.rect.setHeight(need);
                }
                break;
            }
            case ElementKind::Line:
            case ElementKind::Box: break;
            case ElementKind::Image: it.image = e.image; break;
            case ElementKind::Barcode:
                it.text = e.field.isEmpty() ? e.text : c.str(e.field);
                it.barcodeSymbology = e.barcodeSymbology;
                break;
            case ElementKind::Chart: it.image = ChartImage(e.chart, e.rect.size()); break;
            case ElementKind::PageNumber:
                it.text = QString(e.text).replace(QLatin1String("{PAGE}"), QString::number(pageNo));
                break;
            case ElementKind::PrintDate:
                it.text = QString(e.text)
                              .replace(QLatin1String("{DATE}"), printTime.toString(QStringLiteral("dd.MM.yyyy")))
                              .replace(QLatin1String("{TIME}"), printTime.toString(QStringLiteral("HH:mm")));
                break;
            case ElementKind::RowNumber:
                it.value = e.text.isEmpty() ? rowNo : groupRowNo;
                it.text = it.value.toString();
                break;
            case ElementKind::Total: formatted(c.total(e.field)); break;
            }
            height = std::max(height, it.rect.bottom());
            items.append(it);
        }
        return items;
    }

    void emitItems(QList<LayoutItem>& items, double height)
    {
        ++bandSeq;
        const double x0 = R.page.marginsMm.left();
        for (LayoutItem& it : items) {
            it.rect.translate(x0, y);
            it.bandSeq = bandSeq;
            doc.pages.last().items.append(std::move(it));
        }
        y += height;
    }

    // Bands printed at fixed places (headers, footers): no page-break test.
    void placeFixed(const Band& b, const Record& rec, const Record* master)
    {
        if (!b.isUsed())
            return;
        double h = 0;
        QList<LayoutItem> items = evalBand(b, ctx(rec, master), h);
        emitItems(items, h);
    }

    // Bands of the body: moved to a new page when they do not fit. `accum`
    // names the rows whose aggregates the band counts (nullptr: none).
    bool place(const Band& b, const Record& rec, const Record* master, const QString* accum, double keepWith = 0)
    {
        // The detail band's condition was asked before its groups were opened.
        if (b.kind != BandKind::Detail && b.printIf && !b.printIf(ctx(rec, master)))
            return false;
        if (b.newPageBefore && y > bodyTop + kEps)
            newPage(rec, master);
        const QVector<AggState> saved = agg;
        if (accum)
            accumulate(*accum, ctx(rec, master));
        if (!b.isUsed())
            return true;
        double h = 0;
        QList<LayoutItem> items = evalBand(b, ctx(rec, master), h);
        if (y + h + keepWith > bottomLimit() + kEps && y > bodyTop + kEps) {
            agg = saved;
            newPage(rec, master);
            if (accum)
                accumulate(*accum, ctx(rec, master));
            items = evalBand(b, ctx(rec, master), h);
        }
        emitItems(items, h);
        return true;
    }

    void finishPage(const Record& rec, const Record* master)
    {
        if (!R.pageFooter.isUsed())
            return;
        y = pageSize.height() - R.page.marginsMm.bottom() - R.pageFooter.height;
        placeFixed(R.pageFooter, rec, master);
    }

    void newPage(const Record& rec, const Record* master)
    {
        if (pageNo > 0)
            finishPage(rec, master);
        ++pageNo;
        bandSeq = 0;
        doc.pages.append(RenderedPage{});
        y = R.page.marginsMm.top();
        for (int i = 0; i < R.aggregates.size(); ++i)
            if (R.aggregates[i].scope == AggScope::Page)
                resetAgg(i, nullptr, nullptr);
        placeFixed(R.pageHeader, rec, master);
        if (pageNo == 1)
            placeFixed(R.titleBand, rec, master);
        placeFixed(R.columnHeader, rec, master);
        for (int g = 0; g < R.groups.size(); ++g)
            if (groupOpen[g] && R.groups[g].repeatHeader)
                placeFixed(R.groups[g].header, groupFirst[g], nullptr);
        bodyTop = y;
    }

    QVariant keyOf(const Group& g, const Record& rec) const
    {
        return g.key ? g.key(rec) : rec.value(g.keyField);
    }

    double detailHeight() const { return R.detail.isUsed() ? R.detail.height : 0; }

    void closeGroups(int from, const Record& last)
    {
        for (int g = int(R.groups.size()) - 1; g >= from; --g) {
            if (!groupOpen[g])
                continue;
            place(R.groups[g].footer, last, nullptr, nullptr);
            groupOpen[g] = false;
        }
    }

    void openGroups(int from, const Record& rec)
    {
        for (int g = from; g < R.groups.size(); ++g) {
            const Group& grp = R.groups[g];
            for (int i = 0; i < R.aggregates.size(); ++i)
                if (R.aggregates[i].scope == AggScope::Group && R.aggregates[i].group == grp.name)
                    resetAgg(i, &rec, nullptr);
            groupRowNo = 0;
            if (grp.newPage && (y > bodyTop + kEps))
                newPage(rec, nullptr);
            groupFirst[g] = rec;
            groupKeys[g] = keyOf(grp, rec);
            place(grp.header, rec, nullptr, nullptr, detailHeight());
            groupOpen[g] = true;
        }
    }

    void subDetails(const Record& master)
    {
        for (const SubDetail& s : R.subDetails) {
            if (!s.source)
                continue;
            SourcePtr src = s.source(master);
            if (!src)
                continue;
            src->open();
            Record sub;
            bool any = false;
            Record lastSub;
            while (src->next(sub)) {
                if (!any)
                    place(s.header, sub, &master, nullptr, s.detail.isUsed() ? s.detail.height : 0);
                any = true;
                place(s.detail, sub, &master, &s.name);
                lastSub = sub;
            }
            if (any)
                place(s.footer, lastSub, &master, nullptr);
        }
    }
};

Document Engine::run()
{
    const QString masterRows; // aggregates of master rows have no sub-detail name
    Record prev;
    Record rec;
    bool first = true;
    if (R.source)
        R.source->open();
    while (R.source && R.source->next(rec)) {
        if (first) {
            for (int i = 0; i < R.aggregates.size(); ++i)
                if (R.aggregates[i].scope != AggScope::Group)
                    resetAgg(i, R.aggregates[i].scope == AggScope::Report ? &rec : nullptr, nullptr);
            newPage(rec, nullptr);
        }
        if (R.detail.printIf && !R.detail.printIf(ctx(rec, nullptr)))
            continue;
        int broken = first ? 0 : int(R.groups.size());
        if (!first) {
            for (int g = 0; g < R.groups.size(); ++g)
                if (keyOf(R.groups[g], rec) != groupKeys[g]) {
                    broken = g;
                    break;
                }
            closeGroups(broken, prev);
        }
        openGroups(broken, rec);
        ++rowNo;
        ++groupRowNo;
        place(R.detail, rec, nullptr, &masterRows);
        subDetails(rec);
        prev = rec;
        first = false;
    }
    if (first) {
        // Nothing to list: the frame of the report is still printed.
        newPage(prev, nullptr);
    } else {
        closeGroups(0, prev);
    }
    place(R.summary, prev, nullptr, nullptr);
    finishPage(prev, nullptr);

    const QString pages = QString::number(pageNo);
    for (RenderedPage& p : doc.pages)
        for (LayoutItem& it : p.items)
            if (it.kind == ElementKind::PageNumber)
                it.text.replace(QLatin1String("{PAGES}"), pages);
    return doc;
}

Document Render(const Report& report)
{
    Engine e(report);
    return e.run();
}

QString Document::dump() const
{
    QString out;
    for (int p = 0; p < pages.size(); ++p) {
        for (const LayoutItem& it : pages[p].items) {
            out += QStringLiteral("page %1 | %2 | %3 | %4 | %5,%6,%7,%8\n")
                       .arg(p + 1)
                       .arg(it.band, it.element, it.text)
                       .arg(it.rect.x(), 0, 'f', 1)
                       .arg(it.rect.y(), 0, 'f', 1)
                       .arg(it.rect.width(), 0, 'f', 1)
                       .arg(it.rect.height(), 0, 'f', 1);
        }
    }
    return out;
}

QList<LayoutItem> Document::find(int page, const QString& name) const
{
    QList<LayoutItem> out;
    if (page < 1 || page > pages.size())
        return out;
    for (const LayoutItem& it : pages[page - 1].items)
        if (it.band == name || it.element == name)
            out.append(it);
    return out;
}

QStringList Document::texts(int page) const
{
    QStringList out;
    if (page < 1 || page > pages.size())
        return out;
    QList<LayoutItem> items = pages[page - 1].items;
    std::stable_sort(items.begin(), items.end(), [](const LayoutItem& a, const LayoutItem& b) {
        if (std::abs(a.rect.y() - b.rect.y()) > 0.5)
            return a.rect.y() < b.rect.y();
        return a.rect.x() < b.rect.x();
    });
    for (const LayoutItem& it : items)
        if (!it.text.isEmpty() && it.kind != ElementKind::Barcode)
            out << it.text;
    return out;
}

} // namespace tornaly::report
