#include "workshop/attendance/forms/PdksGunluk.h"
#include "connection/DialogRunner.h"
#include "connection/DonPara.h"
#include "context/SessionContext.h"
#include "controls/TarihEdit.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"
#include "personnel/PersonBr.h"
#include "sql/SqlHelpers.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"
#include "workshop/attendance/PdksRapor.h"
#include "workshop/attendance/forms/PdksIzgara.h"
#include "workshop/attendance/forms/WaitBox.h"
#include "workshop/workorders/forms/IEBr.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {


} // namespace

// ---- Daily list ----------------------------------------------------------------------

TFormPdksGunlukBilgiList::TFormPdksGunlukBilgiList(SessionContext& ctx, const QString& perKod, const QDate& gun,
                                                   QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormPdksGunlukBilgiList"));
    setWindowTitle(pdks::U("Pdks Dosya Bilgileri"));
    m_girisModu = PdksGirisModu(ctx.Database1);
    auto* lay = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(pdks::U("Tarih"), this));
    EdTarih = new TTarihEdit(gun, this);
    EdTarih->setObjectName(QStringLiteral("EdTarih"));
    ust->addWidget(EdTarih);
    ust->addWidget(new QLabel(pdks::U("Pers. Kodu"), this));
    EdPerKod = new QLineEdit(perKod, this);
    EdPerKod->setObjectName(QStringLiteral("EdPerKod"));
    EdPerKod->installEventFilter(this);
    ust->addWidget(EdPerKod);
    auto* perSec = PdksDugme(this, "BtnPerSec", QStringLiteral("..."));
    perSec->setToolTip(pdks::U("Cari  Seç Ctrl-C"));
    ust->addWidget(perSec);
    auto* filtrele = PdksDugme(this, "BtnFiltrele", pdks::U("Filtrele"));
    ust->addWidget(filtrele);
    ust->addStretch();
    lay->addLayout(ust);
    Grid = PdksIzgara(this, "Grid",
                      {pdks::U("Personel Kodu"), pdks::U("Personel Adı"), pdks::U("KartNo"), pdks::U("Tipi"), pdks::U("İE.No"), pdks::U("Tarih"),
                       pdks::U("Cihaz Okutma Saati"), pdks::U("Kayıt Sıra No")});
    lay->addWidget(Grid, 1);
    LblSayi = new QLabel(this);
    LblSayi->setObjectName(QStringLiteral("LblSayi"));
    lay->addWidget(LblSayi);
    auto* alt = new QHBoxLayout;
    BtnBarkod = PdksDugme(this, "BtnBarkod", pdks::U("Barkod Okut"));
    BtnYeni = PdksDugme(this, "BtnYeni", pdks::U("Yeni Kayıt"));
    BtnDegistir = PdksDugme(this, "BtnDegistir", pdks::U("Değiştir"));
    BtnHesapla = PdksDugme(this, "BtnHesapla", pdks::U("Hesapla"));
    auto* yazdir = PdksDugme(this, "BtnYazdir", pdks::U("Yazdır"));
    auto* excel = PdksDugme(this, "BtnExcel", pdks::U("Excel"));
    auto* kapat = PdksDugme(this, "BtnKapat", pdks::U("&Kapat"));
    for (QPushButton* b : {BtnBarkod, BtnYeni, BtnDegistir, BtnHesapla}) {
        b->setVisible(m_girisModu);
        alt->addWidget(b);
    }
    alt->addStretch();
    alt->addWidget(yazdir);
    alt->addWidget(excel);
    alt->addWidget(kapat);
    lay->addLayout(alt);
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, Guarded(this, &TFormPdksGunlukBilgiList::YeniKayitClick));
    connect(filtrele, &QPushButton::clicked, this, Guarded(this, &TFormPdksGunlukBilgiList::FiltreleClick));
    connect(perSec, &QPushButton::clicked, this, Guarded([this] {
                TDonPara d;
                PersonelSec(m_ctx, 1, d, this);
                if (!d.KodStr.isEmpty())
                    EdPerKod->setText(d.KodStr);
            }));
    connect(BtnBarkod, &QPushButton::clicked, this, Guarded(this, &TFormPdksGunlukBilgiList::YeniKayitClick));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormPdksGunlukBilgiList::YeniKayitClick));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormPdksGunlukBilgiList::DegistirClick));
    connect(BtnHesapla, &QPushButton::clicked, this, Guarded(this, &TFormPdksGunlukBilgiList::HesaplaClick));
    connect(excel, &QPushButton::clicked, this, Guarded([this] { GridExport(QStringLiteral("E"), Grid, true); }));
    connect(yazdir, &QPushButton::clicked, this, Guarded([this] {
                report::ShowReportPreview(
                    report::Render(PdksGunlukRaporu(m_ctx.Database1, EdTarih->date(), EdPerKod->text().trimmed())), this);
            }));
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    resize(900, 520);
}

bool TFormPdksGunlukBilgiList::eventFilter(QObject* o, QEvent* e)
{
    // Backspace, Left or the space bar empties the person box at once.
    if (o == EdPerKod && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Backspace || k == Qt::Key_Left || k == Qt::Key_Space) {
            EdPerKod->clear();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormPdksGunlukBilgiList::FiltreleClick()
{
    QString sql = QStringLiteral("SELECT ISCIUSTA.ISCI_KOD, ISCIUSTA.ISCI_ADI, PEROKU.CIHAZ_ID, PEROKU.IENO, "
                                 "PEROKU.TARIH, PEROKU.SAAT, PEROKU.TIPKOD, PEROKU.SIRANO FROM PEROKU LEFT OUTER JOIN "
                                 "ISCIUSTA ON (PEROKU.CIHAZ_ID = ISCIUSTA.CIHAZ_ID) WHERE PEROKU.TARIH = :trh");
    QVariantMap b{{pdks::U("trh"), QDateTime(EdTarih->date(), QTime(0, 0))}};
    if (!EdPerKod->text().trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ISCIUSTA.ISCI_KOD = :kod");
        b.insert(pdks::U("kod"), EdPerKod->text().trimmed());
    }
    sql += QStringLiteral(" ORDER BY PEROKU.SAAT, PEROKU.SIRANO");
    Query q(m_ctx.Database1, sql);
    q.bindAll(b).exec();
    Grid->setRowCount(0);
    int r = 0;
    while (q.next()) {
        Grid->insertRow(r);
        PdksHucre(Grid, r, 0, q.str(pdks::U("ISCI_KOD")), int(q.integer(pdks::U("SIRANO"))));
        PdksHucre(Grid, r, 1, q.str(pdks::U("ISCI_ADI")));
        PdksHucre(Grid, r, 2, q.str(pdks::U("CIHAZ_ID")));
        PdksHucre(Grid, r, 3, pdks::OkumaTipiAdi(q.str(pdks::U("TIPKOD"))));
        PdksHucre(Grid, r, 4, q.str(pdks::U("IENO")));
        PdksHucre(Grid, r, 5, PdksTarih(q.dateTime(pdks::U("TARIH"))));
        PdksHucre(Grid, r, 6, PdksSaat(q.dateTime(pdks::U("SAAT")), false));
        PdksHucre(Grid, r, 7, QString::number(q.integer(pdks::U("SIRANO"))));
        ++r;
    }
    LblSayi->setText(PdksSayi(r));
    PdksIzgaraBoyutla(Grid);
    if (r > 0)
        Grid->selectRow(0);
}

void TFormPdksGunlukBilgiList::YeniKayitClick()
{
    if (!m_girisModu)
        return;
    ShowPdksEdit(m_ctx, 0, this);
    FiltreleClick();
}

void TFormPdksGunlukBilgiList::DegistirClick()
{
    const int r = Grid->currentRow();
    if (!m_girisModu || r < 0)
        return;
    ShowPdksEdit(m_ctx, Grid->item(r, 0)->data(Qt::UserRole).toInt(), this);
    FiltreleClick();
}

void TFormPdksGunlukBilgiList::HesaplaClick()
{
    if (!m_girisModu)
        return;
    QStringList hatalar;
    {
        WaitCursor bekle;
        hatalar = PdksHesapla(m_ctx.Database1);
    }
    if (!hatalar.isEmpty())
        ShowError(pdks::U("Hesaplanamayan gün ve kartlar:\n") + hatalar.join(QLatin1Char('\n')));
    ShowInfo(pdks::U("Hesaplama tamamlandı!"));
    FiltreleClick();
}

// ---- Entry form --------------------------------------------------------------------------

TFormPdksEdit::TFormPdksEdit(SessionContext& ctx, int sirano, QWidget* parent, Saat saat)
    : QDialog(parent), m_ctx(ctx), m_saat(std::move(saat))
{
    setObjectName(QStringLiteral("FormPdksEdit"));
    setWindowTitle(QStringLiteral("FormPdksEdit"));
    if (!m_saat) {
        auto t = std::make_shared<QElapsedTimer>();
        t->start();
        m_saat = [t] { return t->elapsed(); };
    }
    auto* lay = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    kurAlanlar(f);
    lay->addLayout(f);
    auto* alt = new QHBoxLayout;
    alt->addStretch();
    BtnSakla = PdksDugme(this, "BtnSakla", pdks::U("&Sakla"));
    BtnIptal = PdksDugme(this, "BtnIptal", pdks::U("İ&ptal"));
    alt->addWidget(BtnSakla);
    alt->addWidget(BtnIptal);
    lay->addLayout(alt);

    // A tick that looks at the clock, so that the 15 seconds follow the injected clock.
    Timer1 = new QTimer(this);
    Timer1->setInterval(250);
    connect(Timer1, &QTimer::timeout, this, Guarded(this, &TFormPdksEdit::SureDenetle));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormPdksEdit::SaklaClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormPdksEdit::IptalClick));
    connect(EdGiris, &QLineEdit::returnPressed, this, Guarded(this, &TFormPdksEdit::GirisEnter));
    connect(CmbTip, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormPdksEdit::alanlariGoster));
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this] {
                const TypeIsEmri t = IsemriSec(m_ctx, 1, QString(), this);
                if (!t.IsEmriNo.isEmpty())
                    EdIeNo->setText(t.IsEmriNo);
            }));
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, Guarded(this, &TFormPdksEdit::BarkodOkutClick));

    if (sirano > 0) {
        const PdksOkumaGirisi g = PdksOkumaOku(ctx.Database1, sirano);
        if (g.SIRANO > 0) {
            m_durum = Durum::Degisiklik;
            m_sirano = g.SIRANO;
            const int i = CmbPersonel->findData(g.CIHAZ_ID);
            CmbPersonel->setCurrentIndex(i < 0 ? 0 : i);
            EdTarih->setDate(g.TARIH);
            EdSaat->setTime(g.SAAT);
            setTip(g.TIPKOD);
            if (g.TIPKOD == QLatin1String("M")) {
                const int m = CmbMazeret->findData(g.IENO);
                CmbMazeret->setCurrentIndex(m < 0 ? 0 : m);
            } else {
                EdIeNo->setText(g.IENO);
            }
        }
    }
    alanlariGoster();
    EdGiris->setFocus();
    m_sonTus = m_saat();
    Timer1->start();
}

void TFormPdksEdit::kurAlanlar(QFormLayout* f)
{
    CmbPersonel = new QComboBox(this);
    CmbPersonel->setObjectName(QStringLiteral("CmbPersonel"));
    CmbPersonel->addItem(QString());
    Query q(m_ctx.Database1, QStringLiteral("SELECT ISCI_KOD, ISCI_ADI, ISCI_TIP, GOREVI, GRUBU, BOLUMU, CIHAZ_ID "
                                            "FROM ISCIUSTA WHERE CIHAZ_ID <> '' ORDER BY CIHAZ_ID"));
    q.exec();
    while (q.next())
        CmbPersonel->addItem(q.str(pdks::U("ISCI_ADI")), q.str(pdks::U("CIHAZ_ID")));
    f->addRow(pdks::U("Personel"), CmbPersonel);
    EdTarih = new TTarihEdit(this);
    EdTarih->setObjectName(QStringLiteral("EdTarih"));
    EdTarih->setBosOlabilir(true);
    EdTarih->temizle();
    f->addRow(pdks::U("Tarih"), EdTarih);
    EdSaat = new QTimeEdit(this);
    EdSaat->setObjectName(QStringLiteral("EdSaat"));
    EdSaat->setDisplayFormat(QStringLiteral("HH:mm"));
    f->addRow(pdks::U("Saat"), EdSaat);
    CmbTip = new QComboBox(this);
    CmbTip->setObjectName(QStringLiteral("CmbTip"));
    CmbTip->addItem(QString(), QString());
    for (const char* t : {"G", "C", "I", "M"})
        CmbTip->addItem(pdks::OkumaTipiAdi(QString::fromLatin1(t)), QString::fromLatin1(t));
    f->addRow(pdks::U("İş Tipi"), CmbTip);
    auto* ie = new QHBoxLayout;
    EdIeNo = new QLineEdit(this);
    EdIeNo->setObjectName(QStringLiteral("EdIeNo"));
    EdIeNo->setMaxLength(7);
    BtnSec = PdksDugme(this, "BtnSec", pdks::U("Seç"));
    ie->addWidget(EdIeNo);
    ie->addWidget(BtnSec);
    LblIeNo = new QLabel(pdks::U("İş Emri No"), this);
    f->addRow(LblIeNo, ie);
    CmbMazeret = new QComboBox(this);
    CmbMazeret->setObjectName(QStringLiteral("CmbMazeret"));
    CmbMazeret->addItem(QString(), QString());
    for (const auto& m : pdks::MazeretKodlari())
        CmbMazeret->addItem(m.first + QLatin1Char(' ') + m.second, m.first);
    LblMazeret = new QLabel(pdks::U("Mazeret"), this);
    f->addRow(LblMazeret, CmbMazeret);
    EdGiris = new QLineEdit(this);
    EdGiris->setObjectName(QStringLiteral("EdGiris"));
    EdGiris->installEventFilter(this);
    f->addRow(pdks::U("Giriş"), EdGiris);
}

bool TFormPdksEdit::eventFilter(QObject* o, QEvent* e)
{
    if (o == EdGiris && e->type() == QEvent::KeyRelease)
        Guard([this] { GirisTusBirakildi(); });
    return QDialog::eventFilter(o, e);
}

QString TFormPdksEdit::tip() const { return CmbTip->currentData().toString(); }

void TFormPdksEdit::setTip(const QString& t)
{
    const int i = CmbTip->findData(t);
    CmbTip->setCurrentIndex(i < 0 ? 0 : i);
}

void TFormPdksEdit::alanlariGoster()
{
    const bool isEmri = tip() == QLatin1String("I");
    const bool mazeret = tip() == QLatin1String("M");
    LblIeNo->setVisible(isEmri);
    EdIeNo->setVisible(isEmri);
    BtnSec->setVisible(isEmri);
    LblMazeret->setVisible(mazeret);
    CmbMazeret->setVisible(mazeret);
}

void TFormPdksEdit::GirisTusBirakildi()
{
    m_sonTus = m_saat();
    m_sayiyor = true;
}

void TFormPdksEdit::BarkodOkutClick()
{
    EdGiris->clear();
    EdGiris->setFocus();
    GirisTusBirakildi();
}

void TFormPdksEdit::yeniOkuma()
{
    const QDateTime an = ServerNow(m_ctx.Database1);
    m_durum = Durum::Yeni;
    m_sirano = 0;
    EdTarih->setDate(an.date());
    EdSaat->setTime(QTime(an.time().hour(), an.time().minute()));
}

void TFormPdksEdit::temizle()
{
    m_durum = Durum::Yok;
    m_sirano = 0;
    CmbPersonel->setCurrentIndex(0);
    EdTarih->temizle();
    EdSaat->setTime(QTime(0, 0));
    setTip({});
    EdIeNo->clear();
    CmbMazeret->setCurrentIndex(0);
    alanlariGoster();
}

void TFormPdksEdit::GirisEnter()
{
    const QString metin = EdGiris->text().trimmed();
    if (metin.isEmpty())
        return;
    if (m_durum == Durum::Degisiklik)
        return;
    if (m_durum == Durum::Yok)
        yeniOkuma();
    const QChar ilk = metin.at(0).toUpper();
    if (ilk == QLatin1Char('G') || ilk == QLatin1Char('C')) {
        setTip(QString(ilk));
    } else if (ilk == QLatin1Char('I') || ilk == QLatin1Char('M')) {
        setTip(QString(ilk));
        const QString kod = metin.mid(1, 10).trimmed();
        if (ilk == QLatin1Char('I')) {
            EdIeNo->setText(kod);
        } else {
            const int m = CmbMazeret->findData(kod);
            CmbMazeret->setCurrentIndex(m < 0 ? 0 : m);
        }
    } else {
        const int i = CmbPersonel->findData(metin);
        if (i >= 0)
            CmbPersonel->setCurrentIndex(i);
        else {
            CmbPersonel->addItem(metin, metin);
            CmbPersonel->setCurrentIndex(CmbPersonel->count() - 1);
        }
    }
    EdGiris->clear();
    alanlariGoster();
    const PdksOkumaGirisi g = girisi();
    const bool kodlu = g.TIPKOD == QLatin1String("I") || g.TIPKOD == QLatin1String("M");
    if (!g.CIHAZ_ID.isEmpty() && !g.TIPKOD.isEmpty() && (!kodlu || !g.IENO.isEmpty()))
        kaydet();
}

PdksOkumaGirisi TFormPdksEdit::girisi() const
{
    PdksOkumaGirisi g;
    g.SIRANO = m_sirano;
    g.CIHAZ_ID = CmbPersonel->currentData().toString();
    g.TARIH = EdTarih->tarih();
    g.SAAT = EdSaat->time();
    g.TIPKOD = tip();
    g.IENO = g.TIPKOD == QLatin1String("M") ? CmbMazeret->currentData().toString() : EdIeNo->text().trimmed();
    return g;
}

void TFormPdksEdit::kaydet()
{
    PdksOkumaKaydet(m_ctx.Database1, m_ctx, girisi());
    temizle();
    QApplication::beep();
    ShowWaitMessage(pdks::U("Giriş Kaydedildi!"), this, 16, 3);
    EdGiris->clear();
}

void TFormPdksEdit::SaklaClick() { kaydet(); }

void TFormPdksEdit::IptalClick()
{
    if (m_durum != Durum::Yok && !AskYesNo(pdks::U("İptal etmek istiyor musunuz?")))
        return;
    temizle();
    reject();
}

void TFormPdksEdit::SureDenetle()
{
    if (!m_sayiyor || m_saat() - m_sonTus < IptalSuresiMs)
        return;
    m_sayiyor = false;
    temizle();
    ShowWaitMessage(pdks::U("Kayıt İptal Edildi!"), this, 16, 3);
    QApplication::beep();
    QTimer::singleShot(500, this, [] { QApplication::beep(); }); // unguarded: ui only
}

void PdksGunlukListeGoster(SessionContext& ctx, const QString& perKod, const QDate& gun, QWidget* parent)
{
    TFormPdksGunlukBilgiList f(ctx, perKod, gun.isValid() ? gun : ServerToday(ctx.Database1), parent);
    {
        WaitCursor bekle;
        f.FiltreleClick();
    }
    RunModal(f);
}

void ShowPdksEdit(SessionContext& ctx, int sirano, QWidget* parent)
{
    TFormPdksEdit f(ctx, sirano, parent);
    RunModal(f);
}

} // namespace tornaly::workshop
