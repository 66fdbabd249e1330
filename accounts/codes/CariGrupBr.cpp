#include "accounts/codes/CariGrupBr.h"
#include "guard/FormGuard.h"

#include "accounts/codes/CariKodlari.h"
#include "db/DbError.h"
#include "messages/Messages.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace tornaly::accounts {

TFormCariGrupBr::TFormCariGrupBr(const SessionContext& ctx, int mode, QWidget* parent)
    : SecimListesi(ctx, mode, QStringLiteral("Y"), QStringLiteral("Cari Grup Tanımları"), parent)
{
    setObjectName(QStringLiteral("FormCariGrupBr"));
    tanimla(QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM CARIYETKIGRUP ORDER BY GRUP_KODU"),
            {QStringLiteral("Grup Kodu"), QStringLiteral("Grup Adı")}, QStringLiteral("GRUP_KODU"),
            {{QStringLiteral("Grup Adı"), QStringLiteral("GRUP_ADI")}, {QStringLiteral("Grup Kodu"), QStringLiteral("GRUP_KODU")}});
    // The groups are set up with the database; the list only renames them.
    btnNew->hide();
    btnDelete->hide();
    connect(EditAranan, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { konumlan(t); }));
    listeyiAc();
    resize(460, 380);
}

void TFormCariGrupBr::btnEditClick()
{
    const QString kod = anahtar().toString();
    if (kod.isEmpty())
        return;
    for (const CariGrubu& g : CariGruplari(m_db))
        if (g.GRUP_KODU == kod && g.sabit) {
            ShowWarning(SabitGrupText());
            return;
        }
    if (CariGrupKarti(m_ctx, kod, this))
        listeyiAc(kod);
}

TFormCarigrupSakla::TFormCarigrupSakla(const SessionContext& ctx, const QString& kod, const QString& ad,
                                       QWidget* parent)
    : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormCarigrupSakla"));
    setWindowTitle(QStringLiteral("Cari Grup Kartı"));
    EditKod = new QLineEdit(kod, this);
    EditKod->setObjectName(QStringLiteral("EditKod"));
    EditKod->setReadOnly(true);
    EditAd = new QLineEdit(ad, this);
    EditAd->setObjectName(QStringLiteral("EditAd"));
    EditAd->setMaxLength(30);
    BtnKaydet = Dugme(this, "BtnKaydet", QStringLiteral("&Kaydet"));
    BtnVazgec = Dugme(this, "BtnVazgec", QStringLiteral("&Vazgeç"));
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded(this, &TFormCarigrupSakla::BtnKaydetClick));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(EditAd, &QLineEdit::returnPressed, this, Guarded(this, &TFormCarigrupSakla::BtnKaydetClick));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Grup Kodu"), EditKod);
    form->addRow(QStringLiteral("Grup Adı"), EditAd);
    auto* dl = new QHBoxLayout;
    dl->addStretch();
    dl->addWidget(BtnKaydet);
    dl->addWidget(BtnVazgec);
    form->addRow(dl);
    EditAd->setFocus();
}

void TFormCarigrupSakla::BtnKaydetClick()
{
    if (const auto hata = CariGrupAdiDegistir(m_db, EditKod->text(), EditAd->text().trimmed())) {
        ShowWarning(*hata);
        return;
    }
    accept();
}

QString CariGrupSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    if (mode != 1) {
        auto* f = new TFormCariGrupBr(ctx, mode, parent);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->show();
        return {};
    }
    TFormCariGrupBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secim.toString() : QString();
}

bool CariGrupKarti(const SessionContext& ctx, const QString& kod, QWidget* parent)
{
    QString ad;
    for (const CariGrubu& g : CariGruplari(ctx.Database1))
        if (g.GRUP_KODU == kod)
            ad = g.GRUP_ADI;
    TFormCarigrupSakla f(ctx, kod, ad, parent);
    return f.exec() == QDialog::Accepted;
}

} // namespace tornaly::accounts
