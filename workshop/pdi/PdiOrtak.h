#pragma once
#include "workshop/common/RowValues.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

// Small readers the PDI units share (the library's sources are compiled in
// batches, so each file cannot keep its own copy).
namespace tornaly::workshop::pdiortak {

using rowvals::K;
inline QString metin(const QVariantMap& r, const char* c) { return r.value(K(c)).toString().trimmed(); }
// Empty texts of optional columns are stored as NULL.
inline QVariant bosIseNull(const QVariant& v)
{
    if ((v.typeId() == QMetaType::QString || !v.isValid()) && v.toString().trimmed().isEmpty())
        return QVariant();
    return v.typeId() == QMetaType::QString ? QVariant(v.toString().trimmed()) : v;
}

} // namespace tornaly::workshop::pdiortak
