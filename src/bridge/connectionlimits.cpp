// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionlimits.h"

#include "base/logging.h"

#include <QTcpSocket>
#include <QTimer>

void ConnectionLimits::watch(QTcpSocket *socket)
{
    auto *deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    m_connections.insert(socket, {.order = ++m_arrivals, .deadline = deadline});
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

void ConnectionLimits::answered(QTcpSocket *socket, bool paired)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    it->paired = it->paired || paired;
    it->inRequest = false;
    it->uploadBody = false;
    it->deadline->start(m_settings.idleTimeoutMs);
}

void ConnectionLimits::handOver(const QHostAddress &address, quint16 port, bool paired)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        QTcpSocket *socket = it.key();
        if (socket->peerPort() != port || !socket->peerAddress().isEqual(address))
            continue;
        it->page = true;
        it->paired = paired;
        it->deadline->stop();
        return;
    }
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
        if (!it->paired && it->order < oldestOrder) {
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
