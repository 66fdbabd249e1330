#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace tornaly {

// Dates and numbers used across forms.
QDate DateOf(const QDateTime& value);
QTime TimeOf(const QDateTime& value);

struct MonthRange {
    QDate first;
    QDate last;
};
// The first and last day of the month; invalid dates for an invalid month.
MonthRange MonthStartEnd(int year, int month);
// The first day of the following month (after December: January of the next year).
QDate NextMonthStart(int year, int month);
// "yyyyMMdd", used in file names.
QString DateToYmdText(const QDate& date);
// The number without decimals, right-aligned in `width`, every blank replaced
// by `fill`, behind `prefix`; a wider number is kept whole.
QString FormatNumberPadded(const QString& prefix, int width, QChar fill, double number);
// The file's last-modified time; invalid when the file does not exist.
QDateTime FileDateOf(const QString& fileName);
// Only the characters 0 to 9, in order.
QString ExtractDigits(const QString& text);
// The system's folder for temporary files.
QString TempPath();

// Codes.
// Area code in parentheses: one leading "0" dropped, padded to three: "0212" -> "(212)", "32" -> "(32 )".
QString FormatParenCode(const QString& areaCode);
// VAT withholding ratio by the first character of the code; 0 for an unknown or empty code.
double KdvTevkifatOrani(const QString& code);
// Every labour code is accepted.
bool CheckDamageLabourCode(const QString& codeType, const QString& workOrderType, const QString& labourCode,
                           bool showMessage);

} // namespace tornaly
