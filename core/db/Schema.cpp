#include "db/Schema.h"
#include "db/Dialect.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QMutex>
#include <QRegularExpression>
#include <QSqlError>
#include <QThread>
#include <QUuid>
#include <functional>

namespace tornaly {

namespace {

struct ModuleEntry {
    QString module;
    DatabaseKind kind;
};

QMutex g_schemaMutex;
QList<ModuleEntry>& moduleList()
{
    static QList<ModuleEntry> list;
    return list;
}

struct CodeStep {
    QString module;
    SchemaStep step;
};
QList<CodeStep>& codeSteps()
{
    static QList<CodeStep> list;
    return list;
}

QString readResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(DbError::Kind::Other, QStringLiteral("Şema dosyası okunamadı: %1").arg(path));
    return QString::fromUtf8(f.readAll());
}

const QString kVersionTable = QStringLiteral("SCHEMA_SURUM");

void ensureVersionTable(const Db& db)
{
    if (db.dialect().tableExists(db, kVersionTable))
        return;
    // Another workstation may be creating it at this moment: decide under the lock.
    Transaction tx(db);
    db.dialect().lockSchemaChanges(db);
    if (!db.dialect().tableExists(db, kVersionTable))
        db.exec(QStringLiteral("CREATE TABLE SCHEMA_SURUM (MODUL VARCHAR(40) NOT NULL PRIMARY KEY, "
                               "SURUM INTEGER NOT NULL)"));
    tx.commit();
}

ConnectionProfile maintenanceProfile(const ConnectionProfile& p)
{
    ConnectionProfile m = p;
    m.database = QStringLiteral("postgres");
    return m;
}

QString maintenanceName()
{
    return QStringLiteral("tornaly_maint_") + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

void SchemaRegistry::add(const QString& module, DatabaseKind kind)
{
    QMutexLocker lock(&g_schemaMutex);
    for (const auto& e : moduleList())
        if (e.module == module)
            return;
    moduleList().append({module, kind});
}

QStringList SchemaRegistry::modules(DatabaseKind kind)
{
    QMutexLocker lock(&g_schemaMutex);
    QStringList out;
    for (const auto& e : moduleList())
        if (e.kind == kind)
            out << e.module;
    return out;
}

void SchemaRegistry::addCodeStep(const QString& module, int version, const QString& name,
                                 std::function<void(const Db&)> code)
{
    QMutexLocker lock(&g_schemaMutex);
    for (const auto& c : codeSteps())
        if (c.module == module && c.step.version == version)
            return;
    SchemaStep step;
    step.version = version;
    step.name = name;
    step.code = std::move(code);
    codeSteps().append({module, step});
}

QList<SchemaStep> schemaSteps(const QString& module, Backend backend)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+)_([^.]+)(?:\\.(sqlite|pg))?\\.sql$"));
    const QString dialectTag = backend == Backend::SQLite ? QStringLiteral("sqlite") : QStringLiteral("pg");
    QMap<int, SchemaStep> steps;
    QMap<int, QString> dialectParts;
    QDirIterator it(QStringLiteral(":/schema/") + module, QDir::Files);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString& path : files) {
        const QString fileName = QFileInfo(path).fileName();
        const auto m = re.match(fileName);
        if (!m.hasMatch())
            continue;
        const int version = m.captured(1).toInt();
        const QString tag = m.captured(3);
        if (!tag.isEmpty() && tag != dialectTag)
            continue;
        SchemaStep& s = steps[version];
        s.version = version;
        if (s.name.isEmpty())
            s.name = m.captured(2);
        if (tag.isEmpty())
            s.sql = readResource(path) + QLatin1Char('\n') + s.sql;
        else
            dialectParts[version] += readResource(path) + QLatin1Char('\n');
    }
    for (auto it2 = dialectParts.cbegin(); it2 != dialectParts.cend(); ++it2)
        steps[it2.key()].sql += it2.value();
    {
        QMutexLocker lock(&g_schemaMutex);
        for (const auto& c : codeSteps()) {
            if (c.module != module)
                continue;
            SchemaStep& s = steps[c.step.version];
            s.version = c.step.version;
            if (s.name.isEmpty())
                s.name = c.step.name;
            s.code = c.step.code;
        }
    }
    return steps.values();
}

QStringList splitSqlScript(const QString& script)
{
    QStringList out;
    QString current;
    const int n = int(script.size());
    QChar quote;
    bool inDollar = false;
    bool inLineComment = false;
    int blockDepth = 0; // BEGIN ... END of a trigger body
    auto flush = [&] {
        const QString s = current.trimmed();
        if (!s.isEmpty())
            out << s;
        current.clear();
        blockDepth = 0;
    };
    auto wordAt = [&](int i, const char* word) {
        const int len = int(qstrlen(word));
        if (i + len > n)
            return false;
        if (i > 0 && (script.at(i - 1).isLetterOrNumber() || script.at(i - 1) == QLatin1Char('_')))
            return false;
        if (i + len < n && (script.at(i + len).isLetterOrNumber() || script.at(i + len) == QLatin1Char('_')))
            return false;
        return script.mid(i, len).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (inLineComment) {
            // Comments are dropped, so that a statement starts with its keyword.
            if (c == QLatin1Char('\n')) {
                inLineComment = false;
                current += c;
            }
            continue;
        }
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (inDollar) {
            if (c == QLatin1Char('$') && i + 1 < n && script.at(i + 1) == QLatin1Char('$')) {
                inDollar = false;
                current += QLatin1String("$$");
                ++i;
            } else {
                current += c;
            }
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) {
            inLineComment = true;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            current += c;
            continue;
        }
        if (c == QLatin1Char('$') && i + 1 < n && script.at(i + 1) == QLatin1Char('$')) {
            inDollar = true;
            current += QLatin1String("$$");
            ++i;
            continue;
        }
        // Trigger bodies of SQLite: BEGIN ... END; with statements inside.
        if (current.trimmed().startsWith(QLatin1String("CREATE TRIGGER"), Qt::CaseInsensitive)
            || current.trimmed().startsWith(QLatin1String("CREATE TEMP TRIGGER"), Qt::CaseInsensitive)) {
            if (wordAt(i, "BEGIN"))
                ++blockDepth;
            else if (wordAt(i, "CASE"))
                ++blockDepth;
            else if (wordAt(i, "END") && blockDepth > 0)
                --blockDepth;
        }
        if (c == QLatin1Char(';') && blockDepth == 0) {
            flush();
            continue;
        }
        current += c;
    }
    flush();
    // Drop pieces that hold nothing but comments.
    QStringList result;
    for (const QString& s : out) {
        QString stripped;
        for (const QString& line : s.split(QLatin1Char('\n')))
            if (!line.trimmed().startsWith(QLatin1String("--")))
                stripped += line;
        if (!stripped.trimmed().isEmpty())
            result << s;
    }
    return result;
}

int SchemaVersion(const Db& db, const QString& module)
{
    if (!db.dialect().tableExists(db, kVersionTable))
        return 0;
    Query q(db, QStringLiteral("SELECT SURUM FROM SCHEMA_SURUM WHERE MODUL = :M"));
    q.bind(QStringLiteral("M"), module).exec();
    return q.next() ? q.value(0).toInt() : 0;
}

namespace {
// Turkish case folding for case-insensitive searches; SQLite gets the same
// functions from the connection (see Database.cpp).
void ensureDialectFunctions(const Db& db)
{
    if (db.backend() != Backend::PostgreSQL)
        return;
    // Two sessions replacing one function at once fail ("tuple concurrently updated").
    Transaction tx(db);
    db.dialect().lockSchemaChanges(db);
    for (const QString& statement : db.dialect().caseFoldingFunctions())
        db.exec(statement);
    tx.commit();
}
} // namespace

namespace {

// Runs one step unless another workstation has run it while this one waited.
void applyStep(const Db& db, const QString& module, const SchemaStep& step)
{
    Transaction tx(db);
    db.dialect().lockSchemaChanges(db);
    if (SchemaVersion(db, module) >= step.version) {
        tx.commit();
        return;
    }
    for (const QString& statement : splitSqlScript(db.dialect().expandSchemaTokens(step.sql))) {
        try {
            Query q(db);
            q.prepare(statement).exec();
        } catch (const DbError& e) {
            DbError failed(e.kind(),
                           QStringLiteral("Veritabanı güncellenemedi (%1, adım %2 %3): %4")
                               .arg(module).arg(step.version).arg(step.name, e.text()),
                           e.nativeCode());
            failed.setDetail(e.driverText(), e.statement());
            throw failed;
        }
    }
    if (step.code)
        step.code(db);
    db.exec(db.dialect().upsert(kVersionTable, {QStringLiteral("MODUL")},
                                {QStringLiteral("MODUL"), QStringLiteral("SURUM")}),
            {{QStringLiteral("MODUL"), module}, {QStringLiteral("SURUM"), step.version}});
    tx.commit();
}

// A workstation that finds another one upgrading the database waits for it
// (a step may take longer than the lock time-out of one statement) rather
// than failing its start.
constexpr int kSchemaWaitMs = 5 * 60 * 1000;

void whileBusyRetry(const Db& db, const std::function<void()>& work)
{
    QDeadlineTimer deadline(kSchemaWaitMs);
    for (;;) {
        try {
            work();
            return;
        } catch (const DbError& e) {
            // Inside a caller's transaction the wait would hold the caller's locks.
            if (!e.isBusy() || db.inTransaction() || deadline.hasExpired())
                throw;
        }
        QThread::msleep(100);
    }
}

} // namespace

void ApplySchemaSteps(const Db& db, const QString& module, const QList<SchemaStep>& steps)
{
    whileBusyRetry(db, [&] { ensureVersionTable(db); });
    const int current = SchemaVersion(db, module);
    for (const SchemaStep& step : steps) {
        if (step.version > current)
            whileBusyRetry(db, [&] { applyStep(db, module, step); });
    }
}

void ApplyMigrations(const Db& db, DatabaseKind kind)
{
    whileBusyRetry(db, [&] { ensureDialectFunctions(db); });
    whileBusyRetry(db, [&] { ensureVersionTable(db); });
    for (const QString& module : SchemaRegistry::modules(kind))
        ApplySchemaSteps(db, module, schemaSteps(module, db.backend()));
}

bool DatabaseExists(const ConnectionProfile& profile)
{
    if (profile.backend == Backend::SQLite)
        return QFile::exists(profile.filePath);
    const QString name = maintenanceName();
    bool exists = false;
    {
        Db m = Db::open(maintenanceProfile(profile), name);
        Query q(m, QStringLiteral("SELECT COUNT(*) FROM pg_database WHERE datname = :N"));
        q.bind(QStringLiteral("N"), profile.database).exec();
        exists = q.next() && q.value(0).toInt() > 0;
    }
    Db::close(name);
    return exists;
}

void CreateEmptyDatabase(const ConnectionProfile& profile)
{
    if (DatabaseExists(profile))
        throw DbError(DbError::Kind::UniqueViolation,
                      QStringLiteral("Veritabanı zaten var: %1").arg(profile.describe()));
    if (profile.backend == Backend::PostgreSQL) {
        if (!Dialect::isPlainIdentifier(profile.database))
            throw DbError(DbError::Kind::Other,
                          QStringLiteral("Geçersiz veritabanı adı: %1").arg(profile.database));
        const QString name = maintenanceName();
        {
            Db m = Db::open(maintenanceProfile(profile), name);
            // A name cannot be bound; it was checked to be a plain identifier above.
            QSqlQuery q(m.sql());
            if (!q.exec(QStringLiteral("CREATE DATABASE \"%1\" TEMPLATE template0 ENCODING 'UTF8'")
                            .arg(profile.database)))
                throwDbError(q.lastError(), Backend::PostgreSQL);
        }
        Db::close(name);
    }
}

void CreateDatabase(const ConnectionProfile& profile, DatabaseKind kind)
{
    CreateEmptyDatabase(profile);
    const QString name = maintenanceName();
    try {
        // The one place a database file may come into being.
        ConnectionProfile creating = profile;
        creating.mustExist = false;
        Db db = Db::open(creating, name);
        ApplyMigrations(db, kind);
        Db::close(name);
    } catch (...) {
        Db::close(name);
        try {
            DropDatabase(profile);
        } catch (...) {
        }
        throw;
    }
}

void DropDatabase(const ConnectionProfile& profile)
{
    if (profile.backend == Backend::SQLite) {
        QFile::remove(profile.filePath);
        QFile::remove(profile.filePath + QStringLiteral("-wal"));
        QFile::remove(profile.filePath + QStringLiteral("-shm"));
        return;
    }
    if (!Dialect::isPlainIdentifier(profile.database))
        return;
    const QString name = maintenanceName();
    {
        Db m = Db::open(maintenanceProfile(profile), name);
        QSqlQuery q(m.sql());
        if (!q.exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(profile.database)))
            throwDbError(q.lastError(), Backend::PostgreSQL);
    }
    Db::close(name);
}

} // namespace tornaly
