#include "accounts/ui/ListeModeli.h"
#include "guard/FormGuard.h"
#include "accounts/ui/SecimListesi.h"

#include "browse/BrowseRules.h"
#include "db/Dialect.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::accounts {

SecimListesi::SecimListesi(const SessionContext& ctx, int mode, const QString& hak, const QString& baslik,
                           QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setWindowTitle(baslik);
    setProperty("Tag", mode);
    CbArama = new QComboBox(this);
    CbArama->setObjectName(QStringLiteral("Alan"));
    EditAranan = new QLineEdit(this);
    EditAranan->setObjectName(QStringLiteral("Tanim"));
    auto* ust = new QHBoxLayout;
    ust->addWidget(new QLabel(QStringLiteral("Aramak İstenilen"), this));
    ust->addWidget(CbArama);
    ust->addWidget(new QLabel(QStringLiteral("Aranan Değer"), this));
    ust->addWidget(EditAranan, 1);
    connect(EditAranan, &QLineEdit::returnPressed, this, Guarded([this] {
        if (konumlan(EditAranan->text()))
            dbgridbr->setFocus();
    }));

    TableBr = new ListeModeli(this);
    dbgridbr = new QTableView(this);
    dbgridbr->setObjectName(QStringLiteral("dbgridbr"));
    dbgridbr->setModel(TableBr);
    dbgridbr->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridbr->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgridbr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgridbr->verticalHeader()->hide();
    connect(dbgridbr, &QTableView::doubleClicked, this, Guarded([this] {
        if (btnSelect->isVisible() && btnSelect->isEnabled())
            btnSelectClick();
        else if (btnEdit->isEnabled())
            btnEditClick();
    }));

    btnSelect = Dugme(this, "btnSelect", QStringLiteral("&Seç"));
    btnNew = Dugme(this, "btnNew", QStringLiteral("&Yeni"));
    btnEdit = Dugme(this, "btnEdit", QStringLiteral("&Düzenle"));
    btnDelete = Dugme(this, "btnDelete", QStringLiteral("&Sil"));
    btnClose = Dugme(this, "btnClose", QStringLiteral("&Kapat"));
    LblSayi = new QLabel(this);
    auto* alt = new QHBoxLayout;
    for (QPushButton* b : {btnSelect, btnNew, btnEdit, btnDelete}) {
        b->setAutoDefault(false);
        alt->addWidget(b);
    }
    alt->addStretch();
    alt->addWidget(LblSayi);
    alt->addWidget(btnClose);
    btnClose->setAutoDefault(false);
    connect(btnSelect, &QPushButton::clicked, this, Guarded(this, &SecimListesi::btnSelectClick));
    connect(btnNew, &QPushButton::clicked, this, Guarded(this, &SecimListesi::btnNewClick));
    connect(btnEdit, &QPushButton::clicked, this, Guarded(this, &SecimListesi::btnEditClick));
    connect(btnDelete, &QPushButton::clicked, this, Guarded(this, &SecimListesi::btnDeleteClick));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(ust);
    lay->addWidget(dbgridbr, 1);
    lay->addLayout(alt);

    const BrowseKomutlari k = BrowseKomutlariniBelirle(mode, hak);
    btnSelect->setVisible(k.secGorunur);
    btnSelect->setEnabled(k.secEtkin);
    btnNew->setEnabled(k.yeni);
    btnEdit->setEnabled(k.duzenle);
    btnDelete->setEnabled(k.sil);
    resize(700, 460);
}

void SecimListesi::tanimla(const QString& sql, const QStringList& basliklar, const QString& anahtar,
                           const QList<QPair<QString, QString>>& aramaKolonlari)
{
    m_sql = sql;
    m_anahtar = anahtar;
    m_aramaKolonlari = aramaKolonlari;
    TableBr->setCaptions(basliklar);
    TableBr->setOrderKeys({anahtar});
    CbArama->clear();
    for (const auto& [baslik, kolon] : aramaKolonlari)
        CbArama->addItem(baslik, kolon);
}

void SecimListesi::listeyiAc(const QVariant& konum)
{
    TableBr->setStatement(m_db, m_sql);
    TableBr->open();
    TableBr->fetchAll();
    KolonlariAyarla(dbgridbr);
    int satir = TableBr->rowCount() > 0 ? 0 : -1;
    for (int r = 0; konum.isValid() && r < TableBr->rowCount(); ++r)
        if (TableBr->deger(r, m_anahtar).toString() == konum.toString())
            satir = r;
    if (satir >= 0)
        dbgridbr->setCurrentIndex(TableBr->index(satir, 0));
    LblSayi->setText(QStringLiteral("Listedeki Kayıt Sayısı: %1").arg(TableBr->rowCount()));
}

QVariant SecimListesi::anahtar() const
{
    return deger(m_anahtar);
}

QVariant SecimListesi::deger(const QString& alan) const
{
    return TableBr->deger(dbgridbr->currentIndex().row(), alan);
}

bool SecimListesi::konumlan(const QString& aranan)
{
    const QString kolon = CbArama->currentData().toString();
    const QString katli = Dialect::turkishUpper(aranan);
    for (int r = 0; r < TableBr->rowCount(); ++r)
        if (Dialect::turkishUpper(TableBr->deger(r, kolon).toString()).startsWith(katli)) {
            dbgridbr->setCurrentIndex(TableBr->index(r, 0));
            return true;
        }
    return false;
}

void SecimListesi::btnSelectClick()
{
    if (!anahtar().isValid())
        return;
    secim = anahtar();
    accept();
}

} // namespace tornaly::accounts
