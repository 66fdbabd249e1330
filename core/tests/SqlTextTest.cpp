#include "db/Database.h"
#include "db/Dialect.h"
#include "db/Schema.h"
#include "sql/SqlHelpers.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using namespace tornaly;

TEST(SqlText, AppendLinePadsAndClears)
{
    SqlText s;
    s.lines = QStringList{QStringLiteral("SELECT *"), QStringLiteral("FROM CARI"), QStringLiteral("WHERE 1=1")};
    AppendSqlLine(s, 4, QStringLiteral("ORDER BY KOD"));
    ASSERT_EQ(s.lines.size(), 5);
    EXPECT_EQ(s.lines[3], QString());
    EXPECT_EQ(s.lines[4], QStringLiteral(" ORDER BY KOD"));
    AppendSqlLine(s, 2, QStringLiteral("AND X=1"), true);
    EXPECT_EQ(s.lines[2], QStringLiteral(" AND X=1"));
    AddSqlParamCondition(s, 2, QStringLiteral("AND KOD = :KOD AND Y = :Y"), QStringLiteral("120"));
    EXPECT_EQ(s.binds.value(QStringLiteral("KOD")).toString(), QStringLiteral("120"));
    EXPECT_FALSE(s.binds.contains(QStringLiteral("Y")));
}

TEST(SqlText, CheckedItemsConditions)
{
    const QList<CheckedItem> items{{QStringLiteral("1"), true}, {QStringLiteral("2"), false}, {QStringLiteral("4"), true}};
    EXPECT_EQ(CheckedItemsSqlCondition(items, QStringLiteral("DURUM"), 2, false),
              QStringLiteral(" (DURUM & 1 > 0 OR DURUM & 4 > 0 )"));
    EXPECT_EQ(CheckedItemsSqlCondition(items, QStringLiteral("TIP"), 1, false), QStringLiteral(" TIP in ('1','4')"));
    EXPECT_EQ(CheckedItemsSqlCondition(items, QStringLiteral("TIP"), 3, false), QStringLiteral(" TIP in (1,4)"));
    const QList<CheckedItem> none{{QStringLiteral("A'B"), false}, {QStringLiteral("C"), false}};
    EXPECT_EQ(CheckedItemsSqlCondition(none, QStringLiteral("TIP"), 1, false), QString());
    EXPECT_EQ(CheckedItemsSqlCondition(none, QStringLiteral("TIP"), 1, true), QStringLiteral(" TIP in ('A''B','C')"));
}

TEST(SqlText, PlaceholdersSkipQuotesCommentsAndCasts)
{
    EXPECT_EQ(Query::placeholderNames(QStringLiteral(
                  "SELECT ':X', a::text FROM T -- :C\nWHERE A=:dk AND B=:TARIH AND C=:dk")),
              (QStringList{QStringLiteral("dk"), QStringLiteral("TARIH")}));
}

TEST(SqlText, ScriptSplitterKeepsTriggerAndFunctionBodies)
{
    const QString script = QStringLiteral(
        "CREATE TABLE A (X INTEGER); -- one\n"
        "CREATE TRIGGER T AFTER INSERT ON A BEGIN UPDATE A SET X = CASE WHEN X > 0 THEN 1 ELSE 0 END; "
        "INSERT INTO B VALUES (';'); END;\n"
        "CREATE FUNCTION F() RETURNS TRIGGER AS $$ BEGIN RETURN NEW; END; $$ LANGUAGE plpgsql;\n"
        "-- only a comment;\n");
    const QStringList parts = splitSqlScript(script);
    ASSERT_EQ(parts.size(), 3) << parts.join(QStringLiteral("\n----\n")).toStdString();
    EXPECT_TRUE(parts[1].endsWith(QStringLiteral("END")));
    EXPECT_TRUE(parts[2].contains(QStringLiteral("RETURN NEW; END; $$")));
}

TEST(SqlText, DialectHelpers)
{
    EXPECT_EQ(Dialect::escapeLike(QStringLiteral("%5_a\\")), QStringLiteral("\\%5\\_a\\\\"));
    EXPECT_EQ(Dialect::turkishUpper(QStringLiteral("istanbul ılık çiğ")), QStringLiteral("İSTANBUL ILIK ÇİĞ"));
    EXPECT_EQ(Dialect::turkishLower(QStringLiteral("IŞIK İZMİR")), QStringLiteral("ışık izmir"));
    EXPECT_TRUE(Dialect::isPlainIdentifier(QStringLiteral("NEWCARI")));
    EXPECT_FALSE(Dialect::isPlainIdentifier(QStringLiteral("NEWCARI; DROP")));
}

TEST(SqlText, SchemaStepsOfAModuleAreFound)
{
    const auto steps = schemaSteps(QStringLiteral("core"), Backend::SQLite);
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.first().version, 1);
    EXPECT_EQ(steps.first().name, QStringLiteral("logs"));
    EXPECT_TRUE(schemaSteps(QStringLiteral("yok"), Backend::SQLite).isEmpty());
}
