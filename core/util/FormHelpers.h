#pragma once
#include "context/User.h"

#include <QString>
#include <QWidget>
#include <functional>

namespace tornaly {

// The window named `name` among the program's windows; nullptr when none.
QWidget* FindFormByName(const QString& name);
// The window named `name`; when there is none, `create` makes it (as a window
// of its own, owned by `owner` when given) and it gets the name.
QWidget* EnsureForm(const QString& name, const std::function<QWidget*()>& create);

// Finds or creates the form; hides an existing one when `hide` is set.
template <class F>
F* EnsureFormHidden(const QString& name, bool hide)
{
    QWidget* existing = FindFormByName(name);
    if (existing) {
        if (hide)
            existing->hide();
        return qobject_cast<F*>(existing);
    }
    return qobject_cast<F*>(EnsureForm(name, [] { return new F(); }));
}

// Finds or creates the form and shows it non-modally.
template <class F>
F* EnsureFormShown(const QString& name)
{
    auto* form = EnsureFormHidden<F>(name, false);
    if (form) {
        form->show();
        form->raise();
        form->activateWindow();
    }
    return form;
}

// Brings a window forward: shown, restored when minimised, raised and active.
void BringForward(QWidget* window);
// Closes the form once the current event has finished.
void PostCloseForm(QWidget* form);
// Lets a borderless form be moved by dragging `panel`.
void DragFormByPanel(QWidget* panel);
// Caps Lock cannot be set from a portable program: answers false and changes
// nothing (the keyboard stays as the user left it).
bool SetCapsLock(bool on);
// An error box with an OK button; the help context has no help file to open.
void ShowErrorBox(const QString& text, int helpContext = 0);

// The computer's name (at most 15 characters) and the workstation text
// login + "/" + computer name (at most 30), as the database connection shows it.
struct WorkstationId {
    QString computerName;
    QString text;
};
WorkstationId SetWorkstationId(const t_user& user);

} // namespace tornaly
