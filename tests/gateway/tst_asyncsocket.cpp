// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmain.h"
#include "transport/asyncsocket.h"
#include "transport/asyncsocketdelegate.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace {
class RecordingDelegate final : public AsyncSocketDelegate {
public:
    void onSocketDidReadData(AsyncSocket *socket, const QByteArray &data, long tag) override
    {
        reads.append(data);
        tags.append(tag);
        if (readAgain)
            socket->readDataWithTimeout(1, tag);
    }
    void onSocketDidDisconnect(AsyncSocket *) override { ++disconnects; }

    QByteArrayList reads;
    QList<long> tags;
    bool readAgain = false;
    int disconnects = 0;
};

// A loopback server that keeps its first connection at hand.
class Server {
public:
    Server() { server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return server.serverPort(); }
    QTcpSocket *waitForPeer()
    {
        if (!peer && server.waitForNewConnection(5000))
            peer = server.nextPendingConnection();
        return peer;
    }

    QTcpServer server;
    QTcpSocket *peer = nullptr;
};
} // namespace

class TestAsyncSocket : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QTRY_COMPARE(AsyncSocket::liveSocketCount(), 0); }

    void writesQueuedBeforeConnectingAndReadsTheAnswer()
    {
        Server server;
        RecordingDelegate delegate;
        auto *socket = new AsyncSocket(&delegate);
        socket->writeData("$req,gw,start,import\n", -1, 0);
        socket->readDataWithTimeout(5, 0);
        QVERIFY(socket->connectToHost("127.0.0.1", server.port()));
        QTcpSocket *peer = server.waitForPeer();
        QVERIFY(peer);
        QTRY_COMPARE(peer->bytesAvailable(), qint64(21));
        QCOMPARE(peer->readAll(), QByteArray("$req,gw,start,import\n"));
        peer->write("chunk-1");
        QTRY_COMPARE(delegate.reads, QByteArrayList{"chunk-1"});
        QCOMPARE(delegate.tags, QList<long>{0});
        socket->disconnect();
        QTRY_COMPARE(delegate.disconnects, 1);
    }

    void readsAreServedInOrderUntilTheRemoteCloses()
    {
        Server server;
        RecordingDelegate delegate;
        delegate.readAgain = true;
        auto *socket = new AsyncSocket(&delegate);
        socket->readDataWithTimeout(5, 4);
        QVERIFY(socket->connectToHost("127.0.0.1", server.port()));
        QTcpSocket *peer = server.waitForPeer();
        QVERIFY(peer);
        peer->write("a");
        QTRY_COMPARE(delegate.reads.size(), 1);
        peer->write("b");
        QTRY_COMPARE(delegate.reads.size(), 2);
        peer->write("tail");
        peer->disconnectFromHost();
        QTRY_COMPARE(delegate.disconnects, 1);
        QCOMPARE(delegate.reads.join(), QByteArray("abtail"));
        QTest::qWait(50);
        QCOMPARE(delegate.disconnects, 1);
    }

    void readWithoutDataTimesOutAndDisconnects()
    {
        Server server;
        RecordingDelegate delegate;
        auto *socket = new AsyncSocket(&delegate);
        socket->readDataWithTimeout(0.1, 0);
        QVERIFY(socket->connectToHost("127.0.0.1", server.port()));
        QVERIFY(server.waitForPeer());
        QTRY_COMPARE(delegate.disconnects, 1);
        QVERIFY(delegate.reads.isEmpty());
    }

    void refusedConnectionEndsOnce()
    {
        quint16 closedPort;
        {
            Server server;
            closedPort = server.port();
        }
        RecordingDelegate delegate;
        auto *socket = new AsyncSocket(&delegate);
        socket->readDataWithTimeout(5, 0);
        QVERIFY(socket->connectToHost("127.0.0.1", closedPort));
        QTRY_COMPARE(delegate.disconnects, 1);
        QTest::qWait(50);
        QCOMPARE(delegate.disconnects, 1);
    }

    void emptyHostAnswersNoAtOnce()
    {
        RecordingDelegate delegate;
        const auto socket =
            std::make_unique<AsyncSocket>(&delegate); // never started: ours to delete
        QVERIFY(!socket->connectToHost("", 10000));
        QTest::qWait(20);
        QCOMPARE(delegate.disconnects, 0);
    }

    void disconnectDropsQueuedWorkAndReportsOnce()
    {
        Server server;
        RecordingDelegate delegate;
        auto *socket = new AsyncSocket(&delegate);
        socket->readDataWithTimeout(5, 0);
        QVERIFY(socket->connectToHost("127.0.0.1", server.port()));
        QTcpSocket *peer = server.waitForPeer();
        QVERIFY(peer);
        socket->disconnect();
        socket->disconnect();
        QCOMPARE(delegate.disconnects, 0); // reported on a later turn
        peer->write("too late");
        QTRY_COMPARE(delegate.disconnects, 1);
        QTest::qWait(50);
        QVERIFY(delegate.reads.isEmpty());
        QCOMPARE(delegate.disconnects, 1);
    }

    // Nobody holds the socket: it lives while connected and goes once its
    // end has been reported.
    void deletesItselfOnceItsEndIsReported()
    {
        Server server;
        RecordingDelegate delegate;
        QPointer<AsyncSocket> socket = new AsyncSocket(&delegate);
        socket->readDataWithTimeout(5, 0);
        QVERIFY(socket->connectToHost("127.0.0.1", server.port()));
        QTcpSocket *peer = server.waitForPeer();
        QVERIFY(peer);
        peer->write("still here");
        QTRY_COMPARE(delegate.reads, QByteArrayList{"still here"});
        QVERIFY(socket);
        peer->disconnectFromHost();
        QTRY_COMPARE(delegate.disconnects, 1);
        QTRY_VERIFY(!socket);
    }

    // An owner that deletes the socket before its end is reported hears nothing more.
    void deletedBeforeItsReportSaysNothing()
    {
        Server server;
        RecordingDelegate delegate;
        auto *socket = new AsyncSocket(&delegate);
        QVERIFY(socket->connectToHost("127.0.0.1", server.port()));
        socket->disconnect();
        delete socket;
        QTest::qWait(20);
        QCOMPARE(delegate.disconnects, 0);
    }
};

ARDENTIA_TEST_MAIN(TestAsyncSocket)
#include "tst_asyncsocket.moc"
