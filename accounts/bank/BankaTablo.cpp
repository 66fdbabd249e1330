#include "accounts/bank/BankaTablo.h"

#include <QHeaderView>
#include <QTableWidget>

namespace tornaly::accounts {

QTableWidget* BankaTablosu(QWidget* parent, const char* ad, const QStringList& basliklar)
{
    auto* t = new QTableWidget(0, int(basliklar.size()), parent);
    t->setObjectName(QLatin1String(ad));
    t->setHorizontalHeaderLabels(basliklar);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void BankaHucre(QTableWidget* t, int r, int c, const QString& text, bool sayi)
{
    auto* i = new QTableWidgetItem(text);
    if (sayi)
        i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t->setItem(r, c, i);
}

} // namespace tornaly::accounts
