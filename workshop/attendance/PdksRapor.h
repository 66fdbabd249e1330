#pragma once
#include "report/ReportModel.h"

namespace tornaly::workshop {

// "Yazdır" of the daily readings list: one group per employee and day.
report::Report PdksGunlukRaporu(const Db& db, const QDate& gun, const QString& perKod);

} // namespace tornaly::workshop
