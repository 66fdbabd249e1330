#include "services/MuhasebeEntegre.h"
#include "services/HesapSecici.h"

namespace tornaly {

namespace {
MuhasebeEntegreFn& transferFn()
{
    static MuhasebeEntegreFn fn;
    return fn;
}
MuhasebeAnahtariFn& anahtarFn()
{
    static MuhasebeAnahtariFn fn;
    return fn;
}
HesapSeciciFn& seciciFn()
{
    static HesapSeciciFn fn;
    return fn;
}
} // namespace

void SetMuhasebeEntegre(MuhasebeEntegreFn transfer, MuhasebeAnahtariFn anahtar)
{
    transferFn() = std::move(transfer);
    anahtarFn() = std::move(anahtar);
}

void MuhasebeEntegre(const SessionContext& ctx, const Db& db, const MuhasebeEntegreIstegi& istek)
{
    if (transferFn())
        transferFn()(ctx, db, istek);
}

MuhasebeAktarimi MuhasebeAktarimSecimi(const Db& db, QChar belgeTuru)
{
    return anahtarFn() ? anahtarFn()(db, belgeTuru) : MuhasebeAktarimi::Aktarma;
}

void SetHesapSecici(HesapSeciciFn secici) { seciciFn() = std::move(secici); }

bool HesapSeciciVar() { return bool(seciciFn()); }

QString HesapSecimi(const SessionContext& ctx, QWidget* owner)
{
    return seciciFn() ? seciciFn()(ctx, owner) : QString();
}

} // namespace tornaly
