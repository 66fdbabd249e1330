#pragma once
#include "db/Database.h"

namespace tornaly::workshop {

// The demo company's PDI data: error places and codes, a new vehicle awaiting
// its inspection, and the final-check questions (type 1) with headings.
void SeedPdiDemo(const Db& db);

} // namespace tornaly::workshop
