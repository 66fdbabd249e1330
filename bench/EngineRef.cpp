#include "EngineRef.h"
#include "db/Statement.h"

#include <QSqlDriver>
#include <libpq-fe.h>
#include <sqlite3.h>

using namespace tornaly;

namespace {

void* engineNativeHandle(const Db& db)
{
    const QVariant h = db.sql().driver()->handle();
    return *static_cast<void* const*>(h.constData());
}

[[noreturn]] void engineFail(const char* what, const char* message)
{
    qFatal("engine reference: %s: %s", what, message);
}

sqlite3_stmt* engineLitePrepare(sqlite3* h, const QByteArray& sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v3(h, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
        engineFail(sql.constData(), sqlite3_errmsg(h));
    return st;
}

void engineLiteRun(sqlite3* h, sqlite3_stmt* st)
{
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        engineFail(sqlite3_sql(st), sqlite3_errmsg(h));
}

void enginePgCheck(PGresult* r, const char* what)
{
    const ExecStatusType s = PQresultStatus(r);
    if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK && s != PGRES_PIPELINE_SYNC)
        engineFail(what, PQresultErrorMessage(r));
}

} // namespace

Engine::Engine(const Db& db) : m_backend(db.backend())
{
    if (m_backend == Backend::SQLite) {
        m_lite = static_cast<sqlite3*>(engineNativeHandle(db));
        m_begin = engineLitePrepare(m_lite, "BEGIN IMMEDIATE");
        m_commit = engineLitePrepare(m_lite, "COMMIT");
        m_rollback = engineLitePrepare(m_lite, "ROLLBACK");
    } else {
        m_pg = static_cast<PGconn*>(engineNativeHandle(db));
    }
}

Engine::~Engine()
{
    for (sqlite3_stmt* s : {m_begin, m_commit, m_rollback})
        if (s)
            sqlite3_finalize(s);
}

void Engine::begin()
{
    if (m_lite) {
        engineLiteRun(m_lite, m_begin);
        return;
    }
    if (PQenterPipelineMode(m_pg) != 1)
        engineFail("pipeline", PQerrorMessage(m_pg));
    m_pipeline = true;
    if (!PQsendQueryParams(m_pg, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0))
        engineFail("BEGIN", PQerrorMessage(m_pg));
    m_pending.push_back(nullptr);
}

void Engine::endTransaction(const char* statement)
{
    if (!PQsendQueryParams(m_pg, statement, 0, nullptr, nullptr, nullptr, nullptr, 0))
        engineFail(statement, PQerrorMessage(m_pg));
    m_pending.push_back(nullptr);
    sync();
    if (PQexitPipelineMode(m_pg) != 1) {
        while (PGresult* r = PQgetResult(m_pg))
            PQclear(r);
        if (PQexitPipelineMode(m_pg) != 1)
            engineFail("pipeline", PQerrorMessage(m_pg));
    }
    m_pipeline = false;
}

void Engine::commit()
{
    if (m_lite) {
        for (EngineQuery* q : m_queries) // a read left on a row ends before the commit
            if (q->m_stmt)
                sqlite3_reset(q->m_stmt);
        engineLiteRun(m_lite, m_commit);
    }
    else
        endTransaction("COMMIT");
}

void Engine::rollback()
{
    if (m_lite) {
        for (EngineQuery* q : m_queries)
            if (q->m_stmt)
                sqlite3_reset(q->m_stmt);
        engineLiteRun(m_lite, m_rollback);
    }
    else
        endTransaction("ROLLBACK");
}

void Engine::send(EngineQuery* q)
{
    m_pending.push_back(q);
}

void Engine::sync()
{
    if (m_pending.empty())
        return;
    if (PQpipelineSync(m_pg) != 1)
        engineFail("sync", PQerrorMessage(m_pg));
    for (EngineQuery* q : m_pending) {
        PGresult* r = PQgetResult(m_pg);
        enginePgCheck(r, q ? q->m_name.constData() : "transaction");
        if (q)
            q->takeResult(r);
        else
            PQclear(r);
        while (PGresult* extra = PQgetResult(m_pg)) // the NULL that ends each statement's results
            PQclear(extra);
    }
    m_pending.clear();
    PGresult* s = PQgetResult(m_pg);
    if (PQresultStatus(s) != PGRES_PIPELINE_SYNC)
        engineFail("sync", PQresultErrorMessage(s));
    PQclear(s);
}

EngineQuery::EngineQuery(Engine& e) : m_e(e)
{
    m_e.m_queries.push_back(this);
}

EngineQuery::EngineQuery(Engine& e, const QString& statement) : EngineQuery(e)
{
    prepare(statement);
}

EngineQuery::~EngineQuery()
{
    std::erase(m_e.m_queries, this);
    if (m_stmt)
        sqlite3_finalize(m_stmt);
    if (m_result)
        PQclear(m_result);
    if (m_e.m_pg && !m_name.isEmpty() && !m_e.m_pipeline)
        PQclear(PQexec(m_e.m_pg, "DEALLOCATE " + m_name));
}

bool EngineQuery::prepare(const QString& statement)
{
    const PlaceholderScan scan = scanPlaceholders(statement);
    m_names = scan.names;
    QString text = statement;
    if (m_names.isEmpty()) {
        // `?` placeholders: SQLite takes them as they are, PostgreSQL numbered.
        QString numbered;
        bool quoted = false;
        for (const QChar c : statement) {
            if (c == QLatin1Char('\''))
                quoted = !quoted;
            if (c == QLatin1Char('?') && !quoted) {
                m_names << QString::number(m_names.size());
                numbered += QLatin1Char('$') + QString::number(m_names.size());
            } else {
                numbered += c;
            }
        }
        if (m_e.m_pg)
            text = numbered;
    } else if (m_e.m_pg) {
        text = positionalStatement(statement, scan, Backend::PostgreSQL);
    }
    if (m_e.m_lite) {
        m_stmt = engineLitePrepare(m_e.m_lite, text.toUtf8());
        for (int i = 0; i < m_names.size(); ++i)
            m_liteIndex.push_back(scan.names.isEmpty()
                                      ? i + 1
                                      : sqlite3_bind_parameter_index(
                                            m_stmt, (QLatin1Char(':') + m_names.at(i)).toUtf8().constData()));
        return true;
    }
    static int counter = 0;
    m_name = "engine_ref_" + QByteArray::number(++counter);
    const QByteArray utf8 = text.toUtf8();
    PGresult* r = PQprepare(m_e.m_pg, m_name.constData(), utf8.constData(), 0, nullptr);
    enginePgCheck(r, utf8.constData());
    PQclear(r);
    m_values.assign(m_names.size(), QByteArray());
    m_null.assign(m_names.size(), true);
    return true;
}

void EngineQuery::bindValue(const QString& name, const QVariant& raw)
{
    const QString key = name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
    const int i = m_names.indexOf(key);
    if (i < 0)
        engineFail("bind", key.toUtf8().constData());
    bindAt(i, raw);
}

void EngineQuery::addBindValue(const QVariant& value)
{
    bindAt(m_nextPositional++, value);
}

void EngineQuery::bindAt(int i, const QVariant& raw)
{
    const QVariant v = Query::toDbValue(raw, m_e.m_backend);
    if (m_stmt) {
        const int p = m_liteIndex[i];
        if (v.isNull()) {
            sqlite3_bind_null(m_stmt, p);
            return;
        }
        switch (v.typeId()) {
        case QMetaType::Double: case QMetaType::Float:
            sqlite3_bind_double(m_stmt, p, v.toDouble());
            break;
        case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
        case QMetaType::Short: case QMetaType::Long: case QMetaType::Bool:
            sqlite3_bind_int64(m_stmt, p, v.toLongLong());
            break;
        default: {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(m_stmt, p, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
        return;
    }
    m_null[i] = v.isNull();
    switch (v.typeId()) {
    case QMetaType::Double: case QMetaType::Float:
        m_values[i] = QByteArray::number(v.toDouble(), 'g', 17);
        break;
    case QMetaType::Bool:
        m_values[i] = v.toBool() ? "t" : "f";
        break;
    default:
        m_values[i] = v.toString().toUtf8();
    }
}

void EngineQuery::bindAll(const QVariantMap& binds)
{
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        bindValue(it.key(), it.value());
}

bool EngineQuery::exec()
{
    m_nextPositional = 0;
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        m_step = sqlite3_step(m_stmt);
        if (m_step != SQLITE_ROW && m_step != SQLITE_DONE)
            engineFail(sqlite3_sql(m_stmt), sqlite3_errmsg(m_e.m_lite));
        m_fresh = true;
        if (m_step == SQLITE_DONE)
            sqlite3_reset(m_stmt);
        return true;
    }
    std::vector<const char*> values(m_values.size());
    for (size_t i = 0; i < m_values.size(); ++i)
        values[i] = m_null[i] ? nullptr : m_values[i].constData();
    m_row = -1;
    if (m_e.m_pipeline) {
        if (!PQsendQueryPrepared(m_e.m_pg, m_name.constData(), int(values.size()), values.data(), nullptr, nullptr, 0))
            engineFail(m_name.constData(), PQerrorMessage(m_e.m_pg));
        m_waiting = true;
        m_e.send(this);
        return true;
    }
    PGresult* r = PQexecPrepared(m_e.m_pg, m_name.constData(), int(values.size()), values.data(), nullptr, nullptr, 0);
    enginePgCheck(r, m_name.constData());
    takeResult(r);
    return true;
}

void EngineQuery::takeResult(pg_result* r)
{
    if (m_result)
        PQclear(m_result);
    m_result = r;
    m_waiting = false;
    m_row = -1;
}

bool EngineQuery::next()
{
    if (m_stmt) {
        if (m_fresh) {
            m_fresh = false;
            return m_step == SQLITE_ROW;
        }
        if (m_step != SQLITE_ROW)
            return false;
        m_step = sqlite3_step(m_stmt);
        if (m_step != SQLITE_ROW)
            sqlite3_reset(m_stmt);
        return m_step == SQLITE_ROW;
    }
    if (m_waiting)
        m_e.sync();
    return m_result && ++m_row < PQntuples(m_result);
}

QVariant EngineQuery::value(int column) const
{
    if (m_stmt) {
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, column));
        case SQLITE_NULL: return QVariant();
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                                     sqlite3_column_bytes(m_stmt, column));
        }
    }
    if (!m_result || PQgetisnull(m_result, m_row, column))
        return QVariant();
    return QString::fromUtf8(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column));
}

int EngineQuery::readAll()
{
    int rows = 0;
    qint64 touched = 0;
    if (m_stmt) {
        const int columns = sqlite3_column_count(m_stmt);
        while (next()) {
            ++rows;
            for (int c = 0; c < columns; ++c)
                touched += sqlite3_column_type(m_stmt, c) == SQLITE_TEXT ? sqlite3_column_bytes(m_stmt, c)
                                                                         : qint64(sqlite3_column_double(m_stmt, c));
        }
    } else {
        if (m_waiting)
            m_e.sync();
        const int columns = PQnfields(m_result);
        for (m_row = 0; m_row < PQntuples(m_result); ++m_row, ++rows)
            for (int c = 0; c < columns; ++c)
                touched += PQgetlength(m_result, m_row, c) + (*PQgetvalue(m_result, m_row, c));
    }
    asm volatile("" : : "r"(touched) : "memory");
    return rows;
}

int EngineQuery::rowsAffected() const
{
    if (m_stmt)
        return sqlite3_changes(m_e.m_lite);
    return m_result ? QByteArray(PQcmdTuples(m_result)).toInt() : 0;
}
