#include "accounts/AccountsEntry.h"

namespace tornaly::accounts {

void RegisterEntryPoints()
{
}

} // namespace tornaly::accounts
