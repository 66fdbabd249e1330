#pragma once
#include <QString>

namespace tornaly {

// What a small dialog or picker hands back; each dialog says which field
// carries what.
struct TDonPara {
    QString IlkStr;
    QString SonStr;
    QString KodStr;
    QString str1;
    QString str2;
    QString dvz;
    double num1 = 0;
    double num2 = 0;
    double num3 = 0;
};

} // namespace tornaly
