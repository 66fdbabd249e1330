#include "stock/StockEntry.h"

namespace tornaly::stock {

void RegisterEntryPoints()
{
}

} // namespace tornaly::stock
