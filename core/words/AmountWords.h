#pragma once
#include <QString>
#include <functional>

namespace tornaly {

struct SessionContext;
class Db;

// A whole number (0 to below 10^18) in Turkish words written together:
// 2345678 gives "İkiMilyonÜçYüzKırkBeşBinAltıYüzYetmişSekiz"; 0 gives "".
QString NumberToWords(double value);

// An amount with its currency for printed documents: "Bin Manat",
// "Yüz TL Elli KR". The subunit is written only when the working year has
// one (KurusVar); its name is YerelKurus.
QString AmountToWordsAzn(const SessionContext& ctx, const QString& currency, double amount);

// The work-order invoice's variant: the unit's name comes from the currency
// table (for "YTL" and "TL" the name of the local currency), the subunit is
// "YKR" for YTL, "KR" for TL and "CENT" for any other code.
QString AmountToWords(const Db& db, const SessionContext& ctx, const QString& currency, double amount);
// The same with the currency names from a look-up of our own (tests, callers
// that have the names at hand). A missing name falls back to the code.
QString AmountToWords(const SessionContext& ctx, const QString& currency, double amount,
                      const std::function<QString(const QString&)>& currencyName);

} // namespace tornaly
