#include "testsupport/TestSupport.h"
#include "CoreSchema.h"
#include "sql/SqlHelpers.h"

#include <QAtomicInt>
#include <QMutex>
#include <atomic>
#include <thread>
#include <QCoreApplication>
#include <QUuid>

namespace tornaly::test {

Backend TestBackend()
{
    const QString b = qEnvironmentVariable("TORNALY_TEST_BACKEND").toLower();
    return b == QLatin1String("postgres") || b == QLatin1String("postgresql") ? Backend::PostgreSQL
                                                                                : Backend::SQLite;
}

const char* TestBackendName() { return TestBackend() == Backend::SQLite ? "sqlite" : "postgres"; }

ConnectionProfile FreshProfile(const QString& dir)
{
    static QAtomicInt counter;
    const int n = counter.fetchAndAddRelaxed(1);
    if (TestBackend() == Backend::SQLite)
        return ConnectionProfile::sqlite(dir + QStringLiteral("/db%1.sqlite").arg(n));
    const QString host = qEnvironmentVariable("TORNALY_TEST_PGHOST");
    if (host.isEmpty())
        throw DbError(DbError::Kind::ConnectionFailed,
                      QStringLiteral("TORNALY_TEST_PGHOST is not set: the PostgreSQL test server is not running"));
    const int port = qEnvironmentVariableIntValue("TORNALY_TEST_PGPORT");
    QString user = qEnvironmentVariable("TORNALY_TEST_PGUSER");
    if (user.isEmpty())
        user = QStringLiteral("postgres");
    const QString name = QStringLiteral("t_%1_%2_%3")
                             .arg(QCoreApplication::applicationPid())
                             .arg(n)
                             .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    return ConnectionProfile::postgres(host, port > 0 ? port : 5432, name, user);
}

TestDatabase::TestDatabase(DatabaseKind kind, bool migrate)
{
    m_profile = FreshProfile(m_dir.path());
    m_profile.lockTimeoutMs = 2000;
    static QAtomicInt counter;
    m_connectionName = QStringLiteral("test_%1").arg(counter.fetchAndAddRelaxed(1));
    if (migrate) {
        CreateDatabase(m_profile, kind);
    } else if (m_profile.backend == Backend::PostgreSQL) {
        // An empty database: create it with no module applied.
        CreateDatabase(m_profile, DatabaseKind(-1));
    }
    m_db = Db::open(m_profile, m_connectionName);
}

TestDatabase::~TestDatabase()
{
    m_db = Db();
    Db::close(m_connectionName);
    try {
        DropDatabase(m_profile);
    } catch (...) {
    }
}

Db TestDatabase::open(const QString& connectionName) const
{
    return Db::open(m_profile, connectionName);
}

QStringList OnWorkstations(const ConnectionProfile& profile, int count,
                           const std::function<void(const Db& own, int index)>& work)
{
    static QAtomicInt serial;
    std::atomic<int> ready{0};
    QMutex mutex;
    QStringList failures;
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            const QString name = QStringLiteral("workstation_%1").arg(serial.fetchAndAddRelaxed(1));
            try {
                Db own = Db::open(profile, name);
                ++ready;
                while (ready.load() < count)
                    std::this_thread::yield();
                work(own, i);
            } catch (const DbError& e) {
                QMutexLocker l(&mutex);
                failures << e.text() + QStringLiteral(" / ") + e.driverText();
            } catch (const std::exception& e) {
                QMutexLocker l(&mutex);
                failures << QString::fromUtf8(e.what());
            }
            Db::close(name);
        });
    }
    for (auto& t : threads)
        t.join();
    return failures;
}

void DbTest::registerSchema() { core::RegisterSchema(); }

void DbTest::SetUp()
{
    SetMessageService(&messages);
    registerSchema();
    database = std::make_unique<TestDatabase>();
    db = database->db();
    ctx.Database1 = db;
    ctx.CalismaYili = QString::number(QDate::currentDate().year());
    ctx.FirmaId = 1;
    ctx.AktifKullanici.login = QStringLiteral("TEST");
    ctx.AktifKullanici.name = QStringLiteral("Test Kullanıcısı");
}

void DbTest::TearDown()
{
    ctx = SessionContext();
    db = Db();
    database.reset();
    SetMessageService(nullptr);
}

FixedServerClock::FixedServerClock(const QDateTime& at)
{
    SetServerClock([at](const Db&) { return at; });
}

FixedServerClock::~FixedServerClock() { SetServerClock({}); }

} // namespace tornaly::test
