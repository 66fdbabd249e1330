#include "util/LoopbackPage.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tornaly {

namespace {
QByteArray randomToken()
{
    QByteArray bytes(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), 4);
    return bytes.toHex();
}

QByteArray response(const QByteArray& status, const QByteArray& body)
{
    return "HTTP/1.1 " + status
           + "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
             "Referrer-Policy: no-referrer\r\nConnection: close\r\nContent-Length: "
           + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}
} // namespace

QUrl ServeOnce(const QByteArray& html, int lifetimeMs)
{
    auto* server = new QTcpServer(QCoreApplication::instance());
    if (!server->listen(QHostAddress::LocalHost, 0)) {
        delete server;
        return {};
    }
    const QByteArray path = '/' + randomToken();
    auto page = std::make_shared<QByteArray>(html);
    QTimer::singleShot(lifetimeMs, server, [server, page] {
        page->fill('\0');
        server->close();
        server->deleteLater();
    });
    QObject::connect(server, &QTcpServer::newConnection, server, [server, path, page] {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            // The answer must outlive the server, which goes once it has served.
            socket->setParent(QCoreApplication::instance());
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QPointer<QTcpServer> guard(server);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, guard, path, page] {
                if (!socket->canReadLine())
                    return;
                // "GET /<token> HTTP/1.1": the rest of the request does not matter.
                const QList<QByteArray> words = socket->readLine(4096).trimmed().split(' ');
                const bool ours = words.size() >= 2 && words.at(0) == "GET" && words.at(1) == path;
                if (ours && !page->isEmpty()) {
                    socket->write(response("200 OK", *page));
                    page->fill('\0');
                    page->clear();
                    if (guard) {
                        guard->close();
                        guard->deleteLater();
                    }
                } else {
                    socket->write(response("404 Not Found", QByteArray()));
                }
                socket->disconnectFromHost();
            });
        }
    });
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(server->serverPort());
    url.setPath(QString::fromLatin1(path));
    return url;
}

} // namespace tornaly
