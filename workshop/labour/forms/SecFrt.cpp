#include "workshop/labour/forms/SecFrt.h"

#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "workshop/labour/Frt.h"
#include "workshop/labour/Tarizpar.h"
#include "workshop/labour/forms/FrtSakla.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::workshop {

namespace {
const char* const kFrtStkKolonlari[] = {"IZP_ARAC_TIPI", "IZP_KODU", "IZP_GRUP", "IZP_MALZEME"};
const QStringList kFrtStkBasliklari{QStringLiteral("Araç Model"), QStringLiteral("İşçilik Kodu"), QStringLiteral("Grup"),
                             QStringLiteral("Parça Kodu")};

QTableWidget* frtStkTablosu(QWidget* parent, const char* ad)
{
    auto* g = new QTableWidget(0, 4, parent);
    g->setObjectName(QLatin1String(ad));
    g->setHorizontalHeaderLabels(kFrtStkBasliklari);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->verticalHeader()->setVisible(false);
    g->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    return g;
}

void frtStkDoldur(QTableWidget* g, const QList<QVariantMap>& rows)
{
    g->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 4; ++c)
            g->setItem(r, c, new QTableWidgetItem(rows[r].value(QLatin1String(kFrtStkKolonlari[c])).toString().trimmed()));
    g->resizeColumnsToContents();
    if (!rows.isEmpty())
        g->selectRow(0);
}

QPushButton* frtStkDugmesi(QWidget* parent, const char* ad, const QString& baslik)
{
    auto* b = new QPushButton(baslik, parent);
    b->setObjectName(QLatin1String(ad));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TFormSecFrt::TFormSecFrt(SessionContext& ctx, const QString& arizaKodu, const QString& model, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormSecFrt"));
    setWindowTitle(QStringLiteral("Arızaya Göre Yedek Parça"));
    auto* v = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(QStringLiteral("İşc.Model"), this));
    EdModel = new QLineEdit(model.trimmed(), this);
    EdModel->setObjectName(QStringLiteral("EdModel"));
    EdModel->setReadOnly(true);
    ust->addWidget(EdModel);
    CbGenel = new QCheckBox(QStringLiteral("&Genel İşcilik Seç"), this);
    CbGenel->setObjectName(QStringLiteral("CbGenel"));
    CbGenel->setEnabled(!model.trimmed().isEmpty());
    ust->addWidget(CbGenel);
    ust->addSpacing(16);
    EdAriza = new QLineEdit(arizaKodu.trimmed(), this);
    EdAriza->setObjectName(QStringLiteral("EdAriza"));
    EdAriza->setToolTip(QStringLiteral("Arıza Kodunu yazıp 'ENTER' a basınız"));
    auto* l = new QLabel(QStringLiteral("&Arıza Kodu Giriniz"), this);
    l->setBuddy(EdAriza);
    ust->addWidget(l);
    ust->addWidget(EdAriza, 1);
    BtnArizaSec = frtStkDugmesi(this, "BtnArizaSec", QStringLiteral("Seç"));
    ust->addWidget(BtnArizaSec);
    v->addLayout(ust);
    Grid = frtStkTablosu(this, "Grid");
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->addWidget(Grid, 1);
    auto* alt = new QHBoxLayout;
    alt->addStretch(1);
    BtnSec = frtStkDugmesi(this, "BtnSec", QStringLiteral("&Seç"));
    BtnIptal = frtStkDugmesi(this, "BtnIptal", QStringLiteral("İ&ptal"));
    alt->addWidget(BtnSec);
    alt->addWidget(BtnIptal);
    v->addLayout(alt);
    connect(CbGenel, &QCheckBox::toggled, EdModel, &QWidget::setDisabled); // unguarded: ui only
    connect(CbGenel, &QCheckBox::toggled, this, Guarded([this] { listele(); }));
    connect(EdAriza, &QLineEdit::returnPressed, this, Guarded([this] { listele(); }));
    connect(BtnArizaSec, &QPushButton::clicked, this, Guarded([this] { BtnArizaSecClick(); }));
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this] { BtnSecClick(); }));
    connect(Grid, &QTableWidget::cellDoubleClicked, this, Guarded([this] { BtnSecClick(); }));
    connect(BtnIptal, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    resize(620, 420);
    if (!arizaKodu.trimmed().isEmpty())
        listele();
    else
        EdAriza->setFocus();
}

QString TFormSecFrt::aranacakModel() const
{
    return CbGenel->isEnabled() && !CbGenel->isChecked() ? EdModel->text().trimmed() : GenelModel();
}

void TFormSecFrt::listele()
{
    m_rows = ArizaParcalari(m_ctx.Database1, EdAriza->text(), aranacakModel());
    frtStkDoldur(Grid, m_rows);
}

void TFormSecFrt::BtnArizaSecClick()
{
    const TDonPara d = FrtSec(m_ctx, 1, this);
    // An operation of another labour model has no parts list here.
    if (d.KodStr.isEmpty() || (d.IlkStr != GenelModel() && d.IlkStr != EdModel->text().trimmed()))
        return;
    m_secilenKod = d.KodStr;
    m_secilenModel = d.IlkStr;
    EdAriza->setText(d.KodStr);
    listele();
    EdAriza->setFocus();
}

void TFormSecFrt::BtnSecClick()
{
    const int r = Grid->currentRow();
    // A labour picked from the labour list that has no parts listed for it is
    // still the user's choice: it comes back on its own, with no part.
    if (m_rows.isEmpty() && !m_secilenKod.isEmpty() && EdAriza->text().trimmed() == m_secilenKod) {
        Sonuc.KodStr = m_secilenKod;
        Sonuc.IlkStr = m_secilenModel;
        SEC.clear();
        accept();
        return;
    }
    if (r < 0 || r >= m_rows.size())
        return;
    Sonuc.KodStr = m_rows[r].value(QStringLiteral("IZP_KODU")).toString().trimmed();
    Sonuc.IlkStr = m_rows[r].value(QStringLiteral("IZP_ARAC_TIPI")).toString().trimmed();
    SEC = m_rows[r].value(QStringLiteral("IZP_MALZEME")).toString().trimmed();
    accept();
}

TFormFRTSTK::TFormFRTSTK(SessionContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FormFRTSTK"));
    setWindowTitle(QStringLiteral("FormFRTSTK"));
    auto* v = new QVBoxLayout(this);
    auto* nav = new QHBoxLayout;
    auto* ekleB = frtStkDugmesi(this, "BtnEkle", QStringLiteral("Ekle"));
    auto* silB = frtStkDugmesi(this, "BtnSil", QStringLiteral("Sil"));
    auto* yenileB = frtStkDugmesi(this, "BtnYenile", QStringLiteral("Yenile"));
    for (QPushButton* b : {ekleB, silB, yenileB})
        nav->addWidget(b);
    nav->addStretch(1);
    v->addLayout(nav);
    Grid = frtStkTablosu(this, "Grid");
    Grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    v->addWidget(Grid, 1);
    auto* alt = new QHBoxLayout;
    alt->addStretch(1);
    auto* kapat = frtStkDugmesi(this, "BtnKapat", QStringLiteral("Kapat"));
    alt->addWidget(kapat);
    v->addLayout(alt);
    connect(ekleB, &QPushButton::clicked, this, Guarded([this] { ekle(); }));
    connect(silB, &QPushButton::clicked, this, Guarded([this] { sil(); }));
    connect(yenileB, &QPushButton::clicked, this, Guarded([this] { yenile(); }));
    connect(Grid, &QTableWidget::cellChanged, this, Guarded([this](int r, int c) { hucreDegisti(r, c); }));
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    resize(640, 480);
    yenile();
}

void TFormFRTSTK::yenile()
{
    m_dolduruluyor = true;
    m_rows = TarizparTumu(m_ctx.Database1);
    frtStkDoldur(Grid, m_rows);
    m_dolduruluyor = false;
}

void TFormFRTSTK::ekle()
{
    m_dolduruluyor = true;
    const int r = Grid->rowCount();
    Grid->insertRow(r);
    for (int c = 0; c < 4; ++c)
        Grid->setItem(r, c, new QTableWidgetItem);
    m_rows << QVariantMap{};
    m_dolduruluyor = false;
    Grid->setCurrentCell(r, 0);
}

void TFormFRTSTK::sil()
{
    const int r = Grid->currentRow();
    if (r < 0 || r >= m_rows.size())
        return;
    if (!m_rows[r].isEmpty())
        TarizparSil(m_ctx.Database1, m_rows[r]);
    yenile();
}

// A row is written as soon as its three codes are filled; until then a new
// row waits in the grid.
void TFormFRTSTK::hucreDegisti(int row, int)
{
    if (m_dolduruluyor || row < 0 || row >= m_rows.size())
        return;
    QVariantMap yeni;
    for (int c = 0; c < 4; ++c)
        yeni.insert(QLatin1String(kFrtStkKolonlari[c]), Grid->item(row, c) ? Grid->item(row, c)->text().trimmed().toUpper() : QString());
    const bool tamam = !yeni.value(QStringLiteral("IZP_ARAC_TIPI")).toString().isEmpty()
                       && !yeni.value(QStringLiteral("IZP_KODU")).toString().isEmpty()
                       && !yeni.value(QStringLiteral("IZP_MALZEME")).toString().isEmpty();
    if (m_rows[row].isEmpty() && !tamam)
        return;
    try {
        TarizparYaz(m_ctx.Database1, m_rows[row], yeni);
    } catch (...) {
        yenile(); // the grid shows the table as it is, then the guard shows why
        throw;
    }
    m_rows[row] = yeni;
}

void ArizaParcaSec(SessionContext& ctx, const QString& arizaKodu, const QString& model, TDonPara& sonuc, QWidget* parent)
{
    TFormSecFrt f(ctx, arizaKodu, model, parent);
    sonuc.KodStr.clear();
    if (RunModal(f) == QDialog::Accepted)
        sonuc = f.Sonuc;
}

void ShowFRTSTK(SessionContext& ctx, QWidget* parent)
{
    TFormFRTSTK f(ctx, parent);
    RunModal(f);
}

} // namespace tornaly::workshop
