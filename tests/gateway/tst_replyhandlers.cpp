// SPDX-License-Identifier: GPL-3.0-or-later
#include "answeringalertpresenter.h"
#include "control/enrolmentoperations.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "testscreens.h"
#include "transport/gatewayreply.h"
#include "udppeer.h"

#include <QFile>

// Replies crafted by hand, handed to the handlers as the dispatch would.
namespace {
const QString kMaster = QStringLiteral("20AA10000001");

QString reply(const QString &fields)
{
    return QStringLiteral("token$") + fields + QStringLiteral("\\n");
}

QVariantMap storedDevice(const QString &id)
{
    return JsonCodec::recordFromJSONString(Database::instance()->selectMainDeviceWithMainID(id))
        .value_or(QVariantMap());
}

// The naming screen that started a scenario's change, told where to go.
class NamingStep final : public Screen, public ScenarioNamingScreen {
public:
    void scenarioChangeAnswered() override { told << QStringLiteral("change answered"); }
    void scenarioNamed() override { told << QStringLiteral("named"); }
    QStringList told;
};

} // namespace

class TestReplyHandlers : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    UDPSocketManager *channel = nullptr;
    Database *store = nullptr;
    HeadlessFeedbackPresenter presenter;
    AnsweringAlertPresenter alerts{-1};
    std::unique_ptr<UdpPeer> peer;
    std::unique_ptr<TestScreenStack> stack;
    std::unique_ptr<TestFrameScreen> frame;
    TestFrameScreen &screen() { return *frame; }
    SharedOperations ops; // the records of the command each crafted reply answers

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        channel = UDPSocketManager::instance();
        store = Database::instance();
        peer = std::make_unique<UdpPeer>();
        channel->setTransmitterPort(peer->port());
        store->insertSuperBoxWithInfo(RecordFactory::transmitter(kMaster, "127.0.0.1", true));
        presenter.clear();
        alerts.messages.clear();
        ops = shareOperations();
        ShowAlertManager::instance()->setPresenter(&presenter);
        ShowAlertManager::instance()->setAlertPresenter(&alerts);
        stack = std::make_unique<TestScreenStack>();
        frame = std::make_unique<TestFrameScreen>();
        stack->push(frame.get());
    }

    void cleanup()
    {
        // Screens a test pushed were its own and are gone.
        stack->clear();
        stack->push(frame.get());
        stack.reset();
        program.reset();
    }

    void locateAnswerStoresTheTransmitterAndSendsItsRole_data()
    {
        QTest::addColumn<bool>("masterStored");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("roleCommand");
        dataRow("empty home: master", false, "Master Transmitter",
                "token$cfg,gw,20AA10000009,4,20AA10000009,20AA10000009,m,0\\n");
        dataRow("master stored: slave", true, "Slave Transmitter",
                "token$cfg,gw,20AA10000001,4,20AA10000009,20AA10000001,s,0\\n");
    }
    void locateAnswerStoresTheTransmitterAndSendsItsRole()
    {
        QFETCH(bool, masterStored);
        QFETCH(QString, title);
        QFETCH(QString, roleCommand);
        if (!masterStored)
            store->deleteSuperBoxWithMainID(kMaster);
        QTest::ignoreMessage(QtInfoMsg, "located:20AA10000009_at:127.0.0.1");
        channel->handleReply(reply("res,gw,20AA10000009,1,127.0.0.1,0"), ops);
        const QVariantMap added = store->readAllSuperBoxInfo().constLast();
        QCOMPARE(added.value(Key::id).toString(), QStringLiteral("20AA10000009"));
        QCOMPARE(added.value(Key::title).toString(), title);
        QCOMPARE(added.value(Key::imageName).toString(), masterStored ? "slave" : "master");
        QCOMPARE(added.value(Key::command).toString(), QStringLiteral("NO"));
        QTRY_COMPARE(peer->received.size(), 1);
        QCOMPARE(QString::fromUtf8(peer->received.constFirst()), roleCommand);
    }

    // Only the enrolment's own locate ends it: the app's check of the link
    // gets the same answer while the screen waits for another transmitter.
    void locateAnswerForAConfirmedTransmitterOnlyMovesIt_data()
    {
        QTest::addColumn<QString>("enrolled");
        QTest::addColumn<QList<bool>>("outcomes");
        dataRow("the enrolment's locate", kMaster, QList<bool>{true});
        dataRow("a check of the link", QString(), QList<bool>{});
        dataRow("while another is enrolled", "20AA10000009", QList<bool>{});
    }
    void locateAnswerForAConfirmedTransmitterOnlyMovesIt()
    {
        QFETCH(QString, enrolled);
        QFETCH(QList<bool>, outcomes);
        store->updateSuperBoxWithAddress(std::nullopt, kMaster, QStringLiteral("YES"));
        TestTransmitterEnrolmentScreen enrolment;
        stack->push(&enrolment);
        if (!enrolled.isEmpty())
            ops =
                TestScreenCaller::carry(EnrolmentOperations::forTransmitter(enrolled), &enrolment);
        channel->handleReply(reply("res,gw,20AA10000001,1,127.0.0.1,0"), ops);
        QCOMPARE(enrolment.outcomes, outcomes);
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
        QTest::qWait(50);
        QVERIFY(peer->received.isEmpty());
    }

    void malformedLocateAnswersAreIgnored_data()
    {
        QTest::addColumn<QString>("info");
        dataRow("four fields", reply("res,gw,20AA10000009,1"));
        dataRow("operation not 1", reply("res,gw,20AA10000009,2,10.0.0.5,0"));
        dataRow("address of three parts", reply("res,gw,20AA10000009,1,10.0.5,0"));
        dataRow("address is text", reply("res,gw,20AA10000009,1,router,0"));
    }
    void malformedLocateAnswersAreIgnored()
    {
        QFETCH(QString, info);
        channel->handleReply(info, ops);
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
    }

    void roleAcknowledgements_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("command"); // empty: the record is gone
        QTest::addColumn<QStringList>("toasts");
        dataRow("accepted", "m", "0", "YES", QStringList{});
        dataRow("142 for a master is fine", "m", "142", "YES", QStringList{});
        dataRow("142 for a slave", "s", "142", "",
                QStringList{"该无线转发器已经被设置为主 / "
                            "无法再配置为从无线转发器,如果有必要请重置,数据会丢失"});
        dataRow("143 whatever the role", "m", "143", "",
                QStringList{"该无线转发器已经被设置为从 / "
                            "无法再配置为主无线转发器,如果有必要请重置,数据会丢失"});
        dataRow("140 full", "s", "140", "", QStringList{"It is too full to add Transmitter"});
        dataRow("other codes change nothing", "m", "7", "NO", QStringList{});
    }
    void roleAcknowledgements()
    {
        QFETCH(QString, role);
        QFETCH(QString, code);
        QFETCH(QString, command);
        QFETCH(QStringList, toasts);
        TestTransmitterEnrolmentScreen enrolment;
        stack->push(&enrolment);
        ops = TestScreenCaller::carry(EnrolmentOperations::forTransmitter(kMaster), &enrolment);
        channel->handleReply(
            reply(QStringLiteral("ack,gw,%1,4,%1,%1,%2,%3").arg(kMaster, role, code)), ops);
        const QList<QVariantMap> stored = store->readAllSuperBoxInfo();
        QCOMPARE(stored.isEmpty() ? QString() : stored.constFirst().value(Key::command).toString(),
                 command);
        QCOMPARE(presenter.toasts(), toasts);
        QCOMPARE(enrolment.outcomes, command == "YES" ? QList<bool>{true} : QList<bool>{});
    }

    void stateAnswersSetTheStoredState_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("turnOn");
        dataRow("curtain E4 is open", "213100007890", "E4", "0", "YES");
        dataRow("curtain 64 is open", "213100007890", "64", "0", "YES");
        dataRow("curtain 32 is not", "213100007890", "32", "0", "NO");
        dataRow("dimmer on at 55", "212200004560", "1", "55", "55");
        dataRow("dimmer off", "212200004560", "0", "55", "0");
        dataRow("dimmer, odd state keeps", "212200004560", "7", "55", "initial");
        dataRow("light on", "211300001230", "1", "0", "YES");
        dataRow("light, odd state keeps", "211300001230", "2", "0", "initial");
    }
    void stateAnswersSetTheStoredState()
    {
        QFETCH(QString, id);
        QFETCH(QString, state);
        QFETCH(QString, level);
        QFETCH(QString, turnOn);
        QVariantMap device = RecordFactory::device(id, "S", id, "x");
        device.insert(Key::turnOn, "initial");
        store->insertMainDeviceWithInfo(device);
        const QString family = id.at(2) == '3' ? "curtain" : "lig";
        ops = shareOperations(
            {{{Key::sendArray, QStringList{"req", family, id, "0", "0", "0", "0"}}}});
        channel->handleReply(
            reply(QStringLiteral("res,%1,%2,0,%3,%4,0").arg(family, id, state, level)), ops);
        QCOMPARE(storedDevice(id).value(Key::turnOn).toString(), turnOn);
        QCOMPARE(screen().reloads, 1); // the last entry ends the flow
    }

    void controlAcknowledgementStoresOrRestores_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("listedId");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("reloads");
        dataRow("accepted", "0", "211300001230", "YES", 0);
        dataRow("refused", "3", "211300001230", "NO", 1);
        dataRow("not in the list", "0", "211300009999", "NO", 1);
    }
    void controlAcknowledgementStoresOrRestores()
    {
        QFETCH(QString, code);
        QFETCH(QString, listedId);
        QFETCH(QString, stored);
        QFETCH(int, reloads);
        QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        QVariantMap onScreen = RecordFactory::device(listedId, "S", listedId, "Hall");
        onScreen.insert(Key::turnOn, "YES");
        // Used three times since the screen read it: only the state is written back.
        hall.insert(Key::controlTimes, "3");
        store->insertMainDeviceWithInfo(hall);
        ops = shareOperations({onScreen});
        channel->handleReply(reply(QStringLiteral("ack,lig,211300001230,4,1,0,%1").arg(code)), ops);
        QCOMPARE(storedDevice("211300001230").value(Key::turnOn).toString(), stored);
        QCOMPARE(storedDevice("211300001230").value(Key::controlTimes).toString(),
                 QStringLiteral("3"));
        QCOMPARE(screen().reloads, reloads);
        QCOMPARE(presenter.toasts().isEmpty(), reloads == 0);
    }

    void removalPrunesScenarios()
    {
        const QVariantMap lamp = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        const QVariantMap other =
            RecordFactory::device("211300001231", "S", "211300001230", "Stairs");
        store->insertMainDeviceWithInfo(lamp);
        store->insertMainDeviceWithInfo(other);
        store->insertScenarioWithInfo(RecordFactory::userScenario("1", "Only hall", "i", {lamp}));
        store->insertScenarioWithInfo(RecordFactory::userScenario("2", "Both", "i", {other, lamp}));
        ops = shareOperations({lamp});
        channel->handleReply(reply("ack,lig,211300001230,12,0,0,0"), ops);
        QCOMPARE(storedDevice("211300001230"), QVariantMap());
        QVERIFY(store->scenarioRecordWithMainID("1") == std::nullopt);
        const auto both = store->scenarioRecordWithMainID("2");
        QCOMPARE(both->value(Key::sceneArray).toList().size(), 1);
        QCOMPARE(store->readAllScenarioInfo().size(), 3); // the built-ins stay
        QVERIFY(presenter.toasts().isEmpty());
        QCOMPARE(screen().reloads, 1); // after the store has let it go
    }

    void refusedRemovals_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("listSize");
        QTest::addColumn<bool>("stillStored");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("toast");
        dataRow("141 forgets it", "141", 1, false, "", true);
        dataRow("135 asks", "135", 1, true, "控制器无应答,可能已损坏或被移除,请确认是否强制删除",
                false);
        dataRow("137 asks", "137", 1, true,
                "请检查从无线转发器是否连接正常,如果正常请确认是否强制删除设备", false);
        dataRow("135 in a longer list", "135", 2, true, "", true);
        dataRow("other", "9", 1, true, "", true);
    }
    void refusedRemovals()
    {
        QFETCH(QString, code);
        QFETCH(int, listSize);
        QFETCH(bool, stillStored);
        QFETCH(QString, question);
        QFETCH(bool, toast);
        const QVariantMap lamp = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        store->insertMainDeviceWithInfo(lamp);
        ops = shareOperations(QList<QVariantMap>(listSize, lamp));
        channel->handleReply(reply(QStringLiteral("ack,lig,211300001230,12,0,0,%1").arg(code)),
                             ops);
        QCOMPARE(!storedDevice("211300001230").isEmpty(), stillStored);
        QCOMPARE(alerts.messages, question.isEmpty() ? QStringList{} : QStringList{question});
        if (!question.isEmpty())
            QCOMPARE(alerts.lastButtons, (QStringList{"强制删除", "取消"}));
        QCOMPARE(presenter.toasts().contains("Control failed / Please check device and network"),
                 toast);
        QCOMPARE(screen().reloads, 1);
    }

    void forcedRemovalAnswer_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("sent");
        dataRow("force a light", 0, "Lighting", "token$cfg,lig,211300001230,18,0,0,0\\n");
        dataRow("force a curtain", 0, "Curtain", "token$cfg,curtain,211300001230,18,0,0,0\\n");
        dataRow("cancel", 1, "Lighting", "");
    }
    void forcedRemovalAnswer()
    {
        QFETCH(int, button);
        QFETCH(QString, type);
        QFETCH(QString, sent);
        QVariantMap record = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        record.insert(Key::type, type);
        ops = shareOperations({record});
        channel->alertViewClickedButtonAtIndex(button, ops);
        if (sent.isEmpty()) {
            QTest::qWait(50); // nothing goes out
            QVERIFY(peer->received.isEmpty());
        } else {
            QTRY_COMPARE(QString::fromUtf8(peer->received.value(0)), sent);
        }
    }

    void forcedRemovalOutcome_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("toast");
        dataRow("removed", "0", "Force remove the device successful");
        dataRow("failed", "1", "Force remove the device failed");
    }
    void forcedRemovalOutcome()
    {
        QFETCH(QString, code);
        QFETCH(QString, toast);
        const QVariantMap lamp = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        store->insertMainDeviceWithInfo(lamp);
        store->insertScenarioWithInfo(RecordFactory::userScenario("1", "Only hall", "i", {lamp}));
        channel->handleReply(reply(QStringLiteral("ack,lig,211300001230,18,0,0,%1").arg(code)),
                             ops);
        QCOMPARE(presenter.toasts(), QStringList{toast});
        QCOMPARE(storedDevice("211300001230").isEmpty(), code == "0");
        // A channel removed by force leaves its scenarios too, and no row stays.
        QCOMPARE(store->scenarioRecordWithMainID("1").has_value(), code != "0");
        QCOMPARE(screen().reloads, 1);
    }

    void fullTransmitterSaysSoWhateverTheOperation()
    {
        channel->handleReply(reply("ack,lig,211300001230,11,0,0,140"), ops);
        QCOMPARE(presenter.toasts(), QStringList{"It is too full to add device"});
    }

    void editedScenarioKeepsOnlyAcceptedDevices_data()
    {
        QTest::addColumn<bool>("stored");
        dataRow("new scenario", false);
        dataRow("existing scenario", true);
    }
    void editedScenarioKeepsOnlyAcceptedDevices()
    {
        QFETCH(bool, stored);
        QVariantMap a = RecordFactory::device("211300001230", "S", "211300001230", "A");
        QVariantMap b = RecordFactory::device("211300001231", "S", "211300001230", "B");
        QVariantMap c = RecordFactory::device("211300001232", "S", "211300001230", "C");
        for (const QVariantMap &d : {a, b, c})
            store->insertMainDeviceWithInfo(d);
        if (stored) {
            QVariantMap oldA = a;
            oldA.insert(Key::turnOn, "NO");
            store->insertScenarioWithInfo(RecordFactory::userScenario("3", "Old", "i", {oldA}));
        }
        a.insert(Key::turnOn, "YES");
        const auto entry = [](const QVariantMap &device) {
            return QVariantMap{
                {Key::needCheck, "YES"},
                {Key::haveSend, "NO"},
                {Key::sendArray,
                 QStringList{"cfg", "lig", device.value(Key::id).toString(), "13", "3", "0", "0"}},
                {Key::insertDevice, device},
                {Key::scenarioControlTypeKey, Value::editDeviceFromScenario}};
        };
        NamingStep naming;
        ops = FlowCaller::carried(
            {entry(a),
             entry(b),
             entry(c),
             {{Key::mainID, "3"},
              {Key::scenarioControlTypeKey, Value::editDeviceAndNameScenario},
              {Key::sendArray, QStringList{"cfg", "scename", "1", "3", "Evening", "0"}},
              {Key::insertScenario, RecordFactory::userScenario("3", "Evening", "i", {})}}},
            TestScreenCaller::of(&naming));
        channel->handleReply(reply("ack,lig,211300001230,13,3,0,0"), ops);
        channel->handleReply(reply("ack,lig,211300001231,13,3,0,1"), ops);
        QVERIFY(presenter.toasts().isEmpty());
        channel->handleReply(reply("ack,lig,211300001232,13,3,0,0"), ops);
        // Saved, but the person learns which device is not in it.
        QCOMPARE(presenter.toasts(), QStringList{"Scenario saved without some devices / B"});
        QCOMPARE(naming.told, QStringList{"change answered"}); // its naming screen closes

        const auto scenario = store->scenarioRecordWithMainID("3");
        QVERIFY(scenario);
        QStringList members;
        for (const QVariant &m : scenario->value(Key::sceneArray).toList())
            members << m.toMap().value(Key::id).toString() + "=" +
                           m.toMap().value(Key::turnOn).toString();
        QCOMPARE(members, (QStringList{"211300001230=YES", "211300001232=NO"}));
        // Each reply stepped the list 0.11 s later: the next entry goes out
        // (the rest wait behind it, as no reply comes).
        QTRY_COMPARE(peer->received.size(), 1);
        QVERIFY(peer->received.constFirst().contains("211300001231,13,3"));
        QCOMPARE(channel->udpQueueArray().size(), 2);
        QVERIFY(channel->udpQueueArray().constLast().fields.contains("scename"));
    }

    void scenarioDeletionNeedsEveryRemoval_data()
    {
        QTest::addColumn<QString>("secondCode");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("kept");
        dataRow("all removed", "0", "Delete scenario successful", false);
        dataRow("one refused", "1", "Delete scenario failed", true);
    }
    void scenarioDeletionNeedsEveryRemoval()
    {
        QFETCH(QString, secondCode);
        QFETCH(QString, toast);
        QFETCH(bool, kept);
        const QVariantMap a = RecordFactory::device("211300001230", "S", "211300001230", "A");
        const QVariantMap b = RecordFactory::device("211300001231", "S", "211300001230", "B");
        store->insertMainDeviceWithInfo(a);
        store->insertMainDeviceWithInfo(b);
        store->insertScenarioWithInfo(RecordFactory::userScenario("5", "Five", "i", {a, b}));
        QList<QVariantMap> operations;
        for (const QString id : {"211300001230", "211300001231"})
            operations.append({{Key::needCheck, "NO"},
                               {Key::haveSend, "NO"},
                               {Key::sendArray, QStringList{"cfg", "lig", id, "14", "5", "0", "0"}},
                               {Key::deleteScenarioID, "5"},
                               {Key::scenarioControlTypeKey, Value::deleteDeviceFromScenario}});
        ops = shareOperations(operations);
        channel->handleReply(reply("ack,lig,211300001230,14,5,0,0"), ops);
        channel->handleReply(
            reply(QStringLiteral("ack,lig,211300001231,14,5,0,%1").arg(secondCode)), ops);
        QCOMPARE(presenter.toasts(), QStringList{toast});
        QCOMPARE(store->scenarioRecordWithMainID("5").has_value(), kept);
    }

    // The name and the picture chosen with it are stored only when the
    // master takes the name; a refusal of a name this app asked for is said.
    // Only the naming screen that asked goes back to the list.
    void namingAcknowledgement_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("askedHere");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("backToList");
        QTest::addColumn<QStringList>("toasts");
        dataRow("accepted", "0", true, "Cinema", "new.png", true, QStringList{});
        dataRow("accepted, named elsewhere", "0", false, "Cinema", "i", false, QStringList{});
        dataRow("refused", "1", true, "Old", "i", false, QStringList{"Setting scenario failed"});
        dataRow("refused, named elsewhere", "1", false, "Old", "i", false, QStringList{});
    }
    void namingAcknowledgement()
    {
        QFETCH(QString, code);
        QFETCH(bool, askedHere);
        QFETCH(QString, title);
        QFETCH(QString, picture);
        QFETCH(bool, backToList);
        QFETCH(QStringList, toasts);
        store->insertScenarioWithInfo(RecordFactory::userScenario("4", "Old", "i", {}));
        NamingStep naming;
        if (askedHere)
            ops =
                FlowCaller::carried({{{Key::mainID, "4"},
                                      {Key::insertScenario,
                                       RecordFactory::userScenario("4", "Cinema", "new.png", {})}}},
                                    TestScreenCaller::of(&naming));
        channel->handleReply(reply(QStringLiteral("ack,scename,1,4,Cinema,%1").arg(code)), ops);
        const auto stored = store->scenarioRecordWithMainID("4");
        QCOMPARE(stored->value(Key::title).toString(), title);
        QCOMPARE(stored->value(Key::imagePath).toString(), picture);
        QCOMPARE(naming.told, backToList ? QStringList{"named"} : QStringList{});
        QCOMPARE(presenter.toasts(), toasts);
    }

    void countersCountEveryReply_data()
    {
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("device");     // expected controlTimes of the light
        QTest::addColumn<QStringList>("counts"); // scenario counters -1, -2, 3
        dataRow("control, refused or not", reply("ack,lig,211300001230,4,1,0,3"), "8",
                QStringList{"0", "0", "0"});
        dataRow("curtain control", reply("ack,curtain,211300001230,4,1,0,0"), "8",
                QStringList{"0", "0", "0"});
        dataRow("all on", reply("ack,lig,2111FFFFFFFF,5,0,0,0"), "7", QStringList{"1", "0", "0"});
        dataRow("all off", reply("ack,lig,2111FFFFFFFF,6,0,0,0"), "7", QStringList{"0", "1", "0"});
        dataRow("curtain op 5 counts nothing", reply("ack,curtain,2111FFFFFFFF,5,0,0,0"), "7",
                QStringList{"0", "0", "0"});
        dataRow("scenario run", reply("ack,scenario,3,1,0"), "7", QStringList{"0", "0", "1"});
        dataRow("naming counts nothing", reply("ack,scename,1,3,x,0"), "7",
                QStringList{"0", "0", "0"});
        dataRow("short", "token$ack,lig", "7", QStringList{"0", "0", "0"});
    }
    void countersCountEveryReply()
    {
        QFETCH(QString, info);
        QFETCH(QString, device);
        QFETCH(QStringList, counts);
        QVariantMap light = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        light.insert(Key::controlTimes, "7");
        store->insertMainDeviceWithInfo(light);
        store->insertScenarioWithInfo(RecordFactory::userScenario("3", "Three", "i", {light}));
        if (const std::optional<GatewayReply::Form> form = GatewayReply::parse(info))
            channel->updateDeviceAndScenarioControlTimesWithInfo(*form);
        QCOMPARE(storedDevice("211300001230").value(Key::controlTimes).toString(), device);
        QStringList actual;
        for (const QVariantMap &s : store->readAllScenarioInfo())
            actual << s.value(Key::controlTimes).toString();
        QCOMPARE(actual, counts);
    }
};

ARDENTIA_TEST_MAIN(TestReplyHandlers)
#include "tst_replyhandlers.moc"
