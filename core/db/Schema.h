#pragma once
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tornaly {

// Which database a schema module belongs to.
enum class DatabaseKind {
    Company,   // one company and working year
    Catalogue, // the companies catalogue
    Central    // the stand-in for the distributor's central server
};

// Each subsystem library registers its schema module once; its SQL files are
// embedded as resources under :/schema/<module>/ and named NNN_what.sql, with
// optional dialect files NNN_what.sqlite.sql and NNN_what.pg.sql. Modules are
// applied in registration order, so a library registers its dependencies first.
class SchemaRegistry {
public:
    static void add(const QString& module, DatabaseKind kind);
    static QStringList modules(DatabaseKind kind);
    // A step that SQL cannot express (hashing stored passwords, say): run
    // after the SQL of the same version, in that step's transaction.
    static void addCodeStep(const QString& module, int version, const QString& name,
                            std::function<void(const Db&)> code);
};

struct SchemaStep {
    int version = 0;
    QString name{};
    QString sql{};
    std::function<void(const Db&)> code{}; // empty for a step of SQL alone
};

// The steps of one module for one backend, in version order.
QList<SchemaStep> schemaSteps(const QString& module, Backend backend);

// Splits a script into statements: `;` ends one, except inside quotes,
// $$-quoted bodies and CREATE TRIGGER ... END blocks.
QStringList splitSqlScript(const QString& script);

// Brings a database up to the newest version of every module of `kind`.
// Each step runs in its own transaction: a failing step leaves the database
// at the previous version and throws DbError.
void ApplyMigrations(const Db& db, DatabaseKind kind);
// The version of a module in a database, 0 when never applied.
int SchemaVersion(const Db& db, const QString& module);
// Applies the steps of one module above its current version (ApplyMigrations
// uses it; tests give it steps of their own).
void ApplySchemaSteps(const Db& db, const QString& module, const QList<SchemaStep>& steps);

// Creates an empty database (SQLite file or PostgreSQL database) and applies
// the modules of `kind`. Throws DbError when it exists already or cannot be made.
void CreateDatabase(const ConnectionProfile& profile, DatabaseKind kind);
// Creates an empty database with no schema (a restore fills it). Throws
// DbError when it exists already or cannot be made.
void CreateEmptyDatabase(const ConnectionProfile& profile);
// Whether the database of a profile exists (file or server database).
bool DatabaseExists(const ConnectionProfile& profile);
// Removes a database (tests and failed creations).
void DropDatabase(const ConnectionProfile& profile);

} // namespace tornaly
