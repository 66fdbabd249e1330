#include "stock/common/ListeGorunumu.h"

#include "db/Database.h"
#include "money/Money.h"

#include <QHeaderView>
#include <QTableView>
#include <cmath>

namespace tornaly::stock {

QString TurkceBicim::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.isNull())
        return {};
    if (auto it = cevirici.constFind(m_alan); it != cevirici.cend())
        return (*it)(value);
    if (tarihler.contains(m_alan)) {
        const QDate d = Query::toDate(value);
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    const int t = value.typeId();
    if (t == QMetaType::Double || t == QMetaType::Float || t == QMetaType::Int || t == QMetaType::LongLong
        || t == QMetaType::UInt || t == QMetaType::ULongLong) {
        const double v = value.toDouble();
        QString f = bicimler.value(m_alan);
        if (f.isEmpty())
            f = std::floor(v) == v ? QStringLiteral(",0") : QStringLiteral(",0.00");
        return FormatMoney(v, f);
    }
    return QStyledItemDelegate::displayText(value, locale);
}

void TurkceBicim::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    const auto* m = qobject_cast<const BoundQueryModel*>(index.model());
    m_alan = m ? m->fieldName(index.column()) : QString();
    QStyledItemDelegate::initStyleOption(option, index);
    const int t = index.data(Qt::EditRole).typeId();
    if (!cevirici.contains(m_alan) && !tarihler.contains(m_alan)
        && (t == QMetaType::Double || t == QMetaType::Int || t == QMetaType::LongLong))
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
}

void ListeHazirla(QTableView* view, BoundQueryModel* model, const ListeAyari& ayar)
{
    auto* bicim = new TurkceBicim(view);
    bicim->bicimler = ayar.bicimler;
    bicim->tarihler = ayar.tarihler;
    bicim->cevirici = ayar.cevirici;
    view->setItemDelegate(bicim);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    auto uygula = [view, model, ayar] {
        QStringList caps;
        for (int c = 0; c < model->columnCount(); ++c)
            caps << ayar.basliklar.value(model->fieldName(c), model->fieldName(c));
        model->setCaptions(caps);
        for (int c = 0; c < model->columnCount(); ++c)
            view->setColumnHidden(c, ayar.gizli.contains(model->fieldName(c), Qt::CaseInsensitive));
    };
    QObject::connect(model, &QAbstractItemModel::modelReset, view, uygula);
    uygula();
}

void KolonlariSigdir(QTableView* view)
{
    auto* h = view->horizontalHeader();
    h->setSectionResizeMode(QHeaderView::Interactive);
    view->resizeColumnsToContents();
    int widest = -1, w = 0;
    for (int c = 0; c < h->count(); ++c) {
        if (view->isColumnHidden(c))
            continue;
        h->resizeSection(c, qMin(h->sectionSize(c) + 12, 320));
        const QVariant v = view->model()->index(0, c).data(Qt::EditRole);
        if (v.typeId() == QMetaType::QString && h->sectionSize(c) > w) {
            w = h->sectionSize(c);
            widest = c;
        }
    }
    h->setStretchLastSection(false);
    if (widest >= 0)
        h->setSectionResizeMode(widest, QHeaderView::Stretch);
}

void BaslikSiralama(QTableView* view, BoundQueryModel* model,
                    std::function<void(const QString& alan, bool azalan)> sirala)
{
    auto* h = view->horizontalHeader();
    h->setSectionsClickable(true);
    h->setSortIndicatorShown(true);
    h->setSortIndicator(-1, Qt::AscendingOrder);
    QObject::connect(h, &QHeaderView::sectionClicked, view, [h, model, sirala](int c) {
        const bool azalan = h->sortIndicatorOrder() == Qt::DescendingOrder;
        const QString alan = model->fieldName(c);
        sirala(alan, azalan);
        h->setSortIndicator(c, azalan ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
}

QString SiralamaIfadesi(const BoundQueryModel* model, const QString& alan, bool azalan, const QString& anahtar)
{
    if (!model || model->columnOf(alan) < 0 || !Dialect::isPlainIdentifier(alan))
        return QStringLiteral("ORDER BY %1").arg(anahtar);
    const QString yon = azalan ? QStringLiteral(" DESC") : QString();
    return QStringLiteral("ORDER BY %1%2, %3").arg(alan.toUpper(), yon, anahtar);
}

} // namespace tornaly::stock
