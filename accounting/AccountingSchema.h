#pragma once

namespace tornaly::accounting {

// Registers this library's schema module after those it builds on.
void RegisterSchema();

} // namespace tornaly::accounting
