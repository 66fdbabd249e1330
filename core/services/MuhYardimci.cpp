#include "services/MuhYardimci.h"

namespace tornaly {

QString KeepDigits(const QString& text)
{
    QString r;
    for (const QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            r += c;
    return r;
}

QString CekSenIslemAdi(const QString& bTur, const QString& isTur)
{
    const char b = bTur.isEmpty() ? ' ' : bTur.at(0).toLatin1();
    const char i = isTur.isEmpty() ? ' ' : isTur.at(0).toLatin1();
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    switch (b) {
    case '0': return s("Çek Giriş");
    case '1': return s("C/H a Çek Çık.");
    case '2': return s("Çek Çık.(Ban.Tah)");
    case '3': return s("Çek Çık.(Ban.Tem)");
    case '4':
        switch (i) {
        case '0': return s("Müş.Çek İade");
        case '2': return s("Takas Çek");
        case '3': return s("Karş.sız Çek");
        case '5': return s("Karş.sız Çek İade");
        case '6':
        case '7': return s("Port.e İade");
        default: return s("Müş.Çek İş.");
        }
    case '5':
        switch (i) {
        case '0': return s("Müş.Çek İade");
        case '1': return s("Çek Ban.Tah.");
        default: return s("Kendi Çek İş.");
        }
    case '6': return s("Senet Giriş");
    case '7': return s("C/H Senet Çık.");
    case '8': return s("Senet Çık.(Ban.Tah)");
    case '9': return s("Senet Çık.(Ban.Tem)");
    case 'L':
        switch (i) {
        case '0': return s("Müş.Senet İade");
        case '2': return s("Takas Senet");
        case '3': return s("Prot.lu Senet");
        case '5': return s("Prot.lu Senet İade");
        case '6':
        case '7': return s("Port.e Senet İade");
        default: return s("Müş.Senet İş.");
        }
    case 'R': return s("Kendi Senet İade");
    default: return s(" Çek/Senet");
    }
}

} // namespace tornaly
