#include "controls/SayiAlani.h"

#include "messages/Messages.h"
#include "money/Money.h"

namespace tornaly {

QString SayiDegilMesaji(const QString& text)
{
    return QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(text.trimmed());
}

bool SayiOku(const QString& text, QVariant* value)
{
    if (text.trimmed().isEmpty()) {
        *value = QVariant();
        return true;
    }
    double v = 0;
    if (!ParseMoney(text, &v)) {
        ShowError(SayiDegilMesaji(text));
        return false;
    }
    *value = v;
    return true;
}

bool SayiOku(const QString& text, double* value)
{
    QVariant v;
    if (!SayiOku(text, &v))
        return false;
    *value = v.toDouble();
    return true;
}

} // namespace tornaly
