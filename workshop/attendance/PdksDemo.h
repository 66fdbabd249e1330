#pragma once
#include "db/Database.h"

namespace tornaly::workshop {

// A sample attendance device file for the demo company (three mechanics over
// the last working days, with work on its open work orders), named as the
// company's device file; the badges are those of the demo personnel.
void SeedPdksDemo(const Db& db);

} // namespace tornaly::workshop
