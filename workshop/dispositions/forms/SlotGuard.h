#pragma once
#include "guard/FormGuard.h"

#include <utility>

namespace tornaly::workshop {

// A slot body run through the error guard; the signal's arguments are not needed.
template <typename F>
auto guarded(F f)
{
    return [f = std::move(f)](auto&&...) { Guard([&] { f(); }); };
}

} // namespace tornaly::workshop
