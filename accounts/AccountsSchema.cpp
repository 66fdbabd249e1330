#include "AccountsSchema.h"
#include "CoreSchema.h"
#include "accounts/cards/CariKart.h"
#include "accounts/codes/CariKodlari.h"
#include "db/Schema.h"

namespace tornaly::accounts {

void RegisterSchema()
{
    core::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("accounts"), DatabaseKind::Company);
    SchemaRegistry::addCodeStep(QStringLiteral("accounts"), 24, QStringLiteral("il_ilce_ulke"), IlIlceUlkeYukle);
    SchemaRegistry::addCodeStep(QStringLiteral("accounts"), 25, QStringLiteral("telefon_maskeleri"),
                                [](const Db& db) { CariTelefonlariniTemizle(db); });
}

} // namespace tornaly::accounts
