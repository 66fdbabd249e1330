#include "aftersales/calls/forms/SerAramaSorgu.h"
#include "controls/TarihEdit.h"

#include "aftersales/calls/AramaRapor.h"
#include "connection/DialogRunner.h"
#include "export/TableExport.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"
#include "report/AdresEtiket.h"
#include "report/RaporCikti.h"
#include "sql/SqlHelpers.h"
#include "workshop/workorders/WorkOrders.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::aftersales {

namespace {

struct AramaSutun {
    const char* alan;
    const char* baslik;
};

// "Arama Bilgileri" first, then "Diğer Bilgiler"; the statement gives the
// columns in this order.
const AramaSutun kAramaSutunlari[] = {
    {"ARAMA_ID", ""},          {"MUS_TIP", ""},             {"ARA_TIP", "Arama Şekli"},
    {"IE_NO", "İşemri No"},    {"IE_TIP", "İE Tipi"},       {"REF_TRH", "IE.Trh"},
    {"DANISMAN", "Danışman"},  {"ARAMA_TRH", "Arama Trh"},  {"DURUM", "Durum"},
    {"ACIKLAMA", "Açıklama"},  {"FIRMA_ADI", "Müşteri"},    {"YETKILI_ADI", "Yetkili"},
    {"YETKILI_SOYAD", "Yetkili Soyadı"}, {"TEL1", "Tel 1"}, {"TEL2", "Tel 2"},
    {"TEL3", "Tel 3"},         {"ADRES_1", "Adres 1"},      {"ADRES_2", "Adres 2"},
    {"PK", "PK"},              {"SEMT", "Semt"},            {"ILI", "İli"},
    {"FAKS", "Faks"},          {"EMAIL", "E-Mail"},         {"ARC_MODEL_KODU", "Model"},
    {"MODEL_AD", "Model Adı"}, {"ARC_MODEL_TRH", "Model Yılı"}, {"SASE_NO", "Şase No"},
    {"MOTOR_NO", "Motor No"},  {"PLAKA", "Plaka"},          {"ARC_RENK_KODU", "Renk"},
    {"RAP_NO", "Rapor No"},    {"ANKET_ID", ""},            {"CARI_KOD", ""},
    {"SATIS_NO", ""},          {"FIRMA_ADI2", ""},
};

QDateEdit* aramaTarihEdit(QWidget* parent, const char* name)
{
    auto* d = new TTarihEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    return d;
}

template <typename T> T* aramaAdli(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

// Shows the one-letter columns by their names.
class AramaListeModeli : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.isValid()) {
            const QString alan = QString::fromLatin1(kAramaSutunlari[index.column()].alan);
            const QString harf = QIdentityProxyModel::data(index, Qt::EditRole).toString();
            if (alan == QLatin1String("ARA_TIP"))
                return AraTipAdi(harf);
            if (alan == QLatin1String("DURUM"))
                return DurumAdi(harf);
            if (alan == QLatin1String("IE_TIP"))
                return IeTipAdi(harf);
            if (alan == QLatin1String("ARC_MODEL_TRH") || alan == QLatin1String("RAP_NO"))
                return harf;
        }
        return QIdentityProxyModel::data(index, role);
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < int(std::size(kAramaSutunlari)))
            return QString::fromUtf8(kAramaSutunlari[section].baslik);
        return QIdentityProxyModel::headerData(section, o, role);
    }
};

TFormSerAramaSorgu::TFormSerAramaSorgu(SessionContext& ctx, const QString& musteriTip, const QDate& bugun,
                                       QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormSerAramaSorgu"));
    setWindowTitle(QStringLiteral("Görüşülecek Müşteriler Sorgusu"));
    resize(1280, 640);
    const AramaDonem donem = AramaDonemi(bugun);
    m_filtre.musteriTip = musteriTip;
    m_filtre.begdate = donem.begdate;
    m_filtre.enddate = donem.enddate;
    m_filtre.bugun = bugun;

    DtBas = aramaTarihEdit(this, "DtBas");
    DtBit = aramaTarihEdit(this, "DtBit");
    BtnFiltrele = aramaAdli(new QPushButton(QStringLiteral("Filtrele"), this), "BtnFiltrele");
    BtnOncekiGun = aramaAdli(new QPushButton(QStringLiteral("Önceki Gün"), this), "BtnOncekiGun");
    BtnSonrakiGun = aramaAdli(new QPushButton(QStringLiteral("Sonraki Gün"), this), "BtnSonrakiGun");
    ChkSonuclananlar = aramaAdli(new QCheckBox(QStringLiteral("Sonuçlananlar"), this), "ChkSonuclananlar");
    ChkTelEtiket = aramaAdli(new QCheckBox(QStringLiteral("Adr.Etiketi Telefonlar için Dök"), this), "ChkTelEtiket");
    BtnAnket = aramaAdli(new QPushButton(QStringLiteral("&Anket Yap/Gör"), this), "BtnAnket");
    BtnSonuclandir = aramaAdli(new QPushButton(QStringLiteral("&Sonuçlandır"), this), "BtnSonuclandir");
    BtnSonuclandir->setToolTip(QStringLiteral("Anket dışında kayıt statüsünü sonuçlandırmak için tıklayınız."));
    MenuSonuc = aramaAdli(new QMenu(this), "MenuSonuc");
    MnSonuclandi = MenuSonuc->addAction(QStringLiteral("Sonuçlandı"));
    MnUlasilamadi = MenuSonuc->addAction(QStringLiteral("Ulaşılamadı"));
    MnTelYanlis = MenuSonuc->addAction(QStringLiteral("Telefon Yanlış"));
    MnRed = MenuSonuc->addAction(QStringLiteral("Görüşme Kabul Edilmedi"));
    MnSms = MenuSonuc->addAction(QStringLiteral("Sms Gönder"));
    MnSonuclandi->setObjectName(QStringLiteral("MnSonuclandi"));
    MnUlasilamadi->setObjectName(QStringLiteral("MnUlasilamadi"));
    MnTelYanlis->setObjectName(QStringLiteral("MnTelYanlis"));
    MnRed->setObjectName(QStringLiteral("MnRed"));
    MnSms->setObjectName(QStringLiteral("MnSms"));
    // The row is marked "S" only once a message has gone; without an SMS
    // service in this program nothing can be sent from here.
    MnSms->setEnabled(false);
    BtnSonuclandir->setMenu(MenuSonuc);
    BtnYazdir = aramaAdli(new QPushButton(QStringLiteral("&Yazdır"), this), "BtnYazdir");
    BtnEtiket = aramaAdli(new QPushButton(QStringLiteral("&Adres Etiket"), this), "BtnEtiket");
    BtnExcel = aramaAdli(new QPushButton(QStringLiteral("&Excel"), this), "BtnExcel");
    BtnKapat = aramaAdli(new QPushButton(QStringLiteral("&Kapat"), this), "BtnKapat");
    LblSayi = aramaAdli(new QLabel(this), "LblSayi");
    Grid = aramaAdli(new QTableView(this), "Grid");
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->setDefaultSectionSize(22);
    Grid->verticalHeader()->hide();
    m_model = new BoundQueryModel(this);
    m_gorunum = new AramaListeModeli(this);
    m_gorunum->setSourceModel(m_model);
    Grid->setModel(m_gorunum);

    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(QStringLiteral("Tarih Aralığı"), this));
    ust->addWidget(DtBas);
    ust->addWidget(DtBit);
    for (QWidget* w : {static_cast<QWidget*>(BtnFiltrele), static_cast<QWidget*>(BtnOncekiGun),
                       static_cast<QWidget*>(BtnSonrakiGun), static_cast<QWidget*>(ChkSonuclananlar)})
        ust->addWidget(w);
    ust->addStretch();
    ust->addWidget(ChkTelEtiket);
    auto* alt = new QHBoxLayout;
    alt->addWidget(LblSayi);
    alt->addStretch();
    for (QPushButton* b : {BtnAnket, BtnSonuclandir, BtnYazdir, BtnEtiket, BtnExcel, BtnKapat})
        alt->addWidget(b);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addWidget(Grid, 1);
    lay->addLayout(alt);

    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded([this] { BtnFiltreleClick(); }));
    connect(BtnOncekiGun, &QPushButton::clicked, this, Guarded([this] { BtnOncekiGunClick(); }));
    connect(BtnSonrakiGun, &QPushButton::clicked, this, Guarded([this] { BtnSonrakiGunClick(); }));
    connect(ChkSonuclananlar, &QCheckBox::clicked, this, Guarded([this] { ChkSonuclananlarClick(); }));
    connect(BtnYazdir, &QPushButton::clicked, this, Guarded([this] { BtnYazdirClick(); }));
    connect(BtnEtiket, &QPushButton::clicked, this, Guarded([this] { BtnEtiketClick(); }));
    connect(BtnExcel, &QPushButton::clicked, this, Guarded([this] { BtnExcelClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(MnSonuclandi, &QAction::triggered, this, Guarded([this] { SonucVer(kDurumSonuclandi); }));
    connect(MnUlasilamadi, &QAction::triggered, this, Guarded([this] { SonucVer(kDurumUlasilamadi); }));
    connect(MnTelYanlis, &QAction::triggered, this, Guarded([this] { SonucVer(kDurumTelYanlis); }));
    connect(MnRed, &QAction::triggered, this, Guarded([this] { SonucVer(kDurumRed); }));
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] { GridRowChanged(); }));

    tarihleriGoster();
}

void TFormSerAramaSorgu::tarihleriGoster()
{
    DtBas->setDate(m_filtre.begdate);
    DtBit->setDate(m_filtre.enddate);
}

int TFormSerAramaSorgu::rowCount() const { return m_model->rowCount(); }

QVariant TFormSerAramaSorgu::current(const QString& field) const
{
    const QModelIndex i = Grid->currentIndex();
    if (!i.isValid())
        return {};
    return m_model->record(i.row()).value(field);
}

bool TFormSerAramaSorgu::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return false;
    Grid->setCurrentIndex(m_gorunum->index(row, m_model->columnOf(QStringLiteral("ARA_TIP"))));
    return true;
}

void TFormSerAramaSorgu::listeAc()
{
    const qint64 onceki = current(QStringLiteral("ARAMA_ID")).toLongLong();
    m_model->setStatement(m_ctx.Database1, AramaListeSql(m_filtre), AramaListeBinds(m_filtre));
    m_model->open();
    m_model->fetchAll();
    for (int c = 0; c < int(std::size(kAramaSutunlari)); ++c)
        Grid->setColumnHidden(c, *kAramaSutunlari[c].baslik == '\0');
    Grid->resizeColumnsToContents();
    // Room for the bold header text the style draws.
    for (int c = 0; c < Grid->model()->columnCount(); ++c)
        if (!Grid->isColumnHidden(c))
            Grid->setColumnWidth(c, Grid->columnWidth(c) + 12);
    LblSayi->setText(QStringLiteral("Kayıt Sayısı= %1").arg(m_model->rowCount()));
    int row = m_model->rowCount() ? 0 : -1;
    for (int r = 0; onceki > 0 && r < m_model->rowCount(); ++r)
        if (m_model->record(r).value(QStringLiteral("ARAMA_ID")).toLongLong() == onceki)
            row = r;
    selectRow(row);
    GridRowChanged();
}

void TFormSerAramaSorgu::GridRowChanged()
{
    const bool satir = Grid->currentIndex().isValid();
    const bool telefon = current(QStringLiteral("ARA_TIP")).toString() == QLatin1String("T");
    BtnAnket->setVisible(!satir || telefon);
    // The survey form of the follow-up reports is not part of this program yet.
    BtnAnket->setEnabled(false);
    MnSonuclandi->setVisible(!telefon && current(QStringLiteral("RAP_NO")).isNull());
    BtnSonuclandir->setEnabled(satir);
}

void TFormSerAramaSorgu::BtnFiltreleClick()
{
    m_filtre.begdate = DtBas->date();
    m_filtre.enddate = DtBit->date();
    listeAc();
}

void TFormSerAramaSorgu::BtnOncekiGunClick()
{
    m_filtre.begdate = m_filtre.begdate.addDays(-1);
    m_filtre.enddate = m_filtre.begdate;
    tarihleriGoster();
    listeAc();
}

void TFormSerAramaSorgu::BtnSonrakiGunClick()
{
    m_filtre.enddate = m_filtre.enddate.addDays(1);
    m_filtre.begdate = m_filtre.enddate;
    tarihleriGoster();
    listeAc();
}

void TFormSerAramaSorgu::ChkSonuclananlarClick()
{
    m_filtre.sonuclananlar = ChkSonuclananlar->isChecked();
    listeAc();
}

void TFormSerAramaSorgu::SonucVer(const QString& durum)
{
    const QVariant id = current(QStringLiteral("ARAMA_ID"));
    if (id.isNull())
        return;
    if (AskYesNoCancel(QStringLiteral("Müşteri Durumu kaydedilsin mi?")) != MsgYes)
        return;
    AramaSonucYaz(m_ctx.Database1, id.toLongLong(), durum);
    listeAc();
}

void TFormSerAramaSorgu::BtnYazdirClick()
{
    report::Report rep = MusteriTakipRaporu(m_ctx.Database1, m_filtre);
    report::RaporCikti(m_ctx.Database1, rep, QString(), report::OutputPreview);
}

void TFormSerAramaSorgu::BtnEtiketClick()
{
    AramaFiltre f = m_filtre;
    f.sadeceMektup = !ChkTelEtiket->isChecked();
    report::Report rep =
        report::AdresEtiketRaporu(report::QuerySource(m_ctx.Database1, AramaListeSql(f), AramaListeBinds(f)));
    report::RaporCikti(m_ctx.Database1, rep, QString(), report::OutputPreview);
}

void TFormSerAramaSorgu::BtnExcelClick() { GridExport(QStringLiteral("E"), Grid, false); }

void AramaSorguGoster(SessionContext& ctx, const QString& musteriTip, int mod, QWidget* parent, const QDate& bugun)
{
    const QDate gun = bugun.isValid() ? bugun : workshop::SunucuBugun(ctx.Database1);
    TFormSerAramaSorgu f(ctx, musteriTip, gun, parent);
    if (mod == 1 && AramaSayisi(ctx.Database1, f.filtre()) <= 0)
        return;
    f.listeAc();
    RunModal(f);
}

} // namespace tornaly::aftersales
