#pragma once
#include "context/SessionContext.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "messages/ScriptedMessages.h"

#include "testsupport/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace tornaly::test {

// The backend the test command chose: TORNALY_TEST_BACKEND=sqlite|postgres.
Backend TestBackend();
const char* TestBackendName();

// A fresh, empty database of one kind on the chosen backend, with every
// registered module of that kind applied; removed again on destruction.
class TestDatabase {
public:
    explicit TestDatabase(DatabaseKind kind = DatabaseKind::Company, bool migrate = true);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const ConnectionProfile& profile() const { return m_profile; }
    // The connection the fixture opened.
    Db db() const { return m_db; }
    // Another connection to the same database, for this thread.
    Db open(const QString& connectionName) const;

private:
    QTemporaryDir m_dir;
    ConnectionProfile m_profile;
    QString m_connectionName;
    Db m_db;
};

// A profile for a database that does not exist yet (SQLite file in `dir`,
// or a unique PostgreSQL database name on the test server).
ConnectionProfile FreshProfile(const QString& dir);

// Runs `work` on `count` threads, each on its own connection to `profile` as a
// separate workstation would, released together. Returns what failed.
QStringList OnWorkstations(const ConnectionProfile& profile, int count,
                           const std::function<void(const Db& own, int index)>& work);

// Holds the server's clock at one moment while it lives, so that a test can
// tell the server's stamps from the workstation's.
class FixedServerClock {
public:
    explicit FixedServerClock(const QDateTime& at);
    ~FixedServerClock();
    FixedServerClock(const FixedServerClock&) = delete;
    FixedServerClock& operator=(const FixedServerClock&) = delete;
};

// The usual fixture: scripted messages, a company database and a context
// with a user who has every right.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Registers the schema modules the test needs; the core by default.
    virtual void registerSchema();

    ScriptedMessages messages;
    std::unique_ptr<TestDatabase> database;
    SessionContext ctx;
    Db db;
};

} // namespace tornaly::test
