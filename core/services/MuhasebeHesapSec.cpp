#include "services/MuhasebeHesapSec.h"

namespace tornaly {

namespace {
MuhasebeHesapSecFn& secici()
{
    static MuhasebeHesapSecFn fn;
    return fn;
}
} // namespace

void SetMuhasebeHesapSec(MuhasebeHesapSecFn fn)
{
    secici() = std::move(fn);
}

bool MuhasebeHesapSecVar()
{
    return bool(secici());
}

QString MuhasebeHesapSec(const SessionContext& ctx, int mode, QWidget* owner)
{
    return secici() ? secici()(ctx, mode, owner) : QString();
}

} // namespace tornaly
