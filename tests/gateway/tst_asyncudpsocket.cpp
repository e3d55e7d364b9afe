#include "gateway/asyncudpsocket.h"
#include "gateway/asyncudpsocketdelegate.h"
#include "testmain.h"
#include "udppeer.h"

#include <QSignalSpy>

namespace {
struct Received {
    QByteArray data;
    long tag;
    QString host;
    quint16 port;
};

class RecordingDelegate final : public AsyncUdpSocketDelegate {
public:
    bool onUdpSocketDidReceiveData(AsyncUdpSocket *, const QByteArray &data, long tag,
                                   const QString &host, quint16 port) override
    {
        received.append({data, tag, host, port});
        return acceptFrom <= received.size();
    }
    void onUdpSocketDidNotReceiveData(AsyncUdpSocket *, long tag, const QString &) override
    {
        timedOut.append(tag);
    }
    void onUdpSocketDidClose(AsyncUdpSocket *) override { ++closed; }

    int acceptFrom = 1; // accept the n-th datagram and later ones
    QList<Received> received;
    QList<long> timedOut;
    int closed = 0;
};

QByteArray echo(const QByteArray &request)
{
    return "echo:" + request;
}
} // namespace

class TestAsyncUdpSocket : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QTRY_COMPARE(AsyncUdpSocket::liveSocketCount(), 0); }

    void sendsAndReceivesTheReply()
    {
        UdpPeer peer(echo);
        RecordingDelegate delegate;
        auto socket = AsyncUdpSocket::create(&delegate);
        socket->receiveWithTimeout(5, 2);
        QVERIFY(socket->enableBroadcast(true));
        QVERIFY(socket->sendData("hello", "127.0.0.1", peer.port(), 10, 1));
        QTRY_COMPARE(delegate.received.size(), 1);
        QCOMPARE(delegate.received[0].data, QByteArray("echo:hello"));
        QCOMPARE(delegate.received[0].tag, 2L);
        QCOMPARE(delegate.received[0].host, QStringLiteral("127.0.0.1"));
        QCOMPARE(delegate.received[0].port, peer.port());
        QCOMPARE(peer.lastSenderPort, socket->localPort());
        QVERIFY(delegate.timedOut.isEmpty());
        socket->close();
        QTRY_COMPARE(delegate.closed, 1);
    }

    void receiveTimesOutWithItsTag()
    {
        RecordingDelegate delegate;
        auto socket = AsyncUdpSocket::create(&delegate);
        socket->receiveWithTimeout(0.05, 7);
        QTRY_COMPARE(delegate.timedOut, QList<long>{7});
        QVERIFY(delegate.received.isEmpty());
    }

    void refusedDatagramKeepsTheReceiveWaiting()
    {
        UdpPeer peer;
        RecordingDelegate delegate;
        delegate.acceptFrom = 2;
        auto socket = AsyncUdpSocket::create(&delegate);
        socket->receiveWithTimeout(5, 3);
        socket->receiveWithTimeout(0.05, 4);
        socket->sendData("x", "127.0.0.1", peer.port(), 10, 1);
        QTRY_COMPARE(peer.received.size(), 1);
        peer.answerLast("first");
        QTRY_COMPARE(delegate.received.size(), 1);
        peer.answerLast("second");
        QTRY_COMPARE(delegate.received.size(), 2);
        // Both went to the first receive; the second then ran and timed out.
        QCOMPARE(delegate.received[0].tag, 3L);
        QCOMPARE(delegate.received[1].tag, 3L);
        QTRY_COMPARE(delegate.timedOut, QList<long>{4});
    }

    void closeAfterSendingClosesLaterAndDropsTheReceive()
    {
        UdpPeer peer(echo);
        RecordingDelegate delegate;
        auto socket = AsyncUdpSocket::create(&delegate);
        socket->receiveWithTimeout(0.2, 2);
        socket->sendData("bye", "127.0.0.1", peer.port(), 10, 1);
        socket->closeAfterSending();
        QVERIFY(!socket->isClosed()); // never inside the current call
        QVERIFY(!socket->sendData("late", "127.0.0.1", peer.port(), 10, 1));
        QTRY_COMPARE(delegate.closed, 1);
        QVERIFY(socket->isClosed());
        QTRY_COMPARE(peer.received.size(), 1);
        QTest::qWait(300);
        QVERIFY(delegate.received.isEmpty());
        QVERIFY(delegate.timedOut.isEmpty());
        QCOMPARE(delegate.closed, 1);
    }

    void hostThatIsNotAnAddressAnswersNo_data()
    {
        QTest::addColumn<QString>("host");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "  ";
        QTest::newRow("bad octet") << "999.1.1.1";
        QTest::newRow("punctuation") << "not a host!";
    }
    void hostThatIsNotAnAddressAnswersNo()
    {
        QFETCH(QString, host);
        RecordingDelegate delegate;
        auto socket = AsyncUdpSocket::create(&delegate);
        QVERIFY(!socket->sendData("x", host, 9, 10, 1));
        QTest::qWait(20);
        QVERIFY(delegate.received.isEmpty());
        QVERIFY(delegate.timedOut.isEmpty());
        QCOMPARE(delegate.closed, 0);
    }

    void largeDatagramArrivesWhole()
    {
        UdpPeer peer([](const QByteArray &) { return QByteArray(9216, 'z'); });
        RecordingDelegate delegate;
        auto socket = AsyncUdpSocket::create(&delegate);
        socket->receiveWithTimeout(5, 2);
        socket->sendData("big?", "127.0.0.1", peer.port(), 10, 1);
        QTRY_COMPARE(delegate.received.size(), 1);
        QCOMPARE(delegate.received[0].data, QByteArray(9216, 'z'));
        socket->close();
        QTRY_COMPARE(delegate.closed, 1);
    }

    void keepsItselfAliveAfterItsCreatorLetsGo()
    {
        UdpPeer peer;
        RecordingDelegate delegate;
        {
            auto socket = AsyncUdpSocket::create(&delegate);
            socket->receiveWithTimeout(5, 2);
            socket->sendData("ping", "127.0.0.1", peer.port(), 10, 1);
        }
        QCOMPARE(AsyncUdpSocket::liveSocketCount(), 1);
        QTRY_COMPARE(peer.received.size(), 1);
        peer.answerLast("pong");
        QTRY_COMPARE(delegate.received.size(), 1);
        // Out of work and held by nobody: it closes and says so.
        QTRY_COMPARE(delegate.closed, 1);
        QTRY_COMPARE(AsyncUdpSocket::liveSocketCount(), 0);
    }

    void droppedSocketClosesAfterItsTimeOut()
    {
        RecordingDelegate delegate;
        AsyncUdpSocket::create(&delegate)->receiveWithTimeout(0.05, 2);
        QTRY_COMPARE(delegate.timedOut.size(), 1);
        QTRY_COMPARE(delegate.closed, 1);
    }
};

ARDENTIA_TEST_MAIN(TestAsyncUdpSocket)
#include "tst_asyncudpsocket.moc"
