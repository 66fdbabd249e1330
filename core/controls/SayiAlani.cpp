#include "controls/SayiAlani.h"

#include "messages/Messages.h"
#include "money/Money.h"

#include <QLineEdit>
#include <cmath>

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

bool SayiAlanlariGecerli(const QList<QLineEdit*>& alanlar, const QList<QLineEdit*>& tamSayilar)
{
    for (QLineEdit* e : alanlar + tamSayilar) {
        if (!e)
            continue;
        double v = 0;
        bool gecerli = SayiOku(e->text(), &v);
        if (gecerli && tamSayilar.contains(e) && v != std::floor(v)) {
            ShowError(SayiDegilMesaji(e->text()));
            gecerli = false;
        }
        if (!gecerli) {
            e->setFocus();
            return false;
        }
    }
    return true;
}

} // namespace tornaly
