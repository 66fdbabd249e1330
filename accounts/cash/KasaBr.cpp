#include "accounts/ui/ListeModeli.h"
#include "guard/FormGuard.h"
#include "accounts/cash/KasaBr.h"

#include "context/User.h"
#include "db/DbError.h"
#include "messages/Messages.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly::accounts {

TFormKasaSakla::TFormKasaSakla(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
    : QDialog(parent), m_db(ctx.Database1), m_yeni(yeni)
{
    setObjectName(QStringLiteral("FormKasaSakla"));
    setWindowTitle(QStringLiteral("Kasa Tanım Kayıt"));
    auto* form = new QFormLayout;
    auto alan = [&](QLineEdit*& e, const char* ad, const QString& baslik, int uzunluk) {
        e = new QLineEdit(this);
        e->setObjectName(QLatin1String(ad));
        e->setMaxLength(uzunluk);
        form->addRow(baslik, e);
    };
    alan(KASAKOD, "KASAKOD", QStringLiteral("&Kodu"), 11);
    alan(ADI, "ADI", QStringLiteral("&Adı"), 36);
    alan(ACIKLAMA1, "ACIKLAMA1", QStringLiteral("Açıklama"), 75);
    alan(ACIKLAMA2, "ACIKLAMA2", QString(), 75);
    alan(ACIKLAMA3, "ACIKLAMA3", QString(), 75);
    alan(MUH_KOD, "MUH_KOD", QStringLiteral("Kasa Muhasabe Kodu"), 30);
    MUH_KOD->setReadOnly(true);
    BtnSakla = Dugme(this, "BtnSakla", QStringLiteral("&Sakla"));
    BtnVazgec = Dugme(this, "BtnVazgec", QStringLiteral("&Vazgeç"));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormKasaSakla::BtnSaklaClick));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* d = new QHBoxLayout;
    d->addStretch();
    d->addWidget(BtnSakla);
    d->addWidget(BtnVazgec);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(form);
    lay->addLayout(d);
    if (!yeni) {
        if (const auto k = KasaOku(m_db, kod)) {
            KASAKOD->setText(k->KASAKOD);
            ADI->setText(k->ADI);
            ACIKLAMA1->setText(k->ACIKLAMA1);
            ACIKLAMA2->setText(k->ACIKLAMA2);
            ACIKLAMA3->setText(k->ACIKLAMA3);
            MUH_KOD->setText(k->MUH_KOD);
        }
        KASAKOD->setReadOnly(true);
        KASAKOD->setStyleSheet(QStringLiteral("background: silver"));
        ADI->setFocus();
    }
    resize(480, 240);
}

void TFormKasaSakla::BtnSaklaClick()
{
    if (KASAKOD->text().trimmed().isEmpty()) {
        ShowInfo(KasaKoduYokText());
        return;
    }
    KasaKaydet(m_db, {KASAKOD->text(), ADI->text(), ACIKLAMA1->text(), ACIKLAMA2->text(), ACIKLAMA3->text(),
                      MUH_KOD->text()},
               m_yeni);
    sonuc = KASAKOD->text().trimmed();
    accept();
}

TFormKasaBr::TFormKasaBr(const SessionContext& ctx, int mode, QWidget* parent)
    : SecimListesi(ctx, mode, ctx.AktifKullanici.diger21, QStringLiteral("KASA TANIM KAYITLARI"), parent)
{
    setObjectName(QStringLiteral("FormKasaBr"));
    if (mode == 1)
        setWindowTitle(QStringLiteral("LÜTFEN KASAYI SEÇİNİZ"));
    tanimla(QStringLiteral("SELECT KASAKOD, ADI FROM KASA ORDER BY KASAKOD"),
            {QStringLiteral("Kasa Kodu"), QStringLiteral("Kasa Adı")}, QStringLiteral("KASAKOD"),
            {{QStringLiteral("Kasa Kodu"), QStringLiteral("KASAKOD")}, {QStringLiteral("Kasa Adı"), QStringLiteral("ADI")}});
    listeyiAc();
}

void TFormKasaBr::btnNewClick()
{
    const QString kod = KasaKarti(m_ctx, QString(), true, this);
    if (!kod.isEmpty())
        listeyiAc(kod);
}

void TFormKasaBr::btnEditClick()
{
    const QString kod = anahtar().toString();
    if (kod.isEmpty())
        return;
    if (!KasaKarti(m_ctx, kod, false, this).isEmpty())
        listeyiAc(kod);
}

void TFormKasaBr::btnDeleteClick()
{
    const QString kod = anahtar().toString();
    if (kod.isEmpty() || AskYesNoCancel(QStringLiteral("Kayıt Silinsin mi?")) != MsgYes)
        return;
    KasaSil(m_db, kod);
    listeyiAc();
}

QString KasaKarti(const SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    const QString& hak = ctx.AktifKullanici.diger21;
    if (yeni ? !RightAdds(hak) : !RightChanges(hak))
        return {};
    TFormKasaSakla f(ctx, kod, yeni, parent);
    return f.exec() == QDialog::Accepted ? f.sonuc : QString();
}

QString KasaSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormKasaBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secim.toString() : QString();
}

} // namespace tornaly::accounts
