#pragma once
// The engines' own clients as the reference of every benchmark: the sqlite3 C
// API on SQLite, libpq on PostgreSQL, on the same connection the layer uses.
// Statements are prepared when made (outside the timed loop); inside an
// engine transaction on PostgreSQL the statements are sent in pipeline mode
// and their results read when a value is asked for or at the commit, as a
// client that writes a document in one round trip would.
//
// The calls follow QSqlQuery's (prepare, bindValue, exec, next, value), so
// one benchmark body runs over plain Qt and over the engine.
#include "db/Database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <memory>
#include <vector>

struct pg_conn;
struct pg_result;
struct sqlite3;
struct sqlite3_stmt;

class EngineQuery;

class Engine {
public:
    explicit Engine(const tornaly::Db& db);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    tornaly::Backend backend() const { return m_backend; }
    bool pipelined() const { return m_pipeline; }

    void begin();
    void commit();
    void rollback();

    // One transaction of the engine; rolled back unless committed.
    class Tx {
    public:
        explicit Tx(Engine& e) : m_e(e) { m_e.begin(); }
        ~Tx()
        {
            if (!m_done)
                m_e.rollback();
        }
        void commit()
        {
            m_e.commit();
            m_done = true;
        }

    private:
        Engine& m_e;
        bool m_done = false;
    };
    using Query = EngineQuery;

private:
    friend class EngineQuery;
    void send(EngineQuery* q);
    void sync(); // PostgreSQL pipeline: every sent statement's result is read
    void endTransaction(const char* statement);

    tornaly::Backend m_backend;
    sqlite3* m_lite = nullptr;
    pg_conn* m_pg = nullptr;
    bool m_pipeline = false;
    std::vector<EngineQuery*> m_pending; // nullptr: a statement of the transaction itself
    std::vector<EngineQuery*> m_queries; // every query made on this engine
    sqlite3_stmt* m_begin = nullptr;
    sqlite3_stmt* m_commit = nullptr;
    sqlite3_stmt* m_rollback = nullptr;
};

class EngineQuery {
public:
    explicit EngineQuery(Engine& e);
    EngineQuery(Engine& e, const QString& statement);
    ~EngineQuery();
    EngineQuery(const EngineQuery&) = delete;
    EngineQuery& operator=(const EngineQuery&) = delete;

    // The layer's text with `:NAME` placeholders.
    bool prepare(const QString& statement);
    // `:NAME` or `NAME`.
    void bindValue(const QString& name, const QVariant& value);
    void bindAll(const QVariantMap& binds);
    // `?` placeholders, in order; exec() starts again at the first.
    void addBindValue(const QVariant& value);
    QSqlError lastError() const { return {}; }
    bool exec();
    bool next();
    QVariant value(int column) const;
    // Reads every row of the result, touching each value as a client that
    // shows them would; the number of rows.
    int readAll();
    int rowsAffected() const;
    void setForwardOnly(bool) {}

private:
    friend class Engine;
    void takeResult(pg_result* r);
    void bindAt(int i, const QVariant& raw);
    int m_nextPositional = 0;
    Engine& m_e;
    QStringList m_names;
    // SQLite
    sqlite3_stmt* m_stmt = nullptr;
    std::vector<int> m_liteIndex;
    int m_step = 0;
    bool m_fresh = false;
    // PostgreSQL
    QByteArray m_name;
    std::vector<QByteArray> m_values;
    std::vector<bool> m_null;
    pg_result* m_result = nullptr;
    bool m_waiting = false;
    int m_row = -1;
};

// The plain Qt side of the same bodies.
class QtSide {
public:
    explicit QtSide(const tornaly::Db& db) : m_db(db) {}
    QSqlDatabase sql() const { return m_db.sql(); }
    class Tx {
    public:
        explicit Tx(QtSide& s) : m_tx(s.m_db) {}
        void commit() { m_tx.commit(); }

    private:
        tornaly::Transaction m_tx;
    };
    class Query : public QSqlQuery {
    public:
        explicit Query(QtSide& s) : QSqlQuery(s.sql()) {}
    };
    tornaly::Backend backend() const { return m_db.backend(); }

private:
    tornaly::Db m_db;
};
