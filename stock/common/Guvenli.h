#pragma once
#include <functional>

namespace tornaly::stock {

// Runs a command of a form; a database failure is shown as its message and
// leaves the form usable.
void Guvenli(const std::function<void()>& f);

} // namespace tornaly::stock
