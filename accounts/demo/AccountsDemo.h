#pragma once

namespace tornaly {
class Db;
}

namespace tornaly::accounts {

// The demo company's accounts, code lists, cash boxes, payment plans and a few
// vouchers, so that the lists of this area have something to show.
void AccountsDemoSeed(const Db& db);

} // namespace tornaly::accounts
