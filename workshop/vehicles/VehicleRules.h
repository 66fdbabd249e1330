#pragma once
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tornaly::workshop {

// Plates and chassis numbers are kept without blanks in Latin capitals; a
// typed search text is brought to that form before it is matched.
QString NormalizeVehicleCode(const QString& typed);

// Day 100 of the original date scale (day 0 = 1899-12-30): dates on or
// before it count as "no date".
QDateTime DateScaleDay(int day);
bool IsEmptyDateSerial(const QVariant& value);

// The warranty dates a vehicle row gets before it is written: an empty
// start takes the sales invoice date, an end on or before day 100 is cleared.
void ApplyWarrantyDefaults(QVariantMap& arac);

// Model prices. Leaving the USD cost: the opening value follows the cost and
// the USD sale price is cost plus the profit share. Picking a rate: the TL
// cost and sale price follow the USD cost at that rate. Nothing is rounded.
void ModelUsdCostChanged(QVariantMap& model);
void ModelRatePicked(QVariantMap& model, double tlRate);
// A new model row: one piece of opening stock, no firm orders.
QVariantMap NewModelRow();

// The registration form's figures.
struct BeyanToplam {
    double otvTut = 0;   // OTV_TUT
    double otvNet = 0;   // OTV_NET, never negative
    double kdvSiz = 0;   // KDV_SIZ
    double kdvTut = 0;   // KDV_TUT
    double kdvliTut = 0; // KDVLI_TUT
    double atf = 0;      // ATF
};
BeyanToplam ComputeBeyanToplam(double aracBedel, double otv, double otvIst, double kdv, double masTop);
// Writes OTV_TUT, KDV_SIZ and ATF of the vehicle row from its figures.
BeyanToplam ApplyBeyanToplam(QVariantMap& arac);
// Defaults when the vehicle row goes into edit: a VAT rate above 100, an
// ÖTV rate of 0 and a price of 0 take the model's values.
void ApplyBeyanDefaults(QVariantMap& arac, const QVariantMap& model);

// A whole number right-aligned in `width` blanks ("%*.0f"), halves rounded
// away from zero before formatting.
QString PaddedWhole(double value, int width);
// Day, month, year as "dd", "MM", "yyyy"; "00", "00", "0000" for an empty
// date or one before `minYear`.
struct DateParts {
    QString gun, ay, yil;
};
DateParts SplitDate(const QVariant& value, int minYear);
// The columns of a declaration row that follow the vehicle on every save.
void PrepareBeyanForWrite(QVariantMap& beyan, const QVariantMap& arac);

} // namespace tornaly::workshop
