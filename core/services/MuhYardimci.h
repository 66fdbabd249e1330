#pragma once
#include <QString>

namespace tornaly {

// The characters 0 to 9 of a text, in their order; everything else is dropped.
QString KeepDigits(const QString& text);

// The caption of a cheque/note slip kind from its B_TUR and IS_TUR (first
// character of each; an empty value counts as a blank).
QString CekSenIslemAdi(const QString& bTur, const QString& isTur);

} // namespace tornaly
