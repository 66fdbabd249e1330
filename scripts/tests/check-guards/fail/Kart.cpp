#include "Kart.h"

TFormKart::TFormKart()
{
    connect(BtnSakla, &QPushButton::clicked, this, &TFormKart::BtnSaklaClick);
    connect(BtnIptal, &QPushButton::clicked, this, Guarded(this, &TFormKart::BtnIptalClick));
    connect(Grid, &QTableWidget::cellChanged, this,
            [this](int r, int c) {
                hucreYaz(r, c);
            });
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnVazgec, &QPushButton::clicked, this, &QDialog::reject); // unguarded: ui only
    // connect(Eski, &QPushButton::clicked, this, &TFormKart::eski);
    QString t = "connect(a, b, c, d)";
    QTimer::singleShot(0, this, [this] { listeyiAc(); });
    menu->addAction(QStringLiteral("Yazdır (F5)"), this, [this] { yazdir(); });
    menu->addAction(QStringLiteral("Aktar"), this, Guarded([this] { aktar(); }));
    auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(f4, &QShortcut::activated, this, [this] { Guard([this] { yeni(); }); });
}
