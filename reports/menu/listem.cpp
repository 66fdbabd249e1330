#include "reports/menu/listem.h"
#include "guard/FormGuard.h"

#include "context/SessionContext.h"
#include "settings/Settings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tornaly::reports {

namespace {
const QString kSettingsFile = QStringLiteral("KALVESA");
const QString kSection = QStringLiteral("STARTUP");
const QString kMarka = QStringLiteral("MARKA");
} // namespace

const QList<ReportMenuGroup>& ReportMenuTree()
{
    static const QList<ReportMenuGroup> tree{
        {QStringLiteral("Servis Raporları"), 1,
         {QStringLiteral("İş Emirleri Listesi"), QStringLiteral("Servis İşemri Faturaları"),
          QStringLiteral("Servisteki Araçlar Listesi"), QStringLiteral("Araçların Serviste Kalış Süreleri"),
          QStringLiteral("Hasar Listeleri"), QStringLiteral("Araç Sigorta Raporu"),
          QStringLiteral("Servis Rapor (Tarihe Göre)"), QStringLiteral("Satış Fat.Banko-İşemri"),
          QStringLiteral("Tahmini Geliş Zamanı/Ortalama Bakım Km")}},
        {QStringLiteral("Yedek Parça Raporları"), 2,
         {QStringLiteral("Yedek Parça Tüketim"), QStringLiteral("Yedek Parça Alış Faturaları Listesi"),
          QStringLiteral("Yedek Parça Stok Hareketleri"), QStringLiteral("Yedek Parça Stok Bilgileri"),
          QStringLiteral("En Çok Kullanılan Yedek Parçalar"), QStringLiteral("Bekleyen Parça (Backorder) Listesi"),
          QStringLiteral("Parça Bekleyen İşemirleri"), QStringLiteral("Maliyet Analiz"),
          QStringLiteral("Envanter Raporu"), QStringLiteral("Banko Satış Maliyet")}},
        {QStringLiteral("Finans Raporları"), 3,
         {QStringLiteral("Cari Hesap Listesi"), QStringLiteral("Cari Hareketler Listesi"),
          QStringLiteral("Borç Kapama Rapor"), QStringLiteral("Kasa Raporu"), QStringLiteral("Kasa Ekstresi"),
          QStringLiteral("Kasa Fişleri Raporu"), QStringLiteral("Çek Senet Kartları Listesi"),
          QStringLiteral("Çek Senet Bordroları Listesi"), QStringLiteral("Banka Hareketleri Listesi"),
          QStringLiteral("Gelir-Gider Tablosu"), QStringLiteral("Ayrıntılı Finansal Rapor")}},
        {QStringLiteral("Personel Listesi"), 7, {QStringLiteral("Personel Bilgileri")}},
        {QStringLiteral("Genel Değerlendirme Raporları"), 5,
         {QStringLiteral("Aylık Y.P. Fatura Toplamları"), QStringLiteral("Aylık İşemri Yoğunluğu")}},
    };
    return tree;
}

bool RunReportEntry(SessionContext& ctx, QWidget* menu, const QString& text)
{
    if (text == SmsNodeText && ctx.AktifKullanici.diger12 != QLatin1String("E"))
        return false;
    const ReportEntry* entry = ReportRegistry::find(text);
    if (!entry)
        return false;
    ReportMenuEnv env{&ctx, menu};
    // A copy: an entry may register or remove entries while it runs.
    ReportEntry run = *entry;
    run(env);
    return true;
}

TFormListe::TFormListe(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormListe"));
    setWindowTitle(QStringLiteral("Listeler  (Versiyon 7.0 - 20.07.2009) "));
    resize(480, 620);
    auto* top = new QVBoxLayout(this);
    tvListe = new QTreeWidget(this);
    tvListe->setObjectName(QStringLiteral("tvListe"));
    tvListe->header()->hide();
    tvListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvListe->setMouseTracking(true);
    tvListe->setCursor(Qt::PointingHandCursor);
    tvListe->setExpandsOnDoubleClick(true);
    QFont f = tvListe->font();
    f.setBold(true);
    tvListe->setFont(f);
    for (const ReportMenuGroup& g : ReportMenuTree()) {
        auto* group = new QTreeWidgetItem(tvListe, QStringList{g.text});
        group->setData(0, Qt::UserRole, g.image);
        for (const QString& r : g.reports) {
            auto* item = new QTreeWidgetItem(group, QStringList{r});
            item->setData(0, Qt::UserRole, 0);
        }
        group->setExpanded(false);
    }
    top->addWidget(tvListe, 1);
    auto* bottom = new QHBoxLayout;
    bbtnKapat = new QPushButton(QStringLiteral("&ÇIKIŞ"), this);
    bbtnKapat->setObjectName(QStringLiteral("bbtnKapat"));
    bottom->addStretch();
    bottom->addWidget(bbtnKapat);
    top->addLayout(bottom);
    refreshNodes();
    connect(tvListe, &QTreeWidget::itemDoubleClicked, this, Guarded(this, &TFormListe::tvListeDblClick));
    connect(bbtnKapat, &QPushButton::clicked, this, Guarded(this, &TFormListe::bbtnKapatClick));
}

TFormListe::~TFormListe()
{
    if (m_loaded)
        WriteSetting(kSettingsFile, kSection, kMarka, Marka, StoreFile);
}

void TFormListe::refreshNodes()
{
    // A report this installation does not have is shown disabled, never a silent double-click.
    for (int g = 0; g < tvListe->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tvListe->topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r) {
            QTreeWidgetItem* item = group->child(r);
            const bool present = ReportRegistry::find(item->text(0)) != nullptr;
            item->setDisabled(!present);
            item->setToolTip(0, present ? QString() : QStringLiteral("Bu rapor bu kurulumda yüklü değil."));
        }
    }
}

void TFormListe::showEvent(QShowEvent* e)
{
    refreshNodes();
    if (!m_loaded)
        Marka = ReadSetting(kSettingsFile, kSection, kMarka, StoreFile);
    m_loaded = true;
    QDialog::showEvent(e);
}

void TFormListe::tvListeDblClick()
{
    QTreeWidgetItem* item = tvListe->currentItem();
    if (!item)
        return;
    Guard([&] { RunReportEntry(m_ctx, this, item->text(0)); });
}

void TFormListe::bbtnKapatClick()
{
    close();
}

TFormListe* ListeVeRaporlarGoster(SessionContext& ctx, QWidget* mainWindow)
{
    auto* f = new TFormListe(ctx, mainWindow);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->setModal(false);
    f->show();
    return f;
}

} // namespace tornaly::reports
