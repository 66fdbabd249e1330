#include "db/Statement.h"
#include "db/Database.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlField>

#include <QStringEncoder>

#include <cstdlib>
#include <cstring>
#include <string>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace tornaly {

// ---------------------------------------------------------------------------
// Placeholders

PlaceholderScan scanPlaceholders(const QString& statement)
{
    PlaceholderScan scan;
    const int n = int(statement.size());
    const QChar* s = statement.constData();
    QChar quote;
    for (int i = 0; i < n; ++i) {
        const QChar c = s[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            while (i < n && s[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c != QLatin1Char(':'))
            continue;
        if (i + 1 < n && s[i + 1] == QLatin1Char(':')) {
            ++i; // a cast
            continue;
        }
        if (i > 0 && s[i - 1] == QLatin1Char(':'))
            continue;
        int j = i + 1;
        while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
            ++j;
        if (j > i + 1) {
            const QString name = statement.mid(i + 1, j - i - 1);
            int index = int(scan.names.indexOf(name, 0));
            if (index < 0) {
                for (int k = 0; k < scan.names.size(); ++k)
                    if (scan.names.at(k).compare(name, Qt::CaseInsensitive) == 0)
                        index = k;
            }
            if (index < 0) {
                index = int(scan.names.size());
                scan.names << name;
            }
            scan.uses.push_back({i, j - i, index});
            i = j - 1;
        }
    }
    return scan;
}

QString positionalStatement(const QString& statement, const PlaceholderScan& scan, Backend backend)
{
    if (scan.uses.empty())
        return statement;
    QString out;
    out.reserve(statement.size() + 8);
    int from = 0;
    const QLatin1Char marker(backend == Backend::SQLite ? '?' : '$');
    for (const PlaceholderUse& u : scan.uses) {
        out += QStringView(statement).mid(from, u.pos - from);
        out += marker;
        out += QString::number(u.index + 1);
        from = u.pos + u.length;
    }
    out += QStringView(statement).mid(from);
    return out;
}

// ---------------------------------------------------------------------------
// Timestamps

namespace {

bool digits(const char* s, int n, int& out)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        v = v * 10 + (s[i] - '0');
    }
    out = v;
    return true;
}

} // namespace

QDateTime parseDbTimestamp(const char* s, int n)
{
    int y, mo, d, h = 0, mi = 0, sec = 0, ms = 0;
    if (n < 10 || s[4] != '-' || s[7] != '-' || !digits(s, 4, y) || !digits(s + 5, 2, mo) || !digits(s + 8, 2, d))
        return {};
    if (n >= 19) {
        if ((s[10] != ' ' && s[10] != 'T') || s[13] != ':' || s[16] != ':' || !digits(s + 11, 2, h)
            || !digits(s + 14, 2, mi) || !digits(s + 17, 2, sec))
            return {};
        if (n > 20 && s[19] == '.') {
            int frac = 0, len = 0;
            for (int i = 20; i < n && s[i] >= '0' && s[i] <= '9'; ++i, ++len)
                if (len < 3)
                    frac = frac * 10 + (s[i] - '0');
            for (int k = len; k < 3; ++k)
                frac *= 10;
            ms = frac;
        }
    } else if (n != 10) {
        return {};
    }
    const QDate date(y, mo, d);
    const QTime time(h, mi, sec, ms);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

namespace {

[[noreturn]] void fail(Backend backend, const QString& text, const QString& code, const QString& statement)
{
    throwDbError(QSqlError(QString(), text, QSqlError::StatementError, code), backend, statement);
}

// ---------------------------------------------------------------------------
// SQLite

enum class Decl { Unknown, Integer, Real, Text, Blob, Bool, Timestamp, Date };

Decl declOf(const char* decl)
{
    if (!decl)
        return Decl::Unknown;
    const QByteArray t = QByteArray(decl).toUpper();
    if (t.startsWith("TIMESTAMP") || t.startsWith("DATETIME"))
        return Decl::Timestamp;
    if (t == "DATE")
        return Decl::Date;
    if (t.startsWith("BOOL"))
        return Decl::Bool;
    if (t.contains("INT"))
        return Decl::Integer;
    if (t.contains("REAL") || t.contains("FLOA") || t.contains("DOUB") || t.contains("NUMERIC") || t.contains("DECIMAL"))
        return Decl::Real;
    if (t.contains("BLOB"))
        return Decl::Blob;
    return Decl::Text;
}

QMetaType metaOf(Decl d)
{
    switch (d) {
    case Decl::Integer: return QMetaType(QMetaType::Int);
    case Decl::Real: return QMetaType(QMetaType::Double);
    case Decl::Blob: return QMetaType(QMetaType::QByteArray);
    case Decl::Bool: return QMetaType(QMetaType::Bool);
    case Decl::Timestamp: return QMetaType(QMetaType::QDateTime);
    case Decl::Date: return QMetaType(QMetaType::QDate);
    default: return QMetaType(QMetaType::QString);
    }
}

class SqliteStatement final : public Statement {
public:
    // `text` is the layer's own statement (with its `:NAME`s), kept for the
    // error log; `positional` is what the engine runs.
    SqliteStatement(sqlite3* db, const QString& text, const QString& positional) : m_db(db), m_text(text)
    {
        const QByteArray sql = positional.toUtf8();
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v3(db, sql.constData(), int(sql.size()) + 1, SQLITE_PREPARE_PERSISTENT,
                                          &m_stmt, &tail);
        if (rc != SQLITE_OK)
            raise(rc);
        // Several statements in one text (schema scripts): run as a script.
        while (tail && *tail && (*tail == ' ' || *tail == '\n' || *tail == '\t' || *tail == '\r' || *tail == ';'))
            ++tail;
        if (tail && *tail) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            m_script = sql;
        }
        if (m_stmt) {
            m_columns = sqlite3_column_count(m_stmt);
            // One buffer per parameter from the start: a buffer moved later
            // would leave SQLite a pointer to text that is gone.
            m_utf8.resize(size_t(sqlite3_bind_parameter_count(m_stmt)));
        }
    }
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }
    void detach() override { m_stmt = nullptr; }

    void exec(const std::vector<QVariant>& values) override
    {
        m_onRow = m_pending = false;
        m_changes = 0;
        if (!m_stmt) {
            char* err = nullptr;
            if (sqlite3_exec(m_db, m_script.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
                const QString text = QString::fromUtf8(err ? err : "");
                sqlite3_free(err);
                fail(Backend::SQLite, text, QString::number(sqlite3_extended_errcode(m_db)), m_text);
            }
            m_changes = sqlite3_changes(m_db);
            return;
        }
        sqlite3_reset(m_stmt);
        for (int i = 0; i < int(values.size()); ++i)
            bindOne(i + 1, values[size_t(i)]);
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) {
            m_pending = true;
        } else if (rc == SQLITE_DONE) {
            m_changes = sqlite3_changes(m_db);
            sqlite3_reset(m_stmt);
        } else {
            raise(rc);
        }
        const int columns = sqlite3_column_count(m_stmt);
        if (columns != m_columns) { // the schema changed under a kept statement
            m_columns = columns;
            m_recordReady = false;
            m_declsReady = false;
        }
    }

    bool next() override
    {
        if (m_pending) {
            m_pending = false;
            m_onRow = true;
            return true;
        }
        if (!m_onRow)
            return false;
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        m_onRow = false;
        sqlite3_reset(m_stmt);
        if (rc != SQLITE_DONE)
            raise(rc);
        return false;
    }

    bool isNull(int c) const override
    {
        return !m_onRow || c < 0 || c >= m_columns || sqlite3_column_type(m_stmt, c) == SQLITE_NULL;
    }

    QVariant value(int c) const override
    {
        if (!m_onRow || c < 0 || c >= m_columns)
            return {};
        ensureDecls();
        const Decl decl = m_decls[size_t(c)];
        switch (sqlite3_column_type(m_stmt, c)) {
        case SQLITE_NULL:
            return QVariant(metaOf(decl == Decl::Unknown ? Decl::Text : decl));
        case SQLITE_INTEGER: {
            const qint64 v = sqlite3_column_int64(m_stmt, c);
            if (decl == Decl::Real)
                return double(v);
            if (decl == Decl::Bool)
                return v != 0;
            return v;
        }
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_stmt, c);
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, c)), sqlite3_column_bytes(m_stmt, c));
        default: {
            const char* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
            const int n = sqlite3_column_bytes(m_stmt, c);
            // Timestamps are kept as text: the column's declared type makes them
            // the same values PostgreSQL gives.
            if (decl == Decl::Timestamp || decl == Decl::Date) {
                const QDateTime dt = parseDbTimestamp(text, n);
                if (dt.isValid())
                    return decl == Decl::Date ? QVariant(dt.date()) : QVariant(dt);
                if (n == 0)
                    return QVariant(metaOf(decl));
            }
            return QString::fromUtf8(text, n);
        }
        }
    }

    const QSqlRecord& record() override
    {
        if (!m_recordReady) {
            ensureDecls();
            m_record = QSqlRecord();
            for (int c = 0; c < m_columns; ++c) {
                Decl d = m_decls[size_t(c)];
                if (d == Decl::Unknown && (m_onRow || m_pending)) {
                    switch (sqlite3_column_type(m_stmt, c)) {
                    case SQLITE_INTEGER: d = Decl::Integer; break;
                    case SQLITE_FLOAT: d = Decl::Real; break;
                    case SQLITE_BLOB: d = Decl::Blob; break;
                    default: d = Decl::Text; break;
                    }
                }
                m_record.append(QSqlField(QString::fromUtf8(sqlite3_column_name(m_stmt, c)), metaOf(d)));
            }
            m_recordReady = true;
        }
        return m_record;
    }

    int rowsAffected() const override { return m_changes; }

    void finish() override
    {
        if (m_stmt)
            sqlite3_reset(m_stmt);
        m_onRow = m_pending = false;
    }

private:
    void ensureDecls() const
    {
        if (m_declsReady)
            return;
        m_declsReady = true;
        m_decls.resize(size_t(m_columns));
        for (int c = 0; c < m_columns; ++c)
            m_decls[size_t(c)] = declOf(sqlite3_column_decltype(m_stmt, c));
    }

    void bindOne(int i, const QVariant& v)
    {
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, i);
        } else {
            switch (v.typeId()) {
            case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::Char:
            case QMetaType::SChar: case QMetaType::Long: case QMetaType::UChar: case QMetaType::UShort:
            case QMetaType::UInt: case QMetaType::ULong: case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, i, v.toLongLong());
                break;
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(m_stmt, i, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Double: case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, i, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(m_stmt, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QString:
                rc = bindText(i, *static_cast<const QString*>(v.constData()));
                break;
            default:
                rc = bindText(i, v.toString());
                break;
            }
        }
        if (rc != SQLITE_OK)
            raise(rc);
    }

    // Texts go to SQLite as UTF-8, the database's own encoding, written into
    // a buffer the statement keeps per parameter: SQLite would otherwise
    // allocate and convert every UTF-16 text on every row. The buffer holds
    // the text until the parameter is bound again.
    int bindText(int i, QStringView s)
    {
        if (size_t(i) > m_utf8.size()) { // not a parameter of the statement: SQLite answers with the error
            const QByteArray b = s.toUtf8();
            return sqlite3_bind_text(m_stmt, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        }
        std::string& buf = m_utf8[size_t(i - 1)];
        buf.resize(size_t(s.size()) * 3);
        char* end = m_toUtf8.appendToBuffer(buf.data(), s);
        return sqlite3_bind_text(m_stmt, i, buf.data(), int(end - buf.data()), SQLITE_STATIC);
    }

    [[noreturn]] void raise(int rc)
    {
        const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
        const int code = sqlite3_extended_errcode(m_db);
        if (m_stmt)
            sqlite3_reset(m_stmt);
        m_onRow = m_pending = false;
        Q_UNUSED(rc);
        fail(Backend::SQLite, text, QString::number(code), m_text);
    }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_text;
    QByteArray m_script;
    int m_columns = 0;
    int m_changes = 0;
    bool m_pending = false;
    bool m_onRow = false;
    bool m_recordReady = false;
    mutable std::vector<Decl> m_decls;
    mutable bool m_declsReady = false;
    QSqlRecord m_record;
    std::vector<std::string> m_utf8;
    QStringEncoder m_toUtf8{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
};

// ---------------------------------------------------------------------------
// PostgreSQL

constexpr Oid kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700,
              kFloat8 = 701, kDate = 1082, kTime = 1083, kTimestamp = 1114, kTimestampTz = 1184,
              kNumeric = 1700;

QMetaType metaOfOid(Oid t)
{
    switch (t) {
    case kBool: return QMetaType(QMetaType::Bool);
    case kBytea: return QMetaType(QMetaType::QByteArray);
    case kInt8: return QMetaType(QMetaType::LongLong);
    case kInt2: case kInt4: case kOid: return QMetaType(QMetaType::Int);
    case kFloat4: case kFloat8: case kNumeric: return QMetaType(QMetaType::Double);
    case kDate: return QMetaType(QMetaType::QDate);
    case kTime: return QMetaType(QMetaType::QTime);
    case kTimestamp: case kTimestampTz: return QMetaType(QMetaType::QDateTime);
    default: return QMetaType(QMetaType::QString);
    }
}

QString pgErrorText(PGconn* conn, const PGresult* res)
{
    const char* m = res ? PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    QString text = QString::fromUtf8(m ? m : PQerrorMessage(conn)).trimmed();
    return text;
}

QString pgErrorCode(const PGresult* res)
{
    const char* c = res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr;
    return c ? QString::fromLatin1(c) : QString();
}

// Statements PostgreSQL prepares: one statement, no utility statement.
bool pgPreparable(const QString& text)
{
    QStringView body = QStringView(text).trimmed();
    if (body.endsWith(QLatin1Char(';')))
        body.chop(1);
    if (body.contains(QLatin1Char(';')))
        return false;
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    const QStringView head = QStringView(text).mid(i, 7);
    for (const char* k : {"SELECT", "INSERT", "UPDATE", "DELETE", "WITH"})
        if (head.startsWith(QLatin1String(k), Qt::CaseInsensitive))
            return true;
    return false;
}

class PgStatement final : public Statement {
public:
    // `name` empty: run unnamed each time (a text seen once, or one without parameters).
    PgStatement(PGconn* conn, const QString& text, const QString& sql, int params, const QByteArray& name,
                bool preparable)
        : m_conn(conn), m_text(text), m_sql(sql.toUtf8()), m_params(params), m_name(name), m_preparable(preparable)
    {
        if (!m_name.isEmpty())
            prepare();
    }
    ~PgStatement() override
    {
        if (m_res)
            PQclear(m_res);
        if (m_prepared && m_conn && PQstatus(m_conn) == CONNECTION_OK
            && PQtransactionStatus(m_conn) != PQTRANS_INERROR) {
            if (PGresult* r = PQexec(m_conn, ("DEALLOCATE " + m_name).constData()))
                PQclear(r);
        }
    }
    void detach() override { m_conn = nullptr; }

    void exec(const std::vector<QVariant>& values) override
    {
        finish();
        m_affected = 0;
        std::vector<QByteArray> buffers(values.size());
        std::vector<const char*> ptrs(values.size(), nullptr);
        std::vector<int> lengths(values.size(), 0);
        std::vector<int> formats(values.size(), 0);
        for (size_t i = 0; i < values.size(); ++i) {
            const QVariant& v = values[i];
            if (v.isNull())
                continue;
            switch (v.typeId()) {
            case QMetaType::Double: case QMetaType::Float:
                buffers[i] = QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
                break;
            case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::Long:
            case QMetaType::Char: case QMetaType::SChar:
                buffers[i] = QByteArray::number(v.toLongLong());
                break;
            case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::UShort: case QMetaType::UChar:
            case QMetaType::ULong:
                buffers[i] = QByteArray::number(v.toULongLong());
                break;
            case QMetaType::Bool:
                buffers[i] = v.toBool() ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
                break;
            case QMetaType::QByteArray:
                buffers[i] = v.toByteArray();
                formats[i] = 1;
                break;
            default:
                buffers[i] = v.toString().toUtf8();
                break;
            }
            ptrs[i] = buffers[i].constData();
            lengths[i] = int(buffers[i].size());
        }
        for (int attempt = 0;; ++attempt) {
            if (m_params == 0 && m_name.isEmpty())
                m_res = PQexec(m_conn, m_sql.constData());
            else if (m_name.isEmpty())
                m_res = PQexecParams(m_conn, m_sql.constData(), m_params, nullptr, ptrs.data(), lengths.data(),
                                     formats.data(), 0);
            else
                m_res = PQexecPrepared(m_conn, m_name.constData(), m_params, ptrs.data(), lengths.data(),
                                       formats.data(), 0);
            const ExecStatusType st = m_res ? PQresultStatus(m_res) : PGRES_FATAL_ERROR;
            if (st == PGRES_TUPLES_OK || st == PGRES_COMMAND_OK || st == PGRES_EMPTY_QUERY) {
                m_rows = PQntuples(m_res);
                const char* n = PQcmdTuples(m_res);
                m_affected = n && *n ? std::atoi(n) : (st == PGRES_TUPLES_OK ? m_rows : 0);
                if (st == PGRES_TUPLES_OK && PQnfields(m_res) != m_record.count())
                    m_recordReady = false;
                return;
            }
            const QString code = pgErrorCode(m_res);
            const QString text = pgErrorText(m_conn, m_res);
            finish();
            // A kept statement the server no longer accepts as prepared (its
            // tables changed, or it was dropped): prepare it again and retry,
            // which is safe only outside a transaction.
            const bool stale = code == QLatin1String("0A000") || code == QLatin1String("26000");
            if (stale && !m_name.isEmpty()) {
                m_usable = false;
                if (attempt == 0 && PQtransactionStatus(m_conn) == PQTRANS_IDLE) {
                    m_prepared = false;
                    if (PGresult* r = PQexec(m_conn, ("DEALLOCATE " + m_name).constData()))
                        PQclear(r);
                    prepare();
                    m_usable = true;
                    continue;
                }
            }
            fail(Backend::PostgreSQL, text, code, m_text);
        }
    }

    bool next() override
    {
        if (!m_res || m_row + 1 >= m_rows) {
            m_row = m_rows;
            return false;
        }
        ++m_row;
        return true;
    }

    bool isNull(int c) const override
    {
        return !onRow(c) || PQgetisnull(m_res, m_row, c);
    }

    QVariant value(int c) const override
    {
        if (!onRow(c))
            return {};
        const Oid t = PQftype(m_res, c);
        if (PQgetisnull(m_res, m_row, c))
            return QVariant(metaOfOid(t));
        const char* s = PQgetvalue(m_res, m_row, c);
        const int n = PQgetlength(m_res, m_row, c);
        switch (t) {
        case kBool: return s[0] == 't';
        case kInt2: case kInt4: case kOid: return int(std::strtol(s, nullptr, 10));
        case kInt8: return qlonglong(std::strtoll(s, nullptr, 10));
        case kFloat4: case kFloat8: case kNumeric: return std::strtod(s, nullptr);
        case kDate: {
            const QDateTime dt = parseDbTimestamp(s, n);
            return dt.isValid() ? QVariant(dt.date()) : QVariant(QMetaType(QMetaType::QDate));
        }
        case kTimestamp: {
            const QDateTime dt = parseDbTimestamp(s, n);
            return dt.isValid() ? QVariant(dt) : QVariant(QMetaType(QMetaType::QDateTime));
        }
        case kTimestampTz: {
            QString text = QString::fromLatin1(s, n);
            text[10] = QLatin1Char('T');
            if (text.size() >= 3 && (text.at(text.size() - 3) == QLatin1Char('+') || text.at(text.size() - 3) == QLatin1Char('-')))
                text += QStringLiteral(":00");
            return QDateTime::fromString(text, Qt::ISODateWithMs).toLocalTime();
        }
        case kTime: return QTime::fromString(QString::fromLatin1(s, n).left(12), Qt::ISODateWithMs);
        case kBytea: {
            size_t len = 0;
            unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(s), &len);
            const QByteArray out(reinterpret_cast<const char*>(raw), qsizetype(len));
            PQfreemem(raw);
            return out;
        }
        default: return QString::fromUtf8(s, n);
        }
    }

    const QSqlRecord& record() override
    {
        if (!m_recordReady && m_res) {
            m_record = QSqlRecord();
            const int n = PQnfields(m_res);
            for (int c = 0; c < n; ++c)
                m_record.append(QSqlField(QString::fromUtf8(PQfname(m_res, c)), metaOfOid(PQftype(m_res, c))));
            m_recordReady = true;
        }
        return m_record;
    }

    int rowsAffected() const override { return m_affected; }

    void finish() override
    {
        if (m_res)
            PQclear(m_res);
        m_res = nullptr;
        m_rows = 0;
        m_row = -1;
    }

    bool reusable() const override { return m_usable; }
    // An unnamed statement the server could prepare is run again by name.
    bool worthKeeping() const override { return !m_name.isEmpty() || (m_params == 0 && !m_preparable); }

private:
    bool onRow(int c) const { return m_res && m_row >= 0 && m_row < m_rows && c >= 0 && c < PQnfields(m_res); }

    void prepare()
    {
        PGresult* r = PQprepare(m_conn, m_name.constData(), m_sql.constData(), m_params, nullptr);
        const bool ok = r && PQresultStatus(r) == PGRES_COMMAND_OK;
        const QString code = pgErrorCode(r);
        const QString text = ok ? QString() : pgErrorText(m_conn, r);
        if (r)
            PQclear(r);
        if (!ok)
            fail(Backend::PostgreSQL, text, code, m_text);
        m_prepared = true;
    }

    PGconn* m_conn;
    QString m_text;
    QByteArray m_sql;
    int m_params;
    QByteArray m_name;
    bool m_preparable;
    bool m_prepared = false;
    bool m_usable = true;
    PGresult* m_res = nullptr;
    int m_rows = 0;
    int m_row = -1;
    int m_affected = 0;
    bool m_recordReady = false;
    QSqlRecord m_record;
};

} // namespace

// ---------------------------------------------------------------------------

StatementCache::~StatementCache()
{
    // Db::close detaches the cache before the connection closes. A cache that
    // ends without it belongs to a connection still registered at program
    // exit, and Qt may have closed that connection (and freed its client
    // handle) first: the kept statements end without a word to the handle.
    detach();
}

void StatementCache::detach()
{
    // SQLite statements must end before the connection closes; PostgreSQL's end with it.
    for (auto& [text, idle] : m_idle)
        for (auto& s : idle.statements)
            if (m_backend == Backend::PostgreSQL)
                s->detach();
    m_idle.clear();
    for (Recent& r : m_recent)
        r = Recent();
    m_kept = 0;
    ++m_generation;
    m_handle = nullptr;
}

StatementCache::Idle* StatementCache::findIdle(const QString& text)
{
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    for (const Recent& r : m_recent)
        if (r.data == data && r.size == size && r.idle)
            return r.idle;
    auto it = m_idle.find(text);
    if (it == m_idle.end())
        return nullptr;
    if (it->first.constData() == data) {
        m_recent[m_recentNext] = {data, size, &it->second};
        m_recentNext = (m_recentNext + 1) % RecentKept;
    }
    return &it->second;
}

StatementCache::Entry StatementCache::take(const QString& text)
{
    if (!m_handle)
        throw DbError(DbError::Kind::ConnectionFailed, QStringLiteral("Veritabanı bağlantısı kapalı."));
    Idle* idle = findIdle(text);
    if (idle && !idle->statements.empty()) {
        Entry e{std::move(idle->statements.back()), m_generation, idle->names};
        idle->statements.pop_back();
        e.statement->cacheSlot = idle;
        --m_kept;
        return e;
    }
    const PlaceholderScan scan = scanPlaceholders(text);
    const QString sql = positionalStatement(text, scan, m_backend);
    if (m_backend == Backend::SQLite) {
        Entry e{std::make_unique<SqliteStatement>(static_cast<sqlite3*>(m_handle), text, sql), m_generation, scan.names};
        e.statement->cacheSlot = idle;
        return e;
    }
    // A text run for the first time is sent unnamed (one round trip); from its
    // second run on it is prepared once and kept.
    // A statement without values is named too when the server can prepare it
    // (a counter's UPDATE ... RETURNING runs on every document): its later
    // runs skip the parse and the plan.
    QByteArray name;
    if (!scan.names.isEmpty() || pgPreparable(text)) {
        if (m_seen.contains(text))
            name = "tornaly_s" + QByteArray::number(++m_nextName);
        else {
            if (m_seen.size() > 4 * MaxKept)
                m_seen.clear();
            m_seen.insert(text, true);
        }
    }
    Entry e{std::make_unique<PgStatement>(static_cast<PGconn*>(m_handle), text, sql, int(scan.names.size()), name,
                                          pgPreparable(text)),
            m_generation, scan.names};
    e.statement->cacheSlot = idle;
    return e;
}

void StatementCache::giveBack(const QString& text, Entry entry)
{
    if (!entry.statement || !m_handle || entry.generation != m_generation || !entry.statement->reusable()
        || !entry.statement->worthKeeping())
        return;
    entry.statement->finish();
    if (m_kept >= MaxKept)
        clear();
    // The slot the statement was taken from stands while the generation does
    // (only clear() removes slots, and it starts a new generation).
    Idle* idle = entry.generation == m_generation ? static_cast<Idle*>(entry.statement->cacheSlot) : nullptr;
    if (!idle) {
        auto [it, added] = m_idle.try_emplace(text);
        idle = &it->second;
        if (added)
            idle->names = std::move(entry.names);
    }
    idle->statements.push_back(std::move(entry.statement));
    ++m_kept;
}

void StatementCache::clear()
{
    m_idle.clear();
    for (Recent& r : m_recent)
        r = Recent();
    m_kept = 0;
    ++m_generation;
}

bool StatementCache::inTransaction() const
{
    if (!m_handle)
        return false;
    if (m_backend == Backend::SQLite)
        return !sqlite3_get_autocommit(static_cast<sqlite3*>(m_handle));
    return PQtransactionStatus(static_cast<PGconn*>(m_handle)) != PQTRANS_IDLE;
}

bool StatementCache::transactionFailed() const
{
    return m_handle && m_backend == Backend::PostgreSQL
        && PQtransactionStatus(static_cast<PGconn*>(m_handle)) == PQTRANS_INERROR;
}

void StatementCache::execDirect(const QString& statement)
{
    if (!m_handle)
        throw DbError(DbError::Kind::ConnectionFailed, QStringLiteral("Veritabanı bağlantısı kapalı."));
    const QByteArray sql = statement.toUtf8();
    if (m_backend == Backend::SQLite) {
        auto* db = static_cast<sqlite3*>(m_handle);
        char* err = nullptr;
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            const QString text = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
            sqlite3_free(err);
            fail(m_backend, text, QString::number(sqlite3_extended_errcode(db)), statement);
        }
        return;
    }
    auto* conn = static_cast<PGconn*>(m_handle);
    PGresult* r = PQexec(conn, sql.constData());
    const ExecStatusType st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
    if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK || st == PGRES_EMPTY_QUERY) {
        PQclear(r);
        return;
    }
    const QString code = pgErrorCode(r);
    const QString text = pgErrorText(conn, r);
    if (r)
        PQclear(r);
    fail(m_backend, text, code, statement);
}

} // namespace tornaly
