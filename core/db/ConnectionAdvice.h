#pragma once
#include "db/ConnectionProfile.h"

#include <QString>

namespace tornaly {

// The Turkish message for a connection that could not be opened: what went
// wrong and what to do about it, from the driver's own text.
QString ConnectionFailureText(const ConnectionProfile& profile, const QString& driverText);

} // namespace tornaly
