// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>

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
//
// A paired device may hold only so much: kMaxPagesPerDevice pages and
// kMaxRequestConnectionsPerDevice connections for its other requests. Family members' devices hold
// kMaxPagesPerAddress pages from one address at most, and together leave a
// sixteenth of maxConnections (ownersRoom) to the owners' devices. A
// connection past one of these is the one turned away (its answer goes,
// then it closes; a page is refused), so that what a device holds stays.
class ConnectionLimits final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionLimits)

public:
    static constexpr int kDefaultMaxConnections = 256;
    static constexpr int kDefaultHeaderTimeoutSeconds = 10;
    static constexpr int kDefaultIdleTimeoutSeconds = 60;
    // An 8 MB photo at about 42 KB/s, a poor but working mobile link.
    static constexpr int kDefaultUploadTimeoutSeconds = 200;
    // A phone with its page open in a few tabs; a browser fetches a page's
    // files over up to six connections of each of its profiles (the
    // browser's, an installed page's), kept open between requests.
    static constexpr int kMaxPagesPerDevice = 4;
    static constexpr int kMaxRequestConnectionsPerDevice = 16;
    // A few phones behind one address (a guest network, a proxy).
    static constexpr int kMaxPagesPerAddress = 16;

    struct Settings {
        int maxConnections = kDefaultMaxConnections;
        int headerTimeoutMs = kDefaultHeaderTimeoutSeconds * 1000;
        int idleTimeoutMs = kDefaultIdleTimeoutSeconds * 1000;
        int uploadIdleTimeoutMs = kDefaultHeaderTimeoutSeconds * 1000;
        int uploadTimeoutMs = kDefaultUploadTimeoutSeconds * 1000;
    };

    // Who a connection came from: a paired device's token (empty when not
    // paired), and whether that device is an owner's.
    struct Device {
        QString token;
        bool owner = false;
    };

    explicit ConnectionLimits(QObject *parent = nullptr) : QObject(parent) {}
    void setSettings(const Settings &settings) { m_settings = settings; }

    // A new connection, before anyone reads from it; may close an older one, or it.
    void watch(QTcpSocket *socket);
    // The request under way is an upload whose head has come: its body is
    // timed as an upload's.
    void uploadBodyFollows(QTcpSocket *socket);
    // A request on it from that device was answered; a connection past the
    // device's limits closes once the answer is written.
    void answered(QTcpSocket *socket, const Device &device);
    // A WebSocket took over the connection from this peer address and port,
    // a page of that device; the connection, or null when the page is past
    // its device's or address's limits (or its connection is gone): it is
    // to be refused.
    QTcpSocket *handOver(const QHostAddress &address, quint16 port, const Device &device);
    int count() const { return int(m_connections.size()); }
    int ownersRoom() const { return qMax(1, m_settings.maxConnections / 16); }

private:
    struct Connection {
        quint64 order = 0; // when it arrived, for oldest first
        QHostAddress address;
        Device device; // once a request or page of a paired device came on it
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
    // Whether that device may hold this connection (a page, or not) besides
    // what it holds already; why not, for the log.
    const char *refusalOf(QTcpSocket *socket, const Device &device, bool page) const;

    Settings m_settings;
    QHash<QTcpSocket *, Connection> m_connections;
    quint64 m_arrivals = 0;
};
