#include "aftersales/AftersalesEntry.h"
#include "aftersales/AftersalesDemo.h"
#include "aftersales/calls/AracHatirlatma.h"
#include "aftersales/calls/forms/AraPeriyotTanim.h"
#include "aftersales/calls/forms/SerAramaSorgu.h"
#include "aftersales/calls/forms/ServisAramaPer.h"
#include "aftersales/claims/forms/BrFCT.h"
#include "aftersales/claims/forms/Claimvarnek.h"
#include "aftersales/claims/forms/brClaim.h"
#include "dm/DATA1.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"
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
    RegisterRoutine(QString::fromLatin1(entry::AramaSorguGoster), [](const OpenRequest& r) {
        AramaSorguGoster(*r.ctx, r.key.isEmpty() ? QStringLiteral("S") : r.key, r.mode, r.owner);
    });
    RegisterRoutine(QString::fromLatin1(entry::AraPeriyotGoster),
                    [](const OpenRequest& r) { AraPeriyotGoster(*r.ctx, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::ShowServisAramaPer), [](const OpenRequest& r) {
        ShowServisAramaPer(*r.ctx, ServisAramaBelge{r.key, r.day, {}, {}}, r.owner);
    });
    RegisterDemoSeed(QStringLiteral("aftersales"), SeedAftersalesDemo);
}

} // namespace tornaly::aftersales
