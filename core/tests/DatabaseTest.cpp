#include "db/Dialect.h"
#include "db/Schema.h"
#include "testsupport/TestSupport.h"

#include <QDir>

using namespace tornaly;
using namespace tornaly::test;

class DatabaseTest : public DbTest {
protected:
    void makeTable()
    {
        db.exec(QStringLiteral("CREATE TABLE KISI (KOD VARCHAR(10) NOT NULL PRIMARY KEY, ADI VARCHAR(40), "
                               "TUTAR DOUBLE PRECISION, TARIH TIMESTAMP, GUN DATE)"));
        db.exec(QStringLiteral("CREATE UNIQUE INDEX IX_KISI_ADI ON KISI (ADI)"));
        db.exec(QStringLiteral("CREATE INDEX IX_KISI_TUTAR ON KISI (TUTAR)"));
    }
    void insert(const QString& kod, const QString& adi, double tutar = 0)
    {
        db.exec(QStringLiteral("INSERT INTO KISI (KOD, ADI, TUTAR, TARIH, GUN) VALUES (:K, :A, :T, :D, :G)"),
                {{QStringLiteral("K"), kod}, {QStringLiteral("A"), adi}, {QStringLiteral("T"), tutar},
                 {QStringLiteral("D"), QDateTime(QDate(2026, 3, 1), QTime(23, 59, 59, 500))},
                 {QStringLiteral("G"), QDate(2026, 3, 1)}});
    }
};

TEST_F(DatabaseTest, BoundValuesRoundTripWithTypes)
{
    makeTable();
    insert(QStringLiteral("1"), QStringLiteral("O'Brien; DROP TABLE KISI"), 1234.56);
    Query q(db, QStringLiteral("SELECT * FROM KISI WHERE KOD = :K"));
    q.bind(QStringLiteral("K"), QStringLiteral("1")).exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("ADI")), QStringLiteral("O'Brien; DROP TABLE KISI"));
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("TUTAR")), 1234.56);
    EXPECT_EQ(q.dateTime(QStringLiteral("TARIH")), QDateTime(QDate(2026, 3, 1), QTime(23, 59, 59, 500)));
    EXPECT_EQ(q.date(QStringLiteral("GUN")), QDate(2026, 3, 1));

    // A half-open day range keeps the last second of the day.
    Query r(db, QStringLiteral("SELECT COUNT(*) FROM KISI WHERE TARIH >= :A AND TARIH < :B"));
    r.bind(QStringLiteral("A"), QDate(2026, 3, 1).startOfDay()).bind(QStringLiteral("B"), QDate(2026, 3, 2).startOfDay()).exec();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.value(0).toInt(), 1);
}

TEST_F(DatabaseTest, ErrorsAreClassified)
{
    makeTable();
    insert(QStringLiteral("1"), QStringLiteral("A"));
    try {
        insert(QStringLiteral("1"), QStringLiteral("B"));
        FAIL() << "duplicate key accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.text().toStdString();
    }
    try {
        db.exec(QStringLiteral("SELECT * FROM YOK_BOYLE_TABLO"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Other);
    }
}

TEST_F(DatabaseTest, TransactionsRollBackOnExceptionAndNestAsSavepoints)
{
    makeTable();
    try {
        Transaction tx(db);
        insert(QStringLiteral("1"), QStringLiteral("A"));
        insert(QStringLiteral("1"), QStringLiteral("B"));
        tx.commit();
    } catch (const DbError&) {
    }
    EXPECT_FALSE(db.inTransaction());
    // The failed unit leaves not even its first row.
    Query c(db, QStringLiteral("SELECT COUNT(*) FROM KISI"));
    c.exec();
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toInt(), 0);

    {
        Transaction outer(db);
        insert(QStringLiteral("1"), QStringLiteral("A"));
        try {
            Transaction inner(db);
            EXPECT_TRUE(inner.isNested());
            insert(QStringLiteral("2"), QStringLiteral("A")); // unique name index refuses it
            inner.commit();
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isUniqueViolation());
        }
        insert(QStringLiteral("3"), QStringLiteral("C"));
        outer.commit();
    }
    Query all(db, QStringLiteral("SELECT KOD FROM KISI ORDER BY KOD"));
    all.exec();
    QStringList kods;
    while (all.next())
        kods << all.str(QStringLiteral("KOD"));
    EXPECT_EQ(kods, (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
}

TEST_F(DatabaseTest, DialectLooksAtTablesIndexesAndTurkishCase)
{
    makeTable();
    const Dialect& d = db.dialect();
    EXPECT_TRUE(d.tableExists(db, QStringLiteral("KISI")));
    EXPECT_TRUE(d.tableExists(db, QStringLiteral("kisi")));
    EXPECT_FALSE(d.tableExists(db, QStringLiteral("YOK")));
    EXPECT_TRUE(d.columnExists(db, QStringLiteral("KISI"), QStringLiteral("TUTAR")));
    EXPECT_FALSE(d.columnExists(db, QStringLiteral("KISI"), QStringLiteral("YOK")));
    EXPECT_TRUE(d.isIndexUnique(db, QStringLiteral("KISI"), QStringLiteral("IX_KISI_ADI")));
    EXPECT_FALSE(d.isIndexUnique(db, QStringLiteral("KISI"), QStringLiteral("IX_KISI_TUTAR")));
    EXPECT_FALSE(d.isIndexUnique(db, QStringLiteral("KISI"), QStringLiteral("IX_YOK")));

    insert(QStringLiteral("1"), QStringLiteral("istanbul ışık"));
    insert(QStringLiteral("2"), QStringLiteral("IĞDIR"));
    insert(QStringLiteral("3"), QStringLiteral("100% İndirim_x"));
    auto count = [&](const QString& typed, bool wildcards) {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM KISI WHERE ") + d.ciLike(QStringLiteral("ADI"), QStringLiteral("P")));
        const QString pattern = QLatin1Char('%') + (wildcards ? typed : Dialect::escapeLike(typed)) + QLatin1Char('%');
        q.bind(QStringLiteral("P"), pattern).exec();
        q.next();
        return q.value(0).toInt();
    };
    EXPECT_EQ(count(QStringLiteral("İSTANBUL"), false), 1);
    EXPECT_EQ(count(QStringLiteral("IŞIK"), false), 1);
    EXPECT_EQ(count(QStringLiteral("ığdır"), false), 1);
    EXPECT_EQ(count(QStringLiteral("idir"), false), 0) << "i and ı are different letters";
    EXPECT_EQ(count(QStringLiteral("0%"), false), 1);
    EXPECT_EQ(count(QStringLiteral("_"), false), 1);
    EXPECT_EQ(count(QStringLiteral("_"), true), 3);

    // Upsert inserts, then updates.
    const QString up = d.upsert(QStringLiteral("KISI"), {QStringLiteral("KOD")}, {QStringLiteral("KOD"), QStringLiteral("TUTAR")});
    db.exec(up, {{QStringLiteral("KOD"), QStringLiteral("9")}, {QStringLiteral("TUTAR"), 1.0}});
    db.exec(up, {{QStringLiteral("KOD"), QStringLiteral("9")}, {QStringLiteral("TUTAR"), 2.0}});
    Query q(db, QStringLiteral("SELECT TUTAR FROM KISI WHERE KOD = '9'"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 2.0);

    Query days(db, QStringLiteral("SELECT ") + d.addDaysExpr(QStringLiteral(":D"), QStringLiteral("3")) + QStringLiteral(" AS X"));
    days.bind(QStringLiteral("D"), QDate(2026, 12, 30)).exec();
    ASSERT_TRUE(days.next());
    EXPECT_EQ(Query::toDate(days.value(0)), QDate(2027, 1, 2));
}

TEST_F(DatabaseTest, MigrationsApplyOnceAndAFailedStepLeavesNoTrace)
{
    const int newest = schemaSteps(QStringLiteral("core"), db.backend()).last().version;
    EXPECT_EQ(SchemaVersion(db, QStringLiteral("core")), newest);
    EXPECT_TRUE(db.dialect().tableExists(db, QStringLiteral("LOG_MODUL")));
    ApplyMigrations(db, DatabaseKind::Company); // again: nothing to do
    EXPECT_EQ(SchemaVersion(db, QStringLiteral("core")), newest);

    const QList<SchemaStep> steps{
        {1, QStringLiteral("first"), QStringLiteral("CREATE TABLE MIG_A (X INTEGER);"), {}},
        {2, QStringLiteral("broken"), QStringLiteral("CREATE TABLE MIG_B (X INTEGER); CREATE TABLE MIG_C (;"), {}}};
    try {
        ApplySchemaSteps(db, QStringLiteral("deneme"), steps);
        FAIL() << "a broken step was applied";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Veritabanı güncellenemedi (deneme, adım 2 broken)")))
            << e.text().toStdString();
    }
    EXPECT_EQ(SchemaVersion(db, QStringLiteral("deneme")), 1);
    EXPECT_TRUE(db.dialect().tableExists(db, QStringLiteral("MIG_A")));
    EXPECT_FALSE(db.dialect().tableExists(db, QStringLiteral("MIG_B")));
    EXPECT_FALSE(db.inTransaction());
}

TEST_F(DatabaseTest, UnreachableDatabaseGivesConnectionError)
{
    ConnectionProfile p = database->profile();
    if (p.backend == Backend::SQLite)
        p.filePath = QStringLiteral("/proc/yok/olmaz.sqlite");
    else
        p.port = 1;
    try {
        Db::open(p, QStringLiteral("broken"));
        FAIL() << "opened an unreachable database";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ConnectionFailed);
        EXPECT_TRUE(e.text().contains(QStringLiteral("bağlanılamadı")) || p.backend == Backend::SQLite)
            << e.text().toStdString();
    }
    EXPECT_FALSE(Db::attach(QStringLiteral("broken")).isValid());
}

// A newcomer reads what to do, in Turkish, not the driver's English.
TEST_F(DatabaseTest, ConnectionFailuresSayWhatToDo)
{
    if (database->profile().backend == Backend::SQLite)
        GTEST_SKIP() << "server connections only";
    struct Case {
        ConnectionProfile profile;
        QString says;
    };
    ConnectionProfile noDatabase = database->profile().withDatabase(QStringLiteral("firmakav_yok"));
    ConnectionProfile noRole = database->profile();
    noRole.user = QStringLiteral("kimse_yok");
    ConnectionProfile noServer = database->profile();
    noServer.port = 1;
    for (const Case& c : {Case{noDatabase, QStringLiteral("\"firmakav_yok\" veritabanı yok")},
                          Case{noRole, QStringLiteral("\"kimse_yok\" adlı veritabanı kullanıcısı yok")},
                          Case{noServer, QStringLiteral("Sunucunun çalıştığını")}}) {
        try {
            Db::open(c.profile, QStringLiteral("broken"));
            ADD_FAILURE() << "opened " << c.profile.describe().toStdString();
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(c.says)) << e.text().toStdString();
            EXPECT_FALSE(e.text().contains(QStringLiteral("FATAL"))) << e.text().toStdString();
        }
    }
}

TEST_F(DatabaseTest, CreatingAnExistingDatabaseIsRefused)
{
    EXPECT_TRUE(DatabaseExists(database->profile()));
    EXPECT_THROW(CreateDatabase(database->profile(), DatabaseKind::Company), DbError);
    EXPECT_TRUE(DatabaseExists(database->profile()));
}

// The connection keeps its answers about the schema, and each change it makes
// to the schema (or undoes) is seen by the next question.
TEST_F(DatabaseTest, SchemaAnswersFollowTheConnectionsOwnChanges)
{
    const Dialect& d = db.dialect();
    const QString t = QStringLiteral("YENI_TABLO");
    const QString c = QStringLiteral("EK");
    EXPECT_FALSE(d.tableExists(db, t));
    EXPECT_FALSE(d.columnExists(db, t, c));
    db.exec(QStringLiteral("CREATE TABLE YENI_TABLO (KOD INTEGER)"));
    EXPECT_TRUE(d.tableExists(db, QStringLiteral("yeni_tablo")));
    EXPECT_FALSE(d.columnExists(db, t, c));
    db.exec(QStringLiteral("ALTER TABLE YENI_TABLO ADD COLUMN EK INTEGER"));
    EXPECT_TRUE(d.columnExists(db, t, c));
    {
        Transaction tr(db);
        db.exec(QStringLiteral("CREATE TABLE GECICI_TABLO (KOD INTEGER)"));
        EXPECT_TRUE(d.tableExists(db, QStringLiteral("GECICI_TABLO")));
        tr.rollback();
    }
    EXPECT_FALSE(d.tableExists(db, QStringLiteral("GECICI_TABLO")));
    db.exec(QStringLiteral("DROP TABLE YENI_TABLO"));
    EXPECT_FALSE(d.tableExists(db, t));
    EXPECT_FALSE(d.columnExists(db, t, c));
}
