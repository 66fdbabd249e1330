#pragma once

namespace tornaly::core {

// Registers the core's own openers (personnel, system management window, SQL
// console) with the main window's target registry; names already taken by
// another opener are left alone.
void RegisterEntryPoints();

} // namespace tornaly::core
