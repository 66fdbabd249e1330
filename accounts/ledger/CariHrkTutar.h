#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"
#include "guard/IslemReddi.h"

#include <QDate>
#include <QString>
#include <optional>
#include <stdexcept>

namespace tornaly::accounts {

// A ledger posting that cannot be made; text() is the Turkish message the guard shows.
class CariHrkHatasi : public IslemReddi {
public:
    explicit CariHrkHatasi(const QString& text, MsgIcon icon = MsgIcon::Warning) : IslemReddi(text, icon) {}
};

// The three amounts of a money row: local currency, US dollars and the row's currency.
struct UcTutar {
    double tl = 0;
    double usd = 0;
    double dvz = 0;
};

// Derives the two other amounts from the typed one named by PARA_BAZ
// (T local, U US dollar, D the row's currency), without rounding:
// local = currency x TL_KURDEGER and dollars = local / TL_USDEGER.
// Rates must be above 0.
UcTutar UcTutarHesapla(QChar paraBaz, double girilen, double tlKurDeger, double tlUsDeger);

// The two rates of a row being entered. A rate of 0 or 1 counts as none and
// is replaced by the selling rate of the movement date; the row's currency
// rate is 1 for the local currency or an empty code. A rate that is still
// missing stays nullopt, so that the caller can refuse a foreign amount.
struct SatirKurlari {
    std::optional<double> tlKurDeger;
    std::optional<double> tlUsDeger;
};
SatirKurlari SatirKurlariniBelirle(const SessionContext& ctx, const Db& db, const QString& dovizKodu,
                                   double tlKurDeger, double tlUsDeger, const QDate& tarih);

} // namespace tornaly::accounts
