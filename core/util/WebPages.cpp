#include "util/WebPages.h"

#include <QDesktopServices>
#include <QMutex>

namespace tornaly {

namespace {
QMutex g_mutex;
std::function<void(const QUrl&)>& urlHook()
{
    static std::function<void(const QUrl&)> h;
    return h;
}
std::function<void(const WebPageCall&)>& pageOpener()
{
    static std::function<void(const WebPageCall&)> h;
    return h;
}
} // namespace

void OpenUrl(const QUrl& url)
{
    std::function<void(const QUrl&)> h;
    {
        QMutexLocker l(&g_mutex);
        h = urlHook();
    }
    if (h)
        h(url);
    else
        QDesktopServices::openUrl(url);
}

void SetOpenUrlHook(std::function<void(const QUrl&)> hook)
{
    QMutexLocker l(&g_mutex);
    urlHook() = std::move(hook);
}

QString WebPageParameterText(const QString& pageId, const QString& callerText)
{
    if (pageId == QLatin1String("isemri_hareket"))
        return QStringLiteral("gonder=E&islemtip=T&isemrino=") + callerText;
    if (pageId == QLatin1String("isemri_kapat"))
        return QStringLiteral("gonder=E&islemtip=K&isemrino=") + callerText;
    // These four carry their prefix only together with a number.
    if (callerText.isEmpty())
        return callerText;
    if (pageId == QLatin1String("isemri_ac"))
        return QStringLiteral("isemrino=") + callerText;
    if (pageId == QLatin1String("mal_kabul_tk"))
        return QStringLiteral("teslimatno=&teslimatno2=") + callerText;
    if (pageId == QLatin1String("siparis_gonder"))
        return QStringLiteral("versipno=0&versipno2=") + callerText;
    if (pageId == QLatin1String("stok_fisi"))
        return QStringLiteral("gonder=E&hrkno=") + callerText;
    return callerText;
}

WebPageCall DefinedWebPageCall(const Db& db, const QString& pageId, const QString& callerText,
                               const QString& method)
{
    WebPageCall call;
    call.method = method;
    Query q(db, QStringLiteral("SELECT PAGE, LOGIN FROM WEBPAGES WHERE ID=:ID"));
    q.bind(QStringLiteral("ID"), pageId).exec();
    if (q.next()) {
        call.address = q.str(QStringLiteral("PAGE")).trimmed();
        call.appendLogin = !q.isNull(QStringLiteral("LOGIN")) && q.integer(QStringLiteral("LOGIN")) == 1;
    }
    if (call.appendLogin)
        call.method = QStringLiteral("post");
    call.parameters = WebPageParameterText(pageId, callerText);
    return call;
}

void SetWebPageOpener(std::function<void(const WebPageCall&)> opener)
{
    QMutexLocker l(&g_mutex);
    pageOpener() = std::move(opener);
}

QUrl WebPageUrl(const WebPageCall& call)
{
    const QString parameters = call.parameters.trimmed();
    QString address = call.address;
    if (!parameters.isEmpty())
        address += (address.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("?")) + parameters;
    return QUrl(address);
}

void OpenWebPageInDesktopBrowser(const WebPageCall& call)
{
    if (call.address.isEmpty())
        return;
    OpenUrl(WebPageUrl(call));
}

void OpenDefinedWebPage(const Db& db, const QString& pageId, const QString& callerText, const QString& method)
{
    const WebPageCall call = DefinedWebPageCall(db, pageId, callerText, method);
    if (call.address.isEmpty())
        return;
    std::function<void(const WebPageCall&)> opener;
    {
        QMutexLocker l(&g_mutex);
        opener = pageOpener();
    }
    if (opener)
        opener(call);
    else
        OpenWebPageInDesktopBrowser(call);
}

} // namespace tornaly
