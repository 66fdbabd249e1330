#pragma once

namespace tornaly::invoicing {

// Registers this library's openers with the main window, and its part of the
// embedded demo, after those of the libraries it builds on.
void RegisterEntryPoints();

} // namespace tornaly::invoicing
