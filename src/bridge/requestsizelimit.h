#pragma once

#include <QObject>

class QTcpSocket;

// Cuts off a connection whose request grows past a limit before the server
// has answered anything: the HTTP server would otherwise keep a whole body
// in memory, however large, from anyone on the network. A socket taken over
// by a WebSocket is released (its messages have their own limit).
class RequestSizeLimit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RequestSizeLimit)

public:
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;

    explicit RequestSizeLimit(QObject *parent = nullptr) : QObject(parent) {}

    // Before anyone else reads from the socket.
    void watch(QTcpSocket *socket);
    void release(QTcpSocket *socket);
};
