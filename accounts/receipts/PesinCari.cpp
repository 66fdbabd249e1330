#include "accounts/receipts/PesinCari.h"
#include "guard/FormGuard.h"

#include "accounts/receipts/MakbuzSablon.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

TFormPesinCari::TFormPesinCari(const SessionContext& ctx, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPesinCari"));
    setWindowTitle(QStringLiteral("Peşin Cari"));
    TableBr = new ListeModeli(this);
    TableBr->setCaptions({QStringLiteral("Vergi / TC.KimlikNo"), QStringLiteral("Peşin Cari Adı"),
                          QStringLiteral("Muhasebe Kodu")});
    TableBr->setStatement(ctx.Database1, PesinCariSorgusu());
    cxGrid = new QTableView(this);
    cxGrid->setObjectName(QStringLiteral("cxGrid"));
    cxGrid->setModel(TableBr);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    connect(cxGrid, &QTableView::doubleClicked, this, Guarded(this, &TFormPesinCari::BtnSecClick));
    BtnSec = Dugme(this, "BtnSec", QStringLiteral("Seç"));
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("Kapat"));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormPesinCari::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* dl = new QHBoxLayout;
    dl->addStretch();
    dl->addWidget(BtnSec);
    dl->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(cxGrid, 1);
    lay->addLayout(dl);
    TableBr->open();
    TableBr->fetchAll();
    KolonlariAyarla(cxGrid);
    if (TableBr->rowCount() > 0)
        cxGrid->setCurrentIndex(TableBr->index(0, 0));
    resize(620, 420);
}

void TFormPesinCari::BtnSecClick()
{
    const int r = cxGrid->currentIndex().row();
    const QString kod = TableBr->deger(r, QStringLiteral("KOD")).toString();
    if (kod.isEmpty())
        return;
    secilen = TypeCariOlustur(kod, TableBr->deger(r, QStringLiteral("ACIKLAMA")).toString(), {}, {},
                              TableBr->deger(r, QStringLiteral("MUH_KARSI")).toString(), {});
    accept();
}

TypeCari PesinCariSec(const SessionContext& ctx, QWidget* parent)
{
    TFormPesinCari f(ctx, parent);
    return f.exec() == QDialog::Accepted ? f.secilen : TypeCari{};
}

} // namespace tornaly::accounts
