#include "accounts/ui/ListeModeli.h"

#include "money/Money.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace tornaly::accounts {

void ListeModeli::paraBicimi(const QStringList& alanlar, const QString& format)
{
    for (const QString& a : alanlar)
        setBicim(a, [format](const QVariant& v, int) {
            return v.isNull() || !v.isValid() ? QString() : FormatMoney(v.toDouble(), format);
        });
}

void ListeModeli::tarihBicimi(const QStringList& alanlar, const QString& format)
{
    for (const QString& a : alanlar)
        setBicim(a, [format](const QVariant& v, int) {
            const QDate d = Query::toDate(v);
            return d.isValid() ? d.toString(format) : QString();
        });
}

QVariant ListeModeli::data(const QModelIndex& index, int role) const
{
    const QVariant v = BoundQueryModel::data(index, role);
    if (role == Qt::DisplayRole) {
        // The formatters take the stored value, not the list's own display text.
        const auto it = m_bicimler.constFind(fieldName(index.column()));
        if (it != m_bicimler.cend())
            return it.value()(BoundQueryModel::data(index, Qt::EditRole), index.row());
    }
    if (role == Qt::TextAlignmentRole) {
        const QVariant ham = BoundQueryModel::data(index, Qt::EditRole);
        if (ham.typeId() == QMetaType::Double || ham.typeId() == QMetaType::Int || ham.typeId() == QMetaType::LongLong)
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return v;
}

QVariant ListeModeli::deger(int row, const QString& alan) const
{
    const int c = columnOf(alan);
    if (row < 0 || row >= rowCount() || c < 0)
        return {};
    return BoundQueryModel::data(index(row, c), Qt::EditRole);
}

QPushButton* Dugme(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QLatin1String(ad));
    b->setAutoDefault(false);
    return b;
}

QString TarihYazi(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString TutarYazi(double v, const QString& format)
{
    return FormatMoney(v, format);
}

void KolonlariAyarla(QTableView* view)
{
    if (!view || !view->model())
        return;
    view->setWordWrap(false);
    view->resizeColumnsToContents();
    QHeaderView* h = view->horizontalHeader();
    h->setStretchLastSection(false);
    int enGenis = -1, genislik = 0, toplam = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        if (view->isColumnHidden(c))
            continue;
        toplam += h->sectionSize(c);
        const QVariant ornek = view->model()->data(view->model()->index(0, c), Qt::EditRole);
        // Text columns only; timestamps kept as text are dates, not text.
        const bool metin = !ornek.isNull() && ornek.typeId() == QMetaType::QString && !Query::toDate(ornek).isValid();
        if (metin && h->sectionSize(c) > genislik) {
            genislik = h->sectionSize(c);
            enGenis = c;
        }
    }
    // The widest text column takes the room the others leave; before the
    // grid is shown its width is unknown and the last column fills the row.
    const int bos = view->isVisible() ? view->viewport()->width() - toplam : 0;
    if (enGenis >= 0 && bos > 0)
        h->resizeSection(enGenis, genislik + bos);
    else
        h->setStretchLastSection(true);
}

} // namespace tornaly::accounts
