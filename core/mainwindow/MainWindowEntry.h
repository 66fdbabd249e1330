#pragma once

namespace tornaly {

struct SessionContext;

// Creates the main window for a logged-in session, shows it and runs the
// message loop; returns the loop's exit code.
int RunMainWindow(SessionContext& ctx);

} // namespace tornaly
