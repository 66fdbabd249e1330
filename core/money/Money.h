#pragma once
#include <QString>

class QObject;

namespace tornaly {

struct SessionContext;

// Money formats of the working year: no decimals up to 2004, two after.
void SetupMoneyFormats(SessionContext& ctx);
// Marks the money fields of a form: every object owned directly by `owner`
// whose "Tag" property is 1 gets the "displayFormat" and "editFormat"
// properties of the money formats (ApplyMoneyFormat4 uses the second set).
void ApplyMoneyFormat(QObject* owner, const SessionContext& ctx);
void ApplyMoneyFormat4(QObject* owner, const SessionContext& ctx);

enum class DecimalRounding {
    HalfAwayFromZero, // 1.005 -> 1.01, -1.005 -> -1.01
    HalfUp,           // halves toward plus infinity: -1.005 -> -1.00
    Ceiling,
    Floor,
    Truncate
};

// Rounds the decimal value the user sees (the double read back to fifteen
// significant digits), so that 1.15 is 1.15 and not the binary value just
// below it. 64-bit safe for every amount the system handles.
double RoundDecimal(double x, int decimals, DecimalRounding mode);

// Two decimals, a half cent upward: 1.005 -> 1.01, -1.005 -> -1.00.
double RoundTo2(double x);
// Two decimals, half up; negative amounts round symmetrically (half away from zero).
double RoundHalfUp2(double x);
// Y rounds up, A rounds down, any other letter truncates, to `decimals` places.
double RoundByType(const QString& letter, unsigned decimals, double x);

// Formats an amount with a number format of the system (",0.00", ",0",
// "#.##"): "," asks for thousands separators; Turkish separators are used,
// so 1234567.891 with ",0.00" gives "1.234.567,89".
QString FormatMoney(double value, const QString& format);
// Parses an amount typed with Turkish or plain separators; false when it is no number.
bool ParseMoney(const QString& text, double* value);

} // namespace tornaly
