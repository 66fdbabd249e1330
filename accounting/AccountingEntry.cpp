#include "accounting/AccountingEntry.h"
#include "invoicing/InvoicingEntry.h"

namespace tornaly::accounting {

void RegisterEntryPoints()
{
    invoicing::RegisterEntryPoints();
}

} // namespace tornaly::accounting
