#include "workshop/workorders/forms/IEBr.h"
#include "controls/TarihEdit.h"
#include "guard/FormGuard.h"

#include "connection/DialogRunner.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"
#include "history/ChLogBr.h"
#include "workshop/vehicles/RecordIo.h"
#include "mainwindow/Targets.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/partsissue/forms/IsDetayForm.h"
#include "workshop/workorders/forms/IsEmri.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

namespace tornaly::workshop {

namespace {
QString t(const QVariant& v) { return v.toString().trimmed(); }
// The work plan of a work order (not in the program yet: the command waits for it).
const QString kIsPlanGir = QStringLiteral("IsPlanGir");

const QStringList kListeBasliklari{
    QStringLiteral("İşEmriNo"), QStringLiteral("İETip"), QStringLiteral("Cari Kod"), QStringLiteral("Giriş#"),
    QStringLiteral("Model"), QStringLiteral("Model Yılı"), QStringLiteral("Şase No"), QStringLiteral("Motor No"),
    QStringLiteral("Km"), QStringLiteral("Trf.Çık.Trh"), QStringLiteral("Renk"), QStringLiteral("Plaka"),
    QStringLiteral("Giriş Tarih"), QStringLiteral("Çıkış Tarih"), QStringLiteral("Durum"), QStringLiteral("İptal"),
    QStringLiteral("Yıl"), QStringLiteral("Cari Adı"), QStringLiteral("Araç Teslim Alan"), QStringLiteral("Toplam"),
    QStringLiteral("İşçilik"), QStringLiteral("Parça"), QStringLiteral("BackOrder"), QStringLiteral("Atölye"),
    QStringLiteral("Araç Durum")};

} // namespace

static TFormIsEmri* paylasilanKart(SessionContext& ctx, QWidget* parent) { return PaylasilanIsEmriKarti(ctx, parent); }

QDateEdit* BosTarihEdit(QWidget* parent, const char* name)
{
    auto* d = new TTarihEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    d->setMinimumDate(QDate(1900, 1, 1));
    d->setSpecialValueText(QStringLiteral(" "));
    d->setDate(d->minimumDate());
    return d;
}
QDate BosTarih(const QDateEdit* d) { return d->date() > d->minimumDate() ? d->date() : QDate(); }
void BosTarihSil(QDateEdit* d) { d->setDate(d->minimumDate()); }

void IsEmriKartindaAc(SessionContext& ctx, const QVariantMap& row, QWidget* parent)
{
    if (t(row.value(QStringLiteral("KAPANDI"))) == QLatin1String("E")
        && Messages().show(MsgIcon::Warning,
                           QStringLiteral("Bu İş Emri Kapalı, Değişiklik Yapamazsınız, Görmek İstiyor musunuz?"),
                           MsgYes | MsgNo, MsgNo, QStringLiteral("Uyarı!"))
               != MsgYes)
        return;
    paylasilanKart(ctx, parent)->isemriac(t(row.value(QStringLiteral("IS_EMRI_NO"))));
}

TFormIEBr::TFormIEBr(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent)
    : VehicleListBase(ctx, mode == 2 ? 1 : mode, parent), m_tipFiltre(tipFiltre)
{
    setObjectName(QStringLiteral("FormIEBr"));
    setWindowTitle(QStringLiteral("İŞ EMİRLERİ"));
    kurFiltreler();
    kurKomutlar();
    faturaPaneli();

    const QString hak = m_ctx.AktifKullanici.isemri;
    BtnYeni->setEnabled(mode != 2 && IsEmriYeniHakki(hak));
    BtnDuzenle->setEnabled(mode != 2 && IsEmriDegistirHakki(hak));
    BtnSil->setEnabled(IsEmriSilHakki(hak));
    BtnSec->setVisible(mode == 1 || mode == 2 || mode == 10);
    BtnSec->setEnabled(mode != 5);

    // Opening filters of each mode.
    IEBrFiltre f;
    f.yil = m_ctx.CalismaYili;
    if (mode == 5)
        f.plan = IEBrFiltre::Plan::Hayir;
    if (mode == 10) {
        // The invoicing chooser offers closed work orders with something left to invoice.
        f.durum = IEBrFiltre::Durum::Kapali;
        f.fatura = IEBrFiltre::Fatura::Kesilmemis;
    }
    if (!tipFiltre.isEmpty())
        f.tipler = {tipFiltre};
    setFiltre(f);
    BtnFiltreleClick();
    EdAraNo->setFocus();
    resize(1360, 680);
}

void TFormIEBr::kurFiltreler()
{
    auto* grid = new QGridLayout;
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    EdAraNo = edit("EdAraNo");
    EdAraCari = edit("EdAraCari");
    EdAraPlaka = edit("EdAraPlaka");
    DtAraGiris = BosTarihEdit(this, "DtAraGiris");
    EdFiltCari = edit("EdFiltCari");
    EdFiltYil = edit("EdFiltYil");
    EdFiltPlaka = edit("EdFiltPlaka");
    // Wide enough for what each holds: a work-order number, a plate, an
    // account code, a four-digit year.
    const QFontMetrics fm(font());
    for (auto [e, sample] : {std::pair{EdAraNo, "IS000000"}, std::pair{EdAraPlaka, "34 ABC 1234"},
                             std::pair{EdAraCari, "120.000.000"}, std::pair{EdFiltCari, "120.000.000"},
                             std::pair{EdFiltYil, "20000"}})
        e->setMinimumWidth(fm.horizontalAdvance(QString::fromLatin1(sample)) + 16);
    auto combo = [this](const char* name, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(items);
        return c;
    };
    CbDurum = combo("CbDurum", {QStringLiteral("Açık"), QStringLiteral("Kapalı"), QStringLiteral("Tümü")});
    CbFatura = combo("CbFatura", {QStringLiteral("Tümü"), QStringLiteral("Fat.Kesilmiş"), QStringLiteral("Fat.Kesilmemiş")});
    CbPlan = combo("CbPlan", {QStringLiteral("Tümü"), QStringLiteral("Evet"), QStringLiteral("Hayır")});
    CbSira = combo("CbSira", {QStringLiteral("İ.E.No"), QStringLiteral("Cari Kod"), QStringLiteral("Grş.Trh.i"),
                              QStringLiteral("Çkş.Trh.i"), QStringLiteral("Plaka"), QStringLiteral("Şase No")});
    CbTip = new QToolButton(this);
    CbTip->setObjectName(QStringLiteral("CbTip"));
    CbTip->setPopupMode(QToolButton::InstantPopup);
    auto* tipMenu = new QMenu(CbTip);
    Query q(m_db, QStringLiteral("SELECT ISEMRI_TIP, ISEMRI_TIP_ADI FROM ISEMRITIP ORDER BY ISEMRI_TIP"));
    q.exec();
    while (q.next()) {
        QAction* a = tipMenu->addAction(q.str(QStringLiteral("ISEMRI_TIP")) + QStringLiteral(" - ")
                                        + q.str(QStringLiteral("ISEMRI_TIP_ADI")));
        a->setData(q.str(QStringLiteral("ISEMRI_TIP")));
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, Guarded([this] { tipYazisi(); }));
    }
    CbTip->setMenu(tipMenu);
    tipYazisi();
    Chk15Gun = new QCheckBox(QStringLiteral("15 İşgününü geçen açık iş emrileri"), this);
    Chk15Gun->setObjectName(QStringLiteral("Chk15Gun"));
    ChkBackOrder = new QCheckBox(QStringLiteral("BackOrder Olan"), this);
    ChkBackOrder->setObjectName(QStringLiteral("ChkBackOrder"));
    DtGirisBas = BosTarihEdit(this, "DtGirisBas");
    DtGirisSon = BosTarihEdit(this, "DtGirisSon");
    DtCikisBas = BosTarihEdit(this, "DtCikisBas");
    DtCikisSon = BosTarihEdit(this, "DtCikisSon");
    int c = 0;
    auto add = [&](const QString& label, QWidget* w, int row) {
        auto* l = new QLabel(label, this);
        l->setBuddy(w);
        grid->addWidget(l, row, c);
        grid->addWidget(w, row, c + 1);
    };
    add(QStringLiteral("Aranan I.E. &No"), EdAraNo, 0);
    add(QStringLiteral("Aranan &Cari Kod"), EdAraCari, 1);
    add(QStringLiteral("Aranan &Plaka"), EdAraPlaka, 2);
    add(QStringLiteral("Aranan Giriş &Tarih"), DtAraGiris, 3);
    c = 2;
    add(QStringLiteral("Cari Kod"), EdFiltCari, 0);
    add(QStringLiteral("İ.E.Yılı"), EdFiltYil, 1);
    add(QStringLiteral("Plaka"), EdFiltPlaka, 2);
    add(QStringLiteral("İş Emri Tip"), CbTip, 3);
    c = 4;
    add(QStringLiteral("Giriş Tarih Aralığı"), DtGirisBas, 0);
    add(QString(), DtGirisSon, 1);
    add(QStringLiteral("Çıkış Tarih Aralığı"), DtCikisBas, 2);
    add(QString(), DtCikisSon, 3);
    c = 6;
    add(QStringLiteral("Durum"), CbDurum, 0);
    add(QStringLiteral("Fatura Durum"), CbFatura, 1);
    add(QStringLiteral("İş Planlaması Yapılmış"), CbPlan, 2);
    add(QStringLiteral("Sıralama Değiş"), CbSira, 3);
    // Offered on the panel as it always was; it never narrowed the list.
    auto* garanti = new QCheckBox(QStringLiteral("Garanti Dahilinde"), this);
    garanti->setObjectName(QStringLiteral("ChkGarantiDahilinde"));
    grid->addWidget(Chk15Gun, 0, 8);
    grid->addWidget(ChkBackOrder, 1, 8);
    grid->addWidget(garanti, 0, 9);
    BtnFiltrele = new QPushButton(QStringLiteral("Filtrele F6"), this);
    BtnFiltrele->setObjectName(QStringLiteral("BtnFiltrele"));
    BtnFiltrele->setShortcut(QKeySequence(Qt::Key_F6));
    BtnFiltKaldir = new QPushButton(QStringLiteral("&Filt.Kaldır F5"), this);
    BtnFiltKaldir->setObjectName(QStringLiteral("BtnFiltKaldir"));
    BtnFiltKaldir->setShortcut(QKeySequence(Qt::Key_F5));
    grid->addWidget(BtnFiltrele, 2, 8);
    grid->addWidget(BtnFiltKaldir, 3, 8);
    SearchRow->addLayout(grid);

    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormIEBr::BtnFiltreleClick));
    connect(BtnFiltKaldir, &QPushButton::clicked, this, Guarded(this, &TFormIEBr::BtnFiltKaldirClick));
    connect(CbSira, &QComboBox::currentIndexChanged, this, Guarded(this, &TFormIEBr::BtnFiltreleClick));
    connect(EdAraNo, &QLineEdit::textEdited, this,
            Guarded([this](const QString& s) { locate(QStringLiteral("IS_EMRI_NO"), IsEmriNoFromSearch(s)); }));
    connect(EdAraCari, &QLineEdit::textEdited, this,
            Guarded([this](const QString& s) { locate(QStringLiteral("CARI_KOD"), s); }));
    connect(EdAraPlaka, &QLineEdit::textEdited, this, Guarded([this](const QString& s) { locate(QStringLiteral("PLAKA_NO"), s); }));
    connect(DtAraGiris, &QDateEdit::dateChanged, this, Guarded(this, &TFormIEBr::DtAraGirisChange));
}

// The commands beside the list; those of windows not in the program yet stay
// disabled until their opener is registered.
void TFormIEBr::kurKomutlar()
{
    auto* row = new QHBoxLayout;
    auto btn = [&](QPushButton*& b, const char* name, const QString& text, void (TFormIEBr::*slot)()) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, Guarded(this, slot));
    };
    btn(BtnGecmis, "BtnGecmis", QStringLiteral("Ara&cın İş Emirleri"), &TFormIEBr::BtnGecmisClick);
    btn(BtnAracPrcIsc, "BtnAracPrcIsc", QStringLiteral("Araç Parça.İşç."), &TFormIEBr::BtnAracPrcIscClick);
    btn(BtnYedekParca, "BtnYedekParca", QStringLiteral("Yedek Parça"), &TFormIEBr::BtnYedekParcaClick);
    btn(BtnIEKapama, "BtnIEKapama", QStringLiteral("İE Kapama"), &TFormIEBr::BtnIEKapamaClick);
    btn(BtnSipOneri, "BtnSipOneri", QStringLiteral("Y.P.Sip.Öneri"), &TFormIEBr::BtnSipOneriClick);
    btn(BtnKayitGecmisi, "BtnKayitGecmisi", QStringLiteral("Kayıt Geçmişi"), &TFormIEBr::BtnKayitGecmisiClick);
    btn(BtnIsPlan, "BtnIsPlan", QStringLiteral("İş Planlaması"), &TFormIEBr::BtnIsPlanClick);
    row->addStretch(1);
    SearchRow->addLayout(row);
    // The number search by barcode; F5 stays with "&Filt.Kaldır F5".
    ActBarkodlaAra = new QAction(QStringLiteral("Barkodla Ara"), this);
    ActBarkodlaAra->setObjectName(QStringLiteral("ActBarkodlaAra"));
    Grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    Grid->addAction(ActBarkodlaAra);
    connect(ActBarkodlaAra, &QAction::triggered, this, Guarded(this, &TFormIEBr::BarkodlaAraClick));
    auto durum = [this] { BtnIsPlan->setEnabled(Targets().isRegistered(kIsPlanGir) && Liste->rowCount() > 0); };
    connect(&Targets(), &TargetRegistry::changed, this, Guarded(durum));
    connect(Liste, &QAbstractItemModel::modelReset, this, Guarded(durum));
}

void TFormIEBr::faturaPaneli()
{
    PnlFatura = new QGroupBox(QStringLiteral("İş Emri Kalem/Fatura Edilen Kalem Adetleri"), this);
    PnlFatura->setObjectName(QStringLiteral("PnlFatura"));
    auto* g = new QGridLayout(PnlFatura);
    auto hucre = [&](QLabel*& l, const char* name, const QString& baslik, int r, int c) {
        g->addWidget(new QLabel(baslik, PnlFatura), r, c * 2);
        l = new QLabel(QStringLiteral("0"), PnlFatura);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(32);
        g->addWidget(l, r, c * 2 + 1);
    };
    hucre(LblMusIs, "LblMusIs", QStringLiteral("Müş.İş"), 0, 0);
    hucre(LblMusFt, "LblMusFt", QStringLiteral("Müş.Ft."), 0, 1);
    hucre(LblHsrIs, "LblHsrIs", QStringLiteral("Hsr.İş."), 1, 0);
    hucre(LblHsrFt, "LblHsrFt", QStringLiteral("Hsr.Ft."), 1, 1);
    hucre(LblGrnIs, "LblGrnIs", QStringLiteral("Grn.İş."), 2, 0);
    hucre(LblGrnFt, "LblGrnFt", QStringLiteral("Grn.Ft."), 2, 1);
    SearchRow->addWidget(PnlFatura);
    PnlFatura->hide();
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded(this, &TFormIEBr::satirGuncelle));
}

void TFormIEBr::satirGuncelle()
{
    if (!PnlFatura->isVisibleTo(this))
        return;
    const FaturaKalemAdetleri a = IEFaturaKalemAdetleri(m_db, t(currentRow().value(QStringLiteral("IS_EMRI_NO"))));
    LblMusIs->setNum(a.musIs);
    LblMusFt->setNum(a.musFt);
    LblHsrIs->setNum(a.hsrIs);
    LblHsrFt->setNum(a.hsrFt);
    LblGrnIs->setNum(a.grnIs);
    LblGrnFt->setNum(a.grnFt);
}

QStringList TFormIEBr::seciliTipler() const
{
    QStringList out;
    for (QAction* a : CbTip->menu()->actions())
        if (a->isChecked())
            out << a->data().toString();
    return out;
}

void TFormIEBr::tipleriSec(const QStringList& tipler)
{
    for (QAction* a : CbTip->menu()->actions())
        a->setChecked(tipler.contains(a->data().toString()));
    tipYazisi();
}

void TFormIEBr::tipYazisi()
{
    const QStringList s = seciliTipler();
    CbTip->setText(s.isEmpty() ? QStringLiteral("Tümü") : s.join(QLatin1Char(',')));
}

IEBrFiltre TFormIEBr::filtre() const
{
    IEBrFiltre f;
    f.onbesGun = Chk15Gun->isChecked();
    f.cariKod = EdFiltCari->text();
    f.yil = EdFiltYil->text();
    f.plaka = EdFiltPlaka->text();
    f.girisBas = BosTarih(DtGirisBas);
    f.girisSon = BosTarih(DtGirisSon);
    f.cikisBas = BosTarih(DtCikisBas);
    f.cikisSon = BosTarih(DtCikisSon);
    f.durum = static_cast<IEBrFiltre::Durum>(CbDurum->currentIndex());
    f.tipler = seciliTipler();
    f.backOrder = ChkBackOrder->isChecked();
    f.plan = static_cast<IEBrFiltre::Plan>(CbPlan->currentIndex());
    f.fatura = static_cast<IEBrFiltre::Fatura>(CbFatura->currentIndex());
    f.calismaYili = m_ctx.CalismaYili.toInt();
    f.sira = static_cast<IEBrFiltre::Sira>(CbSira->currentIndex());
    return f;
}

void TFormIEBr::setFiltre(const IEBrFiltre& f)
{
    Chk15Gun->setChecked(f.onbesGun);
    EdFiltCari->setText(f.cariKod);
    EdFiltYil->setText(f.yil);
    EdFiltPlaka->setText(f.plaka);
    DtGirisBas->setDate(f.girisBas.isValid() ? f.girisBas : DtGirisBas->minimumDate());
    DtGirisSon->setDate(f.girisSon.isValid() ? f.girisSon : DtGirisSon->minimumDate());
    DtCikisBas->setDate(f.cikisBas.isValid() ? f.cikisBas : DtCikisBas->minimumDate());
    DtCikisSon->setDate(f.cikisSon.isValid() ? f.cikisSon : DtCikisSon->minimumDate());
    CbDurum->setCurrentIndex(int(f.durum));
    CbFatura->setCurrentIndex(int(f.fatura));
    CbPlan->setCurrentIndex(int(f.plan));
    tipleriSec(f.tipler);
    ChkBackOrder->setChecked(f.backOrder);
}

void TFormIEBr::BtnFiltreleClick()
{
    Sorgu s;
    const IEBrFiltre f = filtre();
    if (!IEBrSorgu(m_db, f, s))
        return;
    if (f.onbesGun)
        CbDurum->setCurrentIndex(0);
    // The counts panel goes with the invoice filter, except while invoicing.
    PnlFatura->setVisible(f.fatura != IEBrFiltre::Fatura::Tumu && mode() != 10);
    runList(s.statement, s.binds, kListeBasliklari);
    satirGuncelle();
}

void TFormIEBr::BtnFiltKaldirClick()
{
    EdFiltCari->clear();
    EdFiltPlaka->clear();
    DtGirisBas->setDate(DtGirisBas->minimumDate());
    DtGirisSon->setDate(DtGirisSon->minimumDate());
    BosTarihSil(DtCikisBas);
    BosTarihSil(DtCikisSon);
    CbDurum->setCurrentIndex(2);
    CbFatura->setCurrentIndex(0);
    CbPlan->setCurrentIndex(0);
    Chk15Gun->setChecked(false);
}

void TFormIEBr::BtnYeniClick()
{
    if (!BtnYeni->isEnabled())
        return;
    paylasilanKart(m_ctx, this);
}

void TFormIEBr::BtnDuzenleClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !BtnDuzenle->isEnabled())
        return;
    IsEmriKartindaAc(m_ctx, row, this);
}

void TFormIEBr::BtnSilClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty() || !BtnSil->isEnabled())
        return;
    if (IsEmriSil(m_db, t(row.value(QStringLiteral("IS_EMRI_NO")))))
        BtnFiltreleClick();
}

void TFormIEBr::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    if (row.value(QStringLiteral("FYILI")).toInt() != m_ctx.CalismaYili.toInt()
        && Messages().show(MsgIcon::Warning,
                           QStringLiteral("Dikkat İşemrinin  Yılı Farklı Yine de İşlem Yapmak İstiyor musunuz?"),
                           MsgYes | MsgNo, MsgNo, {})
               != MsgYes)
        return;
    m_secilen = TypeIsEmri();
    m_secilen.IsEmriNo = t(row.value(QStringLiteral("IS_EMRI_NO")));
    m_secilen.IsEmriTip = t(row.value(QStringLiteral("IE_TIP")));
    m_secilen.CariKod = t(row.value(QStringLiteral("CARI_KOD")));
    m_secilen.PlakaNo = t(row.value(QStringLiteral("PLAKA_NO")));
    m_secilen.SasiNo = t(row.value(QStringLiteral("SASI_NO")));
    m_secilen.MotorNo = t(row.value(QStringLiteral("MOTOR_NO")));
    m_secilen.Model = t(row.value(QStringLiteral("ARAC_TIP")));
    m_secilen.Kapandi = t(row.value(QStringLiteral("KAPANDI")));
    m_secilen.FYili = qint16(row.value(QStringLiteral("FYILI")).toInt());
    m_secilen.KM = row.value(QStringLiteral("KM")).toDouble();
    m_result = m_secilen.IsEmriNo;
    accept();
}

void TFormIEBr::BtnGecmisClick()
{
    const QVariantMap row = currentRow();
    if (!row.isEmpty())
        ShowIEGecmis(m_ctx, t(row.value(QStringLiteral("SASI_NO"))), QString(), true, this);
}

void TFormIEBr::BtnAracPrcIscClick()
{
    const QVariantMap row = currentRow();
    if (!row.isEmpty())
        ShowIEGecmisPrcIsc(m_ctx, t(row.value(QStringLiteral("SASI_NO"))), QString(), this);
}

void TFormIEBr::yenileVeDon(const QString& isEmriNo)
{
    BtnFiltreleClick();
    locate(QStringLiteral("IS_EMRI_NO"), isEmriNo);
}

void TFormIEBr::BtnYedekParcaClick()
{
    const QString no = t(currentRow().value(QStringLiteral("IS_EMRI_NO")));
    if (no.isEmpty())
        return;
    YPTeslimAc(m_ctx, no, this);
    yenileVeDon(no);
}

void TFormIEBr::BtnIEKapamaClick()
{
    const QString no = t(currentRow().value(QStringLiteral("IS_EMRI_NO")));
    if (no.isEmpty())
        return;
    DispozGoster(m_ctx, no, this);
    yenileVeDon(no);
}

void TFormIEBr::BtnSipOneriClick()
{
    const QString no = t(currentRow().value(QStringLiteral("IS_EMRI_NO")));
    if (!no.isEmpty())
        SipOneriGoster(m_ctx, no, this);
}

void TFormIEBr::BtnKayitGecmisiClick()
{
    const QString no = t(currentRow().value(QStringLiteral("IS_EMRI_NO")));
    if (!no.isEmpty())
        ShowChangeLog(m_ctx, QStringLiteral("ISEMRI"), no);
}

void TFormIEBr::BtnIsPlanClick()
{
    IsEmriHedefiAc(m_ctx, this, kIsPlanGir, t(currentRow().value(QStringLiteral("IS_EMRI_NO"))), 1);
}

void TFormIEBr::BarkodlaAraClick()
{
    EdAraNo->clear();
    EdAraNo->setFocus();
}

void TFormIEBr::DtAraGirisChange()
{
    const QDate d = BosTarih(DtAraGiris);
    const int col = Liste->columnOf(QStringLiteral("ARAC_GIRIS_TRH"));
    if (!d.isValid() || col < 0)
        return;
    Liste->fetchAll();
    for (int r = 0; r < Liste->rowCount(); ++r)
        if (Query::toDate(Liste->data(Liste->index(r, col), Qt::EditRole)) == d) {
            Grid->setCurrentIndex(Liste->index(r, col));
            Grid->scrollTo(Grid->currentIndex());
            return;
        }
}

TypeIsEmri IsemriSec(SessionContext& ctx, int mode, const QString& tipFiltre, QWidget* parent)
{
    TFormIEBr f(ctx, mode, tipFiltre, parent);
    if (RunModal(f) == QDialog::Accepted)
        return f.secilen();
    return {};
}

// ---- Types --------------------------------------------------------------

TFormIsemriTipBr::TFormIsemriTipBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormIsemriTipBr"));
    setWindowTitle(QStringLiteral("İşemri Tipleri"));
    BtnYeni->hide();
    BtnSil->hide();
    BtnSec->setVisible(mode == 1);
    auto* legend = new QLabel(QStringLiteral("Sabit İşemri Tipi"), this);
    legend->setStyleSheet(QStringLiteral("color: grey"));
    SearchRow->addWidget(legend);
    SearchRow->addStretch(1);
    tablo();
    resize(420, 480);
}

void TFormIsemriTipBr::tablo()
{
    runList(QStringLiteral("SELECT ISEMRI_TIP, ISEMRI_TIP_ADI FROM ISEMRITIP ORDER BY ISEMRI_TIP"), {},
            {QStringLiteral("Tip"), QStringLiteral("Adı")});
}

void TFormIsemriTipBr::BtnDuzenleClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    const QString tip = t(row.value(QStringLiteral("ISEMRI_TIP")));
    if (IsemriTipSabitMi(tip)) {
        IsemriTipAdiDegistir(m_db, tip, QString()); // shows the refusal
        return;
    }
    const auto ad = Messages().askText(QStringLiteral("İşemri Tipi"), QStringLiteral("Adı"),
                                       t(row.value(QStringLiteral("ISEMRI_TIP_ADI"))));
    if (!ad)
        return;
    IsemriTipAdiDegistir(m_db, tip, ad->trimmed());
    tablo();
    locate(QStringLiteral("ISEMRI_TIP"), tip);
}

QString IsemriTipSec(SessionContext& ctx, const QString& baslangic, int mode, QWidget* parent)
{
    if (mode == 1) {
        TFormIsemriTipBr f(ctx, 1, parent);
        f.locate(QStringLiteral("ISEMRI_TIP"), baslangic);
        return RunModal(f) == QDialog::Accepted ? f.result() : QString();
    }
    auto* f = new TFormIsemriTipBr(ctx, mode, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    RunModal(*f);
    return {};
}

// ---- History ------------------------------------------------------------

TFormIEGecmis::TFormIEGecmis(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent)
    : VehicleListBase(ctx, 1, parent)
{
    setObjectName(QStringLiteral("FormIEGecmis"));
    setWindowTitle(QStringLiteral("Geçmiş İş Emirleri"));
    BtnYeni->hide();
    BtnDuzenle->hide();
    BtnSil->hide();
    const Sorgu s = IEGecmisSorgu(sase, plaka);
    QStringList caps{QStringLiteral("Servis"), QStringLiteral("İşEmriNo"), QStringLiteral("Tip"),
                     QStringLiteral("Trf.Çık.Trh"), QStringLiteral("Çıkış Trh"), QStringLiteral("Cari"),
                     QStringLiteral("Giriş Trh"), QStringLiteral("Km")};
    runList(s.statement, s.binds, caps);
}

void TFormIEGecmis::BtnSecClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    TFormIsEmri* kart = paylasilanKart(m_ctx, parentWidget());
    kart->isemriac(t(row.value(QStringLiteral("IS_EMRI_NO"))));
    close();
}

void ShowIEGecmis(SessionContext& ctx, const QString& sase, const QString& plaka, bool secilebilir, QWidget* parent)
{
    if (sase.trimmed().isEmpty() && plaka.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Şase/Plaka mevcut değil!"));
        return;
    }
    auto* f = new TFormIEGecmis(ctx, sase, plaka, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->BtnSec->setVisible(true);
    f->BtnSec->setEnabled(secilebilir);
    f->show();
}

TFormIEGecmisPrcIsc::TFormIEGecmisPrcIsc(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormIEGecmisPrcIsc"));
    setWindowTitle(QStringLiteral("Geçmiş İş Emirlerinde Kullanılan Parça ve İşçiliklerin Tümü"));
    auto* lay = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    lay->addWidget(tabs, 1);
    auto sayfa = [&](BoundQueryModel*& m, const char* name, const QString& baslik, const Sorgu& s,
                     const QStringList& kolonlar) {
        auto* v = new QTableView(tabs);
        v->setObjectName(QString::fromLatin1(name));
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        m = new BoundQueryModel(v);
        m->setCaptions(kolonlar);
        m->setStatement(ctx.Database1, s.statement, s.binds);
        m->open();
        v->setModel(m);
        v->resizeColumnsToContents();
        tabs->addTab(v, baslik);
    };
    const Sorgu ie = IEGecmisSorgu(sase, plaka);
    sayfa(IsEmirleri, "GridIsEmirleri", QStringLiteral("Tüm İş Emirleri"), ie,
          {QStringLiteral("Servis"), QStringLiteral("İşEmriNo"), QStringLiteral("Tip"), QStringLiteral("Trf.Çık.Trh"),
           QStringLiteral("Çıkış Trh"), QStringLiteral("Cari"), QStringLiteral("Giriş Trh"), QStringLiteral("Km")});
    sayfa(Parcalar, "GridParcalar", QStringLiteral("Araç İçin Kullanılan Tüm Parçalar"), IEGecmisParcaSorgu(sase, plaka), {});
    sayfa(Iscilikler, "GridIscilikler", QStringLiteral("Aracın Tüm İşçilikleri"), IEGecmisIscilikSorgu(sase, plaka), {});
    auto* kapat = new QPushButton(QStringLiteral("&Kapat"), this);
    kapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(kapat, &QPushButton::clicked, this, Guarded([this] { close(); }));
    auto* alt = new QHBoxLayout;
    alt->addStretch(1);
    alt->addWidget(kapat);
    lay->addLayout(alt);
    resize(1100, 600);
}

void ShowIEGecmisPrcIsc(SessionContext& ctx, const QString& sase, const QString& plaka, QWidget* parent)
{
    if (sase.trimmed().isEmpty() && plaka.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("Lütfen Şasesi Olan Bir Araç Seçin"));
        return;
    }
    auto* f = new TFormIEGecmisPrcIsc(ctx, sase, plaka, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
}

void SipOneriGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    const Sorgu s = SipOneriSorgu(isEmriNo);
    if (ReadRow(ctx.Database1, s.statement, s.binds).isEmpty()) {
        ShowWarning(QStringLiteral("İş Emrine Ait Yedek Parça Sipariş Önerisi Bulunmamaktadır..."));
        return;
    }
    QDialog d(parent);
    d.setObjectName(QStringLiteral("FormSipOneri"));
    d.setWindowTitle(QStringLiteral("YEDEK PARÇA SİPARİŞ ÖNERİLERİ"));
    auto* lay = new QVBoxLayout(&d);
    auto* baslik = new QLabel(QStringLiteral("YEDEK PARÇA SİPARİŞ ÖNERİLERİ"), &d);
    baslik->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 12pt"));
    lay->addWidget(baslik);
    auto* v = new QTableView(&d);
    v->setObjectName(QStringLiteral("GridSipOneri"));
    auto* m = new BoundQueryModel(v);
    m->setCaptions({QStringLiteral("İşemri No"), QStringLiteral("Stok Kodu"), QStringLiteral("Stok Adı"),
                    QStringLiteral("İhtiyaç Miktarı"), QStringLiteral("Tarih"), QStringLiteral("Durum")});
    m->setStatement(ctx.Database1, s.statement, s.binds);
    m->open();
    v->setModel(m);
    v->resizeColumnsToContents();
    lay->addWidget(v, 1);
    d.resize(760, 400);
    RunModal(d);
}

TFormYPGarKontrol::TFormYPGarKontrol(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
    : VehicleListBase(ctx, 0, parent), m_isEmriNo(isEmriNo)
{
    setObjectName(QStringLiteral("FormYPGarKontrol"));
    setWindowTitle(QStringLiteral("Yedek Parça Garanti Kontrolü"));
    BtnYeni->hide();
    BtnDuzenle->hide();
    BtnSil->hide();
    SearchRow->addWidget(new QLabel(QStringLiteral(" Garanti Süresi  "), this));
    Rb12 = new QRadioButton(QStringLiteral("12 Ay"), this);
    Rb24 = new QRadioButton(QStringLiteral("24 Ay"), this);
    RbDiger = new QRadioButton(this);
    SpAy = new QSpinBox(this);
    SpAy->setRange(1, 240);
    SpAy->setValue(36);
    Rb24->setChecked(true);
    auto* sorgula = new QPushButton(QStringLiteral("&Sorgula"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{Rb12, Rb24, RbDiger, SpAy, sorgula})
        SearchRow->addWidget(w);
    SearchRow->addStretch(1);
    connect(SpAy, &QSpinBox::valueChanged, RbDiger, Guarded([this] { RbDiger->setChecked(true); }));
    connect(sorgula, &QPushButton::clicked, this, Guarded(this, &TFormYPGarKontrol::BtnSorgulaClick));
    BtnSorgulaClick();
}

void TFormYPGarKontrol::BtnSorgulaClick()
{
    const int ay = Rb12->isChecked() ? 12 : Rb24->isChecked() ? 24 : SpAy->value();
    const Sorgu s = YPGarantiSorgu(m_db, m_isEmriNo, ay);
    runList(s.statement, s.binds,
            {QStringLiteral("İşemri No"), QStringLiteral("Araç Giriş Trh."), QStringLiteral("Çıkış Trh"),
             QStringLiteral("Teslim Trh"), QStringLiteral("İstenen"), QStringLiteral("Verilen"),
             QStringLiteral("Garanti Tipi"), QStringLiteral("Stok Kodu"), QStringLiteral("Parça Adı")});
}

void YPGarKontrolGoster(SessionContext& ctx, const QString& isEmriNo, QWidget* parent)
{
    auto* f = new TFormYPGarKontrol(ctx, isEmriNo, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
}

} // namespace tornaly::workshop
