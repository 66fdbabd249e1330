#include "stock/slips/StkFis.h"
#include "util/Utf8.h"

#include "company/Kilit.h"
#include "controls/TarihEdit.h"
#include "export/SpreadsheetReader.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "report/ListReport.h"
#include "report/RaporCikti.h"
#include "services/MuhasebeEntegre.h"
#include "sql/SqlHelpers.h"
#include "stock/cards/StokSakla.h"
#include "stock/common/ListeGorunumu.h"
#include "stock/movements/DepoHrkForm.h"
#include "stock/slips/StkFisKK.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
using text::S;
int g_acikPencere = 0;

enum SatirKolonu { KSira, KKod, KAd, KMiktar, KFiyat, KKdv, KSeri, KAciklama, KFytUsd, KFytDvz, KKdvDahil, KolonSayisi };

QPushButton* fisDugmesi(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QString::fromLatin1(ad));
    return b;
}

void depolariDoldur(const Db& db, const SessionContext& ctx, QComboBox* cmb)
{
    cmb->addItem(QString(), QString());
    for (const auto& [kod, ad] : FisDepolari(ctx, db))
        cmb->addItem(ad, kod);
}

void depoSec(QComboBox* cmb, const QString& kod)
{
    const int i = cmb->findData(kod.trimmed());
    cmb->setCurrentIndex(i < 0 ? 0 : i);
}
} // namespace

int TFormStkFis::AcikPencereSayisi() { return g_acikPencere; }

TFormStkFis::TFormStkFis(SessionContext& ctx, double hrkno, QChar tip, QWidget* parent)
    : QWidget(parent, Qt::Window), HRKNOSU(hrkno), TIPSTK(tip), m_ctx(ctx), m_db(ctx.Database1)
{
    ++g_acikPencere;
    MuhKytVarmi = MuhasebeAktarimSecimi(m_db, u'H');
    setObjectName(QStringLiteral("FormStkFis"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(S("Stok Fişi"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kurBaslik());
    auto* bol = new QSplitter(Qt::Vertical, this);
    bol->addWidget(kurSatirlar());
    bol->addWidget(kurStokListesi());
    lay->addWidget(bol, 1);
    lay->addLayout(kurDugmeler());
    kurMenu();
    fisiYukle(HRKNOSU, TIPSTK);
    resize(1100, 760);
}

TFormStkFis::~TFormStkFis() { --g_acikPencere; }

QWidget* TFormStkFis::kurBaslik()
{
    auto* w = new QWidget(this);
    auto* g = new QGridLayout(w);
    auto etiket = [&](const QString& t, int r, int c) { g->addWidget(new QLabel(t, w), r, c); };
    LblTip = new QLabel(w);
    LblTip->setObjectName(QStringLiteral("LblTip"));
    QFont f = LblTip->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    LblTip->setFont(f);
    g->addWidget(LblTip, 0, 0, 1, 2);
    etiket(S("Stok Fiş No"), 0, 2);
    EditHrkNo = new QLineEdit(w);
    EditHrkNo->setObjectName(QStringLiteral("EditHrkNo"));
    EditHrkNo->setReadOnly(true);
    g->addWidget(EditHrkNo, 0, 3);
    etiket(S("Tarihi"), 0, 4);
    EditTarih = new TTarihEdit(w);
    EditTarih->setObjectName(QStringLiteral("EditTarih"));
    g->addWidget(EditTarih, 0, 5);
    etiket(S("Özel Kod"), 0, 6);
    EditOzelKod = new QLineEdit(w);
    EditOzelKod->setObjectName(QStringLiteral("EditOzelKod"));
    EditOzelKod->setMaxLength(5);
    g->addWidget(EditOzelKod, 0, 7);

    const struct {
        QLineEdit** edit;
        const char* ad;
        const char* baslik;
    } aciklamalar[] = {{&EditAciklama1, "EditAciklama1", "Açıklama"},
                       {&EditAciklama2, "EditAciklama2", "Firma Adı"},
                       {&EditAciklama3, "EditAciklama3", "Sevk Adr."}};
    int r = 1;
    for (const auto& a : aciklamalar) {
        etiket(S(a.baslik), r, 0);
        *a.edit = new QLineEdit(w);
        (*a.edit)->setObjectName(QString::fromLatin1(a.ad));
        (*a.edit)->setMaxLength(65);
        g->addWidget(*a.edit, r, 1, 1, 3);
        ++r;
    }
    etiket(S("Sorumlusu"), 1, 4);
    EditPerson = new QLineEdit(w);
    EditPerson->setObjectName(QStringLiteral("EditPerson"));
    EditPerson->setReadOnly(true);
    g->addWidget(EditPerson, 1, 5);
    etiket(S("Stk.Çıkış Deposu"), 2, 4);
    CmbCikDepo = new QComboBox(w);
    CmbCikDepo->setObjectName(QStringLiteral("CmbCikDepo"));
    g->addWidget(CmbCikDepo, 2, 5);
    etiket(S("Stk.Giriş Deposu"), 3, 4);
    CmbGirDepo = new QComboBox(w);
    CmbGirDepo->setObjectName(QStringLiteral("CmbGirDepo"));
    g->addWidget(CmbGirDepo, 3, 5);
    depolariDoldur(m_db, m_ctx, CmbCikDepo);
    depolariDoldur(m_db, m_ctx, CmbGirDepo);
    LblOnay = new QLabel(S("Onay Durumu"), w);
    g->addWidget(LblOnay, 1, 6);
    ChkOnay = new QCheckBox(S("Onay Bekliyor"), w);
    ChkOnay->setObjectName(QStringLiteral("ChkOnay"));
    g->addWidget(ChkOnay, 1, 7);
    etiket(S("Muh Ref.No :"), 2, 6);
    EditFisNo = new QLineEdit(w);
    EditFisNo->setObjectName(QStringLiteral("EditFisNo"));
    EditFisNo->setReadOnly(true);
    g->addWidget(EditFisNo, 2, 7);
    LblToplam = new QLabel(w);
    LblToplam->setObjectName(QStringLiteral("LblToplam"));
    g->addWidget(LblToplam, 3, 6, 1, 2);
    auto* not_ = new QLabel(
        S("Dikkat: Aylık Env.e göre M.Analizi Tutanlar Fiş Trh.i Önceki Yılın Son Günü Olarak Yazmalıdırlar."), w);
    g->addWidget(not_, 4, 0, 1, 8);

    connect(ChkOnay, &QCheckBox::toggled, this, [this](bool on) {
        ChkOnay->setText(on ? S("Onaylandı") : S("Onay Bekliyor"));
        if (!m_yukleniyor)
            m_degisti = true;
    });
    for (QLineEdit* e : {EditOzelKod, EditAciklama1, EditAciklama2, EditAciklama3})
        connect(e, &QLineEdit::textEdited, this, [this] { m_degisti = true; });
    for (QComboBox* c : {CmbCikDepo, CmbGirDepo})
        connect(c, &QComboBox::activated, this, [this] { m_degisti = true; });
    return w;
}

QWidget* TFormStkFis::kurSatirlar()
{
    auto* w = new QWidget(this);
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    GridSatir = new QTableWidget(0, KolonSayisi, w);
    GridSatir->setObjectName(QStringLiteral("GridSatir"));
    GridSatir->setHorizontalHeaderLabels({S("SNo"), S("Stok Kodu"), S("Stok Adı"), S("Miktar"), S("Fiyat TL"), S("KDV"),
                                          S("Seri/Parti No"), S("Açıklama"), S("Fyt USD"), S("Fyt Dvz"), S("Kdv dahilmi")});
    for (int c : {KFytUsd, KFytDvz, KKdvDahil})
        GridSatir->setColumnHidden(c, true);
    GridSatir->horizontalHeader()->setSectionResizeMode(KAd, QHeaderView::Stretch);
    GridSatir->verticalHeader()->hide();
    lay->addWidget(GridSatir);
    connect(GridSatir, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) { satirDegisti(r, c); }));
    connect(GridSatir, &QTableWidget::currentCellChanged, this, Guarded([this](int r) {
                if (r >= 0 && r < m_fis.satirlar.size())
                    depoSeridiGoster(m_fis.satirlar[r].STOK_NO);
            }));
    GridSatir->installEventFilter(this);
    return w;
}

QWidget* TFormStkFis::kurStokListesi()
{
    auto* w = new QWidget(this);
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    auto* ust = new QHBoxLayout;
    LblAraAlan = new QLabel(S("Kod a Göre"), w);
    LblAraAlan->setObjectName(QStringLiteral("LblAraAlan"));
    EditAra = new QLineEdit(w);
    EditAra->setObjectName(QStringLiteral("EditAra"));
    BtnStokKarti = fisDugmesi(w, "BtnStokKarti", S("Stok Kartı"));
    BtnStokHareket = fisDugmesi(w, "BtnStokHareket", S("Stok Hareketleri"));
    BtnBarkod = fisDugmesi(w, "BtnBarkod", S("Barkod Okuyucu F5"));
    LblMod = new QLabel(S("Klavye Aktif"), w);
    LblMod->setObjectName(QStringLiteral("LblMod"));
    BtnMerkez = fisDugmesi(w, "BtnMerkez", S("Merkez Kaynaklıları Göster"));
    ust->addWidget(LblAraAlan);
    ust->addWidget(EditAra, 1);
    for (QWidget* x : {static_cast<QWidget*>(BtnStokKarti), static_cast<QWidget*>(BtnStokHareket),
                       static_cast<QWidget*>(BtnBarkod), static_cast<QWidget*>(LblMod), static_cast<QWidget*>(BtnMerkez)})
        ust->addWidget(x);
    lay->addLayout(ust);
    GridStok = new QTableView(w);
    GridStok->setObjectName(QStringLiteral("GridStok"));
    GridStok->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridStok->setSelectionMode(QAbstractItemView::SingleSelection);
    GridStok->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStok = new BoundQueryModel(this);
    ListeHazirla(GridStok, QStok,
                 {{{S("STOK_KOD_NO"), S("Stok Kodu")}, {S("STOK_ADI_TR"), S("Stok Adı")}, {S("STOK_ADI_ING"), S("İngilizce Adı")},
                   {S("BARKOD"), S("Barkod")}, {S("GRUP_NO"), S("Grup")}, {S("BIRIMI"), S("Birimi")},
                   {S("ALIS_FYT_TL"), S("Alış Fyt")}, {S("SAT_FYT_TL"), S("Satış Fyt")}, {S("MALIYET_FYT_TL"), S("Maliyet")},
                   {S("KDV"), S("KDV")}, {S("ESKI_PART_NO"), S("Eski Parça No")}, {S("PAY"), S("PAY")}, {S("ORJ"), S("ORJ")},
                   {S("SERITAKIP"), S("Seri Takip")}},
                  {S("STOK_NO")},
                  {{S("ALIS_FYT_TL"), S(",0.00")}, {S("SAT_FYT_TL"), S(",0.00")}, {S("MALIYET_FYT_TL"), S(",0.00")},
                   {S("KDV"), S(",0")}}});
    GridStok->installEventFilter(this);
    lay->addWidget(GridStok, 1);
    GridDepo = new QTableWidget(1, 11, w);
    GridDepo->setObjectName(QStringLiteral("GridDepo"));
    GridDepo->verticalHeader()->hide();
    GridDepo->setMaximumHeight(60);
    GridDepo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lay->addWidget(GridDepo);
    {
        QStringList basliklar{S("Toplam")};
        Query q(m_db, S("SELECT DEPO_KODU, DEPO_ADI FROM DEPO ORDER BY SIRA, DEPO_KODU"));
        q.exec();
        while (q.next() && basliklar.size() < 11)
            basliklar << q.str(S("DEPO_ADI")) + S(" DK:") + q.str(S("DEPO_KODU")).trimmed();
        GridDepo->setColumnCount(int(basliklar.size()));
        GridDepo->setHorizontalHeaderLabels(basliklar);
        GridDepo->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    }

    EditAra->installEventFilter(this);
    connect(EditAra, &QLineEdit::returnPressed, this, Guarded(this, &TFormStkFis::EditAraEnter));
    connect(EditAra, &QLineEdit::textEdited, this, [this] { doubleenter = false; });
    connect(GridStok, &QTableView::doubleClicked, this, Guarded(this, &TFormStkFis::StokEkle));
    connect(BtnBarkod, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnBarkodClick));
    connect(BtnMerkez, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnMerkezClick));
    connect(BtnStokKarti, &QPushButton::clicked, this, Guarded([this] {
                QString kod;
                const double no = seciliStokNo();
                if (no > 0)
                    StokKartiAc(m_ctx, false, kod, no, this);
            }));
    connect(BtnStokHareket, &QPushButton::clicked, this, Guarded([this] {
                const double no = seciliStokNo();
                if (no > 0)
                    DepoHareketleri(m_ctx, QString(), no, this);
            }));
    return w;
}

void TFormStkFis::kurMenu()
{
    MenuAra = new QMenu(this);
    MenuAra->setObjectName(QStringLiteral("PopupMenu"));
    const struct {
        const char* ad;
        const char* baslik;
        const char* alan;
        const char* etiket;
        QKeySequence tus;
    } aramalar[] = {{"AdaGoreAra", "Ada Göre Ara", "AD", "Ada Göre", QKeySequence(Qt::CTRL | Qt::Key_A)},
                    {"KodaGoreAra", "Koda Göre Ara", "KOD", "Kod a Göre", QKeySequence(Qt::CTRL | Qt::Key_K)},
                    {"BarkodaGoreAra", "Barkod a Göre Arama", "BARKOD", "Barkod a Göre Arama",
                     QKeySequence(Qt::CTRL | Qt::Key_B)}};
    for (const auto& a : aramalar) {
        QAction* act = MenuAra->addAction(S(a.baslik));
        act->setObjectName(QString::fromLatin1(a.ad));
        act->setShortcut(a.tus);
        act->setShortcutContext(Qt::WindowShortcut);
        addAction(act);
        const QString alan = QString::fromLatin1(a.alan), etiket = S(a.etiket);
        connect(act, &QAction::triggered, this, [this, alan, etiket] {
            m_araAlan = alan;
            LblAraAlan->setText(etiket);
            EditAra->setFocus();
        });
    }
    QAction* merkez = MenuAra->addAction(S("Merkez Kaynaklıları Göster"));
    merkez->setObjectName(QStringLiteral("MerkezKaynaklilariGoster"));
    connect(merkez, &QAction::triggered, this, Guarded(this, &TFormStkFis::BtnMerkezClick));
    QAction* disari = MenuAra->addAction(S("Excele Aktar"));
    disari->setObjectName(QStringLiteral("ExceleAktar"));
    connect(disari, &QAction::triggered, this, Guarded([this] { GridExport(QStringLiteral("E"), GridSatir, true); }));
    QAction* gizli = MenuAra->addAction(QStringLiteral("EXCEL"));
    gizli->setObjectName(QStringLiteral("EXCEL"));
    gizli->setVisible(false);
    gizli->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    addAction(gizli);
    connect(gizli, &QAction::triggered, this, [this] { BtnExcel->setVisible(true); });
    for (QWidget* w : {static_cast<QWidget*>(GridStok), static_cast<QWidget*>(GridSatir)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& p) { MenuAra->popup(w->mapToGlobal(p)); });
    }
}

QLayout* TFormStkFis::kurDugmeler()
{
    auto* d = new QHBoxLayout;
    CmbYazdir = new QComboBox(this);
    CmbYazdir->setObjectName(QStringLiteral("CmbYazdir"));
    CmbYazdir->addItems({report::OutputPreview, report::OutputWord, report::OutputExcel, report::OutputText});
    BtnYazdir = fisDugmesi(this, "BtnYazdir", S("Yazdır"));
    BtnExcel = fisDugmesi(this, "BtnExcel", S("Excelden Aktar"));
    BtnExcel->setVisible(false);
    CmbFiyat = new QComboBox(this);
    CmbFiyat->setObjectName(QStringLiteral("CmbFiyat"));
    CmbFiyat->setToolTip(S("Fiyat Güncelle"));
    CmbFiyat->addItems({S("Alışların Ortalaması"), S("Aylık Maliyet Analizi "), S("Satış Fiyattan"), S("Alış Fiyattan")});
    BtnFiyat = fisDugmesi(this, "BtnFiyat", S("Fiyatları Güncelle"));
    BtnHesap = fisDugmesi(this, "BtnHesap", S("Hesap Güncelle"));
    BtnIptal = fisDugmesi(this, "BtnIptal", S("İptal"));
    BtnSakla = fisDugmesi(this, "BtnSakla", S("Sakla"));
    BtnKapat = fisDugmesi(this, "BtnKapat", S("Kapat"));
    for (QWidget* x : {static_cast<QWidget*>(CmbYazdir), static_cast<QWidget*>(BtnYazdir),
                       static_cast<QWidget*>(BtnExcel), static_cast<QWidget*>(CmbFiyat), static_cast<QWidget*>(BtnFiyat),
                       static_cast<QWidget*>(BtnHesap)})
        d->addWidget(x);
    d->addStretch();
    for (QPushButton* b : {BtnIptal, BtnSakla, BtnKapat})
        d->addWidget(b);
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnYazdirClick));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnExcelClick));
    connect(BtnFiyat, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnFiyatClick));
    connect(BtnHesap, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnHesapClick));
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnIptalClick));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormStkFis::BtnSaklaClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QWidget::close);
    return d;
}

void TFormStkFis::fisiYukle(double hrkno, QChar tip)
{
    std::optional<StokFisi> okunan = hrkno > 0 ? StokFisiOku(m_db, hrkno) : std::nullopt;
    if (okunan) {
        m_fis = *okunan;
        m_salt = IsDateLocked(m_ctx, true, m_fis.TARIH.date());
    } else {
        m_fis = YeniStokFisi(m_ctx, m_db, tip);
        m_degisti = true;
    }
    const StokFisTipi* t = StokFisTipiBul(m_fis.TIP);
    CmbCikDepo->setVisible(t && t->cikis);
    CmbGirDepo->setVisible(t && t->giris);
    ChkOnay->setVisible(m_fis.TIP == u'O');
    LblOnay->setVisible(m_fis.TIP == u'O');
    ChkOnay->setEnabled(m_ctx.AktifKullanici.DepoTransferOnayi);
    basligiGoster();
    satirlariGoster();
    const bool yazilir = !m_salt;
    for (QWidget* w : {static_cast<QWidget*>(BtnSakla), static_cast<QWidget*>(BtnFiyat),
                       static_cast<QWidget*>(BtnExcel), static_cast<QWidget*>(EditTarih)})
        w->setEnabled(yazilir);
    if (m_salt)
        GridSatir->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TFormStkFis::basligiGoster()
{
    m_yukleniyor = true;
    const StokFisTipi* t = StokFisTipiBul(m_fis.TIP);
    LblTip->setText(t ? t->fisBasligi : QString());
    setWindowTitle(S("Stok Fişi - ") + (t ? t->fisBasligi : QString()));
    EditHrkNo->setText(QString::number(qint64(m_fis.HRKNO)));
    EditTarih->setTarih(m_fis.TARIH.date());
    EditOzelKod->setText(m_fis.OZELKOD);
    EditAciklama1->setText(m_fis.ACIKLAMA1);
    EditAciklama2->setText(m_fis.ACIKLAMA2);
    EditAciklama3->setText(m_fis.ACIKLAMA3);
    EditPerson->setText(m_fis.PERSON_KOD);
    depoSec(CmbCikDepo, m_fis.CIKDEPO);
    depoSec(CmbGirDepo, m_fis.GIRDEPO);
    ChkOnay->setChecked(m_fis.ONAY);
    ChkOnay->setText(m_fis.ONAY ? S("Onaylandı") : S("Onay Bekliyor"));
    EditFisNo->setText(m_fis.FIS_NO.isValid() ? QString::number(m_fis.FIS_NO.toLongLong()) : QString());
    toplamlariGoster();
    m_yukleniyor = false;
}

void TFormStkFis::basligiAl()
{
    // Leaving the date empty puts today back.
    const QDate tarih = EditTarih->tarih().isValid() ? EditTarih->tarih() : ServerToday(m_db);
    if (tarih != m_fis.TARIH.date())
        m_fis.TARIH = QDateTime(tarih, QTime(0, 0));
    m_fis.OZELKOD = EditOzelKod->text();
    m_fis.ACIKLAMA1 = EditAciklama1->text();
    m_fis.ACIKLAMA2 = EditAciklama2->text();
    m_fis.ACIKLAMA3 = EditAciklama3->text();
    m_fis.CIKDEPO = CmbCikDepo->isVisibleTo(this) ? CmbCikDepo->currentData().toString() : QString();
    m_fis.GIRDEPO = CmbGirDepo->isVisibleTo(this) ? CmbGirDepo->currentData().toString() : QString();
    m_fis.ONAY = m_fis.TIP == u'O' && ChkOnay->isChecked();
}

void TFormStkFis::satirlariGoster(int secili)
{
    m_yukleniyor = true;
    GridSatir->setRowCount(int(m_fis.satirlar.size()));
    for (int r = 0; r < m_fis.satirlar.size(); ++r) {
        const StokFisSatiri& s = m_fis.satirlar[r];
        const QStringList degerler{QString::number(s.SIRANO), s.STOK_KOD_NO,  s.STOK_ADI,
                                   FormatMoney(s.MIKTAR, S(",0.00##")), FormatMoney(s.FIYAT, S(",0.00")),
                                   FormatMoney(s.KDV, S(",0.##")), s.SERINO, s.ACIKLAMA,
                                   FormatMoney(s.FYT_USD, S(",0.00")), FormatMoney(s.FYT_DOVIZ, S(",0.00")), s.KDV_DAHIL};
        for (int c = 0; c < KolonSayisi; ++c) {
            auto* item = new QTableWidgetItem(degerler[c]);
            if (c == KSira || c == KKod || c == KAd || c >= KFytUsd)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (c == KMiktar || c == KFiyat || c == KKdv)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridSatir->setItem(r, c, item);
        }
    }
    GridSatir->resizeColumnsToContents();
    GridSatir->horizontalHeader()->setSectionResizeMode(KAd, QHeaderView::Stretch);
    if (secili >= 0 && secili < GridSatir->rowCount())
        GridSatir->setCurrentCell(secili, KMiktar);
    m_yukleniyor = false;
    toplamlariGoster();
}

void TFormStkFis::satirDegisti(int row, int col)
{
    if (m_yukleniyor || row < 0 || row >= m_fis.satirlar.size())
        return;
    if (m_salt) {
        IsDateLocked(m_ctx, true, m_fis.TARIH.date());
        satirlariGoster(row);
        return;
    }
    StokFisSatiri& s = m_fis.satirlar[row];
    const QString metin = GridSatir->item(row, col)->text();
    double sayi = 0;
    const bool sayisal = ParseMoney(metin, &sayi) || metin.trimmed().isEmpty();
    switch (col) {
    case KMiktar: s.MIKTAR = sayisal ? sayi : s.MIKTAR; break;
    case KFiyat: s.FIYAT = sayisal ? sayi : s.FIYAT; break;
    case KKdv: s.KDV = sayisal ? sayi : s.KDV; break;
    case KSeri: s.SERINO = metin.left(30); break;
    case KAciklama: s.ACIKLAMA = metin.left(100); break;
    default: break;
    }
    m_degisti = true;
    m_yukleniyor = true;
    if (col == KMiktar)
        GridSatir->item(row, col)->setText(FormatMoney(s.MIKTAR, S(",0.00##")));
    else if (col == KFiyat)
        GridSatir->item(row, col)->setText(FormatMoney(s.FIYAT, S(",0.00")));
    else if (col == KKdv)
        GridSatir->item(row, col)->setText(FormatMoney(s.KDV, S(",0.##")));
    m_yukleniyor = false;
    toplamlariGoster();
}

void TFormStkFis::toplamlariGoster()
{
    StokFisiToplamlari(m_fis);
    LblToplam->setText(S("Tutar: %1   KDV: %2   Net Tutar: %3")
                           .arg(FormatMoney(m_fis.BRUTTUT, m_ctx.ParaFormat), FormatMoney(m_fis.KDVTUT, m_ctx.ParaFormat),
                                FormatMoney(m_fis.NETTUT, m_ctx.ParaFormat)));
}

void TFormStkFis::BtnHesapClick()
{
    const int r = GridSatir->currentRow();
    toplamlariGoster();
    if (r >= 0)
        GridSatir->setCurrentCell(r, GridSatir->currentColumn());
}

void TFormStkFis::BtnSaklaClick()
{
    if (m_salt || m_kaydedildi)
        return;
    basligiAl();
    StokFisiKaydet(m_ctx, m_db, m_fis);
    m_kaydedildi = true;
    m_degisti = false;
    // Accounting and the web page only once the slip is in.
    if (StokFisiMuhasebeyeGider(m_fis.TIP)) {
        if (MuhKytVarmi == MuhasebeAktarimi::Aktar ||
            (MuhKytVarmi == MuhasebeAktarimi::Sor && AskYesNo(S("Muhasebe Kaydı Yapılsın mı?"))))
            Guard([&] { MuhasebeEntegre(m_ctx, m_db, {u'H', false, m_fis.FIS_NO, m_fis.HRKNO}); });
    }
    close();
}

void TFormStkFis::BtnIptalClick()
{
    m_degisti = false;
    m_kaydedildi = true; // nothing to ask about
    close();
}

void TFormStkFis::closeEvent(QCloseEvent* e)
{
    if (m_degisti && !m_kaydedildi && !m_salt && !AskYesNo(S("Çalıştığınız Kaydı Saklamadınız. İptal Edilsin mi?"))) {
        e->ignore();
        return;
    }
    e->accept();
}

void TFormStkFis::BtnFiyatClick()
{
    if (!AskYesNo(S("Fiyatları güncellemek istiyor musunuz?")))
        return;
    const auto kaynak = static_cast<FiyatKaynagi>(CmbFiyat->currentIndex());
    if (kaynak == FiyatKaynagi::AylikMaliyetAnalizi &&
        !AskYesNo(S("Liste Raporlardan Maliyet Analizinden İlgili Tarihteki Maliyet Çalıştırdınızmı?")))
        return;
    basligiAl();
    StokFisiFiyatlariniGuncelle(m_ctx, m_db, m_fis, kaynak);
    m_degisti = true;
    satirlariGoster(GridSatir->currentRow());
    ShowInfo(S("Fiyatlar güncellendi!"));
}

void TFormStkFis::BtnExcelClick()
{
    if (!AskYesNo(S("Excelden Stok Listesini Aktarmak istiyor musunuz.\r\nExcel Sütunları (Stok Kodu, Miktar, Birim "
                    "Maliyet) Olmalı.\r\nDevam Etmek için Evet e tıklayınız.")))
        return;
    const QString dosya = Messages().askOpenFile(S("Excelden Aktar"), S("Excel (*.xlsx *.xls)"));
    if (dosya.isEmpty())
        return;
    QList<QVariantList> satirlar;
    try {
        const SheetTable d = ReadSpreadsheet(dosya);
        for (const QStringList& r : d.rows) {
            QVariantList v;
            for (const QString& h : r)
                v << h;
            satirlar << v;
        }
    } catch (const SpreadsheetError& e) {
        throw IslemReddi(S("Hata:") + e.text());
    }
    const FisAktarimi a = StokFisiExcelOku(m_db, satirlar);
    if (!a.hatali.isEmpty())
        ShowWarning(S("Hatalı okunan stoklar mevcut!"));
    if (a.dogru.isEmpty()) {
        ShowWarning(S("Aktarılacak sayım mevcut değil!"));
        return;
    }
    for (const FisAktarimSatiri& s : a.dogru)
        if (const auto k = StokKoduOzeti(m_db, s.stokKod))
            StokFisineEkle(m_ctx, m_fis, *k, {s.miktar, s.maliyet, true});
    m_degisti = true;
    satirlariGoster(int(m_fis.satirlar.size()) - 1);
    ShowInfo(QString::number(a.dogru.size()) + S(" adet sayım aktarımı tamamlandı"));
    EditAra->setFocus();
}

void TFormStkFis::BtnYazdirClick()
{
    basligiAl();
    StokFisiToplamlari(m_fis);
    QVector<QVector<QVariant>> rows;
    Query raf(m_db, S("SELECT RAF_YERI FROM STOKMIK WHERE STOK_NO = :N AND DEPO_KOD = :D"));
    for (const StokFisSatiri& s : m_fis.satirlar) {
        raf.bind(S("N"), s.STOK_NO).bind(S("D"), m_fis.GIRDEPO).exec();
        const QString r = raf.next() ? raf.str(S("RAF_YERI")) : QString();
        raf.finish();
        rows.append({s.STOK_KOD_NO, s.STOK_ADI, s.MIKTAR, s.FIYAT, s.KDVSIZTUT(), r});
    }
    const StokFisTipi* t = StokFisTipiBul(m_fis.TIP);
    QString alt = S("Stok Fişi No ") + QString::number(qint64(m_fis.HRKNO)) + S("   Hareket Trh :") +
                  m_fis.TARIH.date().toString(S("dd.MM.yyyy")) + S("   Stok Fişi Tipi ") + (t ? t->fisBasligi : QString());
    if (m_fis.TIP == u'O')
        alt += S("\nStokların Çıktığı Depo ") + CmbCikDepo->currentText() + S("   Stokların Gireceği Depo ") +
               CmbGirDepo->currentText();
    alt += S("\nToplam Tutarı : ") + FormatMoney(m_fis.BRUTTUT, m_ctx.ParaFormat) + S("   Kdv Tutarı : ") +
           FormatMoney(m_fis.KDVTUT, m_ctx.ParaFormat) + S("   Genel Toplam :") +
           FormatMoney(m_fis.NETTUT, m_ctx.ParaFormat) + S("\nAçıklama ") + m_fis.ACIKLAMA1;
    if (!m_fis.PERSON_KOD.isEmpty())
        alt += S("   Sorumlu ") + m_fis.PERSON_KOD;
    alt += S("   Kalem Sayısı :") + QString::number(m_fis.satirlar.size());
    report::Report rapor =
        report::ListReportBuilder(S("STOK FİŞİ"))
            .source(report::RecordsSource({S("STOK_KOD_NO"), S("STOK_ADI"), S("MIKTAR"), S("KDVSIZFYT"), S("KDVSIZTUT"),
                                           S("RAF_YERI")},
                                          rows))
            .company(m_ctx.FirmaAdi)
            .subtitle(S("Döküman Tarihi ") + ServerToday(m_db).toString(S("dd.MM.yyyy")) + S("\n") + alt)
            .text(S("STOK_KOD_NO"), S("Stok Kodu"), 35)
            .text(S("STOK_ADI"), S("Stok Adı"), 65)
            .money(S("MIKTAR"), S("Miktar"), 20, false)
            .money(S("KDVSIZFYT"), S("Birim Maliyet"), 25, false)
            .money(S("KDVSIZTUT"), S("Tutar"), 25, true)
            .text(S("RAF_YERI"), S("Raf"), 20)
            .build();
    report::RaporCikti(m_db, rapor, S("STOKFISI"), CmbYazdir->currentText());
}

void TFormStkFis::BtnMerkezClick()
{
    if (StkFisKarsiKod(m_ctx, 20, qint64(m_fis.HRKNO), m_fis.TIP, this))
        m_merkezAcik = true;
}

void TFormStkFis::stokListesiAc(const QString& alan, const QString& metin)
{
    QVariantMap b;
    QString sql = S("SELECT STOK_NO, STOK_KOD_NO, STOK_ADI_TR, STOK_ADI_ING, BARKOD, GRUP_NO, BIRIMI, ALIS_FYT_TL, "
                    "SAT_FYT_TL, MALIYET_FYT_TL, KDV, ESKI_PART_NO, PAY, ORJ, SERITAKIP FROM STOK WHERE 1 = 1");
    QString sira = S("STOK_KOD_NO");
    if (alan == QLatin1String("BARKOD") && !metin.isEmpty()) {
        sql += S(" AND BARKOD = :BARKOD");
        b[S("BARKOD")] = metin;
    } else if (alan == QLatin1String("AD") && !metin.isEmpty()) {
        sql += S(" AND ") + PrefixCondition(m_db, S("STOK_ADI_TR"), metin, S("AD"), b);
        sira = S("STOK_ADI_TR");
    } else if (!metin.isEmpty()) {
        sql += S(" AND ") + PrefixCondition(m_db, S("STOK_KOD_NO"), metin, S("KOD"), b);
    }
    // Distributor-sourced cards stay hidden in brand-dealer mode until released.
    if (m_ctx.MarkaBayiModu && !m_merkezAcik)
        sql += S(" AND (MERKEZ IS NULL OR MERKEZ <> 1)");
    sql += S(" ORDER BY ") + sira + S(", STOK_NO");
    QStok->setStatement(m_db, sql, b);
    QStok->setOrderKeys({S("STOK_NO")});
    QStok->open();
    KolonlariSigdir(GridStok);
    if (QStok->rowCount() > 0)
        GridStok->setCurrentIndex(QStok->index(0, 1));
}

void TFormStkFis::EditAraEnter()
{
    if (doubleenter) {
        doubleenter = false;
        GridStok->setFocus();
        return;
    }
    const QString metin = EditAra->text().trimmed();
    if (metin.isEmpty() &&
        AskYesNoCancel(S("Tüm Stok Kayıtlarının Listelenmesi Uzun Sürebilir!, Devam Etmek İstiyor Musunuz!")) != MsgYes)
        return;
    stokListesiAc(m_araAlan, metin);
    doubleenter = true;
    if (m_araAlan == QLatin1String("BARKOD") && QStok->rowCount() > 0 &&
        QStok->record(0).value(S("BARKOD")).toString() == metin)
        stokKaydiEkle(QStok->record(0).value(S("STOK_NO")).toDouble());
}

double TFormStkFis::seciliStokNo() const
{
    if (GridStok->hasFocus() && QStok->isOpen() && GridStok->currentIndex().isValid())
        return QStok->record(GridStok->currentIndex().row()).value(S("STOK_NO")).toDouble();
    const int r = GridSatir->currentRow();
    if (r >= 0 && r < m_fis.satirlar.size())
        return m_fis.satirlar[r].STOK_NO;
    if (QStok->isOpen() && GridStok->currentIndex().isValid())
        return QStok->record(GridStok->currentIndex().row()).value(S("STOK_NO")).toDouble();
    return 0;
}

void TFormStkFis::StokEkle()
{
    if (!QStok->isOpen() || !GridStok->currentIndex().isValid())
        return;
    stokKaydiEkle(QStok->record(GridStok->currentIndex().row()).value(S("STOK_NO")).toDouble());
}

void TFormStkFis::stokKaydiEkle(double stokNo, const StokEkleme& e)
{
    if (m_salt) {
        IsDateLocked(m_ctx, true, m_fis.TARIH.date());
        return;
    }
    const auto kart = StokKartiOzeti(m_db, stokNo);
    if (!kart)
        return;
    basligiAl();
    const int i = StokFisineEkle(m_ctx, m_fis, *kart, e);
    m_degisti = true;
    doubleenter = false;
    satirlariGoster(i);
    GridSatir->setFocus();
    depoSeridiGoster(stokNo);
}

void TFormStkFis::depoSeridiGoster(double stokNo)
{
    // Each warehouse column shows the part's shelf there, when it has one.
    {
        Query r(m_db, S("SELECT D.DEPO_KODU, D.DEPO_ADI, MAX(M.RAF_YERI) AS RAF FROM DEPO D LEFT JOIN STOKMIK M "
                        "ON M.DEPO_KOD = D.DEPO_KODU AND M.STOK_NO = :N GROUP BY D.SIRA, D.DEPO_KODU, D.DEPO_ADI "
                        "ORDER BY D.SIRA, D.DEPO_KODU"));
        r.bind(S("N"), stokNo).exec();
        for (int c = 1; r.next() && c < GridDepo->columnCount(); ++c) {
            const QString raf = r.str(S("RAF")).trimmed();
            GridDepo->setHorizontalHeaderItem(
                c, new QTableWidgetItem(raf.isEmpty() ? r.str(S("DEPO_ADI")) + S(" DK:") + r.str(S("DEPO_KODU")).trimmed()
                                                      : S("Raf:[") + raf + S("] / [") + r.str(S("DEPO_ADI")) + S("]")));
        }
    }
    Query q(m_db, S("SELECT * FROM V_DEPO WHERE STOK_NO = :N"));
    q.bind(S("N"), stokNo).exec();
    const bool var = q.next();
    GridDepo->setItem(0, 0, new QTableWidgetItem(FormatMoney(var ? q.num(S("MIK")) : 0, S(",0.##"))));
    for (int c = 1; c < GridDepo->columnCount(); ++c)
        GridDepo->setItem(0, c,
                          new QTableWidgetItem(FormatMoney(var ? q.num(S("DEPOM%1").arg(c)) : 0, S(",0.##"))));
}

void TFormStkFis::barkodModuAyarla(bool acik)
{
    m_barkod = acik;
    BtnBarkod->setText(acik ? S("Klavye F5") : S("Barkod Okuyucu F5"));
    LblMod->setText(acik ? S("Barkod Aktif") : S("Klavye Aktif"));
    m_araAlan = acik ? S("BARKOD") : S("KOD");
    LblAraAlan->setText(acik ? S("Barkod a Göre") : S("Kod a Göre"));
    ARAKOD.clear();
    IlkF2Geldi = SonF2Geldi = false;
    if (acik && !QStok->isOpen())
        stokListesiAc(S("KOD"), QString());
    GridStok->setFocus();
}

void TFormStkFis::BtnBarkodClick() { barkodModuAyarla(!m_barkod); }

void TFormStkFis::barkodBitti()
{
    const QString kod = ARAKOD;
    const bool ikinci = SonF2Geldi;
    ARAKOD.clear();
    IlkF2Geldi = SonF2Geldi = false;
    if (kod.isEmpty()) {
        StokEkle();
        return;
    }
    Query q(m_db, S("SELECT STOK_NO, BARKOD FROM STOK WHERE BARKOD = :B OR UPPER(BARKOD) = UPPER(:B)"));
    q.bind(S("B"), kod).exec();
    if (q.next() && q.str(S("BARKOD")).compare(kod, Qt::CaseInsensitive) == 0) {
        const double no = q.num(S("STOK_NO"));
        q.finish();
        stokKaydiEkle(no);
        GridStok->setFocus();
        return;
    }
    QApplication::beep();
    if (ikinci)
        barkodModuAyarla(false);
}

bool TFormStkFis::eventFilter(QObject* o, QEvent* ev)
{
    if (ev->type() != QEvent::KeyPress)
        return QWidget::eventFilter(o, ev);
    auto* e = static_cast<QKeyEvent*>(ev);
    if (fonksiyonTusu(e))
        return true;
    bool islendi = false;
    Guard([&] {
        if (o == GridSatir) {
            if (e->key() == Qt::Key_F9 && GridSatir->currentColumn() == KMiktar) {
                GridStok->setFocus();
                islendi = true;
            } else if (e->key() == Qt::Key_Insert) {
                islendi = true; // lines come only from the part list
            }
            return;
        }
        if (o != GridStok)
            return;
        switch (e->key()) {
        case Qt::Key_F9:
            if (!IlkF2Geldi) {
                if (!m_barkod)
                    barkodModuAyarla(true);
                IlkF2Geldi = true;
                ARAKOD.clear();
            } else {
                SonF2Geldi = true;
                barkodBitti();
            }
            islendi = true;
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_barkod)
                barkodBitti();
            else
                StokEkle();
            islendi = true;
            return;
        case Qt::Key_Backspace:
            if (m_barkod) {
                ARAKOD.chop(1);
                islendi = true;
            }
            return;
        case Qt::Key_Insert:
            if (e->modifiers() == Qt::NoModifier) {
                QString kod;
                StokKartiAc(m_ctx, false, kod, 0, this);
                islendi = true;
            }
            return;
        case Qt::Key_Delete:
            islendi = e->modifiers() & Qt::ControlModifier;
            return;
        default:
            break;
        }
        const QString t = e->text();
        if (t.isEmpty() || !t.at(0).isPrint())
            return;
        if (m_barkod) {
            ARAKOD += t;
        } else {
            EditAra->setFocus();
            EditAra->setText(EditAra->text() + t);
            doubleenter = false;
        }
        islendi = true;
    });
    return islendi || QWidget::eventFilter(o, ev);
}

bool TFormStkFis::fonksiyonTusu(QKeyEvent* e)
{
    const int k = e->key();
    if (k != Qt::Key_F2 && k != Qt::Key_F5 && k != Qt::Key_F6 && k != Qt::Key_F7 && k != Qt::Key_F11 && k != Qt::Key_F12)
        return false;
    Guard([&] {
        switch (k) {
        case Qt::Key_F2: BtnSaklaClick(); break;
        case Qt::Key_F5: barkodModuAyarla(!m_barkod); break;
        case Qt::Key_F6: BtnYazdirClick(); break;
        case Qt::Key_F7: BtnHesapClick(); break;
        case Qt::Key_F11: BtnStokHareket->click(); break;
        default: BtnStokKarti->click(); break;
        }
    });
    return true;
}

void TFormStkFis::keyPressEvent(QKeyEvent* e)
{
    if (fonksiyonTusu(e))
        return;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    Guard([&] {
        switch (e->key()) {
        case Qt::Key_L:
            if (ctrl)
                GridSatir->setFocus();
            break;
        case Qt::Key_U:
            if (ctrl)
                GridStok->setFocus();
            break;
        default: QWidget::keyPressEvent(e); break;
        }
    });
}

} // namespace tornaly::stock
