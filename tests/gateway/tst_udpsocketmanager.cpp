// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/appdelegate.h"
#include "control/levelsender.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "fakehome.h"
#include "freshprogram.h"
#include "recordingreplyhandlers.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "testscreens.h"
#include "transport/commandexchange.h"
#include "transport/localaddress.h"
#include "transport/replysenders.h"
#include "transport/transmittercommands.h"
#include "udppeer.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>

namespace {
const QString kMaster = QStringLiteral("A10000000001");

QStringList control(const QString &id, const QString &state = QStringLiteral("1"))
{
    return {"cfg", "lig", id, "4", state, "0", "0"};
}

const QByteArray kHallAck = R"(token$ack,lig,211300001230,4,1,0,0\n)";

// The master's locate answer, giving this address as its own.
QByteArray locatedAt(const QString &address)
{
    return "token$res,gw," + kMaster.toLatin1() + ",1," + address.toLatin1() + R"(,0\n)";
}

QByteArray ackFor(const QByteArray &request)
{
    // token$cfg,lig,ID,4,1,0,0\n -> token$ack,lig,ID,4,1,0,0\n with result 0
    QByteArray reply = request;
    reply.replace("token$cfg,", "token$ack,");
    return reply;
}
} // namespace

class TestUDPSocketManager : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    UDPSocketManager *channel = nullptr;
    ShowAlertManager *feedback = nullptr;
    FakeHome home;
    RecordingReplyHandlers handlers;
    HeadlessFeedbackPresenter presenter;
    std::unique_ptr<UdpPeer> peer;

private Q_SLOTS:
    void init()
    {
        program.emplace();
        channel = UDPSocketManager::instance();
        feedback = ShowAlertManager::instance();
        peer = std::make_unique<UdpPeer>();
        home.clear();
        home.addTransmitter(kMaster, QStringLiteral("127.0.0.1"));
        handlers.calls.clear();
        handlers.controlRecords.clear();
        presenter.clear();
        feedback->setPresenter(&presenter);
        channel->setHomeLookup(&home);
        channel->setReplyHandlers(&handlers);
        channel->setTransmitterPort(peer->port());
    }

    void cleanup()
    {
        peer.reset();
        program.reset();
    }

    void sendsTheFramedLineToTheMaster()
    {
        QTest::ignoreMessage(QtInfoMsg,
                             "address:127.0.0.1_message:token$cfg,lig,B21000000001,4,1,0,0\\n_"
                             "10.000000");
        channel->sendMessageWithCommandArray(control("B21000000001"));
        QVERIFY(feedback->checkActivityShowOn());
        // The command's own wait ends it, not the indicator's timer.
        QCOMPARE(channel->outstandingCommand()->replyWaitSeconds, 10.0);
        QVERIFY(!feedback->showActivityTimer().isActive());
        QTRY_COMPARE(peer->received.size(), 1);
        QCOMPARE(peer->received[0], QByteArray(R"(token$cfg,lig,B21000000001,4,1,0,0\n)"));
    }

    void resolvesDestinations_data()
    {
        QTest::addColumn<bool>("masterStored");
        QTest::addColumn<QString>("masterAddress");
        QTest::addColumn<std::optional<QString>>("given");
        QTest::addColumn<std::optional<QString>>("destination");
        const std::optional<QString> none;
        dataRow("master", true, "10.0.5.8", none, std::optional<QString>("10.0.5.8"));
        dataRow("explicit wins", true, "10.0.5.8", std::optional<QString>("10.0.5.9"),
                std::optional<QString>("10.0.5.9"));
        dataRow("group address is the subnet broadcast", true, "10.0.5.8",
                std::optional<QString>("groupAddress"), std::optional<QString>("127.0.0.255"));
        dataRow("no master", false, "", none, none);
        dataRow("stored empty address stays empty", true, "", none, std::optional<QString>(""));
    }
    void resolvesDestinations()
    {
        QFETCH(bool, masterStored);
        QFETCH(QString, masterAddress);
        QFETCH(std::optional<QString>, given);
        QFETCH(std::optional<QString>, destination);
        home.clear();
        if (masterStored)
            home.addTransmitter(kMaster, masterAddress);
        QCOMPARE(channel->getUDPAdressWithSendAddress(given), destination);
    }

    void withoutTransmitterNothingIsSent()
    {
        home.clear();
        channel->sendMessageWithCommandArray(control("B21000000001"));
        QCOMPARE(presenter.toasts(), QStringList{"Please scan the transmitter first"});
        QVERIFY(!channel->isCommandOutstanding());
        QVERIFY(channel->udpQueueArray().isEmpty());
        QVERIFY(!feedback->checkActivityShowOn());
        QTest::qWait(50);
        QVERIFY(peer->received.isEmpty());
    }

    void queuesEightAndRefusesTheNinth()
    {
        channel->sendMessageWithCommandArray(control("B21000000000"));
        for (int i = 1; i <= 8; ++i)
            channel->sendMessageWithCommandArray(control(QStringLiteral("B2100000000%1").arg(i)));
        QCOMPARE(channel->udpQueueArray().size(), 8);
        QVERIFY(presenter.toasts().isEmpty());

        channel->sendMessageWithCommandArray(control("B21000000009"));
        QCOMPARE(presenter.toasts(), QStringList{"Your operating too often / Please have a rest"});
        QCOMPARE(channel->udpQueueArray().size(), 8);
        for (int i = 0; i < 8; ++i) {
            const ChannelCommand &entry = channel->udpQueueArray().at(i);
            QCOMPARE(entry.fields.at(2), QStringLiteral("B2100000000%1").arg(i + 1));
            QCOMPARE(entry.destination, QStringLiteral("127.0.0.1"));
        }
    }

    void queuedCommandsReloadTheVisibleScreen()
    {
        TestScreenStack stack;
        TestFrameScreen home;
        stack.push(&home);
        channel->sendMessageWithCommandArray(control("B21000000001"));
        QVERIFY(home.hasBarActivity()); // the bar indicator gates the queue
        QCOMPARE(home.barTitle, QStringLiteral("Connecting..."));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        QCOMPARE(channel->udpQueueArray().size(), 1);
        QCOMPARE(home.reloads, 1);
        feedback->stopActivity();
        QCOMPARE(home.barTitle, QStringLiteral("Home"));
        // The indicator went, the command did not: the next still waits.
        QVERIFY(channel->isCommandOutstanding());
        channel->sendMessageWithCommandArray(control("B21000000003"));
        QCOMPARE(channel->udpQueueArray().size(), 2);
    }

    void drainingKeepsTheOrderWhileACommandIsOutstanding()
    {
        channel->sendMessageWithCommandArray(control("B21000000000"));
        channel->sendMessageWithCommandArray(control("B21000000001"));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        channel->sendQueueRequest(); // still outstanding: nothing moves
        QCOMPARE(channel->udpQueueArray().at(0).fields.at(2), QStringLiteral("B21000000001"));
        QCOMPARE(channel->udpQueueArray().at(1).fields.at(2), QStringLiteral("B21000000002"));
    }

    // Each reply form reaches its one handler; a text of no form, or one that
    // cannot be read, reaches none and the queue still moves on.
    void dispatchesByForm_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("handlers");
        dataRow("role ack", R"(token$ack,gw,A1,4,A2,A1,m,0\n)", QStringList{"overCommand"});
        dataRow("locate answer", R"(token$res,gw,A1,1,127.0.0.1,0\n)",
                QStringList{"overGatewayIP"});
        dataRow("light ack once", R"(token$ack,lig,B2,4,1,0,0\n)",
                QStringList{"overLightingControl"});
        dataRow("light state", R"(token$res,lig,B2,0,1,55,0\n)", QStringList{"getLightingState"});
        dataRow("curtain ack", R"(token$ack,curtain,B3,4,2,0,0\n)",
                QStringList{"overLightingControl"});
        dataRow("curtain state", R"(token$res,curtain,B3,0,E4,0,0\n)",
                QStringList{"getLightingState"});
        dataRow("scenario name", R"(token$ack,scename,1,3,Evening,0\n)",
                QStringList{"overScenario"});
        dataRow("scenario run", R"(token$ack,scenario,3,1,0\n)", QStringList{"overScenarioRun"});
        dataRow("two markers: of no form", R"(token$ack,gw,x,$res,gw,1\n)", QStringList{});
        dataRow("too short for its form", "token$ack,lig", QStringList{});
        dataRow("family prefix is not the family", R"(token$ack,lighting,B2,4,1,0,0\n)",
                QStringList{});
        dataRow("no token", R"($ack,lig,B2,4,1,0,0\n)", QStringList{});
        dataRow("not UTF-8", QString::fromLatin1("token$ack,lig,\xff\xfe,4,1,0,0\\n"),
                QStringList{});
        dataRow("empty", "", QStringList{});
    }
    void dispatchesByForm()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, handlers);
        channel->sendMessageWithCommandArray(control("B21000000001"));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        QTRY_COMPARE(peer->received.size(), 1);
        peer->answerLast(reply.toLatin1());
        QTRY_VERIFY(!feedback->checkActivityShowOn());
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);
        // The command has its outcome either way, so the queue moves on.
        QTRY_COMPARE(peer->received.size(), 2);
        QVERIFY(channel->udpQueueArray().isEmpty());
        QCOMPARE(this->handlers.handlerNamesWithout("controlTimes"), handlers);
        if (handlers.isEmpty()) {
            QVERIFY(this->handlers.calls.isEmpty());
            return;
        }
        // 0.11 s later the counters see the reply that was handled.
        QCOMPARE(this->handlers.calls.size(), handlers.size() + 1);
        QCOMPARE(this->handlers.calls.constLast().first, QStringLiteral("controlTimes"));
        QCOMPARE(this->handlers.calls.constLast().second, this->handlers.calls.constFirst().second);
    }

    void replyEndsTheExchange()
    {
        TestScreenStack stack;
        TestFrameScreen screen;
        stack.push(&screen);
        home.addTransmitter(QStringLiteral("A10000000002"), {});
        screen.showNetworkAlertViewWithImageName("1", "Network connection failed");
        channel->rediscovery().getGatewayIPAgain(kMaster);
        peer->setReply(ackFor);
        channel->sendMessageWithCommandArray(control("B21000000001"));
        QTRY_COMPARE(handlers.handlerNames(), QStringList{"overLightingControl"});
        QVERIFY(!screen.hasBarActivity());
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);
        QVERIFY(!channel->rediscovery().isArmed());
        QCOMPARE(screen.bannerText, QStringLiteral("Connection successful"));
        QCOMPARE(screen.bannerIcon, NavigationFrameScreen::BannerIcon::Tick);
        QVERIFY(feedback->bannerRemovalTimer().isActive());
        QCOMPARE(feedback->bannerRemovalTimer().interval(), 2000);
    }

    void queuedCommandGoesWhereItWasResolved()
    {
        channel->sendMessageWithCommandArray(control("B21000000001"));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        // The master moves after the second command was queued.
        home.clear();
        home.addTransmitter(kMaster, QStringLiteral("127.0.0.2"));
        QTRY_COMPARE(peer->received.size(), 1);
        peer->answerLast(ackFor(peer->received[0]));
        QTRY_COMPARE(peer->received.size(), 2);
        QCOMPARE(peer->received[1], QByteArray(R"(token$cfg,lig,B21000000002,4,1,0,0\n)"));
        QVERIFY(channel->udpQueueArray().isEmpty());
    }

    void followUpsComeAfterTheReplyInOrder()
    {
        peer->setReply(ackFor);
        channel->sendMessageWithCommandArray(control("B21000000001"));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        QTRY_COMPARE(handlers.calls.size(), 1);
        QCOMPARE(peer->received.size(), 1); // the queue waits 0.11 s
        QTRY_COMPARE(peer->received.size(), 2);
        QCOMPARE(handlers.handlerNames().mid(0, 2),
                 (QStringList{"overLightingControl", "controlTimes"}));
    }

    // Each command's outcome is one line of the log, to trace "it did nothing".
    void everyOutcomeIsLoggedOnce_data()
    {
        QTest::addColumn<QByteArray>("reply"); // empty: none comes
        QTest::addColumn<QString>("outcome");
        dataRow("acknowledged", QByteArray(R"(token$ack,lig,B21000000001,4,1,0,0\n)"),
                "acknowledged");
        dataRow("refused", QByteArray(R"(token$ack,lig,B21000000001,4,1,0,135\n)"), "refused_135");
        dataRow("no token", QByteArray(R"($ack,lig,B21000000001,4,1,0,0\n)"), "unreadable");
        dataRow("too short", QByteArray(R"(token$ack,lig\n)"), "unreadable");
        dataRow("no reply", QByteArray(), "no-reply");
    }
    void everyOutcomeIsLoggedOnce()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, outcome);
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("^address:"));
        QTest::ignoreMessage(QtInfoMsg, qPrintable("outcome:lig_B21000000001_4_" + outcome));
        peer->setReply([reply](const QByteArray &) { return reply; });
        channel->setReplyWaitOverride(0.05);
        channel->sendMessageWithCommandArray(control("B21000000001"));
        QSignalSpy settled(channel, &UDPSocketManager::commandSettled);
        QVERIFY(settled.wait());
    }

    void lostReplyIsReported_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("ifConnected");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<bool>("watched"); // a feedback service shows the link
        const QStringList locate{"req", "gw", kMaster, "1", "0", "0"};
        dataRow("control, state unknown", control("B21000000001"), 0, true, true);
        dataRow("control after an answer", control("B21000000001"), 2, true, true);
        dataRow("locate, state unknown", locate, 0, true, true);
        dataRow("locate, failed before", locate, 1, true, true);
        dataRow("locate after an answer", locate, 2, false, true);
        // The channel ends its queue and looks for the master whoever watches.
        dataRow("control, nobody watching", control("B21000000001"), 2, true, false);
        dataRow("locate after an answer, nobody watching", locate, 2, false, false);
    }
    void lostReplyIsReported()
    {
        QFETCH(QStringList, command);
        QFETCH(int, ifConnected);
        QFETCH(bool, reported);
        QFETCH(bool, watched);
        TestScreenStack stack;
        TestFrameScreen screen;
        stack.push(&screen);
        if (!watched)
            channel->setLinkWatcher(nullptr);
        QSignalSpy told(feedback, &ShowAlertManager::flowEnded);
        peer->setReply([](const QByteArray &) { return QByteArray(); }); // silent
        channel->setReplyWaitOverride(0.05);
        AppDelegate::instance()->setIfConnected(ifConnected);
        channel->sendMessageWithCommandArray(command, QStringLiteral("127.0.0.1"));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        const int reloadsBefore = screen.reloads;
        QSignalSpy settled(channel, &UDPSocketManager::commandSettled);
        QVERIFY(settled.wait());

        QVERIFY(!feedback->checkActivityShowOn());
        QCOMPARE(AppDelegate::instance()->ifConnected(), reported ? 1 : ifConnected);
        QCOMPARE(screen.hasConnectionBanner(), reported && watched);
        QCOMPARE(told.size(), reported && watched ? 1 : 0);
        QCOMPARE(screen.reloads > reloadsBefore, reported);
        QCOMPARE(channel->rediscovery().isArmed(), reported);
        // After a failure the queue is emptied; after a quiet locate it moves on.
        QTRY_COMPARE(peer->received.size(), reported ? 1 : 2);
        QVERIFY(channel->udpQueueArray().isEmpty());
    }

    void recordsWhenEachTransmitterAnswered_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("transmitter");
        const QString slave = QStringLiteral("A10000000002");
        const QStringList locate{"req", "gw", slave, "1", "0", "0"};
        dataRow("master answers", control("B21000000001"), true, kMaster);
        dataRow("master silent", control("B21000000001"), false, kMaster);
        dataRow("slave located", locate, true, slave);
        dataRow("slave silent", locate, false, slave);
    }
    void recordsWhenEachTransmitterAnswered()
    {
        QFETCH(QStringList, command);
        QFETCH(bool, answered);
        QFETCH(QString, transmitter);
        peer->setReply([answered](const QByteArray &request) {
            return answered ? ackFor(request) : QByteArray();
        });
        channel->setReplyWaitOverride(0.5);
        QVERIFY(!channel->links().linkOf(transmitter)); // nothing heard yet in this run
        QSignalSpy settled(channel, &UDPSocketManager::commandSettled);
        channel->sendMessageWithCommandArray(command, QStringLiteral("127.0.0.1"));
        QVERIFY(settled.wait());
        const std::optional<TransmitterLinks::Link> link = channel->links().linkOf(transmitter);
        QVERIFY(link);
        QCOMPARE(link->answering, answered);
        QCOMPARE(link->lastAnswer.has_value(), answered);
    }

    void rediscoveryBroadcastsTheLocateRequest()
    {
        channel->rediscovery().getGatewayIPAgain(kMaster);
        channel->rediscovery().getGatewayIPAgain(kMaster); // re-arming replaces, never doubles
        QVERIFY(channel->rediscovery().isArmed());
        channel->rediscovery().getMasterGatewayIPAgain();
        QVERIFY(!channel->rediscovery().isArmed());
        // The locate request went to the subnet broadcast (127.0.0.255 on lo);
        // the peer listens on 127.0.0.1 only, so look at what is outstanding.
        QVERIFY(feedback->checkActivityShowOn());
    }

    // A reply comes from the address the command went to; a datagram from
    // elsewhere is ignored and the wait for the real one goes on. A locate
    // sent to the subnet's broadcast (127.0.0.255 on lo) takes an answer from
    // any address of the subnet that gives its own address as the transmitter's.
    void repliesComeOnlyFromTheAddressee_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        const QByteArray ack = kHallAck;
        const auto located = locatedAt;
        dataRow("the addressee", "127.0.0.1", "127.0.0.1", ack, true);
        dataRow("another address", "127.0.0.1", "127.0.0.5", ack, false);
        dataRow("a locate's addressee, wherever it says it is", "127.0.0.1", "127.0.0.1",
                located("127.0.0.9"), true);
        dataRow("a locate, from another address", "127.0.0.1", "127.0.0.5", located("127.0.0.5"),
                false);
        dataRow("broadcast: the subnet, naming itself", "127.0.0.255", "127.0.0.7",
                located("127.0.0.7"), true);
        dataRow("broadcast: the subnet, naming another", "127.0.0.255", "127.0.0.7",
                located("127.0.0.2"), false);
        dataRow("broadcast: another subnet", "127.0.0.255", "127.0.1.7", located("127.0.1.7"),
                false);
        dataRow("broadcast: not a locate answer", "127.0.0.255", "127.0.0.7", ack, false);
    }
    void repliesComeOnlyFromTheAddressee()
    {
        QFETCH(QString, destination);
        QFETCH(QString, sender);
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        const bool broadcast = destination.endsWith(".255");
        const bool locate = broadcast || answer.contains("$res,gw");
        QCOMPARE(LocalAddress::broadcastAddress(), QStringLiteral("127.0.0.255"));
        ChannelCommand command;
        command.fields = locate ? TransmitterCommands::locate(kMaster) : control("211300001230");
        command.destination = destination;
        CommandExchange exchange(command, peer->port());
        QSignalSpy replied(&exchange, &CommandExchange::replied);
        exchange.start();
        const auto sendFrom = [&exchange](const QString &address, const QByteArray &datagram) {
            QUdpSocket socket;
            QVERIFY(socket.bind(QHostAddress(address), 0));
            QCOMPARE(socket.writeDatagram(datagram, QHostAddress::LocalHost, exchange.localPort()),
                     datagram.size());
        };
        if (!accepted)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ignored:.*_from:" + sender));
        sendFrom(sender, answer);
        if (!accepted) {
            // The addressee's answer, after the other, is the one taken.
            const QString addressee = broadcast ? QStringLiteral("127.0.0.3") : destination;
            answer = locate ? locatedAt(addressee) : kHallAck;
            sendFrom(addressee, answer);
        }
        QTRY_COMPARE(replied.size(), 1);
        QCOMPARE(replied.constFirst().at(1).toByteArray(), answer);
        QVERIFY(exchange.isSettled());
    }

    // A locate sent to 255.255.255.255 (no address of our own) is answered
    // by any IPv4 sender, as long as the answer names that sender.
    void anAllOnesLocateTakesASenderThatNamesItself_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        dataRow("naming itself", "10.77.0.2", locatedAt("10.77.0.2"), true);
        dataRow("naming another", "10.77.0.2", locatedAt("10.77.0.9"), false);
        dataRow("not a locate answer", "10.77.0.2", kHallAck, false);
    }
    void anAllOnesLocateTakesASenderThatNamesItself()
    {
        QFETCH(QString, sender);
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        const ReplySenders senders =
            ReplySenders::forDestination(QHostAddress(QStringLiteral("255.255.255.255")), true);
        QCOMPARE(senders.accepts(QHostAddress(sender), answer), accepted);
        // The same datagram to a command sent to one address only comes from it.
        const ReplySenders one =
            ReplySenders::forDestination(QHostAddress(QStringLiteral("10.77.0.3")), true);
        QVERIFY(!one.accepts(QHostAddress(sender), answer));
    }

    void waitsLongerForSwitchingAllLights_data()
    {
        QTest::addColumn<int>("lights");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<double>("wait");
        const QStringList allOn{"cfg", "lig", "2111FFFFFFFF", "5", "0", "0", "0"};
        const QStringList allOff{"cfg", "lig", "2111FFFFFFFF", "6", "0", "0", "0"};
        dataRow("no lights", 0, allOn, 10.0);
        dataRow("two lights", 2, allOn, 10.0);
        dataRow("three lights", 3, allOff, 12.0);
        dataRow("ten lights", 10, allOn, 40.0);
        dataRow("control is always 10", 10, control("B2"), 10.0);
        dataRow("curtain op 5 is not switch-all", 10,
                QStringList{"cfg", "curtain", "B3", "5", "0", "0", "0"}, 10.0);
        dataRow("short array", 10, QStringList{"cfg", "lig", "x"}, 10.0);
    }
    void waitsLongerForSwitchingAllLights()
    {
        QFETCH(int, lights);
        QFETCH(QStringList, command);
        QFETCH(double, wait);
        home.setLightingDeviceCount(lights);
        QCOMPARE(channel->replyWaitFor(command), wait);
    }

    void refusesFieldsWithCommas()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refused a command"));
        channel->sendMessageWithCommandArray({"cfg", "lig", "B2", "15", "Desk, left", "0", "0"});
        QCOMPARE(presenter.toasts(),
                 QStringList{"Control failed / Please check device and network"});
        QVERIFY(!feedback->checkActivityShowOn());
        QTest::qWait(50);
        QVERIFY(peer->received.isEmpty());
    }

    void replyIsHandledWithItsOwnCommandsRecords()
    {
        // Three switches pressed before the first reply: each reply comes
        // with the records of the command it answers, whatever was queued since.
        peer->setReply(ackFor);
        for (const QString id : {"B21000000001", "B21000000002", "B21000000003"})
            channel->sendMessageWithCommandArray(control(id), std::nullopt,
                                                 shareOperations({{{"id", id}}}));
        QTRY_COMPARE(handlers.controlRecords.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(handlers.calls.value(2 * i).second.contains(
                QStringLiteral("B2100000000%1").arg(i + 1)));
            QCOMPARE(handlers.controlRecords[i].constFirst().value("id").toString(),
                     QStringLiteral("B2100000000%1").arg(i + 1));
        }
    }

    void leavingTheIndicatorKeepsTheCommand()
    {
        channel->sendMessageWithCommandArray(control("B21000000001"), std::nullopt,
                                             shareOperations({{{"id", "B21000000001"}}}));
        QTRY_COMPARE(peer->received.size(), 1);
        feedback->stopActivity(); // the screen was left
        channel->sendMessageWithCommandArray(control("B21000000002"));
        QCOMPARE(channel->udpQueueArray().size(), 1);

        peer->answerLast(ackFor(peer->received[0]));
        QTRY_COMPARE(handlers.controlRecords.size(), 1);
        QCOMPARE(handlers.controlRecords[0].constFirst().value("id").toString(),
                 QStringLiteral("B21000000001"));
        QTRY_COMPARE(peer->received.size(), 2);
        QVERIFY(peer->received[1].contains("B21000000002"));
    }

    // The app's own check of a silent master never holds what a person asks
    // for: a press, a level from the control sheet and a synchronise go at
    // once with their indicator, and their own wait reports the silence.
    void aLinkCheckGivesWayToAPerson_data()
    {
        QTest::addColumn<QString>("request");
        dataRow("press", "press");
        dataRow("level from the control sheet", "level");
        dataRow("synchronise", "sync");
    }
    void aLinkCheckGivesWayToAPerson()
    {
        QFETCH(QString, request);
        TestScreenStack stack;
        TestFrameScreen screen;
        stack.push(&screen);
        peer->setReply([](const QByteArray &) { return QByteArray(); }); // silent
        QTcpServer stream; // the master's import port: it takes the request, never answers
        QVERIFY(stream.listen(QHostAddress::LocalHost));
        TCPSocketManager *importer = TCPSocketManager::instance();
        importer->setImportPort(stream.serverPort());
        importer->setImportDeadline(std::chrono::milliseconds(200));
        channel->checkMasterQuietly(kMaster, QStringLiteral("127.0.0.1")); // waits 10 s
        QTRY_COMPARE(peer->received.size(), 1);
        QSignalSpy outcomes(channel, &UDPSocketManager::commandOutcome);
        QSignalSpy imports(importer, &TCPSocketManager::importFinished);
        channel->setReplyWaitOverride(0.2);
        LevelSender levels(program->services());

        const bool sync = request == QLatin1String("sync");
        if (request == QLatin1String("press")) {
            channel->sendMessageWithCommandArray(control("B21000000001"));
        } else if (request == QLatin1String("level")) {
            levels.submit(
                RecordFactory::device("2123D0004560", Value::dimming, "2123D0004560", "Dimmer"),
                40);
        } else {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^import: its deadline passed"));
            importer->sendTCPMessageWithCommandArray(TCPSocketManager::importRequest());
        }
        QVERIFY(feedback->checkActivityShowOn());
        if (sync) {
            QVERIFY(importer->isImporting());
        } else {
            QVERIFY(!channel->outstandingCommand()->quiet);
            QTRY_COMPARE(peer->received.size(), 2);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!feedback->checkActivityShowOn(), 3000);
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);
        if (sync) {
            QCOMPARE(presenter.toasts(),
                     QStringList{"Control failed / Please check device and network"});
            QCOMPARE(imports.size(), 1);
            QCOMPARE(imports[0][0].toBool(), false);
            QVERIFY(outcomes.isEmpty()); // the check ended without one
        } else {
            QVERIFY(screen.hasConnectionBanner());
            QCOMPARE(outcomes.size(), 1); // the request's no-reply; the check ended without one
            QCOMPARE(outcomes[0][1].value<CommandOutcome>(), CommandOutcome::noReply());
        }
    }

    void anImportHoldsCommandsUntilItEnds()
    {
        channel->setImportRunning(true);
        channel->sendMessageWithCommandArray(control("B21000000001"));
        QCOMPARE(channel->udpQueueArray().size(), 1);
        QTest::qWait(50);
        QVERIFY(peer->received.isEmpty());
        channel->setImportRunning(false);
        QTRY_COMPARE(peer->received.size(), 1);
    }

    void waitingCallsRunOnceTheChannelIsFree()
    {
        peer->setReply(ackFor);
        int runs = 0;
        channel->runWhenIdle([&runs] { ++runs; });
        QCOMPARE(runs, 1); // free: at once
        channel->sendMessageWithCommandArray(control("B21000000001"));
        channel->sendMessageWithCommandArray(control("B21000000002"));
        channel->runWhenIdle([&runs, this] {
            ++runs;
            QCOMPARE(peer->received.size(), 2); // after everything queued before it
        });
        QCOMPARE(runs, 1);
        QTRY_COMPARE(runs, 2);
        QTRY_VERIFY(channel->isSettled());
    }
};

ARDENTIA_TEST_MAIN(TestUDPSocketManager)
#include "tst_udpsocketmanager.moc"
