#include "WorkshopSchema.h"
#include "accounts/AccountsSchema.h"
#include "stock/StockSchema.h"
#include "db/Schema.h"
#include "maintenance/VeriOnarim.h"

namespace tornaly::workshop {

void RegisterSchema()
{
    accounts::RegisterSchema();
    stock::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("workshop"), DatabaseKind::Company);
    // The columns of this area's tables that hold a current-account code (the code rename moves them).
    CariKodKolonlariTanimla(QStringLiteral("workshop"), {
        {"ISEMRI", "CARI_KOD"},      {"ARAC", "CARI_KOD"},       {"RANMAST", "CARI_KOD"},
        {"ARCALSIP", "CARI_KOD"},    {"BELGEFORM", "BEL_CARI_KOD"},
    });
    SchemaRegistry::add(QStringLiteral("merkez_arac"), DatabaseKind::Central);
}

} // namespace tornaly::workshop
