#include "util/FormHelpers.h"
#include "messages/Messages.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QSysInfo>
#include <QWindow>

namespace tornaly {

QWidget* FindFormByName(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w->objectName() == name)
            return w;
    return nullptr;
}

QWidget* EnsureForm(const QString& name, const std::function<QWidget*()>& create)
{
    if (QWidget* existing = FindFormByName(name))
        return existing;
    QWidget* form = create ? create() : nullptr;
    if (!form)
        return nullptr;
    if (!form->isWindow())
        form->setWindowFlag(Qt::Window, true);
    form->setObjectName(name);
    return form;
}

void BringForward(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void PostCloseForm(QWidget* form)
{
    if (form)
        QMetaObject::invokeMethod(form, "close", Qt::QueuedConnection);
}

namespace {
class PanelDragFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            auto* panel = static_cast<QWidget*>(watched);
            if (QWindow* handle = panel->window()->windowHandle()) {
                handle->startSystemMove();
                return true;
            }
        }
        return false;
    }
};
} // namespace

void DragFormByPanel(QWidget* panel)
{
    if (panel)
        panel->installEventFilter(new PanelDragFilter(panel));
}

bool SetCapsLock(bool) { return false; }

void ShowErrorBox(const QString& text, int) { ShowError(text); }

WorkstationId SetWorkstationId(const t_user& user)
{
    WorkstationId id;
    id.computerName = QSysInfo::machineHostName().left(15);
    id.text = (user.login + QLatin1Char('/') + id.computerName).left(30);
    return id;
}

} // namespace tornaly
