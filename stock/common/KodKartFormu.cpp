#include "stock/common/KodKartFormu.h"
#include "guard/FormGuard.h"

#include "db/DbError.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly::stock {

KodKartFormu::KodKartFormu(const QString& baslik, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(baslik);
    auto* ana = new QVBoxLayout(this);
    m_form = new QFormLayout;
    ana->addLayout(m_form);
    auto* kutu = new QHBoxLayout;
    kutu->addStretch(1);
    BtnKaydet = new QPushButton(QStringLiteral("&Kaydet"), this);
    BtnKaydet->setObjectName(QStringLiteral("BtnKaydet"));
    BtnVazgec = new QPushButton(QStringLiteral("&Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    BtnKaydet->setAutoDefault(false);
    BtnVazgec->setAutoDefault(false);
    kutu->addWidget(BtnKaydet);
    kutu->addWidget(BtnVazgec);
    ana->addLayout(kutu);
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded(this, &KodKartFormu::BtnKaydetClick));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    setMinimumWidth(380);
}

QLineEdit* KodKartFormu::kutu(const QString& ad, const QString& etiket, const QString& deger, int uzunluk)
{
    auto* e = new QLineEdit(deger, this);
    e->setObjectName(ad);
    if (uzunluk > 0)
        e->setMaxLength(uzunluk);
    m_form->addRow(etiket, e);
    m_kutular.insert(ad, e);
    return e;
}

void KodKartFormu::satirEkle(const QString& etiket, QWidget* w)
{
    m_form->addRow(etiket, w);
}

QString KodKartFormu::metin(const QString& ad) const
{
    const QLineEdit* e = m_kutular.value(ad);
    return e ? e->text() : QString();
}

bool KodKartFormu::sayi(const QString& ad, double* out) const
{
    const QString t = metin(ad).trimmed();
    if (t.isEmpty()) {
        *out = 0;
        return true;
    }
    if (ParseMoney(t, out))
        return true;
    ShowWarning(QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(t));
    return false;
}

void KodKartFormu::BtnKaydetClick()
{
    if (!kaydet)
        return;
    const QString m = kaydet();
    if (m.isNull())
        accept();
    else if (!m.isEmpty())
        ShowWarning(m);
}

} // namespace tornaly::stock
