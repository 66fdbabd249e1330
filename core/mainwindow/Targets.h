#pragma once
#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace tornaly {

struct SessionContext;

// What the main window hands to the opener of a module.
struct OpenRequest {
    QString target;            // the routine or form name the module registered
    SessionContext* ctx = nullptr;
    QWidget* owner = nullptr;  // the main window
    int mode = 0;              // browse mode (0 maintain, 1 pick, 2 pick only, 5 look up)
    QString key;               // account code, filter, customer type or part code; empty for none
    int codeType = 0;          // code-table type of the damage code lists
    QDate day;                 // the day of the attendance list
};

// A unit routine: opens its module (usually modally) and returns when done.
using RoutineOpener = std::function<void(const OpenRequest&)>;
// Makes a new instance of a form; the main window decides how it is shown and
// kept. Give the form `request.owner` as parent.
using FormFactory = std::function<QWidget*(const OpenRequest&)>;

// The modules the main window can open. Each subsystem registers its openers
// under the names in mainwindow/EntryPoints.h when it is linked into the
// program; a command whose target is missing stays disabled.
class TargetRegistry : public QObject {
    Q_OBJECT
public:
    static TargetRegistry& instance();

    void registerRoutine(const QString& name, RoutineOpener opener);
    void registerForm(const QString& name, FormFactory factory);
    void unregister(const QString& name);
    // Removes every opener (tests).
    void clear();

    bool isRegistered(const QString& name) const;
    RoutineOpener routine(const QString& name) const;
    FormFactory form(const QString& name) const;
    QStringList names() const;

signals:
    void changed();

private:
    TargetRegistry() = default;
    QHash<QString, RoutineOpener> m_routines;
    QHash<QString, FormFactory> m_forms;
};

inline TargetRegistry& Targets() { return TargetRegistry::instance(); }
inline void RegisterRoutine(const QString& name, RoutineOpener opener)
{
    Targets().registerRoutine(name, std::move(opener));
}
inline void RegisterForm(const QString& name, FormFactory factory)
{
    Targets().registerForm(name, std::move(factory));
}

} // namespace tornaly
