#pragma once

namespace tornaly::workshop {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::workshop
