// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/appdelegate.h"
#include "control/homeevents.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "testscreens.h"
#include "transmitterserver.h"
#include "transport/asyncsocket.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

namespace {
QStringList storedChannels()
{
    QStringList channels;
    for (const QVariantMap &d : Database::instance()->readAllMainDeviceInfo())
        channels << d.value(Key::id).toString() + " " + d.value(Key::title).toString();
    return channels;
}
} // namespace

class TestStreamImport : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    TCPSocketManager *importer = nullptr;
    Database *store = nullptr;
    HeadlessFeedbackPresenter presenter;
    std::unique_ptr<TransmitterServer> simulator;
    std::unique_ptr<TestScreenStack> stack;
    std::unique_ptr<TestFrameScreen> home;

    void startSimulator(const QString &shape = QStringLiteral("chunks:1"))
    {
        simulator = startLoopbackSimulator(SimulatedHome::demo());
        QVERIFY(simulator);
        QVERIFY(simulator->streamPlan().parse(shape, nullptr));
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        importer = TCPSocketManager::instance();
        store = Database::instance();
        storeDemoMaster();
        store->insertMainDeviceWithInfo(
            RecordFactory::device("219900000000", "S", "219900000000", "Old lamp"));
        presenter.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
        stack = std::make_unique<TestScreenStack>();
        home = std::make_unique<TestFrameScreen>();
        stack->push(home.get());
    }

    void cleanup()
    {
        QTRY_COMPARE(AsyncSocket::liveSocketCount(), 0);
        stack.reset();
        home.reset();
        simulator.reset();
        program.reset();
    }

    void requestLineEndsInALineFeed()
    {
        QCOMPARE(TCPSocketManager::requestLine(TCPSocketManager::importRequest()),
                 QByteArray("$req,gw,start,import,0,0\n"));
    }

    void importsWhatTheMasterHolds_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::newRow("one chunk") << "chunks:1";
        QTest::newRow("three chunks") << "chunks:3";
        QTest::newRow("marker across two chunks") << "split-marker";
        QTest::newRow("slowly") << "slow:150";
    }
    void importsWhatTheMasterHolds()
    {
        QFETCH(QString, shape);
        startSimulator(shape);
        QSignalSpy finished(importer, &TCPSocketManager::importFinished);
        QSignalSpy replaced(HomeEvents::instance(), &HomeEvents::homeReplaced);
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QCOMPARE(AppDelegate::instance()->connectionType(), AppDelegate::kStreamImport);
        QVERIFY(ShowAlertManager::instance()->isWindowActivityShowing()); // not the bar
        // The import's end, not the indicator's own timer, ends the wait.
        QVERIFY(!ShowAlertManager::instance()->showActivityTimer().isActive());

        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.constFirst().constFirst().toBool(), true);
        QCOMPARE(presenter.toasts(), QStringList{"Synchronous data successful"});
        QCOMPARE(replaced.size(), 1); // what shows the home reads it anew
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);

        // The store now holds what the simulator holds.
        QStringList expectedChannels;
        for (const SimulatedHome::Channel &c : simulator->home().channels())
            expectedChannels << c.id + " " + c.name;
        QCOMPARE(storedChannels(), expectedChannels);
        QStringList transmitters;
        for (const QVariantMap &t : store->readAllSuperBoxInfo())
            transmitters << t.value(Key::id).toString();
        QCOMPARE(transmitters, (QStringList{"20AA10000001", "20AA10000002"}));
        QStringList scenarios;
        for (const QVariantMap &s : store->readAllScenarioInfo()) {
            QStringList members;
            for (const QVariant &m : RecordFactory::sceneDevices(s))
                members << m.toMap().value(Key::id).toString();
            scenarios << s.value(Key::title).toString() + ":" + members.join('+');
        }
        QCOMPARE(scenarios, (QStringList{"All On Mode:", "All Off Mode:",
                                         "Evening:211300001230+212200004560+213100007890",
                                         "Good morning:211300001230+213100007890+21310000AB10"}));
        QTRY_VERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
    }

    void cutReplyFailsAndKeepsTheHome()
    {
        startSimulator("cut");
        QSignalSpy finished(importer, &TCPSocketManager::importFinished);
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QTRY_VERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
        QTRY_COMPARE(finished.size(), 1); // those waiting on it hear it failed
        QCOMPARE(finished.constFirst().constFirst().toBool(), false);
        QCOMPARE(storedChannels(), QStringList{"219900000000 Old lamp"});
        // Never in silence: a cut import says it failed.
        QCOMPARE(presenter.toasts(),
                 QStringList{"Control failed / Please check device and network"});
        QVERIFY(UDPSocketManager::instance()->isSettled() ||
                !UDPSocketManager::instance()->isBusy());
    }

    void oversizedReplyFailsAndKeepsTheHome()
    {
        QTcpServer flood;
        QVERIFY(flood.listen(QHostAddress("127.0.0.2"), 0));
        connect(&flood, &QTcpServer::newConnection, this, [&flood] {
            QTcpSocket *peer = flood.nextPendingConnection();
            const QByteArray line(1023, 'x');
            for (int i = 0; i < 9 * 1024; ++i)
                peer->write(line + '\n');
        });
        importer->setImportPort(flood.serverPort());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("import reply over"));
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QTRY_VERIFY_WITH_TIMEOUT(!ShowAlertManager::instance()->checkActivityShowOn(), 10000);
        QCOMPARE(storedChannels(), QStringList{"219900000000 Old lamp"});
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);
    }

    // Data that never stops coming, each piece well within the silence the
    // import allows, holds the channel only until the import's deadline: it
    // then fails as any import does, and commands go again.
    void aSlowImportEndsAtItsDeadline()
    {
        startSimulator("chunks:400");
        QVERIFY(simulator->streamPlan().parse("slow:20", nullptr)); // 8 s in all
        QStringList answered;
        connect(simulator.get(), &TransmitterServer::datagramAnswered, this,
                [&answered](const QByteArray &request) { answered << QString::fromUtf8(request); });
        importer->setImportDeadline(std::chrono::milliseconds(400));
        QSignalSpy finished(importer, &TCPSocketManager::importFinished);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^import: its deadline passed"));
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.constFirst().constFirst().toBool(), false);
        QVERIFY(!importer->isImporting());
        QCOMPARE(storedChannels(), QStringList{"219900000000 Old lamp"});
        QCOMPARE(presenter.toasts(),
                 QStringList{"Control failed / Please check device and network"});
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);

        UDPSocketManager::instance()->sendMessageWithCommandArray(
            {"cfg", "lig", "211300001230", "4", "1", "0", "0"});
        QTRY_COMPARE(answered.size(), 1);
    }

    void refusedConnectionReportsTheFailure()
    {
        quint16 closed;
        {
            QTcpServer gone;
            gone.listen(QHostAddress("127.0.0.2"), 0);
            closed = gone.serverPort();
        }
        importer->setImportPort(closed);
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QTRY_COMPARE(presenter.toasts(),
                     QStringList{"Control failed / Please check device and network"});
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);
    }

    void nothingIsSentWithoutATransmitter()
    {
        store->deleteSuperBoxWithMainID("20AA10000001");
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QCOMPARE(presenter.toasts(), QStringList{"Please scan the transmitter first"});
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
    }

    void importWaitsForTheOutstandingCommandAndHoldsLaterOnes()
    {
        startSimulator();
        simulator->faults().add(*FaultRule::parse("lig:4:*=delay:300", nullptr));
        QStringList events;
        connect(simulator.get(), &TransmitterServer::datagramAnswered, this,
                [&events](const QByteArray &request) { events << QString::fromUtf8(request); });
        connect(simulator.get(), &TransmitterServer::importServed, this,
                [&events] { events << "import"; });
        UDPSocketManager *channel = UDPSocketManager::instance();
        const QStringList hallOn{"cfg", "lig", "211300001230", "4", "1", "0", "0"};
        const QStringList hallOff{"cfg", "lig", "211300001230", "4", "0", "0", "0"};

        channel->sendMessageWithCommandArray(hallOn);
        QSignalSpy finished(importer, &TCPSocketManager::importFinished);
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        QVERIFY(!importer->isImporting()); // it waits for the command's reply
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.constFirst().constFirst().toBool(), true);
        // A command given while the import ran went out after it.
        channel->sendMessageWithCommandArray(hallOff);
        QTRY_COMPARE(events.size(), 3);
        QVERIFY(events.at(0).contains("211300001230,4,1"));
        QCOMPARE(events.at(1), QStringLiteral("import"));
        QVERIFY(events.at(2).contains("211300001230,4,0"));
        QTRY_VERIFY(channel->isSettled());
    }

    void commandsGivenDuringAnImportGoAfterIt()
    {
        startSimulator("slow:100");
        QStringList events;
        connect(simulator.get(), &TransmitterServer::datagramAnswered, this,
                [&events](const QByteArray &request) { events << QString::fromUtf8(request); });
        QSignalSpy finished(importer, &TCPSocketManager::importFinished);
        importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        UDPSocketManager::instance()->sendMessageWithCommandArray(
            {"cfg", "lig", "211300001230", "4", "1", "0", "0"});
        QCOMPARE(UDPSocketManager::instance()->udpQueueArray().size(), 1);
        QVERIFY(finished.wait(5000));
        QVERIFY(events.isEmpty());
        QTRY_COMPARE(events.size(), 1);
    }
};

ARDENTIA_TEST_MAIN(TestStreamImport)
#include "tst_streamimport.moc"
