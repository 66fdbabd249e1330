#include "AftersalesSchema.h"
#include "workshop/WorkshopSchema.h"
#include "db/Schema.h"
#include "maintenance/VeriOnarim.h"

namespace tornaly::aftersales {

void RegisterSchema()
{
    workshop::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("aftersales"), DatabaseKind::Company);
    // The columns of this area's tables that hold a current-account code (the code rename moves them).
    CariKodKolonlariTanimla(QStringLiteral("aftersales"), {
        {"CLAIMM", "CL_CARI"},       {"EXPER", "SERVIS_KODU"},   {"EXPER", "SIG_ACENTA_KOD"},
        {"ARAMAPER", "CARI_KOD"},
    });
}

} // namespace tornaly::aftersales
