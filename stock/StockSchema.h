#pragma once

namespace tornaly::stock {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::stock
