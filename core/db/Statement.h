#pragma once
#include "db/ConnectionProfile.h"

#include <QByteArray>
#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tornaly {

// The engine under `Query`: statements run on the connection's own client
// library (sqlite3, libpq) rather than through the Qt drivers, which prepare,
// run and throw away a statement on every call and convert each value twice.
// Internal to the database layer.
class Statement {
public:
    virtual ~Statement() = default;
    // Values are already in the layer's database form (Query::toDbValue).
    virtual void exec(const std::vector<QVariant>& values) = 0;
    virtual bool next() = 0;
    virtual QVariant value(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    // Field names and types of the result (no values).
    virtual const QSqlRecord& record() = 0;
    virtual int rowsAffected() const = 0;
    // Releases the result and any lock it holds; the statement stays prepared.
    virtual void finish() = 0;
    // False once the statement can no longer be run as prepared (dropped by the server).
    virtual bool reusable() const { return true; }
    // False for a statement sent unnamed: kept, it would never be prepared.
    virtual bool worthKeeping() const { return true; }
    // The connection is gone: the statement ends without a word to it.
    virtual void detach() = 0;

    // The value list of the Query running the statement, kept with it between
    // Queries so that a posting per row allocates none.
    std::vector<QVariant> values;
    // Where the cache keeps the statement's text (valid for the cache generation
    // the statement was taken in): given back without a second look-up.
    void* cacheSlot = nullptr;
    // Where the Query looks first for the next name it binds.
    int nextBind = 0;
};

// Where `:NAME` placeholders stand in a statement, skipping quoted text,
// comments and `::` casts.
struct PlaceholderUse {
    int pos = 0;
    int length = 0; // with the colon
    int index = 0;  // among the distinct names
};
struct PlaceholderScan {
    QStringList names; // distinct, in order of appearance
    std::vector<PlaceholderUse> uses;
};
PlaceholderScan scanPlaceholders(const QString& statement);
// The statement with each `:NAME` replaced by the backend's positional marker.
QString positionalStatement(const QString& statement, const PlaceholderScan& scan, Backend backend);

// Prepared statements kept per connection, keyed by their text. A statement
// is taken out while a Query uses it and given back when the Query ends, so
// two Queries never share one.
class StatementCache {
public:
    StatementCache(Backend backend, void* handle) : m_backend(backend), m_handle(handle) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    struct Entry {
        std::unique_ptr<Statement> statement;
        quint64 generation = 0;
        QStringList names; // the distinct placeholders, in order
    };
    // A prepared statement for `text` (the layer's own text with `:NAME`s).
    Entry take(const QString& text);
    void giveBack(const QString& text, Entry entry);
    // Forgets every kept statement (after a schema change on this connection).
    void clear();
    // Runs statements without parameters or result (transaction control, DDL).
    void execDirect(const QString& statement);
    bool inTransaction() const;
    // PostgreSQL: an error ended the open transaction's work; only a rollback is accepted.
    bool transactionFailed() const;
    Backend backend() const { return m_backend; }
    void* handle() const { return m_handle; }
    // The connection is closing: kept statements are dropped without a word to the server.
    void detach();

    static constexpr int MaxKept = 256;

private:
    Backend m_backend;
    void* m_handle;
    quint64 m_generation = 1;
    int m_kept = 0;
    quint64 m_nextName = 0;
    struct Idle {
        QStringList names;
        std::vector<std::unique_ptr<Statement>> statements;
    };
    std::unordered_map<QString, Idle> m_idle;
    // Texts taken lately, by the address of their characters. Only texts whose
    // characters the kept key shares (literals, or the very string first
    // given) are remembered: that address cannot then hold another text while
    // the key lives, so an equal address means an equal text and the hash of a
    // long statement is skipped on every posting.
    struct Recent {
        const QChar* data = nullptr;
        qsizetype size = 0;
        Idle* idle = nullptr;
    };
    static constexpr int RecentKept = 8;
    Recent m_recent[RecentKept];
    int m_recentNext = 0;
    Idle* findIdle(const QString& text);
    // Texts run once: PostgreSQL prepares a text by name from its second run on.
    QHash<QString, bool> m_seen;
};

// Reads a timestamp or date in the layer's text form ("yyyy-MM-dd HH:mm:ss.zzz",
// also with microseconds or without fractions); invalid when it is none.
QDateTime parseDbTimestamp(const char* s, int n);

} // namespace tornaly
