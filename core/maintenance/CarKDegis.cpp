#include "maintenance/CarKDegis.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "maintenance/OnarimUyarisi.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "maintenance/VeriOnarim.h"
#include "messages/Messages.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly {

using text::S;

TFormCarKDegis::TFormCarKDegis(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("FormCarKDegis"));
    setWindowTitle(S("Cari Kodu Değiştirme"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(OnarimUyarisi(S("Lütfen Değiştirme İşlemine Başlamadan Önce Tüm Makinalarda Kalvesa Programını Kapatınız..."),
                         this));
    auto* form = new QFormLayout;
    EditESKI = new QLineEdit(this);
    EditESKI->setObjectName(S("EditESKI"));
    BtnCariSec = new QPushButton(S("Cari Seç"), this);
    BtnCariSec->setObjectName(S("BtnCariSec"));
    // The account picker of the main window hands no code back to a caller;
    // until one does, the code is typed and Enter looks it up.
    BtnCariSec->setEnabled(false);
    BtnCariSec->setToolTip(S("Cari kodu yazıp Enter tuşuna basınız."));
    auto* eski = new QHBoxLayout;
    eski->addWidget(EditESKI, 1);
    eski->addWidget(BtnCariSec);
    form->addRow(S("Değiştirilmek İstenen Cari Kod"), eski);
    LblEskiAd = new QLabel(this);
    LblEskiAd->setObjectName(S("LblEskiAd"));
    form->addRow(QString(), LblEskiAd);
    EditYENI = new QLineEdit(this);
    EditYENI->setObjectName(S("EditYENI"));
    form->addRow(S("Yeni Cari Kodu"), EditYENI);
    lay->addLayout(form);
    BtnDegistir = new QPushButton(S("Değiştir"), this);
    BtnDegistir->setObjectName(S("BtnDegistir"));
    BtnKapat = new QPushButton(S("&Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(BtnDegistir);
    b->addWidget(BtnKapat);
    lay->addLayout(b);
    resize(520, 220);
    connect(EditESKI, &QLineEdit::returnPressed, this, Guarded(this, &TFormCarKDegis::EditESKIEnter));
    connect(BtnCariSec, &QPushButton::clicked, this, Guarded(this, &TFormCarKDegis::BtnCariSecClick));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormCarKDegis::BtnDegistirClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
}

void TFormCarKDegis::EditESKIEnter()
{
    Guard([&] {
        WaitCursor wait;
        const auto cari = CariBul(m_db, EditESKI->text().trimmed());
        LblEskiAd->setText(cari.first.isEmpty() ? QString() : cari.first + S(" - ") + cari.second);
        if (!cari.first.isEmpty())
            EditYENI->setFocus();
    });
}

void TFormCarKDegis::BtnCariSecClick() {}

void TFormCarKDegis::BtnDegistirClick()
{
    const QString eski = EditESKI->text().trimmed(), yeni = EditYENI->text().trimmed();
    TCariKodDegisimi k;
    if (!Guard([&] { WaitCursor wait; k = CariKodDegisimKontrol(m_db, eski, yeni); }))
        return;
    if (!k.hata.isEmpty()) {
        ShowError(k.hata);
        (k.odak == TCariKodDegisimi::Odak::Yeni ? EditYENI : EditESKI)->setFocus();
        return;
    }
    if (Messages().show(MsgIcon::Confirmation, eski + S(" kodu ") + yeni + S(" ile değiştirilecektir. Onaylıyormusunuz?"),
                        MsgYes | MsgNo, MsgNo, {}) != MsgYes)
        return;
    Guard([&] {
        TCariKodDegisimi d;
        OnarimAdimi([&] { d = CariKodDegistir(m_db, eski, yeni); });
        if (!d.hata.isEmpty())
            ShowError(d.hata);
    });
}

} // namespace tornaly
