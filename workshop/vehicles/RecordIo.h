#pragma once
#include "db/Database.h"

#include <QStringList>
#include <QVariantMap>

namespace tornaly::workshop {

// One row as a map of upper-case column names (PostgreSQL hands names back
// in lower case). Empty when there is no such row.
QVariantMap ReadRow(const Db& db, const QString& statement, const QVariantMap& binds);
QList<QVariantMap> ReadRows(const Db& db, const QString& statement, const QVariantMap& binds = {});

// Writes the given columns of one row of `table`: an INSERT, or an UPDATE of
// the row whose key columns hold the values in `values` (keys of a renamed
// row come from `oldKey`). Column names come from the program, never from
// typed text. Returns the rows changed.
int InsertRow(const Db& db, const QString& table, const QVariantMap& values, const QStringList& columns);
int UpdateRow(const Db& db, const QString& table, const QVariantMap& values, const QStringList& columns,
              const QVariantMap& key);

// Text of a column with surrounding blanks removed (fixed-length columns).
QString Trimmed(const QVariantMap& row, const char* column);

} // namespace tornaly::workshop
