// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSet>

#include <functional>

class QTcpSocket;

// Bounds the bytes one HTTP connection can make the server hold, whatever
// it sends: a request growing past kMaxRequestBytes before it is answered
// (the HTTP server would otherwise keep a whole body in memory, however
// large), or answers the peer leaves unread piling up past kMaxUnsentBytes.
// Either ends the connection. A request whose head the allowance check
// accepts (an owner's upload) may grow to the allowance instead, but only
// kMaxAllowancesAtOnce requests at a time hold it, so that many uploads at
// once do not multiply the memory held. A socket taken over by a WebSocket
// is released (its messages have limits of their own).
class ConnectionByteLimit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionByteLimit)

public:
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024;

    explicit ConnectionByteLimit(QObject *parent = nullptr) : QObject(parent) {}

    // The head of a request (its first bytes as they came, at most
    // kMaxHeadBytes) that may grow to the allowance besides kMaxRequestBytes.
    using AllowanceCheck = std::function<bool(const QByteArray &requestHead)>;
    static constexpr qint64 kMaxHeadBytes = 8 * 1024;
    static constexpr int kMaxAllowancesAtOnce = 2;
    void setAllowance(qint64 bytes, AllowanceCheck check)
    {
        m_allowance = bytes;
        m_allowanceCheck = std::move(check);
    }

    // Before anyone else reads from the socket.
    void watch(QTcpSocket *socket);
    // Before answering a request: false, and the connection is on its way
    // out, when the peer has not read what it was sent before.
    bool mayAnswer(QTcpSocket *socket);
    // A request was answered: the next one counts afresh.
    void answered(QTcpSocket *socket);
    void release(QTcpSocket *socket);

private:
    void cutOff(QTcpSocket *socket, const char *why);
    // The bytes the request under way may grow to.
    qint64 limitFor(QTcpSocket *socket, qint64 receivedBefore);

    qint64 m_allowance = 0;
    AllowanceCheck m_allowanceCheck;
    QSet<const QTcpSocket *> m_allowed; // whose request under way may grow to the allowance
};
