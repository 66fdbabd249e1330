#include "aftersales/AftersalesEntry.h"
#include "workshop/WorkshopEntry.h"

namespace tornaly::aftersales {

void RegisterEntryPoints()
{
    workshop::RegisterEntryPoints();
}

} // namespace tornaly::aftersales
