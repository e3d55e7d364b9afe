#include "requestsizelimit.h"

#include "core/logging.h"

#include <QTcpSocket>
#include <QTimer>

namespace {
const char *const kReceived = "ardentiaReceivedSinceAnswer";
}

void RequestSizeLimit::watch(QTcpSocket *socket)
{
    socket->setProperty(kReceived, qint64(0));
    // Connected first, so it runs before the server reads the new bytes.
    connect(socket, &QTcpSocket::readyRead, this, [socket] {
        const qint64 before = socket->property(kReceived).toLongLong();
        const qint64 received = before + socket->bytesAvailable();
        socket->setProperty(kReceived, received);
        if (received <= kMaxRequestBytes)
            return;
        socket->readAll(); // none of it reaches the server
        if (before > kMaxRequestBytes)
            return; // already on its way out
        qCWarning(lcGateway).noquote()
            << "web remote: a request over" << kMaxRequestBytes / 1024 << "KB from"
            << socket->peerAddress().toString() << "was cut off";
        // After the server's own handler of this signal has found nothing to read.
        QTimer::singleShot(0, socket, &QTcpSocket::abort);
    });
    // An answer ends the request it answers: the next one counts afresh.
    connect(socket, &QTcpSocket::bytesWritten, this,
            [socket] { socket->setProperty(kReceived, qint64(0)); });
}

void RequestSizeLimit::release(QTcpSocket *socket)
{
    disconnect(socket, nullptr, this, nullptr);
}
