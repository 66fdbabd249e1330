#pragma once
#include <QList>
#include <QString>
#include <QVariant>

class QLineEdit;

namespace tornaly {

// What a clerk is told when a number or money field holds text that is no
// number ("12a5x", "1a0,5b"): the field is not taken and nothing is written.
QString SayiDegilMesaji(const QString& text);

// Reads a number or amount typed into a field, with Turkish separators
// ("1.250,5"). Empty text gives a null value (or 0 for the double form).
// Text that is no number shows SayiDegilMesaji and gives false; the caller
// then leaves its row as it was.
bool SayiOku(const QString& text, QVariant* value);
bool SayiOku(const QString& text, double* value);

// A form's number fields checked through SayiOku before a save reads them:
// the first that holds no number (or, among `tamSayilar`, no whole number)
// gets the message and the focus, and the answer is false, so the caller
// writes nothing.
bool SayiAlanlariGecerli(const QList<QLineEdit*>& alanlar, const QList<QLineEdit*>& tamSayilar = {});

} // namespace tornaly
