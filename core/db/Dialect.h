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
    QString blobType() const;
    QString identityType() const;  // an auto-numbered integer primary key
    // Replaces the schema tokens {{BLOB}}, {{IDENTITY}}, {{NOW}}.
    QString expandSchemaTokens(const QString& sql) const;

    static QString escapeLike(const QString& typed);
    // Turkish upper and lower case, as the user expects (i/İ, ı/I).
    static QString turkishUpper(const QString& s);
    static QString turkishLower(const QString& s);

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
