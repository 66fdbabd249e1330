#include "accounts/ledger/AyCari.h"
#include "context/SessionContext.h"
#include "messages/Messages.h"
#include "money/Money.h"
#include "settings/GridLayout.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace tornaly {

QList<AylikCariSatir> AylikCariTutarlari(const Db& db, const QString& cariKod)
{
    const Dialect& d = db.dialect();
    const QString month = d.monthExpr(QStringLiteral("TARIH"));
    const QString year = d.yearExpr(QStringLiteral("TARIH"));
    Query update(db, QStringLiteral("UPDATE CARIHRK SET AY = %1, YIL = %2 WHERE CARI_KOD = :bkodu AND TARIH IS NOT NULL "
                                    "AND (AY IS NULL OR YIL IS NULL OR AY <> %1 OR YIL <> %2)")
                         .arg(month, year));
    update.bind(QStringLiteral("bkodu"), cariKod).exec();

    Query q(db, QStringLiteral(
        "SELECT CARIHRK.AY, CARIHRK.YIL, SUM(CARIHRK.BORC) AS T_BORC, SUM(CARIHRK.ALACAK) AS T_ALACAK, "
        "SUM(CARIHRK.BORC_USD) AS T_BORCUSD, SUM(CARIHRK.ALACAK_USD) AS T_ALACAK_USD, MIN(AYLAR.AYADI) AS ADI "
        "FROM CARIHRK LEFT JOIN AYLAR ON (CARIHRK.AY = AYLAR.AYNO) WHERE CARI_KOD = :bkodu "
        "GROUP BY CARIHRK.AY, CARIHRK.YIL ORDER BY CARIHRK.AY, CARIHRK.YIL"));
    q.bind(QStringLiteral("bkodu"), cariKod).exec();
    QList<AylikCariSatir> rows;
    while (q.next()) {
        AylikCariSatir r;
        r.ADI = q.str(QStringLiteral("ADI"));
        r.AY = int(q.integer(QStringLiteral("AY")));
        r.YIL = int(q.integer(QStringLiteral("YIL")));
        r.T_BORC = q.num(QStringLiteral("T_BORC"));
        r.T_ALACAK = q.num(QStringLiteral("T_ALACAK"));
        r.T_BORCUSD = q.num(QStringLiteral("T_BORCUSD"));
        r.T_ALACAK_USD = q.num(QStringLiteral("T_ALACAK_USD"));
        r.BAKIYE = std::fabs(r.T_BORC - r.T_ALACAK);
        // Sums of cents compare on the cents the user sees.
        const double borc = RoundTo2(r.T_BORC);
        const double alacak = RoundTo2(r.T_ALACAK);
        if (alacak < borc)
            r.DURUM = QStringLiteral("Borç");
        else if (alacak > borc)
            r.DURUM = QStringLiteral("Alacak");
        rows << r;
    }
    return rows;
}

TFormAylikCari::TFormAylikCari(const SessionContext& ctx, const QString& cariKod, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAylikCari"));
    setWindowTitle(QStringLiteral("Aylık Borç-Alacak Tutarı"));
    m_rows = AylikCariTutarlari(ctx.Database1, cariKod);

    auto* model = new QStandardItemModel(0, 8, this);
    const QStringList fields{QStringLiteral("ADI"),       QStringLiteral("YIL"),          QStringLiteral("T_BORC"),
                             QStringLiteral("T_ALACAK"),  QStringLiteral("T_BORCUSD"),    QStringLiteral("T_ALACAK_USD"),
                             QStringLiteral("BAKIYE"),    QStringLiteral("DURUM")};
    const QStringList captions{QStringLiteral("Ay"),       QStringLiteral("Yıl"),         QStringLiteral("Borç"),
                               QStringLiteral("Alacak"),   QStringLiteral("Borç USD"),    QStringLiteral("Alacak USD"),
                               QStringLiteral("Bakiye"),   QStringLiteral("Durum")};
    for (int c = 0; c < fields.size(); ++c) {
        model->setHeaderData(c, Qt::Horizontal, captions.at(c));
        model->setHeaderData(c, Qt::Horizontal, fields.at(c), FieldNameRole);
    }
    const QString fmt = QStringLiteral(",0.00");
    auto money = [&](double v) {
        auto* item = new QStandardItem(FormatMoney(v, fmt));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    for (const auto& r : m_rows) {
        model->appendRow({new QStandardItem(r.ADI), new QStandardItem(QString::number(r.YIL)), money(r.T_BORC),
                          money(r.T_ALACAK), money(r.T_BORCUSD), money(r.T_ALACAK_USD), money(r.BAKIYE),
                          new QStandardItem(r.DURUM)});
    }
    GridAylik = new QTableView(this);
    GridAylik->setObjectName(QStringLiteral("GridAylik"));
    GridAylik->setModel(model);
    GridAylik->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridAylik->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridAylik->verticalHeader()->hide();
    GridAylik->horizontalHeader()->setStretchLastSection(true);
    GridAylik->resizeColumnsToContents();

    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnKapat);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GridAylik);
    layout->addLayout(buttons);
    resize(760, 420);
}

void ShowCariMonthly(const SessionContext& ctx, const QString& cariKod, QWidget* parent)
{
    TFormAylikCari form(ctx, cariKod, parent);
    form.exec();
}

} // namespace tornaly
