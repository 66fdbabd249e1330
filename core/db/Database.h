#pragma once
#include "db/ConnectionProfile.h"
#include "db/DbError.h"
#include "db/Dialect.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <memory>

namespace tornaly {


// A handle to one open connection. Copies share the connection and its
// transaction state. A handle is used by the thread that opened it only.
class Db {
public:
    Db() = default;

    // Opens (or reopens) the connection named `name`. Throws DbError
    // (ConnectionFailed) when the file or server cannot be reached.
    static Db open(const ConnectionProfile& profile, const QString& name);
    // The connection already open under `name`; an invalid handle when none.
    static Db attach(const QString& name);
    static void close(const QString& name);

    bool isValid() const { return bool(m_state); }
    bool isOpen() const;
    Backend backend() const;
    const ConnectionProfile& profile() const;
    const QString& name() const;
    const Dialect& dialect() const;
    QSqlDatabase sql() const;

    bool inTransaction() const;

    // Runs a statement without result. Values are always bound.
    int exec(const QString& statement, const QVariantMap& binds = {}) const;

    struct State;

private:
    friend class Transaction;
    explicit Db(std::shared_ptr<State> s) : m_state(std::move(s)) {}
    std::shared_ptr<State> m_state;
};

// A prepared statement with bound values. Every failure throws DbError.
class Query {
public:
    explicit Query(const Db& db);
    Query(const Db& db, const QString& statement);

    Query& prepare(const QString& statement);
    // Forward-only (the default) reads rows once; grids need scrolling.
    Query& setForwardOnly(bool on);
    // Binds `:name` (give the name with or without the colon).
    Query& bind(const QString& name, const QVariant& value);
    // Binds the n-th distinct placeholder in order of appearance.
    Query& bindAt(int index, const QVariant& value);
    Query& bindAll(const QVariantMap& binds);
    Query& exec();

    bool next();
    bool first();
    QVariant value(const QString& column) const;
    QVariant value(int column) const;
    QString str(const QString& column) const;
    double num(const QString& column) const;
    qint64 integer(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    QDate date(const QString& column) const;
    bool isNull(const QString& column) const;
    QSqlRecord record() const;
    int rowsAffected() const;
    const QStringList& placeholders() const { return m_placeholders; }
    QSqlQuery& raw() { return m_query; }

    // Values as the database layer binds them: dates and times become text in
    // one fixed form so that both backends compare them the same way.
    static QVariant toDbValue(const QVariant& v, Backend backend);
    static QDateTime toDateTime(const QVariant& v);
    static QDate toDate(const QVariant& v);
    // Distinct `:NAME` placeholders of a statement, in order of appearance,
    // ignoring text inside quotes and `::` casts.
    static QStringList placeholderNames(const QString& statement);

private:
    Db m_db;
    QSqlQuery m_query;
    QString m_statement;
    QStringList m_placeholders;
    bool m_prepared = false;
    bool m_direct = false; // no placeholders: run as plain text (DDL cannot be prepared)
};

// Runs the statements of one operation as one unit. Nested transactions on the
// same connection become savepoints. Rolled back on destruction unless
// committed, so an exception leaves the database as it was.
class Transaction {
public:
    explicit Transaction(const Db& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();
    bool isNested() const { return m_level > 1; }

private:
    Db m_db;
    int m_level = 0;
    bool m_done = false;
};

// Throws DbError classified from a Qt error.
[[noreturn]] void throwDbError(const QSqlError& error, Backend backend, const QString& context = {});
DbError::Kind classifyError(const QSqlError& error, Backend backend);

} // namespace tornaly
