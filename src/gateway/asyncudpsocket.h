#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

class AsyncUdpSocketDelegate;

// An event-driven datagram socket on the main run loop. Operations return at
// once; results come back as calls on the delegate. While the socket has work
// (a queued receive, a send waiting for its host name, a pending close) it
// keeps itself alive, so its creator may drop its reference right after use.
// When its work ends and nobody else holds it, it closes itself.
class AsyncUdpSocket final : public QObject, public std::enable_shared_from_this<AsyncUdpSocket> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AsyncUdpSocket)

public:
    static std::shared_ptr<AsyncUdpSocket> create(AsyncUdpSocketDelegate *delegate);
    ~AsyncUdpSocket() override;

    // Queues one receive; receives are served one at a time, in order. A
    // negative time-out waits forever.
    void receiveWithTimeout(double seconds, long tag);
    bool enableBroadcast(bool enable);
    // Queues one datagram; false at once when the host is not an address
    // and not a name that could be looked up (nothing is sent, no callback).
    bool sendData(const QByteArray &data, const QString &host, quint16 port, double timeout,
                  long tag);
    // Refuses further work and closes once the sends are out, on a later turn.
    void closeAfterSending();
    void close();

    bool isClosed() const { return m_closed; }
    quint16 localPort() const { return m_socket.localPort(); }
    static int liveSocketCount();
    // Closes every socket still at work (shutting down, or between tests).
    static void closeAll();

private:
    explicit AsyncUdpSocket(AsyncUdpSocketDelegate *delegate);

    // Keeps the socket alive across a delegate call, without counting as an owner.
    class CallbackGuard {
    public:
        explicit CallbackGuard(AsyncUdpSocket *socket);
        ~CallbackGuard();

    private:
        std::shared_ptr<AsyncUdpSocket> m_socket;
    };

    struct Receive {
        long tag;
        double timeout;
    };

    bool ensureBound(QAbstractSocket::NetworkLayerProtocol protocol);
    void writeNow(const QByteArray &data, const QHostAddress &address, quint16 port);
    void beginCurrentReceive();
    void endCurrentReceive();
    void readPendingDatagrams();
    void onReceiveTimedOut();
    void scheduleRead();
    void holdWhileBusy();
    void settleIfIdle();
    bool hasWork() const;

    AsyncUdpSocketDelegate *m_delegate;
    QUdpSocket m_socket;
    QTimer m_receiveTimer;
    QList<Receive> m_receives; // the first one is current
    int m_pendingLookups = 0;
    int m_callbackGuards = 0;
    bool m_broadcast = false;
    bool m_closing = false;
    bool m_closed = false;
};
