// SPDX-License-Identifier: GPL-3.0-or-later
#include "asyncsocket.h"

#include "asyncsocketdelegate.h"

#include <QNetworkProxy>

namespace {
int g_liveSockets = 0;

int millisecondsFor(double seconds)
{
    return int(qBound(0.0, seconds * 1000.0, double(std::numeric_limits<int>::max())));
}
} // namespace

AsyncSocket::AsyncSocket(AsyncSocketDelegate *delegate, QObject *parent)
    : QObject(parent), m_delegate(delegate)
{
    ++g_liveSockets;
    // Transmitters sit on the local network: never ask for (or go through) a
    // proxy, which would also cost a system proxy look-up on every socket.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    for (QTimer *timer : {&m_readTimer, &m_writeTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &AsyncSocket::end);
    }
    connect(&m_socket, &QTcpSocket::connected, this, &AsyncSocket::onConnected);
    connect(&m_socket, &QTcpSocket::readyRead, this, &AsyncSocket::onReadyRead);
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &AsyncSocket::onBytesWritten);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        onReadyRead();
        end();
    });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        // Bytes that arrived before the peer closed are still handed to the reads.
        onReadyRead();
        end();
    });
}

AsyncSocket::~AsyncSocket()
{
    QObject::disconnect(&m_socket, nullptr, this, nullptr);
    m_socket.abort();
    --g_liveSockets;
}

int AsyncSocket::liveSocketCount()
{
    return g_liveSockets;
}

bool AsyncSocket::connectToHost(const QString &host, quint16 port)
{
    if (m_started || host.trimmed().isEmpty())
        return false;
    m_started = true;
    m_socket.connectToHost(host, port);
    if (!m_reads.isEmpty())
        beginCurrentRead();
    return true;
}

void AsyncSocket::writeData(const QByteArray &data, double timeout, long tag)
{
    if (m_ended)
        return;
    m_writes.append({data, timeout, tag});
    if (isConnected())
        writeQueued();
}

void AsyncSocket::readDataWithTimeout(double timeout, long tag)
{
    if (m_ended)
        return;
    m_reads.append({{}, timeout, tag});
    if (m_reads.size() == 1 && m_started)
        beginCurrentRead();
}

void AsyncSocket::disconnect()
{
    end();
}

void AsyncSocket::onConnected()
{
    writeQueued();
    onReadyRead();
}

void AsyncSocket::writeQueued()
{
    while (!m_writes.isEmpty()) {
        const Operation write = m_writes.takeFirst();
        m_unwrittenBytes += write.data.size();
        m_socket.write(write.data);
        if (write.timeout >= 0 && !m_writeTimer.isActive())
            m_writeTimer.start(millisecondsFor(write.timeout));
    }
}

void AsyncSocket::onBytesWritten()
{
    m_unwrittenBytes = m_socket.bytesToWrite();
    if (m_unwrittenBytes == 0)
        m_writeTimer.stop();
}

void AsyncSocket::beginCurrentRead()
{
    // The time-out runs from the moment the read is current, connected or not,
    // so that a connection that never comes up still ends.
    const double timeout = m_reads.constFirst().timeout;
    if (timeout >= 0)
        m_readTimer.start(millisecondsFor(timeout));
    else
        m_readTimer.stop();
}

void AsyncSocket::onReadyRead()
{
    while (!m_ended && !m_reads.isEmpty() && m_socket.bytesAvailable() > 0) {
        const QByteArray data = m_socket.readAll();
        const long tag = m_reads.takeFirst().tag;
        m_readTimer.stop();
        if (!m_reads.isEmpty())
            beginCurrentRead();
        if (m_delegate)
            m_delegate->onSocketDidReadData(this, data, tag);
    }
}

void AsyncSocket::end()
{
    if (m_ended)
        return;
    m_ended = true;
    m_readTimer.stop();
    m_writeTimer.stop();
    m_reads.clear();
    m_writes.clear();
    QObject::disconnect(&m_socket, nullptr, this, nullptr);
    m_socket.abort();

    // Reported from the loop, never inside the caller's own call; dropped
    // with the socket if its owner deletes it first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_delegate)
                m_delegate->onSocketDidDisconnect(this);
            deleteLater();
        },
        Qt::QueuedConnection);
}
