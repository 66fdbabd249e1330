#include "stock/cards/StokSakla.h"
#include "controls/SayiAlani.h"
#include "controls/TarihEdit.h"

#include "currency/dovizk.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "stock/catalog/KodListeleri.h"
#include "stock/catalog/Kodlar.h"
#include "stock/cards/StokBr.h"
#include "stock/common/KodKartFormu.h"
#include "stock/pictures/Fotos.h"
#include "stock/pictures/ResimKutusu.h"
#include "stock/pictures/StokResim.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
const char* kFiyatKolonlari[] = {"ALIS_FYT_TL", "ALIS_FYT_USD", "ALIS_FYT_DOVIZ", "SAT_FYT_TL", "SAT_FYT_USD",
                                 "SAT_FYT_DOVIZ", "MALIYET_FYT_TL", "MALIYET_FYT_USD", "MALIYET_FYT_DOVIZ",
                                 "KRITIK_SEV", "SIPARIS_SEV", "HEDEF_SEV", "KDV"};

QString sayiMetni(const QVariant& v)
{
    return v.isNull() ? QString() : FormatMoney(v.toDouble(), QStringLiteral(",0.00"));
}

QString str(const QVariantMap& m, const char* k) { return m.value(QString::fromLatin1(k)).toString(); }

void secimDoldur(QComboBox* c, const QList<QPair<QString, QString>>& degerler, bool bosIle = true)
{
    if (bosIle)
        c->addItem(QString(), QString());
    for (const auto& [kod, ad] : degerler)
        c->addItem(ad, kod);
}

void seciliYap(QComboBox* c, const QString& kod)
{
    int i = c->findData(kod);
    if (i < 0 && !kod.isEmpty()) {
        c->addItem(kod, kod);
        i = c->count() - 1;
    }
    c->setCurrentIndex(qMax(0, i));
}

QList<QPair<QString, QString>> liste(const Db& db, const QString& sql, bool kodIleAd = true)
{
    QList<QPair<QString, QString>> out;
    Query q(db, sql);
    q.exec();
    while (q.next()) {
        const QString kod = q.value(0).toString().trimmed();
        const QString ad = q.record().count() > 1 ? q.value(1).toString().trimmed() : QString();
        out.append({kod, kodIleAd && !ad.isEmpty() ? QStringLiteral("%1 - %2").arg(kod, ad) : kod});
    }
    return out;
}
} // namespace

TFormStokSakla::TFormStokSakla(const SessionContext& ctx, StokKarti kart, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1), m_kart(std::move(kart))
{
    setObjectName(QStringLiteral("FormStokSakla"));
    setWindowTitle(QStringLiteral("Stok Kayıt"));
    auto* ana = new QVBoxLayout(this);
    auto* baslik = new QLabel(QStringLiteral("Stok Kartı"), this);
    baslik->setObjectName(QStringLiteral("PanelBaslik"));
    QFont f = baslik->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    baslik->setFont(f);
    ana->addWidget(baslik);
    ana->addWidget(baslikKur());
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(detaySayfasi(), QStringLiteral("Detay Bilgiler"));
    PageControl1->addTab(markaSayfasi(), QStringLiteral("Marka Model"));
    PageControl1->addTab(depoSayfasi(), QStringLiteral("Depo Miktar ve Raf Yerleri"));
    PageControl1->addTab(muadilSayfasi(), QStringLiteral("Muadil Parçalar"));
    PageControl1->addTab(ambalajSayfasi(), QStringLiteral("Ambalaj Bilgileri"));
    PageControl1->addTab(resimSayfasi(), QStringLiteral("Resim"));
    ana->addWidget(PageControl1, 1);
    alanlariYukle();
    PageControl1->setCurrentIndex(0);
    EditStokAdiTr->setFocus();
    resize(980, 700);
}


QWidget* TFormStokSakla::baslikKur()
{
    auto* w = new QWidget(this);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    EditStokNo = new QLineEdit(w);
    EditStokNo->setObjectName(QStringLiteral("EditStokNo"));
    EditStokNo->setReadOnly(true);
    EditTarih = new TTarihEdit(w);
    EditTarih->setObjectName(QStringLiteral("EditTarih"));
    EditTarih->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    EditTarih->setCalendarPopup(true);
    EditStokAdiTr = new QLineEdit(w);
    EditStokAdiTr->setObjectName(QStringLiteral("EditStokAdiTr"));
    EditStokAdiTr->setMaxLength(45);
    EditStokAdiIng = new QLineEdit(w);
    EditStokAdiIng->setObjectName(QStringLiteral("EditStokAdiIng"));
    EditStokAdiIng->setMaxLength(60);
    EditParcaNo = new QLineEdit(w);
    EditParcaNo->setObjectName(QStringLiteral("EditParcaNo"));
    EditParcaNo->setMaxLength(25);
    EditKdv = new QLineEdit(w);
    EditKdv->setObjectName(QStringLiteral("EditKdv"));
    EditKdv->setMaximumWidth(60);
    CmbDoviz = new QComboBox(w);
    CmbDoviz->setObjectName(QStringLiteral("CmbDoviz"));
    CmbPay = new QComboBox(w);
    CmbPay->setObjectName(QStringLiteral("CmbPay"));
    for (const AnaGrup& a : AnaGruplar())
        CmbPay->addItem(a.kartAdi, a.harf);
    CmbBirim = new QComboBox(w);
    CmbBirim->setObjectName(QStringLiteral("CmbBirim"));
    CmbBirim->setEditable(true);
    CmbBirim->addItems({QStringLiteral("ADET"), QStringLiteral("KG"), QStringLiteral("TON"), QStringLiteral("GR"),
                        QStringLiteral("DZ."), QStringLiteral("LT."), QStringLiteral("TAKIM")});
    ChkPasif = new QCheckBox(QStringLiteral("&Pasif Stok (Atıl)"), w);
    ChkPasif->setObjectName(QStringLiteral("ChkPasif"));
    ChkGaranti = new QCheckBox(QStringLiteral("Garanti Belgeli"), w);
    ChkGaranti->setObjectName(QStringLiteral("ChkGaranti"));
    BtnKaydet = new QPushButton(QStringLiteral("&Kaydet"), w);
    BtnKaydet->setObjectName(QStringLiteral("BtnKaydet"));
    BtnIptal = new QPushButton(QStringLiteral("&İptal"), w);
    BtnIptal->setObjectName(QStringLiteral("BtnIptal"));
    for (QPushButton* b : {BtnKaydet, BtnIptal})
        b->setAutoDefault(false);

    auto etiket = [&](const QString& t, QWidget* buddy) {
        auto* l = new QLabel(t, w);
        l->setBuddy(buddy);
        return l;
    };
    g->addWidget(etiket(QStringLiteral("Stok Sıra No"), EditStokNo), 0, 0);
    g->addWidget(EditStokNo, 0, 1);
    g->addWidget(etiket(QStringLiteral("Tarih"), EditTarih), 0, 2);
    g->addWidget(EditTarih, 0, 3);
    g->addWidget(etiket(QStringLiteral("Parça No"), EditParcaNo), 0, 4);
    g->addWidget(EditParcaNo, 0, 5);
    g->addWidget(etiket(QStringLiteral("Stok Adı (TR)"), EditStokAdiTr), 1, 0);
    g->addWidget(EditStokAdiTr, 1, 1, 1, 3);
    g->addWidget(etiket(QStringLiteral("KDV / Döviz"), EditKdv), 1, 4);
    auto* kdvDoviz = new QHBoxLayout;
    kdvDoviz->addWidget(EditKdv);
    kdvDoviz->addWidget(CmbDoviz, 1);
    g->addLayout(kdvDoviz, 1, 5);
    g->addWidget(etiket(QStringLiteral("Stok Adı (ING)"), EditStokAdiIng), 2, 0);
    g->addWidget(EditStokAdiIng, 2, 1, 1, 3);
    g->addWidget(etiket(QStringLiteral("Ana Grup"), CmbPay), 2, 4);
    g->addWidget(CmbPay, 2, 5);
    g->addWidget(etiket(QStringLiteral("Birimi"), CmbBirim), 3, 4);
    g->addWidget(CmbBirim, 3, 5);
    g->addWidget(ChkPasif, 3, 1);
    g->addWidget(ChkGaranti, 3, 2);
    auto* dugmeler = new QVBoxLayout;
    dugmeler->addWidget(BtnKaydet);
    dugmeler->addWidget(BtnIptal);
    dugmeler->addStretch(1);
    g->addLayout(dugmeler, 0, 6, 4, 1);
    g->setColumnStretch(1, 2);
    g->setColumnStretch(5, 1);
    connect(BtnKaydet, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnKaydetClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnIptalClick));
    return w;
}

QWidget* TFormStokSakla::detaySayfasi()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    auto* g = new QGridLayout;
    CmbGrup = new QComboBox(w);
    CmbGrup->setObjectName(QStringLiteral("CmbGrup"));
    CmbAltGrup = new QComboBox(w);
    CmbAltGrup->setObjectName(QStringLiteral("CmbAltGrup"));
    auto* btnGrup = new QPushButton(QStringLiteral("..."), w);
    btnGrup->setObjectName(QStringLiteral("BtnGrupListe"));
    auto* btnAltGrup = new QPushButton(QStringLiteral("..."), w);
    btnAltGrup->setObjectName(QStringLiteral("BtnAltGrupListe"));
    for (QPushButton* b : {btnGrup, btnAltGrup}) {
        b->setAutoDefault(false);
        b->setMaximumWidth(32);
    }
    auto kutu = [&](const QString& ad, int uzunluk) {
        auto* e = new QLineEdit(w);
        e->setObjectName(ad);
        if (uzunluk)
            e->setMaxLength(uzunluk);
        return e;
    };
    auto* eskiPn = kutu(QStringLiteral("EditEskiPN"), 25);
    auto* yeniPn = kutu(QStringLiteral("EditYeniPN"), 25);
    auto* enYeniPn = kutu(QStringLiteral("EditEnYeniPN"), 25);
    auto* kritik = kutu(QStringLiteral("EditKRITIK_SEV"), 0);
    auto* siparis = kutu(QStringLiteral("EditSIPARIS_SEV"), 0);
    auto* hedef = kutu(QStringLiteral("EditHEDEF_SEV"), 0);
    fiyatKutulari.insert(QStringLiteral("KRITIK_SEV"), kritik);
    fiyatKutulari.insert(QStringLiteral("SIPARIS_SEV"), siparis);
    fiyatKutulari.insert(QStringLiteral("HEDEF_SEV"), hedef);
    auto* fiyatTarihi = new TTarihEdit(w);
    fiyatTarihi->setObjectName(QStringLiteral("EditFiyatTarihi"));
    fiyatTarihi->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    fiyatTarihi->setCalendarPopup(true);
    auto* rekabet = new QComboBox(w);
    rekabet->setObjectName(QStringLiteral("CmbRekabet"));
    secimDoldur(rekabet, {{QStringLiteral("0"), QStringLiteral("0: Diğer")}, {QStringLiteral("1"), QStringLiteral("1: Rekabetsiz")},
                          {QStringLiteral("2"), QStringLiteral("2: Az Rekabetli")}, {QStringLiteral("3"), QStringLiteral("3: Rekabetli")},
                          {QStringLiteral("4"), QStringLiteral("4: Çok Rekabetli")}});
    EditBarkod = kutu(QStringLiteral("EditBarkod"), 36);
    CmbBarkodTipi = new QComboBox(w);
    CmbBarkodTipi->setObjectName(QStringLiteral("CmbBarkodTipi"));
    secimDoldur(CmbBarkodTipi, {{QStringLiteral("E"), QStringLiteral("Ean 13")}, {QStringLiteral("B"), QStringLiteral("Ean 8")},
                                {QStringLiteral("C"), QStringLiteral("Code 39")}}, false);
    auto* aciklama = new QPlainTextEdit(w);
    aciklama->setObjectName(QStringLiteral("EditAciklama"));
    aciklama->setMaximumHeight(54);

    auto* grupSatiri = new QHBoxLayout;
    grupSatiri->addWidget(CmbGrup, 1);
    grupSatiri->addWidget(btnGrup);
    auto* altSatiri = new QHBoxLayout;
    altSatiri->addWidget(CmbAltGrup, 1);
    altSatiri->addWidget(btnAltGrup);
    int r = 0;
    auto satir = [&](int col, const QString& t, QWidget* x) {
        auto* l = new QLabel(t, w);
        l->setBuddy(x);
        g->addWidget(l, r, col);
        g->addWidget(x, r, col + 1);
    };
    g->addWidget(new QLabel(QStringLiteral("Grup No"), w), r, 0);
    g->addLayout(grupSatiri, r, 1);
    satir(2, QStringLiteral("Kritik Seviyesi"), kritik);
    satir(4, QStringLiteral("Barkod No"), EditBarkod);
    ++r;
    g->addWidget(new QLabel(QStringLiteral("Alt Grubu"), w), r, 0);
    g->addLayout(altSatiri, r, 1);
    satir(2, QStringLiteral("Sipariş Seviyesi"), siparis);
    satir(4, QStringLiteral("Barkod Tipi"), CmbBarkodTipi);
    ++r;
    satir(0, QStringLiteral("Eski PN"), eskiPn);
    satir(2, QStringLiteral("Hedef Seviye"), hedef);
    satir(4, QStringLiteral("Rekabet Seviyesi"), rekabet);
    ++r;
    satir(0, QStringLiteral("Yeni PN"), yeniPn);
    satir(2, QStringLiteral("Alış Fiyatı Tarihi"), fiyatTarihi);
    ++r;
    satir(0, QStringLiteral("En Yeni PN"), enYeniPn);
    g->addWidget(new QLabel(QStringLiteral("Açıklama"), w), r, 2);
    g->addWidget(aciklama, r, 3, 1, 3);
    g->setColumnStretch(1, 2);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);
    v->addLayout(g);

    // The price grid: rows per currency, columns per kind of price.
    auto* fg = new QGridLayout;
    const QStringList basliklar = {QStringLiteral("Alış (Acil)"), QStringLiteral("Alış (Stok)"),
                                   QStringLiteral("Son Alış Fiyatı"), QStringLiteral("Alış (Liste)"),
                                   QStringLiteral("Maliyet Fiyatı"), QStringLiteral("Satış Fiyatı KDVsiz"),
                                   QStringLiteral("Satış KDV li")};
    for (int c = 0; c < basliklar.size(); ++c) {
        auto* l = new QLabel(basliklar[c], w);
        l->setAlignment(Qt::AlignCenter);
        fg->addWidget(l, 0, c + 1);
    }
    auto* yerel = new QLabel(m_ctx.YerelPara, w);
    yerel->setObjectName(QStringLiteral("LblYerelPara"));
    fg->addWidget(yerel, 1, 0);
    fg->addWidget(new QLabel(QStringLiteral("$"), w), 2, 0);
    auto* dovizSatiri = new QHBoxLayout;
    auto* dovizEtiket = new QLabel(w);
    dovizEtiket->setObjectName(QStringLiteral("LblFiyatDoviz"));
    BtnKurSec = new QPushButton(QStringLiteral("Seç"), w);
    BtnKurSec->setObjectName(QStringLiteral("BtnKurSec"));
    BtnKurSec->setAutoDefault(false);
    dovizSatiri->addWidget(dovizEtiket);
    dovizSatiri->addWidget(BtnKurSec);
    fg->addLayout(dovizSatiri, 3, 0);
    const bool maliyetYetkisi = m_ctx.AktifKullanici.maliyet.left(1) == QLatin1String("Y");
    const QStringList sonekler = {QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("DOVIZ")};
    auto hesapli = [&](const QString& ad, int row, int col) {
        auto* l = new QLabel(w);
        l->setObjectName(QStringLiteral("Lbl") + ad);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::StyledPanel);
        hesapliKutular.insert(ad, l);
        fg->addWidget(l, row, col);
    };
    hesapli(QStringLiteral("ISKLI1"), 1, 1);
    hesapli(QStringLiteral("ISKLI2"), 1, 2);
    hesapli(QStringLiteral("SONALIS_FYT_TL"), 1, 3);
    hesapli(QStringLiteral("SONALISFYT_USD"), 2, 3);
    hesapli(QStringLiteral("SONALIS_FYT_DOVIZ"), 3, 3);
    const QStringList onekler = {QStringLiteral("ALIS_FYT_"), QStringLiteral("MALIYET_FYT_"), QStringLiteral("SAT_FYT_")};
    for (int c = 0; c < onekler.size(); ++c)
        for (int s = 0; s < 3; ++s) {
            const QString ad = onekler[c] + sonekler[s];
            auto* e = new QLineEdit(w);
            e->setObjectName(QStringLiteral("Edit") + ad);
            e->setAlignment(Qt::AlignRight);
            if (c == 1)
                e->setReadOnly(!maliyetYetkisi);
            fiyatKutulari.insert(ad, e);
            fg->addWidget(e, s + 1, c + 4);
            connect(e, &QLineEdit::editingFinished, this, Guarded([this, ad] {
                if (ad == QLatin1String("SAT_FYT_DOVIZ") && alanlariTopla()) {
                    YerelSatisFiyatiniEsitle(m_kart.alan, m_ctx);
                    fiyatlariGoster();
                } else if (ad.startsWith(QLatin1String("SAT_FYT"))) {
                    double x;
                    if (ParseMoney(fiyatKutulari.value(ad)->text(), &x))
                        m_kart.alan.insert(ad, x), fiyatlariGoster();
                }
            }));
        }
    for (int c = 1; c <= 7; ++c)
        fg->setColumnStretch(c, 1);
    hesapli(QStringLiteral("SATIS_KDVLI"), 1, 7);
    hesapli(QStringLiteral("SAT_KDVLI_USD"), 2, 7);
    hesapli(QStringLiteral("SAT_KDVLI_DVZ"), 3, 7);
    v->addLayout(fg);
    BtnKdvHaric = new QPushButton(QStringLiteral("KDV Hariç Fiyatı Hesapla"), w);
    BtnKdvHaric->setObjectName(QStringLiteral("BtnKdvHaric"));
    BtnKdvHaric->setToolTip(QStringLiteral("KDV Dahil girilen fiyattan KDV Hariç fiyatı hesaplar"));
    BtnKdvHaric->setAutoDefault(false);
    auto* alt = new QHBoxLayout;
    alt->addStretch(1);
    alt->addWidget(BtnKdvHaric);
    v->addLayout(alt);
    v->addStretch(1);

    connect(BtnKdvHaric, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnKdvHaricClick));
    connect(BtnKurSec, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnKurSecClick));
    connect(EditBarkod, &QLineEdit::editingFinished, this, Guarded(this, &TFormStokSakla::EditBarkodExit));
    // The VAT-inclusive prices follow the rate the card shows.
    connect(EditKdv, &QLineEdit::editingFinished, this, Guarded([this] {
        double x;
        if (ParseMoney(EditKdv->text().trimmed(), &x)) {
            m_kart.alan.insert(QStringLiteral("KDV"), qRound(x));
            fiyatlariGoster();
        }
    }));
    connect(CmbGrup, qOverload<int>(&QComboBox::activated), this, Guarded(this, &TFormStokSakla::CmbGrupChange));
    connect(btnGrup, &QPushButton::clicked, this, Guarded([this] {
        Guard([this] {
            const QString secili = CmbGrup->currentData().toString();
            GrupSec(m_ctx, 0, this);
            CmbGrup->clear();
            secimDoldur(CmbGrup, liste(m_db, QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM GRUP ORDER BY GRUP_ADI")));
            seciliYap(CmbGrup, secili);
        });
    }));
    connect(btnAltGrup, &QPushButton::clicked, this, Guarded([this] {
        Guard([this] {
            AltGrupSec(m_ctx, 0, this);
            altGruplariDoldur(CmbAltGrup->currentData().toString());
        });
    }));
    connect(CmbDoviz, qOverload<int>(&QComboBox::activated), this, Guarded([this] {
        if (alanlariTopla()) {
            YerelSatisFiyatiniEsitle(m_kart.alan, m_ctx);
            fiyatlariGoster();
        }
    }));
    return w;
}

QWidget* TFormStokSakla::markaSayfasi()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    auto* form = new QFormLayout;
    CmbIskGrup = new QComboBox(w);
    CmbIskGrup->setObjectName(QStringLiteral("CmbIskGrup"));
    CmbOrj = new QComboBox(w);
    CmbOrj->setObjectName(QStringLiteral("CmbOrj"));
    secimDoldur(CmbOrj, {{QStringLiteral("O"), QStringLiteral("Orjinal")}, {QStringLiteral("Y"), QStringLiteral("Yerli")},
                         {QStringLiteral("R"), QStringLiteral("Orjinal Yan Sanayi")},
                         {QStringLiteral("I"), QStringLiteral("İthal Yan Sanayi")}});
    CmbKaynak = new QComboBox(w);
    CmbKaynak->setObjectName(QStringLiteral("CmbKaynak"));
    CmbKaynak->setEditable(true);
    EditMarka = new QLineEdit(w);
    EditMarka->setObjectName(QStringLiteral("EditMarka"));
    EditMarka->setMaxLength(15);
    BtnMarkaSec = new QPushButton(QStringLiteral("Marka Seç."), w);
    BtnMarkaSec->setObjectName(QStringLiteral("BtnMarkaSec"));
    BtnMarkaSec->setAutoDefault(false);
    auto* modelNo = new QLineEdit(w);
    modelNo->setObjectName(QStringLiteral("EditModelNo"));
    modelNo->setMaxLength(15);
    auto* marka = new QHBoxLayout;
    marka->addWidget(EditMarka, 1);
    marka->addWidget(BtnMarkaSec);
    form->addRow(QStringLiteral("İskonto Grubu"), CmbIskGrup);
    form->addRow(QStringLiteral("Orjinal-Yerli"), CmbOrj);
    form->addRow(QStringLiteral("Menşei"), CmbKaynak);
    form->addRow(QStringLiteral("Marka"), marka);
    form->addRow(QStringLiteral("Model No"), modelNo);
    v->addLayout(form);
    GridModel = new QTableWidget(0, 4, w);
    GridModel->setObjectName(QStringLiteral("GridModel"));
    GridModel->setHorizontalHeaderLabels({QStringLiteral("Model"), QStringLiteral("Araç Tip"), QStringLiteral("Yıl Baş."),
                                          QStringLiteral("Yıl Bit.")});
    GridModel->horizontalHeader()->setStretchLastSection(true);
    GridModel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridModel->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->addWidget(GridModel, 1);
    auto* modelDugmeleri = new QHBoxLayout;
    auto* ekle = new QPushButton(QStringLiteral("Model Ekle"), w);
    ekle->setObjectName(QStringLiteral("BtnModelEkle"));
    auto* sil = new QPushButton(QStringLiteral("Model Sil"), w);
    sil->setObjectName(QStringLiteral("BtnModelSil"));
    for (QPushButton* b : {ekle, sil})
        b->setAutoDefault(false), modelDugmeleri->addWidget(b);
    modelDugmeleri->addStretch(1);
    v->addLayout(modelDugmeleri);
    connect(BtnMarkaSec, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnMarkaSecClick));
    connect(ekle, &QPushButton::clicked, this, Guarded([this] {
        const QString no = EditParcaNo->text().trimmed();
        if (no.isEmpty())
            return;
        KodKartFormu f(QStringLiteral("Parça Model"), this);
        f.kutu(QStringLiteral("EditModel"), QStringLiteral("Model"), {}, 15);
        f.kutu(QStringLiteral("EditAracTip"), QStringLiteral("Araç Tip"), {}, 15);
        f.kutu(QStringLiteral("EditYil1"), QStringLiteral("Yıl Baş."));
        f.kutu(QStringLiteral("EditYil2"), QStringLiteral("Yıl Bit."));
        f.kaydet = [&] {
            const QString model = f.metin(QStringLiteral("EditModel")).trimmed();
            if (model.isEmpty())
                return QStringLiteral("Model Seçmeden Kayıt Saklanamaz.");
            auto yil = [](const QString& t) {
                bool ok = false;
                const int y = t.trimmed().toInt(&ok);
                return ok ? QVariant(y) : QVariant(QMetaType(QMetaType::Int));
            };
            m_db.exec(QStringLiteral("INSERT INTO PARACTIP (PA_STOK, PA_MODEL, PA_TIP, MODEL_YIL1, MODEL_YIL2) "
                                     "VALUES (:S, :M, :T, :Y1, :Y2)"),
                      {{QStringLiteral("S"), no}, {QStringLiteral("M"), model},
                       {QStringLiteral("T"), f.metin(QStringLiteral("EditAracTip")).trimmed()},
                       {QStringLiteral("Y1"), yil(f.metin(QStringLiteral("EditYil1")))},
                       {QStringLiteral("Y2"), yil(f.metin(QStringLiteral("EditYil2")))}});
            return QString();
        };
        f.exec();
        Guard([this] { modelleriOku(); });
    }));
    connect(sil, &QPushButton::clicked, this, Guarded([this] {
        const int r = GridModel->currentRow();
        if (r < 0 || !AskYesNo(QStringLiteral("Kayıt Silinsin mi?")))
            return;
        Guard([this, r] {
            m_db.exec(QStringLiteral("DELETE FROM PARACTIP WHERE PA_STOK = :S AND PA_MODEL = :M"),
                      {{QStringLiteral("S"), EditParcaNo->text().trimmed()},
                       {QStringLiteral("M"), GridModel->item(r, 0)->text()}});
            modelleriOku();
        });
    }));
    return w;
}

QWidget* TFormStokSakla::depoSayfasi()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    GridDepo = new QTableWidget(0, 6, w);
    GridDepo->setObjectName(QStringLiteral("GridDepo"));
    GridDepo->setHorizontalHeaderLabels({QStringLiteral("Depo Kodu"), QStringLiteral("Depo Adı"), QStringLiteral("Miktarı"),
                                         QStringLiteral("Gir.Mik."), QStringLiteral("Çık.Mik."), QStringLiteral("Raf Yeri")});
    GridDepo->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridDepo->verticalHeader()->hide();
    v->addWidget(GridDepo, 1);
    auto* g = new QGridLayout;
    const QStringList basliklar = {QStringLiteral("Dönem Başı Stok Miktarı"), QStringLiteral("Dönem Başı Toplam Tutar"),
                                   QStringLiteral("Dönem Başı Birim Fiyatı")};
    g->addWidget(new QLabel(m_ctx.YerelPara, w), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("USD"), w), 0, 2);
    for (int i = 0; i < 3; ++i) {
        g->addWidget(new QLabel(basliklar[i], w), i + 1, 0);
        for (int c = 0; c < 2; ++c) {
            if (i == 0 && c == 1)
                continue;
            auto* l = new QLabel(w);
            l->setFrameShape(QFrame::StyledPanel);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setMinimumWidth(120);
            m_donemBasi << l;
            g->addWidget(l, i + 1, c + 1);
        }
    }
    g->setColumnStretch(3, 1);
    v->addLayout(g);
    connect(GridDepo, &QTableWidget::itemChanged, this, Guarded([this](QTableWidgetItem* it) {
        if (it->column() == 5 && GridDepo->item(it->row(), 0))
            m_kart.raflar.insert(GridDepo->item(it->row(), 0)->text(), it->text());
    }));
    return w;
}

QWidget* TFormStokSakla::muadilSayfasi()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    GridMuadil = new QTableWidget(0, 1, w);
    GridMuadil->setObjectName(QStringLiteral("GridMuadil"));
    GridMuadil->setHorizontalHeaderLabels({QStringLiteral("Muadil Kod")});
    GridMuadil->horizontalHeader()->setStretchLastSection(true);
    GridMuadil->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->addWidget(GridMuadil, 1);
    BtnMuadilEkle = new QPushButton(QStringLiteral("Muadil Ekle"), w);
    BtnMuadilEkle->setObjectName(QStringLiteral("BtnMuadilEkle"));
    BtnMuadilEkle->setAutoDefault(false);
    auto* h = new QHBoxLayout;
    h->addWidget(BtnMuadilEkle);
    h->addStretch(1);
    v->addLayout(h);
    connect(BtnMuadilEkle, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnMuadilEkleClick));
    return w;
}

QWidget* TFormStokSakla::ambalajSayfasi()
{
    auto* w = new QWidget(this);
    auto* form = new QFormLayout(w);
    CmbAmbalaj = new QComboBox(w);
    CmbAmbalaj->setObjectName(QStringLiteral("CmbAmbalaj"));
    form->addRow(QStringLiteral("Ambalaj Türü"), CmbAmbalaj);
    for (const char* t : {"Ambalaj Adet", "Ambalaj Boyutu", "Ambalaj Ağırlığı", "Birim Ağırlığı"}) {
        auto* l = new QLabel(w);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(120);
        m_ambalajEtiketleri << l;
        form->addRow(QString::fromUtf8(t), l);
    }
    connect(CmbAmbalaj, qOverload<int>(&QComboBox::activated), this, Guarded([this] { ambalajGoster(); }));
    return w;
}

QWidget* TFormStokSakla::resimSayfasi()
{
    auto* w = new QWidget(this);
    auto* v = new QVBoxLayout(w);
    auto* h = new QHBoxLayout;
    ChkSigdir = new QCheckBox(QStringLiteral("Resmi Sığdır"), w);
    ChkSigdir->setObjectName(QStringLiteral("ChkSigdir"));
    ChkSigdir->setChecked(true);
    BtnResimYukle = new QPushButton(QStringLiteral("Resim Yükle"), w);
    BtnResimYukle->setObjectName(QStringLiteral("BtnResimYukle"));
    BtnResimYukle->setAutoDefault(false);
    LblResimHata = new QLabel(ResimHatasiEtiketi(), w);
    LblResimHata->setObjectName(QStringLiteral("LblResimHata"));
    LblResimHata->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    LblResimHata->hide();
    h->addWidget(ChkSigdir);
    h->addWidget(BtnResimYukle);
    h->addWidget(LblResimHata);
    h->addStretch(1);
    v->addLayout(h);
    ImgResim = new ResimKutusu(w);
    ImgResim->setObjectName(QStringLiteral("ImgResim"));
    v->addWidget(ImgResim, 1);
    connect(ChkSigdir, &QCheckBox::toggled, ImgResim, Guarded(ImgResim, &ResimKutusu::sigdirAyarla));
    connect(BtnResimYukle, &QPushButton::clicked, this, Guarded(this, &TFormStokSakla::BtnResimYukleClick));
    connect(ImgResim, &ResimKutusu::noktaSecildi, this, Guarded([this](const QPoint& p) {
        m_kart.alan.insert(QStringLiteral("KOORX"), p.x());
        m_kart.alan.insert(QStringLiteral("KOORY"), p.y());
    }));
    return w;
}

void TFormStokSakla::alanlariYukle()
{
    const QVariantMap& a = m_kart.alan;
    EditStokNo->setText(QString::number(qint64(m_kart.stokNo())));
    EditTarih->setDate(Query::toDate(a.value(QStringLiteral("ACILIS_TRH"))));
    EditStokAdiTr->setText(str(a, "STOK_ADI_TR"));
    EditStokAdiIng->setText(str(a, "STOK_ADI_ING"));
    EditParcaNo->setText(str(a, "STOK_KOD_NO"));
    EditParcaNo->setReadOnly(!m_kart.yeni);
    EditKdv->setText(QString::number(a.value(QStringLiteral("KDV")).toInt()));
    secimDoldur(CmbDoviz, liste(m_db, QStringLiteral("SELECT DOVIZ_KODU FROM DOVIZ WHERE DOVIZ_KODU <> 'YTL' ORDER BY DOVIZ_KODU"), false));
    seciliYap(CmbDoviz, str(a, "FYT_KUR").trimmed());
    seciliYap(CmbPay, str(a, "PAY"));
    CmbBirim->setCurrentText(str(a, "BIRIMI"));
    ChkPasif->setChecked(str(a, "WIRACC0") == QLatin1String("E"));
    ChkGaranti->setChecked(str(a, "GARANTI_BELGE") == QLatin1String("E"));

    secimDoldur(CmbGrup, liste(m_db, QStringLiteral("SELECT GRUP_KODU, GRUP_ADI FROM GRUP ORDER BY GRUP_ADI")));
    seciliYap(CmbGrup, str(a, "GRUP_NO"));
    altGruplariDoldur(str(a, "ALTGRUP_NO"));
    findChild<QLineEdit*>(QStringLiteral("EditEskiPN"))->setText(str(a, "ESKI_PART_NO"));
    findChild<QLineEdit*>(QStringLiteral("EditYeniPN"))->setText(str(a, "YENI_KOD"));
    findChild<QLineEdit*>(QStringLiteral("EditEnYeniPN"))->setText(str(a, "YENI_KOD_SON"));
    auto* fiyatTarihi = findChild<QDateEdit*>(QStringLiteral("EditFiyatTarihi"));
    const QDate ft = Query::toDate(a.value(QStringLiteral("FYT_TRH")));
    fiyatTarihi->setDate(ft.isValid() ? ft : EditTarih->date());
    seciliYap(findChild<QComboBox*>(QStringLiteral("CmbRekabet")),
              a.value(QStringLiteral("REKABET")).isNull() ? QString() : QString::number(a.value(QStringLiteral("REKABET")).toInt()));
    EditBarkod->setText(str(a, "BARKOD"));
    seciliYap(CmbBarkodTipi, str(a, "BARK_TIP"));
    findChild<QPlainTextEdit*>(QStringLiteral("EditAciklama"))->setPlainText(str(a, "ACIKLAMA"));
    for (const char* k : kFiyatKolonlari)
        if (QLineEdit* e = fiyatKutulari.value(QString::fromLatin1(k)))
            e->setText(sayiMetni(a.value(QString::fromLatin1(k))));

    secimDoldur(CmbIskGrup, liste(m_db, QStringLiteral("SELECT ISKGRUP_KOD, ISKGRUP_ADI FROM STOKISKGRUP WHERE 1=1 ORDER BY ISKGRUP_KOD")));
    seciliYap(CmbIskGrup, str(a, "ISKGRUP"));
    seciliYap(CmbOrj, str(a, "ORJ"));
    for (const auto& [k, _] : liste(m_db, QStringLiteral("SELECT DISTINCT KAYNAK FROM STOK WHERE NOT KAYNAK IS NULL ORDER BY KAYNAK"), false))
        CmbKaynak->addItem(k);
    CmbKaynak->setCurrentText(str(a, "KAYNAK"));
    EditMarka->setText(str(a, "MARKAKOD"));
    findChild<QLineEdit*>(QStringLiteral("EditModelNo"))->setText(str(a, "MODEL_NO"));
    Guard([this] { modelleriOku(); });

    GridDepo->blockSignals(true);
    const auto depolar = StokDepoSatirlari(m_db, m_kart.stokNo());
    GridDepo->setRowCount(int(depolar.size()) + 1);
    double gir = 0, cik = 0, mik = 0;
    for (int r = 0; r < depolar.size(); ++r) {
        const DepoSatiri& d = depolar[r];
        const QStringList hucreler = {d.DEPO_KODU, d.DEPO_ADI, FormatMoney(d.MIK, QStringLiteral(",0.00")),
                                      FormatMoney(d.GIRMIK, QStringLiteral(",0.00")), FormatMoney(d.CIKMIK, QStringLiteral(",0.00")),
                                      d.RAF_YERI};
        for (int c = 0; c < 6; ++c) {
            auto* it = new QTableWidgetItem(hucreler[c]);
            if (c != 5)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            if (c >= 2 && c <= 4)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridDepo->setItem(r, c, it);
        }
        gir += d.GIRMIK;
        cik += d.CIKMIK;
        mik += d.MIK;
    }
    const int son = int(depolar.size());
    const QStringList toplam = {QString(), QStringLiteral("Toplam"), FormatMoney(mik, QStringLiteral(",0.00")),
                                FormatMoney(gir, QStringLiteral(",0.00")), FormatMoney(cik, QStringLiteral(",0.00")), QString()};
    for (int c = 0; c < 6; ++c) {
        auto* it = new QTableWidgetItem(toplam[c]);
        it->setFlags(Qt::ItemIsEnabled);
        QFont b = it->font();
        b.setBold(true);
        it->setFont(b);
        if (c >= 2 && c <= 4)
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        GridDepo->setItem(son, c, it);
    }
    GridDepo->resizeColumnsToContents();
    GridDepo->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridDepo->blockSignals(false);
    const DonemBasi d = DonemBasiBul(m_db, m_kart.stokNo());
    const double degerler[] = {d.miktar, d.tutarTL, d.tutarUSD, d.birimTL, d.birimUSD};
    for (int i = 0; i < m_donemBasi.size(); ++i)
        m_donemBasi[i]->setText(FormatMoney(degerler[i], QStringLiteral(",0.00")));

    muadilleriOku();
    secimDoldur(CmbAmbalaj, liste(m_db, QStringLiteral("SELECT AMBALAJ_KOD FROM AMBALAJ ORDER BY AMBALAJ_KOD"), false));
    seciliYap(CmbAmbalaj, str(a, "AMBALAJ_NO"));
    ambalajGoster();
    resmiGoster();
    fiyatlariGoster();
}

void TFormStokSakla::altGruplariDoldur(const QString& secili)
{
    CmbAltGrup->clear();
    CmbAltGrup->addItem(QString(), QString());
    Query q(m_db, QStringLiteral("SELECT ALT_GRUP_KODU, GRUP_ADI FROM ALTGRUP WHERE GRUP_KODU = :G ORDER BY GRUP_ADI"));
    q.bind(QStringLiteral("G"), CmbGrup->currentData().toString()).exec();
    while (q.next())
        CmbAltGrup->addItem(QStringLiteral("%1 - %2").arg(q.value(0).toString(), q.value(1).toString()), q.value(0).toString());
    seciliYap(CmbAltGrup, secili);
}

void TFormStokSakla::CmbGrupChange()
{
    Guard([this] { altGruplariDoldur({}); });
}

void TFormStokSakla::modelleriOku()
{
    GridModel->setRowCount(0);
    if (!m_db.dialect().tableExists(m_db, QStringLiteral("MODELKOD"))) {
        // Without the model catalogue the links cannot be chosen: the grid is greyed.
        GridModel->setEnabled(false);
        for (auto* b : {findChild<QPushButton*>(QStringLiteral("BtnModelEkle")), findChild<QPushButton*>(QStringLiteral("BtnModelSil"))})
            if (b)
                b->setEnabled(false);
    }
    Query q(m_db, QStringLiteral("SELECT PA_MODEL, PA_TIP, MODEL_YIL1, MODEL_YIL2 FROM PARACTIP WHERE PA_STOK = :S ORDER BY PA_MODEL"));
    q.bind(QStringLiteral("S"), EditParcaNo->text().trimmed()).exec();
    while (q.next()) {
        const int r = GridModel->rowCount();
        GridModel->insertRow(r);
        for (int c = 0; c < 4; ++c)
            GridModel->setItem(r, c, new QTableWidgetItem(q.value(c).toString()));
    }
}

void TFormStokSakla::muadilleriOku()
{
    GridMuadil->setRowCount(0);
    const QString no = m_kart.parcaNo().trimmed();
    if (no.isEmpty())
        return;
    for (const QString& k : MuadilKodlar(m_db, no)) {
        const int r = GridMuadil->rowCount();
        GridMuadil->insertRow(r);
        GridMuadil->setItem(r, 0, new QTableWidgetItem(k));
    }
}

void TFormStokSakla::ambalajGoster()
{
    const Ambalaj a = AmbalajOku(m_db, CmbAmbalaj->currentData().toString());
    const double d[] = {a.AMBALAJ_ADET, a.AMBALAJ_BOY, a.AMBALAJ_AGIR, a.BIRIM_AGIR};
    for (int i = 0; i < m_ambalajEtiketleri.size(); ++i)
        m_ambalajEtiketleri[i]->setText(a.AMBALAJ_KOD.isEmpty() ? QString() : FormatMoney(d[i], QStringLiteral(",0.00")));
}

void TFormStokSakla::resmiGoster()
{
    LblResimHata->hide();
    const QVariant no = m_kart.alan.value(QStringLiteral("RESIM_NO"));
    ImgResim->noktaAyarla({m_kart.alan.value(QStringLiteral("KOORX")).toInt(), m_kart.alan.value(QStringLiteral("KOORY")).toInt()});
    if (no.isNull() || no.toInt() <= 0) {
        ImgResim->temizle();
        return;
    }
    if (!ImgResim->resimGoster(ResimOku(m_db, no.toInt())))
        LblResimHata->show();
}

void TFormStokSakla::fiyatlariGoster()
{
    const StokHesapliFiyatlar h = StokHesapliFiyatlariBul(m_db, m_ctx, m_kart.alan);
    const QHash<QString, double> degerler = {
        {QStringLiteral("ISKLI1"), h.ISKLI1}, {QStringLiteral("ISKLI2"), h.ISKLI2},
        {QStringLiteral("SONALIS_FYT_TL"), m_kart.alan.value(QStringLiteral("SONALIS_FYT_TL")).toDouble()},
        {QStringLiteral("SONALISFYT_USD"), h.SONALISFYT_USD},
        {QStringLiteral("SONALIS_FYT_DOVIZ"), m_kart.alan.value(QStringLiteral("SONALIS_FYT_DOVIZ")).toDouble()},
        {QStringLiteral("SATIS_KDVLI"), h.SATIS_KDVLI}, {QStringLiteral("SAT_KDVLI_USD"), h.SAT_KDVLI_USD},
        {QStringLiteral("SAT_KDVLI_DVZ"), h.SAT_KDVLI_DVZ}};
    for (auto it = degerler.cbegin(); it != degerler.cend(); ++it)
        if (QLabel* l = hesapliKutular.value(it.key()))
            l->setText(FormatMoney(it.value(), QStringLiteral(",0.00")));
    for (const char* k : {"SAT_FYT_TL", "SAT_FYT_DOVIZ"})
        fiyatKutulari.value(QString::fromLatin1(k))->setText(sayiMetni(m_kart.alan.value(QString::fromLatin1(k))));
    if (auto* l = findChild<QLabel*>(QStringLiteral("LblFiyatDoviz")))
        l->setText(CmbDoviz->currentData().toString());
}

bool TFormStokSakla::alanlariTopla()
{
    QVariantMap& a = m_kart.alan;
    for (const char* k : kFiyatKolonlari) {
        const QString ad = QString::fromLatin1(k);
        const QString t = ad == QLatin1String("KDV") ? EditKdv->text().trimmed() : fiyatKutulari.value(ad)->text().trimmed();
        if (t.isEmpty()) {
            a.insert(ad, QVariant(QMetaType(QMetaType::Double)));
            continue;
        }
        double v = 0;
        if (!ParseMoney(t, &v)) {
            ShowWarning(SayiDegilMesaji(t));
            return false;
        }
        if (ad == QLatin1String("KDV"))
            a.insert(ad, qRound(v));
        else
            a.insert(ad, v);
    }
    a.insert(QStringLiteral("ACILIS_TRH"), QDateTime(EditTarih->date(), QTime(0, 0)));
    a.insert(QStringLiteral("STOK_ADI_TR"), EditStokAdiTr->text());
    a.insert(QStringLiteral("STOK_ADI_ING"), EditStokAdiIng->text());
    if (m_kart.yeni)
        a.insert(QStringLiteral("STOK_KOD_NO"), EditParcaNo->text());
    a.insert(QStringLiteral("FYT_KUR"), CmbDoviz->currentData().toString());
    a.insert(QStringLiteral("PAY"), CmbPay->currentData().toString());
    a.insert(QStringLiteral("BIRIMI"), CmbBirim->currentText().trimmed().left(5));
    a.insert(QStringLiteral("WIRACC0"), ChkPasif->isChecked() ? QStringLiteral("E") : QStringLiteral("H"));
    a.insert(QStringLiteral("GARANTI_BELGE"), ChkGaranti->isChecked() ? QStringLiteral("E") : QStringLiteral("H"));
    a.insert(QStringLiteral("GRUP_NO"), CmbGrup->currentData().toString());
    a.insert(QStringLiteral("ALTGRUP_NO"), CmbAltGrup->currentData().toString());
    a.insert(QStringLiteral("ESKI_PART_NO"), findChild<QLineEdit*>(QStringLiteral("EditEskiPN"))->text().trimmed());
    a.insert(QStringLiteral("YENI_KOD"), findChild<QLineEdit*>(QStringLiteral("EditYeniPN"))->text().trimmed());
    a.insert(QStringLiteral("YENI_KOD_SON"), findChild<QLineEdit*>(QStringLiteral("EditEnYeniPN"))->text().trimmed());
    a.insert(QStringLiteral("FYT_TRH"), QDateTime(findChild<QDateEdit*>(QStringLiteral("EditFiyatTarihi"))->date(), QTime(0, 0)));
    const QString rekabet = findChild<QComboBox*>(QStringLiteral("CmbRekabet"))->currentData().toString();
    a.insert(QStringLiteral("REKABET"), rekabet.isEmpty() ? QVariant(QMetaType(QMetaType::Int)) : QVariant(rekabet.toInt()));
    a.insert(QStringLiteral("BARKOD"), EditBarkod->text().trimmed());
    a.insert(QStringLiteral("BARK_TIP"), CmbBarkodTipi->currentData().toString());
    a.insert(QStringLiteral("ACIKLAMA"), findChild<QPlainTextEdit*>(QStringLiteral("EditAciklama"))->toPlainText());
    a.insert(QStringLiteral("ISKGRUP"), CmbIskGrup->currentData().toString());
    a.insert(QStringLiteral("ORJ"), CmbOrj->currentData().toString());
    a.insert(QStringLiteral("KAYNAK"), CmbKaynak->currentText().trimmed().left(15));
    a.insert(QStringLiteral("MARKAKOD"), EditMarka->text().trimmed());
    a.insert(QStringLiteral("MODEL_NO"), findChild<QLineEdit*>(QStringLiteral("EditModelNo"))->text().trimmed());
    a.insert(QStringLiteral("AMBALAJ_NO"), CmbAmbalaj->currentData().toString());
    return true;
}

void TFormStokSakla::BtnKaydetClick()
{
    if (!alanlariTopla())
        return;
    Guard([this] {
        const QString m = StokKartiKaydet(m_db, m_kart);
        if (m == ParcaNoVarMesaji()) {
            ShowWarning(m);
            return;
        }
        if (!m.isEmpty()) {
            ShowInfo(m);
            return;
        }
        donenParcaNo = m_kart.parcaNo();
        m_bitti = true;
        accept();
    });
}

void TFormStokSakla::BtnIptalClick()
{
    m_kart.raflar.clear();
    m_bitti = true;
    reject();
}

void TFormStokSakla::closeEvent(QCloseEvent* e)
{
    if (!m_bitti) {
        ShowWarning(QStringLiteral("Değişikliği Saklayınız yada İptal Ediniz!"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TFormStokSakla::BtnKdvHaricClick()
{
    if (!alanlariTopla())
        return;
    KdvHaricFiyatHesapla(m_kart.alan);
    fiyatlariGoster();
}

void TFormStokSakla::BtnKurSecClick()
{
    if (!alanlariTopla())
        return;
    const double kur = DovizKuruSec(m_ctx, CmbDoviz->currentData().toString());
    if (kur <= 0)
        return;
    m_kart.alan.insert(QStringLiteral("SAT_FYT_TL"), kur * m_kart.alan.value(QStringLiteral("SAT_FYT_DOVIZ")).toDouble());
    fiyatlariGoster();
    ShowInfo(QStringLiteral("Satış TL Fiyatı, Döviz Kuruna göre güncellenmiştir!"));
}

void TFormStokSakla::BtnMarkaSecClick()
{
    Guard([this] {
        const QString m = MarkaSec(m_ctx, 1, this);
        if (!m.isEmpty())
            EditMarka->setText(m);
    });
}

void TFormStokSakla::BtnMuadilEkleClick()
{
    const QString no = EditParcaNo->text().trimmed();
    if (no.isEmpty())
        return;
    Guard([&] {
        TypeStok secilen;
        StokSecKayit(m_ctx, 1, secilen, this);
        if (secilen.StokNo <= 0)
            return;
        MuadilKoduYaz(m_db, no, secilen.StokKod);
        m_kart.alan.insert(QStringLiteral("STOK_KOD_NO"), no);
        muadilleriOku();
    });
}

void TFormStokSakla::BtnResimYukleClick()
{
    Guard([this] {
        const int no = StokResimSec(m_ctx, true, this);
        if (no == -1)
            return;
        m_kart.alan.insert(QStringLiteral("RESIM_NO"), no);
        resmiGoster();
    });
}

void TFormStokSakla::EditBarkodExit()
{
    Guard([this] {
        if (BarkodBaskaKartta(m_db, EditBarkod->text(), m_kart.stokNo()))
            ShowWarning(BarkodVarMesaji());
    });
}

void StokKartiAc(const SessionContext& ctx, bool kopyaYeni, QString& parcaNo, double stokNo, QWidget* parent)
{
    parcaNo.clear();
    const Db& db = ctx.Database1;
    const QDate bugun = QDate::currentDate();
    StokKarti kart;
    if (kopyaYeni && stokNo <= 0) {
        kart = YeniStokKarti(db, ctx, bugun);
    } else {
        const StokKarti mevcut = StokKartiOku(db, stokNo);
        if (kopyaYeni || mevcut.alan.isEmpty())
            kart = StokKartiKopyala(db, ctx, mevcut, bugun);
        else
            kart = mevcut;
    }
    TFormStokSakla f(ctx, kart, parent);
    if (f.exec() == QDialog::Accepted)
        parcaNo = f.donenParcaNo;
}

} // namespace tornaly::stock
