#include "StockSchema.h"
#include "CoreSchema.h"
#include "db/Schema.h"
#include "maintenance/VeriOnarim.h"

namespace tornaly::stock {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("stock"), DatabaseKind::Company);
    // The columns of this area's tables that hold a current-account code (the code rename moves them).
    CariKodKolonlariTanimla(QStringLiteral("stock"), {
        {"DEPOHRK", "CARIKOD"},
    });
}

} // namespace tornaly::stock
