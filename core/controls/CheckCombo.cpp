#include "controls/CheckCombo.h"
#include "guard/FormGuard.h"
#include "settings/GridLayout.h"
#include "sql/SqlHelpers.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace tornaly {

namespace {
constexpr int ShortDescriptionRole = Qt::UserRole;
constexpr int TagRole = Qt::UserRole + 1;
} // namespace

TCheckComboBox::TCheckComboBox(QWidget* parent) : QComboBox(parent)
{
    setModel(new QStandardItemModel(this));
    view()->viewport()->installEventFilter(this);
    connect(model(), &QAbstractItemModel::dataChanged, this, Guarded([this](const QModelIndex&, const QModelIndex&,
                                                                    const QList<int>& roles) {
        if (roles.isEmpty() || roles.contains(Qt::CheckStateRole)) {
            update();
            emit checkedChanged();
        }
    }));
}

void TCheckComboBox::addCheckItem(const QString& shortDescription, const QString& description, const QVariant& tag)
{
    auto* item = new QStandardItem(description);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setData(Qt::Unchecked, Qt::CheckStateRole);
    item->setData(shortDescription, ShortDescriptionRole);
    if (tag.isValid())
        item->setData(tag, TagRole);
    static_cast<QStandardItemModel*>(model())->appendRow(item);
}

void TCheckComboBox::clearItems()
{
    static_cast<QStandardItemModel*>(model())->clear();
    update();
    emit checkedChanged();
}

QString TCheckComboBox::shortDescription(int index) const { return itemData(index, ShortDescriptionRole).toString(); }

QVariant TCheckComboBox::tag(int index) const { return itemData(index, TagRole); }

bool TCheckComboBox::isChecked(int index) const
{
    return itemData(index, Qt::CheckStateRole).toInt() == Qt::Checked;
}

void TCheckComboBox::setChecked(int index, bool checked)
{
    if (index >= 0 && index < count())
        setItemData(index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void TCheckComboBox::setAllChecked(bool checked)
{
    for (int i = 0; i < count(); ++i)
        setChecked(i, checked);
}

QString TCheckComboBox::checkedText() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i)
        if (isChecked(i))
            names << itemText(i);
    return names.join(QStringLiteral(", "));
}

bool TCheckComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // A click on an item ticks it and keeps the list open for the next one.
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const QModelIndex index = view()->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index.isValid()) {
            setChecked(index.row(), !isChecked(index.row()));
            m_keepOpen = true;
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void TCheckComboBox::hidePopup()
{
    if (m_keepOpen) {
        m_keepOpen = false;
        return;
    }
    QComboBox::hidePopup();
}

void TCheckComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = checkedText();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

namespace {

// The filter a look-up combo's list is seen through.
class LookupFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setCriteria(QList<QPair<int, QString>> criteria)
    {
        m_criteria = std::move(criteria);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        for (const auto& [column, value] : m_criteria) {
            if (column < 0)
                return false;
            const QModelIndex cell = sourceModel()->index(row, column, parent);
            if (sourceModel()->data(cell, Qt::EditRole).toString().trimmed() != value)
                return false;
        }
        return true;
    }

private:
    QList<QPair<int, QString>> m_criteria;
};

int lookupColumn(const QAbstractItemModel* model, const QString& field)
{
    if (const auto* bound = qobject_cast<const BoundQueryModel*>(model))
        return bound->columnOf(field);
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->headerData(c, Qt::Horizontal, FieldNameRole).toString().compare(field, Qt::CaseInsensitive) == 0
            || model->headerData(c, Qt::Horizontal).toString().compare(field, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

} // namespace

void FilterLookupCombo(QComboBox* combo, const QStringList& fields, const QVariant& values)
{
    if (!combo || !combo->model())
        return;
    auto* filter = dynamic_cast<LookupFilter*>(combo->model());
    if (!filter) {
        filter = new LookupFilter(combo);
        filter->setSourceModel(combo->model());
        const int column = combo->modelColumn();
        combo->setModel(filter);
        combo->setModelColumn(column);
    }
    const QVariantList list = values.typeId() == QMetaType::QVariantList ? values.toList() : QVariantList{values};
    QList<QPair<int, QString>> criteria;
    for (int i = 0; i < fields.size(); ++i) {
        const QVariant v = fields.size() == 1 ? values : list.value(i);
        criteria.append({lookupColumn(filter->sourceModel(), fields.at(i)), v.toString().trimmed()});
    }
    filter->setCriteria(std::move(criteria));
}

} // namespace tornaly
