#include "invoicing/InvoicingEntry.h"
#include "invoicing/print/SayfaDuz.h"
#include "workshop/WorkshopEntry.h"

#include "mainwindow/EntryPoints.h"
#include "mainwindow/Targets.h"

namespace tornaly::invoicing {

void RegisterEntryPoints()
{
    workshop::RegisterEntryPoints();
    RegisterRoutine(QLatin1String(entry::TSayfaDuzForm),
                    [](const OpenRequest& r) { SayfaDuzeniGoster(*r.ctx, r.owner); });
}

} // namespace tornaly::invoicing
