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

    // The plain set follows the working year; a missing owner is no error.
    ctx.CalismaYili = QStringLiteral("2004");
    SetupMoneyFormats(ctx);
    EXPECT_NO_THROW(ApplyMoneyFormat(nullptr, ctx));
    ApplyMoneyFormat(&form, ctx);
    EXPECT_EQ(money->property("displayFormat").toString(), QStringLiteral(",0"));
    EXPECT_EQ(money->property("editFormat").toString(), QStringLiteral("#"));
    EXPECT_FALSE(other->property("editFormat").isValid());
}

TEST(Money, FormatsTurkishNumbers)
{
    struct C {
        double value;
        const char* format;
        const char* text;
    } const cases[] = {
        {1234567.891, ",0.00", "1.234.567,89"},
        {-1234.5, ",0.00", "-1.234,50"},
        {1234.5, ",0", "1.235"},
        {1234.5, "#.##", "1234,5"},
        {1234.0, "#.##", "1234"},
        {-0.001, ",0.00", "0,00"},
        // Optional decimals are shown only where they are not trailing zeros.
        {40.5, ",0.00###", "40,50"},
        {40.12345, ",0.00###", "40,12345"},
        {40.123456, ",0.00###", "40,12346"},
        {1234.5, ",0.00###", "1.234,50"},
        {40.5, "#.#####", "40,5"},
        {40.0, "#.#####", "40"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMoney(c.value, QString::fromLatin1(c.format)), QString::fromUtf8(c.text))
            << c.value << " " << c.format;
}

TEST(Money, ParsesOnlyTurkishNumbers)
{
    struct C {
        const char* text;
        bool ok;
        double value;
    } const cases[] = {
        {"1.500", true, 1500},        {"1.234.567,89", true, 1234567.89}, {"-12,5", true, -12.5},
        {"40,5", true, 40.5},         {"1500", true, 1500},               {",5", true, 0.5},
        {" 1.000,25 ", true, 1000.25}, {"+3", true, 3},                    {"0", true, 0},
        {"1.5", false, 0},            {"1,234.50", false, 0},             {"1.2345", false, 0},
        {"12.34.567", false, 0},      {"1,2,3", false, 0},                {"40,5a", false, 0},
        {"12a", false, 0},            {"", false, 0},                     {"-", false, 0},
        {",", false, 0},              {"1.", false, 0},                   {"1e5", false, 0},
    };
    for (const auto& c : cases) {
        double v = -999;
        EXPECT_EQ(ParseMoney(QString::fromUtf8(c.text), &v), c.ok) << c.text;
        if (c.ok)
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        else
            EXPECT_EQ(v, -999) << c.text << ": a refused text leaves the value alone";
    }
}
