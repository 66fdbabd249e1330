#include "ReportsSchema.h"
#include "accounting/AccountingSchema.h"
#include "aftersales/AftersalesSchema.h"
#include "db/Schema.h"

namespace tornaly::reports {

void RegisterSchema()
{
    accounting::RegisterSchema();
    aftersales::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("reports"), DatabaseKind::Company);
}

} // namespace tornaly::reports
