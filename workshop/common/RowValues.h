#pragma once
#include "db/Database.h"
#include "money/Money.h"

#include <QString>
#include <QVariantMap>

// Small readers shared by the workshop's line and form units: the library's
// sources are compiled in batches, so each file cannot keep its own copy.
namespace tornaly::workshop::rowvals {

inline QString K(const char* s) { return QString::fromLatin1(s); }
inline QString str(const QVariantMap& r, const char* c) { return r.value(K(c)).toString().trimmed(); }
inline double num(const QVariantMap& r, const char* c) { return r.value(K(c)).toDouble(); }
inline QString para(double v) { return FormatMoney(v, QStringLiteral(",0.00")); }
// A stored date or time as the prints show it ("31.12.2026", "14:05"); empty when none.
inline QString tarihMetni(const QVariant& v)
{
    const QDateTime t = Query::toDateTime(v);
    return t.isValid() ? t.date().toString(QStringLiteral("dd.MM.yyyy")) : QString();
}
inline QString saatMetni(const QVariant& v)
{
    const QDateTime t = Query::toDateTime(v);
    return t.isValid() ? t.time().toString(QStringLiteral("HH:mm")) : QString();
}
// Customer pays (M), customer-paid warranty (K) and damage (D) lines are billed to the customer.
inline bool musteriOder(const QString& garantiTipi)
{
    return garantiTipi == QLatin1String("M") || garantiTipi == QLatin1String("K") || garantiTipi == QLatin1String("D");
}

} // namespace tornaly::workshop::rowvals
