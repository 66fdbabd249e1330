#include "connection/Sifre.h"

namespace tornaly {

namespace {
constexpr quint32 kCarpan = 40503;
constexpr quint32 kEklenen = 13849;

QByteArray scramble(const QByteArray& source, quint16 key, bool encipher)
{
    const QByteArray in = source.left(255);
    QByteArray out(in.size(), '\0');
    quint32 k = key;
    for (int i = 0; i < in.size(); ++i) {
        const quint8 b = quint8(in.at(i));
        const quint8 o = quint8(b ^ quint8(k >> 8));
        out[i] = char(o);
        const quint8 c = encipher ? o : b;
        k = ((k + c) * kCarpan + kEklenen) & 0xFFFF;
    }
    return out;
}

QByteArray utf8Cut(const QString& s)
{
    QByteArray b = s.toUtf8();
    if (b.size() <= 255)
        return b;
    int n = 255;
    // Step back over continuation bytes so that no character is split.
    while (n > 0 && (quint8(b.at(n)) & 0xC0) == 0x80)
        --n;
    return b.left(n);
}
} // namespace

QByteArray Sifrele(const QByteArray& source, quint16 key) { return scramble(source, key, true); }
QByteArray SifreCoz(const QByteArray& source, quint16 key) { return scramble(source, key, false); }

QString SifreleMetin(const QString& plain, quint16 key)
{
    return QString::fromLatin1(Sifrele(utf8Cut(plain), key));
}

QString SifreCozMetin(const QString& stored, quint16 key)
{
    return QString::fromUtf8(SifreCoz(stored.toLatin1(), key));
}

} // namespace tornaly
