#include "aftersales/AftersalesEntry.h"
#include "aftersales/calls/AracHatirlatma.h"
#include "dm/DATA1.h"
#include "workshop/WorkshopEntry.h"

namespace tornaly::aftersales {

void RegisterEntryPoints()
{
    workshop::RegisterEntryPoints();
    // The start-up's vehicle reminders go into this library's call list.
    SetVehicleReminderWriter(AracHatirlatmalariniYaz);
}

} // namespace tornaly::aftersales
