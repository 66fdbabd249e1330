#include "dialogs/WebBrowser.h"

#include "platform/Desktop.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>

namespace tornaly {

QPointer<TFormWebBrowser> FormWebBrowser;

namespace {
QByteArray enc(const QString& s)
{
    return QUrl::toPercentEncoding(s);
}

// Pages live in a folder only this user can read, removed when the program ends.
QTemporaryDir& pageDir()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

WebIstegi WebIstegiHazirla(const QString& adres, const QString& parametre, const QString& metod, bool kullaniciEkle,
                           const QString& login, const QString& sifre)
{
    WebIstegi r;
    QString params = parametre.trimmed();
    r.post = metod.trimmed().toUpper() == QLatin1String("POST") || kullaniciEkle;
    if (r.post) {
        QByteArray body = params.toLatin1();
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
                           "<form method=\"post\" action=\"%1\" enctype=\"application/x-www-form-urlencoded\">\n")
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
    connect(BtnKapat, &QPushButton::clicked, this, &QDialog::close);
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
    if (!pageDir().isValid())
        return {};
    const QString path = pageDir().filePath(QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".html"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    f.write(WebIstegiSayfasi(istek).toUtf8());
    f.close();
    OpenDocument(path);
    return path;
}

} // namespace tornaly
