#include "criteria/FreeText.h"
#include "criteria/Sorgu.h"
#include "messages/ScriptedMessages.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

using namespace tornaly;

TEST(Sorgu, ShortTextsAreCutAt255AndRecordCopiesWhole)
{
    TSorgu s;
    EXPECT_TRUE(s.cancelled());
    s.str1 = QString(300, QLatin1Char('x'));
    EXPECT_EQ(s.str1.str().size(), 255);
    s.SorguOzel = QString(300, QLatin1Char('y'));
    s.setCurrency(QStringLiteral("EURO1234"));
    EXPECT_EQ(s.dvz_kod, QStringLiteral("EURO123"));
    TSorgu copy = s;
    copy.str1 = QStringLiteral("z");
    EXPECT_EQ(s.str1.str().size(), 255);
    EXPECT_EQ(copy.SorguOzel.size(), 300);
    EXPECT_EQ(MaskedDateText(QStringLiteral("  .  .    ")), QString());
    EXPECT_EQ(MaskedDateText(QStringLiteral("01.02.2026")), QStringLiteral("01.02.2026"));
}

TEST(Sorgu, FreeTextAnswers)
{
    ScriptedMessages m;
    SetMessageService(&m);
    m.answerText(QString(300, QLatin1Char('a')));
    TSorgu ok = AskFreeText(QStringLiteral("Açıklama"));
    EXPECT_EQ(ok.str1, QStringLiteral("1"));
    EXPECT_EQ(ok.str2.str().size(), 255);
    m.answerText(std::nullopt);
    TSorgu cancel = AskFreeText(QStringLiteral("Açıklama"));
    EXPECT_TRUE(cancel.str1.isEmpty());
    EXPECT_TRUE(cancel.str2.isEmpty());
    SetMessageService(nullptr);
}
