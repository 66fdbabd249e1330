#pragma once
#include "aftersales/calls/AramaPer.h"
#include "report/ReportModel.h"

namespace tornaly::aftersales {

// "Müşteri Takip Listesi": the due list as printed, over the list's rows.
report::Report MusteriTakipRaporu(report::SourcePtr source, const QDate& begdate, const QDate& enddate);
// The same over the list's statement with the filter's values bound.
report::Report MusteriTakipRaporu(const Db& db, const AramaFiltre& f);

} // namespace tornaly::aftersales
