#include "InvoicingSchema.h"
#include "workshop/WorkshopSchema.h"
#include "db/Schema.h"

namespace tornaly::invoicing {

void RegisterSchema()
{
    workshop::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("invoicing"), DatabaseKind::Company);
}

} // namespace tornaly::invoicing
