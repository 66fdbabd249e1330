#include "context/SessionContext.h"
#include "money/Money.h"
#include "testsupport/QtPrinters.h"

#include <QObject>
#include <gtest/gtest.h>

using namespace tornaly;

struct RoundCase {
    const char* routine;
    const char* letter;
    double in;
    double out;
};

class RoundingTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTable, RoundsTheDecimalTheUserSees)
{
    const RoundCase c = GetParam();
    double got = 0;
    const std::string r = c.routine;
    if (r == "RoundTo2")
        got = RoundTo2(c.in);
    else if (r == "RoundHalfUp2")
        got = RoundHalfUp2(c.in);
    else
        got = RoundByType(QString::fromLatin1(c.letter), 2, c.in);
    EXPECT_DOUBLE_EQ(got, c.out) << c.routine << "(" << c.letter << ", " << c.in << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Money, RoundingTable,
    ::testing::Values(
        RoundCase{"RoundHalfUp2", "", 1.005, 1.01}, RoundCase{"RoundHalfUp2", "", 1.0049999, 1.00},
        RoundCase{"RoundHalfUp2", "", 0.0, 0.0}, RoundCase{"RoundHalfUp2", "", 2.675, 2.68},
        RoundCase{"RoundHalfUp2", "", 12.34, 12.34}, RoundCase{"RoundHalfUp2", "", -1.005, -1.01},
        RoundCase{"RoundHalfUp2", "", 0.1 + 0.2, 0.30},
        RoundCase{"RoundHalfUp2", "", 21474836.475, 21474836.48},
        RoundCase{"RoundHalfUp2", "", 98765432109.995, 98765432110.00},
        RoundCase{"RoundTo2", "", 2.675, 2.68}, RoundCase{"RoundTo2", "", -1.005, -1.00},
        RoundCase{"RoundTo2", "", 1.005, 1.01}, RoundCase{"RoundTo2", "", 0.125, 0.13},
        RoundCase{"RoundTo2", "", -0.125, -0.12},
        RoundCase{"RoundByType", "Y", 1.001, 1.01}, RoundCase{"RoundByType", "Y", -1.009, -1.00},
        RoundCase{"RoundByType", "A", 1.009, 1.00}, RoundCase{"RoundByType", "A", -1.001, -1.01},
        RoundCase{"RoundByType", "", 1.009, 1.00}, RoundCase{"RoundByType", "x", -1.009, -1.00},
        // The double nearest 1.15 lies below it; the user typed 1.15 and keeps it.
        RoundCase{"RoundByType", "A", 1.15, 1.15}, RoundCase{"RoundByType", "Y", 1.15, 1.15},
        RoundCase{"RoundByType", "Y", 0.1 + 0.2, 0.30},
        // Beyond the 32-bit limit of 21,474,836.47.
        RoundCase{"RoundByType", "Y", 30000000.001, 30000000.01},
        RoundCase{"RoundByType", "A", -30000000.001, -30000000.01},
        RoundCase{"RoundByType", "a", 1.009, 1.00}));

TEST(Money, RoundByTypeWithOtherDecimals)
{
    EXPECT_DOUBLE_EQ(RoundByType(QStringLiteral("Y"), 0, 10.2), 11.0);
    EXPECT_DOUBLE_EQ(RoundByType(QStringLiteral("A"), 0, -10.2), -11.0);
    EXPECT_DOUBLE_EQ(RoundByType(QStringLiteral("Y"), 3, 1.0001), 1.001);
    EXPECT_DOUBLE_EQ(RoundByType(QStringLiteral("Y"), 2, 0.0004), 0.01);
    EXPECT_DOUBLE_EQ(RoundByType(QStringLiteral("A"), 2, 0.0004), 0.0);
}

TEST(Money, FormatsByWorkingYear)
{
    SessionContext ctx;
    ctx.CalismaYili = QStringLiteral("2004");
    SetupMoneyFormats(ctx);
    EXPECT_EQ(ctx.ParaFormat, QStringLiteral(",0"));
    EXPECT_EQ(ctx.ParaOndalik, 0);
    EXPECT_FALSE(ctx.KurusVar);
    ctx.CalismaYili = QStringLiteral("2005");
    SetupMoneyFormats(ctx);
    EXPECT_EQ(ctx.ParaFormat, QStringLiteral(",0.00"));
    EXPECT_EQ(ctx.ParaFormat4, QStringLiteral(",0.00"));
    EXPECT_EQ(ctx.ParaEditFormat, QStringLiteral("#.##"));
    EXPECT_EQ(ctx.ParaOndalik, 2);
    EXPECT_TRUE(ctx.KurusVar);
    EXPECT_EQ(ctx.YerelPara, QStringLiteral("YTL"));
    EXPECT_EQ(ctx.DovizSecenekleri, QStringLiteral("YTL\r\nUSD\r\nDÖVİZ"));
}

TEST(Money, ApplyMoneyFormatMarksOnlyTaggedChildren)
{
    SessionContext ctx;
    ctx.CalismaYili = QStringLiteral("2026");
    SetupMoneyFormats(ctx);
    QObject form;
    auto* money = new QObject(&form);
    money->setProperty("Tag", 1);
    auto* other = new QObject(&form);
    other->setProperty("Tag", 0);
    auto* nested = new QObject(money);
    nested->setProperty("Tag", 1);
    ApplyMoneyFormat4(&form, ctx);
    EXPECT_EQ(money->property("displayFormat").toString(), QStringLiteral(",0.00"));
    EXPECT_FALSE(other->property("displayFormat").isValid());
    EXPECT_FALSE(nested->property("displayFormat").isValid());
    ApplyMoneyFormat(nullptr, ctx);
}

TEST(Money, FormatsAndParsesTurkishNumbers)
{
    EXPECT_EQ(FormatMoney(1234567.891, QStringLiteral(",0.00")), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(FormatMoney(-1234.5, QStringLiteral(",0.00")), QStringLiteral("-1.234,50"));
    EXPECT_EQ(FormatMoney(1234.5, QStringLiteral(",0")), QStringLiteral("1.235"));
    EXPECT_EQ(FormatMoney(1234.5, QStringLiteral("#.##")), QStringLiteral("1234,50"));
    EXPECT_EQ(FormatMoney(-0.001, QStringLiteral(",0.00")), QStringLiteral("0,00"));
    double v = 0;
    EXPECT_TRUE(ParseMoney(QStringLiteral("1.234.567,89"), &v));
    EXPECT_DOUBLE_EQ(v, 1234567.89);
    EXPECT_TRUE(ParseMoney(QStringLiteral("-12,5"), &v));
    EXPECT_DOUBLE_EQ(v, -12.5);
    EXPECT_TRUE(ParseMoney(QStringLiteral("1,234.50"), &v));
    EXPECT_DOUBLE_EQ(v, 1234.5);
    EXPECT_FALSE(ParseMoney(QStringLiteral("12a"), &v));
    EXPECT_FALSE(ParseMoney(QStringLiteral(""), &v));
}
