#include "words/AmountWords.h"

#include "context/SessionContext.h"
#include "db/Database.h"
#include "money/Money.h"

#include <cmath>

namespace tornaly {

namespace {

const char* const kOnes[] = {"", "Bir", "İki", "Üç", "Dört", "Beş", "Altı", "Yedi", "Sekiz", "Dokuz"};
const char* const kTens[] = {"", "On", "Yirmi", "Otuz", "Kırk", "Elli", "Altmış", "Yetmiş", "Seksen", "Doksan"};

QString scaleWord(int pos)
{
    switch (pos) {
    case 4: return QStringLiteral("Bin");
    case 8: return QStringLiteral("Milyon");
    case 12: return QStringLiteral("Milyar");
    case 16: return QStringLiteral("Trilyon");
    case 20: return QStringLiteral("Katrilyon");
    default: return {};
    }
}

// Digits grouped by three with "." between the groups.
QString grouped(unsigned long long n)
{
    QString digits = QString::number(n);
    QString out;
    const int len = int(digits.size());
    for (int i = 0; i < len; ++i) {
        if (i > 0 && (len - i) % 3 == 0)
            out += QLatin1Char('.');
        out += digits[i];
    }
    return out;
}

struct SplitAmount {
    double whole = 0;
    QString cents;
};

// "%0.2f" on the decimal value shown, then split at the decimal point.
SplitAmount split(double amount)
{
    const double r = RoundDecimal(amount, 2, DecimalRounding::HalfAwayFromZero);
    const QString text = QString::number(r, 'f', 2);
    const int dot = int(text.indexOf(QLatin1Char('.')));
    return {text.left(dot).toDouble(), text.right(2)};
}

} // namespace

QString NumberToWords(double value)
{
    if (!(value >= 0.5) || value >= 1e18)
        return {};
    const unsigned long long n = static_cast<unsigned long long>(std::llround(value));
    const QString s = grouped(n);
    const int len = int(s.size());
    QString out;
    for (int i = 0; i < len; ++i) {
        const int pos = len - i;
        if (pos > 23)
            continue;
        const QChar ch = s[i];
        if (pos % 4 == 0) {
            // The group left of this separator: up to three digits.
            const QString group = s.mid(std::max(0, i - 3), std::min(3, i));
            if (group != QLatin1String("000") && group != QLatin1String("00") && group != QLatin1String("0"))
                out += scaleWord(pos);
            continue;
        }
        const int d = ch.digitValue();
        if (d <= 0)
            continue;
        switch (pos % 4) {
        case 1:
            if (pos == 5 && d == 1) {
                const bool oneThousand = len == 5 && s[0] == QLatin1Char('1');
                const bool thousands001 = n >= 1000000ULL && s.mid(len - 7, 3) == QLatin1String("001");
                if (oneThousand || thousands001)
                    break;
            }
            out += QString::fromUtf8(kOnes[d]);
            break;
        case 2: out += QString::fromUtf8(kTens[d]); break;
        case 3:
            if (d > 1)
                out += QString::fromUtf8(kOnes[d]);
            out += QStringLiteral("Yüz");
            break;
        }
    }
    return out;
}

QString AmountToWordsAzn(const SessionContext& ctx, const QString& currency, double amount)
{
    const SplitAmount a = split(amount);
    const QString unit = currency == QLatin1String("AZN") ? QStringLiteral("Manat") : currency;
    QString text = NumberToWords(a.whole + 1e-8);
    if (!text.isEmpty())
        text += QLatin1Char(' ') + unit;
    if (ctx.KurusVar && a.cents != QLatin1String("00")) {
        const QString k = NumberToWords(a.cents.toDouble());
        if (!k.isEmpty())
            text += QLatin1Char(' ') + k + QLatin1Char(' ') + ctx.YerelKurus;
    }
    return text.trimmed();
}

QString AmountToWords(const SessionContext& ctx, const QString& currency, double amount,
                      const std::function<QString(const QString&)>& currencyName)
{
    const SplitAmount a = split(amount + 1e-7);
    const bool local = currency == QLatin1String("YTL") || currency == QLatin1String("TL");
    const QString code = local ? ctx.YerelPara : currency;
    QString unit = currencyName ? currencyName(code).trimmed() : QString();
    if (unit.isEmpty())
        unit = code;
    const QString sub = currency == QLatin1String("YTL") ? QStringLiteral("YKR")
        : currency == QLatin1String("TL")                ? QStringLiteral("KR")
                                                         : QStringLiteral("CENT");
    QString text = NumberToWords(a.whole);
    if (!text.isEmpty())
        text += QLatin1Char(' ') + unit;
    if (ctx.KurusVar && a.cents != QLatin1String("00")) {
        const QString k = NumberToWords(a.cents.toDouble());
        if (!k.isEmpty())
            text += QLatin1Char(' ') + k + QLatin1Char(' ') + sub;
    }
    return text.trimmed();
}

QString AmountToWords(const Db& db, const SessionContext& ctx, const QString& currency, double amount)
{
    return AmountToWords(ctx, currency, amount, [&db](const QString& code) {
        Query q(db, QStringLiteral("SELECT DOVIZ_ADI FROM DOVIZ WHERE DOVIZ_KODU=:KOD"));
        q.bind(QStringLiteral("KOD"), code).exec();
        return q.next() ? q.str(QStringLiteral("DOVIZ_ADI")) : QString();
    });
}

} // namespace tornaly
