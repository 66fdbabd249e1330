#pragma once
#include "sql/SqlHelpers.h"

#include <QHash>
#include <functional>

class QPushButton;
class QTableView;
class QWidget;

namespace tornaly::accounts {

// A list model whose columns show through formatters: money in the Turkish
// form, dates as "31.12.2026", kind letters by their captions.
class ListeModeli : public BoundQueryModel {
    Q_OBJECT
public:
    using Bicim = std::function<QString(const QVariant&, int row)>;
    using BoundQueryModel::BoundQueryModel;

    void setBicim(const QString& alan, Bicim b) { m_bicimler.insert(alan.toUpper(), std::move(b)); }
    void paraBicimi(const QStringList& alanlar, const QString& format = QStringLiteral(",0.00"));
    void tarihBicimi(const QStringList& alanlar, const QString& format = QStringLiteral("dd.MM.yyyy"));
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant deger(int row, const QString& alan) const;

private:
    QHash<QString, Bicim> m_bicimler;
};

// Dates and amounts as the program shows them.
QString TarihYazi(const QDate& d);
QString TutarYazi(double v, const QString& format = QStringLiteral(",0.00"));

// A command button of a form: its name as objectName, Enter never presses it.
QPushButton* Dugme(QWidget* parent, const char* ad, const QString& baslik);

// Sizes the columns to their data, the widest text column taking the rest.
void KolonlariAyarla(QTableView* view);

} // namespace tornaly::accounts
