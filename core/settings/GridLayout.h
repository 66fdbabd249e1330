#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QTableView;

namespace tornaly {

// Model header role that names the field a column is bound to.
constexpr int FieldNameRole = 0x0100 + 100;

// One column of a grid view as stored in a layout text.
struct GridColumnLayout {
    QString field;
    bool visible = true;
    int position = 0;
    int groupIndex = -1;
    int sortIndex = -1;
    int sortOrder = 0; // 0 none, 1 ascending, 2 descending
    int width = 0;
};

// Comma-list of "field;visible;position;group;sortIndex;sortOrder;width" items.
QString GridLayoutToText(const QList<GridColumnLayout>& columns);
QList<GridColumnLayout> GridLayoutFromText(const QString& text);

// Comma-separated string lists with quoting of items that hold a blank,
// comma or quote (quotes doubled inside).
QString ToCommaText(const QStringList& items);
QStringList FromCommaText(const QString& text);

struct RestoreFlags {
    bool visibility = true;
    bool position = true;
    bool grouping = true;
    bool sorting = true;
    bool width = true;
};

// The layout of a table view; its columns are named by the model's
// FieldNameRole header data, else by their header text.
QList<GridColumnLayout> CaptureGridLayout(const QTableView* view);
void ApplyGridLayout(QTableView* view, const QList<GridColumnLayout>& layout, const RestoreFlags& flags);

// Stores the view's layout in file "AYARLAR", section "GRIDS", key prefix.viewName.
void SaveGridLayout(const QString& prefix, const QTableView* view);
// Restores the parts chosen by `flags`; an empty or broken setting changes nothing.
void RestoreGridLayout(const QString& prefix, QTableView* view, const RestoreFlags& flags);

} // namespace tornaly
