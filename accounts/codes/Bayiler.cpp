#include "accounts/ui/ListeModeli.h"
#include "guard/FormGuard.h"
#include "accounts/codes/Bayiler.h"

#include "accounts/codes/CariKodlari.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

TFormBayiler::TFormBayiler(const SessionContext& ctx, int mode, QWidget* parent) : QDialog(parent), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormBayiler"));
    setWindowTitle(QStringLiteral("Bayiler Listesi"));
    EditBayiAdi = new QLineEdit(this);
    EditBayiAdi->setObjectName(QStringLiteral("EditBayiAdi"));
    EditBayiKodu = new QLineEdit(this);
    EditBayiKodu->setObjectName(QStringLiteral("EditBayiKodu"));
    auto* ust = new QGridLayout;
    auto* l1 = new QLabel(QStringLiteral("&Bayi Adı"), this);
    l1->setBuddy(EditBayiAdi);
    auto* l2 = new QLabel(QStringLiteral("&Bayi Kodu"), this);
    l2->setBuddy(EditBayiKodu);
    ust->addWidget(l1, 0, 0);
    ust->addWidget(EditBayiAdi, 0, 1);
    ust->addWidget(l2, 0, 2);
    ust->addWidget(EditBayiKodu, 0, 3);
    RgSirala = new QButtonGroup(this);
    const QStringList siralar = {QStringLiteral("Ad'a Göre Sırala"), QStringLiteral("Kod'a Göre Sırala"),
                                 QStringLiteral("Şehir'e Göre Sırala")};
    const QStringList kolonlar = {QStringLiteral("BAYI_KISA_AD"), QStringLiteral("BAYI_KOD"), QStringLiteral("SEHIR")};
    auto* rl = new QHBoxLayout;
    for (int i = 0; i < siralar.size(); ++i) {
        auto* r = new QRadioButton(siralar.at(i), this);
        RgSirala->addButton(r, i);
        rl->addWidget(r);
    }
    RgSirala->button(0)->setChecked(true);
    connect(RgSirala, &QButtonGroup::idClicked, this, Guarded([this, kolonlar](int id) { listeyiAc(kolonlar.at(id)); }));

    TableBr = new ListeModeli(this);
    TableBr->setCaptions({QStringLiteral("Bayi Kod"), QStringLiteral("Bayi Ad"), QStringLiteral("Şehir"),
                          QStringLiteral("Telefon 1"), QStringLiteral("Telefon 2"), QStringLiteral("Telefon 3"),
                          QStringLiteral("Faks")});
    cxGrid = new QTableView(this);
    cxGrid->setModel(TableBr);
    cxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid->verticalHeader()->hide();
    connect(cxGrid, &QTableView::doubleClicked, this, Guarded(this, &TFormBayiler::BtnSecClick));
    connect(EditBayiAdi, &QLineEdit::textEdited, this, Guarded([this](const QString& t) { konumlan(t, false); }));
    connect(EditBayiAdi, &QLineEdit::returnPressed, this, Guarded(this, &TFormBayiler::BtnSecClick));
    connect(EditBayiKodu, &QLineEdit::returnPressed, this, Guarded([this] { konumlan(EditBayiKodu->text(), true); }));

    BtnSec = Dugme(this, "BtnSec", QStringLiteral("&Seç"));
    BtnSec->setVisible(mode == 1);
    BtnKapat = Dugme(this, "BtnKapat", QStringLiteral("&Kapat"));
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &TFormBayiler::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* dl = new QHBoxLayout;
    dl->addStretch();
    dl->addWidget(BtnSec);
    dl->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addLayout(rl);
    lay->addWidget(cxGrid, 1);
    lay->addLayout(dl);
    listeyiAc(kolonlar.first());
    resize(820, 480);
}

void TFormBayiler::listeyiAc(const QString& siralama)
{
    TableBr->setStatement(m_db, QStringLiteral("SELECT BAYI_KOD, BAYI_KISA_AD, SEHIR, TEL1, TEL2, TEL3, FAX\nFROM "
                                               "BAYILER\nORDER BY ") + siralama);
    TableBr->open();
    TableBr->fetchAll();
    KolonlariAyarla(cxGrid);
}

bool TFormBayiler::konumlan(const QString& aranan, bool kodaGore)
{
    const auto b = BayiBul(m_db, aranan, kodaGore);
    if (!b)
        return false;
    for (int r = 0; r < TableBr->rowCount(); ++r)
        if (TableBr->deger(r, QStringLiteral("BAYI_KOD")).toString() == b->BAYI_KOD) {
            cxGrid->setCurrentIndex(TableBr->index(r, 0));
            return true;
        }
    return false;
}

void TFormBayiler::BtnSecClick()
{
    if (!BtnSec->isVisible())
        return;
    const int r = cxGrid->currentIndex().row();
    const QString kod = TableBr->deger(r, QStringLiteral("BAYI_KOD")).toString();
    if (kod.isEmpty())
        return;
    secilen = TypeCariOlustur(kod, TableBr->deger(r, QStringLiteral("BAYI_KISA_AD")).toString(), {}, {}, {}, {});
    accept();
}

TypeCari BayiSec(const SessionContext& ctx, int mode, QWidget* parent)
{
    TFormBayiler f(ctx, mode, parent);
    return f.exec() == QDialog::Accepted ? f.secilen : TypeCari{};
}

} // namespace tornaly::accounts
