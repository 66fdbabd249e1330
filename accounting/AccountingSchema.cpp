#include "AccountingSchema.h"
#include "invoicing/InvoicingSchema.h"
#include "db/Schema.h"

namespace tornaly::accounting {

void RegisterSchema()
{
    invoicing::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("accounting"), DatabaseKind::Company);
}

} // namespace tornaly::accounting
