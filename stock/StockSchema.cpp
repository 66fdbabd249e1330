#include "StockSchema.h"
#include "CoreSchema.h"
#include "db/Schema.h"

namespace tornaly::stock {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("stock"), DatabaseKind::Company);
}

} // namespace tornaly::stock
