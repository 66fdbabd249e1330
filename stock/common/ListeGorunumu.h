#pragma once
#include "sql/SqlHelpers.h"

#include <QHash>
#include <QSet>
#include <QStyledItemDelegate>
#include <functional>

class QTableView;

namespace tornaly::stock {

// Shows numbers and dates of a list the Turkish way ("1.234,56",
// "31.12.2026") and right-aligns numbers.
class TurkceBicim : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TurkceBicim(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}
    // Number format per field (",0.00", ",0", "0.0"); fields not named keep
    // ",0.00" when they hold fractions and ",0" otherwise.
    QHash<QString, QString> bicimler;
    QSet<QString> tarihler; // fields shown as dates
    // Value captions per field (letters shown as words).
    QHash<QString, std::function<QString(const QVariant&)>> cevirici;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    mutable QString m_alan;
};

// A read-only list grid over a query model: whole-row selection, alternating
// rows, Turkish formats, captions by field, hidden fields, and sorting by a
// click on a column header (the callback reopens the list in that order).
// Lists give only the leading members in braces; each has a default so that
// the rest may be left out.
struct ListeAyari {
    QHash<QString, QString> basliklar{}; // field -> caption
    QStringList gizli{};
    QHash<QString, QString> bicimler{};
    QSet<QString> tarihler{};
    QHash<QString, std::function<QString(const QVariant&)>> cevirici{};
};
void ListeHazirla(QTableView* view, BoundQueryModel* model, const ListeAyari& ayar);
// Sizes columns to their data once the list is open, the widest text
// column stretching.
void KolonlariSigdir(QTableView* view);
// Calls `sirala(field, descending)` when a header is clicked; the header
// shows the order.
void BaslikSiralama(QTableView* view, BoundQueryModel* model,
                    std::function<void(const QString& alan, bool azalan)> sirala);

// An ORDER BY for a field the list shows (never typed text): the field, then
// `anahtar` so that equal values keep one order.
QString SiralamaIfadesi(const BoundQueryModel* model, const QString& alan, bool azalan, const QString& anahtar);

} // namespace tornaly::stock
