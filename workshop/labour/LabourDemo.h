#pragma once
#include "db/Database.h"

namespace tornaly::workshop {

// Labour cards and group prices for the demo company, and the dispositions
// of its open maintenance work order (parts issued, labour added, saved).
void SeedLabourDemo(const Db& db);

} // namespace tornaly::workshop
