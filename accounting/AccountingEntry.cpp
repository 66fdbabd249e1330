#include "accounting/AccountingEntry.h"
#include "accounting/chart/HesapSec.h"
#include "accounting/demo/AccountingDemo.h"
#include "accounting/ledger/MuhFisBr.h"
#include "accounting/chart/GGAtama.h"
#include "accounting/params/ParaMuh.h"
#include "accounting/transfer/MuhEntegre.h"
#include "accounting/transfer/MuhKod.h"
#include "invoicing/InvoicingEntry.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "services/MuhasebeHesapSec.h"
#include "services/HesapSecici.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/labour/Frt.h"

namespace tornaly::accounting {

void RegisterEntryPoints()
{
    invoicing::RegisterEntryPoints();
    MuhasebeBaglantisiniKur();
    SetEksikMuhKodGosterici(&TFormMuhKodGoster);
    SetMuhasebeHesapSec([](const SessionContext& ctx, int mode, QWidget* owner) { return HesapSec(ctx, mode, owner); });
    // The labour card picks its ledger codes from the chart and the VAT sets.
    workshop::SetMuhKodSecici([](SessionContext& ctx, bool kdvSeti, QWidget* owner) {
        return kdvSeti ? MuhKDVSec(ctx, 1, owner) : HesapSec(ctx, 1, owner);
    });
    SetHesapSecici([](const SessionContext& ctx, QWidget* owner) { return HesapSec(ctx, 1, owner); });
    RegisterDemoSeed(QStringLiteral("accounting"), &AccountingDemoSeed);
    RegisterForm(QLatin1String(entry::TFormMuhFisBr), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormMuhFisBr(*r.ctx, r.owner);
        // A document's "Muhasebe" opens the list on its own voucher.
        if (!r.key.isEmpty())
            f->fiseGit(r.key.toDouble());
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterRoutine(QLatin1String(entry::TFormParaMuh), [](const OpenRequest& r) { ParaMuhAc(*r.ctx, r.owner); });
    RegisterRoutine(QLatin1String(entry::GGAtamaAc), [](const OpenRequest& r) { GGAtamaAc(*r.ctx, r.owner); });
}

} // namespace tornaly::accounting
