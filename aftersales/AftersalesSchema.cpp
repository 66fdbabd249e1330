#include "AftersalesSchema.h"
#include "workshop/WorkshopSchema.h"
#include "db/Schema.h"

namespace tornaly::aftersales {

void RegisterSchema()
{
    workshop::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("aftersales"), DatabaseKind::Company);
}

} // namespace tornaly::aftersales
