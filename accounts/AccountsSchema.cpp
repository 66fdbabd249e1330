#include "AccountsSchema.h"
#include "CoreSchema.h"
#include "db/Schema.h"
#include "maintenance/VeriOnarim.h"

namespace tornaly::accounts {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("accounts"), DatabaseKind::Company);
    // The columns of this area's tables that hold a current-account code (the code rename moves them).
    CariKodKolonlariTanimla(QStringLiteral("accounts"), {
        {"CARI", "CARI_KOD"},        {"CARIHRK", "CARI_KOD"},    {"CARIPER", "CP_CARI_KOD"},
        {"CARIBANKA", "CARI_KOD"},   {"CARIPK", "CARI_KOD"},     {"BANKHRKA", "CARI_KOD"},
        {"CSBORAYR", "CARIKOD"},     {"CSBORAYR", "CIRO_CKOD"},  {"CSBORDRO", "B_CARIKOD"},
        {"CSKART", "CARIKOD"},       {"CSKART", "CIRO_CKOD"},    {"GIDER", "CARI_KOD"},
        // The counterpart of a cash row is an account only on the mirrors of
        // current-account vouchers and cheque slips; a slip line's code only on account lines.
        {"KASAHRKT", "KARSIKOD", "REF_TIP IN ('C', 'E')"},
        {"FISGA", "KOD", "TIP = 'C'"},
    });
}

} // namespace tornaly::accounts
