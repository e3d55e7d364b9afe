// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

class AsyncSocketDelegate;

// An event-driven stream connection on the main run loop. Writes queued
// before the connection is up are sent once it is, in order; reads complete
// with whatever bytes are available. Every end of the connection (remote
// close, failure to connect, a read that timed out, disconnect()) is reported
// once through onSocketDidDisconnect, on a later turn of the loop, after
// which the socket deletes itself (hold it in a QPointer). A socket that
// never ends is its parent's or creator's to delete; nobody deletes one
// from inside its own callbacks.
class AsyncSocket final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AsyncSocket)

public:
    explicit AsyncSocket(AsyncSocketDelegate *delegate, QObject *parent = nullptr);
    ~AsyncSocket() override;

    // Starts connecting; false at once for an empty host or a socket already in use.
    bool connectToHost(const QString &host, quint16 port);
    // A negative time-out means none.
    void writeData(const QByteArray &data, double timeout, long tag);
    void readDataWithTimeout(double timeout, long tag);
    void disconnect();

    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // How many sockets exist in the process, for tests that check none is left behind.
    static int liveSocketCount();

private:
    struct Operation {
        QByteArray data;
        double timeout;
        long tag;
    };

    void onConnected();
    void onReadyRead();
    void onBytesWritten();
    void writeQueued();
    void beginCurrentRead();
    void beginWriteTimer();
    void end();

    AsyncSocketDelegate *m_delegate;
    QTcpSocket m_socket;
    QTimer m_readTimer;
    QTimer m_writeTimer;
    QList<Operation> m_reads;  // the first one is current
    QList<Operation> m_writes; // not yet handed to the connection
    qint64 m_unwrittenBytes = 0;
    bool m_started = false;
    bool m_ended = false;
};
