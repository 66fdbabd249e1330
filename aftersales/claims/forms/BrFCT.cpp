#include "aftersales/claims/forms/BrFCT.h"
#include "guard/FormGuard.h"

#include "aftersales/claims/HasarKod.h"
#include "connection/DialogRunner.h"
#include "sql/SqlHelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::aftersales {

TFormFctBr::TFormFctBr(SessionContext& ctx, int tip, QWidget* parent) : QDialog(parent), m_ctx(ctx), m_tip(tip)
{
    setObjectName(QStringLiteral("FormFctBr"));
    setWindowTitle(HasarKodCaption(tip));
    resize(560, 480);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new BoundQueryModel(this);
    m_model->setCaptions({QStringLiteral("Kodu"), QStringLiteral("Açıklama")});
    Grid->setModel(m_model);
    EdKod = new QLineEdit(this);
    EdKod->setObjectName(QStringLiteral("EdKod"));
    EdAd = new QLineEdit(this);
    EdAd->setObjectName(QStringLiteral("EdAd"));
    const auto button = [this](QPushButton*& b, const QString& t, const char* n) {
        b = new QPushButton(t, this);
        b->setObjectName(QString::fromLatin1(n));
        b->setAutoDefault(false);
    };
    button(BtnYeni, QStringLiteral("Yeni Kayıt"), "BtnYeni");
    button(BtnDegistir, QStringLiteral("&Değiştir"), "BtnDegistir");
    button(BtnSil, QStringLiteral("Kayıt Sil"), "BtnSil");
    button(BtnKapat, QStringLiteral("Kapat"), "BtnKapat");
    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("Kodu"), this));
    search->addWidget(EdKod);
    search->addWidget(new QLabel(QStringLiteral("Adı"), this));
    search->addWidget(EdAd);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BtnYeni, BtnDegistir, BtnSil})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(search);
    lay->addWidget(Grid, 1);
    lay->addLayout(buttons);
    connect(BtnYeni, &QPushButton::clicked, this, Guarded(this, &TFormFctBr::BtnYeniClick));
    connect(BtnDegistir, &QPushButton::clicked, this, Guarded(this, &TFormFctBr::BtnDegistirClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormFctBr::BtnSilClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(Grid, &QTableView::doubleClicked, this, Guarded(this, &TFormFctBr::BtnDegistirClick));
    connect(EdKod, &QLineEdit::textEdited, this, Guarded(this, &TFormFctBr::EdKodChange));
    connect(EdAd, &QLineEdit::textEdited, this, Guarded(this, &TFormFctBr::EdAdChange));
    connect(EdKod, &QLineEdit::returnPressed, this, Guarded([this] {
        if (currentKod() == EdKod->text().trimmed() && !currentKod().isEmpty())
            BtnDegistirClick();
        else
            Grid->setFocus();
    }));
    ac();
}

int TFormFctBr::rowCount() const
{
    return m_model->rowCount();
}

QString TFormFctBr::currentKod() const
{
    const QModelIndex i = Grid->currentIndex();
    return i.isValid() ? m_model->record(i.row()).value(0).toString() : QString();
}

void TFormFctBr::ac(const QString& gidilecek)
{
    m_model->setStatement(m_ctx.Database1,
                          QStringLiteral("SELECT CC_KOD, CC_AD FROM CLKODTIP WHERE CC_TIP = :TIP ORDER BY CC_KOD"),
                          {{QStringLiteral("TIP"), m_tip}});
    m_model->open();
    m_model->fetchAll();
    int row = m_model->rowCount() ? 0 : -1;
    for (int r = 0; !gidilecek.isEmpty() && r < m_model->rowCount(); ++r)
        if (m_model->record(r).value(0).toString() == gidilecek)
            row = r;
    if (row >= 0)
        Grid->setCurrentIndex(m_model->index(row, 0));
}

// Moves to the nearest code (or the first name that starts with the text, ignoring case).
void TFormFctBr::EdKodChange()
{
    const QString t = EdKod->text();
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->record(r).value(0).toString() >= t) {
            Grid->setCurrentIndex(m_model->index(r, 0));
            return;
        }
}

void TFormFctBr::EdAdChange()
{
    const QString t = EdAd->text();
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->record(r).value(1).toString().startsWith(t, Qt::CaseInsensitive)) {
            Grid->setCurrentIndex(m_model->index(r, 0));
            return;
        }
}

bool TFormFctBr::kart(bool yeni)
{
    const QModelIndex i = Grid->currentIndex();
    const QString kod = yeni || !i.isValid() ? QString() : m_model->record(i.row()).value(0).toString();
    const QString ad = yeni || !i.isValid() ? QString() : m_model->record(i.row()).value(1).toString();
    if (!yeni && kod.isEmpty())
        return false;
    const QString saved = HasarKodKartGir(m_ctx, m_tip, kod, ad, yeni, this);
    if (saved.isEmpty())
        return false;
    ac(saved);
    Grid->setFocus();
    return true;
}

void TFormFctBr::BtnYeniClick() { kart(true); }
void TFormFctBr::BtnDegistirClick() { kart(false); }

void TFormFctBr::BtnSilClick()
{
    const QString kod = currentKod();
    if (!kod.isEmpty() && HasarKodSil(m_ctx.Database1, m_tip, kod))
        ac();
}

QString HasarKodKartGir(SessionContext& ctx, int tip, const QString& kod, const QString& ad, bool yeni, QWidget* parent)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("FormFCTSakla"));
    d.setWindowTitle(QStringLiteral("Hasar Kodları"));
    auto* edKod = new QLineEdit(kod, &d);
    edKod->setObjectName(QStringLiteral("EdKod"));
    edKod->setReadOnly(!yeni);
    auto* edAd = new QLineEdit(ad, &d);
    edAd->setObjectName(QStringLiteral("EdAd"));
    auto* sakla = new QPushButton(QStringLiteral("&Sakla"), &d);
    sakla->setObjectName(QStringLiteral("BtnSakla"));
    auto* vazgec = new QPushButton(QStringLiteral("&Vazgeç"), &d);
    vazgec->setObjectName(QStringLiteral("BtnVazgec"));
    auto* fl = new QFormLayout(&d);
    fl->addRow(QStringLiteral("Kodu"), edKod);
    fl->addRow(QStringLiteral("Adı"), edAd);
    auto* b = new QHBoxLayout;
    b->addWidget(sakla);
    b->addWidget(vazgec);
    fl->addRow(b);
    QString sonuc;
    QObject::connect(vazgec, &QPushButton::clicked, &d, &QDialog::reject); // unguarded: ui only
    QObject::connect(sakla, &QPushButton::clicked, &d, Guarded([&] {
        sonuc = HasarKodSakla(ctx.Database1, tip, edKod->text(), edAd->text(), yeni);
        if (!sonuc.isEmpty())
            d.accept();
    }));
    if (RunModal(d) != QDialog::Accepted)
        return {};
    return sonuc;
}

void HasarKodSec(SessionContext& ctx, int tip, QWidget* parent)
{
    auto* f = new TFormFctBr(ctx, tip, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
}

} // namespace tornaly::aftersales
