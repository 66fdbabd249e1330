#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>

namespace tornaly::stock {

// Quantity of a part in a warehouse from the ledger (0 without rows); with an
// empty warehouse, over all warehouses.
double DepoHrkMiktari(const Db& db, double stokNo, const QString& depo = {});
// Quantity of a part in a warehouse as STOKMIK keeps it; with an empty
// warehouse, the sum over its warehouses.
double StokMikMiktari(const Db& db, double stokNo, const QString& depo = {});

// A part and warehouse whose STOKMIK.MIKTAR differs from the ledger sum.
struct StokMikFarki {
    double STOK_NO = 0;
    QString DEPO_KOD;
    double MIKTAR = 0;     // what STOKMIK holds (0 when the row is missing)
    double HAREKET = 0;    // the ledger sum
};
// Every part and warehouse whose quantity differs from the ledger by more
// than `tolerans` (the maintenance list uses 0.01).
QList<StokMikFarki> StokMikFarklari(const Db& db, double tolerans = 0.01);

// SP_STOKMIK_UPDATE: makes every STOKMIK.MIKTAR equal to its ledger sum,
// adding the rows of parts that moved in a warehouse without one. One
// transaction. Returns the number of rows changed or added.
int SP_STOKMIK_UPDATE(const Db& db);

} // namespace tornaly::stock
