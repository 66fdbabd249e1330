#pragma once

namespace tornaly::invoicing {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::invoicing
