#pragma once
#include "connection/DonPara.h"
#include "db/Database.h"

#include <QString>
#include <QVariantMap>

namespace tornaly::workshop {

// The labour model that stands for every model.
inline QString GenelModel() { return QStringLiteral("ZZ"); }

// Columns of the labour card, in the order the card reads them.
QStringList FrtKolonlari();
// A labour card; empty when the (code, model) has none.
QVariantMap FrtOku(const Db& db, const QString& kod, const QString& model);
// A new card's row: currency "USD".
QVariantMap YeniFrtSatiri();
// The kinds "Hizmet-Masraf" (H) and "Diğer" (D) are valid for every model.
void FrtTurSec(QVariantMap& row, const QString& kbmy);

// Save of the card. Shows the refusal or the time question through the
// message service and answers false when nothing is written. A database
// error (a duplicate code and model) is shown with the database's text.
bool FrtKaydet(const Db& db, QVariantMap& row, bool yeni, const QString& eskiKod = {},
               const QString& eskiModel = {});
// Delete from the list: asks, refuses a code used on any invoice or work order
// (for every model), then deletes the (code, model) row.
bool FrtSil(const Db& db, const QString& kod, const QString& model);

// The labour list query. Code and name match as prefixes (LIKE escaped),
// the model exactly; `tumu` lists every card.
struct FrtArama {
    QString kod, ad, model;
};
QString FrtListeSorgusu(const FrtArama& a, const Db& db, QVariantMap& binds);

// The picker's answer from a list row (KodStr code, IlkStr model, str1 name,
// num1 time, num2 unit price, num3 VAT, dvz currency).
TDonPara FrtDonPara(const QVariantMap& row);

// List price of a labour code for the vehicle's labour model: the model's own
// card wins over the "ZZ" card. 0 when neither exists.
double FrtListeFiyati(const Db& db, const QString& kod, const QString& ozel1);
// The warranty hourly price (group "G"); 0 when none.
double GarantiSaatFiyati(const Db& db);

// Price × 10000 rounded to the nearest whole number, halves to even, / 10000.
double FiyatDortHane(double fiyat);
// "Birim Fiyatları Güncelle": writes every group price (but "G") into the
// operations of that kind and the no-group price `grupsuz` into the operations
// without a kind (and kind D when D has no price), marks those D. One
// transaction: on failure nothing changes and false is returned.
bool FrtBirimFiyatGuncelle(const Db& db, double grupsuz);

} // namespace tornaly::workshop
