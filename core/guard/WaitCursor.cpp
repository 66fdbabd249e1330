#include "guard/WaitCursor.h"

#include <QGuiApplication>

namespace tornaly {

namespace {
// Wait cursors currently on Qt's override stack, pushed by WaitCursor. The
// cursor belongs to the GUI thread; workers never touch it.
int g_applied = 0;

bool haveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }
} // namespace

WaitCursor::WaitCursor()
{
    if (!haveGui())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++g_applied;
    m_set = true;
}

WaitCursor::~WaitCursor()
{
    if (!m_set)
        return;
    QGuiApplication::restoreOverrideCursor();
    --g_applied;
}

NormalCursor::NormalCursor() : m_lifted(g_applied)
{
    for (int i = 0; i < m_lifted; ++i)
        QGuiApplication::restoreOverrideCursor();
    g_applied = 0;
}

NormalCursor::~NormalCursor()
{
    for (int i = 0; i < m_lifted; ++i)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    g_applied += m_lifted;
}

} // namespace tornaly
