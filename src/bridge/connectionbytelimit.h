// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTcpSocket;

// Bounds the bytes one HTTP connection can make the server hold, whatever
// it sends: a request growing past kMaxRequestBytes before it is answered
// (the HTTP server would otherwise keep a whole body in memory, however
// large), or answers the peer leaves unread piling up past kMaxUnsentBytes.
// Either ends the connection. A socket taken over by a WebSocket is released
// (its messages have limits of their own).
class ConnectionByteLimit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionByteLimit)

public:
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024;

    explicit ConnectionByteLimit(QObject *parent = nullptr) : QObject(parent) {}

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
};
