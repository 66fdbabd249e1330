#include "invoicing/InvoicingEntry.h"
#include "workshop/WorkshopEntry.h"

namespace tornaly::invoicing {

void RegisterEntryPoints()
{
    workshop::RegisterEntryPoints();
}

} // namespace tornaly::invoicing
