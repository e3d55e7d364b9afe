#include "webremoteserver.h"

#include "core/logging.h"
#include "webpagetexts.h"

#include <QDateTime>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMimeDatabase>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

// The page's files live in the program (a resource of a static library,
// which has to be pulled in by name).
static void initialiseWebFiles()
{
    Q_INIT_RESOURCE(web);
}

namespace {
using Status = QHttpServerResponder::StatusCode;

// A listening server whose every connection is watched for its size before
// the HTTP server reads from it.
template <class Server> class SizeLimitedServer final : public Server {
public:
    explicit SizeLimitedServer(RequestSizeLimit *limit) : m_limit(limit) {}
    QTcpSocket *nextPendingConnection() override
    {
        QTcpSocket *socket = Server::nextPendingConnection();
        if (socket)
            m_limit->watch(socket);
        return socket;
    }

private:
    RequestSizeLimit *m_limit;
};

// The page loads nothing but its own files and talks only to its own host.
const QByteArray kPolicy = "default-src 'self'; script-src 'self'; style-src 'self'; "
                           "img-src 'self' data:; connect-src 'self'; object-src 'none'; "
                           "base-uri 'none'; form-action 'self'; frame-ancestors 'none'";

void respond(QHttpServerResponder &responder, Status status, const QByteArray &type,
             const QByteArray &body, const QList<QPair<QByteArray, QByteArray>> &extra = {})
{
    responder.writeStatusLine(status);
    responder.writeHeader("Content-Type", type);
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeHeader("Content-Security-Policy", kPolicy);
    responder.writeHeader("X-Content-Type-Options", "nosniff");
    responder.writeHeader("Referrer-Policy", "no-referrer");
    responder.writeHeader("X-Frame-Options", "DENY");
    for (const auto &[name, value] : extra)
        responder.writeHeader(name, value);
    responder.writeBody(body);
}

QByteArray headerOf(const QHttpServerRequest &request, const QByteArray &name)
{
    for (const auto &[key, value] : request.headers())
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

QString languageOf(const QHttpServerRequest &request)
{
    return WebPageTexts::languageFor(headerOf(request, "Accept-Language"));
}

// A short page of its own (not paired, a spent link), in the browser's language.
QByteArray page(const QHttpServerRequest &request, const char *titleKey, const char *textKey)
{
    static const QByteArray html = "<!doctype html><html lang=\"{{lang}}\"><meta charset=\"utf-8\">"
                                   "<meta name=\"viewport\" content=\"width=device-width\">"
                                   "<title>{{%1}}</title><h1>{{%1}}</h1><p>{{%2}}</p></html>";
    return WebPageTexts::render(
        QString::fromLatin1(html).arg(QLatin1String(titleKey), QLatin1String(textKey)).toUtf8(),
        languageOf(request));
}
} // namespace

WebRemoteServer::WebRemoteServer(WebAccess access, QObject *parent)
    : QAbstractHttpServer(parent), m_access(std::move(access))
{
    initialiseWebFiles();
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
            &WebRemoteServer::acceptWebSockets);
}

bool WebRemoteServer::useTls(const QString &certFile, const QString &keyFile, QString *error)
{
    QFile certificate(certFile), key(keyFile);
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1 or %2").arg(certFile, keyFile);
        return false;
    }
    const QSslCertificate parsedCertificate(&certificate, QSsl::Pem);
    const QSslKey parsedKey(&key, QSsl::Rsa, QSsl::Pem);
    if (parsedCertificate.isNull() || parsedKey.isNull()) {
        *error =
            QStringLiteral("%1 and %2 are no PEM certificate and RSA key").arg(certFile, keyFile);
        return false;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(parsedCertificate);
    configuration.setPrivateKey(parsedKey);
    m_tlsConfiguration = configuration;
    return true;
}

quint16 WebRemoteServer::start(const QHostAddress &address, quint16 port)
{
    std::unique_ptr<QTcpServer> server;
    if (m_tlsConfiguration) {
        auto tlsServer = std::make_unique<SizeLimitedServer<QSslServer>>(&m_sizeLimit);
        tlsServer->setSslConfiguration(*m_tlsConfiguration);
        server = std::move(tlsServer);
    } else {
        server = std::make_unique<SizeLimitedServer<QTcpServer>>(&m_sizeLimit);
    }
    if (!server->listen(address, port))
        return 0;
    const quint16 listening = server->serverPort();
    bind(server.release()); // the HTTP server owns it now
    return listening;
}

QString WebRemoteServer::tokenOf(const QByteArray &cookieHeader)
{
    for (const QByteArray &cookie : cookieHeader.split(';')) {
        const QByteArray pair = cookie.trimmed();
        const QByteArray name = QByteArray(kCookie.data(), kCookie.size()) + QByteArray("=");
        if (pair.startsWith(name))
            return QString::fromLatin1(pair.mid(kCookie.size() + 1));
    }
    return {};
}

bool WebRemoteServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Small answers and state messages go at once, not after Nagle's wait.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // The WebSocket's handshake: the server takes it over after this (and
    // acceptWebSockets checks who it is); nothing may be written to it here.
    if (headerOf(request, "Upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
        m_sizeLimit.release(socket);
        return true;
    }
    if (request.url().path() == QLatin1String("/pair")) {
        pair(request, socket);
        return true;
    }
    if (!m_access.isValidToken(tokenOf(headerOf(request, "Cookie")))) {
        QHttpServerResponder responder = makeResponder(request, socket);
        respond(responder, Status::Unauthorized, "text/html; charset=utf-8",
                page(request, "notPairedTitle", "notPaired"), {{"Vary", "Accept-Language"}});
        return true;
    }
    serveFile(request, socket);
    return true;
}

void WebRemoteServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    respond(responder, Status::NotFound, "text/plain", "not found");
}

bool WebRemoteServer::tooManyFailures(const QHostAddress &address)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // Failures older than a minute are forgotten, and so is an address without any.
    for (auto it = m_failures.begin(); it != m_failures.end();) {
        it->removeIf([now](qint64 t) { return now - t > 60000; });
        it = it->isEmpty() ? m_failures.erase(it) : std::next(it);
    }
    return m_failures.value(address.toString()).size() >= kMaxPairingFailures;
}

void WebRemoteServer::pair(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const QHostAddress from = request.remoteAddress();
    if (tooManyFailures(from)) {
        respond(responder, Status::TooManyRequests, "text/plain",
                "too many pairing attempts: wait a minute");
        return;
    }
    const QString code = request.query().queryItemValue(QStringLiteral("code"));
    const QString device = QString::fromUtf8(headerOf(request, "User-Agent")).left(80);
    const std::optional<QString> token = m_access.pair(code, device);
    if (!token) {
        m_failures[from.toString()].append(QDateTime::currentMSecsSinceEpoch());
        qCWarning(lcGateway).noquote()
            << "web remote: a pairing link was refused from" << from.toString();
        respond(responder, Status::Forbidden, "text/html; charset=utf-8",
                page(request, "linkInvalidTitle", "linkInvalid"));
        return;
    }
    QByteArray cookie = QByteArray(kCookie.data()) + '=' + token->toLatin1() +
                        "; Path=/; HttpOnly; SameSite=Strict; Max-Age=31536000";
    if (m_tlsConfiguration)
        cookie += "; Secure";
    respond(responder, Status::SeeOther, "text/plain", "paired",
            {{"Location", "/"}, {"Set-Cookie", cookie}, {"Cache-Control", "no-store"}});
}

void WebRemoteServer::serveFile(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    QString path = request.url().path();
    if (path == QLatin1String("/"))
        path = QStringLiteral("/index.html");
    QFile file(QStringLiteral(":/web") + path);
    if (path.contains(QLatin1String("..")) || !file.open(QIODevice::ReadOnly)) {
        respond(responder, Status::NotFound, "text/plain", "not found");
        return;
    }
    QByteArray type =
        QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1();
    if (path.endsWith(QLatin1String(".js")))
        type = "text/javascript";
    else if (path.endsWith(QLatin1String(".webmanifest")))
        type = "application/manifest+json";
    if (type.startsWith("text/"))
        type += "; charset=utf-8";
    QByteArray body = file.readAll();
    if (path == QLatin1String("/index.html")) {
        body = WebPageTexts::render(body, languageOf(request));
        respond(responder, Status::Ok, type, body,
                {{"Cache-Control", "no-cache"}, {"Vary", "Accept-Language, Cookie"}});
        return;
    }
    respond(responder, Status::Ok, type, body, {{"Cache-Control", "no-cache"}});
}

void WebRemoteServer::acceptWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        QWebSocket *socket = nextPendingWebSocketConnection().release();
        socket->setParent(this);
        const QNetworkRequest handshake = socket->request();
        const QString token = tokenOf(handshake.rawHeader("Cookie"));
        // Only the page's own origin: another site open in the same browser
        // cannot drive the home with the device's cookie.
        const QString host = QString::fromLatin1(handshake.rawHeader("Host"));
        const QString expected =
            (m_tlsConfiguration ? QStringLiteral("https://") : QStringLiteral("http://")) + host;
        if (!m_access.isValidToken(token) || socket->origin() != expected) {
            qCWarning(lcGateway).noquote()
                << "web remote: a WebSocket was refused (origin" << socket->origin() << ")";
            // Closed once the server has finished handing it over (it still
            // reads from the connection in this turn of the loop); it hears nothing.
            QTimer::singleShot(0, socket, [socket] {
                socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                              QStringLiteral("not paired, or from another site"));
                socket->deleteLater();
            });
            continue;
        }
        Q_EMIT pageConnected(socket, token);
    }
}
