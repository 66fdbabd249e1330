#pragma once
#include "db/Database.h"

namespace tornaly::invoicing {

// The invoice series, ready texts, discount rates and call-back periods of
// the demo company, and the parts and labour of an open demo work order so
// that it can be invoiced.
void SeedInvoicingDemo(const Db& db);
// The standard design of the pre-printed invoice (KOORFAT) on A4; returns its ID.
int SeedFaturaTasarimi(const Db& db);

} // namespace tornaly::invoicing
