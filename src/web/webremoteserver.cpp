// SPDX-License-Identifier: GPL-3.0-or-later
#include "webremoteserver.h"

#include "base/compactjson.h"
#include "base/logging.h"
#include "pagedocument.h"
#include "pagepolicy.h"
#include "pagetext.h"
#include "photocode.h"
#include "uploadedimage.h"
#include "webpagetexts.h"

#include "store/picturefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMimeDatabase>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslCertificate>
#include <QSslCipher>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>

// The page's files live in the program (a resource of a static library,
// which has to be pulled in by name).
static void initialiseWebFiles()
{
    Q_INIT_RESOURCE(web);
}

namespace {
using Status = QHttpServerResponder::StatusCode;

// A listening server whose every connection is put under the limits before
// the HTTP server reads from it.
template <class Server> class LimitedServer final : public Server {
public:
    LimitedServer(ConnectionByteLimit *bytes, ConnectionLimits *connections)
        : m_bytes(bytes), m_connections(connections)
    {
    }
    QTcpSocket *nextPendingConnection() override
    {
        QTcpSocket *socket = Server::nextPendingConnection();
        if (socket) {
            m_bytes->watch(socket);
            m_connections->watch(socket);
        }
        return socket;
    }

private:
    ConnectionByteLimit *m_bytes;
    ConnectionLimits *m_connections;
};

// Only suites whose key exchange is ephemeral, so that a key stolen later
// opens no recorded session; TLS 1.3's are all so.
QList<QSslCipher> forwardSecretCiphers()
{
    QList<QSslCipher> ciphers;
    for (const QSslCipher &cipher : QSslConfiguration::supportedCiphers()) {
        const QString exchange = cipher.keyExchangeMethod();
        const QString authentication = cipher.authenticationMethod();
        const bool ephemeral = cipher.protocol() == QSsl::TlsV1_3 ||
                               exchange == QLatin1String("ECDH") || exchange == QLatin1String("DH");
        const bool signedByCertificate = cipher.protocol() == QSsl::TlsV1_3 ||
                                         authentication == QLatin1String("RSA") ||
                                         authentication == QLatin1String("ECDSA");
        if (ephemeral && signedByCertificate)
            ciphers.append(cipher);
    }
    return ciphers;
}

// Browsers go on reaching a page once served over TLS only over TLS.
const QByteArray kTransportSecurity = "max-age=31536000";

QByteArray headerOf(const QHttpServerRequest &request, const QByteArray &name)
{
    for (const auto &[key, value] : request.headers())
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

// What the HTTP server takes for a WebSocket's handshake and hands over:
// "Upgrade: websocket" and "upgrade" among the Connection header's options.
bool isWebSocketHandshake(const QHttpServerRequest &request)
{
    if (headerOf(request, "Upgrade").trimmed().compare("websocket", Qt::CaseInsensitive) != 0)
        return false;
    const QList<QByteArray> options = headerOf(request, "Connection").split(',');
    return std::any_of(options.cbegin(), options.cend(), [](const QByteArray &option) {
        return option.trimmed().compare("upgrade", Qt::CaseInsensitive) == 0;
    });
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
    // Compiled in: always there (and were it not, the policy would allow no inline script).
    const auto read = [this](const QString &path) { return pageFile(path).value_or(QByteArray()); };
    const QByteArray document = read(QStringLiteral("/index.html"));
    m_document = PageDocument::built(document, read);
    if (m_document == document)
        qCWarning(lcGateway) << "web remote: the page's style and scripts could not be written "
                                "into its document; they are fetched as files (a slower start)";
    m_policy = PagePolicy::of(m_document);
    // An owner's photo may be larger than any other request.
    m_byteLimit.setAllowance(std::max(UploadedImage::kMaxBytes, PageBackups::kMaxUploadBytes),
                             [this](const QByteArray &head) { return mayUpload(head); });
    connect(&m_byteLimit, &ConnectionByteLimit::uploadRefused, this,
            &WebRemoteServer::answerRefusedUpload);
    connect(&m_byteLimit, &ConnectionByteLimit::uploadBodyFollows, &m_connections,
            &ConnectionLimits::uploadBodyFollows);
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
    const QByteArray keyText = key.readAll();
    QSslKey parsedKey(keyText, QSsl::Rsa, QSsl::Pem);
    if (parsedKey.isNull())
        parsedKey = QSslKey(keyText, QSsl::Ec, QSsl::Pem);
    if (parsedCertificate.isNull() || parsedKey.isNull()) {
        *error = QStringLiteral("%1 and %2 are no PEM certificate and RSA or EC key")
                     .arg(certFile, keyFile);
        return false;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(parsedCertificate);
    configuration.setPrivateKey(parsedKey);
    configuration.setProtocol(QSsl::TlsV1_2OrLater);
    configuration.setCiphers(forwardSecretCiphers());
    m_tlsConfiguration = configuration;
    return true;
}

quint16 WebRemoteServer::start(const QHostAddress &address, quint16 port)
{
    std::unique_ptr<QTcpServer> server;
    if (m_tlsConfiguration) {
        auto tlsServer = std::make_unique<LimitedServer<QSslServer>>(&m_byteLimit, &m_connections);
        tlsServer->setSslConfiguration(*m_tlsConfiguration);
        server = std::move(tlsServer);
    } else {
        server = std::make_unique<LimitedServer<QTcpServer>>(&m_byteLimit, &m_connections);
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
    if (!m_byteLimit.mayAnswer(socket))
        return true;
    // A WebSocket's handshake: the HTTP server hands the connection over to
    // its WebSocket server after this (acceptWebSockets checks who it is),
    // and nothing may be written to it here. A request that only names an
    // upgrade is no handshake: it is answered, and limited, as any other.
    if (isWebSocketHandshake(request)) {
        m_byteLimit.release(socket);
        return true;
    }
    // Small answers and state messages go at once, not after Nagle's wait.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const bool paired = answer(request, socket);
    m_byteLimit.answered(socket);
    // The device by its cookie (a pairing's new token comes with the next request).
    const QString token = paired ? tokenOf(headerOf(request, "Cookie")) : QString();
    m_connections.answered(socket, deviceOf(m_access.isValidToken(token) ? token : QString()));
    return true;
}

ConnectionLimits::Device WebRemoteServer::deviceOf(const QString &token) const
{
    if (token.isEmpty())
        return {};
    return {token, m_access.roleOf(token) == WebAccess::Role::Owner};
}

bool WebRemoteServer::answer(const QHttpServerRequest &request, QTcpSocket *socket)
{
    if (request.url().path() == QLatin1String("/pair"))
        return pair(request, socket);
    if (request.url().path() == QLatin1String("/photo"))
        return readUpload(request, socket, &WebRemoteServer::readPhoto);
    if (request.url().path() == QLatin1String("/picture"))
        return readUpload(request, socket,
                          [this](const QByteArray &body) { return holdPicture(body); });
    if (request.url().path() == QLatin1String("/restore") && m_backups)
        return readUpload(request, socket,
                          [this, token = tokenOf(headerOf(request, "Cookie"))](
                              const QByteArray &body) { return restoreHome(body, token); });
    if (!m_access.isValidToken(tokenOf(headerOf(request, "Cookie")))) {
        QHttpServerResponder responder = makeResponder(request, socket);
        respond(responder, Status::Unauthorized, "text/html; charset=utf-8",
                page(request, "notPairedTitle", "notPaired"), {{"Vary", "Accept-Language"}});
        return false;
    }
    if (request.url().path().startsWith(QLatin1String("/picture/")))
        servePicture(request, socket);
    else if (request.url().path().startsWith(QLatin1String("/backups/")) && m_backups)
        serveBackup(request, socket);
    else
        serveFile(request, socket);
    return true;
}

void WebRemoteServer::respond(QHttpServerResponder &responder, Status status,
                              const QByteArray &type, const QByteArray &body,
                              const Headers &extra) const
{
    responder.writeStatusLine(status);
    for (const auto &[name, value] : headersOf(type, body.size(), extra))
        responder.writeHeader(name, value);
    responder.writeBody(body);
}

WebRemoteServer::Headers WebRemoteServer::headersOf(const QByteArray &type, qsizetype bodyBytes,
                                                    const Headers &extra) const
{
    Headers headers{{"Content-Type", type},
                    {"Content-Length", QByteArray::number(bodyBytes)},
                    {"Content-Security-Policy", m_policy},
                    {"X-Content-Type-Options", "nosniff"},
                    {"Referrer-Policy", "no-referrer"},
                    {"X-Frame-Options", "DENY"}};
    if (m_tlsConfiguration)
        headers.append({"Strict-Transport-Security", kTransportSecurity});
    return headers + extra;
}

void WebRemoteServer::answerRefusedUpload(QTcpSocket *socket,
                                          ConnectionByteLimit::Refusal why) const
{
    const bool busy = why == ConnectionByteLimit::Refusal::Busy;
    const QByteArray body =
        compactJsonOf(QJsonObject{{QStringLiteral("error"), busy ? QStringLiteral("uploadBusy")
                                                                 : QStringLiteral("tooLarge")}});
    // No request object exists yet for a responder to write it.
    writeAnswer(socket,
                busy ? "HTTP/1.1 503 Service Unavailable" : "HTTP/1.1 413 Payload Too Large", body,
                {{"Cache-Control", "no-store"}, {"Connection", "close"}});
}

void WebRemoteServer::writeAnswer(QTcpSocket *socket, const QByteArray &statusLine,
                                  const QByteArray &body, const Headers &extra) const
{
    QByteArray answer = statusLine + "\r\n";
    for (const auto &[name, value] : headersOf("application/json", body.size(), extra))
        answer += name + ": " + value + "\r\n";
    socket->write(answer + "\r\n" + body);
}

void WebRemoteServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    respond(responder, Status::NotFound, "text/plain", "not found");
}

bool WebRemoteServer::pair(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const QHostAddress from = request.remoteAddress();
    if (m_pairingThrottle.refuses(from, QDateTime::currentMSecsSinceEpoch())) {
        respond(responder, Status::TooManyRequests, "text/plain",
                "too many pairing attempts: wait a minute");
        return false;
    }
    const QString code = request.query().queryItemValue(QStringLiteral("code"));
    const QString device = QString::fromUtf8(headerOf(request, "User-Agent")).left(80);
    const std::optional<QString> token = m_access.pair(code, device);
    if (!token) {
        m_pairingThrottle.failed(from, QDateTime::currentMSecsSinceEpoch());
        qCWarning(lcGateway).noquote()
            << "web remote: a pairing link was refused from" << from.toString();
        respond(responder, Status::Forbidden, "text/html; charset=utf-8",
                page(request, "linkInvalidTitle", "linkInvalid"));
        return false;
    }
    QByteArray cookie = QByteArray(kCookie.data()) + '=' + token->toLatin1() +
                        "; Path=/; HttpOnly; SameSite=Strict; Max-Age=31536000";
    if (m_tlsConfiguration)
        cookie += "; Secure";
    respond(responder, Status::SeeOther, "text/plain", "paired",
            {{"Location", "/"}, {"Set-Cookie", cookie}, {"Cache-Control", "no-store"}});
    return true;
}

bool WebRemoteServer::mayUpload(const QByteArray &requestHead) const
{
    if (!requestHead.startsWith("POST /photo ") && !requestHead.startsWith("POST /picture ") &&
        !(m_backups && requestHead.startsWith("POST /restore ")))
        return false;
    // The cookie's header, from the head of the request as it came.
    for (const QByteArray &line : requestHead.split('\n')) {
        const QByteArray header = line.trimmed();
        if (header.toLower().startsWith("cookie:"))
            return m_access.roleOf(tokenOf(header.mid(7).trimmed())) == WebAccess::Role::Owner;
    }
    return false;
}

bool WebRemoteServer::readUpload(const QHttpServerRequest &request, QTcpSocket *socket,
                                 const UploadReader &read)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const std::optional<WebAccess::Role> role =
        m_access.roleOf(tokenOf(headerOf(request, "Cookie")));
    const auto answerWith = [&](Status status, const QJsonObject &body) {
        respond(responder, status, "application/json", compactJsonOf(body),
                {{"Cache-Control", "no-store"}});
    };
    if (request.method() != QHttpServerRequest::Method::Post || !role) {
        answerWith(Status::Unauthorized, {{QStringLiteral("error"), QStringLiteral("notPaired")}});
        return false;
    }
    const QString path = request.url().path();
    if (*role != WebAccess::Role::Owner) {
        qCWarning(lcGateway).noquote()
            << "web remote:" << path << "from a family device was refused (from"
            << request.remoteAddress().toString() + ')';
        answerWith(Status::Forbidden, {{QStringLiteral("error"), QStringLiteral("ownerOnly")}});
        return true;
    }
    // Decoded off the event loop, one at a time: answered when it is done.
    const bool started = m_uploadWork.start(
        [this, read, body = request.body(), to = QPointer<QTcpSocket>(socket), path] {
            const std::function<UploadAnswer()> tell = read(body);
            return [this, tell, to, path] { answerUpload(to, path, tell()); };
        });
    if (!started)
        answerWith(Status::ServiceUnavailable,
                   {{QStringLiteral("error"), QStringLiteral("uploadBusy")}});
    return true;
}

void WebRemoteServer::answerUpload(QTcpSocket *socket, const QString &path,
                                   const UploadAnswer &answer) const
{
    const auto *refused = std::get_if<QString>(&answer);
    if (refused)
        qCInfo(lcGateway).noquote() << "web remote:" << path << "was not read:" << *refused;
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return; // the page went meanwhile
    writeAnswer(socket, refused ? "HTTP/1.1 422 Unprocessable Entity" : "HTTP/1.1 200 OK",
                compactJsonOf(refused ? QJsonObject{{QStringLiteral("error"), *refused}}
                                      : std::get<QJsonObject>(answer)),
                {{"Cache-Control", "no-store"}});
}

std::function<WebRemoteServer::UploadAnswer()> WebRemoteServer::readPhoto(const QByteArray &body)
{
    const std::variant<PhotoCode::Read, PhotoCode::Refused> read = PhotoCode::read(body);
    UploadAnswer answer;
    if (const auto *refused = std::get_if<PhotoCode::Refused>(&read))
        answer = refused->code;
    else
        answer = QJsonObject{{QStringLiteral("code"), std::get<PhotoCode::Read>(read).text}};
    return [answer] { return answer; };
}

std::function<WebRemoteServer::UploadAnswer()> WebRemoteServer::holdPicture(const QByteArray &body)
{
    const std::variant<QImage, UploadedImage::Refused> image =
        UploadedImage::decode(body, PendingPictures::kSide);
    if (const auto *refused = std::get_if<UploadedImage::Refused>(&image))
        return [code = refused->code] { return UploadAnswer(code); };
    // Held on the loop, where the pictures are.
    return [this, decoded = std::get<QImage>(image)] {
        return UploadAnswer(QJsonObject{{QStringLiteral("picture"), m_pictures.add(decoded)}});
    };
}

void WebRemoteServer::serveBackups(const BackupSources &sources)
{
    m_backups.emplace(sources, m_access.path());
}

std::function<WebRemoteServer::UploadAnswer()> WebRemoteServer::restoreHome(const QByteArray &body,
                                                                            const QString &token)
{
    const std::optional<QString> refused = m_backups->restore(body, token);
    if (refused)
        return [reason = *refused] {
            return UploadAnswer(
                QJsonObject{{QStringLiteral("error"), QStringLiteral("restoreRefused")},
                            {QStringLiteral("reason"), reason}});
        };
    return [this] {
        // Told once the answer has been written, which follows at once.
        QTimer::singleShot(0, this, &WebRemoteServer::homeRestored);
        return UploadAnswer(QJsonObject{{QStringLiteral("restored"), true}});
    };
}

void WebRemoteServer::serveBackup(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    if (m_access.roleOf(tokenOf(headerOf(request, "Cookie"))) != WebAccess::Role::Owner) {
        respond(responder, Status::Forbidden, "text/plain", "an owner's device only");
        return;
    }
    const QString name = request.url().path().mid(int(qstrlen("/backups/")));
    const std::optional<QString> path = m_backups->fileOf(name);
    QFile file(path.value_or(QString()));
    if (!path || !file.open(QIODevice::ReadOnly)) {
        respond(responder, Status::NotFound, "text/plain", "not found");
        return;
    }
    respond(responder, Status::Ok, "application/gzip", file.readAll(),
            {{"Cache-Control", "no-store"},
             {"Content-Disposition", "attachment; filename=\"" + name.toLatin1() + '"'}});
}

void WebRemoteServer::servePicture(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const std::optional<QString> path =
        PictureFile::pathOf(request.url().path().mid(int(qstrlen("/picture/"))));
    QFile file(path.value_or(QString()));
    if (!path || !file.open(QIODevice::ReadOnly)) {
        respond(responder, Status::NotFound, "text/plain", "not found");
        return;
    }
    // A picture's name is the time it was saved: a new picture comes under a new name.
    respond(responder, Status::Ok, "image/png", file.readAll(),
            {{"Cache-Control", "private, max-age=31536000, immutable"}});
}

std::optional<QByteArray> WebRemoteServer::pageFile(const QString &path)
{
    // Only a path from the root, and only inside the page's own folder; kept
    // by the file it names, so that other spellings of one path add nothing.
    const QString resource = QDir::cleanPath(QStringLiteral(":/web") + path);
    if (!path.startsWith(QLatin1Char('/')) || !resource.startsWith(QLatin1String(":/web/")))
        return std::nullopt;
    const auto kept = m_pageTexts.constFind(resource);
    if (kept != m_pageTexts.constEnd())
        return *kept;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return *m_pageTexts.insert(resource, PageText::compacted(resource, file.readAll()));
}

void WebRemoteServer::serveFile(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    QString path = request.url().path();
    if (path == QLatin1String("/"))
        path = QStringLiteral("/index.html");
    const std::optional<QByteArray> content = pageFile(path);
    if (!content) {
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
    QByteArray body = *content;
    QByteArray key = path.toUtf8();
    QByteArray varies = "Accept-Encoding";
    if (path == QLatin1String("/index.html")) {
        const QString language = languageOf(request);
        body = WebPageTexts::render(m_document, language);
        key += '?' + language.toUtf8();
        varies = "Accept-Language, Cookie, Accept-Encoding";
    }
    const QByteArray encoding =
        PageFileCodings::compressible(type)
            ? PageFileCodings::chosenEncoding(request.value("Accept-Encoding"))
            : QByteArray();
    const PageFileCodings::Answer &answer = m_pageFiles.answer(key, body, encoding);
    // Asked again each time (no-cache), answered "not modified" while the file is the same.
    Headers headers{{"Cache-Control", "no-cache"}, {"Vary", varies}, {"ETag", answer.entityTag}};
    const QList<QByteArray> known = request.value("If-None-Match").split(',');
    if (std::any_of(known.begin(), known.end(),
                    [&](const QByteArray &tag) { return tag.trimmed() == answer.entityTag; })) {
        respond(responder, Status::NotModified, type, {}, headers);
        return;
    }
    if (!answer.encoding.isEmpty())
        headers.append({"Content-Encoding", answer.encoding});
    respond(responder, Status::Ok, type, answer.body, headers);
}

void WebRemoteServer::acceptWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        QWebSocket *socket = nextPendingWebSocketConnection().release();
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        socket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        const QNetworkRequest handshake = socket->request();
        const QString token = tokenOf(handshake.rawHeader("Cookie"));
        // Only the page's own origin: another site open in the same browser
        // cannot drive the home with the device's cookie.
        const QString host = QString::fromLatin1(handshake.rawHeader("Host"));
        const QString expected =
            (m_tlsConfiguration ? QStringLiteral("https://") : QStringLiteral("http://")) + host;
        const bool paired = m_access.isValidToken(token) && socket->origin() == expected;
        // The connection is the page's now: its own limits and keep-alive watch it.
        QTcpSocket *connection = m_connections.handOver(socket->peerAddress(), socket->peerPort(),
                                                        deviceOf(paired ? token : QString()));
        if (!paired || !connection) {
            if (!paired)
                qCWarning(lcGateway).noquote()
                    << "web remote: a WebSocket was refused (origin" << socket->origin() << ")";
            // Closed once the server has finished handing it over (it still
            // reads from the connection in this turn of the loop); it hears nothing.
            QTimer::singleShot(0, socket, [socket, paired] {
                socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                              paired ? QStringLiteral("too many pages open")
                                     : QStringLiteral("not paired, or from another site"));
                socket->deleteLater();
            });
            continue;
        }
        // A state message follows the one before it at once, not after Nagle's
        // wait for the page to acknowledge that one.
        connection->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        watchUnsent(socket, connection);
        Q_EMIT pageConnected(socket, token);
    }
}

void WebRemoteServer::watchUnsent(QWebSocket *page, QTcpSocket *connection)
{
    m_pageConnections.insert(page, connection);
    connect(page, &QObject::destroyed, this, [this, page] { m_pageConnections.remove(page); });
    // The WebSocket answers each ping by itself, and reads what came in a
    // queued call: looked at after it, whatever the peer sent, so that a
    // peer that pings and never reads is cut off like one that never reads
    // its messages.
    connect(
        connection, &QTcpSocket::readyRead, page,
        [this, page] {
            if (holdsTooMuchFor(page))
                page->abort();
        },
        Qt::QueuedConnection);
}

bool WebRemoteServer::holdsTooMuchFor(const QWebSocket *page) const
{
    const QTcpSocket *connection = m_pageConnections.value(page);
    if (!connection)
        return false;
    if (ConnectionByteLimit::unsentBytes(connection) <= ConnectionByteLimit::kMaxUnsentBytes)
        return false;
    qCWarning(lcGateway).noquote()
        << "web remote: the page from" << connection->peerAddress().toString()
        << "was cut off: what it was sent is left unread";
    return true;
}
