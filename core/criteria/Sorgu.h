#pragma once
#include <QDateTime>
#include <QString>

namespace tornaly {

// A text of at most 255 characters: longer values are cut when stored.
class ShortStr {
public:
    static constexpr int MaxLength = 255;
    ShortStr() = default;
    ShortStr(const QString& s) : m_value(s.left(MaxLength)) {}
    ShortStr(const char* s) : ShortStr(QString::fromUtf8(s)) {}
    ShortStr& operator=(const QString& s)
    {
        m_value = s.left(MaxLength);
        return *this;
    }
    operator const QString&() const { return m_value; }
    const QString& str() const { return m_value; }
    bool isEmpty() const { return m_value.isEmpty(); }
    bool operator==(const QString& o) const { return m_value == o; }
    bool operator==(const ShortStr& o) const = default;

private:
    QString m_value;
};

// The record in which every criteria dialog hands its choices to its report
// or list. GeriDon tells how the dialog was left: 'T' OK, 'H' all (no
// limits), '0' cancelled.
struct TSorgu {
    ShortStr SorguStrA, SorguStrB;
    ShortStr str1, str2, str3, str4, str5, str6, str7, str8, str9;
    ShortStr str1a, str2a, str3a, str4a, str5a;
    ShortStr str1b, str2b, str3b, str4b, str5b;
    ShortStr SorguStrP, SorguStrQ, SorguStrX, SorguStrY;
    ShortStr SorguSec1;
    ShortStr SorguSecStr;
    qint32 SorguSecLInt = 0, SorguSecLIntC = 0, SorguSecLInt1 = 0;
    qint32 sec0 = 0, sec1 = 0, sec2 = 0, sec3 = 0, sec4 = 0, sec5 = 0, sec6 = 0, sec7 = 0, sec8 = 0,
           sec9 = 0, sec10 = 0, sec11 = 0, sec12 = 0, sec13 = 0, sec14 = 0, sec15 = 0, sec16 = 0;
    ShortStr SorguSecItem;
    QString SorguOzel, SorguBak, SorguAra;
    qint32 SorguInt = 0;
    QChar GeriDon = QLatin1Char('0');
    double NumMadde = 0, NumMadde2 = 0, num1 = 0;
    QDateTime trh1, trh2, trh3, trh4, trh5, trh6;
    QString dvz_kod; // at most 7 characters
    QString Marka;
    QString ozelkod1, ozelkod2, ozelkod3;

    bool accepted() const { return GeriDon == QLatin1Char('T'); }
    bool all() const { return GeriDon == QLatin1Char('H'); }
    bool cancelled() const { return GeriDon == QLatin1Char('0'); }
    void setCurrency(const QString& code) { dvz_kod = code.left(7); }
};

// A masked date edit contributes its text only when it is filled; a blank
// mask (first character a blank) leaves the field empty.
inline QString MaskedDateText(const QString& editText)
{
    if (editText.isEmpty() || editText.at(0) == QLatin1Char(' '))
        return {};
    return editText;
}

} // namespace tornaly
