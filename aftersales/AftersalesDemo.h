#pragma once
#include "db/Database.h"

namespace tornaly::aftersales {

// The demo company's call periods, the calls of its delivered work order and
// two warranty claims, so that the call list and the claim forms show rows.
void SeedAftersalesDemo(const Db& db);

} // namespace tornaly::aftersales
