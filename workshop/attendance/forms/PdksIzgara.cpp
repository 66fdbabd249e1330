#include "workshop/attendance/forms/PdksIzgara.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

namespace tornaly::workshop {

QPushButton* PdksDugme(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QTableWidget* PdksIzgara(QWidget* parent, const char* name, const QStringList& basliklar, bool cokluSecim)
{
    auto* g = new QTableWidget(0, int(basliklar.size()), parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setHorizontalHeaderLabels(basliklar);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(cokluSecim ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    g->verticalHeader()->setDefaultSectionSize(22);
    g->verticalHeader()->hide();
    return g;
}

void PdksHucre(QTableWidget* grid, int satir, int sutun, const QString& metin, const QVariant& veri)
{
    auto* item = new QTableWidgetItem(metin);
    if (veri.isValid())
        item->setData(Qt::UserRole, veri);
    grid->setItem(satir, sutun, item);
}

void PdksIzgaraBoyutla(QTableWidget* grid)
{
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setStretchLastSection(true);
}

QString PdksTarih(const QDateTime& t) { return t.isValid() ? t.toString(QStringLiteral("dd.MM.yyyy")) : QString(); }

QString PdksSaat(const QDateTime& t, bool saniye)
{
    return t.isValid() ? t.toString(saniye ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm")) : QString();
}

QString PdksSayi(double v, int ondalik)
{
    return QLocale(QLocale::Turkish, QLocale::Turkey).toString(v, 'f', ondalik);
}

} // namespace tornaly::workshop
