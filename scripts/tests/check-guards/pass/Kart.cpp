#include "Kart.h"

TFormKart::TFormKart()
{
    connect(BtnSakla, &QPushButton::clicked, this, Guarded(this, &TFormKart::BtnSaklaClick));
    connect(Grid, &QTableWidget::cellChanged, this,
            Guarded([this](int r, int c) {
                hucreYaz(r, c);
            }));
    connect(BtnKapat, &QPushButton::clicked, this,
            &QDialog::reject); // unguarded: ui only
    connect(BtnYeni, &QPushButton::clicked, this, Guarded([this] { yeni(); }), Qt::QueuedConnection);
    QTimer::singleShot(0, this, Guarded([this] { listeyiAc(); }));
    auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
    menu->addAction(QStringLiteral("Sil"));
    disconnect(BtnSakla, nullptr, this, nullptr);
}
