// Several workstations on one database, and what a failure leaves behind.
#include "db/Database.h"
#include "db/Schema.h"
#include "history/ChangeLogSchema.h"
#include "report/SayfAyar.h"
#include "testsupport/TestSupport.h"

#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <atomic>
#include <barrier>
#include <chrono>
#include <thread>

using namespace tornaly;
using namespace tornaly::test;

namespace {

qint64 count(const Db& db, const QString& sql)
{
    Query q(db, sql);
    q.exec();
    return q.next() ? q.value(0).toLongLong() : -1;
}

class DbSafetyTest : public DbTest {};

TEST_F(DbSafetyTest, WorkstationsOpeningAnOlderDatabaseRunEachStepOnce)
{
    const QList<SchemaStep> steps{
        {1, QStringLiteral("tablo"), QStringLiteral("CREATE TABLE GOC_DENEME (ID INTEGER NOT NULL PRIMARY KEY, "
                                                    "ADI VARCHAR(20));")},
        {2, QStringLiteral("satir"), QStringLiteral("INSERT INTO GOC_DENEME (ID, ADI) VALUES (1, 'bir');")},
        {3, QStringLiteral("sutun"), QStringLiteral("ALTER TABLE GOC_DENEME ADD COLUMN NOTU VARCHAR(20);")},
    };
    for (int round = 0; round < 3; ++round) {
        const QString module = QStringLiteral("goc_deneme_%1").arg(round);
        const QStringList failures = OnWorkstations(database->profile(), 4, [&](const Db& own, int) {
            ApplySchemaSteps(own, module, steps);
        });
        EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(SchemaVersion(db, module), 3);
        EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM GOC_DENEME")), 1);
        db.exec(QStringLiteral("DROP TABLE GOC_DENEME"));
    }
}

TEST_F(DbSafetyTest, AWorkstationWaitsForAnotherOneUpgradingTheDatabase)
{
    const QString module = QStringLiteral("bekleme_deneme");
    const QList<SchemaStep> steps{
        {1, QStringLiteral("tablo"), QStringLiteral("CREATE TABLE BEKLEME_DENEME (ID INTEGER);")}};
    std::atomic<bool> done{false};
    QStringList failures;
    {
        Db upgrading = database->open(QStringLiteral("upgrading"));
        Transaction hold(upgrading);
        upgrading.dialect().lockSchemaChanges(upgrading);
        std::thread starting([&] {
            failures = OnWorkstations(database->profile(), 1, [&](const Db& own, int) {
                ApplySchemaSteps(own, module, steps);
            });
            done = true;
        });
        // Longer than one statement waits for a lock (two seconds in tests).
        std::this_thread::sleep_for(std::chrono::milliseconds(3500));
        EXPECT_FALSE(done.load());
        hold.commit();
        starting.join();
    }
    Db::close(QStringLiteral("upgrading"));
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(SchemaVersion(db, module), 1);
}

TEST_F(DbSafetyTest, SqliteWritesEveryCommitThrough)
{
    if (db.backend() != Backend::SQLite)
        GTEST_SKIP() << "PostgreSQL flushes its own log";
    // 2 = FULL: a committed document survives a power cut in WAL mode.
    EXPECT_EQ(count(db, QStringLiteral("PRAGMA synchronous")), 2);
}

TEST_F(DbSafetyTest, AFailedStatementIsKeptAndLoggedWithoutItsValues)
{
    QTemporaryDir dataDir;
    qputenv("TORNALY_DATA_DIR", dataDir.path().toUtf8());
    const QString statement = QStringLiteral("SELECT ADI FROM YOK_BOYLE_TABLO WHERE ADI = :ADI");
    try {
        Query q(db, statement);
        q.bind(QStringLiteral("ADI"), QStringLiteral("gizli-değer-42")).exec();
        ADD_FAILURE() << "a missing table was read";
    } catch (const DbError& e) {
        EXPECT_EQ(e.statement(), statement);
        EXPECT_FALSE(e.driverText().isEmpty());
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Veritabanı işlemi yapılamadı."))) << e.text().toStdString();
        EXPECT_FALSE(e.text().contains(e.driverText()));
    }

    db.exec(QStringLiteral("CREATE TABLE TEKIL_DENEME (KOD VARCHAR(5) NOT NULL PRIMARY KEY)"));
    const QString insert = QStringLiteral("INSERT INTO TEKIL_DENEME (KOD) VALUES (:KOD)");
    db.exec(insert, {{QStringLiteral("KOD"), QStringLiteral("K-77")}});
    try {
        db.exec(insert, {{QStringLiteral("KOD"), QStringLiteral("K-77")}});
        ADD_FAILURE() << "a duplicate key was stored";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isUniqueViolation());
        EXPECT_TRUE(e.text().startsWith(DbErrorUserText(DbError::Kind::UniqueViolation))) << e.text().toStdString();
        EXPECT_EQ(e.statement(), insert);
    }
    qunsetenv("TORNALY_DATA_DIR");

    QFile log(dataDir.filePath(QStringLiteral("logs/veritabani-hatalari.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(statement)) << text.toStdString();
    EXPECT_TRUE(text.contains(insert));
    EXPECT_FALSE(text.contains(QStringLiteral("gizli-değer-42")));
    EXPECT_EQ(log.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
}

TEST_F(DbSafetyTest, EachConnectionRecordsItsOwnUserInTheHistory)
{
    db.exec(QStringLiteral("CREATE TABLE GECMIS_DENEME (KOD VARCHAR(10), ADI VARCHAR(20))"));
    EnableChangeLog(db, QStringLiteral("GECMIS_DENEME"),
                    {{QStringLiteral("KOD"), QStringLiteral("VARCHAR(10)")},
                     {QStringLiteral("ADI"), QStringLiteral("VARCHAR(20)")}});
    const bool legacy = db.backend() == Backend::SQLite;
    if (legacy) {
        // History triggers of databases made before the user became the
        // connection's own read it from CLOG_OTURUM.
        db.exec(QStringLiteral("CREATE TABLE ESKI_DENEME (KOD VARCHAR(10))"));
        db.exec(QStringLiteral("CREATE TABLE CLOG_ESKI_DENEME (LOG_USER VARCHAR(32), KOD VARCHAR(10))"));
        db.exec(QStringLiteral("CREATE TRIGGER CLOG_ESKI_DENEME_INS AFTER INSERT ON ESKI_DENEME FOR EACH ROW BEGIN "
                               "INSERT INTO CLOG_ESKI_DENEME (LOG_USER, KOD) VALUES "
                               "(COALESCE((SELECT LOG_USER FROM CLOG_OTURUM WHERE ID = 1), ''), NEW.KOD); END"));
    }
    {
        Db ayse = database->open(QStringLiteral("ws_ayse"));
        Db mehmet = database->open(QStringLiteral("ws_mehmet"));
        SetChangeLogUser(ayse, QStringLiteral("AYŞE"));
        SetChangeLogUser(mehmet, QStringLiteral("MEHMET"));
        const QString insert = QStringLiteral("INSERT INTO GECMIS_DENEME (KOD, ADI) VALUES (:K, 'x')");
        ayse.exec(insert, {{QStringLiteral("K"), QStringLiteral("A1")}});
        mehmet.exec(insert, {{QStringLiteral("K"), QStringLiteral("M1")}});
        ayse.exec(QStringLiteral("UPDATE GECMIS_DENEME SET ADI = 'y' WHERE KOD = 'A1'"));
        mehmet.exec(QStringLiteral("DELETE FROM GECMIS_DENEME WHERE KOD = 'A1'"));
        if (legacy) {
            ayse.exec(QStringLiteral("INSERT INTO ESKI_DENEME (KOD) VALUES ('A2')"));
            mehmet.exec(QStringLiteral("INSERT INTO ESKI_DENEME (KOD) VALUES ('M2')"));
        }
    }
    Db::close(QStringLiteral("ws_ayse"));
    Db::close(QStringLiteral("ws_mehmet"));

    Query q(db, QStringLiteral("SELECT LOG_STATE, KOD, LOG_USER FROM CLOG_GECMIS_DENEME ORDER BY LOG_DATE, LOG_STATE"));
    q.exec();
    QStringList seen;
    while (q.next())
        seen << QStringLiteral("%1 %2 %3").arg(q.integer(QStringLiteral("LOG_STATE")))
                    .arg(q.str(QStringLiteral("KOD")), q.str(QStringLiteral("LOG_USER")));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("0 A1 AYŞE"), QStringLiteral("0 M1 MEHMET"),
                                 QStringLiteral("1 A1 AYŞE"), QStringLiteral("2 A1 MEHMET")}));
    if (legacy) {
        Query old(db, QStringLiteral("SELECT KOD, LOG_USER FROM CLOG_ESKI_DENEME ORDER BY KOD"));
        old.exec();
        QStringList rows;
        while (old.next())
            rows << old.str(QStringLiteral("KOD")) + QLatin1Char(' ') + old.str(QStringLiteral("LOG_USER"));
        EXPECT_EQ(rows, (QStringList{QStringLiteral("A2 AYŞE"), QStringLiteral("M2 MEHMET")}));
    }
}

void expectTurkishFolding(const Db& d)
{
    Query q(d, QStringLiteral("SELECT TR_UPPER(:S) AS U, TR_LOWER(:S) AS L"));
    q.bind(QStringLiteral("S"), QStringLiteral("çğıiöşü âîû istanbul IŞIK ÇİĞDEM Ä")).exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("U")), QStringLiteral("ÇĞIİÖŞÜ ÂÎÛ İSTANBUL IŞIK ÇİĞDEM Ä"));
    EXPECT_EQ(q.str(QStringLiteral("L")), QStringLiteral("çğıiöşü âîû istanbul ışık çiğdem ä"));

    d.exec(QStringLiteral("CREATE TABLE KATLAMA_DENEME (ADI VARCHAR(40))"));
    for (const char* name : {"ÇİĞDEM ÖZTÜRK", "ISPARTA", "ılgaz şükrü"})
        d.exec(QStringLiteral("INSERT INTO KATLAMA_DENEME (ADI) VALUES (:A)"),
               {{QStringLiteral("A"), QString::fromUtf8(name)}});
    struct C {
        const char* typed;
        int found;
    } const cases[] = {{"çiğdem öz", 1}, {"ıspar", 1}, {"ispar", 0}, {"ILGAZ ŞÜK", 1}, {"Ilgaz", 1}, {"ilgaz", 0}};
    for (const auto& c : cases) {
        Query s(d, QStringLiteral("SELECT COUNT(*) FROM KATLAMA_DENEME WHERE ")
                       + d.dialect().ciLike(QStringLiteral("ADI"), QStringLiteral("P")));
        s.bind(QStringLiteral("P"), Dialect::escapeLike(QString::fromUtf8(c.typed)) + QLatin1Char('%')).exec();
        ASSERT_TRUE(s.next());
        EXPECT_EQ(s.value(0).toInt(), c.found) << c.typed;
    }
}

TEST_F(DbSafetyTest, TurkishFoldingDoesNotDependOnTheServerLocale)
{
    expectTurkishFolding(db);
    if (db.backend() != Backend::PostgreSQL)
        return;
    // A database whose character type is plain C: UPPER() there changes a-z only.
    ConnectionProfile maint = database->profile();
    maint.database = QStringLiteral("postgres");
    ConnectionProfile cProfile = database->profile();
    cProfile.database += QStringLiteral("_c");
    {
        Db m = Db::open(maint, QStringLiteral("maint_c_locale"));
        m.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'")
                   .arg(cProfile.database));
    }
    Db::close(QStringLiteral("maint_c_locale"));
    {
        Db c = Db::open(cProfile, QStringLiteral("c_locale"));
        Query loc(c, QStringLiteral("SELECT datctype FROM pg_database WHERE datname = current_database()"));
        loc.exec();
        ASSERT_TRUE(loc.next());
        EXPECT_EQ(loc.str(QStringLiteral("datctype")), QStringLiteral("C"));
        ApplyMigrations(c, DatabaseKind(-1));
        expectTurkishFolding(c);
    }
    Db::close(QStringLiteral("c_locale"));
    DropDatabase(cProfile);
}

TEST_F(DbSafetyTest, PageSetupsSavedTogetherKeepOneRowEach)
{
    // Every round the workstations save the same new setup at the same moment.
    constexpr int kStations = 5;
    constexpr int kReports = 25;
    std::barrier together(kStations);
    QMutex mutex;
    QStringList refused;
    const QStringList failures = OnWorkstations(database->profile(), kStations, [&](const Db& own, int i) {
        for (int k = 0; k < kReports; ++k) {
            together.arrive_and_wait();
            report::PageSetupValues v;
            v.PASADI = QStringLiteral("FormDeneme");
            v.QUIKAD = QStringLiteral("Rapor%1").arg(k);
            v.SAYFAISIM = QStringLiteral("A4");
            v.PRBICIMI = QStringLiteral("D");
            v.SAG = i;
            try {
                report::SavePageSetup(own, v);
            } catch (const DbError& e) {
                QMutexLocker l(&mutex);
                refused << e.driverText();
            }
        }
    });
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(refused.isEmpty()) << refused.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM MSAYFA WHERE PASADI = 'FormDeneme'")), kReports);
}

TEST_F(DbSafetyTest, ClearingTheHistoryIsAllOrNothing)
{
    db.exec(QStringLiteral("CREATE TABLE CLOG_BIR (KOD VARCHAR(5))"));
    db.exec(QStringLiteral("INSERT INTO CLOG_BIR (KOD) VALUES ('x')"));
    db.exec(QStringLiteral("CREATE TABLE KAYNAK_DENEME (N INTEGER)"));
    // A view that cannot be emptied stands in for a table whose delete fails.
    db.exec(QStringLiteral("CREATE VIEW CLOG_IKI AS SELECT COUNT(*) AS N FROM KAYNAK_DENEME"));
    EXPECT_THROW(ClearChangeLogTables(db, {QStringLiteral("CLOG_BIR"), QStringLiteral("CLOG_IKI")}), DbError);
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM CLOG_BIR")), 1);

    ClearChangeLogTables(db, {QStringLiteral("CLOG_BIR"), QStringLiteral("CLOG_YOK")});
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM CLOG_BIR")), 0);
}

} // namespace
