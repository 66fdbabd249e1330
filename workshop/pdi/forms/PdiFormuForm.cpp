#include "workshop/pdi/forms/PdiFormuForm.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/pdi/PdiFormu.h"
#include "workshop/pdi/PdiYaz.h"
#include "workshop/pdi/forms/PdiDugme.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/Registration.h"
#include "workshop/vehicles/forms/Beyan.h"
#include "workshop/vehicles/forms/FieldPanel.h"
#include "context/SessionContext.h"
#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "report/RaporCikti.h"
#include "sql/SqlHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tornaly::workshop {

using namespace pdiortak;


TFormPDIFormu::TFormPDIFormu(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormPDIFormu"));
    setWindowTitle(QStringLiteral("Satış Öncesi Bakımı (PDI) Formu"));
    auto* lay = new QVBoxLayout(this);
    Alanlar = new FieldPanel(this, 3);
    Alanlar->add(K("FORMNO"), QStringLiteral("Form No"), FieldPanel::Text, 15);
    Alanlar->add(K("SASI_NO"), QStringLiteral("Şase No"), FieldPanel::Text, 25);
    Alanlar->add(K("TARIH"), QStringLiteral("Tarih"), FieldPanel::Date);
    Alanlar->add(K("MOTOR_NO"), QStringLiteral("Motor No"), FieldPanel::Text, 25);
    Alanlar->add(K("KM"), QStringLiteral("KM"), FieldPanel::Number);
    Alanlar->add(K("MARKA"), QStringLiteral("Marka"), FieldPanel::Text, 15);
    Alanlar->add(K("MODEL"), QStringLiteral("Model"), FieldPanel::Text, 15);
    LblModelAdi = new QLabel(this);
    LblModelAdi->setObjectName(QStringLiteral("LblModelAdi"));
    Alanlar->addWidget(QStringLiteral("Model Adı"), LblModelAdi);
    LblRenkAdi = new QLabel(this);
    LblRenkAdi->setObjectName(QStringLiteral("LblRenkAdi"));
    Alanlar->addWidget(QStringLiteral("Renk"), LblRenkAdi);
    Alanlar->add(K("KONANAHNO"), QStringLiteral("Kontak Anahtar Kanal No"), FieldPanel::Text, 1);
    Alanlar->add(K("IMTANIMKOD"), QStringLiteral("İmmobilizer Tanıtım No"), FieldPanel::Text, 21);
    Alanlar->add(K("IMTANIMSIF"), QStringLiteral("İmmobilizer Tanıtım Şifresi"), FieldPanel::Text, 21);
    Alanlar->addWidget(QString(), new QLabel(QStringLiteral("(Band Altındadır. Asla Açmayınız)"), this));
    Alanlar->add(K("RADYOTANIMKOD"), QStringLiteral("Radyo Tanıtım Kod"), FieldPanel::Text, 21);
    Alanlar->add(K("RADYOTANIMSIF"), QStringLiteral("Radyo Şifresi"), FieldPanel::Text, 21);
    Alanlar->setReadOnly(K("SASI_NO"), true);
    connect(Alanlar, &FieldPanel::edited, this, Guarded([this] {
        if (!m_yukleniyor)
            m_degisti = true;
    }));
    lay->addWidget(Alanlar);
    lay->addWidget(kurMaddeler(), 1);

    auto* alt = new QHBoxLayout;
    alt->addWidget(new QLabel(QStringLiteral("PDI Teknisıeni Adı Soyadı"), this));
    CmbTeknisyen = new QComboBox(this);
    CmbTeknisyen->setObjectName(QStringLiteral("CmbTeknisyen"));
    PersonelDoldur(CmbTeknisyen, m_db);
    connect(CmbTeknisyen, &QComboBox::activated, this, Guarded([this] { m_degisti = true; }));
    alt->addWidget(CmbTeknisyen, 1);
    BtnAracSec = PdiDugme(this, alt, "BtnAracSec", QStringLiteral("Araç Seç"), &TFormPDIFormu::BtnAracSecClick);
    BtnSakla = PdiDugme(this, alt, "BtnSakla", QStringLiteral("&Sakla"), &TFormPDIFormu::BtnSaklaClick);
    BtnVazgec = PdiDugme(this, alt, "BtnVazgec", QStringLiteral("&Vazgeç"), &TFormPDIFormu::BtnVazgecClick);
    BtnYazdir = PdiDugme(this, alt, "BtnYazdir", QStringLiteral("Yazdır"), &TFormPDIFormu::BtnYazdirClick);
    BtnAracSec->setEnabled(false);
    lay->addLayout(alt);
    resize(1000, 760);
}

QWidget* TFormPDIFormu::kurMaddeler()
{
    auto* alan = new QScrollArea(this);
    alan->setWidgetResizable(true);
    auto* ic = new QWidget(alan);
    auto* v = new QVBoxLayout(ic);
    int bolum = -1;
    QVBoxLayout* kutu = nullptr;
    for (const PdiFormuMaddesi& m : PdiFormuMaddeleri()) {
        if (m.bolum != bolum) {
            bolum = m.bolum;
            auto* g = new QGroupBox(PdiFormuBolumleri().at(bolum), ic);
            kutu = new QVBoxLayout(g);
            v->addWidget(g);
        }
        auto* c = new QCheckBox(m.baslik, ic);
        c->setObjectName(m.kolon);
        m_maddeler.insert(m.kolon, c);
        connect(c, &QCheckBox::toggled, this, Guarded([this] {
            if (!m_yukleniyor)
                m_degisti = true;
        }));
        kutu->addWidget(c);
    }
    v->addStretch(1);
    alan->setWidget(ic);
    return alan;
}

void TFormPDIFormu::ac(const QString& sase, const QDateTime& tarih)
{
    QDateTime t = tarih;
    if (!sase.isEmpty() && !t.isValid())
        t = PdiFormuSonTarih(m_db, sase);
    const QVariantMap row = PdiFormuOku(m_db, sase, t);
    if (!row.isEmpty()) {
        rowAc(row, false);
        return;
    }
    QVariantMap yeniRow;
    yeniRow[K("TARIH")] = QDateTime(ServerToday(m_db), QTime(0, 0));
    if (!sase.isEmpty()) {
        yeniRow[K("SASI_NO")] = sase;
        PdiFormuAracOku(m_db, yeniRow, true);
    }
    rowAc(yeniRow, true);
}

void TFormPDIFormu::rowAc(const QVariantMap& row, bool yeni)
{
    m_yukleniyor = true;
    m_row = row;
    m_yeni = yeni;
    m_degisti = false;
    m_row[K("ESKI_SASE")] = row.value(K("SASI_NO"));
    m_row[K("ESKI_TARIH")] = row.value(K("TARIH"));
    Alanlar->load(m_row);
    for (auto it = m_maddeler.cbegin(); it != m_maddeler.cend(); ++it)
        it.value()->setChecked(row.value(it.key()).toString().trimmed() == QLatin1String("E"));
    const int i = CmbTeknisyen->findData(row.value(K("KONTROL_PERSON_KOD")).toString().trimmed());
    CmbTeknisyen->setCurrentIndex(i < 0 ? 0 : i);
    QVariantMap kopya = m_row;
    const PdiFormuArac a = PdiFormuAracOku(m_db, kopya, false);
    LblModelAdi->setText(a.modelAdi);
    LblRenkAdi->setText(a.renkAdi);
    BtnAracSec->setEnabled(yeni);
    m_yukleniyor = false;
}

bool TFormPDIFormu::oku(QVariantMap& row) const
{
    if (!Alanlar->store(row))
        return false; // the panel has told the user
    for (auto it = m_maddeler.cbegin(); it != m_maddeler.cend(); ++it)
        row[it.key()] = it.value()->isChecked() ? QStringLiteral("E") : QStringLiteral("H");
    row[K("KONTROL_PERSON_KOD")] = CmbTeknisyen->currentData().toString();
    return true;
}

bool TFormPDIFormu::degisti() const { return m_yeni || m_degisti || Alanlar->isModified(); }

void TFormPDIFormu::BtnAracSecClick()
{
    const QString sase = aracSecici ? aracSecici() : AracRuhsatSec(m_ctx, TypeIsEmri{}, 2, this).SasiNo;
    if (sase.isEmpty())
        return;
    QVariantMap r = m_row;
    if (!oku(r))
        return;
    r[K("SASI_NO")] = sase;
    PdiFormuAracOku(m_db, r, true);
    const bool yeni = m_yeni;
    rowAc(r, yeni);
    m_row[K("ESKI_SASE")] = QVariant();
    m_degisti = true;
}

void TFormPDIFormu::BtnSaklaClick()
{
    QVariantMap r = m_row;
    if (!oku(r))
        return;
    PdiFormuKaydet(m_db, r, m_yeni);
    m_sonuc = r.value(K("SASI_NO")).toString().trimmed();
    rowAc(PdiFormuOku(m_db, m_sonuc, Query::toDateTime(r.value(K("TARIH")))), false);
}

void TFormPDIFormu::BtnVazgecClick()
{
    if (!degisti()) {
        accept();
        return;
    }
    QDialog::reject();
}

void TFormPDIFormu::reject()
{
    // Closing the window drops unsaved changes.
    if (!degisti() && !m_sonuc.isEmpty())
        accept();
    else
        QDialog::reject();
}

void TFormPDIFormu::BtnYazdirClick()
{
    QVariantMap r = m_row;
    if (!oku(r))
        return;
    report::OutputDocument(report::Render(PdiFormuYaz(r, LblModelAdi->text(), LblRenkAdi->text(), CmbTeknisyen->currentText())),
                           report::OutputPreview);
}

QString ShowPDIFormu(SessionContext& ctx, const QString& sase, const QDateTime& tarih, QWidget* parent)
{
    TFormPDIFormu f(ctx, parent);
    f.ac(sase, tarih);
    return RunModal(f) == QDialog::Accepted ? f.sonuc() : QString();
}

} // namespace tornaly::workshop
