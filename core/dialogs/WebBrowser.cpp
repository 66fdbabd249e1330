#include "dialogs/WebBrowser.h"

#include "util/LoopbackPage.h"
#include "util/WebPages.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tornaly {

QPointer<TFormWebBrowser> FormWebBrowser;

namespace {
QByteArray enc(const QString& s)
{
    return QUrl::toPercentEncoding(s);
}
} // namespace

WebIstegi WebIstegiHazirla(const QString& adres, const QString& parametre, const QString& metod, bool kullaniciEkle,
                           const QString& login, const QString& sifre)
{
    WebIstegi r;
    const QString params = EncodeFormText(parametre.trimmed());
    r.post = metod.trimmed().toUpper() == QLatin1String("POST") || kullaniciEkle;
    if (r.post) {
        QByteArray body = params.toUtf8();
        if (kullaniciEkle) {
            if (!body.isEmpty())
                body += '&';
            body += "user=" + enc(login) + "&pass=" + enc(sifre);
        }
        r.adres = adres;
        r.govde = body;
        return r;
    }
    if (params.isEmpty())
        r.adres = adres;
    else if (adres.endsWith(QLatin1Char('/')))
        r.adres = adres + params;
    else
        r.adres = adres + QLatin1Char('?') + params;
    return r;
}

QString WebIstegiSayfasi(const WebIstegi& istek)
{
    const QString target = istek.adres.toHtmlEscaped();
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">");
    if (!istek.post) {
        html += QStringLiteral("<meta http-equiv=\"refresh\" content=\"0;url=%1\"></head><body>"
                               "<a href=\"%1\">%1</a></body></html>\n")
                    .arg(target);
        return html;
    }
    html += QStringLiteral("</head><body onload=\"document.forms[0].submit()\">\n"
                           "<form method=\"post\" action=\"%1\" accept-charset=\"UTF-8\" "
                           "enctype=\"application/x-www-form-urlencoded\">\n")
                .arg(target);
    for (const QByteArray& pair : istek.govde.split('&')) {
        if (pair.isEmpty())
            continue;
        const int eq = pair.indexOf('=');
        const QByteArray k = eq < 0 ? pair : pair.left(eq);
        const QByteArray v = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        auto dec = [](QByteArray s) { return QUrl::fromPercentEncoding(s.replace('+', ' ')); };
        html += QStringLiteral("<input type=\"hidden\" name=\"%1\" value=\"%2\">\n")
                    .arg(dec(k).toHtmlEscaped(), dec(v).toHtmlEscaped());
    }
    html += QStringLiteral("<noscript><input type=\"submit\" value=\"Gönder\"></noscript>\n</form></body></html>\n");
    return html;
}

TFormWebBrowser::TFormWebBrowser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormWebBrowser"));
    setWindowTitle(QStringLiteral("Web Browser"));
    auto* lay = new QVBoxLayout(this);
    cxLabel1 = new QLabel(QStringLiteral("Adres : "), this);
    cxLabel1->setObjectName(QStringLiteral("cxLabel1"));
    cxLabel1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lay->addWidget(cxLabel1);
    BtnKapat = new QPushButton(QStringLiteral("&Kapat"), this);
    BtnKapat->setObjectName(QStringLiteral("BtnKapat"));
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close); // unguarded: ui only
    lay->addWidget(BtnKapat, 0, Qt::AlignRight);
    setAttribute(Qt::WA_DeleteOnClose);
}

QString OpenWebPage(const SessionContext& ctx, const QString& adres, const QString& parametre,
                    const QString& metod, bool kullaniciEkle)
{
    if (!FormWebBrowser)
        FormWebBrowser = new TFormWebBrowser(QApplication::activeWindow());
    FormWebBrowser->show();
    if (FormWebBrowser->isMinimized())
        FormWebBrowser->showNormal();
    FormWebBrowser->raise();
    if (adres.trimmed().isEmpty())
        return {};
    FormWebBrowser->cxLabel1->setText(QStringLiteral("Adres: ") + adres);
    const WebIstegi istek = WebIstegiHazirla(adres, parametre, metod, kullaniciEkle, ctx.AktifKullanici.login,
                                             ctx.AktifKullanici.password);
    // A GET carries no login: the browser goes straight to the address. A POST
    // page (which may hold the login) is served from memory, never written.
    const QUrl url = istek.post ? ServeOnce(WebIstegiSayfasi(istek).toUtf8()) : QUrl(istek.adres);
    if (url.isEmpty())
        return {};
    OpenUrl(url);
    return url.toString();
}

} // namespace tornaly
