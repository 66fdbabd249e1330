#include "AccountsSchema.h"
#include "CoreSchema.h"
#include "db/Schema.h"

namespace tornaly::accounts {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("accounts"), DatabaseKind::Company);
}

} // namespace tornaly::accounts
