#pragma once

namespace tornaly::reports {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::reports
