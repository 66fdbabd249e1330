#include "workshop/common/RowValues.h"
#include "connection/DialogRunner.h"
#include "controls/SayiAlani.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/attendance/forms/BakCihazdanGelen.h"

#include "context/SessionContext.h"
#include "guard/FormGuard.h"
#include "workshop/dispositions/IsEmriSatirlari.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "sql/SqlHelpers.h"
#include "workshop/dispositions/forms/SatirGrid.h"
#include "workshop/labour/Frt.h"
#include "workshop/labour/forms/FrtSakla.h"
#include "workshop/labour/forms/SecFrt.h"
#include "stock/labour/ParcayaGoreAriza.h"
#include "workshop/partsissue/forms/IsDetayForm.h"
#include "workshop/prints/DispozYaz.h"
#include "workshop/prints/IsEmriYaz.h"
#include "workshop/workorders/forms/IEBr.h"
#include "workshop/workorders/forms/IsEmri.h"
#include "dm/LookupLists.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
using rowvals::K;
QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
using rowvals::para;
} // namespace

TFormDispoz::TFormDispoz(SessionContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormDispoz"));
    setWindowTitle(QStringLiteral("Müşteri Talimatları"));
    auto* lay = new QVBoxLayout(this);

    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(QStringLiteral("Aranan İş &Emri"), this));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaximumWidth(120);
    ust->addWidget(Edit2);
    BitBtn6 = button(this, "BitBtn6", QStringLiteral("Seç-F4"));
    ust->addWidget(BitBtn6);
    LblBaslik = new QLabel(this);
    LblBaslik->setObjectName(QStringLiteral("LblBaslik"));
    ust->addWidget(LblBaslik, 1);
    Label10 = new QLabel(this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setStyleSheet(QStringLiteral("font-weight: bold"));
    ust->addWidget(Label10);
    LabelFat = new QLabel(this);
    LabelFat->setObjectName(QStringLiteral("LabelFat"));
    LabelFat->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    ust->addWidget(LabelFat);
    lay->addLayout(ust);

    auto* split = new QSplitter(Qt::Vertical, this);
    GridParca = new SatirGrid(split);
    GridParca->setObjectName(QStringLiteral("GridParca"));
    GridParca->setKolonlar({
        {K("SIRANO"), QStringLiteral("S.No")},
        {K("STOK_KOD_NO"), QStringLiteral("Parça Kod")},
        {K("YEDEK_P_ADI"), QStringLiteral("Parça Adı")},
        {K("STOK_MIKTAR"), QStringLiteral("Miktar")},
        {K("VERILEN_MIKTAR"), QStringLiteral("T.Çıkan")},
        {K("STOK_FIYATI"), QStringLiteral("Fiyat"), false, true},
        {K("ISK_ORAN"), QStringLiteral("İsk%"), true},
        {K("TUTAR"), QStringLiteral("Tutar"), false, true, [](const QVariantMap& s) { return ParcaTutarHesapla(s).TUTAR; }},
        {K("KDV"), QStringLiteral("KDV")},
        {K("IskluKdvliTutar"), QStringLiteral("İsk.lu Kdv.li Tutar"), false, true,
         [](const QVariantMap& s) { return ParcaTutarHesapla(s).IskluKdvliTutar; }},
        {K("ARIZA_KODU"), QStringLiteral("İşçilik Kodu")},
        {K("EXP"), QStringLiteral("Exp/R."), true},
        {K("PER_KOD"), QStringLiteral("Personel"), true},
        {K("ISLEM_ACIKLAMASI"), QStringLiteral("Açıklama"), true},
    });
    GridParca->duzenlendi = [this](int r, const QString& a, const QString& t) { parcaDuzenlendi(r, a, t); };

    auto* orta = new QWidget(split);
    auto* ol = new QHBoxLayout(orta);
    ol->setContentsMargins(0, 0, 0, 0);
    auto* arama = new QGroupBox(QStringLiteral("İşçilik Arama"), orta);
    auto* al = new QGridLayout(arama);
    al->addWidget(new QLabel(QStringLiteral("İşçilik Kod Ara"), arama), 0, 0);
    EditFRT = new QLineEdit(arama);
    EditFRT->setObjectName(QStringLiteral("EditFRT"));
    al->addWidget(EditFRT, 0, 1);
    al->addWidget(new QLabel(QStringLiteral("İşçilik Ad Ara"), arama), 0, 2);
    Edit1 = new QLineEdit(arama);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    al->addWidget(Edit1, 0, 3);
    BtnDisKatalog = button(arama, "BtnDisKatalog", QStringLiteral("Yeni İşçilik kartı"));
    al->addWidget(BtnDisKatalog, 0, 4);
    GridFrt = new QTableWidget(arama);
    GridFrt->setObjectName(QStringLiteral("GridFrt"));
    GridFrt->setColumnCount(7);
    GridFrt->setHorizontalHeaderLabels({QStringLiteral("RTT Kodu"), QStringLiteral("RTT Adı"), QStringLiteral("Model"),
                                        QStringLiteral("Süre"), QStringLiteral("Birim Fiyat"),
                                        QStringLiteral("Birim Fiyat Döviz"), QStringLiteral("Döviz Kodu")});
    GridFrt->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridFrt->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridFrt->verticalHeader()->setVisible(false);
    GridFrt->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    al->addWidget(GridFrt, 1, 0, 1, 5);
    BtnIscilikKarti = button(arama, "BtnIscilikKarti", QStringLiteral("İşçilik Kartı"));
    al->addWidget(BtnIscilikKarti, 0, 5);
    al->addWidget(kurIscilikDetayi(), 1, 5);
    ol->addWidget(arama, 1);

    GridIscilik = new SatirGrid(split);
    GridIscilik->setObjectName(QStringLiteral("GridIscilik"));
    GridIscilik->setKolonlar({
        {K("SIRANO"), QStringLiteral("S.No")},
        {K("ARIZA_KODU"), QStringLiteral("İşçilik Kodu")},
        {K("ARIZA_ADI"), QStringLiteral("İşçilik Adı")},
        {K("SURE"), QStringLiteral("Süre"), true},
        {K("QTY"), QStringLiteral("Adet"), true},
        {K("ISCILIK_B_FIYATI"), QStringLiteral("Birim Fiyat"), false, true},
        {K("TOPLAM"), QStringLiteral("Toplam"), false, true},
        {K("ISK_ORAN"), QStringLiteral("İsk%"), true},
        {K("KDV"), QStringLiteral("KDV")},
        {K("IskluKdvliTutar"), QStringLiteral("İsk.lu Kdv.li Tutar"), false, true,
         [](const QVariantMap& s) { return IscilikTutarHesapla(s).IskluKdvliTutar; }},
        {K("ONARAN_KISI"), QStringLiteral("Onaran")},
        {K("A_T"), QStringLiteral("A/T"), true},
        {K("EXP"), QStringLiteral("Exp/R."), true},
        {K("ARIZA"), QStringLiteral("Açıklama"), true},
    });
    GridIscilik->duzenlendi = [this](int r, const QString& a, const QString& t) { iscilikDuzenlendi(r, a, t); };
    split->setSizes({260, 190, 300});
    lay->addWidget(split, 1);

    LblToplam = new QLabel(this);
    LblToplam->setObjectName(QStringLiteral("LblToplam"));
    lay->addWidget(LblToplam);
    lay->addWidget(kurNotPaneli());

    auto* alt = new QHBoxLayout;
    BtnSakla = button(this, "BtnSakla", QStringLiteral("Sakla - F2"));
    BitBtn1 = button(this, "BitBtn1", QStringLiteral("Vazgeç - Ctrl+Z"));
    btnIsemriKapat = button(this, "btnIsemriKapat", QStringLiteral("İş Emrini &Kapat"));
    btnIsemriAc = button(this, "btnIsemriAc", QStringLiteral("İş Emrini &Aç"));
    BtnFaturaKes = button(this, "BtnFaturaKes", QStringLiteral("İş Emri &İşlemleri"));
    auto* menu = new QMenu(BtnFaturaKes);
    menu->setObjectName(QStringLiteral("PopupIsEmriIslemleri"));
    // The invoice lives in a later subsystem: it is reached through its registered opener.
    QAction* fatura = menu->addAction(QStringLiteral("İş Emri Fatura"), this, Guarded([this] {
        if (!BtnFaturaKes->isEnabled() || !BtnFaturaKes->isVisible() || !Belge.yuklu())
            return;
        if (const RoutineOpener ac = Targets().routine(QLatin1String(entry::IsEmriFaturaKes))) {
            OpenRequest r;
            r.target = QLatin1String(entry::IsEmriFaturaKes);
            r.ctx = &m_ctx;
            r.owner = this;
            r.key = Belge.no();
            r.mode = Belge.fyili();
            ac(r);
            // The invoice closes the work order: the form shows it as it is now.
            isemriniac(r.key);
        }
    }));
    fatura->setObjectName(QStringLiteral("IsEmriFatura"));
    menu->addAction(QStringLiteral("Yedek Parça"), this, Guarded([this] { YedekParcaClick(); }));
    BtnFaturaKes->setMenu(menu);
    btnFiyatGuncelle = button(this, "btnFiyatGuncelle", QStringLiteral("Fiyatları Güncelle"));
    BtnFiyatSabitle = button(this, "BtnFiyatSabitle", QStringLiteral("Fiyatları TL ye Sabitle"));
    BtnParcayaIscilikAta = button(this, "BtnParcayaIscilikAta", QStringLiteral("Parçaya İşçilik Ata"));
    BtnParcalaraIscilikSec = button(this, "BtnParcalaraIscilikSec", QStringLiteral("Parçalara İşçilik Seç"));
    BitBtn19 = button(this, "BitBtn19", QStringLiteral("Aracın Geçmişi"));
    btnFoto = button(this, "btnFoto", QStringLiteral("Resim/Döküman Ekle"));
    btnMusteriSikayet = button(this, "btnMusteriSikayet", QStringLiteral("Müş.Şikayeti/K.Notu Gör"));
    cbKmReset = new QCheckBox(QStringLiteral("Km Saati Değişti"), this);
    cbKmReset->setObjectName(QStringLiteral("cbKmReset"));
    BitBtn15 = button(this, "BitBtn15", QStringLiteral("Kapat - Alt+F4"));
    for (QWidget* w : std::initializer_list<QWidget*>{BtnSakla, BitBtn1, btnIsemriKapat, btnIsemriAc, BtnFaturaKes,
                                                      btnFiyatGuncelle, BtnFiyatSabitle, BtnParcayaIscilikAta,
                                                      BtnParcalaraIscilikSec, BitBtn19,
                                                      btnFoto, btnMusteriSikayet, cbKmReset})
        alt->addWidget(w);
    alt->addStretch();
    alt->addWidget(BitBtn15);
    lay->addLayout(alt);

    auto* yaz = new QHBoxLayout;
    BitBtn7 = button(this, "BitBtn7", QStringLiteral("Yazdır - F3"));
    BitBtn2 = button(this, "BitBtn2", QStringLiteral("Yazdır 2 "));
    BitBtn10 = button(this, "BitBtn10", QStringLiteral("Kapanış Formu"));
    BtnKapanisForm = button(this, "BtnKapanisForm", QStringLiteral("Kapanış Formu(Tasarımlı)"));
    cbKdvfyt = new QCheckBox(QStringLiteral("İsk.luKdv.li Fiyat Yazdır"), this);
    cbKdvfyt->setObjectName(QStringLiteral("cbKdvfyt"));
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn7, BitBtn2, BitBtn10, BtnKapanisForm, cbKdvfyt})
        yaz->addWidget(w);
    yaz->addStretch();
    lay->addLayout(yaz);
    Yazdr1 = new QAction(QStringLiteral("Yazdır "), this);
    Yazdr1->setObjectName(QStringLiteral("Yazdr1"));
    Yazdr1->setShortcut(QKeySequence(Qt::Key_F3));
    addAction(Yazdr1);

    connect(BitBtn6, &QPushButton::clicked, this, Guarded([this] { BitBtn6Click(); }));
    connect(BitBtn19, &QPushButton::clicked, this, Guarded([this] {
        const QString sase = Belge.isemri.value(K("SASI_NO")).toString().trimmed();
        if (sase.isEmpty())
            ShowWarning(QStringLiteral("Lütfen İşemri Seçiniz"));
        else
            ShowIEGecmis(m_ctx, sase, QString(), false, this);
    }));
    connect(btnFoto, &QPushButton::clicked, this, Guarded([this] {
        IsEmriHedefiAc(m_ctx, this, QLatin1String(entry::DokumanlarAc), Belge.no(), 2);
    }));
    connect(btnMusteriSikayet, &QPushButton::clicked, this, Guarded([this] { notPaneliGoster(); }));
    connect(BtnSakla, &QPushButton::clicked, this, Guarded([this] { BtnSaklaClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, Guarded([this] { BitBtn1Click(); }));
    connect(BitBtn15, &QPushButton::clicked, this, Guarded([this] { BitBtn15Click(); }));
    connect(btnIsemriKapat, &QPushButton::clicked, this, Guarded([this] { btnIsemriKapatClick(); }));
    connect(btnIsemriAc, &QPushButton::clicked, this, Guarded([this] { btnIsemriAcClick(); }));
    connect(btnFiyatGuncelle, &QPushButton::clicked, this, Guarded([this] { btnFiyatGuncelleClick(); }));
    connect(BtnFiyatSabitle, &QPushButton::clicked, this, Guarded([this] { BtnFiyatSabitleClick(); }));
    connect(BtnDisKatalog, &QPushButton::clicked, this, Guarded([this] { BtnDisKatalogClick(); }));
    connect(BtnParcayaIscilikAta, &QPushButton::clicked, this, Guarded([this] { ParcayaIscilikAta1Click(); }));
    connect(BitBtn7, &QPushButton::clicked, this, Guarded([this] { BitBtn7Click(); }));
    connect(Yazdr1, &QAction::triggered, this, Guarded([this] { if (Yazdr1->isEnabled()) BitBtn7Click(); }));
    connect(BitBtn10, &QPushButton::clicked, this, Guarded([this] { BitBtn10Click(); }));
    connect(BtnKapanisForm, &QPushButton::clicked, this, Guarded([this] { BtnKapanisFormClick(); }));
    connect(BitBtn2, &QPushButton::clicked, this, Guarded([this] { BitBtn2Click(); }));
    connect(Edit2, &QLineEdit::returnPressed, this, Guarded([this] { Edit2KeyPress(); }));
    connect(EditFRT, &QLineEdit::returnPressed, this, Guarded([this] { EditFRTKeyPress(); }));
    connect(Edit1, &QLineEdit::returnPressed, this, Guarded([this] { Edit1KeyPress(); }));
    connect(EditFRT, &QLineEdit::textEdited, this, Guarded([this] { m_doubleenter = false; }));
    connect(Edit1, &QLineEdit::textEdited, this, Guarded([this] { m_doubleenter = false; }));
    connect(GridFrt, &QTableWidget::cellDoubleClicked, this, Guarded([this] { FRTEkle(); }));
    connect(cbKmReset, &QCheckBox::clicked, this, Guarded([this](bool on) {
        Belge.baslikDegisiklikleri.insert(K("KM_RESET"), on ? 1 : 0);
        editmodayarla(true);
    }));
    auto kisayol = [this](const QKeySequence& k, std::function<void()> f) {
        connect(new QShortcut(k, this), &QShortcut::activated, this, Guarded(std::move(f)));
    };
    kisayol(QKeySequence(Qt::Key_F2), [this] { if (BtnSakla->isEnabled()) BtnSaklaClick(); });
    kisayol(QKeySequence(Qt::Key_F4), [this] { if (BitBtn6->isEnabled()) BitBtn6Click(); });
    kisayol(QKeySequence(Qt::Key_F9), [this] { ParcayaIscilikAta1Click(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_F9), [this] { ParcaIscilikAtamaSil1Click(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_K), [this] { EditFRT->setFocus(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_A), [this] { Edit1->setFocus(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { GridParca->setFocus(); });
    kurIscilikKomutlari();
    kolonayarla();
    resize(1300, 820);
    goster();
}

QWidget* TFormDispoz::kurIscilikDetayi()
{
    PnlIscilikDetay = new QGroupBox(QStringLiteral("Seçili İşçilik Detayı"), this);
    PnlIscilikDetay->setObjectName(QStringLiteral("PnlIscilikDetay"));
    auto* f = new QFormLayout(PnlIscilikDetay);
    LblOncIscilik = new QLabel(PnlIscilikDetay);
    LblOncIscilik->setObjectName(QStringLiteral("LblOncIscilik"));
    LblIscilikNotlari = new QLabel(PnlIscilikDetay);
    LblIscilikNotlari->setObjectName(QStringLiteral("LblIscilikNotlari"));
    LblIscilikNotlari->setWordWrap(true);
    LblIscilikNotlari->setMinimumWidth(180);
    f->addRow(QStringLiteral("Önc.İşçilik"), LblOncIscilik);
    f->addRow(QStringLiteral("Notlar"), LblIscilikNotlari);
    return PnlIscilikDetay;
}

// The labour-to-parts commands of the form's menu, with their keys.
void TFormDispoz::kurIscilikKomutlari()
{
    auto eylem = [this](QAction*& a, const char* ad, const QString& baslik, const QKeySequence& k) {
        a = new QAction(baslik, this);
        a->setObjectName(QLatin1String(ad));
        a->setShortcut(k);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    };
    eylem(ParcayaIscilikSec1, "ParcayaIscilikSec1", QStringLiteral("Parçaya İşçilik Seç"), QKeySequence(Qt::Key_F6));
    eylem(ParcalaraIscilikSec1, "ParcalaraIscilikSec1", QStringLiteral("Parçalara İşçilik Seç"),
          QKeySequence(Qt::CTRL | Qt::Key_F6));
    eylem(IscilikParcaSec1, "IscilikParcaSec1", QStringLiteral("İşçiliğe Parça Seç"), QKeySequence(Qt::Key_F7));
    eylem(BarkodlaAra1, "BarkodlaAra1", QStringLiteral("Barkodla Ara"), QKeySequence(Qt::Key_F5));
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(ParcayaIscilikSec1, &QAction::triggered, this, Guarded([this] { ParcayaIscilikSec1Click(); }));
    connect(ParcalaraIscilikSec1, &QAction::triggered, this, Guarded([this] { ParcalaraIscilikSec1Click(); }));
    connect(BtnParcalaraIscilikSec, &QPushButton::clicked, this, Guarded([this] { ParcalaraIscilikSec1Click(); }));
    connect(IscilikParcaSec1, &QAction::triggered, this, Guarded([this] { IscilikParcaSec1Click(); }));
    connect(BarkodlaAra1, &QAction::triggered, this, Guarded([this] { BarkodlaAra1Click(); }));
    connect(BtnIscilikKarti, &QPushButton::clicked, this, Guarded([this] { BtnIscilikKartiClick(); }));
    connect(GridFrt, &QTableWidget::currentCellChanged, this, Guarded([this] { iscilikDetayiGoster(); }));
    // The menu item "RTT- Stok. Seç" is kept off the menu; its key still opens the editor.
    connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, this,
            Guarded([this] { ShowFRTSTK(m_ctx, this); }));
    iscilikDetayiGoster();
}

void TFormDispoz::iscilikDetayiGoster()
{
    const int r = GridFrt->currentRow();
    const QVariantMap frt = r >= 0 && r < m_frt.size() ? m_frt.at(r) : QVariantMap{};
    LblOncIscilik->setText(frt.value(K("PREW_KOD1")).toString().trimmed());
    QStringList notlar;
    for (const char* c : {"ACIKLAMA1", "ACIKLAMA2", "ACIKLAMA3"})
        if (const QString n = frt.value(K(c)).toString().trimmed(); !n.isEmpty())
            notlar << n;
    LblIscilikNotlari->setText(notlar.join(QLatin1Char('\n')));
    BtnIscilikKarti->setEnabled(!frt.isEmpty());
}

QString TFormDispoz::parcayaGoreAriza(const QString& parcaKodu)
{
    TDonPara d;
    stock::ParcayaGoreArizaSec(m_ctx, parcaKodu, d, this);
    return d.KodStr;
}

void TFormDispoz::iscilikEklendi(int idx)
{
    editmodayarla(true);
    goster();
    if (idx >= 0) {
        GridIscilik->setCurrentCell(idx, GridIscilik->kolon(K("SURE")));
        GridIscilik->setFocus();
    }
}

void TFormDispoz::ParcayaIscilikSec1Click()
{
    if (Belge.kapali() || GridParca->currentRow() < 0)
        return;
    const int i = ParcayaIscilikSec(m_db, m_ctx, Belge, GridParca->currentRow(), GridParca->seciliSatirlar(),
                                    [this](const QString& p) { return parcayaGoreAriza(p); });
    if (i >= 0)
        iscilikEklendi(i);
}

void TFormDispoz::ParcalaraIscilikSec1Click()
{
    if (Belge.kapali())
        return;
    if (ParcalaraIscilikSec(m_db, m_ctx, Belge, [this](const QString& p) { return parcayaGoreAriza(p); }) > 0)
        iscilikEklendi(Belge.iscilikler.size() - 1);
}

// Shows the parts allowed for the current labour line; the choice is not used here.
void TFormDispoz::IscilikParcaSec1Click()
{
    if (Belge.kapali())
        return;
    const int r = GridIscilik->currentRow();
    const QString kod = r >= 0 && r < Belge.iscilikler.size() ? Belge.iscilikler.at(r).value(K("ARIZA_KODU")).toString() : QString();
    TDonPara d;
    ArizaParcaSec(m_ctx, kod, Belge.ozel1, d, this);
}

void TFormDispoz::BtnIscilikKartiClick()
{
    const int r = GridFrt->currentRow();
    if (r < 0 || r >= m_frt.size())
        return;
    const TDonPara d = FrtKarti(m_ctx, m_frt.at(r).value(K("FRT_KODU")).toString(), m_frt.at(r).value(K("MODEL_KODU")).toString(),
                                false, this);
    if (!d.KodStr.isEmpty())
        EditFRT->setText(d.KodStr);
}

void TFormDispoz::BarkodlaAra1Click()
{
    if (edit_mod)
        return;
    Edit2->clear();
    Edit2->setFocus();
}

void TFormDispoz::kolonayarla()
{
    const auto& u = m_ctx.AktifKullanici;
    GridParca->setDuzenlenir(K("YEDEK_P_ADI"), u.ie_yp_ad);
    GridParca->setDuzenlenir(K("STOK_FIYATI"), u.ie_yp_fyt);
    GridIscilik->setDuzenlenir(K("ARIZA_ADI"), u.ie_is_ad);
    GridIscilik->setDuzenlenir(K("ISCILIK_B_FIYATI"), u.ie_is_fyt);
}

// "Müş.Şikayeti/K.Notu Gör": the requests, the closing note, status and
// workshop. While the dispositions are edited its changes join the save.
QWidget* TFormDispoz::kurNotPaneli()
{
    PnlNotlar = new QGroupBox(QStringLiteral("Müş.Şikayeti/K.Notu Gör"), this);
    PnlNotlar->setObjectName(QStringLiteral("PnlNotlar"));
    auto* g = new QGridLayout(PnlNotlar);
    for (int i = 1; i <= 10; ++i) {
        auto* e = new QLineEdit(PnlNotlar);
        e->setObjectName(QStringLiteral("EdMustAlim%1").arg(i));
        e->setMaxLength(80);
        m_notAlanlari.insert(QStringLiteral("MUSTALIM_%1").arg(i), e);
        g->addWidget(new QLabel(QStringLiteral("%1.").arg(i), PnlNotlar), (i - 1) % 5, ((i - 1) / 5) * 2);
        g->addWidget(e, (i - 1) % 5, ((i - 1) / 5) * 2 + 1);
    }
    auto* kapanis = new QLineEdit(PnlNotlar);
    kapanis->setObjectName(QStringLiteral("EdKapanisNotu"));
    kapanis->setMaxLength(255);
    m_notAlanlari.insert(QStringLiteral("KAPANIS_NOTU"), kapanis);
    g->addWidget(new QLabel(QStringLiteral("Kapanış Notu   (Max. 255 Karakter)"), PnlNotlar), 5, 0, 1, 2);
    g->addWidget(kapanis, 5, 2, 1, 2);
    auto secim = [&](const char* ad, const QString& kolon, const TLookupList& liste, int sutun) {
        auto* c = new QComboBox(PnlNotlar);
        c->setObjectName(QLatin1String(ad));
        c->addItem(QString(), QString());
        for (const auto& [deger, baslik] : liste)
            c->addItem(baslik, deger);
        m_notSecimleri.insert(kolon, c);
        g->addWidget(c, 6, sutun);
    };
    g->addWidget(new QLabel(QStringLiteral("Durum"), PnlNotlar), 6, 0);
    secim("CbNotDurum", K("DURUM"), RepIsemriDurum(), 1);
    g->addWidget(new QLabel(QStringLiteral("Atölye"), PnlNotlar), 6, 2);
    secim("CbNotAtolye", K("ATOLYE"), RepAtolye(), 3);
    auto* sakla = new QPushButton(QStringLiteral("Sakla"), PnlNotlar);
    sakla->setObjectName(QStringLiteral("BtnNotSakla"));
    auto* kapat = new QPushButton(QStringLiteral("Kapat"), PnlNotlar);
    kapat->setObjectName(QStringLiteral("BtnNotKapat"));
    for (QPushButton* b : {sakla, kapat})
        b->setAutoDefault(false);
    g->addWidget(sakla, 7, 2);
    g->addWidget(kapat, 7, 3);
    connect(sakla, &QPushButton::clicked, this, Guarded([this] {
        notlariAl();
        PnlNotlar->hide();
    }));
    connect(kapat, &QPushButton::clicked, this, Guarded([this] {
        if (edit_mod && notlarDegisti() && AskYesNo(QStringLiteral("Kapanış Notunu saklamak istiyor musunuz?")))
            notlariAl();
        PnlNotlar->hide();
    }));
    PnlNotlar->hide();
    return PnlNotlar;
}

QVariantMap TFormDispoz::panelNotlari() const
{
    QVariantMap m;
    for (auto it = m_notAlanlari.cbegin(); it != m_notAlanlari.cend(); ++it)
        m.insert(it.key(), it.value()->text().trimmed());
    for (auto it = m_notSecimleri.cbegin(); it != m_notSecimleri.cend(); ++it)
        m.insert(it.key(), it.value()->currentData().toString());
    return m;
}

bool TFormDispoz::notlarDegisti() const
{
    const QVariantMap m = panelNotlari();
    for (auto it = m.cbegin(); it != m.cend(); ++it)
        if (Belge.isemri.value(it.key()).toString().trimmed() != it.value().toString())
            return true;
    return false;
}

void TFormDispoz::notlariAl()
{
    if (!edit_mod)
        return;
    const QVariantMap m = panelNotlari();
    for (auto it = m.cbegin(); it != m.cend(); ++it) {
        if (Belge.isemri.value(it.key()).toString().trimmed() == it.value().toString())
            continue;
        Belge.baslikDegisiklikleri.insert(it.key(), it.value());
        Belge.isemri.insert(it.key(), it.value());
    }
}

void TFormDispoz::notPaneliGoster()
{
    if (!Belge.yuklu())
        return;
    for (auto it = m_notAlanlari.cbegin(); it != m_notAlanlari.cend(); ++it) {
        it.value()->setText(Belge.isemri.value(it.key()).toString().trimmed());
        it.value()->setReadOnly(!edit_mod);
    }
    for (auto it = m_notSecimleri.cbegin(); it != m_notSecimleri.cend(); ++it) {
        it.value()->setCurrentIndex(qMax(0, it.value()->findData(Belge.isemri.value(it.key()).toString().trimmed())));
        it.value()->setEnabled(edit_mod);
    }
    PnlNotlar->show();
}

void TFormDispoz::isemriniac(const QString& no)
{
    Belge = DispozYukle(m_db, no);
    m_frt.clear();
    GridFrt->setRowCount(0);
    iscilikDetayiGoster();
    LabelFat->clear();
    if (Belge.yuklu() && m_db.dialect().tableExists(m_db, K("SERFAT"))) {
        Query q(m_db, QStringLiteral("SELECT COUNT(*) FROM SERFAT WHERE IS_EMRI_NO = :NO"));
        q.bind(K("NO"), no).exec();
        if (q.next() && q.value(0).toInt() > 0)
            LabelFat->setText(QStringLiteral("FATURASI KESİLMİŞ"));
    }
    editmodayarla(false);
    goster();
}

void TFormDispoz::goster()
{
    const auto& ie = Belge.isemri;
    if (Belge.yuklu())
        LblBaslik->setText(QStringLiteral("%1   %2   %3   %4   İşçilik Model Kodu: %5")
                               .arg(Belge.no(), ie.value(K("PLAKA_NO")).toString(),
                                    Belge.musteri.value(K("FIRMA_ADI")).toString(), Belge.modelAdi, Belge.ozel1));
    else
        LblBaslik->clear();
    cbKmReset->setChecked(Belge.baslikDegisiklikleri.value(K("KM_RESET"), ie.value(K("KM_RESET"))).toInt() == 1);
    GridParca->setSatirlar(Belge.parcalar);
    GridIscilik->setSatirlar(Belge.iscilikler);
    const IsEmriToplamlari t = BelgeToplamlari(Belge.parcalar, Belge.iscilikler);
    LblToplam->setText(QStringLiteral("Parça: %1   İşçilik: %2   İsk Tpl: %3   Ara Toplam: %4   KDV: %5   Net: %6   "
                                      "Garanti: %7   Ücret Tpl: %8")
                           .arg(para(t.PAR_TOP_TUTAR), para(t.IS_TOP_TUTAR), para(t.PAR_ISK + t.ISC_ISK),
                                para(t.ARA_TUT), para(t.KDV_TUT), para(t.NET_TUT), para(t.GAR_TUT),
                                para(t.NET_TUT - t.GAR_TUT)));
    isemridurum();
}

void TFormDispoz::isemridurum()
{
    const bool acik = Belge.yuklu() && !Belge.kapali();
    const auto tetik = acik ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::AnyKeyPressed
                            : QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers);
    GridParca->setEditTriggers(tetik);
    GridIscilik->setEditTriggers(tetik);
    Label10->setText(!Belge.yuklu() ? QString() : acik ? QStringLiteral("Açık İş Emri") : QStringLiteral("Kapalı İş Emri"));
    const bool hak = m_ctx.AktifKullanici.ie_ackapat != QLatin1String("H");
    btnIsemriKapat->setEnabled(hak && acik && !edit_mod);
    btnIsemriAc->setEnabled(hak && Belge.yuklu() && !acik && !edit_mod);
    EditFRT->setEnabled(acik);
    Edit1->setEnabled(acik);
    BtnDisKatalog->setEnabled(acik);
    BtnParcayaIscilikAta->setEnabled(acik);
    BtnParcalaraIscilikSec->setEnabled(acik);
    for (QAction* a : {ParcayaIscilikSec1, ParcalaraIscilikSec1, IscilikParcaSec1})
        if (a)
            a->setEnabled(acik);
    BitBtn10->setEnabled(Belge.kapali() && !edit_mod);
    btnFoto->setEnabled(Belge.yuklu() && Targets().isRegistered(QLatin1String(entry::DokumanlarAc)));
}

void TFormDispoz::editmodayarla(bool on)
{
    edit_mod = on;
    BtnSakla->setEnabled(on);
    BitBtn1->setEnabled(on);
    btnFiyatGuncelle->setEnabled(on);
    BtnFiyatSabitle->setEnabled(on);
    Edit2->setEnabled(!on);
    BitBtn6->setEnabled(!on);
    BitBtn7->setEnabled(!on);
    Yazdr1->setEnabled(!on);
    if (BarkodlaAra1)
        BarkodlaAra1->setEnabled(!on);
    BitBtn2->setEnabled(!on);
    const QString f = m_ctx.AktifKullanici.iefatura;
    const bool fat = f == QLatin1String("D") || f == QLatin1String("N") || f == QLatin1String("Y");
    BtnFaturaKes->setVisible(fat);
    BtnFaturaKes->setEnabled(fat && !on && Belge.yuklu());
    isemridurum();
}

void TFormDispoz::Edit2KeyPress()
{
    isemriniac(IsEmriNoFromSearch(Edit2->text().trimmed()));
    Edit2->clear();
}

void TFormDispoz::BitBtn6Click()
{
    const TypeIsEmri t = IsemriSec(m_ctx, 1, {}, this);
    if (!t.IsEmriNo.isEmpty())
        isemriniac(t.IsEmriNo);
}

void TFormDispoz::BtnSaklaClick()
{
    if (!edit_mod)
        return;
    if (DispozKaydet(m_db, m_ctx, Belge))
        isemriniac(Belge.no());
}

void TFormDispoz::BitBtn1Click()
{
    isemriniac(Belge.no());
}

void TFormDispoz::BitBtn15Click() { close(); }

void TFormDispoz::btnIsemriKapatClick()
{
    if (!edit_mod && IsEmriKapat(m_db, m_ctx, Belge.no()))
        isemriniac(Belge.no());
}

void TFormDispoz::btnIsemriAcClick()
{
    if (!edit_mod && IsEmriTekrarAc(m_db, m_ctx, Belge.no()))
        isemriniac(Belge.no());
}

void TFormDispoz::btnFiyatGuncelleClick()
{
    if (DispozFiyatGuncelle(m_db, m_ctx, Belge))
        goster();
}

void TFormDispoz::BtnFiyatSabitleClick()
{
    if (FiyatlariTLyeSabitle(Belge))
        goster();
}

void TFormDispoz::BtnDisKatalogClick()
{
    const TDonPara d = FrtKarti(m_ctx, {}, {}, true, this);
    if (d.KodStr.isEmpty())
        return;
    EditFRT->setText(d.KodStr);
    m_doubleenter = false;
    ara(true);
}

void TFormDispoz::YedekParcaClick()
{
    if (Belge.yuklu())
        YPTeslimAc(m_ctx, Belge.no(), this);
}

void TFormDispoz::EditFRTKeyPress() { ara(true); }
void TFormDispoz::Edit1KeyPress() { ara(false); }

void TFormDispoz::ara(bool kod)
{
    if (m_doubleenter) {
        m_doubleenter = false;
        GridFrt->setFocus();
        return;
    }
    m_doubleenter = true;
    const QString t = (kod ? EditFRT : Edit1)->text().trimmed();
    if (t.isEmpty() && AskYesNoCancel(QStringLiteral("Tüm İşçilik Kayıtlarını Görmek İstiyor musunuz?")) != MsgYes)
        return;
    QVariantMap binds;
    FrtAramaDispoz a;
    (kod ? a.kod : a.ad) = t;
    Query q(m_db, DispozFrtSorgusu(a, Belge.ozel1, binds));
    q.bindAll(binds).exec();
    m_frt.clear();
    while (q.next()) {
        m_frt << SatirOku(q);
    }
    GridFrt->setRowCount(m_frt.size());
    const char* cols[] = {"FRT_KODU", "FRT_ADI", "MODEL_KODU", "FRT_ZAMAN", "BIRIM_FIYAT_TL", "BIRIM_FIYAT_DVZ", "DOVIZ_KODU"};
    for (int r = 0; r < m_frt.size(); ++r)
        for (int c = 0; c < 7; ++c) {
            const QVariant v = m_frt[r].value(K(cols[c]));
            auto* it = new QTableWidgetItem(c == 4 || c == 5 ? para(v.toDouble()) : DisplayText(v));
            if (c >= 3 && c <= 5)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridFrt->setItem(r, c, it);
        }
    GridFrt->resizeColumnsToContents();
    if (!m_frt.isEmpty())
        GridFrt->selectRow(0);
    iscilikDetayiGoster();
}

void TFormDispoz::FRTEkle()
{
    const int r = GridFrt->currentRow();
    if (r < 0 || r >= m_frt.size() || Belge.kapali())
        return;
    EditFRT->clear();
    Edit1->clear();
    const int i = IscilikEkle(m_db, m_ctx, Belge, m_frt.at(r));
    if (i < 0)
        return;
    editmodayarla(true);
    goster();
    GridIscilik->setCurrentCell(i, GridIscilik->kolon(K("SURE")));
    GridIscilik->setFocus();
    const QString onceki = m_frt.at(r).value(K("PREW_KOD1")).toString().trimmed();
    if (!onceki.isEmpty()) {
        EditFRT->setText(onceki);
        EditFRT->setFocus();
        ShowInfo(QStringLiteral("Bu işçiliğin Ön İşçiliği var!"));
    }
}

void TFormDispoz::ParcayaIscilikAta1Click()
{
    if (Belge.kapali() || GridIscilik->currentRow() < 0)
        return;
    ParcayaIscilikAta(Belge, GridParca->seciliSatirlar(), GridIscilik->currentRow());
    editmodayarla(true);
    goster();
}

void TFormDispoz::ParcaIscilikAtamaSil1Click()
{
    if (Belge.kapali())
        return;
    ParcaIscilikAtamaSil(Belge, GridParca->currentRow());
    editmodayarla(true);
    goster();
}

void TFormDispoz::BitBtn7Click()
{
    if (!edit_mod)
        DispozYazdir(m_db, Belge, cbKdvfyt->isChecked());
}

void TFormDispoz::BitBtn10Click()
{
    if (!edit_mod && Belge.kapali())
        GarNushaYazdir(m_db, Belge, cbKdvfyt->isChecked());
}

void TFormDispoz::BtnKapanisFormClick()
{
    if (Belge.yuklu())
        IsEmriKapaYazdir(m_db, 2, Belge.no());
}

void TFormDispoz::BitBtn2Click()
{
    if (edit_mod)
        return;
    if (!Belge.yuklu())
        ShowWarning(QStringLiteral("Lütfen İşemri Seçiniz"));
    else
        IsEmriKapanisYazdir(m_db, Belge.no());
}

void TFormDispoz::parcaDuzenlendi(int row, const QString& alan, const QString& text)
{
    if (row < 0 || row >= Belge.parcalar.size())
        return;
    QVariantMap s = Belge.parcalar.at(row);
    if (s.value(K("CLAIMNO")).toDouble() != 0) {
        ShowInfo(QStringLiteral("Bu kalemin Garanti Talebi var!"));
        GridParca->satirYenile(row, s);
        return;
    }
    if (alan == QLatin1String("ISK_ORAN") || alan == QLatin1String("STOK_FIYATI")) {
        double v = 0;
        if (text.trimmed().isEmpty() || !SayiOku(text, &v)) {
            GridParca->satirYenile(row, s);
            return;
        }
        s[alan] = v;
    } else if (alan == QLatin1String("EXP")) {
        const QString e = text.trimmed().toUpper();
        s[alan] = e == QLatin1String("E") || e == QLatin1String("R") ? QVariant(e) : QVariant();
    } else {
        s[alan] = text;
    }
    if (DispozParcaKontrol(m_ctx, Belge, s))
        Belge.parcalar[row] = s;
    editmodayarla(true);
    goster();
}

void TFormDispoz::FiiliSureSec()
{
    const int row = GridIscilik->currentRow();
    if (Belge.kapali() || row < 0 || row >= Belge.iscilikler.size())
        return;
    if (ShowCihazdanGelen(m_ctx, Belge, row, this).zaman > 0) {
        editmodayarla(true);
        goster();
    }
}

void TFormDispoz::iscilikDuzenlendi(int row, const QString& alan, const QString& text)
{
    if (row < 0 || row >= Belge.iscilikler.size())
        return;
    const QVariantMap onceki = Belge.iscilikler.at(row);
    if (onceki.value(K("CLAIMNO")).toDouble() != 0) {
        ShowInfo(QStringLiteral("Bu kalemin Garanti Talebi var!"));
        GridIscilik->satirYenile(row, onceki);
        return;
    }
    QVariantMap s = onceki;
    if (alan == QLatin1String("SURE") || alan == QLatin1String("QTY") || alan == QLatin1String("ISK_ORAN")
        || alan == QLatin1String("ISCILIK_B_FIYATI")) {
        double v = 0;
        if (text.trimmed().isEmpty() || !SayiOku(text, &v)) {
            GridIscilik->satirYenile(row, onceki);
            return;
        }
        s[alan] = v;
    } else {
        s[alan] = text.trimmed().isEmpty() ? QVariant() : QVariant(text.trimmed().toUpper());
        if (alan == QLatin1String("ARIZA"))
            s[alan] = text;
    }
    if (IscilikSatirKontrol(m_db, m_ctx, Belge, s, onceki.value(K("GARANTI_TIPI")).toString(), onceki))
        Belge.iscilikler[row] = s;
    editmodayarla(true);
    goster();
}

void TFormDispoz::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
}

void TFormDispoz::closeEvent(QCloseEvent* e)
{
    if (edit_mod) {
        ShowInfo(QStringLiteral("Değişikliği Saklayın yada İptal Ediniz!"));
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void DispozGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    TFormDispoz f(ctx, parent);
    f.isemriniac(isEmriNo);
    RunModal(f);
}

} // namespace tornaly::workshop
