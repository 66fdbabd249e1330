#include "accounting/chart/MuhKDV.h"

#include "accounting/chart/HesapSec.h"
#include "guard/FormGuard.h"
#include "messages/Messages.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::accounting {

namespace {
const QStringList hesapKolonlari = {QStringLiteral("MUH_KDV_A"), QStringLiteral("MUH_KDV_S"),
                                    QStringLiteral("MUH_KDV_A_IADE"), QStringLiteral("MUH_KDV_S_IADE")};
QVariant kdvBosIseNull(const QString& s)
{
    return s.trimmed().isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s.trimmed());
}
} // namespace

QList<QPair<QString, QString>> MuhKdvSetleri(const Db& db)
{
    Query q(db, QStringLiteral("SELECT MUHKDV_KOD, MUHKDV_TANIM FROM MUHKDV ORDER BY MUHKDV_KOD"));
    q.exec();
    QList<QPair<QString, QString>> out;
    while (q.next())
        out << qMakePair(q.str(QStringLiteral("MUHKDV_KOD")).trimmed(), q.str(QStringLiteral("MUHKDV_TANIM")));
    return out;
}

QList<MuhKdvOrani> MuhKdvOranlari(const Db& db, const QString& set)
{
    Query q(db, QStringLiteral("SELECT * FROM MUHKDVAYR WHERE MUHKDV_KOD=:K ORDER BY KDV"));
    q.bind(QStringLiteral("K"), set).exec();
    QList<MuhKdvOrani> out;
    while (q.next())
        out << MuhKdvOrani{q.num(QStringLiteral("KDV")), q.str(QStringLiteral("MUH_KDV_A")).trimmed(),
                           q.str(QStringLiteral("MUH_KDV_S")).trimmed(), q.str(QStringLiteral("MUH_KDV_A_IADE")).trimmed(),
                           q.str(QStringLiteral("MUH_KDV_S_IADE")).trimmed()};
    return out;
}

void MuhKdvSetKaydet(const Db& db, const QString& set, const QString& tanim)
{
    const QVariantMap b{{QStringLiteral("K"), set.trimmed()}, {QStringLiteral("T"), tanim}};
    if (db.exec(QStringLiteral("UPDATE MUHKDV SET MUHKDV_TANIM=:T WHERE MUHKDV_KOD=:K"), b) == 0)
        db.exec(QStringLiteral("INSERT INTO MUHKDV (MUHKDV_KOD, MUHKDV_TANIM) VALUES (:K, :T)"), b);
}

void MuhKdvOranKaydet(const Db& db, const QString& set, const MuhKdvOrani& o, std::optional<double> eskiKdv)
{
    QVariantMap b{{QStringLiteral("K"), set.trimmed()},       {QStringLiteral("KDV"), o.KDV},
                  {QStringLiteral("A"), kdvBosIseNull(o.MUH_KDV_A)}, {QStringLiteral("S"), kdvBosIseNull(o.MUH_KDV_S)},
                  {QStringLiteral("AI"), kdvBosIseNull(o.MUH_KDV_A_IADE)},
                  {QStringLiteral("SI"), kdvBosIseNull(o.MUH_KDV_S_IADE)},
                  {QStringLiteral("ESKI"), eskiKdv.value_or(o.KDV)}};
    Transaction tx(db);
    if (!eskiKdv || db.exec(QStringLiteral("UPDATE MUHKDVAYR SET KDV=:KDV, MUH_KDV_A=:A, MUH_KDV_S=:S, "
                                           "MUH_KDV_A_IADE=:AI, MUH_KDV_S_IADE=:SI WHERE MUHKDV_KOD=:K AND KDV=:ESKI"),
                            b) == 0) {
        b.remove(QStringLiteral("ESKI"));
        db.exec(QStringLiteral("INSERT INTO MUHKDVAYR (MUHKDV_KOD, KDV, MUH_KDV_A, MUH_KDV_S, MUH_KDV_A_IADE, "
                               "MUH_KDV_S_IADE) VALUES (:K, :KDV, :A, :S, :AI, :SI)"),
                b);
    }
    tx.commit();
}

TFormMuhKDV::TFormMuhKDV(const SessionContext& ctx, int mode, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_db(ctx.Database1)
{
    setObjectName(QStringLiteral("FormMuhKDV"));
    setWindowTitle(QStringLiteral("KDV Alış-Satış-İade Muhasebe Kodu Tanımlama"));
    setProperty("tag", mode);
    hesapSecici = [this] { return HesapSec(m_ctx, 1, this); };

    GridSet = new QTableWidget(0, 2, this);
    GridSet->setObjectName(QStringLiteral("GridSet"));
    GridSet->setHorizontalHeaderLabels({QStringLiteral("Kod"), QStringLiteral("Açıklama")});
    GridSet->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridSet->verticalHeader()->hide();
    GridSet->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridOran = new QTableWidget(0, 5, this);
    GridOran->setObjectName(QStringLiteral("GridOran"));
    GridOran->setHorizontalHeaderLabels({QStringLiteral("KDV%"), QStringLiteral("Alış KDV Hesabı"),
                                         QStringLiteral("Satış KDV Hesabı"), QStringLiteral("A.İade KDV Hesabı"),
                                         QStringLiteral("S.İade KDV Hesabı")});
    GridOran->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    GridOran->verticalHeader()->hide();
    GridOran->installEventFilter(this);
    connect(GridSet, &QTableWidget::currentCellChanged, this,
            Guarded([this](int r, int, int pr, int) { if (r != pr) oranlariOku(); }));
    connect(GridSet, &QTableWidget::cellChanged, this, Guarded([this](int r, int) { setSakla(r); }));
    connect(GridOran, &QTableWidget::cellChanged, this, Guarded([this](int r, int) { oranSakla(r); }));
    connect(GridSet, &QTableWidget::cellDoubleClicked, this, Guarded([this](auto&&...) { BtnSecClick(); }));
    connect(GridOran, &QTableWidget::cellDoubleClicked, this, Guarded([this](int r, int c) {
                if (c == 0 || !hesapSecici)
                    return;
                const QString kod = hesapSecici();
                if (!kod.isEmpty())
                    GridOran->item(r, c)->setText(kod);
            }));

    BtnYeniSet = new QPushButton(QStringLiteral("Yeni Set"), this);
    BtnYeniSet->setObjectName(QStringLiteral("BtnYeniSet"));
    BtnYeniOran = new QPushButton(QStringLiteral("Yeni Oran"), this);
    BtnYeniOran->setObjectName(QStringLiteral("BtnYeniOran"));
    BtnSec = new QPushButton(QStringLiteral("Seç"), this);
    BtnSec->setObjectName(QStringLiteral("BtnSec"));
    BtnSec->setVisible(mode == 1);
    BtnKapat = new QPushButton(QStringLiteral("Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    for (auto* b : {BtnYeniSet, BtnYeniOran, BtnSec, BtnKapat})
        b->setAutoDefault(false);
    connect(BtnYeniSet, &QPushButton::clicked, this, Guarded([this] {
        m_yukleniyor = true;
        const int r = GridSet->rowCount();
        GridSet->insertRow(r);
        GridSet->setItem(r, 0, new QTableWidgetItem);
        GridSet->setItem(r, 1, new QTableWidgetItem);
        m_yukleniyor = false;
        GridSet->setCurrentCell(r, 0);
        GridSet->editItem(GridSet->item(r, 0));
    }));
    connect(BtnYeniOran, &QPushButton::clicked, this, Guarded([this] {
        if (mevcutSet().isEmpty())
            return;
        m_yukleniyor = true;
        const int r = GridOran->rowCount();
        GridOran->insertRow(r);
        for (int c = 0; c < 5; ++c) {
            auto* it = new QTableWidgetItem;
            if (c > 0)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            GridOran->setItem(r, c, it);
        }
        m_yukleniyor = false;
        GridOran->setCurrentCell(r, 0);
        GridOran->editItem(GridOran->item(r, 0));
    }));
    connect(BtnSec, &QPushButton::clicked, this, Guarded([this](auto&&...) { BtnSecClick(); }));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    auto* alt = new QHBoxLayout;
    alt->addWidget(BtnYeniSet);
    alt->addWidget(BtnYeniOran);
    alt->addStretch();
    alt->addWidget(BtnSec);
    alt->addWidget(BtnKapat);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(GridSet, 1);
    lay->addWidget(GridOran, 2);
    lay->addLayout(alt);
    setleriOku();
    resize(820, 520);
}

QString TFormMuhKDV::mevcutSet() const
{
    const int r = GridSet->currentRow();
    return r >= 0 && GridSet->item(r, 0) ? GridSet->item(r, 0)->text().trimmed() : QString();
}

void TFormMuhKDV::setleriOku()
{
    m_yukleniyor = true;
    const auto setler = MuhKdvSetleri(m_db);
    GridSet->setRowCount(int(setler.size()));
    for (int r = 0; r < setler.size(); ++r) {
        auto* kod = new QTableWidgetItem(setler.at(r).first);
        kod->setFlags(kod->flags() & ~Qt::ItemIsEditable);
        GridSet->setItem(r, 0, kod);
        GridSet->setItem(r, 1, new QTableWidgetItem(setler.at(r).second));
    }
    m_yukleniyor = false;
    if (!setler.isEmpty())
        GridSet->setCurrentCell(0, 1);
    oranlariOku();
}

void TFormMuhKDV::oranlariOku()
{
    m_yukleniyor = true;
    const auto oranlar = MuhKdvOranlari(m_db, mevcutSet());
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    GridOran->setRowCount(int(oranlar.size()));
    for (int r = 0; r < oranlar.size(); ++r) {
        const auto& o = oranlar.at(r);
        auto* kdv = new QTableWidgetItem(tr.toString(o.KDV));
        kdv->setData(Qt::UserRole, o.KDV);
        GridOran->setItem(r, 0, kdv);
        int c = 1;
        for (const QString& h : {o.MUH_KDV_A, o.MUH_KDV_S, o.MUH_KDV_A_IADE, o.MUH_KDV_S_IADE}) {
            auto* it = new QTableWidgetItem(h);
            it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            GridOran->setItem(r, c++, it);
        }
    }
    m_yukleniyor = false;
}

void TFormMuhKDV::setSakla(int row)
{
    if (m_yukleniyor || !GridSet->item(row, 0) || !GridSet->item(row, 1))
        return;
    const QString kod = GridSet->item(row, 0)->text().trimmed();
    if (kod.isEmpty())
        return;
    MuhKdvSetKaydet(m_db, kod.left(10), GridSet->item(row, 1)->text().left(50));
}

void TFormMuhKDV::oranSakla(int row)
{
    if (m_yukleniyor || mevcutSet().isEmpty())
        return;
    bool ok = false;
    const double kdv = QLocale(QLocale::Turkish, QLocale::Turkey).toDouble(GridOran->item(row, 0)->text(), &ok);
    if (!ok)
        return;
    MuhKdvOrani o;
    o.KDV = kdv;
    o.MUH_KDV_A = GridOran->item(row, 1)->text();
    o.MUH_KDV_S = GridOran->item(row, 2)->text();
    o.MUH_KDV_A_IADE = GridOran->item(row, 3)->text();
    o.MUH_KDV_S_IADE = GridOran->item(row, 4)->text();
    const QVariant eski = GridOran->item(row, 0)->data(Qt::UserRole);
    MuhKdvOranKaydet(m_db, mevcutSet(), o, eski.isValid() ? std::optional<double>(eski.toDouble()) : std::nullopt);
    oranlariOku();
}

bool TFormMuhKDV::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GridOran && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const int r = GridOran->currentRow(), c = GridOran->currentColumn();
        if (r >= 0 && c > 0)
            GridOran->item(r, c)->setText(QString());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormMuhKDV::BtnSecClick()
{
    if (!BtnSec->isVisible())
        return;
    secilenKod = mevcutSet();
    if (!secilenKod.isEmpty())
        accept();
}

QString MuhKDVSec(const SessionContext& ctx, int mode, QWidget* owner)
{
    TFormMuhKDV f(ctx, mode, owner);
    return f.exec() == QDialog::Accepted ? f.secilenKod : QString();
}

} // namespace tornaly::accounting
