#include "workshop/attendance/forms/WorkControl.h"
#include "connection/DonPara.h"
#include "context/SessionContext.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "personnel/PersonBr.h"
#include "sql/SqlHelpers.h"
#include "workshop/attendance/forms/PdksIzgara.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {


const QStringList& pdksCalismaTipleri()
{
    static const QStringList t{pdks::U("M  Müşteri İşleri"), pdks::U("G  Garanti İşleri"), pdks::U("D  Dahili İşler"), pdks::U("P  PDI"),
                               pdks::U("W1 Atölye İşleri"),  pdks::U("W2 Boş Zaman"),      pdks::U("W3 Yardım"),      pdks::U("W4 İş Tekrarı"),
                               pdks::U("W5 İzin"),           pdks::U("W6 Eğitim"),         pdks::U("W7 Hastalık"),    pdks::U("W8 Diğer   ")};
    return t;
}

QString pdksPersonelAdi(const Db& db, const QString& kod)
{
    Query q(db, QStringLiteral("SELECT ISCI_ADI FROM ISCIUSTA WHERE ISCI_KOD = :K"));
    q.bind(QStringLiteral("K"), kod).exec();
    return q.next() ? q.str(QStringLiteral("ISCI_ADI")) : QString();
}

} // namespace

TFormWorkControl::TFormWorkControl(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormWorkControl"));
    setWindowTitle(pdks::U("Çalışma Kontrol Kartı"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurBaslik());
    lay->addWidget(kurSatirlar(), 1);
    lay->addLayout(kurDugmeler());
    const QDate bugun = ServerToday(ctx.Database1);
    EdTarihAra->setDate(bugun);
    git(CalismaKartiIlkGun(ctx.Database1, bugun));
    resize(900, 600);
}

QWidget* TFormWorkControl::kurBaslik()
{
    auto* w = new QWidget(this);
    auto* lay = new QVBoxLayout(w);
    auto* ara = new QHBoxLayout;
    EdTarihAra = new TTarihEdit(w);
    EdTarihAra->setObjectName(QStringLiteral("EdTarihAra"));
    EdPerAra = new QLineEdit(w);
    EdPerAra->setObjectName(QStringLiteral("EdPerAra"));
    auto* perAraSec = PdksDugme(w, "BtnPerAraSec", QStringLiteral("..."));
    auto* tarihEtiket = new QLabel(pdks::U("&Tarih Ara"), w);
    tarihEtiket->setBuddy(EdTarihAra);
    ara->addWidget(tarihEtiket);
    ara->addWidget(EdTarihAra);
    auto* perEtiket = new QLabel(pdks::U("&Personel Kod Ara"), w);
    perEtiket->setBuddy(EdPerAra);
    ara->addWidget(perEtiket);
    ara->addWidget(EdPerAra);
    ara->addWidget(perAraSec);
    ara->addStretch();
    lay->addLayout(ara);

    auto* kutu = new QGroupBox(w);
    auto* f = new QFormLayout(kutu);
    LblKartNo = new QLabel(kutu);
    LblKartNo->setObjectName(QStringLiteral("LblKartNo"));
    f->addRow(pdks::U("Kontrol Kart No"), LblKartNo);
    auto* per = new QHBoxLayout;
    EdPerKod = new QLineEdit(kutu);
    EdPerKod->setObjectName(QStringLiteral("EdPerKod"));
    EdPerKod->setMaxLength(11);
    BtnPersonelSec = PdksDugme(kutu, "BtnPersonelSec", pdks::U("&Personel Seç"));
    LblPerAdi = new QLabel(kutu);
    LblPerAdi->setObjectName(QStringLiteral("LblPerAdi"));
    per->addWidget(EdPerKod);
    per->addWidget(BtnPersonelSec);
    per->addWidget(new QLabel(pdks::U("Personel Adı"), kutu));
    per->addWidget(LblPerAdi, 1);
    f->addRow(pdks::U("Personel Kod"), per);
    EdTarih = new TTarihEdit(kutu);
    EdTarih->setObjectName(QStringLiteral("EdTarih"));
    f->addRow(pdks::U("Tarih"), EdTarih);
    auto* top = new QHBoxLayout;
    LblVerimli = new QLabel(kutu);
    LblVerimli->setObjectName(QStringLiteral("LblVerimli"));
    LblCalis = new QLabel(kutu);
    LblCalis->setObjectName(QStringLiteral("LblCalis"));
    LblSatilan = new QLabel(kutu);
    LblSatilan->setObjectName(QStringLiteral("LblSatilan"));
    CbMola = new QCheckBox(pdks::U("Ücretli Mola"), kutu);
    CbMola->setObjectName(QStringLiteral("CbMola"));
    top->addWidget(new QLabel(pdks::U("Verimli Saat"), kutu));
    top->addWidget(LblVerimli);
    top->addWidget(new QLabel(pdks::U("Çalışılan Saat"), kutu));
    top->addWidget(LblCalis);
    top->addWidget(new QLabel(pdks::U("Satılan Saat"), kutu));
    top->addWidget(LblSatilan);
    top->addWidget(CbMola);
    top->addStretch();
    f->addRow(top);
    lay->addWidget(kutu);

    connect(EdTarihAra, &QDateEdit::editingFinished, this, Guarded(this, &TFormWorkControl::TarihAra));
    connect(EdPerAra, &QLineEdit::returnPressed, this, Guarded(this, &TFormWorkControl::PersonelAra));
    connect(perAraSec, &QPushButton::clicked, this, Guarded([this] {
                TDonPara d;
                PersonelSec(m_ctx, 1, d, this);
                if (!d.KodStr.isEmpty()) {
                    EdPerAra->setText(d.KodStr);
                    PersonelAra();
                }
            }));
    connect(BtnPersonelSec, &QPushButton::clicked, this, Guarded(this, &TFormWorkControl::PersonelSecClick));
    // The paid break changes the worked hours at once.
    connect(CbMola, &QCheckBox::clicked, this, Guarded([this] {
                if (m_kart.KONT_KART_NO > 0)
                    BitBtn3Click();
            }));
    return w;
}

QWidget* TFormWorkControl::kurSatirlar()
{
    auto* w = new QWidget(this);
    auto* lay = new QVBoxLayout(w);
    GridSatir = PdksIzgara(w, "GridSatir",
                           {pdks::U("SıraNO"), pdks::U("İş Tip"), pdks::U("İş Emri No"), pdks::U("Satılan Sa."), pdks::U("Baş. Saat"), pdks::U("Bit. Saat"),
                            pdks::U("Fiili Saat")});
    lay->addWidget(GridSatir, 1);
    auto* duz = new QHBoxLayout;
    CmbIsTip = new QComboBox(w);
    CmbIsTip->setObjectName(QStringLiteral("CmbIsTip"));
    CmbIsTip->addItem(QString());
    CmbIsTip->addItems(pdksCalismaTipleri());
    EdIsEmri = new QLineEdit(w);
    EdIsEmri->setObjectName(QStringLiteral("EdIsEmri"));
    EdIsEmri->setMaxLength(7);
    EdSatilan = new QDoubleSpinBox(w);
    EdSatilan->setObjectName(QStringLiteral("EdSatilan"));
    EdSatilan->setDecimals(2);
    EdSatilan->setMaximum(99999);
    EdBas = new QTimeEdit(w);
    EdBas->setObjectName(QStringLiteral("EdBas"));
    EdBas->setDisplayFormat(QStringLiteral("HH:mm"));
    EdBit = new QTimeEdit(w);
    EdBit->setObjectName(QStringLiteral("EdBit"));
    EdBit->setDisplayFormat(QStringLiteral("HH:mm"));
    for (QWidget* x : std::initializer_list<QWidget*>{CmbIsTip, EdIsEmri, EdSatilan, EdBas, EdBit})
        duz->addWidget(x);
    auto* ekle = PdksDugme(w, "BtnSatirEkle", pdks::U("Satır Ekle"));
    auto* kaydet = PdksDugme(w, "BtnSatirKaydet", pdks::U("Satırı Kaydet"));
    auto* sil = PdksDugme(w, "BtnSatirSil", pdks::U("Satır Sil"));
    duz->addWidget(ekle);
    duz->addWidget(kaydet);
    duz->addWidget(sil);
    lay->addLayout(duz);
    connect(GridSatir, &QTableWidget::currentCellChanged, this, Guarded([this] { satiriSec(); }));
    connect(ekle, &QPushButton::clicked, this, Guarded(this, &TFormWorkControl::SatirEkle));
    connect(kaydet, &QPushButton::clicked, this, Guarded(this, &TFormWorkControl::SatirKaydet));
    connect(sil, &QPushButton::clicked, this, Guarded(this, &TFormWorkControl::SatirSil));
    return w;
}

QLayout* TFormWorkControl::kurDugmeler()
{
    auto* alt = new QHBoxLayout;
    const auto ekle = [&](const char* name, const QString& caption, void (TFormWorkControl::*slot)()) {
        auto* b = PdksDugme(this, name, caption);
        connect(b, &QPushButton::clicked, this, Guarded(this, slot));
        alt->addWidget(b);
    };
    ekle("BtnOnceki", pdks::U("< Önceki"), &TFormWorkControl::Onceki);
    ekle("BtnSonraki", pdks::U("Sonraki >"), &TFormWorkControl::Sonraki);
    ekle("BtnYeni", pdks::U("Yeni Kart"), &TFormWorkControl::YeniKart);
    ekle("BtnKaydet", pdks::U("Kartı Kaydet"), &TFormWorkControl::KartKaydet);
    ekle("BtnSil", pdks::U("Kartı Sil"), &TFormWorkControl::KartSil);
    ekle("BitBtn3", pdks::U("Toplam Saatleri Hesapla"), &TFormWorkControl::BitBtn3Click);
    alt->addStretch();
    auto* kapat = PdksDugme(this, "BtnKapat", pdks::U("&Kapat"));
    connect(kapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    alt->addWidget(kapat);
    return alt;
}

void TFormWorkControl::kilitle(bool yeni)
{
    // The employee is chosen only on a new card.
    EdPerKod->setReadOnly(!yeni);
    BtnPersonelSec->setEnabled(yeni);
}

void TFormWorkControl::git(double kartNo)
{
    const Db& db = m_ctx.Database1;
    m_kart = kartNo > 0 ? CalismaKartiOku(db, kartNo) : CalismaKarti{};
    m_satirlar = m_kart.KONT_KART_NO > 0 ? CalismaSatirlari(db, m_kart.KONT_KART_NO) : QList<CalismaSatiri>{};
    kartiGoster();
    kilitle(false);
}

void TFormWorkControl::kartiGoster()
{
    LblKartNo->setText(m_kart.KONT_KART_NO > 0 ? QString::number(m_kart.KONT_KART_NO, 'f', 0) : QString());
    EdPerKod->setText(m_kart.PER_KOD);
    LblPerAdi->setText(m_kart.PER_KOD.isEmpty() ? QString() : pdksPersonelAdi(m_ctx.Database1, m_kart.PER_KOD));
    EdTarih->setDate(m_kart.TARIH.isValid() ? m_kart.TARIH : ServerToday(m_ctx.Database1));
    LblVerimli->setText(PdksSayi(m_kart.VERIMLI_SAAT, 2));
    LblCalis->setText(PdksSayi(m_kart.CALIS_SAAT, 2));
    LblSatilan->setText(PdksSayi(m_kart.SATILAN_SAAT, 2));
    CbMola->setChecked(m_kart.UCRETLI_MOLA);
    GridSatir->setRowCount(0);
    for (int r = 0; r < m_satirlar.size(); ++r) {
        const CalismaSatiri& s = m_satirlar[r];
        GridSatir->insertRow(r);
        PdksHucre(GridSatir, r, 0, QString::number(s.SIRA_NO), s.SIRA_NO);
        PdksHucre(GridSatir, r, 1, s.IS_TIP);
        PdksHucre(GridSatir, r, 2, s.IS_EMRI_NO);
        PdksHucre(GridSatir, r, 3, PdksSayi(s.SATILAN_SAAT, 2));
        PdksHucre(GridSatir, r, 4, s.BAS_SAAT.isValid() ? s.BAS_SAAT.toString(QStringLiteral("HH:mm")) : QString());
        PdksHucre(GridSatir, r, 5, s.BIT_SAAT.isValid() ? s.BIT_SAAT.toString(QStringLiteral("HH:mm")) : QString());
        PdksHucre(GridSatir, r, 6, PdksSayi(s.FIILI_SAAT, 2));
    }
    PdksIzgaraBoyutla(GridSatir);
}

void TFormWorkControl::satiriSec()
{
    const int r = GridSatir->currentRow();
    if (r < 0 || r >= m_satirlar.size())
        return;
    const CalismaSatiri& s = m_satirlar[r];
    int i = 0;
    for (int k = 1; k < CmbIsTip->count(); ++k)
        if (CalismaSatirTipi(CmbIsTip->itemText(k)) == s.IS_TIP)
            i = k;
    CmbIsTip->setCurrentIndex(i);
    EdIsEmri->setText(s.IS_EMRI_NO);
    EdSatilan->setValue(s.SATILAN_SAAT);
    EdBas->setTime(s.BAS_SAAT.isValid() ? s.BAS_SAAT : QTime(0, 0));
    EdBit->setTime(s.BIT_SAAT.isValid() ? s.BIT_SAAT : QTime(0, 0));
}

void TFormWorkControl::TarihAra() { ara(true); }

void TFormWorkControl::PersonelAra() { ara(false); }

void TFormWorkControl::ara(bool tarihten)
{
    const QDate gun = EdTarihAra->date().isValid() ? EdTarihAra->date() : ServerToday(m_ctx.Database1);
    const double no = CalismaKartiBul(m_ctx.Database1, gun, EdPerAra->text().trimmed());
    if (no > 0) {
        git(no);
        GridSatir->setFocus();
        return;
    }
    QApplication::beep();
    if (tarihten)
        EdPerAra->setFocus();
}

void TFormWorkControl::YeniKart()
{
    m_kart = CalismaKarti{};
    m_kart.TARIH = ServerToday(m_ctx.Database1);
    m_satirlar.clear();
    kartiGoster();
    kilitle(true);
    EdPerKod->setFocus();
}

void TFormWorkControl::KartKaydet()
{
    m_kart.PER_KOD = EdPerKod->text().trimmed();
    m_kart.TARIH = EdTarih->date();
    m_kart.UCRETLI_MOLA = CbMola->isChecked();
    CalismaKartiKaydet(m_ctx.Database1, m_kart);
    git(m_kart.KONT_KART_NO);
}

void TFormWorkControl::KartSil()
{
    if (m_kart.KONT_KART_NO <= 0 || !AskYesNo(pdks::U("Kaydı silmek istediğinizden emin misiniz?")))
        return;
    const QList<double> nolar = CalismaKartNolari(m_ctx.Database1);
    const qsizetype i = nolar.indexOf(m_kart.KONT_KART_NO);
    CalismaKartiSil(m_ctx.Database1, m_kart.KONT_KART_NO);
    const QList<double> kalan = CalismaKartNolari(m_ctx.Database1);
    git(kalan.isEmpty() ? 0 : kalan.value(std::min<qsizetype>(i, kalan.size() - 1)));
}

void TFormWorkControl::Onceki()
{
    const QList<double> nolar = CalismaKartNolari(m_ctx.Database1);
    const qsizetype i = nolar.indexOf(m_kart.KONT_KART_NO);
    if (i > 0)
        git(nolar[i - 1]);
    else if (i < 0 && !nolar.isEmpty())
        git(nolar.last());
}

void TFormWorkControl::Sonraki()
{
    const QList<double> nolar = CalismaKartNolari(m_ctx.Database1);
    const qsizetype i = nolar.indexOf(m_kart.KONT_KART_NO);
    if (i >= 0 && i + 1 < nolar.size())
        git(nolar[i + 1]);
    else if (i < 0 && !nolar.isEmpty())
        git(nolar.first());
}

void TFormWorkControl::PersonelSecClick()
{
    TDonPara d;
    PersonelSec(m_ctx, 1, d, this);
    if (!d.KodStr.isEmpty()) {
        EdPerKod->setText(d.KodStr);
        LblPerAdi->setText(d.IlkStr);
    }
}

void TFormWorkControl::SatirEkle()
{
    if (m_kart.KONT_KART_NO <= 0)
        KartKaydet();
    CalismaSatiri s;
    s.IS_TIP = CmbIsTip->currentIndex() > 0 ? CmbIsTip->currentText() : QString();
    s.IS_EMRI_NO = EdIsEmri->text().trimmed();
    s.SATILAN_SAAT = EdSatilan->value();
    s.BAS_SAAT = EdBas->time();
    s.BIT_SAAT = EdBit->time();
    CalismaSatiriKaydet(m_ctx.Database1, m_kart.KONT_KART_NO, s);
    git(m_kart.KONT_KART_NO);
}

void TFormWorkControl::SatirKaydet()
{
    const int r = GridSatir->currentRow();
    if (m_kart.KONT_KART_NO <= 0 || r < 0 || r >= m_satirlar.size())
        return;
    CalismaSatiri s = m_satirlar[r];
    s.IS_TIP = CmbIsTip->currentIndex() > 0 ? CmbIsTip->currentText() : QString();
    s.IS_EMRI_NO = EdIsEmri->text().trimmed();
    s.SATILAN_SAAT = EdSatilan->value();
    s.BAS_SAAT = EdBas->time();
    s.BIT_SAAT = EdBit->time();
    CalismaSatiriKaydet(m_ctx.Database1, m_kart.KONT_KART_NO, s);
    git(m_kart.KONT_KART_NO);
    GridSatir->selectRow(r);
}

void TFormWorkControl::SatirSil()
{
    const int r = GridSatir->currentRow();
    if (m_kart.KONT_KART_NO <= 0 || r < 0 || r >= m_satirlar.size())
        return;
    CalismaSatiriSil(m_ctx.Database1, m_kart.KONT_KART_NO, m_satirlar[r].SIRA_NO);
    git(m_kart.KONT_KART_NO);
}

void TFormWorkControl::BitBtn3Click()
{
    const int r = GridSatir->currentRow();
    m_kart.UCRETLI_MOLA = CbMola->isChecked();
    if (m_kart.KONT_KART_NO <= 0)
        return;
    m_kart.PER_KOD = EdPerKod->text().trimmed();
    m_kart.TARIH = EdTarih->date();
    m_kart = CalismaKartiHesapla(m_ctx.Database1, m_kart);
    git(m_kart.KONT_KART_NO);
    if (r >= 0 && r < GridSatir->rowCount())
        GridSatir->selectRow(r);
}

} // namespace tornaly::workshop
