#include "criteria/SorguExport.h"

#include "dm/DataTransfer.h"

namespace tornaly {

// The list export and the import module's spreadsheet copy are one routine.
QString SorguExceleAktar(const QAbstractItemModel& query) { return ExceleAktar(query); }

} // namespace tornaly
