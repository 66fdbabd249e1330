#pragma once
#include <QLabel>

namespace tornaly {

// The red warning a repair window shows above its commands.
inline QLabel* OnarimUyarisi(const QString& metin, QWidget* parent)
{
    auto* l = new QLabel(metin, parent);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("QLabel { color: #b71c1c; font-weight: bold; padding: 6px; }"));
    return l;
}

} // namespace tornaly
