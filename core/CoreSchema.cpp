#include "CoreSchema.h"
#include "db/Schema.h"

namespace tornaly::core {

void RegisterSchema()
{
    SchemaRegistry::add(QStringLiteral("core"), DatabaseKind::Company);
    SchemaRegistry::add(QStringLiteral("catalogue"), DatabaseKind::Catalogue);
}

} // namespace tornaly::core
