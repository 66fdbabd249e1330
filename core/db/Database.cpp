#include "db/Database.h"
#include "db/ConnectionAdvice.h"
#include "db/Dialect.h"

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

namespace tornaly {

struct Db::State {
    QString name;
    ConnectionProfile profile;
    Dialect dialect{Backend::SQLite};
    int txDepth = 0;
};

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

Db Db::open(const ConnectionProfile& profile, const QString& name)
{
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
            runSetup(db, QStringLiteral("PRAGMA synchronous=NORMAL"), profile.backend);
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
    {
        QMutexLocker lock(&g_registryMutex);
        registry().remove(name);
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
    QString text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Bilinmeyen veritabanı hatası");
    Q_UNUSED(context);
    throw DbError(classifyError(error, backend), text, error.nativeErrorCode());
}

// ---------------------------------------------------------------------------

Query::Query(const Db& db) : m_db(db), m_query(db.sql())
{
    m_query.setForwardOnly(true);
}

Query::Query(const Db& db, const QString& statement) : Query(db)
{
    prepare(statement);
}

Query& Query::prepare(const QString& statement)
{
    m_statement = statement;
    m_placeholders = placeholderNames(statement);
    m_direct = m_placeholders.isEmpty();
    if (!m_direct && !m_query.prepare(statement))
        throwDbError(m_query.lastError(), m_db.backend(), statement);
    m_prepared = true;
    return *this;
}

Query& Query::setForwardOnly(bool on)
{
    m_query.setForwardOnly(on);
    return *this;
}

Query& Query::bind(const QString& name, const QVariant& value)
{
    const QString key = name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name;
    m_query.bindValue(key, toDbValue(value, m_db.backend()));
    return *this;
}

Query& Query::bindAt(int index, const QVariant& value)
{
    if (index >= 0 && index < m_placeholders.size())
        bind(m_placeholders.at(index), value);
    return *this;
}

Query& Query::bindAll(const QVariantMap& binds)
{
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        const QString key = it.key().startsWith(QLatin1Char(':')) ? it.key().mid(1) : it.key();
        if (m_placeholders.contains(key, Qt::CaseInsensitive))
            bind(key, it.value());
    }
    return *this;
}

Query& Query::exec()
{
    if (!m_prepared)
        throw DbError(DbError::Kind::Other, QStringLiteral("Sorgu hazırlanmadan çalıştırıldı."));
    const bool ok = m_direct ? m_query.exec(m_statement) : m_query.exec();
    if (!ok)
        throwDbError(m_query.lastError(), m_db.backend(), m_statement);
    return *this;
}

bool Query::next() { return m_query.next(); }
bool Query::first() { return m_query.isActive() && (m_query.at() == 0 || m_query.next()); }
QVariant Query::value(const QString& column) const { return m_query.value(column); }
QVariant Query::value(int column) const { return m_query.value(column); }
QString Query::str(const QString& column) const { return m_query.value(column).toString(); }
double Query::num(const QString& column) const { return m_query.value(column).toDouble(); }
qint64 Query::integer(const QString& column) const
{
    const QVariant v = m_query.value(column);
    // Whole numbers kept in float columns come back as doubles.
    return v.typeId() == QMetaType::Double ? qRound64(v.toDouble()) : v.toLongLong();
}
QDateTime Query::dateTime(const QString& column) const { return toDateTime(m_query.value(column)); }
QDate Query::date(const QString& column) const { return toDate(m_query.value(column)); }
bool Query::isNull(const QString& column) const { return m_query.value(column).isNull(); }
QSqlRecord Query::record() const { return m_query.record(); }
int Query::rowsAffected() const { return m_query.numRowsAffected(); }

QVariant Query::toDbValue(const QVariant& v, Backend backend)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid())
            return QVariant(QMetaType(QMetaType::QString));
        return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    }
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        if (!d.isValid())
            return QVariant(QMetaType(QMetaType::QString));
        // SQLite compares dates as text: a date is midnight of its day, in
        // the same form as a timestamp, so that dates and times compare right.
        if (backend == Backend::SQLite)
            return d.toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"));
        return d.toString(QStringLiteral("yyyy-MM-dd"));
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
    QStringList names;
    const int n = int(statement.size());
    QChar quote;
    for (int i = 0; i < n; ++i) {
        const QChar c = statement.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && statement.at(i + 1) == QLatin1Char('-')) {
            while (i < n && statement.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c != QLatin1Char(':'))
            continue;
        if (i + 1 < n && statement.at(i + 1) == QLatin1Char(':')) {
            ++i; // a cast
            continue;
        }
        if (i > 0 && statement.at(i - 1) == QLatin1Char(':'))
            continue;
        int j = i + 1;
        while (j < n && (statement.at(j).isLetterOrNumber() || statement.at(j) == QLatin1Char('_')))
            ++j;
        if (j > i + 1) {
            const QString name = statement.mid(i + 1, j - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names << name;
            i = j - 1;
        }
    }
    return names;
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
    QSqlQuery q(m_db.sql());
    if (!q.exec(statement))
        throwDbError(q.lastError(), m_db.backend(), statement);
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
    QSqlQuery q(m_db.sql());
    if (!q.exec(statement)) {
        const QSqlError err = q.lastError();
        QSqlQuery undo(m_db.sql());
        undo.exec(m_level == 1 ? QStringLiteral("ROLLBACK")
                               : QStringLiteral("ROLLBACK TO SAVEPOINT tx_%1").arg(m_level));
        depth = m_level - 1;
        throwDbError(err, m_db.backend(), statement);
    }
    depth = m_level - 1;
}

void Transaction::rollback()
{
    if (m_done)
        return;
    m_done = true;
    auto& depth = m_db.m_state->txDepth;
    depth = m_level - 1;
    QSqlQuery q(m_db.sql());
    if (m_level == 1) {
        if (!q.exec(QStringLiteral("ROLLBACK")))
            throwDbError(q.lastError(), m_db.backend(), QStringLiteral("ROLLBACK"));
    } else {
        if (!q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT tx_%1").arg(m_level)))
            throwDbError(q.lastError(), m_db.backend(), QStringLiteral("ROLLBACK TO SAVEPOINT"));
        q.exec(QStringLiteral("RELEASE SAVEPOINT tx_%1").arg(m_level));
    }
}

} // namespace tornaly
