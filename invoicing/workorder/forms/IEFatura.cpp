#include "util/Utf8.h"
#include "controls/SayiAlani.h"
#include "controls/TarihEdit.h"
#include "invoicing/workorder/forms/IEFatura.h"
#include "aftersales/calls/forms/ServisAramaPer.h"
#include "workshop/workorders/forms/IEBr.h"
#include "stock/cards/StokSakla.h"
#include "services/CentralServices.h"
#include "invoicing/dialogs/YanFormlar.h"
#include "accounts/cards/BrCari.h"
#include "accounts/ledger/CariHrk.h"
#include "accounts/vouchers/CariHark.h"
#include "accounts/plans/OdePlanBr.h"
#include "accounts/cards/CariSakla.h"
#include "mainwindow/EntryPoints.h"
#include "invoicing/workorder/forms/IEFatBak.h"
#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "company/Kilit.h"
#include "invoicing/dialogs/FatTur.h"
#include "invoicing/dialogs/FiyatKontrol.h"
#include "invoicing/print/IEFatYaz.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "money/Money.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tornaly::invoicing {

namespace {

using text::S;

QString para(double v)
{
    return FormatMoney(v, QStringLiteral(",0.00"));
}

enum Kolon { cSira, cPI, cKod, cAd, cMiktar, cBirim, cFiyat, cIsk, cKdv, cTutar, cKdvTutar, cGaranti, cAciklama, cIeno, cKolonSayisi };

const QStringList& tevkifatKodlari() { return TevkifatKodlari(); }
const QStringList& tevkifatBasliklari() { return TevkifatBasliklari(); }

QLabel* tutarEtiketi(QWidget* parent, const QString& ad)
{
    auto* l = new QLabel(parent);
    l->setObjectName(ad);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(110);
    l->setFrameShape(QFrame::StyledPanel);
    return l;
}

} // namespace

TFormIEFatura::TFormIEFatura(const SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(S("FormIEFatura"));
    setWindowTitle(S("Is Emri Faturalama"));
    SetSonIEFatSatisNo(0);

    auto* baslikPanel = new QLabel(S("İş Emri Fatura"), this);
    baslikPanel->setObjectName(S("Panel1"));
    QFont bf = baslikPanel->font();
    bf.setPointSize(bf.pointSize() + 4);
    bf.setBold(true);
    baslikPanel->setFont(bf);

    // Header.
    auto* ust = new QGroupBox(this);
    auto* g = new QGridLayout(ust);
    auto edit = [&](const char* ad, bool salt = false) {
        auto* e = new QLineEdit(ust);
        e->setObjectName(S(ad));
        e->setReadOnly(salt);
        return e;
    };
    Edit1 = edit("Edit1");
    Edit1->setPlaceholderText(S("İş emri no"));
    EditIsEmri = edit("DBEditIS_EMRI_NO", true);
    EditFatNo = edit("DBEditFAT_NO");
    EditFatNo->setMaxLength(25);
    EditCariKod = edit("DBEditCARI_KOD", true);
    EditCariAd = edit("DBEditCARI_AD", true);
    EditDoviz = edit("DBEditDOVIZ_KODU", true);
    EditKur = edit("DBEditTL_KURDEGER", true);
    EditOdeKod = edit("DBEditODE_KOD", true);
    SpeedOdePlan = new QPushButton(S("Ödeme Planı"), ust);
    SpeedOdePlan->setObjectName(S("SpeedOdePlan"));
    EditOdemeSekli = edit("DBMemoODEME_SEKLI");
    EditOdemeSekli->setMaxLength(30);
    EditTarih = new TTarihEdit(ust);
    EditTarih->setObjectName(S("DBDateTARIH"));
    EditTarih->setDisplayFormat(S("dd.MM.yyyy"));
    EditTarih->setCalendarPopup(true);
    EditVade = new TTarihEdit(ust);
    EditVade->setObjectName(S("DBDateVADE_TRH"));
    EditVade->setDisplayFormat(S("dd.MM.yyyy"));
    EditVade->setCalendarPopup(true);
    cbKDVTEV = new QComboBox(ust);
    cbKDVTEV->setObjectName(S("cbKDVTEV"));
    cbKDVTEV->addItems(tevkifatBasliklari());
    LabelTur = new QLabel(ust);
    LabelTur->setObjectName(S("DBTextFAT_TUR"));
    QFont tf = LabelTur->font();
    tf.setBold(true);
    LabelTur->setFont(tf);
    SpeedBKR = new QPushButton(S("Cari Seç"), ust);
    SpeedBKR->setObjectName(S("SpeedBKR"));
    SpeedButton1 = new QPushButton(S("Yeni Fatura F4"), ust);
    SpeedButton1->setObjectName(S("SpeedButton1"));

    int r = 0;
    g->addWidget(new QLabel(S("İş Emri No"), ust), r, 0);
    g->addWidget(Edit1, r, 1);
    g->addWidget(SpeedButton1, r, 2);
    g->addWidget(new QLabel(S("Fatura Türü"), ust), r, 3);
    g->addWidget(LabelTur, r, 4);
    ++r;
    g->addWidget(new QLabel(S("Faturalanan İş Emri"), ust), r, 0);
    g->addWidget(EditIsEmri, r, 1);
    g->addWidget(new QLabel(S("Fatura No"), ust), r, 3);
    g->addWidget(EditFatNo, r, 4);
    ++r;
    g->addWidget(new QLabel(S("Cari Kod"), ust), r, 0);
    g->addWidget(EditCariKod, r, 1);
    g->addWidget(SpeedBKR, r, 2);
    g->addWidget(new QLabel(S("Fatura Tarihi"), ust), r, 3);
    g->addWidget(EditTarih, r, 4);
    ++r;
    g->addWidget(new QLabel(S("Cari Adı"), ust), r, 0);
    g->addWidget(EditCariAd, r, 1, 1, 2);
    g->addWidget(new QLabel(S("Vade Tarihi"), ust), r, 3);
    g->addWidget(EditVade, r, 4);
    ++r;
    g->addWidget(new QLabel(S("Döviz / Kur"), ust), r, 0);
    auto* dk = new QHBoxLayout;
    dk->addWidget(EditDoviz);
    dk->addWidget(EditKur);
    g->addLayout(dk, r, 1, 1, 2);
    g->addWidget(new QLabel(S("KDV Tev.Oranı"), ust), r, 3);
    g->addWidget(cbKDVTEV, r, 4);
    ++r;
    g->addWidget(new QLabel(S("Ödeme Şekli"), ust), r, 0);
    g->addWidget(EditOdemeSekli, r, 1, 1, 2);
    g->addWidget(new QLabel(S("Ödeme Planı"), ust), r, 3);
    auto* plan = new QHBoxLayout;
    plan->addWidget(EditOdeKod);
    plan->addWidget(SpeedOdePlan);
    g->addLayout(plan, r, 4);
    g->setColumnStretch(1, 2);
    g->setColumnStretch(4, 1);

    // Balance.
    auto* bakiye = new QGroupBox(S("Müsteri Bakiyesi"), this);
    auto* bl = new QVBoxLayout(bakiye);
    LabelBakiyeBaslik = new QLabel(S("KALAN"), bakiye);
    LabelBakiye = tutarEtiketi(bakiye, S("LabelKALAN"));
    bl->addWidget(LabelBakiyeBaslik);
    bl->addWidget(LabelBakiye);
    bl->addStretch();

    // Lines.
    cxGrid1 = new QTableWidget(this);
    cxGrid1->setObjectName(S("cxGrid1"));
    cxGrid1->setColumnCount(cKolonSayisi);
    cxGrid1->setHorizontalHeaderLabels({S("Sıra"), S("P/İ"), S("Kod"), S("Parça / İşçilik Adı"), S("Miktar"),
                                        S("Birim"), S("Birim Fiyat"), S("İsk %"), S("KDV %"), S("Tutar"), S("KDV Tutar"),
                                        S("Ödeyen"), S("Açıklama"), S("İş Emri")});
    cxGrid1->verticalHeader()->hide();
    cxGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid1->setAlternatingRowColors(true);
    // Ctrl+Delete on the grid deletes the current line (Delete alone is kept from the grid).
    auto* satirSil = new QAction(S("Satırı Sil"), cxGrid1);
    satirSil->setObjectName(S("SatirSil"));
    satirSil->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    satirSil->setShortcutContext(Qt::WidgetShortcut);
    cxGrid1->addAction(satirSil);
    cxGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(satirSil, &QAction::triggered, this, Guarded(this, &TFormIEFatura::SatirSilClick));
    connect(cxGrid1, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* it) { Guard([&] { hucreDegisti(it); }); }));

    // Totals.
    auto* toplam = new QGroupBox(S("Toplamlar"), this);
    auto* tl = new QFormLayout(toplam);
    lblParca = tutarEtiketi(toplam, S("DBTextIND_TUT_PAR"));
    lblIscilik = tutarEtiketi(toplam, S("DBTextIND_TUT_ISCI"));
    lblBrut = tutarEtiketi(toplam, S("DBTextBRUT_TUTAR"));
    lblIndirim = tutarEtiketi(toplam, S("DBTextINDIRIM"));
    lblToplam = tutarEtiketi(toplam, S("DBTextTOPLAM_TUTAR"));
    lblKdv = tutarEtiketi(toplam, S("DBTextKDV_TUTARI"));
    lblTevkifat = tutarEtiketi(toplam, S("DBTextKDVTEV_TUT"));
    lblGaranti = tutarEtiketi(toplam, S("DBTextGARANTI_TUTAR"));
    lblNet = tutarEtiketi(toplam, S("DBTextNET_TUTAR"));
    QFont nf = lblNet->font();
    nf.setBold(true);
    nf.setPointSize(nf.pointSize() + 2);
    lblNet->setFont(nf);
    tl->addRow(S("Parça Tutarı"), lblParca);
    tl->addRow(S("İşçilik Tutarı"), lblIscilik);
    tl->addRow(S("Brüt Tutar"), lblBrut);
    tl->addRow(S("İndirim"), lblIndirim);
    tl->addRow(S("Ara Toplam"), lblToplam);
    tl->addRow(S("KDV"), lblKdv);
    tl->addRow(S("KDV Tevkifatı"), lblTevkifat);
    tl->addRow(S("Garanti Tutarı"), lblGaranti);
    tl->addRow(S("Net Tutar"), lblNet);

    // Tools under the grid.
    auto* araclar = new QHBoxLayout;
    EditIskonto = new QLineEdit(this);
    EditIskonto->setObjectName(S("EditIskonto"));
    EditIskonto->setPlaceholderText(S("Kalemlere Iskonto Atama %"));
    BtnSatirIsk = new QPushButton(S("Satir.Isk.Uygula"), this);
    BtnSatirIsk->setObjectName(S("BtnSatirIsk"));
    EditYuvarla = new QLineEdit(this);
    EditYuvarla->setObjectName(S("EditYuvarla"));
    EditYuvarla->setPlaceholderText(S("Yuvarlanacak Tutar"));
    BtnYuvarla = new QPushButton(S("Yuvarla"), this);
    BtnYuvarla->setObjectName(S("BtnYuvarla"));
    BtnNetHesap = new QPushButton(S("Net &Hesap Güncelle"), this);
    BitBtn3 = new QPushButton(S("&Fiyatlari Güncelle"), this);
    BitBtn3->setObjectName(S("BitBtn3"));
    BtnNetHesap->setObjectName(S("BtnNetHesap"));
    araclar->addWidget(EditIskonto);
    araclar->addWidget(BtnSatirIsk);
    araclar->addSpacing(16);
    araclar->addWidget(EditYuvarla);
    araclar->addWidget(BtnYuvarla);
    araclar->addStretch();
    araclar->addWidget(BitBtn3);
    araclar->addWidget(BtnNetHesap);

    // Commands.
    auto* komutlar = new QHBoxLayout;
    BtnEdit = new QPushButton(S("Değiştir"), this);
    BtnEdit->setObjectName(S("BtnEdit"));
    BtnSAKLA = new QPushButton(S("&Sakla"), this);
    BtnSAKLA->setObjectName(S("BtnSAKLA"));
    BtnIptal = new QPushButton(S("&İptal"), this);
    BtnIptal->setObjectName(S("BtnIptal"));
    BtnOdeme = new QPushButton(S("Ö&deme Sekli"), this);
    BtnOdeme->setObjectName(S("BtnOdeme"));
    BtnKapat = new QPushButton(S("&Kapat"), this);
    BtnKapat->setObjectName(S("BtnKapat"));
    BtnMusteriArama = new QPushButton(S("Müsteri &Arama"), this);
    BtnMusteriArama->setObjectName(S("BtnMusteriArama"));
    auto* odemeMenu = new QMenu(BtnOdeme);
    odemeMenu->setObjectName(S("PopupOdeme"));
    QAction* nakit = odemeMenu->addAction(S("Nakit Ödeme"));
    nakit->setObjectName(S("NakitOdeme"));
    QAction* pos = odemeMenu->addAction(S("POS ile Ödeme"));
    pos->setObjectName(S("BankaHareketleri"));
    QAction* cek = odemeMenu->addAction(S("Çek-Senet Bordrosu"));
    cek->setObjectName(S("CekSenetBordrosu"));
    // The bank and cheque vouchers open only once their forms are part of the program.
    pos->setEnabled(Targets().isRegistered(S("BankaHrkFaturaOdeme")));
    cek->setEnabled(Targets().isRegistered(S("TFormCSBordroHrk")));
    m_odemeMenu = odemeMenu;
    connect(nakit, &QAction::triggered, this, Guarded(this, &TFormIEFatura::NakitOdemeClick));
    connect(BtnOdeme, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::BtnOdemeClick));
    connect(SpeedOdePlan, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::SpeedOdePlanClick));
    const auto dugme = [this](const char* ad, const QString& metin) {
        auto* b = new QPushButton(metin, this);
        b->setObjectName(S(ad));
        return b;
    };
    BtnOnceki = dugme("BtnOnceki", S("Önceki Kayıt"));
    BtnSonraki = dugme("BtnSonraki", S("Sonraki Kayıt"));
    BitBtnEski = dugme("BitBtnEski", S("&Eski Fatura"));
    SpeedKur = dugme("SpeedKur", S("Kur Değeri Seç"));
    cariedit = dugme("cariedit", S("Cari Kart Gör/Degistir"));
    cariedit->setVisible(m_ctx.AktifKullanici.cari == QLatin1String("Y"));
    BtnCariHareketler = dugme("BtnCariHareketler", S("Cari Hareketler"));
    BtnCariHareketler->setEnabled(Targets().isRegistered(QLatin1String(entry::CariHareketGoster)));
    connect(BtnOnceki, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::OncekiKayitClick));
    connect(BtnSonraki, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::SonrakiKayitClick));
    connect(BitBtnEski, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::BitBtnEskiClick));
    connect(SpeedKur, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::KurDegeriSecClick));
    connect(cariedit, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::carieditClick));
    connect(BtnCariHareketler, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::CariHareketlerClick));
    BtnSikayet = dugme("BtnSikayet", S("Müşteri Şikayeti Göster"));
    connect(BtnSikayet, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::SikayetGosterClick));
    // Kept for the account's bank and cash entries; the form hides it when shown.
    BtnCariHesapIslemleri = dugme("BtnCariHesapIslemleri", S("Cari Hesap Islemleri"));
    BtnCariHesapIslemleri->hide();
    for (QPushButton* b : {BtnEdit, BtnSAKLA, BtnIptal, BtnOdeme, BtnMusteriArama, BtnOnceki, BtnSonraki, BitBtnEski,
                           SpeedKur, cariedit, BtnCariHareketler, BtnSikayet, BtnCariHesapIslemleri})
        komutlar->addWidget(b);
    komutlar->addSpacing(16);
    BtnFATKES = new QToolButton(this);
    BtnFATKES->setObjectName(S("BtnFATKES"));
    BtnFATKES->setText(S("Fa&tura Kes"));
    BtnFATKES->setPopupMode(QToolButton::MenuButtonPopup);
    auto* tasarimMenu = new QMenu(BtnFATKES);
    tasarimMenu->setObjectName(S("PopupTasarim"));
    BtnFATKES->setMenu(tasarimMenu);
    // The designs are read when the drop-down opens, so a design saved meanwhile is offered.
    connect(tasarimMenu, &QMenu::aboutToShow, this, Guarded([this, tasarimMenu] {
        Guard([&] {
            tasarimMenu->clear();
            for (const auto& [id, ad] : FaturaTasarimlari(m_ctx.Database1)) {
                QAction* a = tasarimMenu->addAction(ad.isEmpty() ? QString::number(id) : ad);
                a->setObjectName(S("Tasarim%1").arg(id));
                connect(a, &QAction::triggered, this, Guarded([this, id] {
                    popuptag = id;
                    Guard([&] { BtnFATKESClick(); });
                }));
            }
        });
    }));
    btnFatA4 = new QPushButton(S("Fatura A4"), this);
    btnFatA4->setObjectName(S("btnFatA4"));
    BtnDispozisyon = new QPushButton(S("Dispozisyon Formu Yazdır"), this);
    BtnDispozisyon->setObjectName(S("BtnDispozisyon"));
    chcboxdvz = new QCheckBox(S("Dövizli Döküm"), this);
    chcboxdvz->setObjectName(S("chcboxdvz"));
    cbplaka = new QCheckBox(S("Faturada Plaka Göster"), this);
    cbplaka->setObjectName(S("cbplaka"));
    cbplaka->setChecked(true);
    cbEk = new QCheckBox(S("Faturada Açiklamayi &Göster"), this);
    cbEk->setObjectName(S("cbEk"));
    komutlar->addWidget(BtnFATKES);
    komutlar->addWidget(btnFatA4);
    komutlar->addWidget(BtnDispozisyon);
    komutlar->addWidget(chcboxdvz);
    komutlar->addWidget(cbplaka);
    komutlar->addWidget(cbEk);
    komutlar->addStretch();
    komutlar->addWidget(BtnKapat);

    auto* orta = new QHBoxLayout;
    orta->addWidget(ust, 4);
    orta->addWidget(bakiye, 1);
    auto* alt = new QHBoxLayout;
    auto* solAlt = new QVBoxLayout;
    solAlt->addWidget(cxGrid1, 1);
    solAlt->addLayout(araclar);
    alt->addLayout(solAlt, 4);
    alt->addWidget(toplam, 1);
    auto* l = new QVBoxLayout(this);
    l->addWidget(baslikPanel);
    l->addLayout(orta);
    l->addWidget(kurEkBilgiler());
    l->addLayout(alt, 1);
    l->addLayout(komutlar);

    connect(BtnSAKLA, &QPushButton::clicked, this, Guarded([this] { BtnSAKLAClick(); }));
    connect(BtnMusteriArama, &QPushButton::clicked, this, Guarded([this] { BtnMusteriAramaClick(); }));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded([this] { BtnIptalClick(); }));
    connect(BtnNetHesap, &QPushButton::clicked, this, Guarded([this] { BtnNetHesapClick(); }));
    connect(BitBtn3, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::BitBtn3Click));
    connect(BtnYuvarla, &QPushButton::clicked, this, Guarded([this] { BtnYuvarlaClick(); }));
    connect(BtnSatirIsk, &QPushButton::clicked, this, Guarded([this] { BtnSatirIskClick(); }));
    connect(SpeedBKR, &QPushButton::clicked, this, Guarded([this] { SpeedBKRClick(); }));
    connect(SpeedButton1, &QPushButton::clicked, this, Guarded([this] { SpeedButton1Click(); }));
    connect(BtnEdit, &QPushButton::clicked, this, Guarded([this] { BtnEditClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    connect(BtnFATKES, &QToolButton::clicked, this, Guarded([this] { BtnFATKESClick(); }));
    connect(btnFatA4, &QPushButton::clicked, this, Guarded([this] { btnFatA4Click(); }));
    connect(BtnDispozisyon, &QPushButton::clicked, this, Guarded([this] { BtnDispozisyonClick(); }));
    connect(Edit1, &QLineEdit::returnPressed, this, Guarded([this] { Edit1Enter(); }));
    connect(cbKDVTEV, &QComboBox::currentIndexChanged, this, Guarded([this](int) {
        if (m_yukleniyor || !yenikayit)
            return;
        Guard([&] { BtnNetHesapClick(); });
    }));
    kurMenuler();
    kurSikayetPaneli();

    resize(1280, 800);
    butstat();
}

void TFormIEFatura::basligiGoster()
{
    m_yukleniyor = true;
    const IEFatura& f = m_fatura;
    EditIsEmri->setText(f.isEmriNo());
    EditFatNo->setText(f.deger(S("FAT_NO")).toString());
    EditCariKod->setText(f.deger(S("CARI_KOD")).toString());
    EditCariAd->setText(f.deger(S("CARI_AD")).toString());
    EditDoviz->setText(f.deger(S("DOVIZ_KODU")).toString());
    EditKur->setText(FormatMoney(f.deger(S("TL_KURDEGER")).toDouble(), S(",0.0000")));
    EditOdemeSekli->setText(f.deger(S("ODEME_SEKLI")).toString());
    EditOdeKod->setText(f.deger(S("ODE_KOD")).toString());
    EditTarih->setDate(f.tarih().isValid() ? f.tarih() : QDate::currentDate());
    const QDate vade = Query::toDate(f.deger(S("VADE_TRH")));
    EditVade->setDate(vade.isValid() ? vade : EditTarih->date());
    const int tev = int(tevkifatKodlari().indexOf(f.deger(S("KDVTEV")).toString()));
    cbKDVTEV->setCurrentIndex(tev < 0 ? 0 : tev);
    LabelTur->setText(f.baslik.isEmpty() ? QString() : FatTurMetni(f.fatTur()));
    EditPerKod->setText(f.deger(S("PER_KOD")).toString());
    EditGarantiBelgeNo->setText(f.deger(S("GARANTI_BELGENO")).toString());
    EditEK1->setText(f.deger(S("EK1")).toString());
    cbEntKod->setChecked(f.deger(S("ENT_KOD")).toInt() == 1);
    cbStatu->setChecked(f.deger(S("STATU")).toInt() == 1);
    LabelEfStatu->setText(EfStatuMetni(f.deger(S("EF_STATU")).toInt()));
    postaKutulariniDoldur();
    m_yukleniyor = false;
    tabloyuDoldur();
    toplamGoster();
    bakiyeGoster();
    butstat();
}

void TFormIEFatura::basligiAl()
{
    m_fatura.set(S("FAT_NO"), EditFatNo->text().trimmed());
    m_fatura.set(S("TARIH"), QDateTime(EditTarih->date(), QTime(0, 0)));
    m_fatura.set(S("VADE_TRH"), QDateTime(EditVade->date(), QTime(0, 0)));
    m_fatura.set(S("ODEME_SEKLI"), EditOdemeSekli->text());
    m_fatura.set(S("KDVTEV"), tevkifatKodlari().value(cbKDVTEV->currentIndex(), S("0")));
    m_fatura.set(S("PER_KOD"), EditPerKod->text().trimmed());
    m_fatura.set(S("GARANTI_BELGENO"), EditGarantiBelgeNo->text().trimmed());
    m_fatura.set(S("EK1"), EditEK1->text());
    m_fatura.set(S("ENT_KOD"), cbEntKod->isChecked() ? 1 : 0);
    m_fatura.set(S("STATU"), cbStatu->isChecked() ? 1 : 0);
    if (cbPostaKutusu->isEnabled())
        m_fatura.set(S("EF_POSTAKUTUSU"), cbPostaKutusu->currentText());
}

QWidget* TFormIEFatura::kurEkBilgiler()
{
    auto* kutu = new QWidget(this);
    auto* h = new QHBoxLayout(kutu);
    h->setContentsMargins(0, 0, 0, 0);
    const auto edit = [&](const char* ad, int uzunluk) {
        auto* e = new QLineEdit(kutu);
        e->setObjectName(S(ad));
        e->setMaxLength(uzunluk);
        return e;
    };
    EditPerKod = edit("DBEditPER_KOD", 11);
    EditGarantiBelgeNo = edit("DBEditGARANTI_BELGENO", 50);
    EditEK1 = edit("DBEditEK1", 100);
    BtnEK1Sec = new QPushButton(S("S&eç"), kutu);
    BtnEK1Sec->setObjectName(S("BtnEK1Sec"));
    cbPostaKutusu = new QComboBox(kutu);
    cbPostaKutusu->setObjectName(S("DBLookupEF_POSTAKUTUSU"));
    cbPostaKutusu->setMinimumWidth(200);
    LabelEfStatu = new QLabel(kutu);
    LabelEfStatu->setObjectName(S("DBTextEF_STATU"));
    cbEntKod = new QCheckBox(S("Toplu Ent.Yapma"), kutu);
    cbEntKod->setObjectName(S("DBCheckENT_KOD"));
    cbStatu = new QCheckBox(S("Döküm Alindi"), kutu);
    cbStatu->setObjectName(S("DBCheckSTATU"));
    h->addWidget(new QLabel(S("Temsilci"), kutu));
    h->addWidget(EditPerKod);
    h->addWidget(new QLabel(S("Garanti Belge No"), kutu));
    h->addWidget(EditGarantiBelgeNo);
    h->addWidget(new QLabel(S("E.F.Posta Kodu"), kutu));
    h->addWidget(cbPostaKutusu);
    h->addWidget(LabelEfStatu);
    h->addWidget(cbEntKod);
    h->addWidget(cbStatu);
    h->addWidget(EditEK1, 1);
    h->addWidget(BtnEK1Sec);
    connect(BtnEK1Sec, &QPushButton::clicked, this, Guarded(this, &TFormIEFatura::EK1SecClick));
    // The explanation shows with "Faturada Açiklamayi &Göster"; an empty one takes the layout's first text.
    const auto ekGoster = [this](bool acik) {
        EditEK1->setVisible(acik);
        BtnEK1Sec->setVisible(acik);
        if (acik && yenikayit && EditEK1->text().isEmpty())
            EditEK1->setText(FaturaSabitMetni(m_ctx.Database1));
    };
    EditEK1->setVisible(false);
    BtnEK1Sec->setVisible(false);
    connect(cbEk, &QCheckBox::toggled, this, Guarded([this, ekGoster](bool acik) { Guard([&] { ekGoster(acik); }); }));
    return kutu;
}

QWidget* TFormIEFatura::kurSikayetPaneli()
{
    PanelSikayet = new QGroupBox(S("Müşteri Şikayeti"), this);
    PanelSikayet->setObjectName(S("PanelSikayet"));
    auto* v = new QVBoxLayout(PanelSikayet);
    LabelSikayet = new QLabel(PanelSikayet);
    LabelSikayet->setObjectName(S("LabelSikayet"));
    LabelSikayet->setWordWrap(true);
    auto* kapat = new QPushButton(S("Kapat"), PanelSikayet);
    kapat->setObjectName(S("BtnSikayetKapat"));
    v->addWidget(LabelSikayet, 1);
    v->addWidget(kapat, 0, Qt::AlignRight);
    connect(kapat, &QPushButton::clicked, PanelSikayet, &QWidget::hide); // unguarded: ui only
    PanelSikayet->setAutoFillBackground(true);
    PanelSikayet->setGeometry(373, 59, 520, 300);
    PanelSikayet->hide();
    return PanelSikayet;
}

void TFormIEFatura::kurMenuler()
{
    // The form's pop-up menu carries the function keys.
    struct Komut {
        const char* ad;
        const char* metin;
        int tus;
        void (TFormIEFatura::*slot)();
    };
    const Komut komutlar[] = {
        {"YeniIsemriFatura", "Yeni Isemri Fatura", Qt::Key_F3, &TFormIEFatura::YeniIsemriFaturaClick},
        {"YeniKayitIsEmriSec", "Yeni Kayit / Is Emri Seç", Qt::Key_F4, &TFormIEFatura::SpeedButton1Click},
        {"CariSec1", "Cari Seç", Qt::Key_F5, &TFormIEFatura::SpeedBKRClick},
        {"CariBilgi", "Cari Bilgi Gör/Degistir", Qt::Key_F6, nullptr},
        {"Degistir1", "Degistir", Qt::Key_F7, &TFormIEFatura::BtnEditClick},
    };
    for (const Komut& k : komutlar) {
        auto* a = new QAction(S(k.metin), this);
        a->setObjectName(S(k.ad));
        a->setShortcut(QKeySequence(k.tus));
        addAction(a);
        if (k.slot)
            connect(a, &QAction::triggered, this, Guarded(this, k.slot));
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* stokKarti = new QAction(S("Stok Kartı"), cxGrid1);
    stokKarti->setObjectName(S("StokKarti"));
    cxGrid1->addAction(stokKarti);
    connect(stokKarti, &QAction::triggered, this, Guarded(this, &TFormIEFatura::StokKartiClick));
}

void TFormIEFatura::postaKutulariniDoldur()
{
    const QString secili = m_fatura.deger(S("EF_POSTAKUTUSU")).toString();
    const QString kod = m_fatura.deger(S("CARI_KOD")).toString();
    QStringList kutular = kod.isEmpty() ? QStringList() : CariPostaKutulari(m_ctx.Database1, kod);
    if (!secili.isEmpty() && !kutular.contains(secili))
        kutular.prepend(secili);
    cbPostaKutusu->clear();
    cbPostaKutusu->addItem(QString());
    cbPostaKutusu->addItems(kutular);
    cbPostaKutusu->setCurrentIndex(std::max(0, int(cbPostaKutusu->findText(secili))));
}

void TFormIEFatura::tabloyuDoldur()
{
    m_yukleniyor = true;
    const QList<IEFatSatir>& satirlar = m_fatura.satirlar;
    cxGrid1->setRowCount(int(satirlar.size()));
    const bool parcaFiyat = m_ctx.AktifKullanici.ief_yp_fyt, iscFiyat = m_ctx.AktifKullanici.ief_is_fyt;
    const QHash<QString, QString> birimler = StokBirimleri(m_ctx.Database1, satirlar);
    for (int i = 0; i < satirlar.size(); ++i) {
        const IEFatSatir& s = satirlar[i];
        const auto hucre = [&](int c, const QString& t, bool sayi, bool duzenlenir) {
            auto* it = new QTableWidgetItem(t);
            if (sayi)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!duzenlenir || !yenikayit)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            cxGrid1->setItem(i, c, it);
        };
        const bool parca = s.PARCA_ISCILIK == QLatin1String("P"), iscilik = s.PARCA_ISCILIK == QLatin1String("I");
        const bool metin = MetinSatiri(s);
        hucre(cSira, QString::number(s.SIRA), true, false);
        hucre(cPI, s.PARCA_ISCILIK, false, false);
        hucre(cKod, s.PI_KOD, false, false);
        hucre(cAd, s.PI_AD, false,
              metin || (parca && m_ctx.AktifKullanici.ief_yp_ad) || (iscilik && m_ctx.AktifKullanici.ief_is_ad));
        hucre(cMiktar, metin ? QString() : FormatMoney(s.MIKTAR, S(",0.##")), true, false);
        hucre(cBirim, SatirBirimi(s, birimler), false, false);
        hucre(cFiyat, metin ? QString() : para(s.BIRIM_FIYAT), true, (parca && parcaFiyat) || (iscilik && iscFiyat));
        hucre(cIsk, metin ? QString() : FormatMoney(s.ISKONTO, S(",0.##")), true, !metin);
        hucre(cKdv, metin ? QString() : FormatMoney(s.KDV, S(",0.##")), true, false);
        hucre(cTutar, metin ? QString() : para(SatirTutar(s)), true, false);
        hucre(cKdvTutar, metin ? QString() : para(SatirKdvTutar(s)), true, false);
        hucre(cGaranti, s.GARANTI_TIP, false, false);
        hucre(cAciklama, SatirAciklama(s), false, false);
        hucre(cIeno, s.IENO, false, false);
    }
    cxGrid1->resizeColumnsToContents();
    cxGrid1->horizontalHeader()->setSectionResizeMode(cAd, QHeaderView::Stretch);
    m_yukleniyor = false;
}

void TFormIEFatura::hucreDegisti(QTableWidgetItem* item)
{
    if (m_yukleniyor || !yenikayit || !item)
        return;
    if (m_ctx.AktifKullanici.iefatura == QLatin1String("K")) {
        tabloyuDoldur();
        throw IslemReddi(S("Yalnız fatura kesme yetkiniz var!"), MsgIcon::Warning);
    }
    const int row = item->row();
    if (row < 0 || row >= m_fatura.satirlar.size())
        return;
    IEFatSatir& s = m_fatura.satirlar[row];
    double v = 0;
    // A price or discount that is no number is refused and the line shows what it had.
    if ((item->column() == cIsk || item->column() == cFiyat) && !SayiOku(item->text(), &v)) {
        tabloyuDoldur();
        return;
    }
    if (item->column() == cIsk) {
        const IskontoSonucu r = IskontoSiniri(s, v, m_ctx.AktifKullanici.max_isk_prc, m_ctx.AktifKullanici.max_isk_isc);
        if (!r.mesaj.isEmpty())
            ShowInfo(r.mesaj);
        s.ISKONTO = r.oran;
    } else if (item->column() == cFiyat) {
        s.BIRIM_FIYAT = v;
        s.FYT_DOVIZ = 0;
    } else if (item->column() == cAd) {
        s.PI_AD = item->text().left(45);
    }
    SatirTutarlariniHesapla(s);
    BtnNetHesapClick();
}

void TFormIEFatura::toplamGoster()
{
    const IEFatura& f = m_fatura;
    const auto d = [&](const char* k) { return para(f.deger(S(k)).toDouble()); };
    lblParca->setText(d("IND_TUT_PAR"));
    lblIscilik->setText(d("IND_TUT_ISCI"));
    lblBrut->setText(d("BRUT_TUTAR"));
    lblIndirim->setText(d("INDIRIM"));
    lblToplam->setText(d("TOPLAM_TUTAR"));
    lblKdv->setText(d("KDV_TUTARI"));
    lblTevkifat->setText(d("KDVTEV_TUT"));
    lblGaranti->setText(d("GARANTI_TUTAR"));
    lblNet->setText(d("NET_TUTAR"));
}

void TFormIEFatura::bakiyeGoster()
{
    const QString kod = m_fatura.deger(S("CARI_KOD")).toString();
    const accounts::CariBakiye b = kod.isEmpty() ? accounts::CariBakiye{} : accounts::CariBakiyeOku(m_ctx.Database1, kod);
    LabelBakiyeBaslik->setText(accounts::BakiyeBasligi(b.bakiye()));
    LabelBakiye->setText(para(std::abs(b.bakiye())));
}

void TFormIEFatura::butstat()
{
    const bool duzenle = yenikayit;
    const bool kilitli = m_fatura.deger(S("FIS_NO")).toDouble() > 0 || m_fatura.deger(S("EF_STATU")).toInt() == 3 ||
                         m_fatura.deger(S("EF_STATU")).toInt() == 4;
    for (QWidget* w : {static_cast<QWidget*>(BtnSAKLA), static_cast<QWidget*>(BtnIptal), static_cast<QWidget*>(BtnNetHesap),
                       static_cast<QWidget*>(BtnYuvarla), static_cast<QWidget*>(BtnSatirIsk), static_cast<QWidget*>(BitBtn3), static_cast<QWidget*>(SpeedBKR),
                       static_cast<QWidget*>(EditYuvarla), static_cast<QWidget*>(EditIskonto),
                       static_cast<QWidget*>(EditFatNo), static_cast<QWidget*>(EditTarih), static_cast<QWidget*>(EditVade),
                       static_cast<QWidget*>(cbKDVTEV), static_cast<QWidget*>(EditOdemeSekli),
                       static_cast<QWidget*>(EditPerKod), static_cast<QWidget*>(EditGarantiBelgeNo),
                       static_cast<QWidget*>(EditEK1), static_cast<QWidget*>(BtnEK1Sec), static_cast<QWidget*>(cbEntKod),
                       static_cast<QWidget*>(cbStatu)})
        w->setEnabled(duzenle);
    // The mailbox is chosen only for an e-invoice still being prepared.
    cbPostaKutusu->setEnabled(duzenle && m_fatura.deger(S("EF_STATU")).toInt() >= 1 &&
                              m_fatura.deger(S("EF_STATU")).toInt() < 3);
    BtnSikayet->setEnabled(!m_fatura.isEmriNo().isEmpty());
    SpeedButton1->setEnabled(duzenle && FAT_TUR != 2);
    for (QPushButton* b : {BtnOnceki, BtnSonraki, BitBtnEski})
        b->setEnabled(!duzenle);
    SpeedKur->setEnabled(duzenle);
    cariedit->setEnabled(duzenle);
    BtnEdit->setEnabled(!duzenle && !m_fatura.baslik.isEmpty());
    BtnOdeme->setEnabled(!duzenle && !m_fatura.baslik.isEmpty() && !m_fatura.yeni);
    // Open while editing too: the print commands then say why they wait for the save.
    const bool basilir = !m_fatura.baslik.isEmpty();
    BtnFATKES->setEnabled(basilir);
    btnFatA4->setEnabled(basilir);
    BtnDispozisyon->setEnabled(basilir);
    // The call-back dates exist once the invoice has been saved.
    BtnMusteriArama->setEnabled(!duzenle && !m_fatura.baslik.isEmpty() && !m_fatura.yeni);
    if (kilitli) {
        // A posted or sent invoice is neither changed nor printed again.
        BtnSAKLA->setEnabled(false);
        BtnEdit->setEnabled(false);
        BtnFATKES->setEnabled(false);
        btnFatA4->setEnabled(false);
        cxGrid1->setEnabled(false);
    } else {
        cxGrid1->setEnabled(true);
    }
}

namespace {

IEFatBaskiSecenekleri baskiSecenekleri(const QCheckBox* dvz, const QCheckBox* plaka, const QCheckBox* ek)
{
    IEFatBaskiSecenekleri s;
    s.dovizli = dvz->isChecked();
    s.plaka = plaka->isChecked();
    s.aciklama = ek->isChecked();
    return s;
}

} // namespace

void TFormIEFatura::BtnFATKESClick()
{
    if (!m_fatura.baslik.isEmpty() && !m_fatura.yeni)
        IEFatKilitKontrol(m_ctx.Database1, m_fatura.satisNo());
    if (!IEFatYazdirilabilir(m_fatura, yenikayit, true))
        return;
    IEFaturaMatbuYazdir(m_ctx, m_ctx.Database1, m_fatura.satisNo(), popuptag,
                        baskiSecenekleri(chcboxdvz, cbplaka, cbEk));
}

void TFormIEFatura::btnFatA4Click()
{
    if (!m_fatura.baslik.isEmpty() && !m_fatura.yeni)
        IEFatKilitKontrol(m_ctx.Database1, m_fatura.satisNo());
    if (!IEFatYazdirilabilir(m_fatura, yenikayit, false))
        return;
    IEFaturaA4Yazdir(m_ctx, m_ctx.Database1, m_fatura.satisNo(), baskiSecenekleri(chcboxdvz, cbplaka, cbEk));
}

void TFormIEFatura::BtnDispozisyonClick()
{
    if (m_fatura.baslik.isEmpty() || m_fatura.yeni || yenikayit) {
        ShowWarning(S("Faturayı kaydettikten sonra kesiniz!"));
        return;
    }
    IEFatDispozisyonYazdir(m_ctx, m_ctx.Database1, m_fatura.satisNo());
}

void TFormIEFatura::faturaAc(double satisNo)
{
    SATISNOSU = satisNo;
    m_fatura = IEFaturaOku(m_ctx.Database1, satisNo);
    yenikayit = false;
    FAT_TUR = FatTurIndex(m_fatura.fatTur());
    basligiGoster();
}

bool TFormIEFatura::yeniFatura(int turIndex)
{
    const QString hak = m_ctx.AktifKullanici.iefatura;
    if (hak != QLatin1String("D") && hak != QLatin1String("N") && hak != QLatin1String("Y"))
        return false;
    FAT_TUR = turIndex;
    m_fatura = YeniIEFatura(m_ctx, m_ctx.Database1, FatTurHarf(turIndex));
    yenikayit = true;
    basligiGoster();
    return true;
}

bool TFormIEFatura::isEmrindenOlustur(const QString& isEmriNo, int fyili)
{
    basligiAl();
    bool ok = false;
    try {
        ok = IsEmriFaturaOlustur(m_ctx, m_ctx.Database1, m_fatura, isEmriNo, fyili);
    } catch (...) {
        basligiGoster();
        throw;
    }
    basligiGoster();
    if (ok)
        cariMesaji();
    return ok;
}

void TFormIEFatura::isEmriIcinAc()
{
    const double var = IsEmriFaturasi(m_ctx.Database1, ieno, S("I"));
    if (var > 0) {
        faturaAc(var);
        ShowInfo(S("[") + ieno + S("] Bu İşEmrine Fatura Kesilmiş!!!"));
        return;
    }
    if (AskYesNoCancel(S("Bu işemrinin faturası mevcut değil oluşturmak ister misiniz?")) != MsgYes)
        return;
    if (yeniFatura(0))
        isEmrindenOlustur(ieno, ieFYili);
}

void TFormIEFatura::BtnSAKLAClick()
{
    if (!BtnSAKLA->isEnabled() || !BtnSAKLA->isVisible() || !yenikayit)
        return;
    basligiAl();
    IEFatKayitSecenekleri sec;
    sec.fiyatKontrolGoster = [this](double no) { FiyatKontrol(m_ctx.Database1, QLatin1Char('I'), no, this); };
    try {
        IEFaturaKaydet(m_ctx, m_ctx.Database1, m_fatura, sec);
    } catch (...) {
        // The refusal is shown by the slot's guard; the screen shows the totals the checks computed.
        toplamGoster();
        butstat();
        throw;
    }
    yenikayit = false;
    faturaAc(m_fatura.satisNo());
}

void TFormIEFatura::BtnIptalClick()
{
    yenikayit = false;
    if (IEFaturaVar(m_ctx.Database1, m_fatura.satisNo()))
        faturaAc(m_fatura.satisNo());
    else {
        m_fatura = {};
        basligiGoster();
    }
}

void TFormIEFatura::BtnEditClick()
{
    if (m_fatura.baslik.isEmpty())
        return;
    const QDate tarih = m_fatura.tarih();
    if (m_ctx.FatKilitTrh.isValid() && tarih < m_ctx.FatKilitTrh) {
        ShowError(m_ctx.FatKilitTrh.toString(S("dd.MM.yyyy")) +
                  S(" Tarihinden önceki Faturalarda değişiklik yapamazsınız !"));
        return;
    }
    const QString hak = m_ctx.AktifKullanici.iefatura;
    if (hak != QLatin1String("D") && hak != QLatin1String("K") && hak != QLatin1String("Y"))
        return;
    if (IsDateLocked(m_ctx, true, tarih))
        return;
    // The stored marks decide: another workstation may have posted it meanwhile.
    IEFatKilitKontrol(m_ctx.Database1, m_fatura.satisNo());
    yenikayit = true;
    FAT_TUR = FatTurIndex(m_fatura.fatTur());
    basligiGoster();
}

void TFormIEFatura::BtnNetHesapClick()
{
    if (!yenikayit)
        return;
    basligiAl();
    IEFatToplamGuncelle(m_ctx, m_ctx.Database1, m_fatura);
    tabloyuDoldur();
    toplamGoster();
}

void TFormIEFatura::BtnYuvarlaClick()
{
    if (m_ctx.AktifKullanici.iefatura == QLatin1String("K"))
        throw IslemReddi(S("Yalnız fatura kesme yetkiniz var!"), MsgIcon::Warning);
    double hedef = 0;
    if (!SayiOku(EditYuvarla->text(), &hedef) || !(hedef > 0))
        return;
    BtnNetHesapClick();
    if (Yuvarla(m_fatura.satirlar, hedef, m_fatura.deger(S("NET_TUTAR")).toDouble()))
        BtnNetHesapClick();
}

void TFormIEFatura::BtnSatirIskClick()
{
    if (m_ctx.AktifKullanici.iefatura == QLatin1String("K"))
        throw IslemReddi(S("Yalnız fatura kesme yetkiniz var!"), MsgIcon::Warning);
    double oran = 0;
    if (!SayiOku(EditIskonto->text(), &oran))
        return;
    if (oran < 0) {
        ShowInfo(S("İskonto oranı \"0\" dan küçük olamaz."));
        EditIskonto->setText(S("0"));
        return;
    }
    for (IEFatSatir& s : m_fatura.satirlar) {
        if (MetinSatiri(s))
            continue;
        const IskontoSonucu r = IskontoSiniri(s, oran, m_ctx.AktifKullanici.max_isk_prc, m_ctx.AktifKullanici.max_isk_isc);
        if (!r.mesaj.isEmpty())
            ShowInfo(r.mesaj);
        s.ISKONTO = r.oran;
        SatirTutarlariniHesapla(s);
    }
    BtnNetHesapClick();
}

void TFormIEFatura::SpeedBKRClick()
{
    if (m_ctx.AktifKullanici.iefatura == QLatin1String("K")) {
        ShowWarning(S("Yalnız fatura kesme yetkiniz vardır!"));
        return;
    }
    if (m_fatura.deger(S("EF_STATU")).toInt() >= 3) {
        ShowWarning(S("GİB e gönderilmiş E-Fatura üzerinde değişiklik yapılamaz."));
        return;
    }
    const QString kod = accounts::CariSec(m_ctx, 1, this);
    if (kod.isEmpty())
        return;
    basligiAl();
    IEFatCariAta(m_ctx, m_ctx.Database1, m_fatura, kod);
    basligiGoster();
    cariMesaji();
    BtnNetHesapClick();
}

void TFormIEFatura::cariMesaji()
{
    if (m_ctx.CariMsgVar == QLatin1String("1"))
        CariMesajKontrol(m_ctx.Database1, m_fatura.deger(S("CARI_KOD")).toString(),
                         m_fatura.deger(S("CARI_AD")).toString());
}

void TFormIEFatura::YeniIsemriFaturaClick()
{
    if (!yenikayit) {
        const int tur = SONRAKI_FAT >= 0 ? SONRAKI_FAT : SelectFatTur(this);
        if (tur < 0 || !yeniFatura(tur))
            return;
    }
    Edit1->setFocus();
}

void TFormIEFatura::SikayetGosterClick()
{
    const QStringList sikayetler = IsEmriSikayetleri(m_ctx.Database1, m_fatura.isEmriNo());
    QStringList satirlar;
    for (int i = 0; i < sikayetler.size(); ++i)
        if (!sikayetler[i].trimmed().isEmpty())
            satirlar << S("%1. ").arg(i + 1) + sikayetler[i];
    LabelSikayet->setText(satirlar.join(QLatin1Char('\n')));
    PanelSikayet->raise();
    PanelSikayet->show();
}

void TFormIEFatura::EK1SecClick()
{
    const QString metin = SelectHazirMetin(m_ctx, 1, this);
    if (!metin.isEmpty())
        EditEK1->setText(metin.left(100));
}

void TFormIEFatura::StokKartiClick()
{
    const int row = cxGrid1->currentRow();
    if (row < 0 || row >= m_fatura.satirlar.size() || m_fatura.satirlar[row].PARCA_ISCILIK != QLatin1String("P"))
        return;
    QString parcaNo = m_fatura.satirlar[row].PI_KOD;
    stock::StokKartiAc(m_ctx, false, parcaNo, 0, this);
}

void TFormIEFatura::SpeedButton1Click()
{
    if (!yenikayit) {
        const int tur = SONRAKI_FAT >= 0 ? SONRAKI_FAT : SelectFatTur(this);
        if (tur < 0 || !yeniFatura(tur))
            return;
    }
    if (m_ctx.AktifKullanici.iefatura == QLatin1String("K"))
        throw IslemReddi(S("Yalnız fatura kesme yetkiniz vardır!"), MsgIcon::Warning);
    // The invoicing chooser: closed work orders with lines left to invoice.
    const workshop::TypeIsEmri t = workshop::IsemriSec(const_cast<SessionContext&>(m_ctx), 10, QString(), this);
    if (t.IsEmriNo.isEmpty())
        return;
    isEmrindenOlustur(t.IsEmriNo, t.FYili);
}

void TFormIEFatura::BitBtn3Click()
{
    if (!yenikayit)
        return;
    basligiAl();
    IEFatFiyatlariGuncelle(m_ctx, m_ctx.Database1, m_fatura);
    tabloyuDoldur();
    toplamGoster();
}

void TFormIEFatura::SatirSilClick()
{
    const int row = cxGrid1->currentRow();
    if (row < 0 || row >= m_fatura.satirlar.size())
        return;
    // Deleting a line puts the invoice into edit, as changing it does.
    if (!yenikayit && m_ctx.AktifKullanici.iefatura != QLatin1String("K"))
        BtnEditClick();
    basligiAl();
    IEFatSatirSil(m_ctx, m_ctx.Database1, m_fatura, row, yenikayit && BtnSAKLA->isEnabled());
    tabloyuDoldur();
    toplamGoster();
}

void TFormIEFatura::Edit1Enter()
{
    if (!yenikayit || Edit1->text().trimmed().isEmpty())
        return;
    isEmrindenOlustur(Edit1->text().trimmed().left(15), 0);
}

void TFormIEFatura::BtnMusteriAramaClick()
{
    aftersales::ShowServisAramaPer(m_ctx, {m_fatura.isEmriNo(), m_fatura.tarih(), m_fatura.deger(S("CARI_KOD")).toString(),
                                           m_fatura.satisNo()}, this);
}

void TFormIEFatura::NakitOdemeClick()
{
    const QString odeKod = m_fatura.deger(S("ODE_KOD")).toString();
    if (odeKod.isEmpty()) {
        ShowInfo(S("Ödeme yapmadan önce Ödeme Tipini Seçiniz..."));
        return;
    }
    const QString hesap = OdemePlaniHesabi(m_ctx.Database1, odeKod);
    accounts::CariHrkFaturaOdeme(m_ctx, S("I"), S("N"), S("B"), m_fatura.deger(S("NET_TUTAR")).toDouble(),
                                 m_fatura.deger(S("CARI_AD")).toString(), hesap,
                                 m_fatura.deger(S("CARI_KOD")).toString(), m_fatura.deger(S("FAT_NO")).toString(),
                                 m_fatura.satisNo(), this);
    bakiyeGoster();
}

void TFormIEFatura::SpeedOdePlanClick()
{
    if (!yenikayit) {
        BtnEditClick();
        if (!yenikayit)
            return;
    }
    const accounts::TOdeParam p = accounts::OdePlanSec(m_ctx, 1, this);
    if (p.Kodu.isEmpty())
        return;
    basligiAl();
    m_fatura.set(S("ODE_KOD"), p.Kodu);
    m_fatura.set(S("ODE_TIP"), p.odetip);
    basligiGoster();
}

void TFormIEFatura::OncekiKayitClick()
{
    if (const double no = KomsuIEFatura(m_ctx.Database1, m_fatura.satisNo(), false); no > 0)
        faturaAc(no);
}

void TFormIEFatura::SonrakiKayitClick()
{
    if (const double no = KomsuIEFatura(m_ctx.Database1, m_fatura.satisNo(), true); no > 0)
        faturaAc(no);
}

void TFormIEFatura::BitBtnEskiClick()
{
    if (const double no = SelectIEFatura(m_ctx, 1, this); no > 0)
        faturaAc(no);
}

void TFormIEFatura::KurDegeriSecClick()
{
    if (!yenikayit)
        return;
    basligiAl();
    IEFatKurDegeriSec(m_ctx, m_ctx.Database1, m_fatura);
    basligiGoster();
    BtnNetHesapClick();
}

void TFormIEFatura::carieditClick()
{
    const QString kod = m_fatura.deger(S("CARI_KOD")).toString();
    if (kod.isEmpty())
        return;
    accounts::CariKartAc(m_ctx, kod, 1, this);
    if (yenikayit) {
        // The card may have changed the account's currency, name or discounts.
        basligiAl();
        IEFatCariAta(m_ctx, m_ctx.Database1, m_fatura, kod);
        basligiGoster();
        BtnNetHesapClick();
    } else {
        bakiyeGoster();
    }
}

void TFormIEFatura::CariHareketlerClick()
{
    const RoutineOpener ac = Targets().routine(QLatin1String(entry::CariHareketGoster));
    if (!ac || m_fatura.deger(S("CARI_KOD")).toString().isEmpty())
        return;
    OpenRequest r;
    r.target = QLatin1String(entry::CariHareketGoster);
    r.ctx = const_cast<SessionContext*>(&m_ctx);
    r.owner = this;
    r.key = m_fatura.deger(S("CARI_KOD")).toString();
    ac(r);
    bakiyeGoster();
}

void TFormIEFatura::BtnOdemeClick()
{
    const QString odeKod = m_fatura.deger(S("ODE_KOD")).toString();
    if (odeKod.isEmpty()) {
        ShowInfo(S("Ödeme yapmadan önce Ödeme Tipini Seçiniz..."));
        return;
    }
    const QString tip = OdemePlaniTipi(m_ctx.Database1, odeKod);
    const auto eylem = [&](const char* ad) { return m_odemeMenu->findChild<QAction*>(S(ad)); };
    QAction* a = tip == QLatin1String("N")   ? eylem("NakitOdeme")
                 : tip == QLatin1String("B") ? eylem("BankaHareketleri")
                 : tip == QStringLiteral("Ç") ? eylem("CekSenetBordrosu")
                                              : nullptr;
    if (a && a->isEnabled()) {
        a->trigger();
        return;
    }
    // Any other plan (or a voucher kind not built yet): the user chooses from the menu.
    m_odemeMenu->popup(BtnOdeme->mapToGlobal(QPoint(0, BtnOdeme->height())));
}

void IEFaturaGoster(const SessionContext& ctx, int mode, double satisNo, QWidget* parent)
{
    auto* f = new TFormIEFatura(ctx, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->setModal(false);
    f->setProperty("Tag", mode);
    if (mode == 1 && satisNo < 0) {
        f->show();
        const int tur = SelectFatTur(f);
        if (tur < 0 || !f->yeniFatura(tur)) {
            f->close();
            return;
        }
    } else {
        f->faturaAc(satisNo);
        f->show();
    }
}

void IsEmriFaturaKes(const SessionContext& ctx, const QString& isEmriNo, const QString& kapandi, int fyili,
                     QWidget* parent)
{
    TFormIEFatura f(ctx, parent);
    f.setProperty("Tag", 1);
    f.ieno = isEmriNo;
    f.ieDurum = kapandi;
    f.ieFYili = fyili;
    f.isEmriIcinAc();
    f.exec();
}

} // namespace tornaly::invoicing
