#include "CoreSchema.h"
#include "db/Schema.h"
#include "login/PasswordHash.h"

namespace tornaly::core {

void RegisterSchema()
{
    SchemaRegistry::add(QStringLiteral("core"), DatabaseKind::Company);
    SchemaRegistry::addCodeStep(QStringLiteral("core"), 61, QStringLiteral("password_hashes"), HashPlainTextPasswords);
    SchemaRegistry::add(QStringLiteral("catalogue"), DatabaseKind::Catalogue);
}

} // namespace tornaly::core
