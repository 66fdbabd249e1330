#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QVariantMap>

namespace tornaly::workshop {

// Parts allowed for a labour code on a labour model; an empty model reads the
// general operations ("ZZ").
QList<QVariantMap> ArizaParcalari(const Db& db, const QString& arizaKodu, const QString& model);

// The labour code tied to a part code: the highest code and how many rows tie
// the part to any labour.
struct ParcaIscilikTanimi {
    QString kod;
    int adet = 0;
};
ParcaIscilikTanimi ParcaIscilikKodu(const Db& db, const QString& parcaKodu);

// The raw editor of parts per labour code: every row, and one row's write.
// A row is keyed by its three codes; `eski` empty inserts.
QList<QVariantMap> TarizparTumu(const Db& db);
void TarizparYaz(const Db& db, const QVariantMap& eski, const QVariantMap& yeni);
void TarizparSil(const Db& db, const QVariantMap& satir);

} // namespace tornaly::workshop
