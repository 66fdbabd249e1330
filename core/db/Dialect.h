#pragma once
#include "db/ConnectionProfile.h"

#include <QString>
#include <QStringList>

namespace tornaly {

class Db;

// The few places where SQLite and PostgreSQL differ. Everything else is one SQL.
class Dialect {
public:
    explicit Dialect(Backend b) : m_backend(b) {}
    Backend backend() const { return m_backend; }

    // Dates and times are kept as "yyyy-MM-dd HH:mm:ss.zzz" text on SQLite
    // (a date is midnight of its day), so they compare as text.
    // Expression for the server's local date and time.
    QString nowExpr() const;
    // Date expression `expr` moved by `daysExpr` whole days (both SQL expressions).
    QString addDaysExpr(const QString& expr, const QString& daysExpr) const;
    // Expression for the date part of a timestamp expression, as a date.
    QString dateOnlyExpr(const QString& expr) const;
    // Month (1-12) and year of a date or timestamp expression, as integers.
    QString monthExpr(const QString& expr) const;
    QString yearExpr(const QString& expr) const;
    // Appended to a SELECT to hold its rows for the rest of the transaction:
    // " FOR UPDATE" on PostgreSQL; nothing on SQLite, whose write transaction
    // (BEGIN IMMEDIATE) holds the whole database already.
    QString rowLockSuffix() const;
    // INSERT ... ON CONFLICT (keys) DO UPDATE: columns bound as :COLUMN.
    QString upsert(const QString& table, const QStringList& keyColumns,
                   const QStringList& columns) const;
    // Turkish case-insensitive LIKE of a column against a bound pattern.
    // The pattern must be escaped with escapeLike; `%` the caller adds stays a wildcard.
    QString ciLike(const QString& columnExpr, const QString& param) const;
    // Turkish upper-case of an expression (i -> İ, ı -> I).
    QString upperExpr(const QString& expr) const;
    // Expression for the user the change-history triggers record. Each
    // connection has its own (a session setting on PostgreSQL, a function of
    // the connection on SQLite), so workstations never record each other.
    QString historyUserExpr() const;
    void setHistoryUser(const Db& db, const QString& user) const;
    // Statements that define TR_UPPER and TR_LOWER on the server (PostgreSQL;
    // SQLite gets them from the connection). They translate the Turkish and
    // other Latin letters explicitly, so that the folding does not depend on
    // the database's LC_CTYPE (under "C" UPPER() changes only a-z).
    QStringList caseFoldingFunctions() const;
    QString blobType() const;
    QString identityType() const;  // an auto-numbered integer primary key
    // Replaces the schema tokens {{BLOB}}, {{IDENTITY}}, {{NOW}}.
    QString expandSchemaTokens(const QString& sql) const;

    static QString escapeLike(const QString& typed);
    // Turkish upper and lower case, as the user expects (i/İ, ı/I).
    static QString turkishUpper(const QString& s);
    static QString turkishLower(const QString& s);

    // Inside a transaction: waits until no other session changes the schema
    // (PostgreSQL takes an advisory lock held to the end of the transaction;
    // SQLite's write transaction already excludes every other writer).
    void lockSchemaChanges(const Db& db) const;

    bool tableExists(const Db& db, const QString& table) const;
    bool columnExists(const Db& db, const QString& table, const QString& column) const;
    // Whether `index` exists on `table` and is unique.
    bool isIndexUnique(const Db& db, const QString& table, const QString& index) const;
    // An SQL identifier we build a statement from: letters, digits and _ only.
    static bool isPlainIdentifier(const QString& name);

private:
    Backend m_backend;
};

} // namespace tornaly
