#include "counters/Counters.h"
#include "db/BatchInsert.h"
#include "db/Statement.h"
#include "testsupport/TestSupport.h"

#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>

#include <libpq-fe.h>
#include <sqlite3.h>

using namespace tornaly;
using namespace tornaly::test;

namespace {

class StatementCacheTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        db.exec(QStringLiteral("CREATE TABLE KAYIT (NO INTEGER NOT NULL PRIMARY KEY, ADI VARCHAR(80), "
                               "TUTAR DOUBLE PRECISION, TARIH TIMESTAMP, GUN DATE, VERI {{BLOB}})")
                    .replace(QLatin1String("{{BLOB}}"), db.dialect().blobType()));
        for (int i = 1; i <= 3; ++i)
            db.exec(QStringLiteral("INSERT INTO KAYIT (NO, ADI, TUTAR) VALUES (:N, :A, :T)"),
                    {{QStringLiteral("N"), i}, {QStringLiteral("A"), QStringLiteral("ad%1").arg(i)},
                     {QStringLiteral("T"), i * 1.5}});
    }

    qint64 count(const QString& sql)
    {
        Query q(db, sql);
        q.exec();
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    // Runs the same text as every caller of a list does: the connection keeps it prepared.
    QStringList read(const Db& on, int no)
    {
        Query q(on, QStringLiteral("SELECT * FROM KAYIT WHERE NO >= :N ORDER BY NO"));
        q.bind(QStringLiteral("N"), no).exec();
        QStringList out;
        while (q.next()) {
            QStringList row;
            const QSqlRecord r = q.record();
            for (int c = 0; c < r.count(); ++c)
                row << r.fieldName(c).toUpper() + QLatin1Char('=') + r.value(c).toString();
            out << row.join(QLatin1Char(' '));
        }
        return out;
    }
};

TEST_F(StatementCacheTest, KeptStatementSeesTheTablesAfterASchemaChange)
{
    for (int i = 0; i < 3; ++i) // kept prepared from the second run on
        ASSERT_EQ(read(db, 2).size(), 2);
    EXPECT_FALSE(read(db, 2).first().contains(QStringLiteral("YENI=")));

    // A migration on the same connection.
    db.exec(QStringLiteral("ALTER TABLE KAYIT ADD COLUMN YENI VARCHAR(5)"));
    db.exec(QStringLiteral("UPDATE KAYIT SET YENI = 'y'"));
    QStringList rows = read(db, 2);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows.first().startsWith(QStringLiteral("NO=2 ADI=ad2"))) << rows.first().toStdString();
    EXPECT_TRUE(rows.first().endsWith(QStringLiteral("YENI=y"))) << rows.first().toStdString();

    // A migration run by another workstation: this connection learns of it when it runs the text again.
    Db other = database->open(QStringLiteral("other"));
    other.exec(QStringLiteral("ALTER TABLE KAYIT ADD COLUMN SON INTEGER"));
    other.exec(QStringLiteral("UPDATE KAYIT SET SON = NO * 10"));
    other = Db();
    Db::close(QStringLiteral("other"));
    rows = read(db, 3);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows.first().endsWith(QStringLiteral("YENI=y SON=30"))) << rows.first().toStdString();
}

TEST_F(StatementCacheTest, KeptStatementsWorkAfterAFailedTransaction)
{
    const QString insert = QStringLiteral("INSERT INTO KAYIT (NO, ADI) VALUES (:N, :A)");
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE(attempt);
        try {
            Transaction tx(db);
            // Prepared (or taken from the connection's statements) inside the transaction that fails.
            db.exec(insert, {{QStringLiteral("N"), 10 + attempt}, {QStringLiteral("A"), QStringLiteral("yeni")}});
            ASSERT_EQ(read(db, 1).size(), 4);
            db.exec(insert, {{QStringLiteral("N"), 1}, {QStringLiteral("A"), QStringLiteral("çift")}});
            tx.commit();
            FAIL() << "a duplicate key was accepted";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isUniqueViolation()) << e.text().toStdString();
        }
        EXPECT_FALSE(db.inTransaction());
        EXPECT_EQ(read(db, 1).size(), 3) << "the failed transaction left a row";
    }
    db.exec(insert, {{QStringLiteral("N"), 20}, {QStringLiteral("A"), QStringLiteral("sonra")}});
    EXPECT_EQ(read(db, 20).size(), 1);
}

TEST_F(StatementCacheTest, AnErrorSwallowedInsideATransactionIsNotCommittedAsSuccess)
{
    Transaction tx(db);
    db.exec(QStringLiteral("UPDATE KAYIT SET ADI = 'x' WHERE NO = 1"));
    try {
        db.exec(QStringLiteral("INSERT INTO KAYIT (NO) VALUES (1)"));
    } catch (const DbError&) {
    }
    if (db.backend() == Backend::PostgreSQL) {
        // The server refuses the rest of the transaction: the commit must say so.
        EXPECT_THROW(tx.commit(), DbError);
        Query q(db, QStringLiteral("SELECT ADI FROM KAYIT WHERE NO = 1"));
        q.exec();
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.str(QStringLiteral("ADI")), QStringLiteral("ad1"));
    } else {
        tx.commit(); // SQLite undoes the failed statement only
    }
    EXPECT_FALSE(db.inTransaction());
}

TEST_F(StatementCacheTest, TimestampsComeBackTypedByTheColumnOnBothBackends)
{
    const QDateTime when(QDate(2026, 12, 31), QTime(14, 5, 7, 250));
    db.exec(QStringLiteral("UPDATE KAYIT SET TARIH = :T, GUN = :G WHERE NO = 1"),
            {{QStringLiteral("T"), when}, {QStringLiteral("G"), QDate(2026, 12, 31)}});
    Query q(db, QStringLiteral("SELECT NO, TARIH, GUN, ADI, TUTAR FROM KAYIT ORDER BY NO"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(QStringLiteral("TARIH")).typeId(), QMetaType::QDateTime);
    EXPECT_EQ(q.value(QStringLiteral("TARIH")).toDateTime(), when);
    EXPECT_EQ(q.value(QStringLiteral("GUN")).typeId(), QMetaType::QDate);
    EXPECT_EQ(q.value(QStringLiteral("GUN")).toDate(), QDate(2026, 12, 31));
    EXPECT_EQ(q.str(QStringLiteral("TARIH")), QStringLiteral("2026-12-31 14:05:07.250"));
    EXPECT_EQ(q.record().field(QStringLiteral("TARIH")).metaType().id(), QMetaType::QDateTime);
    EXPECT_EQ(q.record().field(QStringLiteral("TUTAR")).metaType().id(), QMetaType::Double);
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(QStringLiteral("TARIH")).isNull());
    EXPECT_EQ(q.value(QStringLiteral("TARIH")).typeId(), QMetaType::QDateTime);
    EXPECT_TRUE(q.isNull(QStringLiteral("GUN")));
    EXPECT_FALSE(q.isNull(QStringLiteral("ADI")));
}

TEST_F(StatementCacheTest, BatchInsertWritesEveryValueAsASingleInsertWould)
{
    const QString awkward = QStringLiteral("tab\there\nnew line \\ back-slash 'q' \"dq\" İşçi");
    const QByteArray bytes("\x00\x01\xff\\\t\n", 6);
    {
        Transaction tx(db);
        BatchInsert b(db, QStringLiteral("KAYIT"),
                      {QStringLiteral("NO"), QStringLiteral("ADI"), QStringLiteral("TUTAR"), QStringLiteral("TARIH"),
                       QStringLiteral("GUN"), QStringLiteral("VERI")});
        for (int i = 0; i < BatchInsert::RowsPerCopy + 7; ++i) {
            b.value(100 + i)
                .value(i == 0 ? awkward : (i == 1 ? QVariant(QMetaType(QMetaType::QString)) : QVariant(QStringLiteral("r%1").arg(i))))
                .value(i * 0.1)
                .value(QDateTime(QDate(2026, 1, 1), QTime(10, 0)).addSecs(i))
                .value(QDate(2026, 2, 1))
                .value(i == 0 ? QVariant(bytes) : QVariant(QMetaType(QMetaType::QByteArray)));
            b.endRow();
        }
        b.flush();
        EXPECT_EQ(b.rowsWritten(), BatchInsert::RowsPerCopy + 7);
        tx.commit();
    }
    Query q(db, QStringLiteral("SELECT * FROM KAYIT WHERE NO >= :N ORDER BY NO"));
    q.bind(QStringLiteral("N"), 100).exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.str(QStringLiteral("ADI")), awkward);
    EXPECT_EQ(q.value(QStringLiteral("VERI")).toByteArray(), bytes);
    EXPECT_EQ(q.dateTime(QStringLiteral("TARIH")), QDateTime(QDate(2026, 1, 1), QTime(10, 0)));
    EXPECT_EQ(q.date(QStringLiteral("GUN")), QDate(2026, 2, 1));
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.isNull(QStringLiteral("ADI")));
    EXPECT_DOUBLE_EQ(q.num(QStringLiteral("TUTAR")), 0.1);
    q.finish();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM KAYIT WHERE NO >= 100")), BatchInsert::RowsPerCopy + 7);

    // A refused row fails the batch with the error a single INSERT gives; the transaction keeps nothing.
    try {
        Transaction tx(db);
        BatchInsert b(db, QStringLiteral("KAYIT"), {QStringLiteral("NO"), QStringLiteral("ADI")});
        b.value(90000).value(QStringLiteral("a"));
        b.endRow();
        b.value(1).value(QStringLiteral("var olan"));
        b.endRow();
        b.flush();
        tx.commit();
        FAIL() << "a duplicate key was written";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.text().toStdString();
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM KAYIT WHERE NO = 90000")), 0);
    // Rows of the wrong width and names that are no plain identifiers never reach the server.
    BatchInsert narrow(db, QStringLiteral("KAYIT"), {QStringLiteral("NO"), QStringLiteral("ADI")});
    narrow.value(600);
    EXPECT_THROW(narrow.endRow(), DbError);
    EXPECT_THROW(BatchInsert(db, QStringLiteral("KAYIT; DROP TABLE KAYIT"), {QStringLiteral("NO")}), DbError);
}

// A connection still registered when the program ends loses its client
// handle to Qt before its kept statements end (Qt's connections are torn
// down first), so a cache that ends without Db::close must not use the
// handle: once the first connection of a run dropped a PostgreSQL
// statement through a freed handle at exit and the test program crashed.
TEST_F(StatementCacheTest, ACacheEndingWithoutCloseLeavesItsHandleAlone)
{
    // A connection of its own, whose statement names no other cache has used.
    const QString name = QStringLiteral("cikista_acik");
    Db own = database->open(name);
    const QVariant h = own.sql().driver()->handle();
    void* handle = *static_cast<void* const*>(h.constData());
    // Statements the handle holds: prepared on the server, or open on the SQLite connection.
    const auto held = [&] {
        qint64 n = 0;
        if (own.backend() == Backend::PostgreSQL) {
            // Asked past the connection's own cache, which would prepare
            // the question itself under a name the cache below also uses.
            QSqlQuery q(own.sql());
            n = q.exec(QStringLiteral("SELECT COUNT(*) FROM pg_prepared_statements")) && q.next()
                    ? q.value(0).toLongLong()
                    : -1;
        } else {
            for (sqlite3_stmt* st = sqlite3_next_stmt(static_cast<sqlite3*>(handle), nullptr); st;
                 st = sqlite3_next_stmt(static_cast<sqlite3*>(handle), st))
                ++n;
        }
        return n;
    };
    const QString text = QStringLiteral("SELECT ADI FROM KAYIT WHERE NO = :N AND ADI <> :A");
    const qint64 before = held();
    {
        StatementCache cache(own.backend(), handle);
        for (int run = 0; run < 2; ++run) // kept prepared from the second run on
            cache.giveBack(text, cache.take(text));
        ASSERT_EQ(held(), before + 1);
    }
    if (own.backend() == Backend::PostgreSQL)
        EXPECT_EQ(held(), before + 1); // the server drops it with the connection; nothing was sent
    else
        EXPECT_EQ(held(), before); // SQLite statements always end before their connection
    own = Db();
    Db::close(name);
}

} // namespace
