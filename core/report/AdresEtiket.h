#pragma once
#include "report/ReportModel.h"

namespace tornaly::report {

// Address labels ("Adres Etiket Döküm") of any rows with the columns
// FIRMA_ADI, ADRES_1, ADRES_2, PK, SEMT and ILI: three labels across an A4
// page, read from the source when the report is built.
Report AdresEtiketRaporu(const SourcePtr& source);

} // namespace tornaly::report
