#pragma once
#include "connection/DonPara.h"
#include "db/Database.h"

#include <QString>
#include <QVariantMap>
#include <functional>

class QWidget;

namespace tornaly {
struct SessionContext;
}

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

// The ledger-code columns of a labour card with their captions, in the card's order.
QList<QPair<QString, QString>> FrtMuhKodlari();
// Whether the ledger code's picker needs the accounting-code right (diger10 "Y"):
// the sales, purchase, discount and return codes do; warranty and VAT codes do not.
bool FrtMuhKoduHakIster(const QString& kolon);
// The chart-of-accounts picker (or, for the VAT code, the VAT set picker);
// the accounting library puts it here. The chosen code, empty without a choice.
using MuhKodSecici = std::function<QString(SessionContext& ctx, bool kdvSeti, QWidget* owner)>;
void SetMuhKodSecici(MuhKodSecici secici);
const MuhKodSecici& FrtMuhKodSecici();

// The working prices of the labour price form: the group prices K, B, M, D
// and the no-group price.
struct FrtCalismaFiyatlari {
    double kf = 0, bf = 0, mf = 0, df = 0, ef = 0;
};
// Reads the group prices; `grupsuz` above 0 becomes the no-group price,
// otherwise `f.ef` stays.
void FrtGrupFiyatlariOku(const Db& db, FrtCalismaFiyatlari& f, double grupsuz);
// The price a labour row takes when it is posted from the price form, by its
// kind letter: K, B and M their group's price (0 too); D the D price, else
// the no-group price, else unchanged; any other letter or none the no-group
// price (else unchanged) and the kind becomes D.
void FrtSatirFiyatla(QVariantMap& row, const FrtCalismaFiyatlari& f);

// The group rows (GRUP_KOD, GRUP_AD, BR_FIYAT_TL, BR_FYT_USD) by letter.
QList<QVariantMap> FrtGruplari(const Db& db);
// Stores a group row; `eskiKod` empty adds it. A letter in use by another
// row is refused.
void FrtGrupKaydet(const Db& db, const QString& eskiKod, const QVariantMap& row);
void FrtGrupSil(const Db& db, const QString& kod);
// Posts a labour row edited in the price form (time, kind, prices, currency,
// English name, group), repriced by its kind first.
void FrtFiyatSatiriKaydet(const Db& db, QVariantMap& row, const FrtCalismaFiyatlari& f);
// The price form's own delete: the (code, model) row, without the in-use check of the list.
void FrtSatiriSil(const Db& db, const QString& kod, const QString& model);

} // namespace tornaly::workshop
