#pragma once

#include <QByteArray>
#include <QString>

class AsyncUdpSocket;

// Receives the results of an AsyncUdpSocket's operations. Every callback is
// optional: the defaults do nothing (and accept a datagram).
class AsyncUdpSocketDelegate {
public:
    virtual ~AsyncUdpSocketDelegate() = default;

    // A datagram arrived for the current receive. Answer true to end that
    // receive, false to keep it waiting (its time-out keeps running).
    virtual bool onUdpSocketDidReceiveData(AsyncUdpSocket *socket, const QByteArray &data, long tag,
                                           const QString &host, quint16 port)
    {
        Q_UNUSED(socket)
        Q_UNUSED(data)
        Q_UNUSED(tag)
        Q_UNUSED(host)
        Q_UNUSED(port)
        return true;
    }

    // The current receive ended without an accepted datagram.
    virtual void onUdpSocketDidNotReceiveData(AsyncUdpSocket *socket, long tag,
                                              const QString &error)
    {
        Q_UNUSED(socket)
        Q_UNUSED(tag)
        Q_UNUSED(error)
    }

    // The socket closed; delivered on a later run-loop turn.
    virtual void onUdpSocketDidClose(AsyncUdpSocket *socket) { Q_UNUSED(socket) }
};
