#include "util/WebPages.h"

#include <QDesktopServices>
#include <QMutex>

namespace tornaly {

namespace {
QMutex g_pagesMutex;
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
        QMutexLocker l(&g_pagesMutex);
        h = urlHook();
    }
    if (h)
        h(url);
    else
        QDesktopServices::openUrl(url);
}

void SetOpenUrlHook(std::function<void(const QUrl&)> hook)
{
    QMutexLocker l(&g_pagesMutex);
    urlHook() = std::move(hook);
}

QString EncodeFormText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    auto isHex = [](char c) { return QByteArrayView("0123456789abcdefABCDEF").contains(c); };
    QByteArray out;
    out.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8.at(i);
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                                || c == '-' || c == '.' || c == '_' || c == '~';
        const bool escape = c == '%' && i + 2 < utf8.size() && isHex(utf8.at(i + 1)) && isHex(utf8.at(i + 2));
        if (unreserved || c == '&' || c == '=' || c == '+' || escape)
            out += c;
        else
            out += '%' + QByteArray(1, c).toHex().toUpper();
    }
    return QString::fromLatin1(out);
}

QString WebPageParameterText(const QString& pageId, const QString& rawCallerText)
{
    // A number given to a page is one value; any other page gets the caller's
    // text as its whole parameter text.
    const QString callerText = QString::fromLatin1(QUrl::toPercentEncoding(rawCallerText));
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
    return EncodeFormText(rawCallerText);
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
    QMutexLocker l(&g_pagesMutex);
    pageOpener() = std::move(opener);
}

QUrl WebPageUrl(const WebPageCall& call)
{
    const QString parameters = EncodeFormText(call.parameters.trimmed());
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
        QMutexLocker l(&g_pagesMutex);
        opener = pageOpener();
    }
    if (opener)
        opener(call);
    else
        OpenWebPageInDesktopBrowser(call);
}

} // namespace tornaly
