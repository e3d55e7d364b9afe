// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
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
// once do not multiply the memory held. Such an upload that cannot be taken
// (the allowances are held, or it declares more than the allowance) is
// refused from its head: the server answers it at once, and its body is
// counted and thrown away, never held, up to its declared length (at most
// the allowance), so that the peer reads the answer; then the connection
// closes. A socket taken over by a WebSocket is released (its messages have
// limits of their own; what piles up unsent for it is watched by the page's
// own check, with unsentBytes).
class ConnectionByteLimit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionByteLimit)

public:
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024;

    explicit ConnectionByteLimit(QObject *parent = nullptr) : QObject(parent) {}

    // The head of a request (its line and headers as they came, at most
    // kMaxHeadBytes) that may grow to the allowance besides kMaxRequestBytes.
    using AllowanceCheck = std::function<bool(const QByteArray &requestHead)>;
    static constexpr qint64 kMaxHeadBytes = 8 * 1024;
    static constexpr int kMaxAllowancesAtOnce = 2;
    void setAllowance(qint64 bytes, AllowanceCheck check)
    {
        m_allowance = bytes;
        m_allowanceCheck = std::move(check);
    }

    // Why an upload was refused from its head.
    enum class Refusal {
        Busy,     // the allowances are all held by other uploads
        TooLarge, // it declares more than the allowance
    };
    Q_ENUM(Refusal)

    // Before anyone else reads from the socket.
    void watch(QTcpSocket *socket);
    // Before answering a request: false, and the connection is on its way
    // out, when the peer has not read what it was sent before.
    bool mayAnswer(QTcpSocket *socket);
    // A request was answered: the next one counts afresh.
    void answered(QTcpSocket *socket);
    void release(QTcpSocket *socket);
    // What was written to the connection and its peer has not taken yet,
    // over TLS the encrypted bytes too.
    static qint64 unsentBytes(const QTcpSocket *socket);

Q_SIGNALS:
    // An upload's head has come and its body follows, to be read or thrown
    // away: it may take longer than a request's head.
    void uploadBodyFollows(QTcpSocket *socket);
    // An upload refused from its head (before uploadBodyFollows): answer it
    // now. Nothing more of the connection reaches the HTTP server.
    void uploadRefused(QTcpSocket *socket, ConnectionByteLimit::Refusal why);

private:
    // The request under way on a connection.
    struct Request {
        qint64 received = 0; // its bytes so far
        qint64 limit = kMaxRequestBytes;
        QByteArray head;       // its first bytes until its head's end came
        bool headRead = false; // its head has come (or is too long for an upload's)
        qint64 toDiscard = -1; // bytes of a refused upload still to throw away; -1: none
    };

    void take(QTcpSocket *socket);
    // Gathers the request's head; once whole, decides what its body may be.
    void readHead(QTcpSocket *socket, Request &request);
    void decideUpload(QTcpSocket *socket, Request &request, const QByteArray &head);
    void refuse(QTcpSocket *socket, Request &request, qint64 headBytes, qint64 bodyBytes,
                Refusal why);
    void discard(QTcpSocket *socket, Request &request);
    // Reads what has come and keeps none of it; how many bytes that was.
    static qint64 throwAwayAvailable(QTcpSocket *socket);
    void cutOff(QTcpSocket *socket, const char *why);

    qint64 m_allowance = 0;
    AllowanceCheck m_allowanceCheck;
    QHash<const QTcpSocket *, Request> m_requests;
    QSet<const QTcpSocket *> m_allowed; // whose request under way may grow to the allowance
    QSet<const QTcpSocket *> m_cutOff;  // on their way out
};
