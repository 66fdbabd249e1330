#include "workshop/vehicles/forms/CodeLists.h"
#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/forms/CodeCards.h"
#include "workshop/vehicles/RecordIo.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace tornaly::workshop {

namespace {
QLineEdit* searchField(QWidget* owner, QHBoxLayout* row, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, owner);
    auto* ed = new QLineEdit(owner);
    ed->setObjectName(QString::fromLatin1(name));
    label->setBuddy(ed);
    row->addWidget(label);
    row->addWidget(ed);
    ed->installEventFilter(owner);
    return ed;
}

bool isEnter(QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const int k = static_cast<QKeyEvent*>(e)->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter;
}
} // namespace

// --- Segments --------------------------------------------------------------

TFormTypeBr::TFormTypeBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormTypeBr"));
    setWindowTitle(QStringLiteral("MODEL SEGMENT TİP TANIMLARI"));
    EdMarka = searchField(this, SearchRow, "EdMarka", QStringLiteral("Aranan Marka"));
    EdMarka->setReadOnly(true);
    auto* brand = new QComboBox(this);
    brand->setObjectName(QStringLiteral("CmbMarkaSec"));
    brand->setToolTip(QStringLiteral("Cari  Seç Ctrl-C"));
    brand->addItem(QString());
    brand->addItems(BrandCodes(m_db));
    connect(brand, &QComboBox::activated, this, Guarded([this, brand] { EdMarka->setText(brand->currentText()); }));
    SearchRow->addWidget(brand);
    EdIscilikKod = searchField(this, SearchRow, "EdIscilikKod", QStringLiteral("İşçilik.Kodu"));
    auto* filtre = new QPushButton(QStringLiteral("Filtrele"), this);
    filtre->setObjectName(QStringLiteral("BtnFiltrele"));
    auto* kaldir = new QPushButton(QStringLiteral("&Filtre Kaldır"), this);
    kaldir->setObjectName(QStringLiteral("BtnFiltreKaldir"));
    SearchRow->addWidget(filtre);
    SearchRow->addWidget(kaldir);
    SearchRow->addWidget(new QLabel(QStringLiteral("Aramak İstenilen "), this));
    CmbAlan = new QComboBox(this);
    CmbAlan->setObjectName(QStringLiteral("CmbAlan"));
    CmbAlan->addItem(QStringLiteral("Model.Seg.Kod"), QStringLiteral("MODEL_KOD"));
    CmbAlan->addItem(QStringLiteral("Model.Seg.Adı"), QStringLiteral("MODEL_AD"));
    SearchRow->addWidget(CmbAlan);
    EdAranan = searchField(this, SearchRow, "EdAranan", QStringLiteral("Aranan Değer"));
    connect(filtre, &QPushButton::clicked, this, Guarded([this] { FiltreleClick(); }));
    connect(kaldir, &QPushButton::clicked, this, Guarded([this] { FiltreKaldirClick(); }));
    const bool full = ctx.AktifKullanici.arac_al.startsWith(QLatin1Char('Y')) &&
                      ctx.AktifKullanici.diger05.startsWith(QLatin1Char('Y'));
    BtnYeni->setEnabled(full);
    BtnDuzenle->setEnabled(full);
    BtnSil->setEnabled(full);
    tablo();
}

void TFormTypeBr::tablo()
{
    QString sql = QStringLiteral("SELECT MARKA, MODEL_KOD, MODEL_AD, ISCILIK_KOD FROM MODELKOD WHERE 1=1");
    QVariantMap binds;
    if (!EdMarka->text().trimmed().isEmpty()) {
        sql += QStringLiteral(" AND MARKA = :MARKA");
        binds.insert(QStringLiteral("MARKA"), EdMarka->text().trimmed());
    }
    if (!EdIscilikKod->text().trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ISCILIK_KOD = :ISC");
        binds.insert(QStringLiteral("ISC"), EdIscilikKod->text().trimmed());
    }
    sql += QStringLiteral(" ORDER BY MARKA, MODEL_KOD");
    runList(sql, binds, {QStringLiteral("Marka"), QStringLiteral("Model.Seg.Kod"), QStringLiteral("Model.Seg.Adı"),
                         QStringLiteral("Segmentin İşçilik Kodu")});
}

void TFormTypeBr::FiltreleClick() { tablo(); }

void TFormTypeBr::FiltreKaldirClick()
{
    EdMarka->clear();
    EdIscilikKod->clear();
    tablo();
}

void TFormTypeBr::BtnYeniClick()
{
    if (!ModelSegmentKartGir(m_ctx, {}, true, this).isEmpty()) {
        tablo();
        Grid->setFocus();
    }
}

void TFormTypeBr::BtnDuzenleClick()
{
    const QString k = currentRow().value(QStringLiteral("MODEL_KOD")).toString();
    if (k.isEmpty())
        return;
    const QString saved = ModelSegmentKartGir(m_ctx, k, false, this);
    if (!saved.isEmpty()) {
        tablo();
        locate(QStringLiteral("MODEL_KOD"), saved);
        Grid->setFocus();
    }
}

void TFormTypeBr::BtnSilClick()
{
    if (DeleteSegment(m_db, currentRow().value(QStringLiteral("MODEL_KOD")).toString()))
        tablo();
}

bool TFormTypeBr::eventFilter(QObject* o, QEvent* e)
{
    if ((o == EdAranan || o == EdMarka || o == EdIscilikKod) && isEnter(e)) {
        if (mode() == 1 && o != EdAranan)
            BtnSecClick();
        else if (locate(CmbAlan->currentData().toString(), EdAranan->text()))
            Grid->setFocus();
        return true;
    }
    return VehicleListBase::eventFilter(o, e);
}

// --- Tariffs ---------------------------------------------------------------

TFormTAVBr::TFormTAVBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormTAVBr"));
    setWindowTitle(QStringLiteral("Taşıt Alım Vergileri"));
    SearchRow->addWidget(new QLabel(QStringLiteral("Aramak İstenilen "), this));
    CmbAlan = new QComboBox(this);
    CmbAlan->setObjectName(QStringLiteral("CmbAlan"));
    CmbAlan->addItem(QStringLiteral("Tarife Kodu"), QStringLiteral("TARIFE_KOD"));
    CmbAlan->addItem(QStringLiteral("Tarife Tanımı"), QStringLiteral("TARIFE_AD"));
    SearchRow->addWidget(CmbAlan);
    EdAranan = searchField(this, SearchRow, "EdAranan", QStringLiteral("Aranan Değer"));
    SearchRow->addStretch(1);
    tablo();
}

void TFormTAVBr::tablo(const QString& goTo)
{
    runList(QStringLiteral("SELECT TARIFE_KOD, MODEL_YIL, TARIFE_AD, TAV, EKTAV, EKP, CKF, SIGORTA, BANDROL, TESCIL, "
                           "KDV, DIGER1, DIGER2 FROM TAVERGI ORDER BY TARIFE_KOD"),
            {}, {QStringLiteral("Kod"), QStringLiteral("ModelYıl"), QStringLiteral("Açıklama"), QStringLiteral("TAV"),
                 QStringLiteral("Ek TAV Oranı"), QStringLiteral("Eğ. Katkı Payı"), QStringLiteral("ÇKF"),
                 QStringLiteral("SİGORTA"), QStringLiteral("Bandrol"), QStringLiteral("TESCİL"), QStringLiteral("KDV"),
                 QStringLiteral("DİĞER1"), QStringLiteral("DİĞER2")});
    if (!goTo.isEmpty())
        locate(QStringLiteral("TARIFE_KOD"), goTo);
}

void TFormTAVBr::BtnYeniClick()
{
    const QString k = TAVKartGir(m_ctx, {}, true, this);
    if (!k.isEmpty())
        tablo(k);
}

void TFormTAVBr::BtnDuzenleClick()
{
    const QString cur = currentRow().value(QStringLiteral("TARIFE_KOD")).toString();
    if (cur.isEmpty())
        return;
    const QString k = TAVKartGir(m_ctx, cur, false, this);
    if (!k.isEmpty())
        tablo(k);
}

void TFormTAVBr::BtnSilClick()
{
    if (DeleteTariff(m_db, currentRow().value(QStringLiteral("TARIFE_KOD")).toString()))
        tablo();
}

bool TFormTAVBr::eventFilter(QObject* o, QEvent* e)
{
    if (o == EdAranan && isEnter(e)) {
        if (mode() == 1)
            BtnSecClick();
        else if (locate(CmbAlan->currentData().toString(), EdAranan->text()))
            Grid->setFocus();
        return true;
    }
    return VehicleListBase::eventFilter(o, e);
}

// --- Colours ---------------------------------------------------------------

TFormRenkBr::TFormRenkBr(SessionContext& ctx, int mode, QWidget* parent) : VehicleListBase(ctx, mode, parent)
{
    setObjectName(QStringLiteral("FormRenkBr"));
    setWindowTitle(QStringLiteral("RENK KAYITLARI"));
    EdRenkKod = searchField(this, SearchRow, "EdRenkKod", QStringLiteral("Renk Kod"));
    EdRenkAdi = searchField(this, SearchRow, "EdRenkAdi", QStringLiteral("Renk Adı"));
    SearchRow->addStretch(1);
    connect(EdRenkKod, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { locate(QStringLiteral("ARC_RENK_KODU"), t); }));
    connect(EdRenkAdi, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { locate(QStringLiteral("ARC_RENK_ADI"), t); }));
    resize(640, 520);
}

void TFormRenkBr::limitToModel(const QString& model, const QString& exterior, bool interior)
{
    m_limitBinds = {{QStringLiteral("modelkod"), model.trimmed()}};
    if (interior) {
        m_limit = QStringLiteral(" AND RENK_TIP = 'I' AND ARC_RENK_KODU IN (SELECT IC_RENK FROM MODELICRENK "
                                 "WHERE MODEL_KOD = :modelkod AND RENK_KOD = :renkkod)");
        m_limitBinds.insert(QStringLiteral("renkkod"), exterior.trimmed());
    } else {
        m_limit = QStringLiteral(" AND RENK_TIP = 'D' AND ARC_RENK_KODU IN (SELECT RENK_KOD FROM MODELRNK "
                                 "WHERE MODEL_KOD = :modelkod)");
    }
    BtnSec->setVisible(!model.trimmed().isEmpty());
}

void TFormRenkBr::tablo(const QString& order, const QString& goTo)
{
    m_order = order;
    QString sql = QStringLiteral("SELECT ARC_RENK_KODU, ARC_RENK_ADI, CASE RENK_TIP WHEN 'D' THEN 'Dış Renk' "
                                 "WHEN 'I' THEN 'İç Renk' ELSE '' END AS RENK_TIPI, ANA_RENK FROM RENK WHERE 1=1");
    if (MarkaBayiModuAcik(m_ctx))
        sql += QStringLiteral(" AND ((LENGTH(TRIM(ARC_RENK_KODU)) = 4 AND RENK_TIP = 'D') OR RENK_TIP = 'I')");
    sql += m_limit + QStringLiteral(" ORDER BY ") + (order == QLatin1String("ARC_RENK_ADI") ? QStringLiteral("ARC_RENK_ADI")
                                                                                            : QStringLiteral("ARC_RENK_KODU"));
    runList(sql, m_limitBinds, {QStringLiteral("Renk Kodu"), QStringLiteral("Renk Adı"), QStringLiteral("Renk Tipi"),
                                QStringLiteral("Ana Renk")});
    if (!goTo.isEmpty())
        locate(QStringLiteral("ARC_RENK_KODU"), goTo);
}

void TFormRenkBr::BtnYeniClick()
{
    const QString k = RenkKartGir(m_ctx, {}, true, this);
    if (!k.isEmpty()) {
        tablo(m_order, k);
        Grid->setFocus();
    }
}

void TFormRenkBr::BtnDuzenleClick()
{
    const QString cur = currentRow().value(QStringLiteral("ARC_RENK_KODU")).toString();
    if (cur.isEmpty())
        return;
    const QString k = RenkKartGir(m_ctx, cur, false, this);
    if (!k.isEmpty()) {
        tablo(m_order, k);
        Grid->setFocus();
    }
}

void TFormRenkBr::BtnSilClick()
{
    if (Liste->rowCount() == 0)
        return;
    if (DeleteColour(m_db, currentRow().value(QStringLiteral("ARC_RENK_KODU")).toString()))
        tablo(m_order);
}

bool TFormRenkBr::eventFilter(QObject* o, QEvent* e)
{
    if (o == EdRenkKod || o == EdRenkAdi) {
        if (e->type() == QEvent::FocusIn)
            tablo(o == EdRenkAdi ? QStringLiteral("ARC_RENK_ADI") : QStringLiteral("ARC_RENK_KODU"));
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Up || k == Qt::Key_Down) {
                const int r = Grid->currentIndex().row() + (k == Qt::Key_Up ? -1 : 1);
                if (r >= 0 && r < Liste->rowCount())
                    Grid->setCurrentIndex(Liste->index(r, 0));
                return true;
            }
            if (isEnter(e)) {
                if (!BtnSec->isHidden())
                    BtnSecClick();
                return true;
            }
        }
    }
    return VehicleListBase::eventFilter(o, e);
}

// --- Openers ---------------------------------------------------------------

QString ModelSegmentSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormTypeBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

QString TAVSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormTAVBr f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

QString RenkSec(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormRenkBr f(ctx, mode, parent);
    f.tablo(QStringLiteral("ARC_RENK_KODU"));
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

QString DisRenkSec(SessionContext& ctx, const QString& model, QWidget* parent)
{
    TFormRenkBr f(ctx, 1, parent);
    f.limitToModel(model, {}, false);
    f.tablo(QStringLiteral("ARC_RENK_KODU"));
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

QString IcRenkSec(SessionContext& ctx, const QString& model, const QString& exterior, QWidget* parent)
{
    TFormRenkBr f(ctx, 1, parent);
    f.limitToModel(model, exterior, true);
    f.tablo(QStringLiteral("ARC_RENK_KODU"));
    return f.exec() == QDialog::Accepted ? f.result() : QString();
}

} // namespace tornaly::workshop
