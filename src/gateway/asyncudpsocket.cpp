#include "asyncudpsocket.h"

#include "asyncudpsocketdelegate.h"
#include "socketkeepalive.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QRegularExpression>

#include <sys/socket.h>

using KeepAlive = SocketKeepAlive<AsyncUdpSocket>;

namespace {
// Room for the largest datagram the transmitters send, with margin.
constexpr qint64 kMaxDatagramBytes = 65507;

int millisecondsFor(double seconds)
{
    return int(qBound(0.0, seconds * 1000.0, double(std::numeric_limits<int>::max())));
}
} // namespace

std::shared_ptr<AsyncUdpSocket> AsyncUdpSocket::create(AsyncUdpSocketDelegate *delegate)
{
    return std::shared_ptr<AsyncUdpSocket>(new AsyncUdpSocket(delegate));
}

AsyncUdpSocket::AsyncUdpSocket(AsyncUdpSocketDelegate *delegate) : m_delegate(delegate)
{
    // Transmitters sit on the local network: never ask for (or go through) a
    // proxy, which would also cost a system proxy look-up on every socket.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    m_receiveTimer.setSingleShot(true);
    m_receiveTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_receiveTimer, &QTimer::timeout, this, &AsyncUdpSocket::onReceiveTimedOut);
    connect(&m_socket, &QUdpSocket::readyRead, this, &AsyncUdpSocket::readPendingDatagrams);
}

AsyncUdpSocket::~AsyncUdpSocket()
{
    m_socket.close();
}

AsyncUdpSocket::CallbackGuard::CallbackGuard(AsyncUdpSocket *socket)
    : m_socket(socket->shared_from_this())
{
    ++socket->m_callbackGuards;
}

AsyncUdpSocket::CallbackGuard::~CallbackGuard()
{
    --m_socket->m_callbackGuards;
}

int AsyncUdpSocket::liveSocketCount()
{
    return KeepAlive::count();
}

void AsyncUdpSocket::closeAll()
{
    for (AsyncUdpSocket *socket : KeepAlive::all())
        socket->close();
}

void AsyncUdpSocket::receiveWithTimeout(double seconds, long tag)
{
    if (m_closing || m_closed)
        return;
    m_receives.append({tag, seconds});
    holdWhileBusy();
    if (m_receives.size() == 1)
        beginCurrentReceive();
}

bool AsyncUdpSocket::enableBroadcast(bool enable)
{
    m_broadcast = enable;
    if (m_socket.state() == QAbstractSocket::BoundState) {
        int value = enable ? 1 : 0;
        return ::setsockopt(int(m_socket.socketDescriptor()), SOL_SOCKET, SO_BROADCAST, &value,
                            sizeof value) == 0;
    }
    return true;
}

bool AsyncUdpSocket::sendData(const QByteArray &data, const QString &host, quint16 port,
                              double timeout, long tag)
{
    Q_UNUSED(timeout) // a datagram send completes at once or not at all
    Q_UNUSED(tag)     // no send callbacks are delivered
    if (m_closing || m_closed || host.trimmed().isEmpty())
        return false;

    QHostAddress address;
    if (address.setAddress(host)) {
        writeNow(data, address, port);
        return true;
    }
    // Not a numeric address: it has to look like a host name to be looked up
    // (digits and dots alone are a malformed address, not a name).
    static const QRegularExpression hostName(
        QStringLiteral("^(?=.*[A-Za-z])[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    if (!hostName.match(host).hasMatch())
        return false;

    ++m_pendingLookups;
    holdWhileBusy();
    QHostInfo::lookupHost(host, this, [this, data, port](const QHostInfo &info) {
        --m_pendingLookups;
        if (!m_closed && !info.addresses().isEmpty())
            writeNow(data, info.addresses().constFirst(), port);
        settleIfIdle();
    });
    return true;
}

void AsyncUdpSocket::writeNow(const QByteArray &data, const QHostAddress &address, quint16 port)
{
    if (!ensureBound(address.protocol()))
        return;
    m_socket.writeDatagram(data, address, port);
}

bool AsyncUdpSocket::ensureBound(QAbstractSocket::NetworkLayerProtocol protocol)
{
    if (m_socket.state() == QAbstractSocket::BoundState)
        return true;
    const QHostAddress any = protocol == QAbstractSocket::IPv6Protocol
                                 ? QHostAddress(QHostAddress::AnyIPv6)
                                 : QHostAddress(QHostAddress::AnyIPv4);
    if (!m_socket.bind(any, 0))
        return false;
    enableBroadcast(m_broadcast);
    scheduleRead(); // a receive may already be waiting
    return true;
}

void AsyncUdpSocket::closeAfterSending()
{
    if (m_closing || m_closed)
        return;
    m_closing = true;
    holdWhileBusy();
    // Name look-ups still pending are the only sends not yet out; they are
    // dropped with the close, which never happens inside the current call.
    QMetaObject::invokeMethod(this, &AsyncUdpSocket::close, Qt::QueuedConnection);
}

void AsyncUdpSocket::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_closing = true;
    m_receiveTimer.stop();
    m_receives.clear();
    m_socket.close();

    std::shared_ptr<AsyncUdpSocket> self = weak_from_this().lock();
    AsyncUdpSocketDelegate *delegate = m_delegate;
    if (self && delegate) {
        // The callback holds the socket until it has been delivered.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, delegate] { delegate->onUdpSocketDidClose(self.get()); }, Qt::QueuedConnection);
    }
    KeepAlive::releaseLater(this);
}

void AsyncUdpSocket::beginCurrentReceive()
{
    const Receive &current = m_receives.constFirst();
    if (current.timeout >= 0)
        m_receiveTimer.start(millisecondsFor(current.timeout));
    else
        m_receiveTimer.stop();
    scheduleRead();
}

void AsyncUdpSocket::endCurrentReceive()
{
    m_receiveTimer.stop();
    if (!m_receives.isEmpty())
        m_receives.removeFirst();
    if (!m_receives.isEmpty())
        beginCurrentReceive();
    else
        settleIfIdle();
}

void AsyncUdpSocket::scheduleRead()
{
    // Datagrams that arrived while no receive was queued stay with the
    // system; look at them on the next turn.
    QMetaObject::invokeMethod(this, &AsyncUdpSocket::readPendingDatagrams, Qt::QueuedConnection);
}

void AsyncUdpSocket::readPendingDatagrams()
{
    while (!m_closing && !m_receives.isEmpty() && m_socket.state() == QAbstractSocket::BoundState &&
           m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(kMaxDatagramBytes);
        if (!datagram.isValid())
            break;
        const long tag = m_receives.constFirst().tag;
        QHostAddress sender = datagram.senderAddress();
        bool ok = false;
        const QHostAddress v4(sender.toIPv4Address(&ok));
        const QString host = ok ? v4.toString() : sender.toString();
        const CallbackGuard guard(this); // survive the callback
        const bool accepted =
            !m_delegate || m_delegate->onUdpSocketDidReceiveData(this, datagram.data(), tag, host,
                                                                 quint16(datagram.senderPort()));
        if (m_closed || m_receives.isEmpty())
            return;
        if (accepted && m_receives.constFirst().tag == tag) {
            endCurrentReceive();
        }
    }
}

void AsyncUdpSocket::onReceiveTimedOut()
{
    if (m_receives.isEmpty() || m_closed)
        return;
    const long tag = m_receives.constFirst().tag;
    const CallbackGuard guard(this);
    m_receives.removeFirst();
    if (m_delegate)
        m_delegate->onUdpSocketDidNotReceiveData(this, tag, QStringLiteral("receive timed out"));
    if (m_closed)
        return;
    if (!m_receives.isEmpty())
        beginCurrentReceive();
    else
        settleIfIdle();
}

bool AsyncUdpSocket::hasWork() const
{
    return !m_receives.isEmpty() || m_pendingLookups > 0 || (m_closing && !m_closed);
}

void AsyncUdpSocket::holdWhileBusy()
{
    if (!KeepAlive::isHeld(this))
        KeepAlive::hold(shared_from_this());
}

void AsyncUdpSocket::settleIfIdle()
{
    if (hasWork() || m_closed)
        return;
    // Owners other than the keep-alive set: none means the creator let go,
    // so the socket's life ends here, as a dropped socket would close.
    const bool held = KeepAlive::isHeld(this);
    const long otherOwners = weak_from_this().use_count() - m_callbackGuards - (held ? 1 : 0);
    if (held && otherOwners <= 0) {
        close();
        return;
    }
    if (held)
        KeepAlive::releaseLater(this);
}
