#include "workshop/WorkshopEntry.h"
#include "accounts/AccountsEntry.h"
#include "stock/StockEntry.h"

namespace tornaly::workshop {

void RegisterEntryPoints()
{
    accounts::RegisterEntryPoints();
    stock::RegisterEntryPoints();
}

} // namespace tornaly::workshop
