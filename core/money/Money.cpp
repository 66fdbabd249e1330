#include "money/Money.h"
#include "context/SessionContext.h"

#include <QLocale>
#include <QObject>
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
    const int dot = int(format.indexOf(QLatin1Char('.')));
    const int decimals = dot < 0 ? 0 : int(format.size()) - dot - 1;
    const bool grouping = format.contains(QLatin1Char(','));
    QLocale tr(QLocale::Turkish, QLocale::Turkey);
    if (!grouping)
        tr.setNumberOptions(QLocale::OmitGroupSeparator);
    const double rounded = RoundDecimal(value, decimals, DecimalRounding::HalfAwayFromZero);
    return tr.toString(rounded == 0.0 ? 0.0 : rounded, 'f', decimals);
}

bool ParseMoney(const QString& text, double* value)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    if (t.isEmpty())
        return false;
    const int lastComma = int(t.lastIndexOf(QLatin1Char(',')));
    const int lastDot = int(t.lastIndexOf(QLatin1Char('.')));
    if (lastComma >= 0 && lastDot >= 0) {
        // Whichever comes last is the decimal separator.
        if (lastComma > lastDot) {
            t.remove(QLatin1Char('.'));
            t.replace(QLatin1Char(','), QLatin1Char('.'));
        } else {
            t.remove(QLatin1Char(','));
        }
    } else if (lastComma >= 0) {
        if (t.count(QLatin1Char(',')) > 1)
            return false;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (lastDot >= 0 && t.count(QLatin1Char('.')) > 1) {
        t.remove(QLatin1Char('.')); // 1.234.567: thousands only
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok && std::isfinite(v);
}

} // namespace tornaly
