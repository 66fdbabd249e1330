#pragma once

namespace tornaly::accounts {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::accounts
