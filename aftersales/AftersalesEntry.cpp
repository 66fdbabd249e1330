#include "aftersales/AftersalesEntry.h"
#include "aftersales/calls/AracHatirlatma.h"
#include "aftersales/claims/forms/BrFCT.h"
#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/forms/brClaim.h"
#include "dm/DATA1.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "workshop/WorkshopEntry.h"

namespace tornaly::aftersales {

void RegisterEntryPoints()
{
    workshop::RegisterEntryPoints();
    // The start-up's vehicle reminders go into this library's call list.
    SetVehicleReminderWriter(AracHatirlatmalariniYaz);
    RegisterRoutine(QString::fromLatin1(entry::HasarKodSec),
                    [](const OpenRequest& r) { HasarKodSec(*r.ctx, r.codeType, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::ClaimListeSec),
                    [](const OpenRequest& r) { ClaimListeSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::ClaimIsemriAc), [](const OpenRequest& r) {
        ClaimIsemriAc(*r.ctx, r.key, r.ctx->CalismaYiliNo, r.owner);
    });
}

} // namespace tornaly::aftersales
