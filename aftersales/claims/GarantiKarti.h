#pragma once
#include "aftersales/claims/Claims.h"
#include "report/ReportModel.h"

namespace tornaly::aftersales {

// The warranty card ("&Gar.Kartı"): one card per part row of the claim, two
// cards across an A4 page, each with the claim, vehicle, damage and part
// details, the service's code and name and a box for the service's approval.
report::Report GarantiKartiRaporu(const Db& db, const Claim& c);

} // namespace tornaly::aftersales
