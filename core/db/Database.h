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
#include <vector>

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
    // Forgets the prepared statements kept for this connection.
    void clearStatementCache() const;

    // Runs a statement without result. Values are always bound.
    int exec(const QString& statement, const QVariantMap& binds = {}) const;

    struct State;

private:
    friend class Transaction;
    friend class Query;
    friend class BatchInsert;
    explicit Db(std::shared_ptr<State> s) : m_state(std::move(s)) {}
    // The connection's own client handle (sqlite3*, PGconn*); null when closed.
    void* nativeHandle() const;
    std::shared_ptr<State> m_state;
};

class Statement;
struct PlaceholderScan;

// A prepared statement with bound values. Every failure throws DbError.
// Statements are kept prepared per connection: a Query over a text the
// connection has run before takes the prepared statement over, and gives it
// back when it ends.
class Query {
public:
    explicit Query(const Db& db);
    Query(const Db& db, const QString& statement);
    ~Query();
    Query(Query&&) noexcept;
    Query& operator=(Query&&) = delete;
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& prepare(const QString& statement);
    // Kept for callers that asked for scrolling; every result can be read once, in order.
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
    // The result's fields, with the current row's values when on a row.
    QSqlRecord record() const;
    // The column of a field of the result (names compare without case), -1 when none.
    int indexOf(const QString& column) const;
    int rowsAffected() const;
    const QStringList& placeholders() const { return m_placeholders; }
    // Releases the result (and the locks a pending read holds) before the Query ends.
    void finish();

    // Values as the database layer binds them: dates and times become text in
    // one fixed form so that both backends compare them the same way.
    static QVariant toDbValue(const QVariant& v, Backend backend);
    static QDateTime toDateTime(const QVariant& v);
    static QDate toDate(const QVariant& v);
    // Distinct `:NAME` placeholders of a statement, in order of appearance,
    // ignoring text inside quotes and `::` casts.
    static QStringList placeholderNames(const QString& statement);

private:
    void release();

    Db m_db;
    QString m_statement;
    QStringList m_placeholders;
    std::vector<QVariant> m_values;
    std::unique_ptr<Statement> m_stmt;
    quint64 m_generation = 0;
    int m_row = -1;
    bool m_prepared = false;
    bool m_schemaChange = false; // CREATE, ALTER or DROP: kept statements are forgotten after it
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
