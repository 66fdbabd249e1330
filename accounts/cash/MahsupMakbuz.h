#pragma once
#include "accounts/cash/MahsupFis.h"
#include "report/ReportModel.h"

namespace tornaly::accounts {

// The receipt of a cash or offset slip: company lines, the slip's kind, date
// and numbers, one row per line and the sums of its sides. Page setup key "MFis".
report::Report MahsupMakbuzRaporu(const Db& db, const MahsupFisi& fis, const QDate& bugun);
inline QString MahsupMakbuzAnahtari() { return QStringLiteral("MFis"); }

} // namespace tornaly::accounts
