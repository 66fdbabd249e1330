#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QMutex>
#include <QStandardPaths>
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

bool HasDesktopBrowser()
{
    {
        QMutexLocker l(&g_hookMutex);
        if (hook())
            return true;
    }
#if defined(Q_OS_LINUX)
    // xdg-open without any browser behind it opens nothing and says nothing.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    if (!qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    for (const char* b : {"x-www-browser", "sensible-browser", "firefox", "firefox-esr", "chromium",
                          "chromium-browser", "google-chrome", "epiphany", "epiphany-browser", "konqueror",
                          "falkon", "midori", "qutebrowser"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(b)).isEmpty())
            return true;
    return false;
#else
    return true;
#endif
}

void SetOpenDocumentHook(std::function<void(const QString&)> h)
{
    QMutexLocker l(&g_hookMutex);
    hook() = std::move(h);
}

} // namespace tornaly
