#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace tornaly {

struct SessionContext;

// The chart-of-accounts picker for the cards of other areas (posting
// accounts only); the accounting library installs it. The chosen code, empty
// when nothing was chosen.
using HesapSeciciFn = std::function<QString(const SessionContext&, QWidget* owner)>;
void SetHesapSecici(HesapSeciciFn secici);
bool HesapSeciciVar();
QString HesapSecimi(const SessionContext& ctx, QWidget* owner);

} // namespace tornaly
