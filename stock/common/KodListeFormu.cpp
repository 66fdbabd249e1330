#include "stock/common/KodListeFormu.h"

#include "db/Dialect.h"
#include "messages/Messages.h"
#include "guard/FormGuard.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tornaly::stock {

namespace {
// Locating in a list forgives the dotted and dotless i: codes are mostly
// typed in plain Latin letters, names in Turkish ones.
QString gevsek(const QString& s)
{
    return Dialect::turkishUpper(s.trimmed()).replace(QChar(0x0130), QLatin1Char('I'));
}
} // namespace

KodListeFormu::KodListeFormu(const SessionContext& ctx, const QString& baslik, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setWindowTitle(baslik);
    m_ana = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    ArananEtiket = new QLabel(QStringLiteral("Aranan Değer"), this);
    Aranan = new QLineEdit(this);
    Aranan->setObjectName(QStringLiteral("Aranan"));
    ArananEtiket->setBuddy(Aranan);
    ust->addWidget(ArananEtiket);
    ust->addWidget(Aranan, 1);
    m_ana->addLayout(ust);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_ana->addWidget(DBGrid1, 1);
    Liste = new BoundQueryModel(this);
    m_dugmeler = new QHBoxLayout;
    m_dugmeler->addStretch(1);
    BtnSec = new QPushButton(QStringLiteral("&Seç"), this);
    BtnSec->setObjectName(QStringLiteral("BtnSec"));
    BtnSec->setVisible(false);
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    m_dugmeler->addWidget(BtnSec);
    m_dugmeler->addWidget(BtnKapat);
    m_ana->addLayout(m_dugmeler);
    connect(BtnSec, &QPushButton::clicked, this, Guarded(this, &KodListeFormu::BtnSecClick));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    connect(DBGrid1, &QTableView::doubleClicked, this, Guarded([this] {
        if (m_mod == 1)
            BtnSecClick();
        else if (duzenle)
            Guard(duzenle);
    }));
    DBGrid1->installEventFilter(this);
    for (QPushButton* b : {BtnSec, BtnKapat})
        b->setAutoDefault(false);
    resize(640, 460);
}

void KodListeFormu::modAyarla(int mod)
{
    m_mod = mod == 2 ? 1 : mod;
    BtnSec->setVisible(m_mod == 1);
}

QPushButton* KodListeFormu::dugme(const QString& ad, const QString& baslik, std::function<void()> tiklama)
{
    auto* b = new QPushButton(baslik, this);
    b->setObjectName(ad);
    b->setAutoDefault(false);
    m_dugmeler->insertWidget(m_dugmeler->count() - 2, b);
    connect(b, &QPushButton::clicked, this, Guarded([this, tiklama] { Guard(tiklama); }));
    return b;
}


void KodListeFormu::sorguAyarla(const QString& sql, const QString& anahtar, const QString& siralama,
                                const ListeAyari& ayar)
{
    m_sql = sql;
    m_anahtar = anahtar;
    m_siralama = siralama;
    ListeHazirla(DBGrid1, Liste, ayar);
    BaslikSiralama(DBGrid1, Liste, [this](const QString& alan, bool azalan) {
        m_siralama = SiralamaIfadesi(Liste, alan, azalan, m_anahtar).mid(9);
        Guard([this] { listeyiAc(); });
    });
}

void KodListeFormu::listeyiAc()
{
    Liste->setStatement(m_db, m_sql + QStringLiteral(" ORDER BY ") + m_siralama);
    Liste->setOrderKeys({m_anahtar});
    Liste->open();
    KolonlariSigdir(DBGrid1);
    if (Liste->rowCount() > 0)
        DBGrid1->setCurrentIndex(Liste->index(0, 0));
}

void KodListeFormu::yenileVeGit(const QString& deger)
{
    listeyiAc();
    Liste->fetchAll();
    const int c = Liste->columnOf(m_anahtar);
    const QString aranan = gevsek(deger);
    for (int r = 0; r < Liste->rowCount(); ++r)
        if (gevsek(Liste->index(r, c).data(Qt::EditRole).toString()) == aranan) {
            DBGrid1->setCurrentIndex(Liste->index(r, 0));
            return;
        }
}

bool KodListeFormu::basiylaBul(const QString& alan, const QString& metin)
{
    const int c = Liste->columnOf(alan);
    if (c < 0)
        return false;
    Liste->fetchAll();
    const QString aranan = gevsek(metin);
    for (int r = 0; r < Liste->rowCount(); ++r)
        if (gevsek(Liste->index(r, c).data(Qt::EditRole).toString()).startsWith(aranan)) {
            DBGrid1->setCurrentIndex(Liste->index(r, c));
            return true;
        }
    return false;
}

QVariant KodListeFormu::deger(const QString& alan) const
{
    const int r = DBGrid1->currentIndex().row();
    const int c = Liste->columnOf(alan);
    if (r < 0 || c < 0)
        return {};
    return Liste->index(r, c).data(Qt::EditRole);
}

void KodListeFormu::BtnSecClick()
{
    if (m_mod != 1 || DBGrid1->currentIndex().row() < 0)
        return;
    secim = deger(m_anahtar);
    accept();
}

bool KodListeFormu::eventFilter(QObject* o, QEvent* e)
{
    if (o == DBGrid1 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (m_mod == 1)
                BtnSecClick();
            else if (duzenle)
                Guard(duzenle);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

} // namespace tornaly::stock
