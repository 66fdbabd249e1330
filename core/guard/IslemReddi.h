#pragma once
#include "messages/Messages.h"

#include <QString>
#include <stdexcept>

namespace tornaly {

// A refused action: a check failed and nothing was written. The guard shows
// text() as it stands, with the icon the refusal asks for.
class IslemReddi : public std::runtime_error {
public:
    explicit IslemReddi(const QString& text, MsgIcon icon = MsgIcon::Error)
        : std::runtime_error(text.toStdString()), m_text(text), m_icon(icon)
    {
    }
    const QString& text() const { return m_text; }
    MsgIcon icon() const { return m_icon; }

private:
    QString m_text;
    MsgIcon m_icon;
};

} // namespace tornaly
