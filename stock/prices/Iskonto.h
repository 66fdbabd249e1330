#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QVariant>
#include <optional>

namespace tornaly::stock {

// The values handed to the discount rule look-up: texts trimmed and null when
// empty, the stock number null when not above 0.
struct IskontoSorgusu {
    QVariant CARI, CGRUP, STOK_NO, ODE_KOD;
};

// The row the discount rule look-up answers with.
struct IskontoKurali {
    QVariant CARI_ISKGRUP, STOK_ISKGRUP;
    double ORAN = 0, ORAN1 = 0, ORAN2 = 0, ORAN3 = 0;
    QVariant FIYAT_TUR; // null: no rule applies
    QString ISLEM;      // "-" discount, anything else a surcharge
    double FIYAT_TL = 0, FIYAT_DOVIZ = 0;
    QString DOVIZ_KOD;
};

// The caller's fields that a rule fills; a null pointer is a field the caller
// does not have. Values are null QVariants where the rule clears them.
struct IskontoAlanlari {
    QVariant* doviz = nullptr;
    QVariant* iskonto = nullptr;
    QVariant* dovizFiyat = nullptr;
    QVariant* tlFiyat = nullptr;
};

IskontoSorgusu IskontoSorgusuHazirla(const QString& CARI, const QString& CGRUP, const QString& ODE_KOD,
                                    double STOK_NO);
// Puts a found rule into the caller's fields; a rule without FIYAT_TUR changes nothing.
void IskontoUygula(const SessionContext& ctx, const IskontoKurali& kural, IskontoAlanlari& alanlar);

// The discount or special price of the most specific rule (ISKKURAL) for the
// customer, its group, the payment kind and the part, put into `alanlar`.
void GetIskonto(const SessionContext& ctx, const Db& db, const QString& CARI, const QString& CGRUP,
                const QString& ODE_KOD, IskontoAlanlari& alanlar, double STOK_NO);

} // namespace tornaly::stock
