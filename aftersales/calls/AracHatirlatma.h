#pragma once
#include "db/Database.h"

#include <QDateTime>

namespace tornaly::aftersales {

// Inserts the due vehicle reminders (insurance, comprehensive insurance,
// inspection, exhaust inspection) into the call list, once per vehicle and
// end date. Returns the number of rows inserted. The start-up runs it through
// the core's reminder hook (SetVehicleReminderWriter).
int AracHatirlatmalariniYaz(const Db& db, const QDateTime& now);

} // namespace tornaly::aftersales
