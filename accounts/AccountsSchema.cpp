#include "AccountsSchema.h"
#include "CoreSchema.h"
#include "accounts/cards/CariKart.h"
#include "accounts/codes/CariKodlari.h"
#include "db/Schema.h"
#include "maintenance/VeriOnarim.h"
#include "stock/StockSchema.h"

namespace tornaly::accounts {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("accounts"), DatabaseKind::Company);
    SchemaRegistry::addCodeStep(QStringLiteral("accounts"), 24, QStringLiteral("il_ilce_ulke"), IlIlceUlkeYukle);
    SchemaRegistry::addCodeStep(QStringLiteral("accounts"), 25, QStringLiteral("telefon_maskeleri"),
                                [](const Db& db) { CariTelefonlariniTemizle(db); });
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
        {"CHFIFO", "CARI_KOD"},
        {"BINDOC", "DOC_REF_ID2", "DOC_GRP = 1"},
    });
    // The cash and offset slip books its stock lines in the warehouse ledger.
    stock::RegisterSchema();
}

} // namespace tornaly::accounts
