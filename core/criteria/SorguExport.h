#pragma once
#include <QString>

class QAbstractItemModel;

namespace tornaly {

// Any open query of a list to a spreadsheet: a header row of the fields'
// captions, then one row per record with the text the grid shows; the file
// is written in the user's own folder and opened for the user. Returns its path.
QString SorguExceleAktar(const QAbstractItemModel& query);

} // namespace tornaly
