#include "workshop/common/RowValues.h"
#include "connection/DialogRunner.h"
#include "controls/SayiAlani.h"
#include "workshop/partsissue/forms/IsDetayForm.h"

#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "workshop/dispositions/IsEmriSatirlari.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"
#include "stock/cards/StokSakla.h"
#include "stock/movements/DepoHrkForm.h"
#include "workshop/dispositions/forms/SatirGrid.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/labour/forms/FrtSakla.h"
#include "workshop/labour/forms/SecFrt.h"
#include "personnel/PersonBr.h"
#include "workshop/workorders/forms/IEBr.h"
#include "workshop/workorders/forms/IsEmri.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenu>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
const QString kSipKontrol = QStringLiteral("IsemriSipKontrolGoster");
const QString kEksperdenAktar = QStringLiteral("EksperdenParcaAktar");
} // namespace

namespace {
using rowvals::K;
using rowvals::para;
} // namespace

TFormIsDetay::TFormIsDetay(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormIsDetay"));
    setWindowTitle(QStringLiteral("Yedek Parça Teslim"));
    auto* lay = new QVBoxLayout(this);
    const auto btn = [this](const char* name, const QString& cap) {
        auto* b = new QPushButton(cap, this);
        b->setObjectName(K(name));
        return b;
    };
    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(QStringLiteral("Aranan I&E"), this));
    EdAra = new QLineEdit(this);
    EdAra->setObjectName(QStringLiteral("EdAra"));
    EdAra->setMaximumWidth(120);
    ust->addWidget(EdAra);
    BtnIsEmriSec = btn("BtnIsEmriSec", QStringLiteral("İş Emri Seç"));
    ust->addWidget(BtnIsEmriSec);
    LblBaslik = new QLabel(this);
    LblBaslik->setObjectName(QStringLiteral("LblBaslik"));
    ust->addWidget(LblBaslik, 1);
    LblDurum = new QLabel(this);
    LblDurum->setObjectName(QStringLiteral("LblDurum"));
    LblDurum->setStyleSheet(QStringLiteral("font-weight: bold"));
    ust->addWidget(LblDurum);
    lay->addLayout(ust);
    lay->addWidget(kurTeslimSatiri());
    lay->addWidget(kurSikayetPaneli());

    auto* split = new QSplitter(Qt::Vertical, this);
    GridParca = new SatirGrid(split);
    GridParca->setObjectName(QStringLiteral("GridParca"));
    GridParca->setKolonlar({
        {K("SIRANO"), QStringLiteral("S.No")},
        {K("STOK_KOD_NO"), QStringLiteral("Parça Kod")},
        {K("YEDEK_P_ADI"), QStringLiteral("Parça Adı")},
        {K("STOK_FIYATI"), QStringLiteral("Fiyat"), false, true},
        {K("ISK_ORAN"), QStringLiteral("İsk%"), true},
        {K("DEPO_KODU"), QStringLiteral("Depo"), true},
        {K("STOK_MIKTAR"), QStringLiteral("Miktar"), true},
        {K("TESLIM_MIKTAR"), QStringLiteral("SonÇıkan"), true},
        {K("VERILEN_MIKTAR"), QStringLiteral("T.Çıkan")},
        {K("KALAN"), QStringLiteral("Kalan(BackOrder)"), false, false, [](const QVariantMap& s) { return ParcaTutarHesapla(s).KALAN; }},
        {K("TUTAR"), QStringLiteral("Top.Tut."), false, true, [](const QVariantMap& s) { return ParcaTutarHesapla(s).TUTAR; }},
        {K("IskluTut"), QStringLiteral("İsk.luTut"), false, true, [](const QVariantMap& s) { return ParcaTutarHesapla(s).NETTUT; }},
        {K("KDV"), QStringLiteral("KDV"), true},
        {K("IskluKdvliTutar"), QStringLiteral("İsk.lu Kdv.li Tutar"), false, true,
         [](const QVariantMap& s) { return ParcaTutarHesapla(s).IskluKdvliTutar; }},
        {K("EXP"), QStringLiteral("Exp/R."), true},
        {K("FYT_DOVIZ"), QStringLiteral("Döviz Fiyat"), true},
        {K("DOVIZ_KODU"), QStringLiteral("Döviz"), true},
        {K("TL_KURDEGER"), QStringLiteral("Dvz.Kur"), true},
        {K("TESLIM_TRH"), QStringLiteral("Teslim Trh")},
        {K("ISLEM_ACIKLAMASI"), QStringLiteral("Açıklama"), true},
        {K("PER_KOD"), QStringLiteral("Personel"), true},
        {K("SERINO"), QStringLiteral("Seri No@Parti No"), true},
    });
    GridParca->duzenlendi = [this](int r, const QString& a, const QString& t) {
        Guard([&] { satirDuzenlendi(r, a, t); });
    };
    // Batches and serial numbers are kept for the configured company only.
    GridParca->setColumnHidden(GridParca->kolon(K("SERINO")), !OzelFirmaMi(ctx));

    auto* stokAlan = new QWidget(split);
    auto* sl = new QVBoxLayout(stokAlan);
    sl->setContentsMargins(0, 0, 0, 0);
    auto* ara = new QHBoxLayout;
    ara->addWidget(new QLabel(QStringLiteral("A&ranan Stok"), stokAlan));
    EdStokAra = new QLineEdit(stokAlan);
    EdStokAra->setObjectName(QStringLiteral("EdStokAra"));
    ara->addWidget(EdStokAra);
    LblAramaMod = new QLabel(QStringLiteral("Kod a Göre Arama"), stokAlan);
    LblAramaMod->setObjectName(QStringLiteral("LblAramaMod"));
    ara->addWidget(LblAramaMod);
    sl->addLayout(ara);
    GridStok = new QTableWidget(0, 8, stokAlan);
    GridStok->setObjectName(QStringLiteral("GridStok"));
    GridStok->setHorizontalHeaderLabels({QStringLiteral("Parça Kodu"), QStringLiteral("Parça Adı (TR)"),
                                         QStringLiteral("Birimi"), QStringLiteral("Sat.Fyt.TL"),
                                         QStringLiteral("Sat.Fyt.Dvz"), QStringLiteral("Döviz"), QStringLiteral("KDV"),
                                         QStringLiteral("Tip")});
    GridStok->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridStok->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridStok->verticalHeader()->setVisible(false);
    GridStok->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    sl->addWidget(GridStok);
    split->setSizes({430, 260});
    lay->addWidget(split, 1);

    PanelSorun = new QWidget(this);
    PanelSorun->setObjectName(QStringLiteral("PanelSorun"));
    auto* pl = new QHBoxLayout(PanelSorun);
    MemoSorun = new QPlainTextEdit(PanelSorun);
    MemoSorun->setObjectName(QStringLiteral("MemoSorun"));
    MemoSorun->setReadOnly(true);
    MemoSorun->setMaximumHeight(90);
    pl->addWidget(MemoSorun, 1);
    auto* kapa = btn("BtnSorunKapat", QStringLiteral("Kapa&t"));
    pl->addWidget(kapa);
    connect(kapa, &QPushButton::clicked, PanelSorun, &QWidget::hide); // unguarded: ui only
    PanelSorun->hide();
    lay->addWidget(PanelSorun);

    LblToplam = new QLabel(this);
    LblToplam->setObjectName(QStringLiteral("LblToplam"));
    lay->addWidget(LblToplam);

    auto* alt = new QHBoxLayout;
    BtnDuzenle = btn("BtnDuzenle", QStringLiteral("&Düzenle"));
    BtnKaydet = btn("BtnKaydet", QStringLiteral("&Kaydet"));
    BtnVazgec = btn("BtnVazgec", QStringLiteral("Vazgeç"));
    BtnSil = btn("BtnSil", QStringLiteral("Sil"));
    BtnIscilikSec = btn("BtnIscilikSec", QStringLiteral("&İşçilik Seç"));
    BtnPaketSec = btn("BtnPaketSec", QStringLiteral("Paket Seç"));
    BtnFiyatGuncelle = btn("BtnFiyatGuncelle", QStringLiteral("Fiyatları Güncelle"));
    BtnFiyatSabitle = btn("BtnFiyatSabitle", QStringLiteral("Fiyatları TL ye Sabitle"));
    BtnStokKarti = btn("BtnStokKarti", QStringLiteral("Stok Kartı F6"));
    BtnStokHareket = btn("BtnStokHareket", QStringLiteral("Stok Hareket"));
    BtnIsEmriIslemleri = btn("BtnIsEmriIslemleri", QStringLiteral("İş Emiri İşlemleri"));
    auto* ieMenu = new QMenu(BtnIsEmriIslemleri);
    ActIsEmriAcma = ieMenu->addAction(QStringLiteral("İş Emri &Açma"), this, Guarded([this] { IsEmriAcmaClick(); }));
    ActIsEmriAcma->setObjectName(QStringLiteral("ActIsEmriAcma"));
    ieMenu->addAction(QStringLiteral("İş Emri &Kapama"), this, Guarded([this] { BtnIsEmriKapamaClick(); }))
        ->setObjectName(QStringLiteral("ActIsEmriKapama"));
    BtnIsEmriIslemleri->setMenu(ieMenu);
    BtnIsEmriKapama = btn("BtnIsEmriKapama", QStringLiteral("İş Emri &Kapama"));
    BtnSeriNo = btn("BtnSeriNo", QStringLiteral("Parti/Seri No..."));
    BtnSeriNo->setVisible(OzelFirmaMi(ctx));
    BtnYeniStokKarti = btn("BtnYeniStokKarti", QStringLiteral("Yeni Stok Kartı"));
    BtnYPGarKontrol = btn("BtnYPGarKontrol", QStringLiteral("YP.Garanti Kontrol"));
    BtnAracGecmisi = btn("BtnAracGecmisi", QStringLiteral("Aracın Geçmişi"));
    // The supplier orders and the damage expert's list are windows of their
    // own areas; these wait for them.
    BtnSipeAktar = btn("BtnSipeAktar", QStringLiteral("Sip.e Aktar F7"));
    BtnEksperdenAktar = btn("BtnEksperdenAktar", QStringLiteral("Eksperden Aktar"));
    BtnKapat = btn("BtnKapat", QStringLiteral("&Kapat"));
    for (QPushButton* b : {BtnDuzenle, BtnKaydet, BtnVazgec, BtnSil, BtnIscilikSec, BtnPaketSec, BtnFiyatGuncelle,
                           BtnFiyatSabitle, BtnStokKarti, BtnStokHareket, BtnIsEmriIslemleri, BtnIsEmriKapama, BtnSeriNo,
                           BtnYeniStokKarti, BtnYPGarKontrol, BtnAracGecmisi, BtnSipeAktar, BtnEksperdenAktar})
        alt->addWidget(b);
    alt->addStretch();
    alt->addWidget(BtnKapat);
    lay->addLayout(alt);

    connect(EdAra, &QLineEdit::returnPressed, this, Guarded([this] { EdAraKeyPress(); }));
    connect(EdStokAra, &QLineEdit::returnPressed, this, Guarded([this] { EdStokAraKeyPress(); }));
    connect(EdStokAra, &QLineEdit::textEdited, this, Guarded([this] { m_doubleenter = false; }));
    connect(GridStok, &QTableWidget::cellDoubleClicked, this, Guarded([this] { GridStokDblClick(); }));
    connect(BtnIsEmriSec, &QPushButton::clicked, this, Guarded([this] { BtnIsEmriSecClick(); }));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded([this] { BtnDuzenleClick(); }));
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded([this] { BtnKaydetClick(); }));
    connect(BtnVazgec, &QPushButton::clicked, this, Guarded([this] { BtnVazgecClick(); }));
    connect(BtnSil, &QPushButton::clicked, this, Guarded([this] { BtnSilClick(); }));
    connect(BtnIscilikSec, &QPushButton::clicked, this, Guarded([this] { BtnIscilikSecClick(); }));
    connect(BtnPaketSec, &QPushButton::clicked, this, Guarded([this] { BtnPaketSecClick(); }));
    connect(BtnFiyatGuncelle, &QPushButton::clicked, this, Guarded([this] { BtnFiyatGuncelleClick(); }));
    connect(BtnFiyatSabitle, &QPushButton::clicked, this, Guarded([this] { BtnFiyatSabitleClick(); }));
    connect(BtnStokKarti, &QPushButton::clicked, this, Guarded([this] { BtnStokKartiClick(); }));
    connect(BtnStokHareket, &QPushButton::clicked, this, Guarded([this] { BtnStokHareketClick(); }));
    connect(BtnIsEmriKapama, &QPushButton::clicked, this, Guarded([this] { BtnIsEmriKapamaClick(); }));
    connect(BtnSeriNo, &QPushButton::clicked, this, Guarded([this] { BtnSeriNoClick(); }));
    connect(BtnSipeAktar, &QPushButton::clicked, this,
            Guarded([this] { IsEmriHedefiAc(m_ctx, this, kSipKontrol, Belge.no(), 0); }));
    connect(BtnEksperdenAktar, &QPushButton::clicked, this,
            Guarded([this] { IsEmriHedefiAc(m_ctx, this, kEksperdenAktar, Belge.no(), 0); }));
    connect(BtnYeniStokKarti, &QPushButton::clicked, this, Guarded([this] { BtnYeniStokKartiClick(); }));
    connect(BtnYPGarKontrol, &QPushButton::clicked, this, Guarded([this] {
        if (Belge.yuklu())
            YPGarKontrolGoster(m_ctx, Belge.no(), this);
    }));
    connect(BtnAracGecmisi, &QPushButton::clicked, this, Guarded([this] {
        if (Belge.yuklu())
            ShowIEGecmis(m_ctx, Belge.isemri.value(K("SASI_NO")).toString().trimmed(),
                         Belge.isemri.value(K("PLAKA_NO")).toString().trimmed(), false, this);
    }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    connect(&Targets(), &TargetRegistry::changed, this, Guarded([this] { modAyarla(); }));
    auto kisayol = [this](const QKeySequence& k, std::function<void()> f) {
        connect(new QShortcut(k, this), &QShortcut::activated, this, Guarded(std::move(f)));
    };
    kisayol(QKeySequence(Qt::Key_F2), [this] { if (BtnKaydet->isEnabled()) BtnKaydetClick(); });
    kisayol(QKeySequence(Qt::Key_F3), [this] { if (BtnDuzenle->isEnabled()) BtnDuzenleClick(); });
    kisayol(QKeySequence(Qt::Key_F12), [this] { if (BtnVazgec->isEnabled()) BtnVazgecClick(); });
    kisayol(QKeySequence(Qt::Key_F4), [this] { if (BtnIsEmriSec->isEnabled()) BtnIsEmriSecClick(); });
    kisayol(QKeySequence(Qt::Key_F6), [this] { if (BtnStokKarti->isEnabled()) BtnStokKartiClick(); });
    kisayol(QKeySequence(Qt::Key_F9), [this] {
        // In the search box F9 takes the text as a barcode and adds its part.
        if (EdStokAra->hasFocus() && !EdStokAra->text().trimmed().isEmpty()) {
            const int i = BarkodlaEkle(m_db, m_ctx, Belge, EdStokAra->text());
            goster();
            if (i >= 0)
                GridParca->setCurrentCell(i, GridParca->kolon(K("STOK_MIKTAR")));
            return;
        }
        EdStokAra->setFocus();
    });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_K), [this] { setAramaModu(0); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_A), [this] { setAramaModu(1); });
    kisayol(QKeySequence(Qt::Key_F5), [this] { setAramaModu(2); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_M), [this] { m_merkez = u'M'; EdStokAraKeyPress(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { m_merkez = u'O'; EdStokAraKeyPress(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_T), [this] { m_merkez = u'T'; EdStokAraKeyPress(); });
    const QString sh = ctx.AktifKullanici.stok;
    BtnStokKarti->setEnabled(sh != QLatin1String("H") && sh != QLatin1String("O"));
    BtnStokHareket->setVisible(sh != QLatin1String("H"));
    GridParca->setDuzenlenir(K("YEDEK_P_ADI"), ctx.AktifKullanici.ie_yp_ad);
    GridParca->setDuzenlenir(K("STOK_FIYATI"), ctx.AktifKullanici.ie_yp_fyt);
    resize(1360, 820);
    goster();
    EdAra->setFocus();
}

// The parts receiver and issuer with their pickers, and "M.Şikayeti Göster".
QWidget* TFormIsDetay::kurTeslimSatiri()
{
    auto* w = new QWidget(this);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    auto kisi = [&](QPushButton*& b, QLabel*& l, const char* ad, const QString& baslik, const QString& kolon) {
        h->addWidget(new QLabel(baslik, w));
        l = new QLabel(w);
        l->setObjectName(QLatin1String(ad) + QStringLiteral("Adi"));
        l->setMinimumWidth(160);
        l->setStyleSheet(QStringLiteral("font-weight: bold"));
        h->addWidget(l);
        b = new QPushButton(QStringLiteral("Teslim Alan Seç"), w);
        b->setObjectName(QLatin1String(ad));
        b->setAutoDefault(false);
        h->addWidget(b);
        connect(b, &QPushButton::clicked, this, Guarded([this, kolon] { TeslimKisiSec(kolon); }));
        h->addSpacing(16);
    };
    kisi(BtnTeslimAlanSec, LblTeslimAlan, "BtnTeslimAlanSec", QStringLiteral("YP Teslim Alan"), K("YP_TESLIM_ALAN"));
    kisi(BtnTeslimEdenSec, LblTeslimEden, "BtnTeslimEdenSec", QStringLiteral("YP Teslim Eden"), K("YPTESLIMEDEN"));
    h->addStretch(1);
    BtnSikayetGoster = new QPushButton(QStringLiteral("M.Şikayeti Göster"), w);
    BtnSikayetGoster->setObjectName(QStringLiteral("BtnSikayetGoster"));
    BtnSikayetGoster->setAutoDefault(false);
    h->addWidget(BtnSikayetGoster);
    connect(BtnSikayetGoster, &QPushButton::clicked, this, Guarded([this] { SikayetGosterClick(); }));
    return w;
}

QWidget* TFormIsDetay::kurSikayetPaneli()
{
    auto* g = new QGroupBox(QStringLiteral("Müşteri İs&tekleri"), this);
    g->setObjectName(QStringLiteral("PanelSikayet"));
    auto* gl = new QGridLayout(g);
    for (int i = 1; i <= 10; ++i) {
        auto* e = new QLineEdit(g);
        e->setObjectName(QStringLiteral("EdMustAlim%1").arg(i));
        e->setReadOnly(true);
        gl->addWidget(new QLabel(QStringLiteral("%1.").arg(i), g), (i - 1) % 5, ((i - 1) / 5) * 2);
        gl->addWidget(e, (i - 1) % 5, ((i - 1) / 5) * 2 + 1);
    }
    auto* kapat = new QPushButton(QStringLiteral("Kapat"), g);
    kapat->setObjectName(QStringLiteral("BtnSikayetKapat"));
    kapat->setAutoDefault(false);
    gl->addWidget(kapat, 5, 3, Qt::AlignRight);
    connect(kapat, &QPushButton::clicked, g, &QWidget::hide); // unguarded: ui only
    g->hide();
    PanelSikayet = g;
    return g;
}

void TFormIsDetay::SikayetGosterClick()
{
    if (!Belge.yuklu())
        return;
    for (int i = 1; i <= 10; ++i)
        if (auto* e = PanelSikayet->findChild<QLineEdit*>(QStringLiteral("EdMustAlim%1").arg(i)))
            e->setText(Belge.isemri.value(QStringLiteral("MUSTALIM_%1").arg(i)).toString().trimmed());
    PanelSikayet->show();
}

void TFormIsDetay::TeslimKisiSec(const QString& kolon)
{
    if (!Belge.duzenleme)
        return;
    TDonPara p;
    PersonelSec(m_ctx, 1, p, this);
    if (p.KodStr.isEmpty())
        return;
    Belge.baslikDegisiklikleri.insert(kolon, p.KodStr);
    Belge.isemri.insert(kolon, p.KodStr);
    goster();
}

// The shared work-order card: on this work order, or on a new one.
void TFormIsDetay::IsEmriAcmaClick()
{
    bool yeni = false;
    TFormIsEmri* kart = PaylasilanIsEmriKarti(m_ctx, this, &yeni);
    if (Belge.yuklu()) {
        // The new work order the fresh card started holds nothing typed yet.
        if (yeni)
            kart->Kart.iptal();
        kart->isemriac(Belge.no());
    }
    kart->raise();
    kart->activateWindow();
}

void TFormIsDetay::isemriypac(const QString& no)
{
    Belge = IsDetayYukle(m_db, m_ctx, no);
    m_stok.clear();
    GridStok->setRowCount(0);
    m_doubleenter = false;
    PanelSorun->hide();
    PanelSikayet->hide();
    goster();
}

void TFormIsDetay::goster()
{
    if (Belge.yuklu())
        LblBaslik->setText(QStringLiteral("%1   %2   %3   %4   %5")
                               .arg(Belge.no(), Belge.isemri.value(K("PLAKA_NO")).toString(),
                                    Belge.isemri.value(K("SASI_NO")).toString(),
                                    Belge.musteri.value(K("FIRMA_ADI")).toString(), Belge.modelAdi));
    else
        LblBaslik->clear();
    LblTeslimAlan->setText(IsciAdi(m_db, Belge.isemri.value(K("YP_TESLIM_ALAN")).toString()));
    LblTeslimEden->setText(IsciAdi(m_db, Belge.isemri.value(K("YPTESLIMEDEN")).toString()));
    LblDurum->setText(!Belge.yuklu() ? QString() : Belge.kapali() ? QStringLiteral("KAPALI İŞEMRİ") : QStringLiteral("AÇIK İŞEMRİ"));
    GridParca->setSatirlar(Belge.parcalar);
    const IsEmriToplamlari t = BelgeToplamlari(Belge.parcalar, {});
    LblToplam->setText(QStringLiteral("Parça Toplamı: %1   İskonto: %2   KDV: %3   Net: %4")
                           .arg(para(t.PAR_TOP_TUTAR), para(t.PAR_ISK), para(t.KDV_TUT), para(t.NET_TUT)));
    modAyarla();
}

void TFormIsDetay::modAyarla()
{
    const bool d = Belge.duzenleme;
    GridParca->setEditTriggers(d ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                       | QAbstractItemView::AnyKeyPressed
                                 : QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
    BtnDuzenle->setEnabled(!d && Belge.yuklu() && !Belge.kapali());
    BtnIsEmriSec->setEnabled(!d);
    EdAra->setEnabled(!d);
    BtnKapat->setEnabled(!d);
    BtnIsEmriKapama->setEnabled(!d && Belge.yuklu());
    BtnIsEmriIslemleri->setEnabled(!d);
    BtnTeslimAlanSec->setEnabled(d);
    BtnTeslimEdenSec->setEnabled(d);
    BtnSikayetGoster->setEnabled(Belge.yuklu());
    for (QPushButton* b : {BtnKaydet, BtnVazgec, BtnSil, BtnIscilikSec, BtnFiyatGuncelle, BtnFiyatSabitle})
        b->setEnabled(d);
    // The package list belongs to the maintenance packages; until they are
    // linked in, its target is missing and the command stays off.
    BtnPaketSec->setEnabled(d && Targets().isRegistered(QString::fromLatin1(entry::IPaketSec)));
    BtnSipeAktar->setEnabled(Belge.yuklu() && Targets().isRegistered(kSipKontrol));
    BtnEksperdenAktar->setEnabled(d && Targets().isRegistered(kEksperdenAktar));
}

void TFormIsDetay::EdAraKeyPress()
{
    isemriypac(IsEmriNoFromSearch(EdAra->text().trimmed()));
}

void TFormIsDetay::BtnIsEmriSecClick()
{
    const TypeIsEmri t = IsemriSec(m_ctx, 1, {}, this);
    if (!t.IsEmriNo.isEmpty())
        isemriypac(t.IsEmriNo);
}

void TFormIsDetay::setAramaModu(int mod)
{
    m_aramaModu = mod;
    LblAramaMod->setText(mod == 0 ? QStringLiteral("Kod a Göre Arama")
                         : mod == 1 ? QStringLiteral("Ada Göre Arama")
                                    : QStringLiteral("Barkod a Göre Arama"));
    EdStokAra->setFocus();
}

void TFormIsDetay::EdStokAraKeyPress()
{
    if (m_doubleenter) {
        m_doubleenter = false;
        GridStok->setFocus();
        return;
    }
    m_doubleenter = true;
    const QString t = EdStokAra->text().trimmed();
    if (t.isEmpty()
        && AskYesNoCancel(QStringLiteral("Tüm Stok Kayıtlarının Listelenmesi Uzun Sürebilir!, Devam Etmek İstiyor Musunuz!"))
               != MsgYes)
        return;
    QVariantMap binds;
    Query q(m_db, StokAramaSorgusu(m_aramaModu, t, m_merkez, binds));
    q.bindAll(binds).exec();
    m_stok.clear();
    while (q.next())
        m_stok << SatirOku(q);
    q.finish();
    GridStok->setRowCount(m_stok.size());
    const char* cols[] = {"STOK_KOD_NO", "STOK_ADI_TR", "BIRIMI", "SAT_FYT_TL", "SAT_FYT_DOVIZ", "FYT_KUR", "KDV", "PAY"};
    for (int r = 0; r < m_stok.size(); ++r)
        for (int c = 0; c < 8; ++c) {
            const QVariant v = m_stok[r].value(K(cols[c]));
            auto* it = new QTableWidgetItem(c == 3 || c == 4 ? para(v.toDouble()) : DisplayText(v));
            if (c == 3 || c == 4 || c == 6)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridStok->setItem(r, c, it);
        }
    GridStok->resizeColumnsToContents();
    if (!m_stok.isEmpty())
        GridStok->selectRow(0);
    if (m_aramaModu == 2 && m_stok.size() == 1 && m_stok[0].value(K("BARKOD")).toString() == t
        && m_ctx.AktifKullanici.stok == QLatin1String("Y"))
        GridStokDblClick();
}

void TFormIsDetay::GridStokDblClick()
{
    const QString sh = m_ctx.AktifKullanici.stok;
    if (sh != QLatin1String("D") && sh != QLatin1String("N") && sh != QLatin1String("Y"))
        return;
    const int r = GridStok->currentRow();
    if (r < 0 || r >= m_stok.size())
        return;
    const int i = AlisEkle(m_db, m_ctx, Belge, m_stok[r].value(K("STOK_NO")).toDouble());
    goster();
    if (i >= 0) {
        GridParca->setCurrentCell(i, GridParca->kolon(K("STOK_MIKTAR")));
        GridParca->setFocus();
    }
}

void TFormIsDetay::BtnDuzenleClick()
{
    if (YPDuzenle(m_ctx, Belge))
        goster();
    else if (!Belge.yuklu() || Belge.kapali())
        EdAra->setFocus();
}

void TFormIsDetay::BtnKaydetClick()
{
    const YPKayitSonucu r = IsDetayKaydet(m_db, m_ctx, Belge);
    goster();
    if (!r.sorun.isEmpty()) {
        MemoSorun->setPlainText(SorunPaneliMetni(m_ctx, r.sorun));
        PanelSorun->show();
    }
}

void TFormIsDetay::BtnVazgecClick() { isemriypac(Belge.no()); }

void TFormIsDetay::BtnIscilikSecClick()
{
    TDonPara d;
    ArizaParcaSec(m_ctx, {}, Belge.ozel1, d, this);
    if (d.KodStr.isEmpty())
        return;
    // The labour line is kept on the work order at once; the parts it uses
    // join this form's lines, saved with "Sakla".
    if (!IscilikSatiriKaydet(m_db, m_ctx, Belge.no(), d.KodStr, d.IlkStr))
        return;
    setAramaModu(0);
    const int eklenen = IscilikParcalariEkle(m_db, m_ctx, Belge, d.KodStr, d.IlkStr);
    goster();
    ShowInfo(IscilikSecimiMesaji(d.KodStr, eklenen));
}

void TFormIsDetay::BtnPaketSecClick()
{
    const RoutineOpener open = Targets().routine(QString::fromLatin1(entry::IPaketSec));
    if (!open)
        return;
    OpenRequest r;
    r.target = QString::fromLatin1(entry::IPaketSec);
    r.ctx = &m_ctx;
    r.owner = this;
    r.key = Belge.modelAdi;
    open(r);
}

void TFormIsDetay::BtnFiyatGuncelleClick()
{
    if (YPFiyatGuncelle(m_db, m_ctx, Belge))
        goster();
}

void TFormIsDetay::BtnFiyatSabitleClick()
{
    if (!Belge.duzenleme
        || AskYesNoCancel(QStringLiteral("Fiyatları TL ye dönüştürmek istiyor musunuz?")) != MsgYes)
        return;
    for (auto& r : Belge.parcalar)
        for (const char* c : {"DOVIZ_KODU", "TL_KURDEGER", "FYT_DOVIZ"})
            r[K(c)] = QVariant();
    goster();
}

void TFormIsDetay::BtnSilClick()
{
    if (ParcaSatirSil(m_db, m_ctx, Belge, GridParca->currentRow()))
        goster();
}

double TFormIsDetay::odakStokNo() const
{
    if (GridStok->hasFocus() && GridStok->currentRow() >= 0 && GridStok->currentRow() < m_stok.size())
        return m_stok[GridStok->currentRow()].value(K("STOK_NO")).toDouble();
    const int r = GridParca->currentRow();
    if (r >= 0 && r < Belge.parcalar.size())
        return Belge.parcalar[r].value(K("STOK_NO")).toDouble();
    if (GridStok->currentRow() >= 0 && GridStok->currentRow() < m_stok.size())
        return m_stok[GridStok->currentRow()].value(K("STOK_NO")).toDouble();
    return 0;
}

void TFormIsDetay::BtnStokKartiClick()
{
    const double no = odakStokNo();
    if (no <= 0)
        return;
    QString parcaNo;
    stock::StokKartiAc(m_ctx, false, parcaNo, no, this);
}

void TFormIsDetay::BtnStokHareketClick()
{
    const double no = odakStokNo();
    if (no > 0)
        stock::DepoHareketleri(m_ctx, {}, no, this);
}

void TFormIsDetay::BtnIsEmriKapamaClick()
{
    if (Belge.yuklu())
        DispozGoster(m_ctx, Belge.no(), this);
}

void TFormIsDetay::satirDuzenlendi(int row, const QString& alan, const QString& text)
{
    if (!Belge.duzenleme || row < 0 || row >= Belge.parcalar.size())
        return;
    QVariantMap s = Belge.parcalar.at(row);
    if (s.value(K("CLAIMNO")).toDouble() != 0) {
        ShowInfo(QStringLiteral("Bu kalemin Garanti Talepi var!"));
        goster();
        return;
    }
    static const QStringList sayilar{K("STOK_FIYATI"), K("ISK_ORAN"), K("STOK_MIKTAR"), K("TESLIM_MIKTAR"), K("KDV"),
                                     K("FYT_DOVIZ"), K("TL_KURDEGER")};
    if (sayilar.contains(alan)) {
        QVariant v;
        if (!SayiOku(text, &v)) {
            goster();
            return;
        }
        s[alan] = v;
    } else if (alan == QLatin1String("EXP")) {
        const QString e = text.trimmed().toUpper();
        s[alan] = e == QLatin1String("E") || e == QLatin1String("R") ? QVariant(e) : QVariant();
    } else if (alan == QLatin1String("SERINO")) {
        SeriNoDegisebilir(Belge, s);
        s[alan] = text.trimmed();
    } else if (alan == QLatin1String("DOVIZ_KODU") || alan == QLatin1String("DEPO_KODU")) {
        s[alan] = text.trimmed().toUpper();
    } else {
        s[alan] = text;
    }
    if (ParcaSatirKontrol(m_db, m_ctx, Belge, s))
        Belge.parcalar[row] = s;
    goster();
}

void TFormIsDetay::BtnYeniStokKartiClick()
{
    QString parcaNo;
    stock::StokKartiAc(m_ctx, true, parcaNo, 0, this);
    if (parcaNo.isEmpty())
        return;
    setAramaModu(0);
    EdStokAra->setText(parcaNo);
    EdStokAraKeyPress();
}

void TFormIsDetay::BtnSeriNoClick()
{
    const int row = GridParca->currentRow();
    if (!Belge.duzenleme || row < 0 || row >= Belge.parcalar.size())
        return;
    QVariantMap s = Belge.parcalar.at(row);
    SeriNoSecilebilir(m_db, Belge, s);
    const QString seri = PartiSeriNoSec(m_ctx, Belge.no(), s.value(K("STOK_NO")).toDouble(), this);
    if (seri.isEmpty())
        return;
    s[K("SERINO")] = seri;
    if (ParcaSatirKontrol(m_db, m_ctx, Belge, s))
        Belge.parcalar[row] = s;
    goster();
}

QString PartiSeriNoSec(SessionContext& ctx, const QString& isEmriNo, double stokNo, QWidget* parent)
{
    Q_UNUSED(isEmriNo); // held by the picker, the list is the part's own
    TFormPartiSeriNoStok d(parent);
    d.setObjectName(QStringLiteral("FormPartiSeriNoStok"));
    d.setWindowTitle(QStringLiteral("Stoktaki Parti/Seri Nolar"));
    auto* lay = new QVBoxLayout(&d);
    auto* v = new QTableView(&d);
    v->setObjectName(QStringLiteral("GridSeriNo"));
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* m = new BoundQueryModel(v);
    const Sorgu q = PartiSeriNoSorgu(stokNo);
    m->setCaptions({QStringLiteral("Parti/Seri No"), QStringLiteral("Giriş Miktar"), QStringLiteral("Çıkış Miktar"),
                    QStringLiteral("Stok Miktar")});
    m->setStatement(ctx.Database1, q.statement, q.binds);
    m->open();
    v->setModel(m);
    v->resizeColumnsToContents();
    if (m->rowCount() > 0)
        v->setCurrentIndex(m->index(0, 0));
    lay->addWidget(v, 1);
    auto* alt = new QHBoxLayout;
    auto* sec = new QPushButton(QStringLiteral("&Seç"), &d);
    sec->setObjectName(QStringLiteral("BtnSec"));
    auto* cik = new QPushButton(QStringLiteral("&Çıkış"), &d);
    cik->setObjectName(QStringLiteral("BtnCikis"));
    alt->addStretch(1);
    alt->addWidget(sec);
    alt->addWidget(cik);
    lay->addLayout(alt);
    QObject::connect(sec, &QPushButton::clicked, &d, &QDialog::accept); // unguarded: ui only
    QObject::connect(cik, &QPushButton::clicked, &d, &QDialog::reject);  // unguarded: ui only
    QObject::connect(v, &QTableView::doubleClicked, &d, &QDialog::accept); // unguarded: ui only
    d.resize(520, 360);
    if (RunModal(d) != QDialog::Accepted || !v->currentIndex().isValid())
        return {};
    return m->record(v->currentIndex().row()).value(QStringLiteral("SERINO")).toString().trimmed();
}

void TFormIsDetay::closeEvent(QCloseEvent* e)
{
    if (Belge.duzenleme) {
        ShowInfo(QStringLiteral("Değişikliği Saklayın yada İptal Edin!"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void YPTeslimAc(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    if (ctx.AktifKullanici.stok == QLatin1String("H")) {
        ShowInfo(QStringLiteral("Yetkiniz yok"));
        return;
    }
    auto* f = new TFormIsDetay(ctx, parent);
    f->isemriypac(isEmriNo);
    if (isEmriNo.isEmpty()) {
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->show();
        return;
    }
    RunModal(*f);
    delete f;
}

} // namespace tornaly::workshop
