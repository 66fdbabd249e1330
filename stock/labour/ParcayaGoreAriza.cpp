#include "stock/labour/ParcayaGoreAriza.h"
#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"

#include "messages/Messages.h"
#include "stock/common/ListeGorunumu.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::stock {

TFormParcayaGoreAriza::TFormParcayaGoreAriza(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormParcayaGoreAriza"));
    setWindowTitle(QStringLiteral("Yedek Parçaya Göre Arıza Seç"));
    auto* v = new QVBoxLayout(this);
    auto* h = new QHBoxLayout;
    EditParca = new QLineEdit(this);
    EditParca->setObjectName(QStringLiteral("EditParca"));
    EditParca->setToolTip(QStringLiteral("Parça Kodunu yazıp 'ENTER' a basınız"));
    auto* l = new QLabel(QStringLiteral("P&arça Kodu Giriniz"), this);
    l->setBuddy(EditParca);
    h->addWidget(l);
    h->addWidget(EditParca, 1);
    v->addLayout(h);
    GridAriza = new QTableView(this);
    GridAriza->setObjectName(QStringLiteral("GridAriza"));
    QAriza = new BoundQueryModel(this);
    ListeHazirla(GridAriza, QAriza, {{{QStringLiteral("IZP_ARAC_TIPI"), QStringLiteral("Model Kodu")},
                                      {QStringLiteral("IZP_KODU"), QStringLiteral("İşçilik Kodu")},
                                      {QStringLiteral("IZP_GRUP"), QStringLiteral("Grup")},
                                      {QStringLiteral("IZP_MALZEME"), QStringLiteral("Parça Kodu")}}});
    v->addWidget(GridAriza, 1);
    auto* d = new QHBoxLayout;
    d->addStretch(1);
    BtnSec = new QPushButton(QStringLiteral("&Seç"), this);
    BtnSec->setObjectName(QStringLiteral("BtnSec"));
    BtnIptal = new QPushButton(QStringLiteral("İ&ptal"), this);
    BtnIptal->setObjectName(QStringLiteral("BtnIptal"));
    for (QPushButton* b : {BtnSec, BtnIptal}) {
        b->setAutoDefault(false);
        d->addWidget(b);
    }
    v->addLayout(d);
    connect(BtnSec, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(EditParca, &QLineEdit::returnPressed, this, Guarded([this] { listele(EditParca->text()); }));
    resize(560, 380);
}

void TFormParcayaGoreAriza::listele(const QString& parcaNo)
{
    QAriza->setStatement(m_ctx.Database1,
                         QStringLiteral("SELECT IZP_ARAC_TIPI, IZP_KODU, IZP_GRUP, IZP_MALZEME FROM TARIZPAR "
                                        "WHERE IZP_MALZEME = :Parcasi ORDER BY IZP_ARAC_TIPI, IZP_KODU"),
                         {{QStringLiteral("Parcasi"), parcaNo.trimmed()}});
    QAriza->open();
    KolonlariSigdir(GridAriza);
    if (QAriza->rowCount() > 0)
        GridAriza->setCurrentIndex(QAriza->index(0, 0));
}

TDonPara TFormParcayaGoreAriza::secilen() const
{
    TDonPara d;
    const int r = GridAriza->currentIndex().row();
    if (r < 0)
        return d;
    d.KodStr = QAriza->index(r, QAriza->columnOf(QStringLiteral("IZP_KODU"))).data().toString();
    d.IlkStr = QAriza->index(r, QAriza->columnOf(QStringLiteral("IZP_ARAC_TIPI"))).data().toString();
    return d;
}

void ParcayaGoreArizaSec(const SessionContext& ctx, const QString& parcaNo, TDonPara& sonuc, QWidget* parent)
{
    TFormParcayaGoreAriza f(ctx, parent);
    if (!parcaNo.isEmpty()) {
        f.EditParca->setText(parcaNo);
        f.listele(parcaNo);
    }
    if (RunModal(f) == QDialog::Accepted)
        sonuc = f.secilen();
    else
        sonuc.KodStr.clear();
}

} // namespace tornaly::stock
