#include "mainwindow/Targets.h"

namespace tornaly {

TargetRegistry& TargetRegistry::instance()
{
    static TargetRegistry registry;
    return registry;
}

void TargetRegistry::registerRoutine(const QString& name, RoutineOpener opener)
{
    m_forms.remove(name);
    m_routines.insert(name, std::move(opener));
    emit changed();
}

void TargetRegistry::registerForm(const QString& name, FormFactory factory)
{
    m_routines.remove(name);
    m_forms.insert(name, std::move(factory));
    emit changed();
}

void TargetRegistry::unregister(const QString& name)
{
    if (m_routines.remove(name) + m_forms.remove(name) > 0)
        emit changed();
}

void TargetRegistry::clear()
{
    m_routines.clear();
    m_forms.clear();
    emit changed();
}

bool TargetRegistry::isRegistered(const QString& name) const
{
    return m_routines.contains(name) || m_forms.contains(name);
}

RoutineOpener TargetRegistry::routine(const QString& name) const { return m_routines.value(name); }

FormFactory TargetRegistry::form(const QString& name) const { return m_forms.value(name); }

QStringList TargetRegistry::names() const
{
    QStringList out = m_routines.keys();
    out += m_forms.keys();
    out.sort();
    return out;
}

} // namespace tornaly
