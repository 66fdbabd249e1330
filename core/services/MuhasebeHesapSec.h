#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace tornaly {

struct SessionContext;

// The chart-of-accounts picker belongs to accounting; cards of earlier
// subsystems reach it through this hook, which accounting installs.
using MuhasebeHesapSecFn = std::function<QString(const SessionContext&, int mode, QWidget* owner)>;
void SetMuhasebeHesapSec(MuhasebeHesapSecFn fn);
bool MuhasebeHesapSecVar();
// The chosen ledger code (mode 1: posting accounts); empty when cancelled or not installed.
QString MuhasebeHesapSec(const SessionContext& ctx, int mode, QWidget* owner);

} // namespace tornaly
