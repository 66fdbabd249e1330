#include "workshop/workorders/forms/IsEmri.h"
#include "controls/SayiAlani.h"
#include "controls/TarihEdit.h"

#include "accounts/cards/CariSakla.h"
#include "personnel/PersonBr.h"
#include "services/CentralServices.h"
#include "workshop/partsissue/forms/IsDetayForm.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "workshop/vehicles/forms/Beyan.h"
#include "workshop/workorders/forms/IEBr.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
// The printing entry point of the work-order forms; until it is installed the
// print button stays disabled, as the main window does with missing targets.
const QString kYazdir = QStringLiteral("IsEmriYazdir");
// SMS to the customer and the work order's attached documents belong to areas
// of their own.
const QString kSmsFormAc = QStringLiteral("SmsFormAc");
const QString kDokumanlarAc = QLatin1String(entry::DokumanlarAc);
const QString kDigerForm = QString::fromLatin1(entry::IsEmriDigerForm);
// No report designer is built yet: the design command waits for it.
const QString kRaporTasarla = QString::fromLatin1(entry::RaporTasarla);

QString trimmedText(const QVariant& v) { return v.toString().trimmed(); }

QComboBox* letterBox(QWidget* parent, const QList<std::pair<QString, QString>>& items)
{
    auto* c = new QComboBox(parent);
    c->addItem(QString(), QString());
    for (const auto& [letter, name] : items)
        c->addItem(name, letter);
    return c;
}
} // namespace

TFormIsEmri::TFormIsEmri(SessionContext& ctx, QWidget* parent) : QDialog(parent), Kart(ctx), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormIsEmri"));
    setWindowTitle(QStringLiteral("İş Emri Kayıt"));
    Kart.ruhsatSec = [this](const TypeIsEmri& start) { return AracRuhsatSec(m_ctx, start, 1, this); };
    Kart.cariKartAc = [this](const QString& kod) { return accounts::CariKartAc(m_ctx, kod, 0, this); };
    auto* lay = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    auto mkEdit = [this](const char* name, const QString& col, int maxLen = 0) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        if (maxLen > 0)
            e->setMaxLength(maxLen);
        if (!col.isEmpty())
            m_text.insert(col, e);
        return e;
    };
    EdIsEmriNo = mkEdit("EdIsEmriNo", QStringLiteral("IS_EMRI_NO"));
    EdIsEmriNo->setReadOnly(true);
    EdIsEno = mkEdit("EdIsEno", QStringLiteral("IS_ENO"));
    EdIsEno->setReadOnly(true);
    EdAra = mkEdit("EdAra", {});
    EdAra->setPlaceholderText(QStringLiteral("[F4]"));
    LblKapali = new QLabel(QStringLiteral("KAPALI İŞEMRİ"), this);
    LblKapali->setObjectName(QStringLiteral("LblKapali"));
    LblKapali->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold; font-size: 14pt"));
    LblUyari = new QLabel(QStringLiteral("ARACIN UYARI NOTU VAR"), this);
    LblUyari->setObjectName(QStringLiteral("LblUyari"));
    LblUyari->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    LblUyari->hide();
    auto* baslik = new QLabel(QStringLiteral("Müşteri Kabul Formu"), this);
    baslik->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 13pt"));
    head->addWidget(baslik);
    head->addSpacing(16);
    head->addWidget(new QLabel(QStringLiteral("İş Emri Seri No"), this));
    head->addWidget(EdIsEmriNo);
    head->addWidget(new QLabel(QStringLiteral("Giriş#"), this));
    head->addWidget(EdIsEno);
    head->addSpacing(20);
    auto* araLbl = new QLabel(QStringLiteral("İş &Emri Ara"), this);
    araLbl->setBuddy(EdAra);
    head->addWidget(araLbl);
    head->addWidget(EdAra);
    head->addStretch(1);
    head->addWidget(LblUyari);
    head->addWidget(LblKapali);
    lay->addLayout(head);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    lay->addWidget(PageControl1, 1);

    // First page: reception.
    auto* kabul = new QWidget(PageControl1);
    auto* kg = new QGridLayout(kabul);
    auto* arac = new QGroupBox(QStringLiteral("Araç ve Müşteri"), kabul);
    auto* af = new QFormLayout(arac);
    CbTip = new QComboBox(arac);
    CbTip->setObjectName(QStringLiteral("CbTip"));
    auto* tipRow = new QHBoxLayout;
    BtnTipler = new QPushButton(QStringLiteral("..."), arac);
    BtnTipler->setObjectName(QStringLiteral("BtnTipler"));
    BtnTipler->setToolTip(QStringLiteral("İşemri Tipi Tanımları"));
    tipRow->addWidget(CbTip, 1);
    tipRow->addWidget(BtnTipler);
    af->addRow(QStringLiteral("İş Emri Tipi"), tipRow);
    EdCariKod = mkEdit("EdCariKod", QStringLiteral("CARI_KOD"), 11);
    EdCariKod->setReadOnly(true);
    BtnCariSec = new QPushButton(QStringLiteral("Cari Seç"), arac);
    BtnCariSec->setObjectName(QStringLiteral("BtnCariSec"));
    LblCariAdi = new QLabel(arac);
    LblCariAdi->setObjectName(QStringLiteral("LblCariAdi"));
    LblCariAdi->setStyleSheet(QStringLiteral("font-weight: bold"));
    auto* cariRow = new QHBoxLayout;
    cariRow->addWidget(EdCariKod);
    cariRow->addWidget(BtnCariSec);
    cariRow->addWidget(LblCariAdi, 1);
    BtnCariBilgi = new QPushButton(QStringLiteral("Cari Bilgi"), arac);
    BtnCariBilgi->setObjectName(QStringLiteral("BtnCariBilgi"));
    cariRow->addWidget(BtnCariBilgi);
    af->addRow(QStringLiteral("Cari Kod"), cariRow);
    LblOzelKod = new QLabel(arac);
    LblOzelKod->setObjectName(QStringLiteral("LblOzelKod"));
    af->addRow(QStringLiteral("Müş.Özel Kod"), LblOzelKod);
    EdTel1 = mkEdit("EdTel1", QStringLiteral("TEL1"), 17);
    EdTel3 = mkEdit("EdTel3", QStringLiteral("TEL3"), 17);
    auto* telRow = new QHBoxLayout;
    telRow->addWidget(EdTel1);
    telRow->addWidget(EdTel3);
    af->addRow(QStringLiteral("Müş.Tel/Cep"), telRow);
    EdPlaka = mkEdit("EdPlaka", QStringLiteral("PLAKA_NO"), 15);
    EdSase = mkEdit("EdSase", QStringLiteral("SASI_NO"), 17);
    EdMotor = mkEdit("EdMotor", QStringLiteral("MOTOR_NO"), 25);
    BtnAracSec = new QPushButton(QStringLiteral("Araç Seç"), arac);
    BtnAracSec->setObjectName(QStringLiteral("BtnAracSec"));
    auto* plakaRow = new QHBoxLayout;
    plakaRow->addWidget(EdPlaka);
    plakaRow->addWidget(BtnAracSec);
    auto addBuddy = [&](QFormLayout* f, const QString& text, QWidget* w, QLayout* l = nullptr) {
        auto* lbl = new QLabel(text, arac);
        lbl->setBuddy(w);
        if (l)
            f->addRow(lbl, l);
        else
            f->addRow(lbl, w);
    };
    addBuddy(af, QStringLiteral("&Plaka No"), EdPlaka, plakaRow);
    addBuddy(af, QStringLiteral("Şa&se No"), EdSase);
    addBuddy(af, QStringLiteral("M&otor No"), EdMotor);
    LblModel = new QLabel(arac);
    LblModel->setObjectName(QStringLiteral("LblModel"));
    af->addRow(QStringLiteral("Model"), LblModel);
    EdKm = mkEdit("EdKm", {});
    addBuddy(af, QStringLiteral("&KM"), EdKm);
    af->addRow(QStringLiteral("Teslim Eden"), mkEdit("EdTeslimEden", QStringLiteral("TESLIM_EDEN"), 20));
    af->addRow(QStringLiteral("Teslim Ed.Tel."), mkEdit("EdTeslimEdTel", QStringLiteral("TESLIM_ED_TEL"), 17));
    m_letters.insert(QStringLiteral("S"),
                     letterBox(arac, {{QStringLiteral("P"), QStringLiteral("Peşin")},
                                      {QStringLiteral("K"), QStringLiteral("Kredi Kartı")},
                                      {QStringLiteral("A"), QStringLiteral("Açık Hesap")},
                                      {QStringLiteral("C"), QStringLiteral("Çek/Senet")},
                                      {QStringLiteral("S"), QStringLiteral("Kasko")},
                                      {QStringLiteral("G"), QStringLiteral("Garanti")}}));
    af->addRow(QStringLiteral("Ödeme Şekli"), m_letters.value(QStringLiteral("S")));
    m_letters.insert(QStringLiteral("ATOLYE"),
                     letterBox(arac, {{QStringLiteral("I"), QStringLiteral("İç Servis")},
                                      {QStringLiteral("Z"), QStringLiteral("Dış Servis")},
                                      {QStringLiteral("O"), QStringLiteral("Ön Bakım")},
                                      {QStringLiteral("P"), QStringLiteral("Periyodik Bakım")},
                                      {QStringLiteral("L"), QStringLiteral("Lastik")},
                                      {QStringLiteral("K"), QStringLiteral("Kaporta/Boya")},
                                      {QStringLiteral("E"), QStringLiteral("Elektrik")},
                                      {QStringLiteral("M"), QStringLiteral("Mekanik")},
                                      {QStringLiteral("R"), QStringLiteral("Revizyon")},
                                      {QStringLiteral("D"), QStringLiteral("Diğer")}}));
    m_letters.insert(QStringLiteral("KULLANIM_SEKLI"),
                     letterBox(arac, {{QStringLiteral("B"), QStringLiteral("Binek")},
                                      {QStringLiteral("I"), QStringLiteral("Ticari")},
                                      {QStringLiteral("T"), QStringLiteral("Taksi")},
                                      {QStringLiteral("E"), QStringLiteral("Ödünç Araç")},
                                      {QStringLiteral("K"), QStringLiteral("Kiralık Araç")},
                                      {QStringLiteral("U"), QStringLiteral("Kurs Aracı")},
                                      {QStringLiteral("S"), QStringLiteral("Servis Aracı")},
                                      {QStringLiteral("O"), QStringLiteral("Özürlü Aracı")},
                                      {QStringLiteral("R"), QStringLiteral("Ralli - Sportif")},
                                      {QStringLiteral("M"), QStringLiteral("Modifiyeli Araç")},
                                      {QStringLiteral("L"), QStringLiteral("LPG li Araç")}}));
    af->addRow(QStringLiteral("Araç Kullanım Şekli"), m_letters.value(QStringLiteral("KULLANIM_SEKLI")));
    af->addRow(QStringLiteral("Atölye"), m_letters.value(QStringLiteral("ATOLYE")));
    m_letters.insert(QStringLiteral("DURUM"),
                     letterBox(arac, {{QStringLiteral("S"), QStringLiteral("Serviste")},
                                      {QStringLiteral("E"), QStringLiteral("Servis Bekliyor")},
                                      {QStringLiteral("B"), QStringLiteral("Sıra Bekliyor")},
                                      {QStringLiteral("P"), QStringLiteral("Parça Bekliyor")},
                                      {QStringLiteral("I"), QStringLiteral("İhale Bekliyor")},
                                      {QStringLiteral("H"), QStringLiteral("Hurda")},
                                      {QStringLiteral("F"), QStringLiteral("Faal")},
                                      {QStringLiteral("D"), QStringLiteral("Diğer")}}));
    af->addRow(QStringLiteral("Durum"), m_letters.value(QStringLiteral("DURUM")));
    kg->addWidget(arac, 0, 0, 2, 1);

    auto* tarih = new QGroupBox(QStringLiteral("İş Emri"), kabul);
    auto* tf = new QFormLayout(tarih);
    LblGiris = new QLabel(tarih);
    LblGiris->setObjectName(QStringLiteral("LblGiris"));
    tf->addRow(QStringLiteral("Araç Giriş Trh/Saat"), LblGiris);
    LblTahTes = new QLabel(tarih);
    LblTahTes->setObjectName(QStringLiteral("LblTahTes"));
    tf->addRow(QStringLiteral("Tah.Tes.Trh/Saat"), LblTahTes);
    LblArizaBildirim = new QLabel(tarih);
    LblArizaBildirim->setObjectName(QStringLiteral("LblArizaBildirim"));
    tf->addRow(QStringLiteral("Arıza Bildirim Tarihi"), LblArizaBildirim);
    tf->addRow(QStringLiteral("Müş. Onay Tutarı"), sayiAlani("EdOnayTutari", QStringLiteral("GARANTI_PUANI"), QStringLiteral(",0.00")));
    LblServisKod = new QLabel(tarih);
    LblServisKod->setObjectName(QStringLiteral("LblServisKod"));
    tf->addRow(QStringLiteral("Servis Kodu"), LblServisKod);
    DtTrfCikis = new TTarihEdit(tarih);
    DtTrfCikis->setObjectName(QStringLiteral("DtTrfCikis"));
    DtTrfCikis->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DtTrfCikis->setCalendarPopup(true);
    DtTrfCikis->setSpecialValueText(QStringLiteral(" "));
    DtTrfCikis->setMinimumDate(QDate(1900, 1, 1));
    tf->addRow(QStringLiteral("Trf. Çıkış Trh"), DtTrfCikis);
    LblGarantiBitis = new QLabel(tarih);
    LblGarantiBitis->setObjectName(QStringLiteral("LblGarantiBitis"));
    tf->addRow(QStringLiteral("Garanti Bitiş Trh"), LblGarantiBitis);
    tf->addRow(QStringLiteral("Servis Danışmanı"), mkEdit("EdTeslimAlan", QStringLiteral("ARAC_TESLIM_ALAN"), 11));
    tf->addRow(QStringLiteral("Servis Personeli"), mkEdit("EdTeslimAlan2", QStringLiteral("TESLIM_ALAN2"), 11));
    tf->addRow(kurAracBilgileri());
    kg->addWidget(tarih, 0, 1);

    auto* emanet = new QGroupBox(QStringLiteral("&Emanetler ve &Aracın Durumu"), kabul);
    auto* eg = new QGridLayout(emanet);
    const QList<std::pair<QString, QString>> checks{
        {QStringLiteral("RADYO_TEYP"), QStringLiteral("Radyo-Teyp")}, {QStringLiteral("CAKMAK"), QStringLiteral("Çakmak")},
        {QStringLiteral("AVADANLIK"), QStringLiteral("Avadanlık")},   {QStringLiteral("KRIKO"), QStringLiteral("Kriko")},
        {QStringLiteral("STEPNE"), QStringLiteral("Stepne")},         {QStringLiteral("RUHSAT"), QStringLiteral("Ruhsat")},
        {QStringLiteral("VURUK"), QStringLiteral("Vuruk")},           {QStringLiteral("CIZIK"), QStringLiteral("Çizik")},
        {QStringLiteral("PAS"), QStringLiteral("Pas")},               {QStringLiteral("BOYA_HATA"), QStringLiteral("Boya Hata")}};
    for (int i = 0; i < checks.size(); ++i) {
        auto* c = new QCheckBox(checks[i].second, emanet);
        c->setObjectName(QStringLiteral("Chk") + checks[i].first);
        m_checks.insert(checks[i].first, c);
        eg->addWidget(c, i % 5, i / 5);
    }
    auto* yakit = new QComboBox(emanet);
    yakit->setObjectName(QStringLiteral("CbYakit"));
    yakit->addItem(QString(), QString());
    for (const char* y : {"0/4", "1/8", "1/4", "3/8", "2/4", "5/8", "3/4", "7/8", "4/4"})
        yakit->addItem(QString::fromLatin1(y), QString::fromLatin1(y));
    m_letters.insert(QStringLiteral("YAKIT_MIK"), yakit);
    eg->addWidget(new QLabel(QStringLiteral("Yakıt Miktarı"), emanet), 0, 2);
    eg->addWidget(yakit, 1, 2);
    m_letters.insert(QStringLiteral("HASAR"),
                     letterBox(emanet, {{QStringLiteral("Y"), QStringLiteral("Yok")},
                                        {QStringLiteral("H"), QStringLiteral("Hafif")},
                                        {QStringLiteral("A"), QStringLiteral("Ağır")},
                                        {QStringLiteral("P"), QStringLiteral("Pert")}}));
    eg->addWidget(new QLabel(QStringLiteral("Hasar"), emanet), 2, 2);
    eg->addWidget(m_letters.value(QStringLiteral("HASAR")), 3, 2);
    eg->addWidget(new QLabel(QStringLiteral("Diğer Emanetler"), emanet), 5, 0);
    eg->addWidget(mkEdit("EdDigerEmanet", QStringLiteral("DIGER_EMANET"), 250), 5, 1, 1, 2);
    eg->addWidget(new QLabel(QStringLiteral("Açıklama/Notlar"), emanet), 6, 0);
    eg->addWidget(mkEdit("EdGenelDur", QStringLiteral("GENEL_DUR"), 250), 6, 1, 1, 2);
    kg->addWidget(emanet, 1, 1);
    kg->addWidget(kurServisNotu(), 2, 0, 1, 2);
    PageControl1->addTab(kabul, QStringLiteral("&Müşteri Kabul Bilgileri"));

    auto* istek = new QWidget(PageControl1);
    auto* ig = new QFormLayout(istek);
    for (int i = 1; i <= 10; ++i)
        ig->addRow(QStringLiteral("%1.").arg(i),
                   mkEdit(QStringLiteral("EdMustAlim%1").arg(i).toLatin1().constData(), QStringLiteral("MUSTALIM_%1").arg(i), 80));
    PageControl1->addTab(istek, QStringLiteral("Müşteri İs&tekleri"));
    auto* bulgu = new QWidget(PageControl1);
    auto* bg = new QFormLayout(bulgu);
    for (int i = 1; i <= 7; ++i)
        bg->addRow(QStringLiteral("%1.").arg(i), mkEdit(QStringLiteral("EdTahminiIsler%1").arg(i).toLatin1().constData(),
                                                        QStringLiteral("TAHMINI_ISLER_%1").arg(i), 200));
    PageControl1->addTab(bulgu, QStringLiteral("Servis Bulguları ve Tahmini Fiyatlar"));

    auto* buttons = new QHBoxLayout;
    auto mkBtn = [&](QPushButton*& b, const char* name, const QString& text, QKeySequence key) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        if (!key.isEmpty())
            b->setShortcut(key);
        buttons->addWidget(b);
    };
    mkBtn(BtnSakla, "BtnSakla", QStringLiteral("Sakla - F2"), QKeySequence(Qt::Key_F2));
    mkBtn(BtnYeni, "BtnYeni", QStringLiteral("Yeni Kayıt - F3"), QKeySequence(Qt::Key_F3));
    mkBtn(BtnDegistir, "BtnDegistir", QStringLiteral("Değiştir - F7"), QKeySequence(Qt::Key_F7));
    mkBtn(BtnIptal, "BtnIptal", QStringLiteral("İptal - F6"), QKeySequence(Qt::Key_F6));
    mkBtn(BtnIsEmriSec, "BtnIsEmriSec", QStringLiteral("İş Emri Seç"), QKeySequence(Qt::Key_F4));
    mkBtn(BtnGecmis, "BtnGecmis", QStringLiteral("Ara&cın Önceki İş Emirleri"), {});
    mkBtn(BtnYedekParca, "BtnYedekParca", QStringLiteral("Yedek Parça"), {});
    mkBtn(BtnSms, "BtnSms", QStringLiteral("SMS"), {});
    mkBtn(BtnDokuman, "BtnDokuman", QStringLiteral("Resim/Döküman Ekle"), {});
    buttons->addStretch(1);
    mkBtn(BtnDigerFormlar, "BtnDigerFormlar", QStringLiteral("Diğer Formlar"), {});
    QPushButton* digerFormlarMenu = nullptr;
    mkBtn(digerFormlarMenu, "BtnDigerFormlarMenu", QString(), {}); // the drop-down arrow alone
    digerFormlarMenu->setMaximumWidth(24);
    mkBtn(BtnYetkiliDizayn, "BtnYetkiliDizayn", QStringLiteral("Dizayn"), {});
    BtnYetkiliDizayn->setToolTip(QStringLiteral("Yetkili Servis Formu Dizayn Et"));
    mkBtn(BtnYazdir, "BtnYazdir", QStringLiteral("Yazdır - F9"), QKeySequence(Qt::Key_F9));
    mkBtn(BtnKapat, "BtnKapat", QStringLiteral("Kapat - F10"), QKeySequence(Qt::Key_F10));
    QPushButton* yardim = nullptr; // no help pages: the key is taken so F1 does nothing else
    mkBtn(yardim, "BtnYardim", QStringLiteral("Yardım - F1"), QKeySequence(Qt::Key_F1));
    lay->addLayout(buttons);

    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnSaklaClick));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnYeniClick));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnDegistirClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnIptalClick));
    connect(BtnKapat, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnKapatClick));
    connect(BtnIsEmriSec, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnIsEmriSecClick));
    connect(BtnCariSec, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnCariSecClick));
    connect(BtnAracSec, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnAracSecClick));
    connect(BtnGecmis, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnGecmisClick));
    connect(BtnTipler, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnTiplerClick));
    // The prints are a unit of their own; the card hands them the work order's number.
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded([this] {
        if (const RoutineOpener yazdir = Targets().routine(kYazdir)) {
            OpenRequest r;
            r.target = kYazdir;
            r.ctx = &m_ctx;
            r.owner = this;
            r.key = Kart.row.value(QStringLiteral("IS_EMRI_NO")).toString();
            Guard([&] { yazdir(r); });
        }
    }));
    kurKomutlar();
    connect(EdAra, &QLineEdit::returnPressed, this, Guarded(this, &TFormIsEmri::EdAraKeyPress));
    connect(EdPlaka, &QLineEdit::returnPressed, this, Guarded(this, &TFormIsEmri::EdPlakaKeyPress));
    connect(EdSase, &QLineEdit::returnPressed, this, Guarded(this, &TFormIsEmri::EdSaseKeyPress));
    connect(EdMotor, &QLineEdit::returnPressed, this, Guarded(this, &TFormIsEmri::EdMotorKeyPress));
    connect(&Targets(), &TargetRegistry::changed, this, Guarded(this, &TFormIsEmri::setButtons));
    // A dialog makes its first auto-default button the default one when shown,
    // and Enter in the plate field would then open that button's window.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    loadTypes();
    resize(1100, 640);
    setButtons();
}

QLineEdit* TFormIsEmri::sayiAlani(const char* ad, const QString& kolon, const QString& bicim)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(ad));
    e->setAlignment(Qt::AlignRight);
    m_sayilar.insert(kolon, {e, bicim});
    return e;
}

// "Araç Bilgileri": the readings per wheel.
QWidget* TFormIsEmri::kurAracBilgileri()
{
    auto* g = new QGroupBox(QStringLiteral("Araç Bilgileri"), this);
    auto* l = new QGridLayout(g);
    const QString b = QStringLiteral(",0.000");
    const struct {
        const char* ad;
        const char* kolon;
        const char* baslik;
        int satir, sutun;
    } tekerler[] = {{"EdSolOn", "LD_SOL_ON", "Sol Ön", 0, 0},
                    {"EdSagOn", "LD_SAG_ON", "Sağ Ön", 0, 2},
                    {"EdSolArka", "LD_SOL_ARKA", "Sol Arka", 1, 0},
                    {"EdSagArka", "LD_SAG_ARKA", "Sağ Arka", 1, 2}};
    for (const auto& t : tekerler) {
        l->addWidget(new QLabel(QString::fromUtf8(t.baslik), g), t.satir, t.sutun);
        l->addWidget(sayiAlani(t.ad, QLatin1String(t.kolon), b), t.satir, t.sutun + 1);
    }
    return g;
}

QWidget* TFormIsEmri::kurServisNotu()
{
    auto* g = new QGroupBox(QStringLiteral("Servise Özel Uyarı Notları Ve Dip Notlar"), this);
    auto* l = new QHBoxLayout(g);
    MemoSerNot = new QPlainTextEdit(g);
    MemoSerNot->setObjectName(QStringLiteral("MemoSerNot"));
    MemoSerNot->setMaximumHeight(60);
    BtnNotuSakla = new QPushButton(QStringLiteral("Notu Sakla"), g);
    BtnNotuSakla->setObjectName(QStringLiteral("BtnNotuSakla"));
    l->addWidget(MemoSerNot, 1);
    l->addWidget(BtnNotuSakla);
    return g;
}

// The card's pop-up menu and keys, and the commands that open other areas'
// windows: those stay disabled until the area registers its opener.
void TFormIsEmri::kurKomutlar()
{
    ActTeslimAlanSec = new QAction(QStringLiteral("Teslim Alan Seç "), this);
    ActTeslimAlanSec->setObjectName(QStringLiteral("ActTeslimAlanSec"));
    ActTeslimAlanSec->setShortcut(QKeySequence(Qt::Key_F8));
    ActBarkodIleAra = new QAction(QStringLiteral("Barkod ile ara"), this);
    ActBarkodIleAra->setObjectName(QStringLiteral("ActBarkodIleAra"));
    ActBarkodIleAra->setShortcut(QKeySequence(Qt::Key_F5));
    for (QAction* a : {ActTeslimAlanSec, ActBarkodIleAra}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(ActTeslimAlanSec, &QAction::triggered, this, Guarded(this, &TFormIsEmri::TeslimAlanSecClick));
    connect(ActBarkodIleAra, &QAction::triggered, this, Guarded(this, &TFormIsEmri::BarkodIleAraClick));
    connect(BtnCariBilgi, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnCariBilgiClick));
    connect(BtnNotuSakla, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnNotuSaklaClick));
    connect(BtnYedekParca, &QPushButton::clicked, this, Guarded(this, &TFormIsEmri::BtnYedekParcaClick));
    connect(BtnSms, &QPushButton::clicked, this, Guarded([this] { hedefAc(kSmsFormAc); }));
    connect(BtnDokuman, &QPushButton::clicked, this, Guarded([this] { hedefAc(kDokumanlarAc); }));
    // "Diğer Formlar" prints the A4 form; its drop-down offers both forms.
    auto* formlar = new QMenu(BtnDigerFormlar);
    formlar->setObjectName(QStringLiteral("PopupDigerFormlar"));
    formlar->addAction(QStringLiteral("A4 Standart Form"), this, Guarded([this] { digerForm(1); }))
        ->setObjectName(QStringLiteral("ActA4StandartForm"));
    formlar->addAction(QStringLiteral("Yetkili Servis Formu"), this, Guarded([this] { digerForm(2); }))
        ->setObjectName(QStringLiteral("ActYetkiliServisFormu"));
    findChild<QPushButton*>(QStringLiteral("BtnDigerFormlarMenu"))->setMenu(formlar);
    connect(BtnDigerFormlar, &QPushButton::clicked, this, Guarded([this] { digerForm(1); }));
    connect(BtnYetkiliDizayn, &QPushButton::clicked, this, Guarded([this] {
        IsEmriHedefiAc(m_ctx, this, kRaporTasarla, QStringLiteral("Yetkili Servis Formu"), 0);
    }));
}

void TFormIsEmri::digerForm(int form)
{
    if (!Kart.giriste())
        IsEmriHedefiAc(m_ctx, this, kDigerForm, trimmedText(Kart.row.value(QStringLiteral("IS_EMRI_NO"))), form);
}

void TFormIsEmri::hedefAc(const QString& hedef)
{
    IsEmriHedefiAc(m_ctx, this, hedef, trimmedText(Kart.row.value(QStringLiteral("IS_EMRI_NO"))), 2);
}

void IsEmriHedefiAc(SessionContext& ctx, QWidget* owner, const QString& hedef, const QString& isEmriNo, int mode)
{
    const RoutineOpener ac = Targets().routine(hedef);
    if (!ac || isEmriNo.isEmpty())
        return;
    OpenRequest r;
    r.target = hedef;
    r.ctx = &ctx;
    r.owner = owner;
    r.mode = mode;
    r.key = isEmriNo;
    ac(r);
}

void TFormIsEmri::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    // A new work order is started when the card is first shown.
    if (Kart.row.isEmpty() && Kart.yeniKayit())
        toWidgets();
    setButtons();
    EdPlaka->setFocus();
}

void TFormIsEmri::keyPressEvent(QKeyEvent* e)
{
    // Enter belongs to the field it was typed in (the look-ups); it never
    // presses a button. Escape closes like "Kapat", so unsaved input is kept.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormIsEmri::loadTypes()
{
    const QString current = CbTip->currentData().toString();
    CbTip->clear();
    CbTip->addItem(QString(), QString());
    Query q(m_ctx.Database1, QStringLiteral("SELECT ISEMRI_TIP, ISEMRI_TIP_ADI FROM ISEMRITIP ORDER BY ISEMRI_TIP"));
    q.exec();
    while (q.next())
        CbTip->addItem(q.str(QStringLiteral("ISEMRI_TIP")) + QStringLiteral(" - ") + q.str(QStringLiteral("ISEMRI_TIP_ADI")),
                       q.str(QStringLiteral("ISEMRI_TIP")));
    CbTip->setCurrentIndex(qMax(0, CbTip->findData(current)));
}

void TFormIsEmri::toWidgets()
{
    const QVariantMap& r = Kart.row;
    for (auto it = m_text.cbegin(); it != m_text.cend(); ++it)
        it.value()->setText(trimmedText(r.value(it.key())));
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.value()->setChecked(r.value(it.key()).toInt() != 0);
    for (auto it = m_letters.cbegin(); it != m_letters.cend(); ++it)
        it.value()->setCurrentIndex(qMax(0, it.value()->findData(trimmedText(r.value(it.key())))));
    CbTip->setCurrentIndex(qMax(0, CbTip->findData(trimmedText(r.value(QStringLiteral("IE_TIP"))))));
    for (auto it = m_sayilar.cbegin(); it != m_sayilar.cend(); ++it)
        it.value().first->setText(r.value(it.key()).isNull() ? QString()
                                                              : FormatMoney(r.value(it.key()).toDouble(), it.value().second));
    EdKm->setText(r.value(QStringLiteral("KM")).isNull() ? QString()
                                                          : FormatMoney(r.value(QStringLiteral("KM")).toDouble(), QStringLiteral(",0")));
    const QDate trf = Query::toDate(r.value(QStringLiteral("TESLIM_TRH")));
    DtTrfCikis->setDate(trf.isValid() ? trf : DtTrfCikis->minimumDate());
    const QDate giris = Query::toDate(r.value(QStringLiteral("ARAC_GIRIS_TRH")));
    const QDateTime saat = Query::toDateTime(r.value(QStringLiteral("ARAC_GIRIS_SAAT")));
    LblGiris->setText(giris.isValid() ? giris.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ')
                                            + saat.time().toString(QStringLiteral("hh:mm"))
                                      : QString());
    const QDateTime ttt = Query::toDateTime(r.value(QStringLiteral("TTT")));
    LblTahTes->setText(ttt.isValid() ? ttt.toString(QStringLiteral("dd.MM.yyyy hh:mm")) : QString());
    const QDate ariza = Query::toDate(r.value(QStringLiteral("ARIZA_BTRH")));
    LblArizaBildirim->setText(ariza.isValid() ? ariza.toString(QStringLiteral("dd.MM.yyyy")) : QString());
    LblServisKod->setText(trimmedText(r.value(QStringLiteral("SERVIS_KOD"))));
    const QDate gb = Query::toDate(r.value(QStringLiteral("GARANTI_BITIS")));
    LblGarantiBitis->setText(gb.isValid() ? gb.toString(QStringLiteral("dd.MM.yyyy")) : QString());
    LblCariAdi->clear();
    LblOzelKod->clear();
    EdTel1->clear();
    EdTel3->clear();
    if (!trimmedText(r.value(QStringLiteral("CARI_KOD"))).isEmpty()) {
        Query q(m_ctx.Database1, QStringLiteral("SELECT FIRMA_ADI, TEL1, TEL3, OZEL_KOD_1, OZEL_KOD_2, OZEL_KOD_3 FROM CARI "
                                                "WHERE CARI_KOD = :K"));
        q.bind(QStringLiteral("K"), trimmedText(r.value(QStringLiteral("CARI_KOD")))).exec();
        if (q.next()) {
            LblCariAdi->setText(q.str(QStringLiteral("FIRMA_ADI")));
            EdTel1->setText(q.str(QStringLiteral("TEL1")).trimmed());
            EdTel3->setText(q.str(QStringLiteral("TEL3")).trimmed());
            QStringList ozel;
            for (const char* k : {"OZEL_KOD_1", "OZEL_KOD_2", "OZEL_KOD_3"})
                if (const QString v = q.str(QLatin1String(k)).trimmed(); !v.isEmpty())
                    ozel << v;
            LblOzelKod->setText(ozel.join(QStringLiteral(" / ")));
        }
    }
    const QString sase = trimmedText(r.value(QStringLiteral("SASI_NO")));
    MemoSerNot->setPlainText(sase.isEmpty() ? QString() : SerNotOku(m_ctx.Database1, sase));
    const bool notVar = SerNotVar(m_ctx.Database1, sase);
    if (notVar && !LblUyari->isVisibleTo(this))
        QApplication::beep();
    LblUyari->setVisible(notVar);
    LblModel->clear();
    if (!trimmedText(r.value(QStringLiteral("ARAC_TIP"))).isEmpty()) {
        Query q(m_ctx.Database1, QStringLiteral("SELECT ARC_MODEL_ADI, MARKA FROM MODEL WHERE ARC_MODEL_KODU = :M"));
        q.bind(QStringLiteral("M"), trimmedText(r.value(QStringLiteral("ARAC_TIP")))).exec();
        LblModel->setText(trimmedText(r.value(QStringLiteral("ARAC_TIP"))) + QLatin1Char(' ')
                          + trimmedText(r.value(QStringLiteral("ARAC_MODEL")))
                          + (q.next() ? QStringLiteral("  ") + q.str(QStringLiteral("ARC_MODEL_ADI")) + QStringLiteral(" / ")
                                            + q.str(QStringLiteral("MARKA"))
                                      : QString()));
    }
    LblKapali->setVisible(trimmedText(r.value(QStringLiteral("KAPANDI"))) == QLatin1String("E"));
}

bool TFormIsEmri::fromWidgets()
{
    QVariantMap& r = Kart.row;
    for (auto it = m_text.cbegin(); it != m_text.cend(); ++it) {
        if (it.key() == QLatin1String("IS_EMRI_NO") || it.key() == QLatin1String("IS_ENO"))
            continue;
        r[it.key()] = it.value()->text().trimmed();
    }
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        r[it.key()] = it.value()->isChecked() ? 1 : 0;
    for (auto it = m_letters.cbegin(); it != m_letters.cend(); ++it) {
        const QString v = it.value()->currentData().toString();
        // A new row's payment method "H" shows as blank and is kept as it was.
        if (!(it.key() == QLatin1String("S") && v.isEmpty()))
            r[it.key()] = v;
    }
    r[QStringLiteral("IE_TIP")] = CbTip->currentData().toString();
    for (auto it = m_sayilar.cbegin(); it != m_sayilar.cend(); ++it) {
        double v = 0;
        if (it.value().first->text().trimmed().isEmpty()) {
            r[it.key()] = QVariant();
        } else if (!SayiOku(it.value().first->text(), &v)) {
            it.value().first->setFocus();
            return false;
        } else {
            r[it.key()] = v;
        }
    }
    double km = 0;
    if (!SayiOku(EdKm->text(), &km))
        return false;
    r[QStringLiteral("KM")] = km;
    r[QStringLiteral("TESLIM_TRH")] =
        DtTrfCikis->date() > DtTrfCikis->minimumDate() ? QVariant(QDateTime(DtTrfCikis->date(), QTime(0, 0))) : QVariant();
    return true;
}

void TFormIsEmri::setButtons()
{
    const bool giris = Kart.giriste();
    const QString hak = m_ctx.AktifKullanici.isemri;
    for (QWidget* w : {static_cast<QWidget*>(EdAra), static_cast<QWidget*>(BtnIsEmriSec), static_cast<QWidget*>(BtnKapat)})
        w->setEnabled(!giris);
    BtnYeni->setEnabled(!giris && IsEmriYeniHakki(hak));
    BtnDegistir->setEnabled(!giris && IsEmriDegistirHakki(hak) && !Kart.row.isEmpty());
    BtnYazdir->setEnabled(!giris && Targets().isRegistered(kYazdir) && !Kart.row.isEmpty());
    BtnDigerFormlar->setEnabled(!giris && Targets().isRegistered(kDigerForm) && !Kart.row.isEmpty());
    if (auto* m = findChild<QPushButton*>(QStringLiteral("BtnDigerFormlarMenu")))
        m->setEnabled(BtnDigerFormlar->isEnabled());
    BtnYetkiliDizayn->setEnabled(Targets().isRegistered(kRaporTasarla));
    BtnSakla->setEnabled(giris);
    BtnIptal->setEnabled(giris);
    BtnAracSec->setEnabled(giris);
    ActTeslimAlanSec->setEnabled(giris);
    ActBarkodIleAra->setEnabled(!giris);
    BtnYedekParca->setEnabled(!giris && !Kart.row.isEmpty() && !trimmedText(Kart.row.value(QStringLiteral("IS_EMRI_NO"))).isEmpty());
    BtnSms->setEnabled(Targets().isRegistered(kSmsFormAc) && !Kart.row.isEmpty());
    BtnDokuman->setEnabled(Targets().isRegistered(kDokumanlarAc) && !Kart.row.isEmpty());
    // The note is the workshop manager's: only the full work-order right edits it.
    MemoSerNot->setReadOnly(m_ctx.AktifKullanici.isemri != QLatin1String("Y"));
    for (QLineEdit* e : m_text)
        if (e != EdIsEmriNo && e != EdIsEno && e != EdCariKod)
            e->setReadOnly(!giris);
    EdKm->setReadOnly(!giris);
    for (const auto& [alan, bicim] : m_sayilar)
        alan->setReadOnly(!giris);
    for (QWidget* w : std::initializer_list<QWidget*>{CbTip, DtTrfCikis})
        w->setEnabled(giris);
    for (auto* c : m_checks)
        c->setEnabled(giris);
    for (auto* c : m_letters)
        c->setEnabled(giris);
}

void TFormIsEmri::isemriac(const QString& isEmriNo)
{
    if (Kart.ac(isEmriNo))
        toWidgets();
    setButtons();
}

void TFormIsEmri::BtnSaklaClick()
{
    if (!fromWidgets()) {
        EdKm->setFocus();
        EdKm->selectAll();
        return;
    }
    const KayitSonucu r = Kart.sakla();
    if (r == KayitSonucu::KmSor) {
        EdKm->setFocus();
        EdKm->selectAll();
    } else if (r == KayitSonucu::Kaydedildi) {
        toWidgets();
    }
    setButtons();
}

void TFormIsEmri::BtnYeniClick()
{
    if (Kart.giriste())
        return;
    if (Kart.yeniKayit())
        toWidgets();
    setButtons();
    PageControl1->setCurrentIndex(0);
    EdPlaka->setFocus();
}

void TFormIsEmri::BtnDegistirClick()
{
    Kart.degistir();
    setButtons();
}

void TFormIsEmri::BtnIptalClick()
{
    Kart.iptal();
    toWidgets();
    setButtons();
}

void TFormIsEmri::BtnKapatClick() { close(); }

void TFormIsEmri::closeEvent(QCloseEvent* e)
{
    if (!Kart.kapatilabilir()) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TFormIsEmri::BtnIsEmriSecClick()
{
    const TypeIsEmri t = IsemriSec(m_ctx, 2, QString(), this);
    if (!t.IsEmriNo.isEmpty())
        isemriac(t.IsEmriNo);
}

void TFormIsEmri::BtnCariSecClick()
{
    if (!Kart.giriste())
        return;
    fromWidgets();
    const QString kod = CariSecimi(m_ctx, this);
    if (kod.isEmpty())
        return;
    Kart.cariSecildi(kod);
    toWidgets();
}

void TFormIsEmri::BtnAracSecClick()
{
    if (!Kart.giriste())
        return;
    fromWidgets();
    const TypeIsEmri t = AracRuhsatSec(m_ctx, Kart.baslangic, 1, this);
    if (t.SasiNo.isEmpty())
        return;
    Kart.row[QStringLiteral("SASI_NO")] = t.SasiNo;
    Kart.aracAra(AracAlani::Sase, t.SasiNo);
    toWidgets();
}

void TFormIsEmri::BtnGecmisClick()
{
    const QString sase = EdSase->text().trimmed();
    if (sase.isEmpty()) {
        ShowWarning(QStringLiteral("Lütfen Şase No Yazın"));
        return;
    }
    ShowIEGecmis(m_ctx, sase, QString(), true, this);
}

void TFormIsEmri::BtnTiplerClick()
{
    IsemriTipSec(m_ctx, QString(), 0, this);
    loadTypes();
}

void TFormIsEmri::BtnCariBilgiClick()
{
    const QString kod = trimmedText(Kart.row.value(QStringLiteral("CARI_KOD")));
    if (kod.isEmpty())
        return;
    if (Kart.giriste())
        fromWidgets();
    if (!accounts::CariKartAc(m_ctx, kod, 0, this).isEmpty()) {
        toWidgets();
        if (m_ctx.CariMsgVar == QLatin1String("1"))
            CariMesajKontrol(m_ctx.Database1, kod, LblCariAdi->text());
    }
}

void TFormIsEmri::BtnNotuSaklaClick()
{
    const QString sase = Kart.giriste() ? EdSase->text().trimmed() : trimmedText(Kart.row.value(QStringLiteral("SASI_NO")));
    if (sase.isEmpty() || MemoSerNot->isReadOnly())
        return;
    SerNotYaz(m_ctx.Database1, sase, MemoSerNot->toPlainText());
    LblUyari->setVisible(SerNotVar(m_ctx.Database1, sase));
}

void TFormIsEmri::BtnYedekParcaClick()
{
    const QString no = trimmedText(Kart.row.value(QStringLiteral("IS_EMRI_NO")));
    if (!Kart.giriste() && !no.isEmpty())
        YPTeslimAc(m_ctx, no, this);
}

void TFormIsEmri::TeslimAlanSecClick()
{
    if (!Kart.giriste() || m_ctx.AktifKullanici.personel == QLatin1String("H"))
        return;
    TDonPara p;
    PersonelSec(m_ctx, 1, p, this);
    if (!p.KodStr.isEmpty())
        m_text.value(QStringLiteral("ARAC_TESLIM_ALAN"))->setText(p.KodStr);
}

void TFormIsEmri::BarkodIleAraClick()
{
    if (Kart.giriste())
        return;
    EdAra->clear();
    EdAra->setFocus();
}

void TFormIsEmri::EdAraKeyPress()
{
    const QString no = IsEmriNoFromSearch(EdAra->text());
    if (!no.isEmpty())
        isemriac(no);
}

void TFormIsEmri::aracAra(AracAlani alan, QLineEdit* field)
{
    if (!Kart.giriste())
        return;
    fromWidgets();
    Kart.aracAra(alan, field->text());
    toWidgets();
}

void TFormIsEmri::EdPlakaKeyPress() { aracAra(AracAlani::Plaka, EdPlaka); }
void TFormIsEmri::EdSaseKeyPress() { aracAra(AracAlani::Sase, EdSase); }
void TFormIsEmri::EdMotorKeyPress() { aracAra(AracAlani::Motor, EdMotor); }

TFormIsEmri* PaylasilanIsEmriKarti(SessionContext& ctx, QWidget* parent, bool* yeniAcildi)
{
    if (yeniAcildi)
        *yeniAcildi = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<TFormIsEmri*>(w); f && f->objectName() == QLatin1String("FormIsEmri") && f->isVisible())
            return f;
    if (yeniAcildi)
        *yeniAcildi = true;
    auto* f = new TFormIsEmri(ctx, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    return f;
}

TFormIsEmri* IsemriKartAc(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    auto* f = new TFormIsEmri(ctx, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    if (!isEmriNo.isEmpty()) {
        f->Kart.iptal();
        f->isemriac(isEmriNo);
    }
    return f;
}

} // namespace tornaly::workshop
