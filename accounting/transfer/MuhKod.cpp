#include "accounting/transfer/MuhKod.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {
QTableWidget* izgara(QWidget* parent, const char* ad, const EksikMuhKodlari::Tablo& t)
{
    auto* g = new QTableWidget(int(t.satirlar.size()), int(t.basliklar.size()), parent);
    g->setObjectName(QLatin1String(ad));
    g->setHorizontalHeaderLabels(t.basliklar);
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < t.satirlar.size(); ++r)
        for (int c = 0; c < t.basliklar.size(); ++c)
            g->setItem(r, c, new QTableWidgetItem(t.satirlar.at(r).value(c)));
    g->resizeColumnsToContents();
    g->horizontalHeader()->setStretchLastSection(true);
    return g;
}
} // namespace

TFormMuhKod::TFormMuhKod(const EksikMuhKodlari& eksikler, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMuhKod"));
    setWindowTitle(QStringLiteral("Eksik Muhasebe Kodları"));
    LabelBaslik = new QLabel(QStringLiteral("EKSİK MUHASEBE KODLARI "), this);
    QFont f = LabelBaslik->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    LabelBaslik->setFont(f);
    LabelBaslik->setAlignment(Qt::AlignCenter);
    GridBaslik = izgara(this, "GridBaslik", eksikler.baslik);
    GridParca = izgara(this, "GridParca", eksikler.parcalar);
    GridIscilik = izgara(this, "GridIscilik", eksikler.iscilikler);
    BtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    alt->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(LabelBaslik);
    lay->addWidget(GridBaslik, 1);
    lay->addWidget(GridParca, 2);
    lay->addWidget(GridIscilik, 2);
    lay->addLayout(alt);
    resize(760, 560);
}

void TFormMuhKodGoster(const EksikMuhKodlari& eksikler)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    TFormMuhKod f(eksikler, QApplication::activeWindow());
    f.exec();
}

} // namespace tornaly::accounting
