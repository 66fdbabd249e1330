#include "stock/slips/StkFisKK.h"
#include "util/Utf8.h"

#include "context/SessionContext.h"
#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "settings/Settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageAuthenticationCode>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
using text::S;

struct KipMetni {
    int kip;
    const char* baslik;
    const char* aciklama;
};
const KipMetni kipler[] = {
    {20, "Stok Fişi Karşıkod Modülü", "Stok Fişi İçin Distirbütör den Karşı Kodu Alınız"},
    {30, "YP Alış Karşıkod Modülü", "YP Alış İçin Distirbütör den Karşı Kodu Alınız"},
    {40, "İşemri Garanti Fat. Silme Kontrolü", "İşemri Gar.Fat. Silmek için Distirbütör den Karşı Kodu Alınız"},
    {50, "İşemri YP.Garanti Seçme Kontrolü", "İşemri YP.Garanti Seçimi için Distirbütör den Karşı Kodu Alınız"},
    {60, "Araç Fatura Silme Kontrolü", "Araç Fatura Silme için Distirbütör den Karşı Kodu Alınız"},
};
} // namespace

QString AnahtarKodu::metin() const
{
    return bayi.trimmed() + QLatin1Char('-') + rastgele + QLatin1Char('-') + QString(tip) + QLatin1Char('-') +
           QString::number(no);
}

std::optional<AnahtarKodu> AnahtarKodu::coz(const QString& metin)
{
    // The dealer code may itself hold dashes: the last three fields are fixed.
    const QStringList p = metin.trimmed().split(QLatin1Char('-'));
    if (p.size() < 4)
        return std::nullopt;
    AnahtarKodu a;
    a.bayi = p.mid(0, p.size() - 3).join(QLatin1Char('-'));
    a.rastgele = p.at(p.size() - 3);
    const QString tip = p.at(p.size() - 2);
    bool ok = false;
    a.no = p.last().toLongLong(&ok);
    static const QRegularExpression alti(QStringLiteral("^[0-9]{6}$"));
    if (!ok || tip.size() != 1 || !alti.match(a.rastgele).hasMatch())
        return std::nullopt;
    a.tip = tip.at(0);
    return a;
}

AnahtarKodu YeniAnahtarKodu(const QString& bayi, QChar tip, qint64 no)
{
    AnahtarKodu a;
    a.bayi = bayi.trimmed();
    a.rastgele = QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
    a.tip = tip;
    a.no = no;
    return a;
}

QString KarsiKodHesapla(const AnahtarKodu& anahtar, const QByteArray& sir)
{
    const QByteArray mac =
        QMessageAuthenticationCode::hash(anahtar.metin().toUtf8(), sir, QCryptographicHash::Sha256);
    quint64 n = 0;
    for (int i = 0; i < 8; ++i)
        n = (n << 8) | quint8(mac.at(i));
    return QStringLiteral("%1").arg(n % 100000000ULL, 8, 10, QLatin1Char('0'));
}

QByteArray KarsiKodSirri()
{
    const QString sir = ReadSetting(QStringLiteral("Kalvesa"), QStringLiteral("Distributor"), QStringLiteral("KarsiKodSirri"));
    return (sir.isEmpty() ? QStringLiteral("Tornaly-KarsiKod") : sir).toUtf8();
}

TFormStkFisKK::TFormStkFisKK(const SessionContext& ctx, int mode, qint64 no, QChar tip, QWidget* parent)
    : QDialog(parent), tag(mode), StkFisNo(no), StkFisTip(tip), m_bayi(ctx.UretBKod)
{
    setObjectName(QStringLiteral("FormStkFisKK"));
    QString baslik = S("Stok Fişi Karşıkod Modülü");
    QString aciklama = S("İşemri Garanti Fatura Silmek için Distirbütör \r\nden Karşı Kodu Alınız");
    for (const KipMetni& k : kipler)
        if (k.kip == mode) {
            baslik = S(k.baslik);
            aciklama = S(k.aciklama);
        }
    setWindowTitle(baslik);
    auto* lay = new QVBoxLayout(this);
    LblBaslik = new QLabel(aciklama, this);
    LblBaslik->setObjectName(QStringLiteral("LblBaslik"));
    lay->addWidget(LblBaslik);
    lay->addWidget(new QLabel(S("Anahtar Kodu Okuyunuz"), this));
    EditAnahtar = new QLineEdit(this);
    EditAnahtar->setObjectName(QStringLiteral("EditAnahtar"));
    EditAnahtar->setReadOnly(true);
    lay->addWidget(EditAnahtar);
    lay->addWidget(new QLabel(S("Karşı Kodu Giriniz"), this));
    EditKarsiKod = new QLineEdit(this);
    EditKarsiKod->setObjectName(QStringLiteral("EditKarsiKod"));
    lay->addWidget(EditKarsiKod);
    auto* d = new QHBoxLayout;
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    d->addStretch();
    d->addWidget(BtnOK);
    d->addWidget(BtnCancel);
    lay->addLayout(d);
    connect(BtnOK, &QPushButton::clicked, this, Guarded(this, &TFormStkFisKK::BtnOKClick));
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    EditAnahtar->setText(YeniAnahtarKodu(m_bayi, StkFisTip, StkFisNo).metin());
}

void TFormStkFisKK::BtnOKClick()
{
    const auto anahtar = AnahtarKodu::coz(EditAnahtar->text());
    if (!anahtar) {
        ShowError(S("Anahtarda Hata Oluştu Lütfen Yeniden Deneyin!"));
        reject();
        return;
    }
    const QString yazilan = EditKarsiKod->text().remove(QLatin1Char(' ')).trimmed();
    static const QRegularExpression sekiz(QStringLiteral("^[0-9]{8}$"));
    if (!sekiz.match(yazilan).hasMatch()) {
        ShowError(S("Karşı Kod Hatalı Lütfen Yeniden Giriniz!"));
        return;
    }
    if (yazilan != KarsiKodHesapla(*anahtar, KarsiKodSirri())) {
        ShowError(S("Hatalı Karşıkod"));
        return;
    }
    accept();
}

bool StkFisKarsiKod(const SessionContext& ctx, int mode, qint64 no, QChar tip, QWidget* parent)
{
    TFormStkFisKK f(ctx, mode, no, tip, parent);
    return RunModal(f) == QDialog::Accepted;
}

} // namespace tornaly::stock
