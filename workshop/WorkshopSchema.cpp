#include "WorkshopSchema.h"
#include "accounts/AccountsSchema.h"
#include "stock/StockSchema.h"
#include "db/Schema.h"

namespace tornaly::workshop {

void RegisterSchema()
{
    accounts::RegisterSchema();
    stock::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("workshop"), DatabaseKind::Company);
    SchemaRegistry::add(QStringLiteral("merkez_arac"), DatabaseKind::Central);
}

} // namespace tornaly::workshop
