// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionbytelimit.h"

#include "base/logging.h"

#include <QTcpSocket>
#include <QTimer>

namespace {
const char *const kReceived = "ardentiaReceivedSinceAnswer";
const char *const kCutOff = "ardentiaCutOff";
const char *const kLimit = "ardentiaLimit";
} // namespace

void ConnectionByteLimit::watch(QTcpSocket *socket)
{
    socket->setProperty(kReceived, qint64(0));
    connect(socket, &QObject::destroyed, this, [this, socket] { m_allowed.remove(socket); });
    // Connected first, so it runs before the server reads the new bytes.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        const qint64 before = socket->property(kReceived).toLongLong();
        const qint64 received = before + socket->bytesAvailable();
        socket->setProperty(kReceived, received);
        const bool tooLarge = received > limitFor(socket, before);
        if (!tooLarge && socket->bytesToWrite() <= kMaxUnsentBytes &&
            !socket->property(kCutOff).toBool())
            return;
        socket->readAll(); // none of it reaches the server
        cutOff(socket, tooLarge ? "a request over the size limit" : "answers left unread");
    });
}

bool ConnectionByteLimit::mayAnswer(QTcpSocket *socket)
{
    if (socket->bytesToWrite() <= kMaxUnsentBytes && !socket->property(kCutOff).toBool())
        return true;
    cutOff(socket, "answers left unread");
    return false;
}

qint64 ConnectionByteLimit::limitFor(QTcpSocket *socket, qint64 receivedBefore)
{
    // Decided from the request's first bytes, still unread by the server now.
    if (receivedBefore == 0) {
        m_allowed.remove(socket);
        const bool allowed = m_allowed.size() < kMaxAllowancesAtOnce && m_allowanceCheck &&
                             m_allowanceCheck(socket->peek(kMaxHeadBytes));
        if (allowed)
            m_allowed.insert(socket);
        socket->setProperty(kLimit, kMaxRequestBytes + (allowed ? m_allowance : 0));
    }
    return socket->property(kLimit).toLongLong();
}

void ConnectionByteLimit::answered(QTcpSocket *socket)
{
    socket->setProperty(kReceived, qint64(0));
    m_allowed.remove(socket);
}

void ConnectionByteLimit::release(QTcpSocket *socket)
{
    m_allowed.remove(socket);
    disconnect(socket, nullptr, this, nullptr);
}

void ConnectionByteLimit::cutOff(QTcpSocket *socket, const char *why)
{
    if (socket->property(kCutOff).toBool())
        return; // already on its way out
    socket->setProperty(kCutOff, true);
    qCWarning(lcGateway).noquote() << "web remote: the connection from"
                                   << socket->peerAddress().toString() << "was cut off:" << why;
    // After the server's own handler of this signal has found nothing to read.
    QTimer::singleShot(0, socket, &QTcpSocket::abort);
}
