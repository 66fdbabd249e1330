#include "CoreSchema.h"
#include "db/Schema.h"

namespace tornaly::core {

void RegisterSchema()
{
    SchemaRegistry::add(QStringLiteral("core"), DatabaseKind::Company);
}

} // namespace tornaly::core
