#include "InvoicingSchema.h"
#include "workshop/WorkshopSchema.h"
#include "db/Schema.h"
#include "maintenance/VeriOnarim.h"

namespace tornaly::invoicing {

void RegisterSchema()
{
    workshop::RegisterSchema();
    SchemaRegistry::add(QStringLiteral("invoicing"), DatabaseKind::Company);
    // The columns of this area's tables that hold a current-account code (the code rename moves them).
    CariKodKolonlariTanimla(QStringLiteral("invoicing"), {
        {"SERFAT", "MUSTERI_KOD"},   {"SERFAT", "CARI_KOD"},     {"SATIS", "CARIKOD"},
        {"ALIS", "CARIKOD"},         {"ALSIPMAS", "CARI_KODU"},  {"VERSIPMA", "CARI_KODU"},
        {"AALIS", "CARIKOD"},        {"ASATIS", "CARIKOD"},      {"TEKLIF", "CARI_KODU"},
    });
}

} // namespace tornaly::invoicing
