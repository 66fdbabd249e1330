#include "workshop/attendance/forms/CihazdanGelenm.h"
#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "workshop/attendance/PdksKayit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {

QString pdksSayiMetni(int n) { return n == 0 ? QString() : QLocale(QLocale::Turkish, QLocale::Turkey).toString(n); }

// Lines the import could not convert are named, at most a screenful.
QString pdksHataMetni(const QStringList& satirlar)
{
    constexpr int enFazla = 20;
    QStringList gosterilen = satirlar.mid(0, enFazla);
    if (satirlar.size() > enFazla)
        gosterilen << QStringLiteral("... ve %1 satır daha").arg(satirlar.size() - enFazla);
    return QStringLiteral("Dosyada okunamayan satırlar var (kayıt no okunamayanlar atlandı, tarihi okunamayanlar "
                          "bugünün tarih ve saatiyle yazıldı):\n")
           + gosterilen.join(QLatin1Char('\n'));
}

} // namespace

TFormCihazdanGelenm::TFormCihazdanGelenm(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormCihazdanGelenm"));
    setWindowTitle(QStringLiteral("Cihazdan Çalışma Saatlerini Okutma"));
    auto* lay = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    DateEditOku = new TTarihEdit(ServerToday(ctx.Database1), this);
    DateEditOku->setObjectName(QStringLiteral("DateEditOku"));
    form->addRow(QStringLiteral("Tarihinden İtibaren Çalışma Bilgilerini Yaz"), DateEditOku);
    lay->addLayout(form);
    BtnYENIBIL = new QPushButton(QStringLiteral("Cihazdan Yeni Bilgileri Oku ve Yaz"), this);
    BtnYENIBIL->setObjectName(QStringLiteral("BtnYENIBIL"));
    BtnTUM = new QPushButton(QStringLiteral("Cihazdan Tüm Bilgileri Oku  ve Yaz"), this);
    BtnTUM->setObjectName(QStringLiteral("BtnTUM"));
    lay->addWidget(BtnYENIBIL);
    lay->addWidget(BtnTUM);
    LabelLSAY = new QLabel(this);
    LabelLSAY->setObjectName(QStringLiteral("LabelLSAY"));
    lay->addWidget(LabelLSAY);
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    BitBtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BitBtnKapat->setObjectName(QStringLiteral("BitBtnKapat"));
    BitBtnKapat->setToolTip(QStringLiteral("Alt-F4 Tuşu"));
    alt->addWidget(BitBtnKapat);
    lay->addLayout(alt);
    connect(BtnYENIBIL, &QPushButton::clicked, this, Guarded([this] { BtnYENIBILClick(false); }));
    connect(BtnTUM, &QPushButton::clicked, this, Guarded([this] { BtnYENIBILClick(true); }));
    connect(BitBtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    resize(460, sizeHint().height());
}

void TFormCihazdanGelenm::BtnYENIBILClick(bool tumu)
{
    const Db& db = m_ctx.Database1;
    PdksDosyaSonucu r;
    try {
        r = CihazDosyasiOku(db, PdksDosyaYolu(db), tumu, ServerNow(db), [this](int n) {
            LabelLSAY->setText(pdksSayiMetni(n) + QStringLiteral(". Kayıt Okundu."));
            LabelLSAY->repaint();
        });
    } catch (...) {
        LabelLSAY->clear();
        throw;
    }
    LabelLSAY->clear();
    m_dosyaZamani = r.dosyaZamani;
    if (!r.hataliSatirlar.isEmpty())
        ShowWarning(pdksHataMetni(r.hataliSatirlar));
    if (r.okunanSatir > 0)
        BasBitZamanHesapla();
}

void TFormCihazdanGelenm::BasBitZamanHesapla()
{
    const Db& db = m_ctx.Database1;
    PdksEslemeAyari ayar{DateEditOku->date(), m_dosyaZamani, PdksMesaiBitisi(db)};
    PdksEsle(db, ayar, [this](int n) {
        LabelLSAY->setText(pdksSayiMetni(n) + QStringLiteral(". Kayıt Yazıldı."));
        LabelLSAY->repaint();
    });
    LabelLSAY->setText(QStringLiteral("İşlem Tamam"));
}

void CihazdanOkutGoster(SessionContext& ctx, QWidget* parent)
{
    TFormCihazdanGelenm f(ctx, parent);
    RunModal(f);
}

} // namespace tornaly::workshop
