#pragma once
#include "db/Database.h"

#include <QString>
#include <QUrl>
#include <functional>

namespace tornaly {

// Opens an address with the desktop's browser. Tests set a hook; an empty
// function restores the desktop.
void OpenUrl(const QUrl& url);
void SetOpenUrlHook(std::function<void(const QUrl&)> hook);

// One call of a page of the dealer's web application.
struct WebPageCall {
    QString address;
    QString parameters;     // form-encoded text, without the user's login
    QString method;         // "get" or "post"
    bool appendLogin = false; // the page wants the user's login
};

// A "name=value&name=value" text as it may travel in an address or a form
// body: UTF-8, every character but letters, digits and "-._~" percent-encoded,
// except the separators "&" and "=", a "+" (a space in form text) and escapes
// already in the text.
QString EncodeFormText(const QString& text);

// The parameter text a page receives for the caller's number text, which is
// percent-encoded (see EncodeFormText).
QString WebPageParameterText(const QString& pageId, const QString& callerText);
// The call for page `pageId` of table WEBPAGES; an empty address when the page
// is not defined.
WebPageCall DefinedWebPageCall(const Db& db, const QString& pageId, const QString& callerText,
                               const QString& method);
// Opens the page when it is defined; an undefined page opens nothing, silently.
void OpenDefinedWebPage(const Db& db, const QString& pageId, const QString& callerText,
                        const QString& method = QStringLiteral("get"));

// Who shows the pages: the desktop's browser unless the program's own browser
// window installs itself here.
void SetWebPageOpener(std::function<void(const WebPageCall&)> opener);
// The desktop's way: the address with the parameters as a query. The user's
// login is never put into an address, so a login page asks for it itself.
void OpenWebPageInDesktopBrowser(const WebPageCall& call);
QUrl WebPageUrl(const WebPageCall& call);

} // namespace tornaly
