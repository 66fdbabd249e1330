#pragma once
#include "workshop/vehicles/RecordIo.h"
#include "guard/FormGuard.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPushButton>

namespace tornaly::workshop {

// A command button of the PDI windows: named, never the default button, its
// slot run through the error guard.
template <typename F>
QPushButton* PdiDugme(F* form, QBoxLayout* satir, const char* ad, const QString& metin, void (F::*slot)())
{
    auto* b = new QPushButton(metin, form);
    b->setObjectName(QString::fromLatin1(ad));
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, form, Guarded([form, slot] { (form->*slot)(); }));
    satir->addWidget(b);
    return b;
}

// The personnel by name, each with its code as data; an empty first item.
inline void PersonelDoldur(QComboBox* c, const Db& db)
{
    c->addItem(QString(), QString());
    for (const QVariantMap& r : ReadRows(db, QStringLiteral("SELECT ISCI_KOD, ISCI_ADI FROM ISCIUSTA ORDER BY ISCI_ADI")))
        c->addItem(Trimmed(r, "ISCI_ADI"), Trimmed(r, "ISCI_KOD"));
}

} // namespace tornaly::workshop
