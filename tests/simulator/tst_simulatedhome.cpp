// SPDX-License-Identifier: GPL-3.0-or-later
#include "datarow.h"
#include "simulatedhome.h"
#include "testmain.h"

#include <QJsonArray>

// The peer's side of every exchange, line in, line out.
namespace {
const QString kMaster = QStringLiteral("20AA10000001");
const QString kSlave = QStringLiteral("20AA10000002");

QByteArray wire(const QString &fields)
{
    return (QStringLiteral("token$") + fields + QStringLiteral("\\n")).toUtf8();
}

SimulatedHome freshHome()
{
    SimulatedHome home;
    home.addTransmitter({kMaster, "127.0.0.2", SimulatedHome::Role::Unset, true});
    home.addTransmitter({kSlave, "127.0.0.3", SimulatedHome::Role::Unset, true});
    return home;
}
} // namespace

class TestSimulatedHome : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersEveryCommand_data()
    {
        QTest::addColumn<bool>("demo");
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("reply"); // empty: no reply

        dataRow("locate, own ID", true, kSlave, "req,gw,20AA10000002,1,0,0",
                "$res,gw,20AA10000002,1,127.0.0.3,0");
        dataRow("locate, other ID: silence", true, kMaster, "req,gw,20AA10000002,1,0,0", "");
        dataRow("role m on a fresh transmitter", false, kMaster,
                "cfg,gw,20AA10000001,4,20AA10000001,20AA10000001,m,0",
                "$ack,gw,20AA10000001,4,20AA10000001,20AA10000001,m,0");
        dataRow("role on a master: 142", true, kMaster,
                "cfg,gw,20AA10000001,4,20AA10000001,20AA10000001,m,0",
                "$ack,gw,20AA10000001,4,20AA10000001,20AA10000001,m,142");
        dataRow("role on a slave: 143", true, kMaster,
                "cfg,gw,20AA10000001,4,20AA10000002,20AA10000001,s,0",
                "$ack,gw,20AA10000001,4,20AA10000002,20AA10000001,s,143");
        dataRow("switch on", true, kMaster, "cfg,lig,211300001231,4,1,0,0",
                "$ack,lig,211300001231,4,1,0,0");
        dataRow("dim", true, kMaster, "cfg,lig,212200004561,4,1,35,0",
                "$ack,lig,212200004561,4,1,35,0");
        dataRow("curtain stop", true, kMaster, "cfg,curtain,213100007890,4,2,0,0",
                "$ack,curtain,213100007890,4,2,0,0");
        dataRow("state of an on/off light", true, kMaster, "req,lig,211300001230,0,0,0,0",
                "$res,lig,211300001230,0,1,0,0");
        dataRow("state of a dimmer", true, kMaster, "req,lig,212200004560,0,0,0,0",
                "$res,lig,212200004560,0,1,60,0");
        dataRow("state of an open curtain, top bit set", true, kMaster,
                "req,curtain,21310000AB10,0,0,0,0", "$res,curtain,21310000AB10,0,E4,0,0");
        dataRow("add", true, kMaster, "cfg,lig,211200009990,11,0,0,0",
                "$ack,lig,211200009990,11,0,0,0");
        dataRow("add with the wrong family", true, kMaster, "cfg,curtain,211200009990,11,0,0,0",
                "$ack,curtain,211200009990,11,0,0,1");
        dataRow("name", true, kMaster, "cfg,lig,211300001232,15,Garden,0,0",
                "$ack,lig,211300001232,15,Garden,0,0");
        dataRow("remove", true, kMaster, "cfg,lig,211300001232,12,0,0,0",
                "$ack,lig,211300001232,12,0,0,0");
        dataRow("remove unknown: 141", true, kMaster, "cfg,lig,211300009999,12,0,0,0",
                "$ack,lig,211300009999,12,0,0,141");
        dataRow("forced removal", true, kMaster, "cfg,curtain,213100007890,18,0,0,0",
                "$ack,curtain,213100007890,18,0,0,0");
        dataRow("into scenario 3", true, kMaster, "cfg,lig,211300001231,13,3,0,0",
                "$ack,lig,211300001231,13,3,0,0");
        dataRow("scenario 9 does not exist", true, kMaster, "cfg,lig,211300001231,13,9,0,0",
                "$ack,lig,211300001231,13,9,0,1");
        dataRow("out of scenario 1", true, kMaster, "cfg,lig,211300001230,14,1,0,0",
                "$ack,lig,211300001230,14,1,0,0");
        dataRow("all on", true, kMaster, "cfg,lig,2111FFFFFFFF,5,0,0,0",
                "$ack,lig,2111FFFFFFFF,5,0,0,0");
        dataRow("all off", true, kMaster, "cfg,lig,2111FFFFFFFF,6,0,0,0",
                "$ack,lig,2111FFFFFFFF,6,0,0,0");
        dataRow("run scenario 2", true, kMaster, "cfg,scenario,2,1", "$ack,scenario,2,1,0");
        dataRow("run an empty scenario", true, kMaster, "cfg,scenario,5,1", "$ack,scenario,5,1,1");
        dataRow("name a scenario", true, kMaster, "cfg,scename,1,4,Cinema,0",
                "$ack,scename,1,4,Cinema,0");
        dataRow("a slave relays nothing", true, kSlave, "cfg,lig,211300001231,4,1,0,0", "");
    }
    void answersEveryCommand()
    {
        QFETCH(bool, demo);
        QFETCH(QString, receiver);
        QFETCH(QString, request);
        QFETCH(QString, reply);
        SimulatedHome home = demo ? SimulatedHome::demo() : freshHome();
        const std::optional<QByteArray> answer = home.answerDatagram(wire(request), receiver);
        if (reply.isEmpty())
            QVERIFY(!answer || answer->isEmpty());
        else
            QCOMPARE(answer.value_or(QByteArray()),
                     (QStringLiteral("token") + reply + "\\n").toUtf8());
    }

    void commandsChangeTheHome()
    {
        SimulatedHome home = SimulatedHome::demo();
        const auto send = [&home](const QString &fields) {
            return home.answerDatagram(wire(fields), kMaster).value_or(QByteArray());
        };
        send("cfg,lig,212200004561,4,1,35,0");
        QCOMPARE(home.channel("212200004561")->state, (SimulatedHome::ChannelState{true, 35, 0}));
        send("cfg,lig,212200004561,13,4,0,0"); // scenario 4 keeps the state it has now
        send("cfg,lig,212200004561,4,0,0,0");
        QCOMPARE(home.scenario(4)->members.constFirst().state.level, 35);
        send("cfg,scenario,4,1");
        QCOMPARE(home.channel("212200004561")->state.level, 35);

        send("cfg,lig,211300001230,12,0,0,0"); // Hall leaves both of its scenarios
        QVERIFY(!home.channel("211300001230"));
        QCOMPARE(home.scenario(1)->members.size(), 2);
        QCOMPARE(home.scenario(2)->members.size(), 2);

        send("cfg,lig,2111FFFFFFFF,5,0,0,0");
        QVERIFY(home.channel("211300001231")->state.on);
        QCOMPARE(home.channel("212200004560")->state.level, 10);
        QCOMPARE(home.channel("213100007890")->state.position, 0); // curtains untouched
        QVERIFY(home.takeChanged());
        QVERIFY(!home.takeChanged());
    }

    void rolesFollowTheInstallation()
    {
        SimulatedHome home = freshHome();
        home.setCapacity(1, 64); // the master alone
        const auto role = [&home](const QString &target, const QString &role) {
            const QString fields =
                QStringLiteral("cfg,gw,%1,4,%2,%1,%3,0").arg(kMaster, target, role);
            return home.answerDatagram(wire(fields), kMaster).value_or(QByteArray());
        };
        QVERIFY(role(kMaster, "m").endsWith(",m,0\\n"));
        QVERIFY(role(kSlave, "s").endsWith(",s,140\\n")); // no room beside the master
        home.setCapacity(4, 64);
        QVERIFY(role(kSlave, "s").endsWith(",s,0\\n"));
        QCOMPARE(home.transmitter(kSlave)->role, SimulatedHome::Role::Slave);
        QVERIFY(role(kSlave, "s").endsWith(",s,143\\n"));
    }

    void unreachableControllersFail_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("code");
        dataRow("silent controller, control", "cfg,lig,211300001231,4,1,0,0", "135");
        dataRow("silent controller, removal", "cfg,lig,211300001231,12,0,0,0", "135");
        dataRow("offline slave, removal", "cfg,curtain,21310000AB10,12,0,0,0", "137");
        dataRow("offline slave, control", "cfg,curtain,21310000AB10,4,1,0,0", "135");
        dataRow("forced removal still works", "cfg,lig,211300001231,18,0,0,0", "0");
    }
    void unreachableControllersFail()
    {
        QFETCH(QString, request);
        QFETCH(QString, code);
        SimulatedHome home = SimulatedHome::demo();
        home.setChannelResponsive("211300001231", false);
        home.setTransmitterOnline(kSlave, false);
        const QByteArray answer =
            home.answerDatagram(wire(request), kMaster).value_or(QByteArray());
        QVERIFY2(answer.endsWith(QByteArray("," + code.toUtf8() + "\\n")), answer.constData());
    }

    void ignoresWhatIsNotACommandLine_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        dataRow("no token", QByteArray("$cfg,lig,211300001231,4,1,0,0\\n"));
        dataRow("no suffix", QByteArray("token$cfg,lig,211300001231,4,1,0,0"));
        dataRow("not UTF-8", QByteArray("token$cfg,lig,\xff,4,1,0,0\\n"));
        dataRow("three fields", QByteArray("token$cfg,lig,x\\n"));
        dataRow("empty", QByteArray());
    }
    void ignoresWhatIsNotACommandLine()
    {
        QFETCH(QByteArray, datagram);
        SimulatedHome home = SimulatedHome::demo();
        QVERIFY(!home.answerDatagram(datagram, kMaster));
    }

    void exportsTheConfiguration()
    {
        const QList<QByteArray> lines = SimulatedHome::demo().configurationText().split('\n');
        QVERIFY(lines.contains("$gw,1,20AA10000002,127.0.0.3,s,0,0"));
        // Hall: in scenarios 1 (on) and 2 (off): bits 00000011, state digits at 12-15.
        QVERIFY(
            lines.contains("$actuation,211300001230,20AA10000001,Hall,1,03,0000000000000080,0"));
        // Living room dimmed to 60 in scenario 1: 0x80 | 60.
        QVERIFY(lines.contains(
            "$actuation,212200004560,20AA10000001,Living room,2,01,00000000000000BC,0"));
        QVERIFY(lines.contains("$scenario,2,Good morning"));
        QCOMPARE(lines.at(lines.size() - 2), QByteArray("$req,gw,end,import"));
    }

    void stateByteFollowsTheKind_data()
    {
        QTest::addColumn<QChar>("kind");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("byte");
        dataRow("light on", QChar('1'), true, 0, 0, 0x80);
        dataRow("light off", QChar('1'), false, 0, 0, 0x00);
        dataRow("dimmer at 30", QChar('2'), true, 30, 0, 0x9E);
        dataRow("dimmer off", QChar('2'), false, 30, 0, 0x00);
        dataRow("curtain open", QChar('3'), true, 0, 100, 0x64);
        dataRow("curtain half", QChar('3'), false, 0, 50, 0x32);
    }
    void stateByteFollowsTheKind()
    {
        QFETCH(QChar, kind);
        QFETCH(bool, on);
        QFETCH(int, level);
        QFETCH(int, position);
        QFETCH(int, byte);
        QCOMPARE(SimulatedHome::stateByte(kind, {on, level, position}), byte);
    }

    void stateSurvivesJson()
    {
        SimulatedHome home = SimulatedHome::demo();
        home.setChannelResponsive("211300001231", false);
        QString error;
        const std::optional<SimulatedHome> back = SimulatedHome::fromJson(home.toJson(), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->toJson(), home.toJson());
        QCOMPARE(back->configurationText(), home.configurationText());
    }

    void refusesHomesTheWireCannotCarry()
    {
        QJsonObject json = SimulatedHome::demo().toJson();
        QJsonArray channels = json.value("channels").toArray();
        QJsonObject first = channels.at(0).toObject();
        first.insert("name", "Hall, upstairs");
        channels[0] = first;
        json.insert("channels", channels);
        QString error;
        QVERIFY(!SimulatedHome::fromJson(json, &error));
        QVERIFY(error.contains("211300001230"));
    }
};

ARDENTIA_TEST_MAIN(TestSimulatedHome)
#include "tst_simulatedhome.moc"
