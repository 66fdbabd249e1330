#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>

namespace tornaly::invoicing {

// Ready texts (HAZIRMETIN); every text entered here is of type 1.
struct HazirMetin {
    int MT_ID = 0;
    QString MT_ACIKLA;
};
QList<HazirMetin> HazirMetinler(const Db& db);
// Empty texts are refused (false); a text is cut to 100 characters.
bool HazirMetinYaz(const Db& db, HazirMetin& m);
void HazirMetinSil(const Db& db, int id);

// Discount rates (ISKORAN).
struct IskontoOrani {
    int ISK_NO = 0;
    int ISK_GUN = 0;
    double ISK_ORAN = 0;
    QString ACIKLAMA;
};
QList<IskontoOrani> IskontoOranlari(const Db& db);
IskontoOrani IskontoOraniOku(const Db& db, int iskNo);
// Inserts or replaces the rate of its number.
void IskontoOraniYaz(const Db& db, const IskontoOrani& o);
void IskontoOraniSil(const Db& db, int iskNo);

// The number series row of NEWSATIS as "Fatura No Tanım" edits it.
struct FatTaniDegerleri {
    QString SABITHARF, IRS_HARF, IRS_FAT_HARF;
    double FATNO = 0, IRS_NO = 0, IRS_FAT_NO = 0;
};
FatTaniDegerleri FatTaniOku(const Db& db);
// Stores the row (a new one when the table is empty); letters are cut to 5.
void FatTaniYaz(const Db& db, const FatTaniDegerleri& d);

} // namespace tornaly::invoicing
