#pragma once
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tornaly {

// A column copied into a history table, with its portable SQL type.
struct ChangeLogColumn {
    QString name;
    QString type;
};

// The statements that create "CLOG_" + table and the triggers that fill it on
// insert (LOG_STATE 0), update (1) and delete (2) with the time of the change
// and the writing user. Migrations of the logged tables carry this output.
QStringList ChangeLogDdl(Backend backend, const QString& table, const QList<ChangeLogColumn>& columns);

// Creates the history table and triggers of one table in a database that does
// not have them yet (the maintenance option that switches history on).
void EnableChangeLog(const Db& db, const QString& table, const QList<ChangeLogColumn>& columns);

// Empties the history tables of one kind (those that exist) as one unit:
// a failure leaves every table as it was.
void ClearChangeLogTables(const Db& db, const QStringList& tables);

// The user that the history triggers record for this connection's changes.
void SetChangeLogUser(const Db& db, const QString& user);

} // namespace tornaly
