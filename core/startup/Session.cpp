#include "startup/Session.h"

namespace tornaly {

// Filled in by the start-up and login code.
bool ChangeLogin(SessionContext&) { return false; }
bool ChangeCompany(SessionContext&) { return false; }

} // namespace tornaly
