#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

class AsyncSocketDelegate;

// An event-driven stream connection on the main run loop. Writes queued
// before the connection is up are sent once it is, in order; reads complete
// with whatever bytes are available. Every end of the connection (remote
// close, failure to connect, a read that timed out, disconnect()) is reported
// once through onSocketDidDisconnect. The socket keeps itself alive from
// connectToHost() until that report has been delivered.
class AsyncSocket final : public QObject, public std::enable_shared_from_this<AsyncSocket> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AsyncSocket)

public:
    static std::shared_ptr<AsyncSocket> create(AsyncSocketDelegate *delegate);
    ~AsyncSocket() override;

    // Starts connecting; false at once for an empty host or a socket already in use.
    bool connectToHost(const QString &host, quint16 port);
    // A negative time-out means none.
    void writeData(const QByteArray &data, double timeout, long tag);
    void readDataWithTimeout(double timeout, long tag);
    void disconnect();

    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    static int liveSocketCount();

private:
    explicit AsyncSocket(AsyncSocketDelegate *delegate);

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
