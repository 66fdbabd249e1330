#pragma once
#include "db/Database.h"

namespace tornaly::workshop {

// Two open work orders and one closed one on the demo vehicles, numbered
// through the work-order counter.
void SeedWorkOrderDemo(const Db& db);

} // namespace tornaly::workshop
