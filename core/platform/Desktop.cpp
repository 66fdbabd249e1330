#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QMutex>
#include <QUrl>

namespace tornaly {

namespace {
QMutex g_hookMutex;
std::function<void(const QString&)>& hook()
{
    static std::function<void(const QString&)> h;
    return h;
}
} // namespace

void OpenDocument(const QString& path)
{
    std::function<void(const QString&)> h;
    {
        QMutexLocker l(&g_hookMutex);
        h = hook();
    }
    if (h) {
        h(path);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SetOpenDocumentHook(std::function<void(const QString&)> h)
{
    QMutexLocker l(&g_hookMutex);
    hook() = std::move(h);
}

} // namespace tornaly
