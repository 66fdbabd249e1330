#include "AccountsSchema.h"
#include "CoreSchema.h"
#include "db/Schema.h"
#include "stock/StockSchema.h"

namespace tornaly::accounts {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("accounts"), DatabaseKind::Company);
    // The cash and offset slip books its stock lines in the warehouse ledger.
    stock::RegisterSchema();
}

} // namespace tornaly::accounts
