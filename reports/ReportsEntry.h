#pragma once

namespace tornaly::reports {

// Makes the report menu reachable from the main window's commands.
void RegisterEntryPoints();

} // namespace tornaly::reports
