#include "db/Database.h"
#include "db/KayitBildirimi.h"
#include "db/ConnectionAdvice.h"
#include "db/Dialect.h"
#include "db/Statement.h"

#include <QSet>
#include <atomic>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>

#include <sqlite3.h>
#include <mutex>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tornaly {

struct Db::State {
    QString name;
    ConnectionProfile profile;
    Dialect dialect{Backend::SQLite};
    int txDepth = 0;
    std::unique_ptr<StatementCache> statements;
    ~State();
};

// Answers about the schema (does a table or a column exist) are asked on
// every save: each connection keeps them until it changes its own schema
// (CREATE, ALTER, DROP) or rolls work back. A table another workstation makes
// meanwhile is seen from the next connection on; schema upgrades run before
// the workstations connect. Kept by the connection's dialect, which lives
// as long as the connection.
namespace {
QMutex g_catalogueMutex;
QHash<const Dialect*, QHash<QString, bool>>& catalogues()
{
    // Never destroyed: connections left open are closed by the registry's own
    // end at process exit, which may come after this table's.
    static auto* c = new QHash<const Dialect*, QHash<QString, bool>>;
    return *c;
}
} // namespace

std::optional<bool> CatalogueAnswer(const Dialect* connection, const QString& question)
{
    QMutexLocker lock(&g_catalogueMutex);
    const auto c = catalogues().constFind(connection);
    if (c == catalogues().constEnd())
        return std::nullopt;
    const auto it = c->constFind(question);
    return it == c->constEnd() ? std::nullopt : std::optional<bool>(*it);
}

void KeepCatalogueAnswer(const Dialect* connection, const QString& question, bool answer)
{
    QMutexLocker lock(&g_catalogueMutex);
    catalogues()[connection].insert(question, answer);
}

void ForgetCatalogueAnswers(const Dialect* connection)
{
    QMutexLocker lock(&g_catalogueMutex);
    catalogues().remove(connection);
}

Db::State::~State()
{
    ForgetCatalogueAnswers(&dialect);
}

namespace {

QMutex g_registryMutex;
QHash<QString, std::shared_ptr<Db::State>>& registry()
{
    static QHash<QString, std::shared_ptr<Db::State>> r;
    return r;
}

void sqliteTurkishCase(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool upper)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QString s = QString::fromUtf8(text, sqlite3_value_bytes(argv[0]));
    const QByteArray out = (upper ? Dialect::turkishUpper(s) : Dialect::turkishLower(s)).toUtf8();
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

void sqliteTrUpper(sqlite3_context* ctx, int argc, sqlite3_value** argv) { sqliteTurkishCase(ctx, argc, argv, true); }
void sqliteTrLower(sqlite3_context* ctx, int argc, sqlite3_value** argv) { sqliteTurkishCase(ctx, argc, argv, false); }

// The user the change-history triggers record, kept per connection: every
// workstation has its own connection to the shared file.
void sqliteHistoryUser(sqlite3_context* ctx, int, sqlite3_value**)
{
    const auto* user = static_cast<const QByteArray*>(sqlite3_user_data(ctx));
    sqlite3_result_text(ctx, user->constData(), int(user->size()), SQLITE_TRANSIENT);
}

void sqliteSetHistoryUser(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    auto* user = static_cast<QByteArray*>(sqlite3_user_data(ctx));
    if (argc == 1 && sqlite3_value_type(argv[0]) != SQLITE_NULL)
        *user = QByteArray(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), sqlite3_value_bytes(argv[0]));
    else
        user->clear();
    sqlite3_result_null(ctx);
}

void deleteHistoryUser(void* p) { delete static_cast<QByteArray*>(p); }

void registerSqliteFunctions(QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return;
    sqlite3* h = *static_cast<sqlite3* const*>(v.data());
    if (!h)
        return;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(h, "TR_UPPER", 1, flags, nullptr, sqliteTrUpper, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "TR_LOWER", 1, flags, nullptr, sqliteTrLower, nullptr, nullptr, nullptr);
    // The getter is freed with the connection; the setter shares its slot and
    // may only be called directly, never from a trigger or view.
    // (A failed registration frees the slot itself.)
    auto* user = new QByteArray;
    if (sqlite3_create_function_v2(h, "CLOG_KULLANICI", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, user, sqliteHistoryUser,
                                   nullptr, nullptr, deleteHistoryUser) == SQLITE_OK)
        sqlite3_create_function_v2(h, "CLOG_KULLANICI_AYARLA", 1, SQLITE_UTF8 | SQLITE_DIRECTONLY, user,
                                   sqliteSetHistoryUser, nullptr, nullptr, nullptr);
}

void runSetup(QSqlDatabase& db, const QString& statement, Backend backend)
{
    QSqlQuery q(db);
    if (!q.exec(statement))
        throwDbError(q.lastError(), backend, statement);
}

QString quoteOption(const QString& v)
{
    QString s = v;
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    s.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

} // namespace

namespace {
// SQLite frees a savepoint's page bitmaps and statement journal on every
// RELEASE, and a document save nests one per ledger writer. With glibc's
// default 128 KiB trim threshold each of those frees handed the top of the
// heap back to the kernel and the next statement took it again: a brk pair
// and a TLB flush on every core per savepoint, two thirds of a save's CPU
// time. A fixed threshold keeps that memory in the process; fixing it turns
// off glibc's own raising of the mmap threshold, so that is set as well
// (blocks up to 4 MiB, COPY buffers among them, stay in the heap).
void keepHeapTop()
{
#if defined(__GLIBC__)
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    });
#endif
}

// Every timestamp read becomes a local QDateTime, which asks mktime for the
// offset; with TZ unset glibc reads /etc/localtime's status again on every
// call (a system call per value, a third of a list page's time). Naming the
// same zone file lets it keep what it read. Set once, before the first
// connection reads anything; a TZ the user or a test gave is left alone.
void keepLocalZone()
{
#if defined(__GLIBC__)
    static std::once_flag once;
    std::call_once(once, [] {
        if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
            qputenv("TZ", ":/etc/localtime");
    });
#endif
}
} // namespace

Db Db::open(const ConnectionProfile& profile, const QString& name)
{
    keepHeapTop();
    keepLocalZone();
    close(name);
    auto state = std::make_shared<State>();
    state->name = name;
    state->profile = profile;
    state->dialect = Dialect(profile.backend);

    QSqlDatabase db;
    if (profile.backend == Backend::SQLite) {
        if (profile.filePath.isEmpty())
            throw DbError(DbError::Kind::ConnectionFailed,
                          QStringLiteral("Veritabanı dosyası belirtilmemiş ya da veri klasörünün dışında."));
        const QFileInfo fi(profile.filePath);
        if (profile.mustExist && !fi.isFile())
            throw DbError(DbError::Kind::ConnectionFailed,
                          QStringLiteral("Veritabanı dosyası bulunamadı: %1. Şirket seçimini ve bağlantı "
                                         "ayarlarındaki veri klasörünü kontrol ediniz.")
                              .arg(QDir::toNativeSeparators(profile.filePath)));
        if (!fi.absoluteDir().exists())
            QDir().mkpath(fi.absolutePath());
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(profile.filePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(profile.lockTimeoutMs));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(profile.host);
        db.setPort(profile.port);
        db.setDatabaseName(profile.database);
        db.setUserName(profile.user);
        db.setPassword(profile.password);
        QString opts = QStringLiteral("connect_timeout=5");
        if (!profile.applicationName.isEmpty())
            opts += QStringLiteral(";application_name=") + quoteOption(profile.applicationName.left(63));
        db.setConnectOptions(opts);
    }

    if (!db.open()) {
        const QSqlError err = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw DbError(DbError::Kind::ConnectionFailed, ConnectionFailureText(profile, err.text()),
                      err.nativeErrorCode());
    }

    try {
        if (profile.backend == Backend::SQLite) {
            runSetup(db, QStringLiteral("PRAGMA journal_mode=WAL"), profile.backend);
            runSetup(db, QStringLiteral("PRAGMA synchronous=FULL"), profile.backend);
            runSetup(db, QStringLiteral("PRAGMA foreign_keys=ON"), profile.backend);
            registerSqliteFunctions(db);
        } else {
            runSetup(db, QStringLiteral("SET lock_timeout = %1").arg(profile.lockTimeoutMs), profile.backend);
            runSetup(db, QStringLiteral("SET DateStyle = ISO"), profile.backend);
            runSetup(db, QStringLiteral("SET client_min_messages = WARNING"), profile.backend);
        }
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw;
    }

    {
        const QVariant h = db.driver()->handle();
        void* handle = h.isValid() ? *static_cast<void* const*>(h.constData()) : nullptr;
        state->statements = std::make_unique<StatementCache>(profile.backend, handle);
    }

    QMutexLocker lock(&g_registryMutex);
    registry().insert(name, state);
    return Db(state);
}

Db Db::attach(const QString& name)
{
    QMutexLocker lock(&g_registryMutex);
    return Db(registry().value(name));
}

void Db::close(const QString& name)
{
    std::shared_ptr<State> state;
    {
        QMutexLocker lock(&g_registryMutex);
        state = registry().take(name);
    }
    if (state && state->statements) {
        state->statements->clear();
        state->statements->detach();
    }
    if (QSqlDatabase::contains(name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
}

bool Db::isOpen() const
{
    return m_state && QSqlDatabase::contains(m_state->name) && sql().isOpen();
}

Backend Db::backend() const { return m_state->profile.backend; }
const ConnectionProfile& Db::profile() const { return m_state->profile; }
const QString& Db::name() const { return m_state->name; }
const Dialect& Db::dialect() const { return m_state->dialect; }
QSqlDatabase Db::sql() const { return QSqlDatabase::database(m_state->name, false); }
bool Db::inTransaction() const { return m_state && m_state->txDepth > 0; }

void* Db::nativeHandle() const
{
    return m_state && m_state->statements ? m_state->statements->handle() : nullptr;
}

void Db::clearStatementCache() const
{
    if (!m_state)
        return;
    if (m_state->statements)
        m_state->statements->clear();
    ForgetCatalogueAnswers(&m_state->dialect);
}

int Db::exec(const QString& statement, const QVariantMap& binds) const
{
    Query q(*this, statement);
    q.bindAll(binds);
    q.exec();
    return q.rowsAffected();
}

// ---------------------------------------------------------------------------

DbError::Kind classifyError(const QSqlError& error, Backend backend)
{
    const QString code = error.nativeErrorCode();
    const QString text = error.text();
    if (backend == Backend::SQLite) {
        bool ok = false;
        const int n = code.toInt(&ok);
        if ((ok && ((n & 0xff) == SQLITE_BUSY || (n & 0xff) == SQLITE_LOCKED))
            || text.contains(QLatin1String("database is locked"), Qt::CaseInsensitive))
            return DbError::Kind::Busy;
        if (text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive)
            || (ok && (n == SQLITE_CONSTRAINT_UNIQUE || n == SQLITE_CONSTRAINT_PRIMARYKEY)))
            return DbError::Kind::UniqueViolation;
        if (ok && (n & 0xff) == SQLITE_CANTOPEN)
            return DbError::Kind::ConnectionFailed;
        return DbError::Kind::Other;
    }
    if (code == QLatin1String("23505"))
        return DbError::Kind::UniqueViolation;
    if (code == QLatin1String("55P03") || code == QLatin1String("40P01")
        || code == QLatin1String("40001") || code == QLatin1String("57014"))
        return DbError::Kind::Busy;
    if (code.startsWith(QLatin1String("08")) || error.type() == QSqlError::ConnectionError)
        return DbError::Kind::ConnectionFailed;
    return DbError::Kind::Other;
}

void throwDbError(const QSqlError& error, Backend backend, const QString& context)
{
    // The user reads a Turkish sentence; the driver's text and the statement
    // go into the error and the log for whoever looks into it.
    const DbError::Kind kind = classifyError(error, backend);
    QString text = DbErrorUserText(kind);
    if (!error.nativeErrorCode().isEmpty())
        text += QStringLiteral(" (Hata kodu: %1)").arg(error.nativeErrorCode());
    DbError e(kind, text, error.nativeErrorCode());
    e.setDetail(error.text().trimmed(), context);
    LogDbError(e);
    throw e;
}

// ---------------------------------------------------------------------------

namespace {

StatementCache& cacheOf(const std::shared_ptr<Db::State>& state)
{
    if (!state || !state->statements)
        throw DbError(DbError::Kind::ConnectionFailed, QStringLiteral("Veritabanı bağlantısı açık değil."));
    return *state->statements;
}

bool changesSchema(const QString& statement)
{
    int i = 0;
    while (i < statement.size() && statement.at(i).isSpace())
        ++i;
    const QStringView head = QStringView(statement).mid(i, 6);
    return head.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive)
        || head.startsWith(QLatin1String("ALTER"), Qt::CaseInsensitive)
        || head.startsWith(QLatin1String("DROP"), Qt::CaseInsensitive);
}

// Values bound as given, but for the few types the layer writes in its own form.
void setValue(std::vector<QVariant>& values, int index, const QVariant& value, Backend backend)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime: case QMetaType::QDate: case QMetaType::QTime: case QMetaType::Bool:
        values[size_t(index)] = Query::toDbValue(value, backend);
        break;
    default:
        values[size_t(index)] = value;
        break;
    }
}

} // namespace

Query::Query(const Db& db) : m_db(db) {}

Query::Query(const Db& db, const QString& statement) : Query(db)
{
    prepare(statement);
}

Query::Query(Query&& o) noexcept
    : m_db(std::move(o.m_db)), m_statement(std::move(o.m_statement)), m_placeholders(std::move(o.m_placeholders)),
      m_values(std::move(o.m_values)), m_stmt(std::move(o.m_stmt)), m_generation(o.m_generation), m_row(o.m_row),
      m_prepared(o.m_prepared), m_schemaChange(o.m_schemaChange)
{
}

Query::~Query()
{
    release();
}

void Query::release()
{
    if (!m_stmt)
        return;
    StatementCache* cache = m_db.m_state ? m_db.m_state->statements.get() : nullptr;
    if (!cache || !cache->handle()) {
        m_stmt->detach();
        m_stmt.reset();
        return;
    }
    m_stmt->values.swap(m_values);
    cache->giveBack(m_statement, {std::move(m_stmt), m_generation, m_placeholders});
}

Query& Query::prepare(const QString& statement)
{
    release();
    m_statement = statement;
    StatementCache::Entry e = cacheOf(m_db.m_state).take(statement);
    m_stmt = std::move(e.statement);
    m_generation = e.generation;
    m_placeholders = std::move(e.names);
    m_values.swap(m_stmt->values);
    m_values.assign(size_t(m_placeholders.size()), QVariant());
    m_stmt->nextBind = 0;
    m_row = -1;
    m_schemaChange = m_placeholders.isEmpty() && changesSchema(statement);
    m_prepared = true;
    return *this;
}

Query& Query::setForwardOnly(bool)
{
    return *this;
}

Query& Query::bind(const QString& name, const QVariant& value)
{
    QStringView key(name);
    if (!key.isEmpty() && key.front() == QLatin1Char(':'))
        key = key.mid(1);
    // Names are nearly always written as in the statement, and bound in its
    // order: the exact match is tried first, from the place after the last one.
    const int n = int(m_placeholders.size());
    for (int k = 0; k < n; ++k) {
        const int i = (m_stmt->nextBind + k) % n;
        const QString& p = m_placeholders.at(i);
        if (p.size() == key.size() && key == p) {
            setValue(m_values, i, value, m_db.backend());
            m_stmt->nextBind = i + 1;
            return *this;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (key.compare(m_placeholders.at(i), Qt::CaseInsensitive) == 0) {
            setValue(m_values, i, value, m_db.backend());
            break;
        }
    }
    return *this;
}

Query& Query::bindAt(int index, const QVariant& value)
{
    if (index >= 0 && index < m_placeholders.size())
        setValue(m_values, index, value, m_db.backend());
    return *this;
}



Query& Query::bindAll(const QVariantMap& binds)
{
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        bind(it.key(), it.value());
    return *this;
}

Query& Query::exec()
{
    if (!m_prepared || !m_stmt)
        throw DbError(DbError::Kind::Other, QStringLiteral("Sorgu hazırlanmadan çalıştırıldı."));
    m_row = -1;
    m_stmt->exec(m_values);
    // A write is told to the open lists: at once outside a transaction, after the commit inside one.
    if (const QString table = YazilanTablo(m_statement); !table.isEmpty())
        TabloYazildi(m_db.name(), m_db.inTransaction(), table);
    if (m_schemaChange) {
        // Statements kept over the old tables would read the old columns.
        m_db.clearStatementCache();
        m_generation = 0;
    }
    return *this;
}

bool Query::next()
{
    if (!m_stmt || !m_stmt->next())
        return false;
    ++m_row;
    return true;
}

bool Query::first()
{
    if (m_row == 0)
        return true;
    return m_row < 0 && next();
}

void Query::finish()
{
    if (m_stmt)
        m_stmt->finish();
    m_row = -1;
}

int Query::indexOf(const QString& column) const
{
    if (!m_stmt)
        return -1;
    return m_stmt->record().indexOf(column);
}

QVariant Query::value(const QString& column) const { return value(indexOf(column)); }
QVariant Query::value(int column) const { return m_stmt ? m_stmt->value(column) : QVariant(); }
QString Query::str(const QString& column) const
{
    const QVariant v = value(column);
    // A timestamp read as text keeps the layer's text form on both backends.
    if (v.typeId() == QMetaType::QDateTime)
        return v.isNull() ? QString() : v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return v.toString();
}
double Query::num(const QString& column) const { return value(column).toDouble(); }
qint64 Query::integer(const QString& column) const
{
    const QVariant v = value(column);
    // Whole numbers kept in float columns come back as doubles.
    return v.typeId() == QMetaType::Double ? qRound64(v.toDouble()) : v.toLongLong();
}
QDateTime Query::dateTime(const QString& column) const { return toDateTime(value(column)); }
QDate Query::date(const QString& column) const { return toDate(value(column)); }
bool Query::isNull(const QString& column) const { return !m_stmt || m_stmt->isNull(indexOf(column)); }
QSqlRecord Query::record() const
{
    if (!m_stmt)
        return {};
    QSqlRecord rec = m_stmt->record();
    if (m_row >= 0)
        for (int c = 0; c < rec.count(); ++c)
            rec.setValue(c, m_stmt->value(c));
    return rec;
}
int Query::rowsAffected() const { return m_stmt ? m_stmt->rowsAffected() : -1; }

namespace {

QString formatTimestamp(const QDate& d, const QTime& t, bool withTime);

// "yyyy-MM-dd HH:mm:ss.zzz" written digit by digit: bound once per row, so
// QDateTime::toString's format parsing shows in every posting.
QString timestampText(const QDate& d, const QTime& t, bool withTime)
{
    // Postings bind one date on every row: it is written once.
    thread_local qint64 lastDay = -1;
    thread_local int lastMs = -1;
    thread_local bool lastWithTime = false;
    thread_local QString lastText;
    const qint64 day = d.toJulianDay();
    const int ms = t.msecsSinceStartOfDay();
    if (day == lastDay && ms == lastMs && withTime == lastWithTime)
        return lastText;
    lastText = formatTimestamp(d, t, withTime);
    lastDay = day;
    lastMs = ms;
    lastWithTime = withTime;
    return lastText;
}

QString formatTimestamp(const QDate& d, const QTime& t, bool withTime)
{
    char buf[24];
    auto put = [&buf](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            buf[at + i] = char('0' + value % 10);
    };
    const int y = d.year();
    if (y < 1 || y > 9999)
        return d.toString(Qt::ISODate) + (withTime ? t.toString(QStringLiteral(" HH:mm:ss.zzz")) : QString());
    put(0, y, 4);
    buf[4] = '-';
    put(5, d.month(), 2);
    buf[7] = '-';
    put(8, d.day(), 2);
    if (!withTime)
        return QString::fromLatin1(buf, 10);
    buf[10] = ' ';
    put(11, t.hour(), 2);
    buf[13] = ':';
    put(14, t.minute(), 2);
    buf[16] = ':';
    put(17, t.second(), 2);
    buf[19] = '.';
    put(20, t.msec(), 3);
    return QString::fromLatin1(buf, 23);
}

} // namespace

QVariant Query::toDbValue(const QVariant& v, Backend backend)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid())
            return QVariant(QMetaType(QMetaType::QString));
        return timestampText(dt.date(), dt.time(), true);
    }
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        if (!d.isValid())
            return QVariant(QMetaType(QMetaType::QString));
        // SQLite compares dates as text: a date is midnight of its day, in
        // the same form as a timestamp, so that dates and times compare right.
        return timestampText(d, QTime(0, 0), backend == Backend::SQLite);
    }
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

QDateTime Query::toDateTime(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    QString s = v.toString().trimmed();
    if (s.isEmpty())
        return {};
    if (s.size() == 10)
        return QDate::fromString(s, Qt::ISODate).startOfDay();
    if (s.size() > 10 && s.at(10) == QLatin1Char(' '))
        s[10] = QLatin1Char('T');
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, Qt::ISODate);
    return dt;
}

QDate Query::toDate(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    return toDateTime(v).date();
}

QStringList Query::placeholderNames(const QString& statement)
{
    return scanPlaceholders(statement).names;
}

// ---------------------------------------------------------------------------

Transaction::Transaction(const Db& db) : m_db(db)
{
    auto& depth = m_db.m_state->txDepth;
    m_level = depth + 1;
    QString statement;
    if (m_level == 1)
        statement = m_db.backend() == Backend::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
    else
        statement = QStringLiteral("SAVEPOINT tx_%1").arg(m_level);
    cacheOf(m_db.m_state).execDirect(statement);
    depth = m_level;
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            rollback();
        } catch (...) {
            // The connection is gone or broken; the server discards the work.
        }
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    auto& depth = m_db.m_state->txDepth;
    const QString statement = m_level == 1 ? QStringLiteral("COMMIT")
                                           : QStringLiteral("RELEASE SAVEPOINT tx_%1").arg(m_level);
    StatementCache& conn = cacheOf(m_db.m_state);
    try {
        // PostgreSQL answers COMMIT of a failed transaction by rolling it back
        // without an error: that must not look like a saved document.
        if (conn.transactionFailed())
            throw DbError(DbError::Kind::Other,
                          QStringLiteral("İşlem sırasında bir hata oluştu; değişiklikler kaydedilmedi."));
        conn.execDirect(statement);
    } catch (...) {
        if (m_level == 1)
            IslemBitti(m_db.name(), false);
        try {
            conn.execDirect(m_level == 1 ? QStringLiteral("ROLLBACK")
                                         : QStringLiteral("ROLLBACK TO SAVEPOINT tx_%1").arg(m_level));
        } catch (...) {
        }
        depth = m_level - 1;
        throw;
    }
    depth = m_level - 1;
    if (m_level == 1)
        IslemBitti(m_db.name(), true);
}

void Transaction::rollback()
{
    if (m_done)
        return;
    m_done = true;
    auto& depth = m_db.m_state->txDepth;
    depth = m_level - 1;
    // A table made inside the work that is undone is gone again.
    ForgetCatalogueAnswers(&m_db.m_state->dialect);
    StatementCache& conn = cacheOf(m_db.m_state);
    if (m_level == 1) {
        IslemBitti(m_db.name(), false);
        conn.execDirect(QStringLiteral("ROLLBACK"));
    } else {
        conn.execDirect(QStringLiteral("ROLLBACK TO SAVEPOINT tx_%1").arg(m_level));
        conn.execDirect(QStringLiteral("RELEASE SAVEPOINT tx_%1").arg(m_level));
    }
}

// ---------------------------------------------------------------------------
// Save notices (KayitBildirimi.h)


namespace {
std::atomic<quint64> g_sira{0};

QMutex g_bekleyenKilit;
QHash<QString, QSet<QString>>& bekleyenler()
{
    static QHash<QString, QSet<QString>> h;
    return h;
}

// The word at `i` (after spaces), moving `i` past it.
QStringView kelime(const QString& s, qsizetype& i)
{
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    const qsizetype bas = i;
    while (i < s.size() && (s.at(i).isLetterOrNumber() || s.at(i) == QLatin1Char('_') || s.at(i) == QLatin1Char('.')))
        ++i;
    return QStringView(s).mid(bas, i - bas);
}
} // namespace

KayitBildirimi& KayitBildirimi::instance()
{
    // Never destroyed: lists may still be connected while the program ends.
    static auto* b = new KayitBildirimi;
    return *b;
}

void KayitBildirimi::bildir(const QString& tablo)
{
    emit tabloKaydedildi(tablo, ++g_sira);
}

quint64 KayitBildirimi::sonSira() { return g_sira.load(); }

void TabloYazildi(const QString& baglanti, bool islemde, const QString& tablo)
{
    if (!islemde) {
        KayitBildirimi::instance().bildir(tablo);
        return;
    }
    QMutexLocker kilit(&g_bekleyenKilit);
    bekleyenler()[baglanti].insert(tablo);
}

void IslemBitti(const QString& baglanti, bool kaydedildi)
{
    QSet<QString> tablolar;
    {
        QMutexLocker kilit(&g_bekleyenKilit);
        tablolar = bekleyenler().take(baglanti);
    }
    if (kaydedildi)
        for (const QString& t : std::as_const(tablolar))
            KayitBildirimi::instance().bildir(t);
}

QString YazilanTablo(const QString& statement)
{
    qsizetype i = 0;
    const QStringView ilk = kelime(statement, i);
    QStringView tablo;
    if (ilk.compare(QLatin1String("UPDATE"), Qt::CaseInsensitive) == 0) {
        tablo = kelime(statement, i);
    } else if (ilk.compare(QLatin1String("INSERT"), Qt::CaseInsensitive) == 0
               || ilk.compare(QLatin1String("DELETE"), Qt::CaseInsensitive) == 0) {
        const QStringView ara = kelime(statement, i); // INTO / FROM
        if (ara.compare(QLatin1String("INTO"), Qt::CaseInsensitive) == 0
            || ara.compare(QLatin1String("FROM"), Qt::CaseInsensitive) == 0)
            tablo = kelime(statement, i);
    }
    return tablo.toString().toUpper();
}

} // namespace tornaly
