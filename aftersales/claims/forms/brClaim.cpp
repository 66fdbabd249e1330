#include "aftersales/claims/forms/brClaim.h"
#include "guard/FormGuard.h"

#include "aftersales/claims/Claims.h"
#include "aftersales/claims/forms/Claimvarnek.h"
#include "workshop/workorders/forms/IEBr.h"

#include "connection/DialogRunner.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSqlRecord>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::aftersales {
namespace {

using workshop::BosTarih;
using workshop::BosTarihEdit;

// A caption whose underlined letter moves to its field.
QLabel* buddyLabel(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

template <typename T> T* named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

TFormClaimBr::TFormClaimBr(SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormClaimBr"));
    setWindowTitle(QStringLiteral("GARANTİ TALEP LİSTESİ"));
    resize(1100, 600);
    RgDurum = named(new QComboBox(this), "RgDurum");
    RgDurum->addItems({QStringLiteral("Tümü"), QStringLiteral("Onaylandı"), QStringLiteral("Red"),
                       QStringLiteral("Onay Bekliyor"), QStringLiteral("Gönderilmedi")});
    RgFatura = named(new QComboBox(this), "RgFatura");
    RgFatura->addItems({QStringLiteral("Tümü"), QStringLiteral("Faturalanmayanlar"), QStringLiteral("Faturalananlar")});
    RgTarih = named(new QComboBox(this), "RgTarih");
    RgTarih->addItems({QStringLiteral("Tamir Trh"), QStringLiteral("Teslim Trh")});
    DtBas = BosTarihEdit(this, "DtBas");
    DtSon = BosTarihEdit(this, "DtSon");
    EdClaimNo = named(new QLineEdit(this), "EdClaimNo");
    EdIsemriNo = named(new QLineEdit(this), "EdIsemriNo");
    BtnFiltrele = named(new QPushButton(QStringLiteral("Filtrele"), this), "BtnFiltrele");
    BtnFiltreKaldir = named(new QPushButton(QStringLiteral("&Filtre Kaldır"), this), "BtnFiltreKaldir");
    BtnDuzenle = named(new QPushButton(QStringLiteral("&Düzenle"), this), "BtnDuzenle");
    BtnSil = named(new QPushButton(QStringLiteral("&Sil"), this), "BtnSil");
    BtnSec = named(new QPushButton(QStringLiteral("&Seç"), this), "BtnSec");
    BtnKapat = named(new QPushButton(QStringLiteral("&Kapat"), this), "BtnKapat");
    Grid = named(new QTableView(this), "Grid");
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LblSayi = named(new QLabel(this), "LblSayi");
    m_model = new BoundQueryModel(this);
    m_model->setCaptions(ClaimListeSorgu::captions());
    Grid->setModel(m_model);

    auto* filt = new QGridLayout;
    filt->addWidget(buddyLabel(this, QStringLiteral(" Du&rum "), RgDurum), 0, 0);
    filt->addWidget(RgDurum, 0, 1);
    filt->addWidget(new QLabel(QStringLiteral("Fatura Durumu"), this), 0, 2);
    filt->addWidget(RgFatura, 0, 3);
    filt->addWidget(new QLabel(QStringLiteral("Tarih Filtre"), this), 0, 4);
    filt->addWidget(RgTarih, 0, 5);
    filt->addWidget(new QLabel(QStringLiteral("Tarih Aralığı"), this), 0, 6);
    filt->addWidget(DtBas, 0, 7);
    filt->addWidget(DtSon, 0, 8);
    filt->addWidget(BtnFiltrele, 0, 9);
    filt->addWidget(BtnFiltreKaldir, 0, 10);
    filt->addWidget(buddyLabel(this, QStringLiteral("&Talep No"), EdClaimNo), 1, 0);
    filt->addWidget(EdClaimNo, 1, 1);
    filt->addWidget(buddyLabel(this, QStringLiteral("İş&emri No"), EdIsemriNo), 1, 2);
    filt->addWidget(EdIsemriNo, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LblSayi);
    buttons->addStretch();
    for (QPushButton* b : {BtnDuzenle, BtnSil, BtnSec, BtnKapat})
        buttons->addWidget(b);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(filt);
    lay->addWidget(Grid, 1);
    lay->addLayout(buttons);

    connect(BtnFiltrele, &QPushButton::clicked, this, Guarded(this, &TFormClaimBr::BtnFiltreleClick));
    connect(BtnFiltreKaldir, &QPushButton::clicked, this, Guarded(this, &TFormClaimBr::BtnFiltreKaldirClick));
    connect(EdClaimNo, &QLineEdit::returnPressed, this, Guarded(this, &TFormClaimBr::EdClaimNoReturn));
    connect(EdIsemriNo, &QLineEdit::returnPressed, this, Guarded(this, &TFormClaimBr::EdIsemriNoReturn));
    connect(BtnDuzenle, &QPushButton::clicked, this, Guarded(this, &TFormClaimBr::BtnDuzenleClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormClaimBr::BtnSilClick));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormClaimBr::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(Grid, &QTableView::doubleClicked, this, Guarded(this, &TFormClaimBr::BtnSecClick));

    modKur(mode);
    Grid->setColumnHidden(m_model->columnOf(QStringLiteral("CL_DISSNO")), true);
    Grid->setColumnHidden(m_model->columnOf(QStringLiteral("CL_SAYFA")), true);
}

void TFormClaimBr::modKur(int mode)
{
    const bool kilitli = mode == 2 || mode == 3;
    RgDurum->setEnabled(!kilitli);
    RgFatura->setEnabled(!kilitli);
    BtnFiltreKaldir->setEnabled(mode != 2);
    m_secilen = -1;
    if (mode == 2) {
        RgDurum->setCurrentIndex(1);
        RgFatura->setCurrentIndex(1);
        BtnFiltreleClick();
    } else if (mode == 3) {
        RgDurum->setCurrentIndex(0);
        RgFatura->setCurrentIndex(1);
        BtnFiltreleClick();
    } else {
        ac();
    }
}

QVariantMap TFormClaimBr::currentRow() const
{
    const QModelIndex i = Grid->currentIndex();
    if (!i.isValid())
        return {};
    const QSqlRecord r = m_model->record(i.row());
    return {{QStringLiteral("CL_CLAIMNO"), r.value(QStringLiteral("CL_CLAIMNO"))},
            {QStringLiteral("CL_ISEMRI"), r.value(QStringLiteral("CL_ISEMRI"))},
            {QStringLiteral("CL_SASE"), r.value(QStringLiteral("CL_SASE"))}};
}

int TFormClaimBr::rowCount() const
{
    return m_model->rowCount();
}

double TFormClaimBr::currentNo() const
{
    const QModelIndex i = Grid->currentIndex();
    if (!i.isValid())
        return -1;
    return m_model->record(i.row()).value(QStringLiteral("CL_CLAIMNO")).toDouble();
}

void TFormClaimBr::ac(double gidilecek)
{
    m_model->setStatement(m_ctx.Database1, m_sorgu.sql(), m_sorgu.binds());
    m_model->open();
    m_model->fetchAll();
    LblSayi->setText(QStringLiteral("Kayıt Sayısı= %1").arg(m_model->rowCount()));
    Grid->resizeColumnsToContents();
    int row = m_model->rowCount() ? 0 : -1;
    for (int r = 0; gidilecek > 0 && r < m_model->rowCount(); ++r)
        if (m_model->record(r).value(QStringLiteral("CL_CLAIMNO")).toDouble() == gidilecek)
            row = r;
    if (row >= 0)
        Grid->setCurrentIndex(m_model->index(row, 0));
}

void TFormClaimBr::BtnFiltreleClick()
{
    ClaimListeFiltre f;
    f.durum = ClaimListeFiltre::Durum(RgDurum->currentIndex());
    f.fatura = ClaimListeFiltre::Fatura(RgFatura->currentIndex());
    f.teslimTarihi = RgTarih->currentIndex() == 1;
    f.trh1 = BosTarih(DtBas);
    f.trh2 = BosTarih(DtSon);
    m_sorgu.filtrele(f);
    ac();
}

void TFormClaimBr::BtnFiltreKaldirClick()
{
    m_sorgu.filtreKaldir();
    ac();
}

void TFormClaimBr::EdClaimNoReturn()
{
    if (EdClaimNo->text().trimmed().isEmpty())
        return;
    m_sorgu.araClaimNo(EdClaimNo->text());
    ac();
}

void TFormClaimBr::EdIsemriNoReturn()
{
    if (EdIsemriNo->text().trimmed().isEmpty())
        return;
    m_sorgu.araIsemri(EdIsemriNo->text());
    ac();
}

void TFormClaimBr::BtnDuzenleClick()
{
    const double no = currentNo();
    if (no < 0)
        return;
    ClaimAc(m_ctx, no, this);
    ac(no);
}

void TFormClaimBr::BtnSilClick()
{
    const double no = currentNo();
    if (no < 0)
        return;
    if (ClaimSil(m_ctx.Database1, no, QStringLiteral("Faturalanmış Garanti Talep Silinemez!")))
        ac();
}

void TFormClaimBr::BtnSecClick()
{
    const double no = currentNo();
    if (no < 0)
        return;
    m_secilen = no;
    accept();
}

double ClaimListeSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormClaimBr f(ctx, mode, parent);
    if (RunModal(f) != QDialog::Accepted)
        return -1;
    return f.secilen();
}

bool ClaimListeGoster(SessionContext& ctx, int mode, TypeClaim& result, QWidget* parent)
{
    // One list window serves every call; it goes with its owner.
    static QPointer<TFormClaimBr> kept;
    if (kept && kept->context() != &ctx)
        delete kept.data();
    if (!kept)
        kept = new TFormClaimBr(ctx, mode, parent);
    else
        kept->modKur(mode);
    if (kept->isMinimized())
        kept->showNormal();
    const bool secildi = RunModal(*kept) == QDialog::Accepted && kept->secilen() > 0;
    QVariantMap row;
    if (secildi)
        row = kept->currentRow();
    if (kept)
        kept->hide();
    if (!secildi || row.isEmpty())
        return false;
    result.ClaimNo = row.value(QStringLiteral("CL_CLAIMNO")).toDouble();
    result.IENO = row.value(QStringLiteral("CL_ISEMRI")).toString().trimmed();
    result.SaseNo = row.value(QStringLiteral("CL_SASE")).toString().trimmed();
    return true;
}

TFormClaimTipSec::TFormClaimTipSec(SessionContext& ctx, const QString& isemri, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormClaimTipSec"));
    Grid = named(new QTableView(this), "Grid");
    LblVar = named(new QLabel(this), "LblVar");
    BtnSec = named(new QPushButton(QStringLiteral("&Seç"), this), "BtnSec");
    BtnYeni = named(new QPushButton(QStringLiteral("&Yeni "), this), "BtnYeni");
    BtnIptal = named(new QPushButton(QStringLiteral("İptal"), this), "BtnIptal");
    auto* model = new QStandardItemModel(this);
    model->setHorizontalHeaderLabels({QStringLiteral("Claim No")});
    m_claimler = IsemriClaimleri(ctx.Database1, isemri);
    for (double no : m_claimler)
        model->appendRow(new QStandardItem(QString::number(no, 'f', 0)));
    Grid->setModel(model);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->horizontalHeader()->setStretchLastSection(true);
    if (!m_claimler.empty())
        Grid->setCurrentIndex(model->index(0, 0));
    const bool var = BostakiKalemSayisi(ctx.Database1, isemri) > 0;
    LblVar->setText(var ? QStringLiteral("Claim yapılmamış kalemler var!") : QString());
    BtnYeni->setEnabled(var);
    BtnSec->setEnabled(!m_claimler.empty());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnSec);
    buttons->addWidget(BtnYeni);
    buttons->addWidget(BtnIptal);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Grid, 1);
    lay->addWidget(LblVar);
    lay->addLayout(buttons);
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormClaimTipSec::BtnSecClick));
    connect(BtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormClaimTipSec::BtnYeniClick));
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(Grid, &QTableView::doubleClicked, this, Guarded(this, &TFormClaimTipSec::BtnSecClick));
}

void TFormClaimTipSec::BtnSecClick()
{
    const int row = Grid->currentIndex().row();
    if (!BtnSec->isEnabled() || row < 0 || row >= int(m_claimler.size()))
        return;
    m_sonuc = m_claimler[size_t(row)];
    accept();
}

void TFormClaimTipSec::BtnYeniClick()
{
    if (!BtnYeni->isEnabled())
        return;
    m_sonuc = -1;
    accept();
}

double ClaimTipSec(SessionContext& ctx, const QString& isemri, QWidget* parent)
{
    TFormClaimTipSec f(ctx, isemri, parent);
    if (RunModal(f) != QDialog::Accepted)
        return -2;
    return f.sonuc();
}

} // namespace tornaly::aftersales
