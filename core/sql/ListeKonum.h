#pragma once
#include "sql/SqlHelpers.h"

namespace tornaly {

// The row of an open list whose `field` holds `value` (a card just edited),
// read page by page up to it and no further; -1 when the list holds no such
// row, which one small statement tells without reading the list. `binds` are
// the list's own named values. Throws DbError.
int LocateRow(BoundQueryModel& list, const QVariantMap& binds, const QString& field, const QVariant& value);

} // namespace tornaly
