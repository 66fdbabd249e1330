#pragma once
#include "db/Database.h"
#include "stock/prices/Iskonto.h"

#include <QDate>

namespace tornaly::stock {

// SP_SET_STOKFYT: recomputes the local purchase and sale prices of every card
// from its currency prices at the rate of its price currency valid at the end
// of `gun` (buying rates for ASKUR "A", selling otherwise), and the dollar
// prices from the local ones. Cards whose currency has no rate that day keep
// their local prices (never converted at 1). Returns the number of cards changed.
int StokFiyatlariniGuncelle(const Db& db, const QDate& gun, const QString& ASKUR);

// SP_GET_ISKONTO: the most specific discount rule for a customer, customer
// group, part and payment kind (ISKKURAL). A rule without its own prices
// takes the part's sale prices. FIYAT_TUR stays null when no rule applies.
IskontoKurali IskontoKuraliBul(const Db& db, const IskontoSorgusu& s);

} // namespace tornaly::stock
