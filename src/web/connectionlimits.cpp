// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionlimits.h"

#include "base/logging.h"

#include <QTcpSocket>
#include <QTimer>

void ConnectionLimits::watch(QTcpSocket *socket)
{
    auto *deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    Connection connection;
    connection.order = ++m_arrivals;
    connection.address = socket->peerAddress();
    connection.deadline = deadline;
    m_connections.insert(socket, connection);
    connect(deadline, &QTimer::timeout, socket, [socket] {
        qCInfo(lcGateway).noquote()
            << "web remote: the connection from" << socket->peerAddress().toString() << "timed out";
        socket->abort();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        const auto it = m_connections.find(socket);
        if (it == m_connections.end())
            return;
        beginRequest(*it);
        if (it->uploadBody)
            extendUpload(*it);
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
    // The socket's own signals are cut when a WebSocket takes it over; its
    // timer, deleted with it, tells when it is gone.
    connect(deadline, &QObject::destroyed, this, [this, socket] { forget(socket); });
    deadline->start(m_settings.idleTimeoutMs);
    while (count() > m_settings.maxConnections)
        closeOldestUnpaired(socket);
}

void ConnectionLimits::beginRequest(Connection &connection) const
{
    if (connection.inRequest)
        return;
    // The first byte of a request: its line and headers must follow in time.
    connection.inRequest = true;
    connection.uploadBody = false;
    connection.uploadEnds = QDeadlineTimer(m_settings.uploadTimeoutMs);
    connection.deadline->start(m_settings.headerTimeoutMs);
}

void ConnectionLimits::extendUpload(Connection &connection) const
{
    connection.deadline->start(
        int(qMin<qint64>(m_settings.uploadIdleTimeoutMs, connection.uploadEnds.remainingTime())));
}

void ConnectionLimits::uploadBodyFollows(QTcpSocket *socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    beginRequest(*it);
    it->uploadBody = true;
    extendUpload(*it);
}

void ConnectionLimits::answered(QTcpSocket *socket, const Device &device)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    it->inRequest = false;
    it->uploadBody = false;
    it->deadline->start(m_settings.idleTimeoutMs);
    if (device.token.isEmpty() || device.token == it->device.token)
        return;
    if (const char *refusal = refusalOf(socket, device, false)) {
        qCInfo(lcGateway).noquote() << "web remote: the connection from" << it->address.toString()
                                    << "was closed:" << refusal;
        socket->disconnectFromHost(); // once the answer is written
        return;
    }
    it->device = device;
}

QTcpSocket *ConnectionLimits::handOver(const QHostAddress &address, quint16 port,
                                       const Device &device)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        QTcpSocket *socket = it.key();
        if (socket->peerPort() != port || !socket->peerAddress().isEqual(address))
            continue;
        it->deadline->stop();
        if (device.token.isEmpty())
            return socket;
        if (const char *refusal = refusalOf(socket, device, true)) {
            qCInfo(lcGateway).noquote()
                << "web remote: a page from" << address.toString() << "was refused:" << refusal;
            return nullptr;
        }
        it->page = true;
        it->device = device;
        return socket;
    }
    return nullptr;
}

const char *ConnectionLimits::refusalOf(QTcpSocket *socket, const Device &device, bool page) const
{
    const QHostAddress address = m_connections.value(socket).address;
    int devicePages = 0, deviceRequests = 0, addressPages = 0, family = 0;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (it.key() == socket || it->device.token.isEmpty())
            continue;
        const bool same = it->device.token == device.token;
        devicePages += same && it->page ? 1 : 0;
        deviceRequests += same && !it->page ? 1 : 0;
        addressPages += it->page && it->address.isEqual(address) ? 1 : 0;
        family += it->device.owner ? 0 : 1;
    }
    if (page ? devicePages >= kMaxPagesPerDevice
             : deviceRequests >= kMaxRequestConnectionsPerDevice)
        return page ? "its device has too many pages open" : "its device has too many connections";
    // The owners' devices are held to their own limits only: a family
    // member's pages cannot shut them out.
    if (device.owner)
        return nullptr;
    if (page && addressPages >= kMaxPagesPerAddress)
        return "its address has too many pages open";
    if (family >= m_settings.maxConnections - ownersRoom())
        return "family members' devices hold all but the owners' room";
    return nullptr;
}

void ConnectionLimits::forget(QTcpSocket *socket)
{
    m_connections.remove(socket);
}

void ConnectionLimits::closeOldestUnpaired(QTcpSocket *newcomer)
{
    // When every other one is paired, the new one is refused.
    QTcpSocket *oldest = newcomer;
    quint64 oldestOrder = m_arrivals;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it)
        if (it->device.token.isEmpty() && it->order < oldestOrder) {
            oldest = it.key();
            oldestOrder = it->order;
        }
    qCInfo(lcGateway).noquote() << "web remote: too many connections; the one from"
                                << oldest->peerAddress().toString() << "was closed";
    forget(oldest);
    oldest->abort();
    if (oldest == newcomer) // the HTTP server has not taken it yet: nothing else deletes it
        oldest->deleteLater();
}
