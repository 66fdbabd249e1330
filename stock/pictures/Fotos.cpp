#include "stock/pictures/Fotos.h"
#include "guard/FormGuard.h"

#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "stock/common/ListeGorunumu.h"
#include "stock/pictures/ResimKutusu.h"
#include "stock/pictures/StokResim.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::stock {

class TFormFotos::Model : public BoundQueryModel {
public:
    using BoundQueryModel::BoundQueryModel;
};

namespace {
const QString kFiltre = QStringLiteral("JPEG (*.jpg);;JPEG (*.jpeg)");
} // namespace

TFormFotos::TFormFotos(const SessionContext& ctx, bool sec, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormFotos"));
    setWindowTitle(QStringLiteral("Stok Resimleri"));
    auto* ana = new QHBoxLayout(this);
    auto* sol = new QVBoxLayout;
    auto* ara = new QHBoxLayout;
    EditAra = new QLineEdit(this);
    EditAra->setObjectName(QStringLiteral("EditAra"));
    auto* araEtiket = new QLabel(QStringLiteral("&Ara"), this);
    araEtiket->setBuddy(EditAra);
    ara->addWidget(araEtiket);
    ara->addWidget(EditAra, 1);
    sol->addLayout(ara);
    auto* ad = new QHBoxLayout;
    EditResimAdi = new QLineEdit(this);
    EditResimAdi->setObjectName(QStringLiteral("EditResimAdi"));
    EditResimAdi->setMaxLength(40);
    auto* adEtiket = new QLabel(QStringLiteral("&Resim Adı"), this);
    adEtiket->setBuddy(EditResimAdi);
    ad->addWidget(adEtiket);
    ad->addWidget(EditResimAdi, 1);
    sol->addLayout(ad);
    GridResim = new QTableView(this);
    GridResim->setObjectName(QStringLiteral("GridResim"));
    m_model = new Model(this);
    ListeHazirla(GridResim, m_model, {{{QStringLiteral("RESIM_NO"), QStringLiteral("No")},
                                       {QStringLiteral("RESIM_ADI"), QStringLiteral("Adı")}}});
    sol->addWidget(GridResim, 1);
    auto* dugmeler = new QHBoxLayout;
    BtnYeni = new QPushButton(QStringLiteral("Yeni"), this);
    BtnYeni->setObjectName(QStringLiteral("BtnYeni"));
    BtnDegistir = new QPushButton(QStringLiteral("Resmi Değiştir"), this);
    BtnDegistir->setObjectName(QStringLiteral("BtnDegistir"));
    BtnSil = new QPushButton(QStringLiteral("Sil"), this);
    BtnSil->setObjectName(QStringLiteral("BtnSil"));
    BtnSec = new QPushButton(QStringLiteral("Seç"), this);
    BtnSec->setObjectName(QStringLiteral("BtnSec"));
    BtnSec->setVisible(sec);
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    for (QPushButton* b : {BtnYeni, BtnDegistir, BtnSil, BtnSec, BtnKapat}) {
        b->setAutoDefault(false);
        dugmeler->addWidget(b);
    }
    sol->addLayout(dugmeler);
    ana->addLayout(sol, 1);
    auto* sag = new QVBoxLayout;
    ImgResim = new ResimKutusu(this);
    ImgResim->setObjectName(QStringLiteral("ImgResim"));
    LblDosyaHatasi = new QLabel(DosyaHatasiMesaji(), this);
    LblDosyaHatasi->setObjectName(QStringLiteral("LblDosyaHatasi"));
    LblDosyaHatasi->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    LblDosyaHatasi->hide();
    sag->addWidget(LblDosyaHatasi);
    sag->addWidget(ImgResim, 1);
    ana->addLayout(sag, 2);

    connect(BtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormFotos::BtnYeniClick));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormFotos::BtnDegistirClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormFotos::BtnSilClick));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormFotos::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, Guarded([this] {
        secilen = -1;
        reject();
    }));
    connect(GridResim, &QTableView::doubleClicked, this, Guarded(this, &TFormFotos::BtnSecClick));
    connect(EditAra, &QLineEdit::textEdited, this, Guarded([this](const QString& t) {
        m_model->fetchAll();
        const int c = m_model->columnOf(QStringLiteral("RESIM_ADI"));
        for (int r = 0; r < m_model->rowCount(); ++r)
            if (m_model->index(r, c).data().toString().startsWith(t)) {
                GridResim->setCurrentIndex(m_model->index(r, 0));
                return;
            }
    }));
    connect(EditAra, &QLineEdit::returnPressed, GridResim, qOverload<>(&QWidget::setFocus)); // unguarded: ui only
    connect(EditResimAdi, &QLineEdit::editingFinished, this, Guarded([this] {
        const int no = mevcutNo();
        if (no > 0 && EditResimAdi->isModified()) {
            ResimAdiDegistir(m_ctx.Database1, no, EditResimAdi->text());
            EditResimAdi->setModified(false);
            listele(no);
        }
    }));
    listele();
    resize(860, 520);
}

void TFormFotos::listele(int git)
{
    m_model->setStatement(m_ctx.Database1, QStringLiteral("SELECT RESIM_NO, RESIM_ADI FROM STOKRESM ORDER BY RESIM_NO"));
    m_model->open();
    m_model->fetchAll();
    KolonlariSigdir(GridResim);
    connect(GridResim->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded(this, &TFormFotos::resmiGoster),
            Qt::UniqueConnection);
    int satir = m_model->rowCount() > 0 ? 0 : -1;
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->index(r, 0).data(Qt::EditRole).toInt() == git)
            satir = r;
    if (satir >= 0)
        GridResim->setCurrentIndex(m_model->index(satir, 0));
    resmiGoster();
}

int TFormFotos::mevcutNo() const
{
    const int r = GridResim->currentIndex().row();
    return r < 0 ? -1 : m_model->index(r, 0).data(Qt::EditRole).toInt();
}

void TFormFotos::resmiGoster()
{
    const int no = mevcutNo();
    LblDosyaHatasi->hide();
    EditResimAdi->setText(no > 0 ? m_model->index(GridResim->currentIndex().row(), 1).data().toString() : QString());
    if (no <= 0) {
        ImgResim->temizle();
        return;
    }
    const QByteArray b = ResimOku(m_ctx.Database1, no);
    if (b.isEmpty()) {
        ImgResim->temizle();
        return;
    }
    if (!ImgResim->resimGoster(b))
        LblDosyaHatasi->show();
}

void TFormFotos::dosyaEkle(const QString& dosya)
{
    QFile f(dosya);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowWarning(DosyaHatasiMesaji());
        return;
    }
    QString hata;
    const int no = ResimEkle(m_ctx.Database1, QFileInfo(dosya).completeBaseName(), f.readAll(), &hata);
    if (no < 0) {
        ShowWarning(hata);
        return;
    }
    listele(no);
    EditResimAdi->setFocus();
}

void TFormFotos::BtnYeniClick()
{
    const QString dosya = Messages().askOpenFile(QStringLiteral("Resim"), kFiltre);
    if (dosya.isEmpty())
        return;
    dosyaEkle(dosya);
}

void TFormFotos::BtnDegistirClick()
{
    const int no = mevcutNo();
    if (no <= 0)
        return;
    const QString dosya = Messages().askOpenFile(QStringLiteral("Resim"), kFiltre);
    if (dosya.isEmpty())
        return;
    QFile f(dosya);
    QString hata;
    if (!f.open(QIODevice::ReadOnly) || !ResimDegistir(m_ctx.Database1, no, f.readAll(), &hata)) {
        ShowWarning(hata.isEmpty() ? DosyaHatasiMesaji() : hata);
        return;
    }
    resmiGoster();
}

void TFormFotos::BtnSilClick()
{
    const int no = mevcutNo();
    if (no <= 0)
        return;
    if (Messages().show(MsgIcon::Confirmation, QStringLiteral("Silmek İstediğinize Emin misiniz?"), MsgYes | MsgNo,
                        MsgNo, QStringLiteral("Onay!")) != MsgYes)
        return;
    const QString m = ResimSil(m_ctx.Database1, no);
    if (!m.isEmpty())
        ShowInfo(m);
    listele();
}

void TFormFotos::BtnSecClick()
{
    secilen = m_model->rowCount() == 0 ? -1 : mevcutNo();
    accept();
}

int StokResimSec(const SessionContext& ctx, bool sec, QWidget* parent)
{
    TFormFotos f(ctx, sec, parent);
    f.exec();
    return f.secilen;
}

} // namespace tornaly::stock
