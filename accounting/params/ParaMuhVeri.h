#pragma once
#include "db/Database.h"

#include <QStringList>
#include <QVariantMap>

namespace tornaly::accounting {

// The two one-row link parameter tables as the parameters window edits them.
struct ParaMuhKaydi {
    QVariantMap PARAMUH;
    QVariantMap PARAFAT;
};

const QStringList& ParaMuhKolonlari();
const QStringList& ParaFatKolonlari();

// Reads both rows; a table without a row gives empty values.
ParaMuhKaydi ParaMuhOku(const Db& db);
// Stores both rows in one transaction; an empty table gets its first row.
void ParaMuhKaydet(const Db& db, const ParaMuhKaydi& k);

} // namespace tornaly::accounting
