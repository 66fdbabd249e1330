#include "accounts/AccountsEntry.h"
#include "CoreEntry.h"

#include "accounts/cards/BrCari.h"
#include "accounts/cash/KasaBr.h"
#include "accounts/cash/KasaHrkBr.h"
#include "accounts/codes/Bayiler.h"
#include "accounts/codes/CariGrupBr.h"
#include "accounts/codes/CariozelGrupBr.h"
#include "accounts/codes/IlIlceBr.h"
#include "accounts/demo/AccountsDemo.h"
#include "accounts/statements/carihrk.h"
#include "accounts/vouchers/BrCarHrk.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"

namespace tornaly::accounts {

void RegisterEntryPoints()
{
    core::RegisterEntryPoints();
    RegisterRoutine(QLatin1String(entry::CariSec),
                    [](const OpenRequest& r) { CariSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::CariHrkSec),
                    [](const OpenRequest& r) { CariHrkSec(*r.ctx, 0, r.key, TypeCariOku(r.ctx->Database1, r.key).CariAd, r.owner); });
    RegisterRoutine(QLatin1String(entry::KasaSec), [](const OpenRequest& r) { KasaSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::KasaHrkSec), [](const OpenRequest& r) { KasaHrkSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::BayiSec), [](const OpenRequest& r) { BayiSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::CariGrupSec),
                    [](const OpenRequest& r) { CariGrupSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QLatin1String(entry::CariOzelGrupAc),
                    [](const OpenRequest& r) { CariOzelGrupAc(*r.ctx, qMax(1, r.mode), r.owner); });
    RegisterRoutine(QLatin1String(entry::IlIlceSec),
                    [](const OpenRequest& r) { IlIlceSec(*r.ctx, qMax(1, r.mode), r.owner); });
    RegisterRoutine(QLatin1String(entry::CariHareketGoster),
                    [](const OpenRequest& r) { CariHareketGoster(*r.ctx, r.key, r.owner); });
    RegisterDemoSeed(QStringLiteral("accounts"), &AccountsDemoSeed);
}

} // namespace tornaly::accounts
