#pragma once
#include "context/User.h"
#include "db/Database.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace tornaly {

// The columns of the one-row settings tables the parameters form edits.
const QStringList& ParametKolonlari();
const QStringList& ParamserKolonlari();
const QStringList& FirkimMesaiKolonlari();
// The columns of FIRKIM the company information form edits.
const QStringList& FirmaBilgiKolonlari();

// The first row of a one-row table as column -> value (dates as QDateTime);
// every asked column is present, null when the table has no row.
QVariantMap TekSatirOku(const Db& db, const QString& table, const QStringList& columns);
// Writes the columns into the one row, making it when the table has none.
void TekSatirYaz(const Db& db, const QString& table, const QVariantMap& values);

// A public holiday (RESMITAT).
struct TResmiTatil {
    QDate TARIH;
    QString RESMITATILAD;
    QString YARIMGUN; // "E" half day, "H" (also when empty) full day
};
QList<TResmiTatil> ResmiTatiller(const Db& db);

// What the parameters form saves.
struct TParametreler {
    QVariantMap PARAMET;
    QVariantMap PARAMSER;
    QVariantMap FIRKIM;      // the attendance file and the working hours
    QList<TResmiTatil> tatiller;
};
TParametreler ParametreleriOku(const Db& db);
// Saves the four tables in one transaction. The invoice lock date is kept
// as stored unless the user is of type "A"; the waiting days unless the
// user's diger24 letter is "E"; 0 waiting days are stored as 5. A holiday
// gets its month as "MM" and "H" when not marked half day. Returns the
// refusal message, or an empty text when saved.
QString ParametreleriKaydet(const Db& db, const t_user& kullanici, TParametreler p);

// The company information form: FIRKIM and the logo row of RESIMLER.
QVariantMap FirmaBilgileriOku(const Db& db);
QByteArray FirmaLogosuOku(const Db& db);
// Blanks are removed from the first telephone and SER_KOD becomes the first
// five letters of the manufacturer's dealer code. `logo`: nullopt leaves the
// logo as it is; an empty array empties the picture.
void FirmaBilgileriKaydet(const Db& db, QVariantMap firkim, const std::optional<QByteArray>& logo);

} // namespace tornaly
