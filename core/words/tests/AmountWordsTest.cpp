#include "context/SessionContext.h"
#include "testsupport/QtPrinters.h"
#include "words/AmountWords.h"

#include <gtest/gtest.h>

using namespace tornaly;

TEST(AmountWords, NumberToWordsTableOfCases)
{
    const struct {
        double value;
        const char* words;
    } cases[] = {
        {0, ""},
        {1, "Bir"},
        {10, "On"},
        {19, "OnDokuz"},
        {100, "Yüz"},
        {200, "İkiYüz"},
        {999, "DokuzYüzDoksanDokuz"},
        {1000, "Bin"},
        {1500, "BinBeşYüz"},
        {2000, "İkiBin"},
        {11000, "OnBirBin"},
        {101000, "YüzBirBin"},
        {1000000, "BirMilyon"},
        {1001000, "BirMilyonBin"},
        {1002000, "BirMilyonİkiBin"},
        {2345678, "İkiMilyonÜçYüzKırkBeşBinAltıYüzYetmişSekiz"},
        {1000000000, "BirMilyar"},
        {5000001000.0, "BeşMilyarBin"},
        {1e15, "BirKatrilyon"},
        {12.5, "OnÜç"}, // rounded to a whole number first
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToWords(c.value), QString::fromUtf8(c.words)) << c.value;
}

TEST(AmountWords, AmountsWithCurrencyAndSubunit)
{
    SessionContext ctx;
    ctx.KurusVar = true;
    ctx.YerelPara = QStringLiteral("TL");
    ctx.YerelKurus = QStringLiteral("KR");
    const struct {
        QString currency;
        double amount;
        bool kurus;
        QString words;
    } cases[] = {
        {"TL", 0.50, true, "Elli KR"},
        {"TL", 0.50, false, ""},
        {"AZN", 1000.00, true, "Bin Manat"},
        {"TL", 1500.25, true, "BinBeşYüz TL YirmiBeş KR"},
        {"TL", 2345678.00, true, "İkiMilyonÜçYüzKırkBeşBinAltıYüzYetmişSekiz TL"},
    };
    for (const auto& c : cases) {
        ctx.KurusVar = c.kurus;
        EXPECT_EQ(AmountToWordsAzn(ctx, c.currency, c.amount), c.words) << c.amount;
    }
    ctx.KurusVar = true;
    // 12,345 is 12,35 (decimal rounding, not the binary value below it).
    EXPECT_EQ(AmountToWordsAzn(ctx, QStringLiteral("USD"), 12.345), QStringLiteral("Onİki USD OtuzBeş KR"));

    auto names = [](const QString& code) {
        if (code == QLatin1String("TL"))
            return QStringLiteral("Türk Lirası");
        if (code == QLatin1String("EUR"))
            return QStringLiteral("Avro");
        return QString();
    };
    EXPECT_EQ(AmountToWords(ctx, QStringLiteral("TL"), 150.5, names), QStringLiteral("YüzElli Türk Lirası Elli KR"));
    EXPECT_EQ(AmountToWords(ctx, QStringLiteral("YTL"), 1, names), QStringLiteral("Bir Türk Lirası"));
    EXPECT_EQ(AmountToWords(ctx, QStringLiteral("EUR"), 12.3449999, names), QStringLiteral("Onİki Avro OtuzBeş CENT"));
    EXPECT_EQ(AmountToWords(ctx, QStringLiteral("GBP"), 2, names), QStringLiteral("İki GBP")); // no name: the code
}
