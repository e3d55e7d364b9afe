// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>

class QTcpSocket;
class QTimer;

// Keeps the web remote's connections within bounds, so that no one on the
// network can use up the program's open files or hold connections forever:
// at most maxConnections open (past that the oldest connection not known to
// come from a paired device is closed, the new one perhaps), a request's
// line and headers within headerTimeout of its first byte, and no HTTP
// connection idle between requests for longer than idleTimeout. An upload's
// body (once its head has come in time) may take longer, so that a slow
// phone can send a large photo: it is cut only when no byte came for
// uploadIdleTimeout, or when the whole request, from its first byte, takes
// longer than uploadTimeout. Once a WebSocket took a connection over, the
// page's own keep-alive watches it.
class ConnectionLimits final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionLimits)

public:
    static constexpr int kDefaultMaxConnections = 256;
    static constexpr int kDefaultHeaderTimeoutSeconds = 10;
    static constexpr int kDefaultIdleTimeoutSeconds = 60;
    // An 8 MB photo at about 42 KB/s, a poor but working mobile link.
    static constexpr int kDefaultUploadTimeoutSeconds = 200;

    struct Settings {
        int maxConnections = kDefaultMaxConnections;
        int headerTimeoutMs = kDefaultHeaderTimeoutSeconds * 1000;
        int idleTimeoutMs = kDefaultIdleTimeoutSeconds * 1000;
        int uploadIdleTimeoutMs = kDefaultHeaderTimeoutSeconds * 1000;
        int uploadTimeoutMs = kDefaultUploadTimeoutSeconds * 1000;
    };

    explicit ConnectionLimits(QObject *parent = nullptr) : QObject(parent) {}
    void setSettings(const Settings &settings) { m_settings = settings; }

    // A new connection, before anyone reads from it; may close an older one, or it.
    void watch(QTcpSocket *socket);
    // The request under way is an upload whose head has come: its body is
    // timed as an upload's.
    void uploadBodyFollows(QTcpSocket *socket);
    // A request on it was answered; paired: it came from a paired device.
    void answered(QTcpSocket *socket, bool paired);
    // A WebSocket took over the connection from this peer address and port
    // (paired: it is a page of a paired device).
    void handOver(const QHostAddress &address, quint16 port, bool paired);
    int count() const { return int(m_connections.size()); }

private:
    struct Connection {
        quint64 order = 0; // when it arrived, for oldest first
        bool paired = false;
        bool page = false;
        bool inRequest = false;      // its first bytes came, its answer has not gone yet
        bool uploadBody = false;     // the request under way is an upload's body
        QDeadlineTimer uploadEnds{}; // when the request under way must end, were it an upload
        QTimer *deadline = nullptr;  // owned by the socket
    };
    void beginRequest(Connection &connection) const;
    void extendUpload(Connection &connection) const;
    void forget(QTcpSocket *socket);
    void closeOldestUnpaired(QTcpSocket *newcomer);

    Settings m_settings;
    QHash<QTcpSocket *, Connection> m_connections;
    quint64 m_arrivals = 0;
};
