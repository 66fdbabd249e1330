#include "accounts/plans/OdePlanBr.h"
#include "guard/FormGuard.h"

#include "accounts/cash/KasaBr.h"
#include "db/DbError.h"
#include "dm/LookupLists.h"
#include "messages/Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QPushButton>

namespace tornaly::accounts {

TFormOdePlanBr::TFormOdePlanBr(const SessionContext& ctx, int mode, QWidget* parent)
    : SecimListesi(ctx, mode, QStringLiteral("Y"), QStringLiteral("ÖDEME - TAHSİLAT PLANI"), parent)
{
    setObjectName(QStringLiteral("FormOdePlanBr"));
    tanimla(QStringLiteral("SELECT ODE_KOD, ADI, ODE_TIP, HESAP_KOD, HESAP_NO FROM ODEPLAN ORDER BY ODE_KOD"),
            {QStringLiteral("Kodu"), QStringLiteral("Adı"), QStringLiteral("Ödeme Tipi"),
             QStringLiteral("Varsayılan Banka/Kasa"), QStringLiteral("Banka Hesap No")},
            QStringLiteral("ODE_KOD"), {{QStringLiteral("Aranan Kod"), QStringLiteral("ODE_KOD")}});
    TableBr->setBicim(QStringLiteral("ODE_TIP"),
                      [](const QVariant& v, int) { return LookupCaption(OdemeTipleri(), v.toString()); });
    connect(EditAranan, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { konumlan(t); }));
    listeyiAc();
}

bool TFormOdePlanBr::planDuzenle(bool yeni)
{
    OdePlanKaydi p;
    if (!yeni) {
        const auto o = OdePlanOku(m_db, anahtar().toString());
        if (!o)
            return false;
        p = *o;
    }
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("ÖDEME - TAHSİLAT PLANI"));
    auto* form = new QFormLayout(&d);
    auto* kod = new QLineEdit(p.ODE_KOD, &d);
    kod->setObjectName(QStringLiteral("ODE_KOD"));
    kod->setMaxLength(11);
    kod->setReadOnly(!yeni);
    auto* ad = new QLineEdit(p.ADI, &d);
    ad->setObjectName(QStringLiteral("ADI"));
    auto* tip = new QComboBox(&d);
    tip->setObjectName(QStringLiteral("ODE_TIP"));
    for (const auto& [harf, baslik] : OdemeTipleri())
        tip->addItem(baslik, harf);
    tip->setCurrentIndex(qMax(0, tip->findData(p.ODE_TIP)));
    auto* hesap = new QLineEdit(p.HESAP_KOD, &d);
    hesap->setObjectName(QStringLiteral("HESAP_KOD"));
    hesap->setReadOnly(true);
    auto* sec = new QPushButton(QStringLiteral("..."), &d);
    auto* hl = new QHBoxLayout;
    hl->addWidget(hesap);
    hl->addWidget(sec);
    form->addRow(QStringLiteral("Kodu"), kod);
    form->addRow(QStringLiteral("Adı"), ad);
    form->addRow(QStringLiteral("Ödeme Tipi"), tip);
    form->addRow(QStringLiteral("Varsayılan Banka/Kasa"), hl);
    // What the plan gives its callers besides its type: the early-payment
    // discount, the late-payment charge and the days they count from.
    const auto oran = [&](const char* ad, double deger) {
        auto* e = new QDoubleSpinBox(&d);
        e->setObjectName(QLatin1String(ad));
        e->setDecimals(2);
        e->setRange(0, 100);
        e->setValue(deger);
        return e;
    };
    auto* eoIndir = oran("EO_INDIR", p.EO_INDIR);
    auto* goVfark = oran("GO_VFARK", p.GO_VFARK);
    auto* vadeGun = new QSpinBox(&d);
    vadeGun->setObjectName(QStringLiteral("VADEGUN"));
    vadeGun->setRange(0, 999);
    vadeGun->setValue(p.VADEGUN);
    form->addRow(QStringLiteral("Erken Ödeme İndirimi"), eoIndir);
    form->addRow(QStringLiteral("Geç Ödeme Farkı"), goVfark);
    form->addRow(QStringLiteral("Gecikme-Erken Ödeme(Gün)"), vadeGun);
    connect(sec, &QPushButton::clicked, &d, Guarded([&] {
        p.ODE_TIP = tip->currentData().toString();
        if (p.ODE_TIP != QLatin1String("N"))
            return;
        const QString kasa = KasaSec(m_ctx, 1, &d);
        if (kasa.isEmpty())
            return;
        p.ODE_KOD = kod->text();
        OdePlanHesapSec(p, yeni, kasa, KasaOku(m_db, kasa).value_or(KasaKaydi{}).ADI);
        kod->setText(p.ODE_KOD);
        ad->setText(p.ADI);
        hesap->setText(p.HESAP_KOD);
    }));
    auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(bb);
    connect(bb, &QDialogButtonBox::accepted, &d, &QDialog::accept); // unguarded: ui only
    connect(bb, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    if (d.exec() != QDialog::Accepted)
        return false;
    p.ODE_KOD = kod->text();
    p.ADI = ad->text();
    p.ODE_TIP = tip->currentData().toString();
    p.HESAP_KOD = hesap->text();
    p.EO_INDIR = eoIndir->value();
    p.GO_VFARK = goVfark->value();
    p.VADEGUN = vadeGun->value();
    OdePlanKaydet(m_db, p, yeni);
    listeyiAc(p.ODE_KOD);
    return true;
}

void TFormOdePlanBr::btnNewClick()
{
    planDuzenle(true);
}

void TFormOdePlanBr::btnEditClick()
{
    planDuzenle(false);
}

void TFormOdePlanBr::btnDeleteClick()
{
    const QString kod = anahtar().toString();
    if (kod.isEmpty() || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    OdePlanSil(m_db, kod);
    listeyiAc();
}

TOdeParam OdePlanSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormOdePlanBr f(ctx, mode, parent);
    if (f.exec() != QDialog::Accepted)
        return {};
    return OdePlanParametresi(ctx.Database1, f.secim.toString());
}

} // namespace tornaly::accounts
