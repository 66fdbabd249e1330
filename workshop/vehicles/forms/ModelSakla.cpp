#include "workshop/vehicles/forms/ModelSakla.h"
#include "workshop/vehicles/RecordIo.h"
#include "workshop/vehicles/VehicleRules.h"
#include "workshop/vehicles/forms/CodeCards.h"
#include "workshop/vehicles/forms/CodeLists.h"
#include "guard/FormGuard.h"
#include "money/Money.h"
#include "db/Dialect.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
QTableWidget* linkGrid(QWidget* owner, const char* name, const QStringList& captions)
{
    auto* g = new QTableWidget(0, captions.size(), owner);
    g->setObjectName(QString::fromLatin1(name));
    g->setHorizontalHeaderLabels(captions);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->horizontalHeader()->setStretchLastSection(true);
    g->verticalHeader()->hide();
    return g;
}

void fillGrid(QTableWidget* g, const QList<QVariantMap>& rows, const QStringList& columns)
{
    g->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns.size(); ++c)
            g->setItem(r, c, new QTableWidgetItem(rows[r].value(columns[c]).toString().trimmed()));
    g->resizeColumnsToContents();
}
} // namespace

TFormModelSakla::TFormModelSakla(SessionContext& ctx, QWidget* parent)
    : VehicleCardBase(ctx, QStringLiteral("Araç Model-Tip Kayıt"), QStringLiteral("Araç Model Kartı"), parent)
{
    setObjectName(QStringLiteral("FormModelSakla"));
    BtnSakla->setText(QStringLiteral("Kaydet"));
    Panel->add(QStringLiteral("ARC_MODEL_KODU"), QStringLiteral("Model &Kodu"), FieldPanel::Text, 15);
    Panel->add(QStringLiteral("ARC_MODEL_ADI"), QStringLiteral("Model Adı"), FieldPanel::Text, 60);
    CmbMarka = new QComboBox(this);
    CmbMarka->setObjectName(QStringLiteral("CmbMarka"));
    CmbMarka->setToolTip(QStringLiteral("Kasa Modelleri"));
    CmbMarka->addItem(QString());
    CmbMarka->addItems(BrandCodes(m_db));
    Panel->addWidget(QStringLiteral("Marka"), CmbMarka);
    CmbSegment = new QComboBox(this);
    CmbSegment->setObjectName(QStringLiteral("CmbSegment"));
    CmbSegment->setToolTip(QStringLiteral("Kasa Modelleri"));
    Panel->addWidget(QStringLiteral("Modelin Segment Kodu"), CmbSegment);
    CmbIscilik = new QComboBox(this);
    CmbIscilik->setObjectName(QStringLiteral("CmbIscilik"));
    CmbIscilik->setToolTip(QStringLiteral("Bu bilgi yok ise Tip tanımlamalardan düzeltiniz. Kasa seçildiğinde otomatik gelir"));
    CmbIscilik->setEnabled(false);
    Panel->addWidget(QStringLiteral("Segmentin İşçilik Kodu"), CmbIscilik);
    Panel->add(QStringLiteral("CINS"), QStringLiteral("Araç Cinsi"), FieldPanel::Text, 15);
    Panel->add(QStringLiteral("ARC_SERI"), QStringLiteral("Araç Seri"), FieldPanel::Text, 10);
    Panel->add(QStringLiteral("MBAK_PER_KM"), QStringLiteral("Bakım Periyodu"), FieldPanel::Number);
    Panel->add(QStringLiteral("TAV_KOD"), QStringLiteral("TAV Kodu"), FieldPanel::Text, 11);
    Panel->add(QStringLiteral("CLAIM_ARCTIP"), QStringLiteral("G.Talep Kod"), FieldPanel::Text, 15);

    auto* segBtn = new QPushButton(QStringLiteral("..."), this);
    segBtn->setObjectName(QStringLiteral("BtnSegmentSec"));
    segBtn->setToolTip(QStringLiteral("Kasa Modelleri"));
    segBtn->setEnabled(!ctx.AktifKullanici.diger05.startsWith(QLatin1Char('H')));
    auto* tavBtn = new QPushButton(QStringLiteral("Vergi Tarife Seç"), this);
    tavBtn->setObjectName(QStringLiteral("BtnTavSec"));
    auto* hb = new QHBoxLayout;
    hb->addWidget(segBtn);
    hb->addWidget(tavBtn);
    hb->addStretch(1);
    Body->addLayout(hb);

    Sayfalar = new QTabWidget(this);
    Sayfalar->setObjectName(QStringLiteral("Sayfalar"));
    Teknik = new FieldPanel(this, 3);
    const QList<std::tuple<const char*, QString, FieldPanel::Kind, int>> tech = {
        {"TRIM_TIP", QStringLiteral("Trim Tipi"), FieldPanel::Text, 3},
        {"GOVDE_TIP", QStringLiteral("Gövde Tipi"), FieldPanel::Text, 2},
        {"MOTOR_TIP", QStringLiteral("Motor Tipi"), FieldPanel::Text, 11},
        {"MOTOR_HACIM", QStringLiteral("Motor Hacmi"), FieldPanel::Text, 7},
        {"MOTOR_GUC", QStringLiteral("Motor Gücü (KW)"), FieldPanel::Integer, 5},
        {"SANZIMAN_TIPI", QStringLiteral("Şanzıman Tipi"), FieldPanel::Text, 3},
        {"MOTOR_SILIN_SAY", QStringLiteral("Silindir Sayısı"), FieldPanel::Text, 2},
        {"SUBAP_ADET", QStringLiteral("Sübap Adet"), FieldPanel::Integer, 3},
        {"VITES", QStringLiteral("Vites Tipi (O/V/T)"), FieldPanel::Text, 1},
        {"YAKIT_TIPI", QStringLiteral("Yakıt Tipi (B/D/L/C/E/H)"), FieldPanel::Text, 1},
        {"AKTARMA", QStringLiteral("Aktarma (O/A/D)"), FieldPanel::Text, 1},
        {"ARAC_GRUP", QStringLiteral("Araç Grubu (-/T/H)"), FieldPanel::Text, 1},
        {"SINIFI", QStringLiteral("Araç Sınıfı"), FieldPanel::Text, 15},
        {"TIP_ONAYNO", QStringLiteral("Tip Onay No"), FieldPanel::Text, 50},
        {"BOY", QStringLiteral("Boy"), FieldPanel::Integer, 5},
        {"EN", QStringLiteral("En"), FieldPanel::Integer, 5},
        {"YUKSEKLIK", QStringLiteral("Yük"), FieldPanel::Integer, 5},
        {"AGIRLIK", QStringLiteral("Ağırlık"), FieldPanel::Integer, 5},
        {"AZAMI_YUKLU_KUTLE", QStringLiteral("Azami Yüklü Kütlesi"), FieldPanel::Text, 15},
        {"KATAR_YUKLU_KUTLE", QStringLiteral("Katar Yüklü Kütlesi"), FieldPanel::Text, 15},
        {"OZEL2", QStringLiteral("İstiap Haddi"), FieldPanel::Text, 10},
        {"OTURMA_YERI", QStringLiteral("Koltuk Sayısı"), FieldPanel::Text, 5},
        {"DEPO_HACIM", QStringLiteral("Yakıt Deposu"), FieldPanel::Number, 0},
        {"BAGAJ_HACIM", QStringLiteral("Bagaj Hacmi"), FieldPanel::Number, 0},
        {"YAKIT_TUK1", QStringLiteral("Yakıt Tük Ş.İçi"), FieldPanel::Number, 0},
        {"YAKIT_TUK2", QStringLiteral("Yakıt Tük Ş.Dışı"), FieldPanel::Number, 0},
        {"KDV", QStringLiteral("KDV"), FieldPanel::Number, 0},
        {"OTV", QStringLiteral("ÖTV"), FieldPanel::Number, 0}};
    for (const auto& [col, cap, kind, len] : tech)
        Teknik->add(QString::fromLatin1(col), cap, kind, len);
    Body->addWidget(Teknik);

    Fiyatlar = new FieldPanel(this, 3);
    for (const auto& [col, cap] : std::initializer_list<std::pair<const char*, QString>>{
             {"ALISFIYAT_TL", QStringLiteral("Alış &Fiyatı TL")}, {"ALISFIYAT_USD", QStringLiteral("Alış Fiyatı USD")},
             {"ALISFIYAT_DOVIZ", QStringLiteral("Alış Fiyatı Döviz")}, {"MALIYET_FYT_TL", QStringLiteral("Maliyet Fiyatı TL")},
             {"MALIYET_FYT_USD", QStringLiteral("Maliyet Fiyatı USD")}, {"MALIYET_FYT_DOVIZ", QStringLiteral("Maliyet Fiyatı Döviz")},
             {"SATIS_FIYAT_TL", QStringLiteral("Satış Fiyatı TL")}, {"SATIS_FIYAT_USD", QStringLiteral("Satış Fiyatı USD")},
             {"SATIS_FIYAT_DOVIZ", QStringLiteral("Satış Fiyatı Döviz")}, {"KAR_ORANI", QStringLiteral("Kâr Oranı %")}})
        Fiyatlar->add(QString::fromLatin1(col), cap, FieldPanel::Number);
    Fiyatlar->add(QStringLiteral("FYT_KUR"), QStringLiteral("Döviz"), FieldPanel::Text, 5);
    auto* fiyatPage = new QWidget(this);
    auto* fv = new QVBoxLayout(fiyatPage);
    fv->addWidget(Fiyatlar);
    auto* kurBtn = new QPushButton(QStringLiteral("Döviz Kuru Trh. Seç"), fiyatPage);
    kurBtn->setObjectName(QStringLiteral("BtnKurSec"));
    fv->addWidget(kurBtn, 0, Qt::AlignLeft);
    fv->addStretch(1);
    Sayfalar->addTab(fiyatPage, QStringLiteral("Fiyatlar  "));

    auto* renkPage = new QWidget(this);
    auto* rv = new QHBoxLayout(renkPage);
    GridDisRenk = linkGrid(renkPage, "GridDisRenk", {QStringLiteral("Dış Renk"), QStringLiteral("Renk Adı")});
    GridIcRenk = linkGrid(renkPage, "GridIcRenk", {QStringLiteral("İç Renk"), QStringLiteral("Renk Adı")});
    auto* dv = new QVBoxLayout;
    dv->addWidget(GridDisRenk);
    auto* disBtn = new QPushButton(QStringLiteral("Dış &Renk Seç"), renkPage);
    disBtn->setObjectName(QStringLiteral("BtnDisRenkSec"));
    dv->addWidget(disBtn);
    auto* iv = new QVBoxLayout;
    iv->addWidget(GridIcRenk);
    auto* icBtn = new QPushButton(QStringLiteral("İç Renk Seç"), renkPage);
    icBtn->setObjectName(QStringLiteral("BtnIcRenkSec"));
    iv->addWidget(icBtn);
    rv->addLayout(dv);
    rv->addLayout(iv);
    Sayfalar->addTab(renkPage, QStringLiteral("Renkler "));

    auto* aksPage = new QWidget(this);
    auto* av = new QVBoxLayout(aksPage);
    GridAksesuar = linkGrid(aksPage, "GridAksesuar", {QStringLiteral("Aksesuar Kodu"), QStringLiteral("Aksesuar Adı"),
                                                      QStringLiteral("Siparişte Gizle")});
    av->addWidget(GridAksesuar);
    auto* aksBtn = new QPushButton(QStringLiteral("&Aksesuar Seç"), aksPage);
    aksBtn->setObjectName(QStringLiteral("BtnAksesuarSec"));
    av->addWidget(aksBtn, 0, Qt::AlignLeft);
    Sayfalar->addTab(aksPage, QStringLiteral("Aksesuarlar"));

    MuhKodlari = new FieldPanel(this, 2);
    for (const auto& [col, cap] : std::initializer_list<std::pair<const char*, QString>>{
             {"MUH_S", QStringLiteral("Satış Muhasebe Kodu")}, {"MUH_A", QStringLiteral("Alış Muh Kodu")},
             {"MUH_ISK_S", QStringLiteral("Satış İsk.Muhasebe Kodu")}, {"MUH_ISK_A", QStringLiteral("Alış İsk Muh Kodu")},
             {"MUH_IADE_S", QStringLiteral("Satış İade Muh. Kodu")}, {"MUH_IADE_A", QStringLiteral("Alış İade Muh. Kodu")},
             {"MUH_KDV_A", QStringLiteral("KDV Alış-Satış-İade Muh Kodu")}, {"MUH_OTV_S", QStringLiteral("Satış ÖTV Muh.Kodu")},
             {"MUH_OTV_A", QStringLiteral("Alış ÖTV Muh.Kodu")}})
        MuhKodlari->add(QString::fromLatin1(col), cap, FieldPanel::Text, 30);
    // The codes come from the chart of accounts; typing them is for a user
    // with the accounting-code right only.
    MuhKodlari->setAllReadOnly(!ctx.AktifKullanici.diger10.startsWith(QLatin1Char('Y')));
    Sayfalar->addTab(MuhKodlari, QStringLiteral("Muhasebe Kodları"));

    auto* lower = new QHBoxLayout;
    lower->addWidget(Sayfalar, 3);
    auto* pv = new QVBoxLayout;
    Resim = new QLabel(this);
    Resim->setObjectName(QStringLiteral("Resim"));
    Resim->setMinimumSize(220, 160);
    Resim->setFrameShape(QFrame::Box);
    Resim->setAlignment(Qt::AlignCenter);
    pv->addWidget(Resim);
    auto* resimBtn = new QPushButton(QStringLiteral("R&esim Yükle"), this);
    resimBtn->setObjectName(QStringLiteral("BtnResimYukle"));
    ChkSigdir = new QCheckBox(QStringLiteral("Sığdır"), this);
    ChkSigdir->setObjectName(QStringLiteral("ChkSigdir"));
    pv->addWidget(resimBtn);
    pv->addWidget(ChkSigdir);
    pv->addStretch(1);
    lower->addLayout(pv, 1);
    Body->addLayout(lower, 1);

    connect(CmbSegment, &QComboBox::activated, this, Guarded([this] { SegmentSecildi(); }));
    connect(CmbMarka, &QComboBox::activated, this, Guarded([this] { MarkaDegisti(); }));
    connect(segBtn, &QPushButton::clicked, this, Guarded([this] {
        const QString s = ModelSegmentSec(m_ctx, 1, this);
        if (s.isEmpty())
            return;
        fillSegments();
        const int i = CmbSegment->findData(s);
        if (i >= 0) {
            CmbSegment->setCurrentIndex(i);
            SegmentSecildi();
        }
    }));
    connect(tavBtn, &QPushButton::clicked, this, Guarded([this] {
        const QString t = TAVSec(m_ctx, 1, this);
        if (!t.isEmpty()) {
            Panel->editor(QStringLiteral("TAV_KOD"))->setText(t);
            markModified();
        }
    }));
    connect(Fiyatlar, &FieldPanel::left, this, Guarded([this](const QString& c) {
        if (c == QLatin1String("MALIYET_FYT_USD"))
            UsdMaliyetCikis();
    }));
    connect(kurBtn, &QPushButton::clicked, this, Guarded([this] {
        // The rate of the price currency, as the rates form would give it.
        double rate = 0;
        const auto text = Messages().askText(QStringLiteral("Döviz Kuru Trh. Seç"), QStringLiteral("TL Kuru"), QString());
        if (text && ParseMoney(*text, &rate) && rate > 0)
            KurSecClick(rate);
    }));
    connect(resimBtn, &QPushButton::clicked, this, Guarded([this] { ResimYukleClick(); }));
    connect(ChkSigdir, &QCheckBox::toggled, this, Guarded([this] { showPicture(); }));
    connect(aksBtn, &QPushButton::clicked, this, Guarded([this] { AksesuarSecClick(); }));
    connect(disBtn, &QPushButton::clicked, this, Guarded([this] { DisRenkSecClick(); }));
    connect(GridDisRenk, &QTableWidget::doubleClicked, this, Guarded([this] { IcRenkSecClick(); }));
    connect(icBtn, &QPushButton::clicked, this, Guarded([this] { IcRenkSecClick(); }));
    connect(GridDisRenk, &QTableWidget::currentCellChanged, this, Guarded([this] {
        const int r = GridDisRenk->currentRow();
        if (r < 0) {
            GridIcRenk->setRowCount(0);
            return;
        }
        fillGrid(GridIcRenk,
                 ReadRows(m_db, QStringLiteral("SELECT L.IC_RENK, R.ARC_RENK_ADI FROM MODELICRENK L LEFT JOIN RENK R "
                                               "ON R.ARC_RENK_KODU = L.IC_RENK WHERE L.MODEL_KOD = :M AND L.RENK_KOD = :R "
                                               "ORDER BY L.IC_RENK"),
                          {{QStringLiteral("M"), m_row.value(QStringLiteral("ARC_MODEL_KODU"))},
                           {QStringLiteral("R"), GridDisRenk->item(r, 0)->text()}}),
                 {QStringLiteral("IC_RENK"), QStringLiteral("ARC_RENK_ADI")});
    }));
    resize(1100, 760);
}

void TFormModelSakla::loadModel(const QVariantMap& row, bool isNew)
{
    QVariantMap r = row;
    if (isNew)
        r.insert(NewModelRow());
    open(r, isNew);
    Teknik->load(r);
    Fiyatlar->load(r);
    MuhKodlari->load(r);
    CmbMarka->setCurrentText(Trimmed(r, "MARKA"));
    fillSegments();
    refreshLinks();
    showPicture();
    Sayfalar->setCurrentIndex(0);
    if (MarkaBayiModuAcik(m_ctx) && !isNew && Trimmed(r, "MARKA") == QLatin1String("VARNEK")) {
        CmbMarka->setEnabled(false);
        for (const char* c : {"ARC_MODEL_KODU", "ARC_MODEL_ADI", "CINS"})
            Panel->setReadOnly(QString::fromLatin1(c), true);
    }
}

void TFormModelSakla::fillSegments()
{
    m_segments = SegmentsOfBrand(m_db, CmbMarka->currentText());
    CmbSegment->clear();
    CmbIscilik->clear();
    CmbSegment->addItem(QString(), QString());
    CmbIscilik->addItem(QString(), QString());
    for (const QVariantMap& s : std::as_const(m_segments)) {
        CmbSegment->addItem(QStringLiteral("%1 - %2").arg(Trimmed(s, "MODEL_KOD"), Trimmed(s, "MODEL_AD")), Trimmed(s, "MODEL_KOD"));
        CmbIscilik->addItem(QStringLiteral("%1 - %2").arg(Trimmed(s, "ISCILIK_KOD"), Trimmed(s, "MODEL_AD")),
                            Trimmed(s, "ISCILIK_KOD"));
    }
    CmbSegment->setCurrentIndex(qMax(0, CmbSegment->findData(Trimmed(m_row, "MODEL"))));
    CmbIscilik->setCurrentIndex(qMax(0, CmbIscilik->findData(Trimmed(m_row, "OZEL1"))));
}

void TFormModelSakla::SegmentSecildi()
{
    const QString code = CmbSegment->currentData().toString();
    for (const QVariantMap& s : std::as_const(m_segments))
        if (Trimmed(s, "MODEL_KOD") == code) {
            ModelSegmentChosen(m_row, s);
            break;
        }
    markModified();
    if (CmbMarka->currentText() != Trimmed(m_row, "MARKA")) {
        CmbMarka->setCurrentText(Trimmed(m_row, "MARKA"));
        fillSegments();
    }
    CmbSegment->setCurrentIndex(qMax(0, CmbSegment->findData(Trimmed(m_row, "MODEL"))));
    CmbIscilik->setCurrentIndex(qMax(0, CmbIscilik->findData(Trimmed(m_row, "OZEL1"))));
}

void TFormModelSakla::MarkaDegisti()
{
    m_row.insert(QStringLiteral("MARKA"), CmbMarka->currentText());
    ModelBrandChanged(m_row, SegmentsOfBrand(m_db, CmbMarka->currentText()));
    markModified();
    fillSegments();
}

void TFormModelSakla::UsdMaliyetCikis()
{
    if (!Fiyatlar->isModified())
        return;
    QVariantMap r = m_row;
    if (!Fiyatlar->store(r))
        return;
    ModelUsdCostChanged(r);
    m_row = r;
    Fiyatlar->load(r);
    markModified();
}

void TFormModelSakla::KurSecClick(double tlRate)
{
    QVariantMap r = m_row;
    if (!Fiyatlar->store(r))
        return;
    ModelRatePicked(r, tlRate);
    m_row = r;
    Fiyatlar->load(r);
    markModified();
}

void TFormModelSakla::collect(QVariantMap& row)
{
    Teknik->store(row);
    Fiyatlar->store(row);
    MuhKodlari->store(row);
    row.insert(QStringLiteral("MARKA"), CmbMarka->currentText());
    row.insert(QStringLiteral("MODEL"), CmbSegment->currentData().toString());
    row.insert(QStringLiteral("OZEL1"), CmbIscilik->currentData().toString());
    if (Teknik->isModified() || Fiyatlar->isModified() || MuhKodlari->isModified())
        markModified();
}

bool TFormModelSakla::save(QVariantMap& row)
{
    return SaveModel(m_db, row, m_new);
}

void TFormModelSakla::refreshLinks()
{
    const QVariantMap m{{QStringLiteral("M"), Trimmed(m_row, "ARC_MODEL_KODU")}};
    fillGrid(GridDisRenk,
             ReadRows(m_db, QStringLiteral("SELECT L.RENK_KOD, R.ARC_RENK_ADI FROM MODELRNK L LEFT JOIN RENK R "
                                           "ON R.ARC_RENK_KODU = L.RENK_KOD WHERE L.MODEL_KOD = :M ORDER BY L.RENK_KOD"),
                      m),
             {QStringLiteral("RENK_KOD"), QStringLiteral("ARC_RENK_ADI")});
    fillGrid(GridAksesuar,
             ReadRows(m_db, QStringLiteral("SELECT L.AKS_KOD, A.AKSESUAR_ADI, L.SIP_GIZLE FROM MODELAKS L LEFT JOIN "
                                           "AKSESUAR A ON A.AKSESUAR_KODU = L.AKS_KOD WHERE L.MODEL_KOD = :M "
                                           "ORDER BY L.AKS_KOD"),
                      m),
             {QStringLiteral("AKS_KOD"), QStringLiteral("AKSESUAR_ADI"), QStringLiteral("SIP_GIZLE")});
    if (GridDisRenk->rowCount() > 0)
        GridDisRenk->setCurrentCell(0, 0);
    else
        GridIcRenk->setRowCount(0);
}

void TFormModelSakla::showPicture()
{
    const QByteArray bytes = ModelPicture(m_db, Trimmed(m_row, "ARC_MODEL_KODU"));
    QPixmap p;
    if (bytes.isEmpty() || !p.loadFromData(bytes)) {
        Resim->clear();
        return;
    }
    Resim->setPixmap(ChkSigdir->isChecked() ? p.scaled(Resim->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation) : p);
}

void TFormModelSakla::ResimYukleClick()
{
    if (Trimmed(m_row, "ARC_MODEL_KODU").isEmpty() || m_new) {
        ShowInfo(QStringLiteral("Resim yüklemeden önce modeli saklayınız."));
        return;
    }
    const QString file = Messages().askOpenFile(QStringLiteral("R&esim Yükle"),
                                                QStringLiteral("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)"));
    if (file.isEmpty())
        return;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        ShowWarning(QStringLiteral("Dosya açılamadı: %1").arg(file));
        return;
    }
    if (SaveModelPicture(m_db, Trimmed(m_row, "ARC_MODEL_KODU"), f.readAll()))
        showPicture();
}

bool TFormModelSakla::runCheckList(const QString& caption, const QString& label, QList<CheckItem>& items)
{
    QDialog d(this);
    d.setObjectName(QStringLiteral("FormAksSec"));
    d.setWindowTitle(caption);
    auto* lay = new QVBoxLayout(&d);
    lay->addWidget(new QLabel(label, &d));
    auto* clb = new QListWidget(&d);
    clb->setObjectName(QStringLiteral("clb"));
    for (const CheckItem& it : items) {
        auto* w = new QListWidgetItem(it.text, clb);
        w->setFlags(w->flags() | Qt::ItemIsUserCheckable);
        w->setCheckState(it.checked ? Qt::Checked : Qt::Unchecked);
    }
    lay->addWidget(clb);
    auto* box = new QDialogButtonBox(&d);
    auto* ok = box->addButton(QStringLiteral("&Sakla"), QDialogButtonBox::AcceptRole);
    auto* no = box->addButton(QStringLiteral("&Vazgeç"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("BtnSakla"));
    no->setObjectName(QStringLiteral("BtnVazgec"));
    connect(box, &QDialogButtonBox::accepted, &d, &QDialog::accept); // unguarded: ui only
    connect(box, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    lay->addWidget(box);
    d.resize(460, 420);
    if (d.exec() != QDialog::Accepted)
        return false;
    for (int i = 0; i < items.size(); ++i)
        items[i].checked = clb->item(i)->checkState() == Qt::Checked;
    return true;
}

void TFormModelSakla::AksesuarSecClick()
{
    const QString m = Trimmed(m_row, "ARC_MODEL_KODU");
    if (m.isEmpty() || m_new)
        return;
    QList<CheckItem> items = ModelAccessoryItems(m_db, m);
    if (runCheckList(QStringLiteral("Araç Modeli Aksesualarını Seç"), QStringLiteral("Aksesuar Listesi"), items)) {
        SaveModelAccessories(m_db, m, items);
        refreshLinks();
    }
}

void TFormModelSakla::DisRenkSecClick()
{
    const QString m = Trimmed(m_row, "ARC_MODEL_KODU");
    if (m.isEmpty() || m_new)
        return;
    QList<CheckItem> items = ModelExteriorItems(m_db, m, MarkaBayiModuAcik(m_ctx));
    if (runCheckList(QStringLiteral("Araç Dış Renk Seçimi"), QStringLiteral("Renkler"), items)) {
        SaveModelExteriors(m_db, m, items);
        refreshLinks();
    }
}

void TFormModelSakla::IcRenkSecClick()
{
    const QString m = Trimmed(m_row, "ARC_MODEL_KODU");
    const int r = GridDisRenk->currentRow();
    if (m.isEmpty() || r < 0)
        return;
    const QString dis = GridDisRenk->item(r, 0)->text();
    const QString disAd = GridDisRenk->item(r, 1) ? GridDisRenk->item(r, 1)->text() : QString();
    QList<CheckItem> items = ModelInteriorItems(m_db, m, dis);
    if (runCheckList(QStringLiteral("İç Renk Seç / %1:%2").arg(dis, disAd), QStringLiteral("Renkler"), items)) {
        SaveModelInteriors(m_db, m, dis, items);
        refreshLinks();
    }
}

// --- List ------------------------------------------------------------------

TFormModelBr::TFormModelBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormModelBr"));
    setWindowTitle(QStringLiteral("ARAÇ MODEL KAYITLARI"));
    auto field = [&](const char* name, const QString& caption, const QString& hint) {
        auto* l = new QLabel(caption, this);
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setToolTip(hint);
        l->setBuddy(e);
        SearchRow->addWidget(l);
        SearchRow->addWidget(e);
        e->installEventFilter(this);
        return e;
    };
    EdModelKod = field("EdModelKod", QStringLiteral("Model &Kod"), QStringLiteral("Model Kodu yazıp Enter tuşuna basınız..."));
    EdModelAdi = field("EdModelAdi", QStringLiteral("&Model Adı"), QStringLiteral("Model Adı   yazıp Enter tuşuna basınız..."));
    SearchRow->addStretch(1);
    const bool full = ctx.AktifKullanici.diger05.startsWith(QLatin1Char('Y'));
    BtnYeni->setEnabled(full);
    BtnDuzenle->setEnabled(full);
    BtnSil->setEnabled(full);
    tablo();
}

void TFormModelBr::tablo(const QString& field, const QString& text)
{
    m_field = field;
    m_text = text;
    QString sql = QStringLiteral("SELECT MARKA, MODEL, ARC_MODEL_KODU, ARC_MODEL_ADI, MBAK_PER_KM FROM MODEL WHERE 1=1");
    QVariantMap binds;
    if (field == QLatin1String("ARC_MODEL_KODU")) {
        sql += QStringLiteral(" AND ") + m_db.dialect().ciLike(QStringLiteral("ARC_MODEL_KODU"), QStringLiteral(":ARANAN"));
        binds.insert(QStringLiteral("ARANAN"), Dialect::escapeLike(text.trimmed()) + QLatin1Char('%'));
    } else if (field == QLatin1String("ARC_MODEL_ADI")) {
        sql += QStringLiteral(" AND ") + m_db.dialect().ciLike(QStringLiteral("ARC_MODEL_ADI"), QStringLiteral(":ARANAN"));
        binds.insert(QStringLiteral("ARANAN"), QLatin1Char('%') + Dialect::escapeLike(text.trimmed()) + QLatin1Char('%'));
    }
    if (MarkaBayiModuAcik(m_ctx) && !field.isEmpty())
        sql += QStringLiteral(" AND ((LTRIM(CINS) <> '' AND CINS IS NOT NULL AND MARKA = 'VARNEK' AND "
                              "LENGTH(ARC_MODEL_KODU) = 11) OR MARKA <> 'VARNEK')");
    sql += QStringLiteral(" ORDER BY MARKA, MODEL, ARC_MODEL_KODU");
    if (field.isEmpty() && !MarkaBayiModuAcik(m_ctx))
        sql += QStringLiteral(" LIMIT 500");
    runList(sql, binds, {QStringLiteral("Marka"), QStringLiteral("Segment Kodu"), QStringLiteral("Model Kodu"),
                         QStringLiteral("Model Tanım"), QStringLiteral("Bakım Periyodu")});
}

void TFormModelBr::BtnYeniClick()
{
    if (!ModelKartGir(m_ctx, {}, true, this).isEmpty()) {
        Grid->setFocus();
        tablo(m_field, m_text);
    }
}

void TFormModelBr::BtnDuzenleClick()
{
    const QString cur = currentRow().value(QStringLiteral("ARC_MODEL_KODU")).toString();
    if (cur.isEmpty())
        return;
    if (!ModelKartGir(m_ctx, cur, false, this).isEmpty()) {
        Grid->setFocus();
        tablo(m_field, m_text);
    }
}

void TFormModelBr::BtnSilClick()
{
    if (DeleteModel(m_db, currentRow().value(QStringLiteral("ARC_MODEL_KODU")).toString()))
        tablo(m_field, m_text);
}

bool TFormModelBr::eventFilter(QObject* o, QEvent* e)
{
    if ((o == EdModelKod || o == EdModelAdi) && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (m_searched)
                Grid->setFocus();
            else
                tablo(o == EdModelKod ? QStringLiteral("ARC_MODEL_KODU") : QStringLiteral("ARC_MODEL_ADI"),
                      static_cast<QLineEdit*>(o)->text());
            m_searched = !m_searched;
            return true;
        }
        m_searched = false;
    }
    return VehicleListBase::eventFilter(o, e);
}

QString ModelKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent)
{
    TFormModelSakla card(ctx, parent);
    QVariantMap row;
    if (!isNew)
        row = ReadRow(ctx.Database1, QStringLiteral("SELECT * FROM MODEL WHERE ARC_MODEL_KODU = :K"),
                      {{QStringLiteral("K"), code.trimmed()}});
    card.loadModel(row, isNew);
    return card.exec() == QDialog::Accepted ? card.result() : QString();
}

QString ModelSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormModelBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

} // namespace tornaly::workshop
