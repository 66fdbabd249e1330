#pragma once
#include "db/Database.h"

namespace tornaly::workshop {

// A work-order form design and the closing layout (in use and initial
// values) on A4, so that the demo prints its forms at sensible places.
void SeedPrintDemo(const Db& db);

} // namespace tornaly::workshop
