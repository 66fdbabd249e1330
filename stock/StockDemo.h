#pragma once
#include "db/Database.h"

namespace tornaly::stock {

// Groups, brands, warehouses, packaging and parts with opening stock for the
// embedded demo company, so that the stock lists have something to show.
void StokDemoVerisi(const Db& db);

} // namespace tornaly::stock
