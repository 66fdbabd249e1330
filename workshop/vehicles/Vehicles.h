#pragma once
#include "connection/DonPara.h"
#include "db/Database.h"

#include <QString>
#include <QVariantMap>

namespace tornaly { struct SessionContext; }

namespace tornaly::workshop {

// What the work-order card (or the registration form) leaves for the next
// new vehicle card; emptied whenever a card closes.
struct YeniAracBilgisi {
    QString YeniAracMotorNo;
    QString YeniAracSaseNo;
    QString YeniAracCariKod;
    QString YeniAracPlaka;
    void clear() { *this = {}; }
};
YeniAracBilgisi& YeniArac();

QStringList AracColumns();
// The vehicle row, empty when there is none.
QVariantMap ReadArac(const Db& db, const QString& saseNo);
// The columns of the vehicle's model that the card shows, with the colour names.
QVariantMap ReadAracModel(const Db& db, const QString& modelKodu);
QString RenkAdi(const Db& db, const QString& renkKodu);
// A new vehicle row with the presets filled in.
QVariantMap NewAracRow();

// Checks of "&Sakla" in the card's order; shows the refusal and answers false.
bool CheckAracForSave(const Db& db, const SessionContext& ctx, const QVariantMap& arac, bool isNew);
// Writes the vehicle row (warranty defaults applied) in one transaction.
// False when a check refused it; a chassis number another workstation saved
// meanwhile throws IslemReddi.
bool SaveArac(const Db& db, const SessionContext& ctx, QVariantMap arac, bool isNew);

// Exterior colour picked on the card: a different colour clears the interior one.
void AracExteriorPicked(QVariantMap& arac, const QString& renk);

// "&Sil" of the vehicle list (and of the registration list): asks, refuses a
// vehicle that a work order or the portfolio refers to, and deletes the
// vehicle with its declaration in one transaction.
bool DeleteArac(const Db& db, const QString& saseNo, const QString& question);

// The vehicle list's searches: "contains" on chassis, engine or plate, the
// typed text bound and escaped, blanks ignored.
enum class AracAramaAlani { Sase, Motor, Plaka };
struct AracListeSorgusu {
    QString statement;
    QVariantMap binds;
};
// The first 50 vehicles (limit) or those the search finds (no limit).
AracListeSorgusu AracListeSorgu(const Db& db, bool ilk50);
AracListeSorgusu AracAramaSorgu(const Db& db, AracAramaAlani alan, const QString& typed);
// `AracSaseSec`'s opening filter: chassis numbers like the search field.
AracListeSorgusu AracSaseFiltreSorgu(const Db& db, const QString& sase);
// The pick of the vehicle list.
TDonPara AracSecimi(const QVariantMap& row);

// The distributor's data of a chassis number through the central
// connection (brand-dealer mode). Fills the row and answers true when the
// central server knew the vehicle.
bool AracBilgisiMerkezdenCek(const Db& central, QVariantMap& arac);

} // namespace tornaly::workshop
