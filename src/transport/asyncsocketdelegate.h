// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class AsyncSocket;

// Receives the results of an AsyncSocket's operations. Every callback is optional.
class AsyncSocketDelegate {
public:
    virtual ~AsyncSocketDelegate() = default;

    // One completed read: the bytes that were available (at least one).
    virtual void onSocketDidReadData(AsyncSocket *socket, const QByteArray &data, long tag)
    {
        Q_UNUSED(socket)
        Q_UNUSED(data)
        Q_UNUSED(tag)
    }

    // The connection ended, for whatever reason; reported exactly once, on a
    // later run-loop turn.
    virtual void onSocketDidDisconnect(AsyncSocket *socket) { Q_UNUSED(socket) }
};
