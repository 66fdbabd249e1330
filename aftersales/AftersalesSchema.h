#pragma once

namespace tornaly::aftersales {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::aftersales
