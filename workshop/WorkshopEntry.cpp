#include "workshop/WorkshopEntry.h"
#include "workshop/attendance/PdksDemo.h"
#include "workshop/attendance/forms/CihazdanGelenBak.h"
#include "workshop/attendance/forms/CihazdanGelenm.h"
#include "workshop/attendance/forms/PdksGunluk.h"
#include "workshop/attendance/forms/WorkControl.h"
#include "accounts/AccountsEntry.h"
#include "accounts/cards/BrCari.h"
#include "stock/StockEntry.h"
#include "workshop/prints/IsEmriYaz.h"
#include "workshop/prints/PrintDemo.h"
#include "workshop/vehicles/VehicleDemo.h"
#include "workshop/vehicles/forms/AracSakla.h"
#include "workshop/vehicles/forms/Beyan.h"
#include "workshop/vehicles/forms/CodeLists.h"
#include "workshop/vehicles/forms/ModelSakla.h"
#include "workshop/workorders/WorkOrderDemo.h"
#include "workshop/dispositions/forms/dispoz.h"
#include "workshop/labour/LabourDemo.h"
#include "workshop/maintenance/IsEmriOnarim.h"
#include "workshop/labour/forms/FrtFiyat.h"
#include "workshop/labour/forms/FrtSakla.h"
#include "workshop/partsissue/forms/IsDetayForm.h"
#include "workshop/pdi/PdiDemo.h"
#include "workshop/pdi/forms/PDI.h"
#include "workshop/workorders/forms/IEBr.h"
#include "workshop/workorders/forms/IsEmri.h"

#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "startup/EmbeddedDemo.h"

namespace tornaly::workshop {

void RegisterEntryPoints()
{
    accounts::RegisterEntryPoints();
    stock::RegisterEntryPoints();
    RegisterIsEmriTemizlikleri();
    // The registration form picks its owner through the account picker. The
    // vehicles build on the accounts, so the hook is filled here: the accounts
    // library cannot see the vehicle forms.
    SetCariSecici([](SessionContext& ctx, QWidget* owner) { return accounts::CariSec(ctx, 1, owner); });

    RegisterRoutine(QString::fromLatin1(entry::ModelSec), [](const OpenRequest& r) { ModelSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::ModelSegmentSec),
                    [](const OpenRequest& r) { ModelSegmentSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::TAVSec), [](const OpenRequest& r) { TAVSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::RenkSec), [](const OpenRequest& r) { RenkSec(*r.ctx, r.mode, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::AracSec), [](const OpenRequest& r) { AracSec(*r.ctx, r.mode, r.owner); });
    RegisterForm(QString::fromLatin1(entry::TFrmBeyanList), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFrmBeyanList(*r.ctx, 0, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterDemoSeed(QStringLiteral("workshop.vehicles"), SeedVehicleDemo);
    SetCariSecici([](SessionContext& ctx, QWidget* parent) { return accounts::CariSec(ctx, 1, parent); });

    RegisterForm(QString::fromLatin1(entry::TFormIsEmri), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormIsEmri(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterRoutine(QString::fromLatin1(entry::IsemriSec),
                    [](const OpenRequest& r) { IsemriSec(*r.ctx, r.mode, r.key, r.owner); });
    RegisterDemoSeed(QStringLiteral("workshop.workorders"), SeedWorkOrderDemo);

    RegisterRoutine(QString::fromLatin1(entry::FrtSec), [](const OpenRequest& r) { FrtSec(*r.ctx, r.mode, r.owner); });
    RegisterForm(QString::fromLatin1(entry::TFormDispoz), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormDispoz(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        if (!r.key.isEmpty())
            f->isemriniac(r.key);
        return f;
    });
    RegisterForm(QString::fromLatin1(entry::TFormIsDetay), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormIsDetay(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        if (!r.key.isEmpty())
            f->isemriypac(r.key);
        return f;
    });
    RegisterDemoSeed(QStringLiteral("workshop.labour"), SeedLabourDemo);
    RegisterLabourPriceForms();
    InstallOpenWorkOrderCheck();
    RegisterDemoSeed(QStringLiteral("workshop.prints"), SeedPrintDemo);
    RegisterRoutine(QString::fromLatin1(entry::IsEmriYazdir), [](const OpenRequest& r) { IsEmriYazdir(*r.ctx, r.key, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::IsEmriDigerForm),
                    [](const OpenRequest& r) { IsEmriDigerFormYazdir(r.ctx->Database1, r.mode, r.key); });

    RegisterRoutine(QString::fromLatin1(entry::CihazdanOkutGoster),
                    [](const OpenRequest& r) { CihazdanOkutGoster(*r.ctx, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::CihazdanGelenBakGoster),
                    [](const OpenRequest& r) { CihazdanGelenBakGoster(*r.ctx, r.owner); });
    RegisterRoutine(QString::fromLatin1(entry::PdksGunlukListeGoster),
                    [](const OpenRequest& r) { PdksGunlukListeGoster(*r.ctx, r.key, r.day, r.owner); });
    SetPdksGunlukAcici([](SessionContext& ctx, const QString& kisi, const QDate& gun, QWidget* owner) {
        PdksGunlukListeGoster(ctx, kisi, gun, owner);
    });
    RegisterForm(QString::fromLatin1(entry::TFormWorkControl), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormWorkControl(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterDemoSeed(QStringLiteral("workshop.attendance"), SeedPdksDemo);

    RegisterForm(QString::fromLatin1(entry::TFormPDI), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormPDI(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterDemoSeed(QStringLiteral("workshop.pdi"), SeedPdiDemo);
}

} // namespace tornaly::workshop
