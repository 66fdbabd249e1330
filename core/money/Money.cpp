#include "money/Money.h"
#include "context/SessionContext.h"

#include <QLocale>
#include <QObject>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tornaly {

void SetupMoneyFormats(SessionContext& ctx)
{
    const bool upTo2004 = ctx.CalismaYili.compare(QLatin1String("2004")) <= 0;
    ctx.ParaFormat = upTo2004 ? QStringLiteral(",0") : QStringLiteral(",0.00");
    ctx.ParaEditFormat = upTo2004 ? QStringLiteral("#") : QStringLiteral("#.##");
    ctx.ParaOndalik = upTo2004 ? 0 : 2;
    ctx.ParaFormat4 = ctx.ParaFormat;
    ctx.ParaEditFormat4 = ctx.ParaEditFormat;
    ctx.KurusVar = !upTo2004;
    ctx.YerelPara = QStringLiteral("YTL");
    ctx.YerelKurus = QStringLiteral("YKr");
    ctx.DovizSecenekleri = ctx.YerelPara + QStringLiteral("\r\nUSD\r\nDÖVİZ");
}

namespace {
void applyFormats(QObject* owner, const QString& display, const QString& edit)
{
    if (!owner)
        return;
    for (QObject* child : owner->children()) {
        if (child->property("Tag").toInt() != 1)
            continue;
        child->setProperty("displayFormat", display);
        child->setProperty("editFormat", edit);
    }
}
} // namespace

void ApplyMoneyFormat(QObject* owner, const SessionContext& ctx)
{
    applyFormats(owner, ctx.ParaFormat, ctx.ParaEditFormat);
}

void ApplyMoneyFormat4(QObject* owner, const SessionContext& ctx)
{
    applyFormats(owner, ctx.ParaFormat4, ctx.ParaEditFormat4);
}

double RoundDecimal(double x, int decimals, DecimalRounding mode)
{
    if (!std::isfinite(x) || x == 0.0)
        return x == 0.0 ? 0.0 : x;
    const bool negative = x < 0;
    // Fifteen significant digits: every decimal of up to fifteen digits reads
    // back from its double exactly, and binary noise below that is dropped.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    // buf: d.dddddddddddddde[+-]XX
    char digits[16];
    digits[0] = buf[0];
    for (int i = 0; i < 14; ++i)
        digits[i + 1] = buf[i + 2];
    digits[15] = 0;
    const int exponent = std::atoi(buf + 17);
    const int keep = exponent + 1 + decimals; // digits left of the cut

    if (keep >= 15) {
        // Nothing to cut at this precision.
        const double v = std::strtod(buf, nullptr);
        return negative ? -v : v;
    }

    long long kept = 0;
    bool restNonZero = false;
    bool restAboveHalf = false; // strictly more than half
    bool restHalfOrMore = false;
    if (keep <= 0) {
        restNonZero = true;
        if (keep == 0) {
            restHalfOrMore = digits[0] >= '5';
            bool tail = false;
            for (int i = 1; i < 15; ++i)
                tail |= digits[i] != '0';
            restAboveHalf = digits[0] > '5' || (digits[0] == '5' && tail);
        }
    } else {
        for (int i = 0; i < keep; ++i)
            kept = kept * 10 + (digits[i] - '0');
        bool tail = false;
        for (int i = keep + 1; i < 15; ++i)
            tail |= digits[i] != '0';
        restNonZero = digits[keep] != '0' || tail;
        restHalfOrMore = digits[keep] >= '5';
        restAboveHalf = digits[keep] > '5' || (digits[keep] == '5' && tail);
    }

    bool increment = false;
    switch (mode) {
    case DecimalRounding::HalfAwayFromZero: increment = restHalfOrMore; break;
    case DecimalRounding::HalfUp: increment = negative ? restAboveHalf : restHalfOrMore; break;
    case DecimalRounding::Ceiling: increment = !negative && restNonZero; break;
    case DecimalRounding::Floor: increment = negative && restNonZero; break;
    case DecimalRounding::Truncate: increment = false; break;
    }
    if (increment)
        ++kept;
    if (kept == 0)
        return 0.0;
    std::snprintf(buf, sizeof buf, "%llde%d", kept, -decimals);
    const double v = std::strtod(buf, nullptr);
    return negative ? -v : v;
}

double RoundTo2(double x) { return RoundDecimal(x, 2, DecimalRounding::HalfUp); }

double RoundHalfUp2(double x) { return RoundDecimal(x, 2, DecimalRounding::HalfAwayFromZero); }

double RoundByType(const QString& letter, unsigned decimals, double x)
{
    DecimalRounding mode = DecimalRounding::Truncate;
    if (letter == QLatin1String("Y"))
        mode = DecimalRounding::Ceiling;
    else if (letter == QLatin1String("A"))
        mode = DecimalRounding::Floor;
    return RoundDecimal(x, int(decimals), mode);
}

QString FormatMoney(double value, const QString& format)
{
    // After the decimal point, "0" is a digit always shown and "#" one shown
    // only when it is not a trailing zero: ",0.00###" gives "40,50" and "40,12345".
    const int dot = int(format.indexOf(QLatin1Char('.')));
    int minDecimals = 0, maxDecimals = 0;
    if (dot >= 0)
        for (int i = dot + 1; i < format.size(); ++i) {
            const QChar c = format.at(i);
            if (c == QLatin1Char('0')) {
                ++maxDecimals;
                minDecimals = maxDecimals;
            } else if (c == QLatin1Char('#')) {
                ++maxDecimals;
            }
        }
    const bool grouping = format.contains(QLatin1Char(','));
    QLocale tr(QLocale::Turkish, QLocale::Turkey);
    if (!grouping)
        tr.setNumberOptions(QLocale::OmitGroupSeparator);
    const double rounded = RoundDecimal(value, maxDecimals, DecimalRounding::HalfAwayFromZero);
    QString text = tr.toString(rounded == 0.0 ? 0.0 : rounded, 'f', maxDecimals);
    if (maxDecimals > minDecimals) {
        int cut = 0;
        while (cut < maxDecimals - minDecimals && text.at(text.size() - 1 - cut) == QLatin1Char('0'))
            ++cut;
        text.chop(cut);
        if (minDecimals == 0 && text.endsWith(tr.decimalPoint()))
            text.chop(tr.decimalPoint().size());
    }
    return text;
}

bool ParseMoney(const QString& text, double* value)
{
    // Turkish only: "." groups thousands (in threes) and "," is the decimal
    // sign, so "1.500" is fifteen hundred. Anything else ("1.5", "1,2,3",
    // "40,5a") is refused rather than guessed.
    static const QRegularExpression turkish(
        QStringLiteral("^([+-]?)(\\d{1,3}(?:\\.\\d{3})+|\\d+)?(?:,(\\d+))?$"));
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0x00A0));
    const QRegularExpressionMatch m = turkish.match(t);
    if (t.isEmpty() || !m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return false;
    QString plain = m.captured(1) + (m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2));
    plain.remove(QLatin1Char('.'));
    if (!m.captured(3).isEmpty())
        plain += QLatin1Char('.') + m.captured(3);
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v == 0.0 ? 0.0 : v;
    return true;
}

} // namespace tornaly
