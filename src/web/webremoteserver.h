// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "access/webaccess.h"
#include "connectionbytelimit.h"
#include "connectionlimits.h"
#include "offloopwork.h"
#include "pagebackups.h"
#include "pagefilecodings.h"
#include "pairingthrottle.h"
#include "pendingpictures.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerResponder>
#include <QSslConfiguration>

#include <QHash>
#include <QJsonObject>
#include <QPointer>
#include <QTcpSocket>

#include <functional>
#include <memory>
#include <optional>
#include <variant>

class QWebSocket;

// Serves the web remote: its page and files (from the program's resources)
// and its WebSocket, to paired devices only. A device pairs by opening the
// one-time link ("/pair?code=...") and then carries its token in an
// HttpOnly, SameSite=Strict cookie. Every response carries a strict content
// security policy. Failed pairings are slowed down (PairingThrottle). What
// one connection may hold, and how many there are, is bounded; only an
// owner's photo (of a printed code, POST /photo; for a scenario's picture,
// POST /picture) may be larger than a page's requests, up to its own bound.
// A scenario's stored picture is served to paired devices from the picture
// folder (GET /picture/NAME).
class WebRemoteServer final : public QAbstractHttpServer {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebRemoteServer)

public:
    explicit WebRemoteServer(WebAccess access, QObject *parent = nullptr);

    static constexpr QLatin1String kCookie = QLatin1String("ardentia_token");
    static constexpr qint64 kMaxMessageBytes = 4096; // from a page, over its WebSocket

    void setConnectionLimits(const ConnectionLimits::Settings &settings)
    {
        m_connections.setSettings(settings);
    }
    int connectionCount() const { return m_connections.count(); }
    // Whether that page has left so much unread that nothing more is written to it.
    bool holdsTooMuchFor(const QWebSocket *page) const;

    // The token a request's cookie header carries (empty when none).
    static QString tokenOf(const QByteArray &cookieHeader);
    WebAccess &access() { return m_access; }
    // Scenario pictures sent and not yet saved with a scenario.
    PendingPictures &pendingPictures() { return m_pictures; }
    // Serves the home's backups to owners' pages: listed, made, downloaded
    // (GET /backups/NAME) and restored from an upload (POST /restore).
    void serveBackups(const BackupSources &sources);
    // The backups, when they are served.
    const PageBackups *backups() const { return m_backups ? &*m_backups : nullptr; }
    // Serves over TLS with this certificate and key; false (and why) when they cannot be read.
    bool useTls(const QString &certFile, const QString &keyFile, QString *error);
    // Listens there (with TLS when set up); the port, or 0 when it cannot.
    quint16 start(const QHostAddress &address, quint16 port);

Q_SIGNALS:
    // A WebSocket of a paired device, from the page's own origin. What its
    // peer leaves unread (the answers to its pings too) is bounded: past
    // ConnectionByteLimit::kMaxUnsentBytes it is cut off.
    void pageConnected(QWebSocket *socket, const QString &token);
    // A page restored the home: its answer has gone; the program starts again on it.
    void homeRestored();

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    // Answers the request; whether it came from a paired device.
    bool answer(const QHttpServerRequest &request, QTcpSocket *socket);
    bool pair(const QHttpServerRequest &request, QTcpSocket *socket);
    // What a page is told of an upload: its answer, or the code of why it was refused.
    using UploadAnswer = std::variant<QJsonObject, QString>;
    // An upload's body read off the event loop (touching nothing of the
    // server's), giving what tells the answer back on the loop.
    using UploadReader = std::function<std::function<UploadAnswer()>(const QByteArray &)>;
    // A POST from an owner's device, its body read so, off the event loop;
    // answered once it has been read.
    bool readUpload(const QHttpServerRequest &request, QTcpSocket *socket,
                    const UploadReader &read);
    // POST /photo: the text of the code in it. POST /picture: the name it is held under.
    static std::function<UploadAnswer()> readPhoto(const QByteArray &body);
    std::function<UploadAnswer()> holdPicture(const QByteArray &body);
    // An upload's answer, once it has been read, on its connection when that is still open.
    void answerUpload(QTcpSocket *socket, const QString &path, const UploadAnswer &answer) const;
    // POST /restore: the home restored from the backup in it, the asking device kept paired.
    std::function<UploadAnswer()> restoreHome(const QByteArray &body, const QString &token);
    // GET /backups/NAME: a kept backup, to an owner's device.
    void serveBackup(const QHttpServerRequest &request, QTcpSocket *socket);
    // A scenario's stored picture (a path under /picture/).
    void servePicture(const QHttpServerRequest &request, QTcpSocket *socket);
    // Whether a request beginning so is an owner's photo (and may be that large).
    bool mayUpload(const QByteArray &requestHead) const;
    void serveFile(const QHttpServerRequest &request, QTcpSocket *socket);
    // A page file as it is sent (compacted once, then kept); nothing when there is none.
    std::optional<QByteArray> pageFile(const QString &path);
    void acceptWebSockets();
    // Cuts the page off once its peer leaves too much unread.
    void watchUnsent(QWebSocket *page, QTcpSocket *connection);
    // What a paired device's connection counts as.
    ConnectionLimits::Device deviceOf(const QString &token) const;
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    // Every answer: the status, the security headers, these and the body.
    void respond(QHttpServerResponder &responder, QHttpServerResponder::StatusCode status,
                 const QByteArray &type, const QByteArray &body, const Headers &extra = {}) const;
    // The headers of every answer with such a body, the security headers among them.
    Headers headersOf(const QByteArray &type, qsizetype bodyBytes, const Headers &extra) const;
    // An owner's upload refused from its head, answered before the HTTP
    // server has read it (its body is thrown away, then the connection closes).
    void answerRefusedUpload(QTcpSocket *socket, ConnectionByteLimit::Refusal why) const;
    // An answer written on the connection itself, when no responder is at hand.
    void writeAnswer(QTcpSocket *socket, const QByteArray &statusLine, const QByteArray &body,
                     const Headers &extra) const;

    WebAccess m_access;
    std::optional<QSslConfiguration> m_tlsConfiguration;
    ConnectionByteLimit m_byteLimit;
    ConnectionLimits m_connections;
    PairingThrottle m_pairingThrottle;
    PendingPictures m_pictures;
    PageFileCodings m_pageFiles;
    QHash<QString, QByteArray> m_pageTexts; // by resource, as pageFile gives them
    QByteArray m_document; // index.html with the style and the home's scripts in it
    QByteArray m_policy;   // the Content-Security-Policy of every answer
    std::optional<PageBackups> m_backups;
    QHash<const QWebSocket *, QPointer<QTcpSocket>> m_pageConnections;
    OffLoopWork m_uploadWork; // last: waited for before what its answers reach goes
};
