#pragma once
#include "connection/ConnectionModule.h"

namespace tornaly {

// The connection settings and parameter lists of the running session, kept
// so that a change of login or company can reopen the same way.
void RememberSession(const TConnectionSettings& settings, const TDbParamLists& lists);
const TConnectionSettings& SessionSettings();
const TDbParamLists& SessionLists();

} // namespace tornaly
