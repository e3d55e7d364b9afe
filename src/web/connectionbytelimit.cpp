// SPDX-License-Identifier: GPL-3.0-or-later
#include "connectionbytelimit.h"

#include "base/logging.h"

#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

namespace {
// The length of a request's head, its empty line included; -1 while it has not ended.
// Its end is looked for from `from` on: a head that comes a byte at a time is
// not searched again from its start for each byte.
qsizetype headLength(const QByteArray &bytes, qsizetype from)
{
    // Lines end in CRLF, or in a bare LF, which the HTTP server takes too.
    const auto isAt = [&bytes](qsizetype at, char c) {
        return at < bytes.size() && bytes[at] == c;
    };
    for (qsizetype at = bytes.indexOf('\n', from); at >= 0; at = bytes.indexOf('\n', at + 1)) {
        if (isAt(at + 1, '\n'))
            return at + 2;
        if (isAt(at + 1, '\r') && isAt(at + 2, '\n'))
            return at + 3;
    }
    return -1;
}

// The body's length a request's head declares; -1 when it declares none it can be held to.
qint64 declaredBodyBytes(const QByteArray &head)
{
    qint64 declared = -1;
    for (const QByteArray &line : head.split('\n')) {
        const QByteArray header = line.trimmed();
        if (!header.toLower().startsWith("content-length:"))
            continue;
        bool number = false;
        const qint64 bytes = header.mid(15).trimmed().toLongLong(&number);
        if (!number || bytes < 0 || declared >= 0)
            return -1; // unreadable or said twice: the HTTP server refuses it anyway
        declared = bytes;
    }
    return declared;
}
} // namespace

void ConnectionByteLimit::watch(QTcpSocket *socket)
{
    m_requests.insert(socket, {});
    connect(socket, &QObject::destroyed, this, [this, socket] {
        m_requests.remove(socket);
        m_allowed.remove(socket);
        m_cutOff.remove(socket);
    });
    // Connected first, so it runs before the server reads the new bytes.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { take(socket); });
}

void ConnectionByteLimit::take(QTcpSocket *socket)
{
    const auto it = m_requests.find(socket);
    if (it == m_requests.end())
        return;
    Request &request = *it;
    if (request.toDiscard >= 0) {
        discard(socket, request);
        return;
    }
    request.received += socket->bytesAvailable();
    if (!request.headRead) {
        readHead(socket, request);
        if (request.toDiscard >= 0)
            return;
    }
    const bool tooLarge = request.received > request.limit;
    if (!tooLarge && unsentBytes(socket) <= kMaxUnsentBytes && !m_cutOff.contains(socket))
        return;
    socket->readAll(); // none of it reaches the server
    cutOff(socket, tooLarge ? "a request over the size limit" : "answers left unread");
}

void ConnectionByteLimit::readHead(QTcpSocket *socket, Request &request)
{
    // Peeked, not read: the HTTP server reads the same bytes after this.
    const qsizetype lookedAt = request.head.size();
    request.head += socket->peek(kMaxHeadBytes - request.head.size());
    // The end's first LF may be among the last two bytes already looked at ("\n\r").
    const qsizetype length = headLength(request.head, qMax<qsizetype>(0, lookedAt - 2));
    if (length < 0 && request.head.size() < kMaxHeadBytes)
        return; // more of it to come
    request.headRead = true;
    const QByteArray head = length < 0 ? QByteArray() : request.head.left(length);
    request.head.clear();
    if (!head.isEmpty() && m_allowanceCheck && m_allowanceCheck(head))
        decideUpload(socket, request, head);
}

void ConnectionByteLimit::decideUpload(QTcpSocket *socket, Request &request, const QByteArray &head)
{
    const qint64 declared = declaredBodyBytes(head);
    const qint64 headBytes = head.size();
    if (declared > m_allowance) {
        refuse(socket, request, headBytes, m_allowance, Refusal::TooLarge);
        return;
    }
    if (m_allowed.size() >= kMaxAllowancesAtOnce) {
        // One that fits a page's request needs no allowance; one of unknown
        // length is held to that as before.
        if (declared >= 0 && headBytes + declared > kMaxRequestBytes)
            refuse(socket, request, headBytes, declared, Refusal::Busy);
        return;
    }
    m_allowed.insert(socket);
    request.limit = kMaxRequestBytes + m_allowance;
    Q_EMIT uploadBodyFollows(socket);
}

void ConnectionByteLimit::refuse(QTcpSocket *socket, Request &request, qint64 headBytes,
                                 qint64 bodyBytes, Refusal why)
{
    qCInfo(lcGateway).noquote() << "web remote: an upload from" << socket->peerAddress().toString()
                                << "was refused from its head:"
                                << (why == Refusal::Busy ? "other uploads hold the allowance"
                                                         : "it declares more than the allowance");
    Q_EMIT uploadRefused(socket, why);
    Q_EMIT uploadBodyFollows(socket);
    // Read in small pieces from now on, each thrown away before the next.
    socket->setReadBufferSize(kMaxRequestBytes);
    // What came of the body with the head counts too.
    request.toDiscard = qMax<qint64>(0, bodyBytes - (request.received - headBytes));
    throwAwayAvailable(socket);
    if (request.toDiscard == 0)
        socket->disconnectFromHost(); // once the answer is written
}

void ConnectionByteLimit::discard(QTcpSocket *socket, Request &request)
{
    const qint64 thrownAway = throwAwayAvailable(socket);
    if (request.toDiscard == 0)
        return; // the connection is closing: what else comes is nobody's
    request.toDiscard = qMax<qint64>(0, request.toDiscard - thrownAway);
    if (request.toDiscard == 0)
        socket->disconnectFromHost(); // once the answer is written
}

qint64 ConnectionByteLimit::throwAwayAvailable(QTcpSocket *socket)
{
    // The HTTP server reads within a transaction, which would keep every
    // byte read since it began in the socket's buffer.
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    return socket->skip(socket->bytesAvailable());
}

bool ConnectionByteLimit::mayAnswer(QTcpSocket *socket)
{
    if (unsentBytes(socket) <= kMaxUnsentBytes && !m_cutOff.contains(socket))
        return true;
    cutOff(socket, "answers left unread");
    return false;
}

void ConnectionByteLimit::answered(QTcpSocket *socket)
{
    const auto it = m_requests.find(socket);
    if (it != m_requests.end())
        *it = {};
    m_allowed.remove(socket);
}

void ConnectionByteLimit::release(QTcpSocket *socket)
{
    m_requests.remove(socket);
    m_allowed.remove(socket);
    disconnect(socket, nullptr, this, nullptr);
}

qint64 ConnectionByteLimit::unsentBytes(const QTcpSocket *socket)
{
    // A TLS socket's own count is of the bytes not encrypted yet: those
    // encrypted wait in the connection underneath.
    const auto *tls = qobject_cast<const QSslSocket *>(socket);
    return socket->bytesToWrite() + (tls ? tls->encryptedBytesToWrite() : 0);
}

void ConnectionByteLimit::cutOff(QTcpSocket *socket, const char *why)
{
    if (m_cutOff.contains(socket))
        return; // already on its way out
    m_cutOff.insert(socket);
    qCWarning(lcGateway).noquote() << "web remote: the connection from"
                                   << socket->peerAddress().toString() << "was cut off:" << why;
    // After the server's own handler of this signal has found nothing to read.
    QTimer::singleShot(0, socket, &QTcpSocket::abort);
}
