#pragma once
#include <QByteArray>
#include <QString>

namespace tornaly {

// Reversible scrambling of short byte strings (at most 255 bytes; longer
// input is cut). Not encryption: it only keeps a stored value from being
// read at a glance. Each byte depends on every byte before it.
QByteArray Sifrele(const QByteArray& source, quint16 key);
QByteArray SifreCoz(const QByteArray& source, quint16 key);

// The key the connection settings file uses.
inline constexpr quint16 kAyarSifreAnahtari = 0x5A3C;

// A text scrambled for a settings value (each byte becomes one character),
// and back. Text is taken as UTF-8 and cut to 255 bytes at a character boundary.
QString SifreleMetin(const QString& plain, quint16 key);
QString SifreCozMetin(const QString& stored, quint16 key);

} // namespace tornaly
