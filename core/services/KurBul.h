#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"

#include <QDate>
#include <QDateTime>
#include <optional>

namespace tornaly {

// One KURDEGER row: the selling and buying rates entered at a time.
struct KurKaydi {
    double satis = 0;
    double alis = 0;
    QDateTime tarih;
};

// The latest rate row of a currency before `sinir`, or at `sinir` too when
// `sinirDahil`; nullopt when the currency has none. Every rate look-up is
// built on it; each caller keeps its own rule for the day and the "no rate" case.
std::optional<KurKaydi> SonKurKaydi(const Db& db, const QString& doviz, const QDateTime& sinir, bool sinirDahil);

// The rate of a currency that holds on a day: the latest KURDEGER row up to
// the end of that day. AlisTanmi 1 reads the buying rate, any other value the
// selling rate. nullopt when the currency has no such row or its rate is 0;
// the local currency is always 1.
std::optional<double> KurBul(const SessionContext& ctx, const Db& db, const QString& DoviziNe, int AlisTanmi,
                             const QDate& TarihiNe);

// The same look-up with the central data module's contract: 1 when no rate
// is found. `bulundu` tells the caller whether a rate (or the local currency)
// was found, so that a foreign amount is never booked at 1 by accident.
double KurBulDeger(const SessionContext& ctx, const Db& db, const QString& DoviziNe, int AlisTanmi,
                   const QDate& TarihiNe, bool* bulundu = nullptr);

// Whether a currency code names the local currency (an empty code counts too).
bool YerelParaMi(const SessionContext& ctx, const QString& dovizKodu);

// "USD kuru bulunamadı (dd.MM.yyyy)..." for forms that refuse a document.
QString KurYokMesaji(const QString& dovizKodu, const QDate& tarih);

} // namespace tornaly
