#include "maintenance/ekj.h"
#include "util/Utf8.h"
#include "context/SessionContext.h"
#include "dm/DATA1.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/HelpPage.h"
#include "mainwindow/Targets.h"
#include "maintenance/Bakim.h"
#include "maintenance/CarKDegis.h"
#include "maintenance/VeriOnarim.h"
#include "guard/FormGuard.h"
#include "guard/WaitCursor.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "parameters/Sirbilg.h"
#include "parameters/parametr.h"
#include "platform/Desktop.h"
#include "connection/DialogRunner.h"
#include "tools/AboutBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tornaly {

namespace {

using text::S;
QString E(const char* n) { return QString::fromLatin1(n); }

bool harfY(const QString& h) { return h == QLatin1String("Y"); }

struct MenuTanimi {
    const char* ad;
    const char* baslik;
    std::function<bool(const t_user&)> hak;
};

const QList<MenuTanimi>& menuler()
{
    static const QList<MenuTanimi> m{
        {"IlkOnce", "İlk Ö&nce", [](const t_user& u) { return harfY(u.parametre); }},
        {"FaturaTasarim", "Fatura &Tasarım İşlemleri", [](const t_user& u) { return harfY(u.fat_tanim); }},
        {"FormTasarimi", "Form Tasarımı", {}},
        {"Fiyatlandirma", "Fiyatlandırma", {}},
        {"VeriDuzenleme", "Veri &Düzenleme", {}},
        {"Faydali", "Faydalı", {}},
        {"Yardim", "&Yardım", {}},
    };
    return m;
}

} // namespace

const QList<TBakimKomutu>& BakimKomutlari()
{
    const auto stokFiyat = [](const t_user& u) { return (u.stok_fiyat & 2) != 0; };
    const auto frtFiyat = [](const t_user& u) { return (u.frt_fiyat & 2) != 0; };
    const auto diger10 = [](const t_user& u) { return harfY(u.diger10); };
    const auto stokVeDiger06 = [](const t_user& u) { return harfY(u.stok) && u.diger06 != QLatin1String("H"); };
    // Whole-database copies, repairs without a right of their own and the log belong to the administrator.
    const auto yonetici = [](const t_user& u) { return IsAdministrator(u); };
    static const QList<TBakimKomutu> k{
        {S("IlkOnce"), S("FirmaBilgileri"), S("Firma Bilgileri"), S("&Firma Bilgileri"), {}, false,
         [](const t_user& u) { return harfY(u.parametre); }},
        {S("IlkOnce"), S("Parametreler"), S("Parametreler"), S("&Parametreler"), {}, false, {}},
        {S("IlkOnce"), S("MuhasebeParametreleri"), S("Muhasebe Parametreleri"), {}, E(entry::TFormParaMuh), true, diger10},
        {S("IlkOnce"), S("MuhKodAtama"), S("Otomatik Muhasebe Hesap Planı Kod Atama"), {}, E(entry::MuhKodYazAc), true, diger10},
        {S("IlkOnce"), S("GelirGider"), S("Gelir Gider Tablosu Muhasebe Kodları"), {}, E(entry::GGAtamaAc), true, diger10},
        {S("IlkOnce"), S("AramaPeriyotlari"), S("Müşteri Takip Arama Periyotları"), {}, E(entry::AraPeriyotGoster), false, {}},
        {S("IlkOnce"), S("TopluMuhasebe"), S("Toplu Muhasebeleştirme"), {}, E(entry::TekMuhAc), true, diger10},
        {S("IlkOnce"), S("KullaniciHaklari"), S("Kullanıcı Hakları"), S("KullanıcıHakları"), E(entry::KullaniciHaklari), false, {}},
        {S("FaturaTasarim"), S("FaturaSayfaDuzeni"), S("Fatura Sayfa Düzeni"), {}, E(entry::TSayfaDuzForm), false, {}},
        {S("FaturaTasarim"), S("FaturaTasarimi"), S("Fatura Tasarımı"), S("Fatura Tasarım"), E(entry::FaturaTasarimGoster), false, {}},
        {S("FaturaTasarim"), S("AracFaturasi"), S("Araç Faturası Tasarımı"), {}, E(entry::TFormAracFatDizayn), false, {}},
        {S("FaturaTasarim"), S("FaturaNoTanim"), S("Fatura No Tanım"), {}, E(entry::TFormFatTani), false, {}},
        {S("FormTasarimi"), S("IsEmriFormu"), S("İş Emri Formu Tasarım"), S("İşemri Form\nTasarımı"), E(entry::IEFormTasarimGoster), false, {}},
        {S("FormTasarimi"), S("IsEmriAciklama"), S("İş Emri Formu (A4) Sabit Açıklama"), {}, E(entry::TFrmIsemriAciklama), false, {}},
        {S("FormTasarimi"), S("TavBeyanname"), S("TAV Beyannamesi Tasarımı"), {}, E(entry::BeyannameTasarimGoster), true, {}},
        {S("FormTasarimi"), S("AracSiparis"), S("Araç Sipariş Formu"), {}, E(entry::TFormSipDizayn), true, {}},
        {S("FormTasarimi"), S("GarantiTalep"), S("Garanti Talep Formu Sayfa Ayarı"), {}, E(entry::GarantiFormTasarimGoster), true, {}},
        {S("FormTasarimi"), S("IsEmriAcilis"), S("İş Emri Açılış Formu Tasarımı"), {}, E(entry::IETasarimAc), false, {}},
        {S("FormTasarimi"), S("IsEmriKapanis"), S("İş Emri Kapanış Formu Tasarımı"), {}, E(entry::IETasarimAc), false, {}},
        {{}, S("IsEmriKapamaForm"), S("İşemri Kapa. Form Tasarımı"), S("İşemri Kapa. Form\nTasarımı"), E(entry::IEKapamaFormTasarimGoster), false, {}},
        {S("Fiyatlandirma"), S("StokFiyatParametreleri"), S("Stok Fiyat Parametreleri"), {}, E(entry::FytStokSec), true, stokFiyat},
        {S("Fiyatlandirma"), S("StokFiyatlandirma"), S("Stok Fiyatlandırma"), S("Stok\nFiyatlandırma"), E(entry::TFormFytList), false, stokFiyat},
        {S("Fiyatlandirma"), S("RTTGrubu"), S("RTT Grubu Birim Fiyat"), {}, E(entry::TFormFrtGrup), false, frtFiyat},
        {S("Fiyatlandirma"), S("RTTFiyatlandirma"), S("RTT Fiyatlandırma"), {}, E(entry::TFormFytListFRT), false, frtFiyat},
        {S("Fiyatlandirma"), S("BaslangicMaliyeti"), S("Başlangıç Maliyeti Olmayan Stoklara Alış Stok Fiyatını Yaz"), {}, E(entry::BaslangicMaliyetiYaz), false, stokFiyat},
        {S("Fiyatlandirma"), S("StokMaliyetiHesapla"), S("Stok Maliyeti Hesapla"), {}, E(entry::StokMaliyetiHesapla), false,
         [](const t_user& u) { return (u.stok_fiyat & 2) != 0 && harfY(u.maliyet); }},
        {S("VeriDuzenleme"), S("CariKodDegistirme"), S("Cari Kod Değiştirme"), {}, {}, false,
         [](const t_user& u) { return harfY(u.cari); }},
        {S("VeriDuzenleme"), S("SaseDegistirme"), S("Şase Değiştirme"), {}, E(entry::SaseDegistir), false,
         [](const t_user& u) { return harfY(u.diger04); }},
        {S("VeriDuzenleme"), S("SayimOncesiDokum"), S("Sayım Öncesi Döküm"), {}, E(entry::ShowQRListForm), false,
         [](const t_user& u) { return harfY(u.stok); }},
        {{}, S("StokFisleri"), S("Stok Fişleri"), S("Stok Fişleri"), E(entry::TFormStokFisBak), false, stokVeDiger06},
        {S("VeriDuzenleme"), S("HizliSayim"), S("Hızlı Sayım Girişi"), S("Hızlı Sayım Girişi"), E(entry::MikDevretAc), false, stokVeDiger06},
        {S("VeriDuzenleme"), S("BelgeStokHareketleri"), S("Belge/Stok Hareketlerini Güncelle "), {}, E(entry::ShowStokMiktarGuncelleForm), false, stokVeDiger06},
        {S("VeriDuzenleme"), S("BelgeReferansNolari"), S("Belge Referans Noları Güncelle"), {}, {}, false, yonetici},
        {S("VeriDuzenleme"), S("StokMiktariUyusmayan"), S("Stok Miktarı Depo Hareketi İle Uyuşmayan Ürünler"), {}, E(entry::ShowStkMikUyamanForm), false, {}},
        {S("VeriDuzenleme"), S("BarkodTesti"), S("Barkod Okuyucu Testi"), {}, E(entry::TBarTest), true, {}},
        {S("VeriDuzenleme"), S("FiyatDisketi"), S("Fiyat Disketinden Stokları Güncelle"), {}, E(entry::FiyatDisketiAktar), false, stokFiyat},
        {S("VeriDuzenleme"), S("StokAyParametre"), S("Stok/Ay Parametre Matrisi"), {}, E(entry::TFormStokAyPrm), false,
         [](const t_user& u) { return harfY(u.stok); }},
        {S("VeriDuzenleme"), S("StokYeniKodlari"), S("Stok Yeni Kodlarını Güncelle"), {}, E(entry::StokYeniKodlariniGuncelle), false, yonetici},
        {S("VeriDuzenleme"), S("AnagrupAta"), S("Anagrubu olmayan stoklara YP grubunu ata"), {}, E(entry::AnagrupAta), false, yonetici},
        {S("VeriDuzenleme"), S("DBFAktarim"), S("DBF ten Veri Aktarımı"), {}, E(entry::TFormFytXfer), false, {}},
        {S("Faydali"), S("KlasorAc"), S("Kalvesa Klasörünü Aç"), {}, {}, false, {}},
        {S("Faydali"), S("YedekAl"), S("Yedek Al"), S("Yedek Al"), E(entry::ShowBackupForm), false, yonetici},
        {S("Faydali"), S("LogTemizle"), S("Veri Tabanı Log Dosyasını Temizle"), {}, {}, false, yonetici},
        {S("Yardim"), S("Icerik"), S("İçerik"), {}, {}, false, {}},
        {S("Yardim"), S("Hakkinda"), S("Program Hakkında"), S("Hakkında"), {}, false, {}},
    };
    return k;
}

TBakimForm::TBakimForm(SessionContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(S("BakimForm"));
    setWindowTitle(S("Kalvesa Sistem Yönetimi"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    kur();
    FormCreate();
    connect(&Targets(), &TargetRegistry::changed, this, Guarded(this, &TBakimForm::user_view));
    user_view();
}

void TBakimForm::kur()
{
    QMenuBar* bar = menuBar();
    for (const MenuTanimi& m : menuler()) {
        QMenu* menu = bar->addMenu(S(m.baslik));
        menu->setObjectName(S(m.ad));
        menu->menuAction()->setObjectName(S(m.ad));
        m_menuler.insert(S(m.ad), menu);
    }
    auto* versiyon = bar->addAction(S("Versiyonlara Bak"));
    versiyon->setObjectName(S("VersiyonlaraBak"));
    connect(versiyon, &QAction::triggered, this, Guarded(this, &TBakimForm::VersiyonlaraBakClick));
    auto* cikis = bar->addAction(S("Programdan Çı&kış!"));
    cikis->setObjectName(S("ProgramdanCikis"));
    connect(cikis, &QAction::triggered, this, &QWidget::close); // unguarded: ui only

    auto* merkez = new QWidget(this);
    auto* lay = new QHBoxLayout(merkez);
    auto* panel = new QWidget(merkez);
    panel->setObjectName(S("PanelButonlar"));
    auto* grid = new QGridLayout(panel);
    int n = 0;
    for (const TBakimKomutu& k : BakimKomutlari()) {
        auto* a = new QAction(k.baslik, this);
        a->setObjectName(k.ad);
        if (!k.menu.isEmpty()) {
            m_menuler.value(k.menu)->addAction(a);
            a->setVisible(!k.gizli);
        }
        const QString ad = k.ad;
        connect(a, &QAction::triggered, this, Guarded([this, ad] { calistir(ad); }));
        m_komutlar.insert(k.ad, a);
        if (!k.buton.isEmpty()) {
            auto* b = new QPushButton(k.buton, panel);
            b->setObjectName(S("Btn") + k.ad);
            b->setMinimumSize(150, 54);
            connect(b, &QPushButton::clicked, this, Guarded([this, ad] { calistir(ad); }));
            grid->addWidget(b, n / 2, n % 2);
            m_butonlar.insert(k.ad, b);
            ++n;
        }
    }
    auto* versiyonBtn = new QPushButton(S("Versiyonlara\nBak"), panel);
    versiyonBtn->setObjectName(S("BtnVersiyonlaraBak"));
    versiyonBtn->setMinimumSize(150, 54);
    connect(versiyonBtn, &QPushButton::clicked, this, Guarded(this, &TBakimForm::VersiyonlaraBakClick));
    grid->addWidget(versiyonBtn, n / 2, n % 2);
    ++n;
    auto* cikisBtn = new QPushButton(S("&Çıkış"), panel);
    cikisBtn->setObjectName(S("BtnCikis"));
    cikisBtn->setMinimumSize(150, 54);
    connect(cikisBtn, &QPushButton::clicked, this, &QWidget::close); // unguarded: ui only
    grid->addWidget(cikisBtn, n / 2, n % 2);
    grid->setRowStretch(n / 2 + 1, 1);
    lay->addWidget(panel);

    auto* sag = new QVBoxLayout;
    PanelVersiyon = new QWidget(merkez);
    PanelVersiyon->setObjectName(S("PanelVersiyon"));
    auto* pv = new QVBoxLayout(PanelVersiyon);
    MemoVersiyon = new QPlainTextEdit(PanelVersiyon);
    MemoVersiyon->setObjectName(S("MemoVersiyon"));
    MemoVersiyon->setReadOnly(true);
    auto* kapat = new QPushButton(S("Kapat"), PanelVersiyon);
    kapat->setObjectName(S("BtnVersiyonKapat"));
    connect(kapat, &QPushButton::clicked, PanelVersiyon, &QWidget::hide); // unguarded: ui only
    pv->addWidget(MemoVersiyon);
    pv->addWidget(kapat, 0, Qt::AlignRight);
    PanelVersiyon->hide();
    sag->addWidget(PanelVersiyon, 1);
    sag->addStretch();
    ProgressBar1 = new QProgressBar(merkez);
    ProgressBar1->setObjectName(S("ProgressBar1"));
    ProgressBar1->hide();
    sag->addWidget(ProgressBar1);
    lay->addLayout(sag, 1);
    setCentralWidget(merkez);
    statusBar()->setObjectName(S("StatusBar1"));
    resize(1040, 540);
}

void TBakimForm::FormCreate()
{
    MemoVersiyon->clear();
    const QFileInfo program(QCoreApplication::applicationFilePath());
    MemoVersiyon->appendPlainText(S("Program: ") + program.fileName() + S("  ") +
                                  program.lastModified().toString(S("dd.MM.yyyy HH:mm")));
    // The disk and size check never stops the window.
    try {
        MemoVersiyon->appendPlainText(VeriTabaniBoyutu(m_db));
        const TDiskDurumu d = MeasureStorage(m_db);
        if (d.dataFreeMb >= 0)
            MemoVersiyon->appendPlainText(S("Boş Data Alanı %1: %2 MB")
                                              .arg(d.dataDrive, FormatMoney(double(d.dataFreeMb), S(",0"))));
        DiskUyarilari(d, m_ctx.SunucuTamAdi);
    } catch (const DbError&) {
    }
}

void TBakimForm::showEvent(QShowEvent* e)
{
    user_view();
    statusBar()->showMessage(m_ctx.FirmaAdi + S(" - ") + m_ctx.CalismaYili);
    QMainWindow::showEvent(e);
}

void TBakimForm::user_view()
{
    const t_user& u = m_ctx.AktifKullanici;
    for (const MenuTanimi& m : menuler())
        m_menuler.value(S(m.ad))->setEnabled(!m.hak || m.hak(u));
    for (const TBakimKomutu& k : BakimKomutlari()) {
        // A command of a module that is not in this program stays disabled.
        const bool var = k.hedef.isEmpty() || Targets().isRegistered(k.hedef);
        const bool izin = !k.hak || k.hak(u);
        QString ipucu;
        if (!var)
            ipucu = S("Bu modül programda yok.");
        else if (!izin)
            ipucu = NoRightText();
        if (QAction* a = m_komutlar.value(k.ad)) {
            a->setEnabled(var && izin);
            a->setToolTip(ipucu);
        }
        if (QPushButton* b = m_butonlar.value(k.ad)) {
            b->setEnabled(var && izin);
            b->setToolTip(ipucu);
        }
    }
}

void TBakimForm::VersiyonlaraBakClick() { PanelVersiyon->show(); }

bool TBakimForm::evetMi(const QString& soru) { return AskYesNoCancel(soru) == MsgYes; }

void TBakimForm::sonucGoster(const QString& tamam, const TOnarimSonucu& sonuc)
{
    const QString ozet = sonuc.ozet();
    ShowInfo(ozet.isEmpty() ? tamam : tamam + S("\n\n") + ozet);
}

void TBakimForm::calistir(const QString& ad)
{
    const TBakimKomutu* k = nullptr;
    for (const TBakimKomutu& c : BakimKomutlari())
        if (c.ad == ad)
            k = &c;
    if (!k)
        return;
    // The rights are tested again here: a button is as good as its entry.
    if (k->hak && !k->hak(m_ctx.AktifKullanici)) {
        ShowWarning(NoRightText());
        return;
    }
    if (k->hedef.isEmpty()) {
        yerel(ad);
        return;
    }
    OpenRequest r;
    r.target = k->hedef;
    r.ctx = &m_ctx;
    r.owner = this;
    if (ad == QLatin1String("IsEmriAcilis"))
        r.mode = 1;
    else if (ad == QLatin1String("IsEmriKapanis"))
        r.mode = 2;
    Guard([&] {
        if (const RoutineOpener ac = Targets().routine(k->hedef)) {
            ac(r);
        } else if (const FormFactory yap = Targets().form(k->hedef)) {
            if (QWidget* w = yap(r)) {
                w->setAttribute(Qt::WA_DeleteOnClose);
                w->show();
                w->raise();
            }
        }
    });
}

void TBakimForm::yerel(const QString& ad)
{
    if (ad == QLatin1String("FirmaBilgileri")) {
        Guard([&] {
            TEczBilgiForm f(m_ctx, this);
            RunModal(f);
        });
    } else if (ad == QLatin1String("Parametreler")) {
        Guard([&] {
            TFormParam f(m_ctx, this);
            RunModal(f);
        });
    } else if (ad == QLatin1String("CariKodDegistirme")) {
        Guard([&] {
            TFormCarKDegis f(m_ctx, this);
            RunModal(f);
        });
    } else if (ad == QLatin1String("BelgeReferansNolari")) {
        if (!evetMi(S("Belge Referans Noları Güncellensin mi?")))
            return;
        TOnarimSonucu s;
        if (Guard([&] { OnarimAdimi([&] { s = BelgeReferansNolariGuncelle(m_db); }); }))
            sonucGoster(S("Güncelleme Tamamlandı."), s);
    } else if (ad == QLatin1String("LogTemizle")) {
        ShowInfo(LogTemizlemeMetni(m_db));
    } else if (ad == QLatin1String("KlasorAc")) {
        OpenDocument(QCoreApplication::applicationDirPath());
    } else if (ad == QLatin1String("Icerik")) {
        OpenHelpContents();
    } else if (ad == QLatin1String("Hakkinda")) {
        ShowAboutBox(this);
    }
}

TBakimForm* BakimFormAc(SessionContext& ctx, QWidget* owner) { return new TBakimForm(ctx, owner); }

} // namespace tornaly
