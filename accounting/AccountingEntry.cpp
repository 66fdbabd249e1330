#include "accounting/AccountingEntry.h"
#include "accounting/chart/HesapSec.h"
#include "accounting/demo/AccountingDemo.h"
#include "accounting/ledger/MuhFisBr.h"
#include "accounting/params/ParaMuh.h"
#include "accounting/transfer/MuhEntegre.h"
#include "accounting/transfer/MuhKod.h"
#include "invoicing/InvoicingEntry.h"
#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"
#include "services/HesapSecici.h"
#include "startup/EmbeddedDemo.h"

namespace tornaly::accounting {

void RegisterEntryPoints()
{
    invoicing::RegisterEntryPoints();
    MuhasebeBaglantisiniKur();
    SetEksikMuhKodGosterici(&TFormMuhKodGoster);
    SetHesapSecici([](const SessionContext& ctx, QWidget* owner) { return HesapSec(ctx, 1, owner); });
    RegisterDemoSeed(QStringLiteral("accounting"), &AccountingDemoSeed);
    RegisterForm(QLatin1String(entry::TFormMuhFisBr), [](const OpenRequest& r) -> QWidget* {
        auto* f = new TFormMuhFisBr(*r.ctx, r.owner);
        f->setAttribute(Qt::WA_DeleteOnClose);
        f->setModal(false);
        return f;
    });
    RegisterRoutine(QLatin1String(entry::TFormParaMuh), [](const OpenRequest& r) { ParaMuhAc(*r.ctx, r.owner); });
}

} // namespace tornaly::accounting
