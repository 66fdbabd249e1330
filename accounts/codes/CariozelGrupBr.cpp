#include "accounts/codes/CariozelGrupBr.h"
#include "guard/FormGuard.h"

#include "accounts/codes/CariKodlari.h"
#include "db/DbError.h"
#include "messages/Messages.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

TFormCariozelGrupBr::TFormCariozelGrupBr(const SessionContext& ctx, int grupNo, QWidget* parent)
    : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormCariozelGrupBr"));
    setWindowTitle(QStringLiteral("Cari Grup Tanımları"));
    auto* kutu = new QGroupBox(QStringLiteral("Filtre"), this);
    kutu->setObjectName(QStringLiteral("RgFiltre"));
    auto* kl = new QHBoxLayout(kutu);
    Filtre = new QButtonGroup(this);
    for (int n = 1; n <= 3; ++n) {
        auto* r = new QRadioButton(QStringLiteral("Grup %1").arg(n), kutu);
        Filtre->addButton(r, n);
        kl->addWidget(r);
    }
    Filtre->button(qBound(1, grupNo, 3))->setChecked(true);
    connect(Filtre, &QButtonGroup::idClicked, this, Guarded([this] { listeyiAc(); }));

    TableBr = new ListeModeli(this);
    TableBr->setCaptions({QStringLiteral("Cari Grubu")});
    dbgridbr = new QTableView(this);
    dbgridbr->setObjectName(QStringLiteral("dbgridbr"));
    dbgridbr->setModel(TableBr);
    dbgridbr->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridbr->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgridbr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgridbr->verticalHeader()->hide();
    dbgridbr->horizontalHeader()->setStretchLastSection(true);

    EditYeniKod = new QLineEdit(this);
    EditYeniKod->setObjectName(QStringLiteral("EditYeniKod"));
    EditYeniKod->setMaxLength(20);
    BtnEkle = Dugme(this, "BtnEkle", QStringLiteral("&Ekle"));
    BtnSil = Dugme(this, "BtnSil", QStringLiteral("&Sil"));
    BtnGetir = Dugme(this, "BtnGetir", QStringLiteral("Cari Kartlardaki Grupları Getir"));
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    connect(EditYeniKod, &QLineEdit::returnPressed, this, Guarded(this, &TFormCariozelGrupBr::BtnEkleClick));
    connect(BtnEkle, &QPushButton::clicked, this, Guarded(this, &TFormCariozelGrupBr::BtnEkleClick));
    connect(BtnSil, &QPushButton::clicked, this, Guarded(this, &TFormCariozelGrupBr::BtnSilClick));
    connect(BtnGetir, &QPushButton::clicked, this, Guarded(this, &TFormCariozelGrupBr::BtnGetirClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only

    auto* el = new QHBoxLayout;
    el->addWidget(new QLabel(QStringLiteral("Cari Grubu"), this));
    el->addWidget(EditYeniKod, 1);
    el->addWidget(BtnEkle);
    el->addWidget(BtnSil);
    auto* dl = new QHBoxLayout;
    dl->addWidget(BtnGetir);
    dl->addStretch();
    dl->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(kutu);
    lay->addWidget(dbgridbr, 1);
    lay->addLayout(el);
    lay->addLayout(dl);
    listeyiAc();
    resize(480, 420);
}

int TFormCariozelGrupBr::grupNo() const
{
    return Filtre->checkedId();
}

void TFormCariozelGrupBr::listeyiAc(const QString& konum)
{
    TableBr->setStatement(m_db, QStringLiteral("SELECT CG_KOD FROM CARIG WHERE CG_NO=:N ORDER BY CG_KOD"),
                          {{QStringLiteral("N"), grupNo()}});
    TableBr->open();
    TableBr->fetchAll();
    int satir = TableBr->rowCount() > 0 ? 0 : -1;
    for (int r = 0; r < TableBr->rowCount(); ++r)
        if (TableBr->deger(r, QStringLiteral("CG_KOD")).toString() == konum)
            satir = r;
    if (satir >= 0)
        dbgridbr->setCurrentIndex(TableBr->index(satir, 0));
}

QString TFormCariozelGrupBr::secili() const
{
    return TableBr->deger(dbgridbr->currentIndex().row(), QStringLiteral("CG_KOD")).toString();
}

void TFormCariozelGrupBr::BtnEkleClick()
{
    const QString kod = EditYeniKod->text().trimmed();
    if (kod.isEmpty())
        return;
    if (CariOzelKodlari(m_db, grupNo()).contains(kod)) {
        listeyiAc(kod);
        return;
    }
    CariOzelKodEkle(m_db, grupNo(), kod);
    EditYeniKod->clear();
    listeyiAc(kod);
}

void TFormCariozelGrupBr::BtnSilClick()
{
    const QString kod = secili();
    if (kod.isEmpty())
        return;
    if (const auto hata = CariOzelKodSil(m_db, grupNo(), kod)) {
        ShowWarning(*hata);
        return;
    }
    listeyiAc();
}

void TFormCariozelGrupBr::BtnGetirClick()
{
    if (!AskYesNo(QStringLiteral("Cari kartlara girdiğiniz Özel Kodları Listeye Eklemek istiyor musunuz?")))
        return;
    CariKartlardakiGruplariGetir(m_db);
    listeyiAc(secili());
}

void CariOzelGrupAc(const SessionContext& ctx, int grupNo, QWidget* parent)
{
    TFormCariozelGrupBr f(ctx, grupNo, parent);
    f.exec();
}

} // namespace tornaly::accounts
