#include "criteria/FreeText.h"
#include "messages/Messages.h"

namespace tornaly {

TSorgu AskFreeText(const QString& prompt, const QString& caption)
{
    TSorgu s;
    const auto text = Messages().askText(caption, prompt, {});
    if (text) {
        s.GeriDon = QLatin1Char('T');
        s.str1 = QStringLiteral("1");
        s.str2 = *text;
    }
    return s;
}

} // namespace tornaly
