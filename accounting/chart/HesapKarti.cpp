#include "accounting/chart/HesapKarti.h"

#include "accounting/chart/MasMer.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {

QButtonGroup* secenekler(QWidget* sahip, QGroupBox* kutu, const QStringList& basliklar)
{
    auto* g = new QButtonGroup(sahip);
    auto* l = new QHBoxLayout(kutu);
    for (int i = 0; i < basliklar.size(); ++i) {
        auto* r = new QRadioButton(basliklar.at(i), kutu);
        g->addButton(r, i);
        l->addWidget(r);
    }
    return g;
}

const QStringList bakiyeHarfleri = {QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("I")};
const QStringList bilancoHarfleri = {QStringLiteral("A"), QStringLiteral("P"), QStringLiteral("-")};

} // namespace

TFormHesapKarti::TFormHesapKarti(const SessionContext& ctx, const QString& kod, int kebir, const QString& muavin,
                                 const QString& tali, bool yeni, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_yeni(yeni)
{
    setObjectName(QStringLiteral("FormHesapKarti"));
    setWindowTitle(QStringLiteral("Hesap Kodları Tanımı"));
    m_param = HesapParametreleriOku(m_db);
    if (!yeni)
        m_kayit = HesapOku(m_db, kod).value_or(HesapKaydi{});

    auto alan = [this](const char* ad, int uzunluk) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(ad));
        if (uzunluk > 0)
            e->setMaxLength(uzunluk);
        return e;
    };
    EditKebir = alan("EditKebir", 3);
    EditMuavin = alan("EditMuavin", qMax(1, m_param.muavinHane));
    EditTali = alan("EditTali", qMax(1, m_param.taliHane));
    EditDetay = alan("EditDetay", qMax(1, m_param.detayHane));
    EditHesapAdi = alan("EditHesapAdi", 79);
    EditAciklama = alan("EditAciklama", 65);
    EditMasrafM = alan("EditMasrafM", 17);
    EditBirim = alan("EditBirim", 5);
    ComboKurFark = new QComboBox(this);
    ComboKurFark->setObjectName(QStringLiteral("ComboKurFark"));
    ComboKurFark->addItem(QString(), QString());
    for (const auto& h : HesapListesi(m_db, m_param, 99, {}, {}, true))
        ComboKurFark->addItem(h.HKOD + QStringLiteral("  ") + h.HESAP_ADI, h.HKOD);
    ComboKurFark->installEventFilter(this);
    for (QLineEdit* e : {EditKebir, EditMuavin, EditTali, EditDetay})
        e->installEventFilter(this);

    auto* bakiyeKutu = new QGroupBox(QStringLiteral("Bakiye Tipi"), this);
    RGBakiyeTip = secenekler(this, bakiyeKutu, {QStringLiteral("Borç"), QStringLiteral("Alacak"),
                                                QStringLiteral("Her İkisi")});
    auto* bilancoKutu = new QGroupBox(QStringLiteral("Bilanço Tipi"), this);
    RGBilancoTip = secenekler(this, bilancoKutu, {QStringLiteral("Aktif"), QStringLiteral("Pasif"),
                                                  QStringLiteral("Yok")});

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kebir"), EditKebir);
    form->addRow(QStringLiteral("Grup"), EditMuavin);
    form->addRow(QStringLiteral("Tali"), EditTali);
    form->addRow(QStringLiteral("Muavin"), EditDetay);
    form->addRow(QStringLiteral("Hesap Adı"), EditHesapAdi);
    form->addRow(QStringLiteral("Açıklama"), EditAciklama);
    auto* masraf = new QHBoxLayout;
    auto* masrafSec = new QToolButton(this);
    masrafSec->setObjectName(QStringLiteral("SpeedBMasrafM"));
    masrafSec->setText(QStringLiteral("Seç"));
    connect(masrafSec, &QToolButton::clicked, this, Guarded([this](auto&&...) {
                const QString kod = MasMerSec(m_ctx, 1, this);
                if (!kod.isEmpty())
                    EditMasrafM->setText(kod);
            }));
    masraf->addWidget(EditMasrafM, 1);
    masraf->addWidget(masrafSec);
    form->addRow(QStringLiteral("Masraf Merkezi"), masraf);
    form->addRow(QStringLiteral("Kur Farkı Hesabı"), ComboKurFark);
    form->addRow(QStringLiteral("Birim"), EditBirim);
    form->addRow(bakiyeKutu);
    form->addRow(bilancoKutu);
    // Levels the chart does not use are not shown.
    const bool taliVar = m_param.seviye == QLatin1String("T") || m_param.seviye == QLatin1String("D");
    const bool detayVar = m_param.seviye == QLatin1String("D");
    form->setRowVisible(EditTali, taliVar);
    form->setRowVisible(EditDetay, detayVar);

    BtnSakla = new QPushButton(QStringLiteral("&Sakla"), this);
    BtnSakla->setObjectName(QStringLiteral("BtnSakla"));
    BtnVazgec = new QPushButton(QStringLiteral("&Vazgeç"), this);
    BtnVazgec->setObjectName(QStringLiteral("BtnVazgec"));
    BtnSakla->setAutoDefault(false);
    BtnVazgec->setAutoDefault(false);
    connect(BtnSakla, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSaklaClick(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    alt->addWidget(BtnSakla);
    alt->addWidget(BtnVazgec);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(form);
    lay->addLayout(alt);

    if (yeni) {
        if (kebir > 0)
            EditKebir->setText(QStringLiteral("%1").arg(kebir, 3, 10, QLatin1Char('0')));
        QLineEdit* odak = EditMuavin;
        if (m_param.seviye == QLatin1String("M")) {
            EditMuavin->setText(muavin.left(qMax(0, int(muavin.size()) - 1)));
        } else if (m_param.seviye == QLatin1String("T")) {
            EditMuavin->setText(muavin);
            EditTali->setText(tali);
            odak = EditTali;
        } else if (m_param.seviye == QLatin1String("D")) {
            EditMuavin->setText(muavin);
            EditTali->setText(tali);
            odak = EditDetay;
        }
        RGBakiyeTip->button(2)->setChecked(true);
        RGBilancoTip->button(2)->setChecked(true);
        odak->setFocus();
    } else {
        EditKebir->setText(QStringLiteral("%1").arg(m_kayit.KEBIR, 3, 10, QLatin1Char('0')));
        EditMuavin->setText(m_kayit.MUAVIN);
        EditTali->setText(m_kayit.TALI);
        EditDetay->setText(m_kayit.DETAY);
        for (QLineEdit* e : {EditKebir, EditMuavin, EditTali, EditDetay}) {
            e->setReadOnly(true);
            e->setStyleSheet(QStringLiteral("background: #e0e0e0;"));
        }
        EditHesapAdi->setText(m_kayit.HESAP_ADI);
        EditAciklama->setText(m_kayit.ACIKLAMA);
        EditMasrafM->setText(m_kayit.MASRAFM_KOD);
        EditBirim->setText(m_kayit.BIRIM);
        ComboKurFark->setCurrentIndex(qMax(0, ComboKurFark->findData(m_kayit.KURFHSP_KOD)));
        const int b = int(bakiyeHarfleri.indexOf(m_kayit.BAKIYETIP));
        RGBakiyeTip->button(b >= 0 ? b : 2)->setChecked(true);
        const int bl = int(bilancoHarfleri.indexOf(m_kayit.BILANCOTIP));
        RGBilancoTip->button(bl >= 0 ? bl : 2)->setChecked(true);
        EditHesapAdi->setFocus();
    }
    resize(560, sizeHint().height());
}

bool TFormHesapKarti::eventFilter(QObject* watched, QEvent* event)
{
    auto* e = qobject_cast<QLineEdit*>(watched);
    if (watched == ComboKurFark && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        ComboKurFark->setCurrentIndex(0);
        return true;
    }
    if (!e || e->isReadOnly())
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        const QString t = k->text();
        if (t.size() == 1 && t.at(0).isPrint()) {
            const QString alfa = e == EditKebir ? QString() : m_param.alfaDurum;
            if (!HesapParcaKarakteri(t.at(0), alfa))
                return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (e == EditKebir) {
            EditKebirExit();
        } else {
            const int hane = e == EditMuavin ? m_param.muavinHane : e == EditTali ? m_param.taliHane : m_param.detayHane;
            e->setText(HesapParcasiniDoldur(e->text(), hane));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormHesapKarti::EditKebirExit()
{
    if (const auto tip = BilancoTipi(EditKebir->text().toInt()))
        RGBilancoTip->button(int(bilancoHarfleri.indexOf(*tip)))->setChecked(true);
}

void TFormHesapKarti::BtnSaklaClick()
{
    HesapKaydi h = m_kayit;
    h.KEBIR = EditKebir->text().toInt();
    h.MUAVIN = EditMuavin->text().trimmed();
    h.TALI = EditTali->text().trimmed();
    h.DETAY = EditDetay->text().trimmed();
    h.HESAP_ADI = EditHesapAdi->text();
    h.ACIKLAMA = EditAciklama->text();
    h.MASRAFM_KOD = EditMasrafM->text().trimmed();
    h.BIRIM = EditBirim->text().trimmed();
    h.KURFHSP_KOD = ComboKurFark->currentData().toString();
    h.BAKIYETIP = bakiyeHarfleri.value(RGBakiyeTip->checkedId(), QStringLiteral("I"));
    h.BILANCOTIP = bilancoHarfleri.value(RGBilancoTip->checkedId(), QStringLiteral("-"));
    const QString kod = HesapKaydet(m_db, m_param, h, m_yeni);
    if (kod.isEmpty())
        return;
    kaydedilenKod = kod;
    accept();
}

QString HesapKarti(const SessionContext& ctx, const QString& kod, int kebir, const QString& muavin,
                   const QString& tali, bool yeni, QWidget* owner)
{
    TFormHesapKarti f(ctx, kod, kebir, muavin, tali, yeni, owner);
    return f.exec() == QDialog::Accepted ? f.kaydedilenKod : QString();
}

} // namespace tornaly::accounting
