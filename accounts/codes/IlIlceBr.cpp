#include "util/Utf8.h"
#include "guard/FormGuard.h"
#include "accounts/codes/IlIlceBr.h"

#include "db/DbError.h"
#include "messages/Messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

namespace {
using text::S;
} // namespace

TFormIlIlceBr::TFormIlIlceBr(const SessionContext& ctx, int mode, QWidget* parent)
    : TFormListeBr(ctx.Database1, parent), m_ctx(ctx)
{
    setObjectName(S("FormIlIlceBr"));
    setWindowTitle(S("İl - İlçe Tanımları"));
    setrights(1400);
    TableBrSql.lines = {S("SELECT *"), S("FROM SEHIR"), S("WHERE 1=1"), QString(), S("ORDER BY SEHIR")};
    TableBr->setCaptions({S("Şehir"), S("Alan Kodu"), S("Plaka")});
    setkeyfield(S("SEHIR"));
    applyMode(mode, S("Y"));
    btnSelect->hide();

    // The districts of the current province beside the provinces.
    QIlce = new ListeModeli(this);
    QIlce->setCaptions({S("İlçe Adı")});
    GridIlce = new QTableView(this);
    GridIlce->setObjectName(S("GridIlce"));
    GridIlce->setModel(QIlce);
    GridIlce->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridIlce->setSelectionMode(QAbstractItemView::SingleSelection);
    GridIlce->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridIlce->verticalHeader()->hide();
    GridIlce->horizontalHeader()->setStretchLastSection(true);
    EditIlce = new QLineEdit(this);
    EditIlce->setObjectName(S("EditIlce"));
    EditIlce->setMaxLength(25);
    BtnIlceEkle = Dugme(this, "BtnIlceEkle", S("İlçe Ekle"));
    BtnIlceSil = Dugme(this, "BtnIlceSil", S("İlçe Sil"));
    auto* sag = new QVBoxLayout;
    sag->addWidget(GridIlce, 1);
    auto* el = new QHBoxLayout;
    el->addWidget(EditIlce, 1);
    el->addWidget(BtnIlceEkle);
    el->addWidget(BtnIlceSil);
    sag->addLayout(el);
    auto* lay = static_cast<QVBoxLayout*>(layout());
    const int yer = lay->indexOf(dbgridbr);
    lay->removeWidget(dbgridbr);
    auto* orta = new QHBoxLayout;
    orta->addWidget(dbgridbr, 3);
    orta->addLayout(sag, 2);
    lay->insertLayout(yer, orta, 1);

    connect(btnNew, &QPushButton::clicked, this, Guarded(this, &TFormIlIlceBr::btnNewClick));
    connect(btnEdit, &QPushButton::clicked, this, Guarded(this, &TFormIlIlceBr::btnEditClick));
    connect(btnDelete, &QPushButton::clicked, this, Guarded(this, &TFormIlIlceBr::btnDeleteClick));
    connect(BtnIlceEkle, &QPushButton::clicked, this, Guarded(this, &TFormIlIlceBr::BtnIlceEkleClick));
    connect(EditIlce, &QLineEdit::returnPressed, this, Guarded(this, &TFormIlIlceBr::BtnIlceEkleClick));
    connect(BtnIlceSil, &QPushButton::clicked, this, Guarded(this, &TFormIlIlceBr::BtnIlceSilClick));
    connect(dbgridbr, &QTableView::doubleClicked, this, Guarded(this, &TFormIlIlceBr::btnEditClick));
    connect(TableBr, &QAbstractItemModel::modelReset, this, Guarded([this] {
        if (TableBr->rowCount() > 0 && !dbgridbr->currentIndex().isValid())
            dbgridbr->setCurrentIndex(TableBr->index(0, 0));
        ilceleriAc();
    }));
    connect(dbgridbr->selectionModel(), &QItemSelectionModel::currentRowChanged, this, Guarded([this] { ilceleriAc(); }));
    openTable();
    resize(760, 480);
}

void TFormIlIlceBr::ilceleriAc()
{
    const QString plaka = currentValue(S("PLAKA")).toString();
    QIlce->setStatement(m_db, S("SELECT ILCE_ADI FROM ILCE WHERE ILCE_KOD=:K ORDER BY ILCE_ADI"),
                        {{S("K"), plaka.toInt()}});
    QIlce->open();
    QIlce->fetchAll();
}

std::optional<QString> TFormIlIlceBr::sehirKaydet(const Sehir& s, bool yeni)
{
    bool sayi = false;
    s.PLAKA.trimmed().toInt(&sayi);
    if (s.SEHIR.trimmed().isEmpty() || !sayi)
        return S("Şehir ve Plaka (sayı) boş geçilemez.");
    if (yeni)
        for (const Sehir& var : Sehirler(m_db))
            if (var.SEHIR == s.SEHIR.trimmed())
                return S("Bu şehir zaten tanımlı.");
    SehirKaydet(m_db, {s.SEHIR.trimmed(), s.ALANKODU.trimmed(), s.PLAKA.trimmed()});
    openTable();
    locatekeyvalue(s.SEHIR.trimmed());
    return std::nullopt;
}

void TFormIlIlceBr::sehirDuzenle(bool yeni)
{
    Sehir s;
    if (!yeni) {
        s = {currentValue(S("SEHIR")).toString(), currentValue(S("ALANKODU")).toString(),
             currentValue(S("PLAKA")).toString()};
        if (s.SEHIR.isEmpty())
            return;
    }
    QDialog d(this);
    d.setWindowTitle(S("Şehir"));
    auto* form = new QFormLayout(&d);
    auto* sehir = new QLineEdit(s.SEHIR, &d);
    sehir->setObjectName(S("SEHIR"));
    sehir->setMaxLength(25);
    sehir->setReadOnly(!yeni); // the key the accounts' addresses carry
    auto* alan = new QLineEdit(s.ALANKODU, &d);
    alan->setObjectName(S("ALANKODU"));
    alan->setMaxLength(9);
    auto* plaka = new QLineEdit(s.PLAKA, &d);
    plaka->setObjectName(S("PLAKA"));
    plaka->setMaxLength(3);
    plaka->setReadOnly(!yeni); // the districts hang on it
    form->addRow(S("Şehir"), sehir);
    form->addRow(S("Alan Kodu"), alan);
    form->addRow(S("Plaka"), plaka);
    auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(bb);
    connect(bb, &QDialogButtonBox::accepted, &d, &QDialog::accept); // unguarded: ui only
    connect(bb, &QDialogButtonBox::rejected, &d, &QDialog::reject); // unguarded: ui only
    // A refused or failed save is shown and the dialog opens again with what was typed.
    while (d.exec() == QDialog::Accepted) {
        std::optional<QString> hata;
        if (!Guard([&] { hata = sehirKaydet({sehir->text(), alan->text(), plaka->text()}, yeni); }))
            continue;
        if (!hata)
            return;
        ShowWarning(*hata);
    }
}

void TFormIlIlceBr::btnNewClick()
{
    if (btnNew->isEnabled())
        sehirDuzenle(true);
}

void TFormIlIlceBr::btnEditClick()
{
    if (btnEdit->isEnabled())
        sehirDuzenle(false);
}

void TFormIlIlceBr::btnDeleteClick()
{
    const QString sehir = currentValue(S("SEHIR")).toString();
    if (sehir.isEmpty() || !btnDelete->isEnabled() || AskYesNoCancel(S("Kayıt Silinsin mi?")) != MsgYes)
        return;
    SehirSil(m_db, sehir);
    openTable();
}

void TFormIlIlceBr::BtnIlceEkleClick()
{
    const QString plaka = currentValue(S("PLAKA")).toString();
    const QString ilce = EditIlce->text().trimmed();
    if (plaka.isEmpty() || ilce.isEmpty())
        return;
    if (!Ilceler(m_db, currentValue(S("SEHIR")).toString()).contains(ilce))
        IlceEkle(m_db, plaka, ilce);
    EditIlce->clear();
    ilceleriAc();
}

void TFormIlIlceBr::BtnIlceSilClick()
{
    const QString ilce = QIlce->deger(GridIlce->currentIndex().row(), S("ILCE_ADI")).toString();
    if (ilce.isEmpty() || AskYesNoCancel(S("Kayıt Silinsin mi?")) != MsgYes)
        return;
    IlceSil(m_db, currentValue(S("PLAKA")).toString(), ilce);
    ilceleriAc();
}

void IlIlceSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    if (mode > 0) {
        TFormIlIlceBr f(ctx, mode, parent);
        f.exec();
        return;
    }
    auto* f = new TFormIlIlceBr(ctx, mode, parent);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
}

} // namespace tornaly::accounts
