// SPDX-License-Identifier: GPL-3.0-or-later
#include "testmain.h"
#include "transmitterserver.h"

#include <QJsonDocument>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>

namespace {
const QString kMaster = QStringLiteral("20AA10000001");

// What an import reply holds, read independently of the app's own reader.
struct ImportedHome {
    QStringList transmitters;
    QStringList channels; // "ID name bits states"
    QStringList scenarios;
    bool complete = false;

    static ImportedHome read(const QByteArray &text)
    {
        ImportedHome home;
        for (const QByteArray &line : text.split('\n')) {
            const QList<QByteArray> f = line.split(',');
            if (line.contains("$req,gw,end,import"))
                home.complete = true;
            else if (line.contains("$actuation") && f.size() == 8)
                home.channels << QString::fromUtf8(f[1] + ' ' + f[3] + ' ' + f[5] + ' ' + f[6]);
            else if (line.contains("$gw") && f.size() == 7)
                home.transmitters << QString::fromUtf8(f[2]);
            else if (line.contains("$scenario") && f.size() == 3)
                home.scenarios << QString::fromUtf8(f[1] + ' ' + f[2]);
        }
        return home;
    }
};

class Client {
public:
    Client() { socket.bind(QHostAddress::LocalHost, 0); }

    // The server runs in this thread: wait by running the event loop.
    QByteArray exchange(const QString &to, quint16 port, const QByteArray &line, int waitMs = 2000)
    {
        socket.writeDatagram(line, QHostAddress(to), port);
        (void)QTest::qWaitFor([this] { return socket.hasPendingDatagrams(); }, waitMs);
        return socket.hasPendingDatagrams() ? socket.receiveDatagram().data() : QByteArray();
    }

    QUdpSocket socket;
};

QByteArray fetchImport(quint16 port, QList<int> *chunkSizes = nullptr,
                       const QString &host = QStringLiteral("127.0.0.2"))
{
    QTcpSocket socket;
    QByteArray all;
    bool closed = false;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
        const QByteArray chunk = socket.readAll();
        if (chunkSizes)
            chunkSizes->append(int(chunk.size()));
        all += chunk;
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, [&] { closed = true; });
    socket.connectToHost(host, port);
    socket.write("$req,gw,start,import,0,0\n");
    (void)QTest::qWaitFor([&closed] { return closed; }, 3000); // the caller checks what came
    return all;
}
} // namespace

class TestTransmitterServer : public QObject {
    Q_OBJECT

    std::unique_ptr<TransmitterServer> server;

    void startDemo()
    {
        server = std::make_unique<TransmitterServer>(SimulatedHome::demo());
        server->setLogging(false);
        QString error;
        QVERIFY2(server->start(0, 0, &error), qPrintable(error));
    }

private Q_SLOTS:
    void init() { startDemo(); }
    void cleanup() { server.reset(); }

    void locatesByBroadcastOnLoopback()
    {
        Client client;
        // The subnet broadcast of 127.0.0.x: loopback only.
        const QByteArray reply = client.exchange("127.0.0.255", server->datagramPort(),
                                                 R"(token$req,gw,20AA10000002,1,0,0\n)");
        QCOMPARE(reply, QByteArray(R"(token$res,gw,20AA10000002,1,127.0.0.3,0\n)"));
    }

    void answersFromTheAddressedTransmitter()
    {
        Client client;
        client.socket.writeDatagram(R"(token$cfg,lig,211300001231,4,1,0,0\n)",
                                    QHostAddress("127.0.0.2"), server->datagramPort());
        QTRY_VERIFY(client.socket.hasPendingDatagrams());
        const QNetworkDatagram reply = client.socket.receiveDatagram();
        QCOMPARE(reply.senderAddress(), QHostAddress("127.0.0.2"));
        QCOMPARE(reply.data(), QByteArray(R"(token$ack,lig,211300001231,4,1,0,0\n)"));
        QVERIFY(server->home().channel("211300001231")->state.on);
    }

    void playsFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("refused removal")
            << "lig:12:*=code:135" << QByteArray(R"(token$ack,lig,211300001231,12,0,0,135\n)");
        QTest::newRow("no token") << "*:*:*=notoken"
                                  << QByteArray(R"($ack,lig,211300001231,12,0,0,0\n)");
        QTest::newRow("short") << "lig:*:*=short" << QByteArray(R"(token$ack,lig\n)");
        QTest::newRow("no reply") << "*:12:*=drop" << QByteArray();
        QTest::newRow("late reply")
            << "*:*:*=delay:300" << QByteArray(R"(token$ack,lig,211300001231,12,0,0,0\n)");
    }
    void playsFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, reply);
        server->faults().add(*FaultRule::parse(fault, nullptr));
        Client client;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(client.exchange("127.0.0.2", server->datagramPort(),
                                 R"(token$cfg,lig,211300001231,12,0,0,0\n)", 800),
                 reply);
        if (fault.contains("delay"))
            QVERIFY(clock.elapsed() >= 300);
    }

    void importsWhatTheHomeHolds_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("minChunks");
        QTest::addColumn<bool>("complete");
        QTest::newRow("one chunk") << "chunks:1" << 1 << true;
        QTest::newRow("four chunks") << "chunks:4" << 4 << true;
        QTest::newRow("marker across chunks") << "split-marker" << 2 << true;
        QTest::newRow("cut before the end") << "cut" << 1 << false;
    }
    void importsWhatTheHomeHolds()
    {
        QFETCH(QString, shape);
        QFETCH(int, minChunks);
        QFETCH(bool, complete);
        QVERIFY(server->streamPlan().parse(shape, nullptr));
        QList<int> sizes;
        const ImportedHome imported = ImportedHome::read(fetchImport(server->streamPort(), &sizes));
        QVERIFY(sizes.size() >= minChunks);
        QCOMPARE(imported.complete, complete);
        QCOMPARE(imported.transmitters, (QStringList{kMaster, "20AA10000002"}));
        QCOMPARE(imported.channels.size(), 7);
        QVERIFY(imported.channels.contains("212200004560 Living room 01 00000000000000BC"));
        QCOMPARE(imported.scenarios, (QStringList{"1 Evening", "2 Good morning"}));
    }

    void importFollowsChanges()
    {
        Client client;
        client.exchange("127.0.0.2", server->datagramPort(),
                        R"(token$cfg,lig,211300001231,13,8,0,0\n)");
        client.exchange("127.0.0.2", server->datagramPort(), R"(token$cfg,scename,1,8,Night,0\n)");
        const ImportedHome imported = ImportedHome::read(fetchImport(server->streamPort()));
        QVERIFY(imported.channels.contains("211300001231 Stairs 80 0000000000000000"));
        QVERIFY(imported.scenarios.contains("8 Night"));
    }

    void onlyTheMasterServesTheImport()
    {
        QVERIFY(fetchImport(server->streamPort(), nullptr, "127.0.0.3").isEmpty());
    }

    void savesEveryChange()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("home.json");
        server->setStatePath(path);
        Client client;
        client.exchange("127.0.0.2", server->datagramPort(),
                        R"(token$cfg,lig,211300001232,15,Garden,0,0\n)");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto saved =
            SimulatedHome::fromJson(QJsonDocument::fromJson(file.readAll()).object(), nullptr);
        QVERIFY(saved);
        QCOMPARE(saved->channel("211300001232")->name, QStringLiteral("Garden"));
    }
};

ARDENTIA_TEST_MAIN(TestTransmitterServer)
#include "tst_transmitterserver.moc"
