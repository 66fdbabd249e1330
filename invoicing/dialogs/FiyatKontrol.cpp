#include "invoicing/dialogs/FiyatKontrol.h"
#include "invoicing/workorder/IEFatura.h"
#include "money/Money.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tornaly::invoicing {

TFormFiyatKontrol::TFormFiyatKontrol(const Db& db, QChar tur, double satisNo, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFiyatKontrol"));
    setWindowTitle(QStringLiteral("Fiyatı Maliyetin Altındaki Stoklar"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* grid = new QTableWidget(this);
    grid->setObjectName(tur == QLatin1Char('B') ? QStringLiteral("cxGrid1") : QStringLiteral("cxGrid2"));
    grid->setColumnCount(4);
    grid->setHorizontalHeaderLabels({QStringLiteral("Stok Kod"), QStringLiteral("Stok Adı"), QStringLiteral("Fiyat"),
                                     QStringLiteral("Maliyet")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    const QList<MaliyetAltiSatir> satirlar = FiyatKontrolSatirlari(db, tur, satisNo);
    m_satir = int(satirlar.size());
    grid->setRowCount(m_satir);
    for (int i = 0; i < m_satir; ++i) {
        const MaliyetAltiSatir& s = satirlar[i];
        grid->setItem(i, 0, new QTableWidgetItem(s.STOK_KODU));
        grid->setItem(i, 1, new QTableWidgetItem(s.STOK_ADI));
        for (int c : {2, 3}) {
            auto* it = new QTableWidgetItem(FormatMoney(c == 2 ? s.FIYAT : s.MALIYET_FYT_TL, QStringLiteral(",0.00")));
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(i, c, it);
        }
    }
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* kapat = new QPushButton(QStringLiteral("&Kapat"), this);
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept); // unguarded: ui only
    auto* l = new QVBoxLayout(this);
    l->addWidget(grid);
    l->addWidget(kapat, 0, Qt::AlignRight);
    resize(620, 320);
}

bool FiyatKontrol(const Db& db, QChar tur, double satisNo, QWidget* parent)
{
    TFormFiyatKontrol d(db, tur, satisNo, parent);
    if (d.satirSayisi() == 0)
        return false;
    d.exec();
    return true;
}

} // namespace tornaly::invoicing
