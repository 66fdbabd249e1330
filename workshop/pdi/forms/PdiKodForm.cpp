#include "workshop/pdi/forms/PdiKodForm.h"
#include "workshop/vehicles/RecordIo.h"
#include "connection/DialogRunner.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"
#include "db/Dialect.h"
#include "messages/Messages.h"
#include "sql/SqlHelpers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

namespace tornaly::workshop {

namespace {
QString kartAc(SessionContext& ctx, const PdiKodTablosu& t, const QString& kod, bool yeni, QWidget* parent)
{
    std::unique_ptr<TFormPdiKodKart> kart;
    if (&t == &PdiHataKodlari())
        kart = std::make_unique<TFormHataPdi>(ctx, parent);
    else
        kart = std::make_unique<TFormHataYerPdi>(ctx, parent);
    TFormPdiKodKart& f = *kart;
    QVariantMap row;
    if (!yeni) {
        row = ReadRow(ctx.Database1, QStringLiteral("SELECT * FROM %1 WHERE %2 = :K").arg(t.tablo, t.kodKolonu),
                      {{QStringLiteral("K"), kod}});
        if (row.isEmpty())
            return {};
    }
    f.open(row, yeni);
    return RunModal(f) == QDialog::Accepted ? f.result() : QString();
}
} // namespace

TFormPdiKodBr::TFormPdiKodBr(SessionContext& ctx, const PdiKodTablosu& tablo, int mode, QWidget* parent)
    : VehicleListBase(ctx, mode, parent), m_tablo(tablo)
{
    setWindowTitle(tablo.listeBasligi);
    BtnYeni->setText(QStringLiteral("Yeni Kayıt"));
    BtnDuzenle->setText(QStringLiteral("&Değiştir"));
    BtnSil->setText(QStringLiteral("Kayıt Sil"));
    BtnSil->setToolTip(QStringLiteral("Ctrl Delete Tuşu"));
    BtnKapat->setText(QStringLiteral("Kapat"));
    BtnKapat->setToolTip(QStringLiteral("Alt-F4 Tuşu"));
    BtnExcel->hide();
    SearchRow->addWidget(new QLabel(QStringLiteral("Aramak İstenilen"), this));
    CmbAlan = new QComboBox(this);
    CmbAlan->setObjectName(QStringLiteral("CmbAlan"));
    CmbAlan->addItem(tablo.kodBasligi, tablo.kodKolonu);
    CmbAlan->addItem(tablo.tanimBasligi, tablo.adKolonu);
    SearchRow->addWidget(CmbAlan);
    SearchRow->addWidget(new QLabel(QStringLiteral("Aranan Değer"), this));
    EdAranan = new QLineEdit(this);
    EdAranan->setObjectName(QStringLiteral("EdAranan"));
    SearchRow->addWidget(EdAranan, 1);
    LblAranan = new QLabel(this);
    LblAranan->setObjectName(QStringLiteral("LblAranan"));
    SearchRow->addWidget(LblAranan);
    Grid->horizontalHeader()->setStretchLastSection(true);
    connect(EdAranan, &QLineEdit::returnPressed, this, Guarded([this] { AraClick(); }));
    auto kisayol = [this](const QKeySequence& k, auto fn) {
        auto* s = new QShortcut(k, this);
        connect(s, &QShortcut::activated, this, Guarded(fn));
    };
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { BtnDuzenleClick(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { BtnSilClick(); });
    kisayol(QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        if (!BtnSec->isHidden())
            BtnSecClick();
    });
    resize(560, 460);
}

void TFormPdiKodBr::tablo(const QString& goTo)
{
    runList(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(m_tablo.kodKolonu, m_tablo.adKolonu, m_tablo.tablo), {},
            {m_tablo.kodBasligi, m_tablo.tanimBasligi});
    Grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    if (!goTo.isEmpty())
        locate(m_tablo.kodKolonu, goTo);
}

void TFormPdiKodBr::BtnYeniClick()
{
    const QString kod = kartAc(m_ctx, m_tablo, {}, true, this);
    tablo(kod);
    if (!kod.isEmpty() && m_tablo.artimliArama)
        Grid->setFocus();
}

void TFormPdiKodBr::BtnDuzenleClick()
{
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    const QString kod = kartAc(m_ctx, m_tablo, row.value(m_tablo.kodKolonu).toString().trimmed(), false, this);
    tablo(kod.isEmpty() ? row.value(m_tablo.kodKolonu).toString().trimmed() : kod);
    if (!kod.isEmpty() && m_tablo.artimliArama)
        Grid->setFocus();
}

void TFormPdiKodBr::BtnSilClick()
{
    if (Messages().show(MsgIcon::Confirmation, QStringLiteral("Kayıt Silinsin mi?"), MsgYes | MsgNo | MsgCancel, MsgNo, {})
        != MsgYes)
        return;
    const QVariantMap row = currentRow();
    if (row.isEmpty())
        return;
    PdiKodSil(m_db, m_tablo, row.value(m_tablo.kodKolonu).toString().trimmed());
    tablo();
}

void TFormPdiKodBr::AraClick()
{
    locate(CmbAlan->currentData().toString(), EdAranan->text());
    Grid->setFocus();
}

bool TFormPdiKodBr::enYakin(const QString& metin)
{
    // The first code not below the text, compared as the user reads them.
    const int col = Liste->columnOf(m_tablo.kodKolonu);
    const QString aranan = Dialect::turkishUpper(metin);
    Liste->fetchAll();
    for (int r = 0; r < Liste->rowCount(); ++r) {
        const QString kod = Dialect::turkishUpper(Liste->data(Liste->index(r, col)).toString().trimmed());
        if (kod >= aranan) {
            Grid->setCurrentIndex(Liste->index(r, col));
            return kod.startsWith(aranan);
        }
    }
    return false;
}

void TFormPdiKodBr::artimliAra(const QString& metin)
{
    m_arama = metin.size() > 36 ? QString() : metin;
    if (!m_arama.isEmpty() && !enYakin(m_arama)) {
        m_arama.chop(1);
        enYakin(m_arama);
    }
    LblAranan->setText(m_arama);
}

bool TFormPdiKodBr::eventFilter(QObject* o, QEvent* e)
{
    if (o == Grid && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right) {
            m_arama.clear();
            LblAranan->clear();
            if (key == Qt::Key_Escape)
                return true;
        } else if (key == Qt::Key_Backspace) {
            m_arama.chop(1);
            if (m_tablo.artimliArama && !m_arama.isEmpty())
                enYakin(m_arama);
            LblAranan->setText(m_arama);
            return true;
        } else if (!k->text().isEmpty() && k->text().at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier)) {
            if (m_tablo.artimliArama)
                artimliAra(m_arama + k->text());
            return true;
        }
    }
    return VehicleListBase::eventFilter(o, e);
}

TFormPdiKodKart::TFormPdiKodKart(SessionContext& ctx, const PdiKodTablosu& tablo, QWidget* parent)
    : VehicleCardBase(ctx, tablo.kartBasligi, tablo.kartBasligi, parent), m_tablo(tablo)
{
    setObjectName(tablo.tablo == QLatin1String("PDIHATAD") ? QStringLiteral("FormHataPdi") : QStringLiteral("FormHataYerPdi"));
    Panel->add(tablo.kodKolonu, tablo.kartKodBasligi, FieldPanel::Text, 3);
    Panel->add(tablo.adKolonu, tablo.kartAdBasligi, FieldPanel::Text, 15);
    BtnSakla->setText(QStringLiteral("&Kaydet"));
}

bool TFormPdiKodKart::save(QVariantMap& row)
{
    PdiKodKaydet(m_db, m_tablo, row.value(m_tablo.kodKolonu).toString(), row.value(m_tablo.adKolonu).toString(), isNew(),
                 row.value(QStringLiteral("ESKI_KOD")).toString().trimmed());
    return true;
}

QString SelectHataPdi(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormHataPDIBr f(ctx, mode, parent);
    f.tablo();
    return RunModal(f) == QDialog::Accepted ? f.result() : QString();
}

QString SelectHataYerPdi(SessionContext& ctx, int mode, QWidget* parent)
{
    TFormHataYeriBr f(ctx, mode, parent);
    f.tablo();
    return RunModal(f) == QDialog::Accepted ? f.result() : QString();
}

QString EditHataPdi(SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    return kartAc(ctx, PdiHataKodlari(), kod, yeni, parent);
}

QString EditHataYerPdi(SessionContext& ctx, const QString& kod, bool yeni, QWidget* parent)
{
    return kartAc(ctx, PdiHataYerleri(), kod, yeni, parent);
}

} // namespace tornaly::workshop
