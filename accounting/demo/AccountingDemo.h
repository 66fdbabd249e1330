#pragma once

namespace tornaly {
class Db;
}

namespace tornaly::accounting {

// The demo company's chart of accounts, VAT code set and link parameters; the
// demo cards get their accounts and the current-account slips their vouchers.
void AccountingDemoSeed(const Db& db);

} // namespace tornaly::accounting
