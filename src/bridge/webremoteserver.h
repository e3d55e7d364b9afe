#pragma once

#include "requestsizelimit.h"
#include "web/webaccess.h"

#include <QAbstractHttpServer>
#include <QHash>
#include <QHostAddress>
#include <QSslConfiguration>

#include <memory>
#include <optional>

class QWebSocket;

// Serves the web remote: its page and files (from the program's resources)
// and its WebSocket, to paired devices only. A device pairs by opening the
// one-time link ("/pair?code=...") and then carries its token in an
// HttpOnly, SameSite=Strict cookie. Every response carries a strict content
// security policy. Failed pairings from one address are slowed down.
class WebRemoteServer final : public QAbstractHttpServer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebRemoteServer)

public:
    explicit WebRemoteServer(WebAccess access, QObject *parent = nullptr);

    static constexpr int kMaxPairingFailures = 5; // a minute, from one address
    static constexpr QLatin1String kCookie = QLatin1String("ardentia_token");

    // The token a request's cookie header carries (empty when none).
    static QString tokenOf(const QByteArray &cookieHeader);
    WebAccess &access() { return m_access; }
    // Serves over TLS with this certificate and key; false (and why) when they cannot be read.
    bool useTls(const QString &certFile, const QString &keyFile, QString *error);
    // Listens there (with TLS when set up); the port, or 0 when it cannot.
    quint16 start(const QHostAddress &address, quint16 port);

Q_SIGNALS:
    // A WebSocket of a paired device, from the page's own origin.
    void pageConnected(QWebSocket *socket, const QString &token);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void pair(const QHttpServerRequest &request, QTcpSocket *socket);
    void serveFile(const QHttpServerRequest &request, QTcpSocket *socket);
    void acceptWebSockets();
    bool tooManyFailures(const QHostAddress &address);

    WebAccess m_access;
    std::optional<QSslConfiguration> m_tlsConfiguration;
    RequestSizeLimit m_sizeLimit;
    QHash<QString, QList<qint64>> m_failures; // address -> times (ms) of failed pairings
};
