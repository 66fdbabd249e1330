#include "accounts/AccountsEntry.h"
#include "CoreEntry.h"

namespace tornaly::accounts {

void RegisterEntryPoints()
{
    core::RegisterEntryPoints();
}

} // namespace tornaly::accounts
