#include "settings/GridLayout.h"
#include "settings/Settings.h"

#include <QHeaderView>
#include <QTableView>

namespace tornaly {

QString ToCommaText(const QStringList& items)
{
    QStringList out;
    for (const QString& item : items) {
        const bool needsQuote = item.isEmpty() || item.contains(QLatin1Char(' ')) || item.contains(QLatin1Char(','))
            || item.contains(QLatin1Char('"'));
        if (needsQuote) {
            QString q = item;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            out << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            out << item;
        }
    }
    return out.join(QLatin1Char(','));
}

QStringList FromCommaText(const QString& text)
{
    QStringList out;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        QString item;
        if (text.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
            while (i < n && text.at(i) != QLatin1Char(','))
                ++i;
        } else {
            while (i < n && text.at(i) != QLatin1Char(','))
                item += text.at(i++);
        }
        out << item;
        ++i; // the comma
    }
    return out;
}

QString GridLayoutToText(const QList<GridColumnLayout>& columns)
{
    QStringList items;
    for (const auto& c : columns) {
        items << QStringList{c.field,
                             c.visible ? QStringLiteral("1") : QStringLiteral("0"),
                             QString::number(c.position),
                             QString::number(c.groupIndex),
                             QString::number(c.sortIndex),
                             QString::number(c.sortOrder),
                             QString::number(c.width)}
                     .join(QLatin1Char(';'));
    }
    return ToCommaText(items);
}

QList<GridColumnLayout> GridLayoutFromText(const QString& text)
{
    QList<GridColumnLayout> out;
    if (text.trimmed().isEmpty())
        return out;
    for (const QString& item : FromCommaText(text)) {
        const QStringList f = item.split(QLatin1Char(';'));
        if (f.size() < 7)
            continue;
        GridColumnLayout c;
        c.field = f[0].left(50);
        c.visible = f[1].left(50) == QLatin1String("1");
        c.position = f[2].left(50).toInt();
        c.groupIndex = f[3].left(50).toInt();
        c.sortIndex = f[4].left(50).toInt();
        c.sortOrder = f[5].left(50).toInt();
        c.width = f[6].left(5).toInt();
        out << c;
    }
    return out;
}

namespace {

QString columnField(const QTableView* view, int logical)
{
    const auto* model = view->model();
    const QString field = model->headerData(logical, Qt::Horizontal, FieldNameRole).toString();
    return field.isEmpty() ? model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString() : field;
}

QString settingKey(const QString& prefix, const QTableView* view)
{
    return prefix + QLatin1Char('.') + view->objectName();
}

} // namespace

QList<GridColumnLayout> CaptureGridLayout(const QTableView* view)
{
    QList<GridColumnLayout> out;
    if (!view || !view->model())
        return out;
    const QHeaderView* h = view->horizontalHeader();
    const int sortSection = view->isSortingEnabled() ? h->sortIndicatorSection() : -1;
    for (int visual = 0; visual < h->count(); ++visual) {
        const int logical = h->logicalIndex(visual);
        GridColumnLayout c;
        c.field = columnField(view, logical);
        c.visible = !h->isSectionHidden(logical);
        c.position = visual;
        c.width = h->sectionSize(logical);
        if (logical == sortSection) {
            c.sortIndex = 0;
            c.sortOrder = h->sortIndicatorOrder() == Qt::AscendingOrder ? 1 : 2;
        }
        out << c;
    }
    return out;
}

void ApplyGridLayout(QTableView* view, const QList<GridColumnLayout>& layout, const RestoreFlags& flags)
{
    if (!view || !view->model())
        return;
    QHeaderView* h = view->horizontalHeader();
    QHash<QString, int> byField;
    for (int logical = 0; logical < h->count(); ++logical)
        byField.insert(columnField(view, logical), logical);
    for (const auto& c : layout) {
        const auto it = byField.constFind(c.field);
        if (it == byField.cend())
            continue;
        const int logical = it.value();
        if (flags.visibility)
            h->setSectionHidden(logical, !c.visible);
        if (flags.position && c.position >= 0 && c.position < h->count())
            h->moveSection(h->visualIndex(logical), c.position);
        if (flags.sorting && c.sortIndex >= 0 && c.sortOrder != 0) {
            // An order the grid does not know keeps the order it has.
            Qt::SortOrder order = h->sortIndicatorOrder();
            if (c.sortOrder == 1)
                order = Qt::AscendingOrder;
            else if (c.sortOrder == 2)
                order = Qt::DescendingOrder;
            view->sortByColumn(logical, order);
        }
        if (flags.width && c.width > 0)
            h->resizeSection(logical, c.width);
    }
}

void SaveGridLayout(const QString& prefix, const QTableView* view)
{
    if (!view)
        return;
    WriteSetting(QStringLiteral("AYARLAR"), QStringLiteral("GRIDS"), settingKey(prefix, view),
                 GridLayoutToText(CaptureGridLayout(view)), StoreDefault);
}

void RestoreGridLayout(const QString& prefix, QTableView* view, const RestoreFlags& flags)
{
    if (!view)
        return;
    const QString text = ReadSetting(QStringLiteral("AYARLAR"), QStringLiteral("GRIDS"), settingKey(prefix, view),
                                     StoreDefault);
    if (text.isEmpty())
        return;
    ApplyGridLayout(view, GridLayoutFromText(text), flags);
}

} // namespace tornaly
