#pragma once
#include "context/SessionContext.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QPair>
#include <QPointer>

class QLabel;
class QPushButton;

namespace tornaly {

// What a web page call sends. Credentials never travel in the address: a
// call that appends the login sends it in a POST body instead.
struct WebIstegi {
    QString adres;    // the address that is navigated to (never with credentials)
    bool post = false;
    QByteArray govde; // POST body, application/x-www-form-urlencoded
};
WebIstegi WebIstegiHazirla(const QString& adres, const QString& parametre, const QString& metod, bool kullaniciEkle,
                           const QString& login, const QString& sifre);

// A local page that opens the request in the system browser: a POST page
// submits its hidden form at once, a GET page moves on to the address.
QString WebIstegiSayfasi(const WebIstegi& istek);

// "Web Browser": shows the address called; the page itself opens in the
// system browser. One window for the whole program.
class TFormWebBrowser : public QDialog {
    Q_OBJECT
public:
    explicit TFormWebBrowser(QWidget* parent = nullptr);
    QLabel* cxLabel1 = nullptr;
    QPushButton* BtnKapat = nullptr;
};
extern QPointer<TFormWebBrowser> FormWebBrowser;

// Brings the web window forward and, with an address, opens the page in the
// system browser: a GET directly, a POST through a self-submitting page served
// once from memory on the loopback address (see ServeOnce). Returns the
// address opened, empty when nothing was called.
QString OpenWebPage(const SessionContext& ctx, const QString& adres, const QString& parametre,
                    const QString& metod, bool kullaniciEkle);

} // namespace tornaly
