// SPDX-License-Identifier: GPL-3.0-or-later
#include "answeringalertpresenter.h"
#include "control/appdelegate.h"
#include "control/devicecommands.h"
#include "control/deviceenrolment.h"
#include "control/enrolmentoperations.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "testscreens.h"
#include "transmitterserver.h"

#include <QFile>
#include <QSignalSpy>

// Whole flows between the channel and the transmitter simulator, on loopback.
namespace {
const QString kMaster = QStringLiteral("20AA10000001");
const QString kSlave = QStringLiteral("20AA10000002");

QStringList deviceCommand(const QString &family, const QString &id, const QString &op,
                          const QString &p1 = QStringLiteral("0"))
{
    return {"cfg", family, id, op, p1, "0", "0"};
}

QVariantMap storedDevice(const QString &id)
{
    return JsonCodec::recordFromJSONString(Database::instance()->selectMainDeviceWithMainID(id))
        .value_or(QVariantMap());
}
} // namespace

class TestGatewayFlows : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    UDPSocketManager *channel = nullptr;
    Database *store = nullptr;
    HeadlessFeedbackPresenter presenter;
    std::unique_ptr<TransmitterServer> simulator;
    std::unique_ptr<TestScreenStack> stack;
    QStringList requests; // what the simulator was sent, in order

    void startSimulator(SimulatedHome home)
    {
        simulator = startLoopbackSimulator(std::move(home));
        QVERIFY(simulator);
        connect(simulator.get(), &TransmitterServer::datagramAnswered, this,
                [this](const QByteArray &request) { requests << QString::fromUtf8(request); });
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        channel = UDPSocketManager::instance();
        store = Database::instance();
        presenter.clear();
        requests.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
        stack = std::make_unique<TestScreenStack>();
    }

    void cleanup()
    {
        stack.reset();
        simulator.reset();
        program.reset();
    }

    void newMasterIsLocatedAndConfirmed()
    {
        SimulatedHome fresh;
        fresh.addTransmitter({kMaster, "127.0.0.2", SimulatedHome::Role::Unset, true});
        startSimulator(fresh);
        TestTransmitterEnrolmentScreen enrolment;
        stack->push(&enrolment);

        // by broadcast: 127.0.0.255 on lo
        channel->getGatewayIPWithID(
            kMaster, std::nullopt,
            TestScreenCaller::carry(EnrolmentOperations::forTransmitter(kMaster), &enrolment));
        QTRY_COMPARE(enrolment.outcomes, QList<bool>{true});

        const QVariantMap master = store->readAllSuperBoxInfo().constFirst();
        QCOMPARE(master.value(Key::address).toString(), QStringLiteral("127.0.0.2"));
        QCOMPARE(master.value(Key::title).toString(), QStringLiteral("Master Transmitter"));
        QCOMPARE(master.value(Key::command).toString(), QStringLiteral("YES"));
        QCOMPARE(simulator->home().master()->id, kMaster);
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);
    }

    void slaveOfAnotherHomeIsRefused()
    {
        startSimulator(SimulatedHome::demo()); // its slave is configured already
        storeDemoMaster();
        channel->getGatewayIPWithID(kSlave);
        QTRY_COMPARE(presenter.toasts().size(), 1);
        QCOMPARE(presenter.toasts().constFirst(),
                 QStringLiteral("该无线转发器已经被设置为从 / "
                                "无法再配置为主无线转发器,如果有必要请重置,数据会丢失"));
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
    }

    void enrolmentReportsTheAcceptedChannels()
    {
        startSimulator(SimulatedHome::demo());
        simulator->faults().add(*FaultRule::parse("lig:11:211200009991=code:1", nullptr));
        storeDemoMaster();
        TestDeviceEnrolmentScreen enrolment;
        stack->push(&enrolment);
        QList<QVariantMap> operations;
        for (const QString id : {"211200009990", "211200009991"}) {
            const QVariantMap record =
                RecordFactory::device(id, "S", "211200009990", "Lamp " + id.right(1));
            operations.append({{Key::haveSend, Value::no},
                               {Key::sendArray, deviceCommand("lig", id, "11")},
                               {Key::insertDevice, record}});
            operations.append(
                {{Key::sendArray, deviceCommand("lig", id, "15", "Lamp " + id.right(1))},
                 {Key::insertDevice, record}});
        }
        OperationList started(operations);
        started.caller = TestScreenCaller::of(&enrolment);
        channel->startOperationList(std::move(started));

        QTRY_COMPARE_WITH_TIMEOUT(enrolment.outcomes, QStringList{"1"}, 5000);
        QCOMPARE(requests.size(), 4);
        QVERIFY(requests.at(1).contains(",15,Lamp 0,"));
        QVERIFY(requests.at(3).contains(",15,Lamp 1,")); // named although refused
        QCOMPARE(storedDevice("211200009990").value(Key::title).toString(),
                 QStringLiteral("Lamp 0"));
        QVERIFY(storedDevice("211200009991").isEmpty());
        QCOMPARE(simulator->home().channel("211200009990")->name, QStringLiteral("Lamp 0"));
    }

    void refusedControlRestoresTheStoredState()
    {
        startSimulator(SimulatedHome::demo());
        simulator->faults().add(*FaultRule::parse("lig:4:211300001231=code:3", nullptr));
        storeDemoMaster();
        QVariantMap stairs = RecordFactory::device("211300001231", "S", "211300001230", "Stairs");
        store->insertMainDeviceWithInfo(stairs);
        TestFrameScreen lighting;
        stack->push(&lighting);

        stairs.insert(Key::turnOn, Value::yes); // as the screen shows it before the reply
        channel->sendMessageWithCommandArray(deviceCommand("lig", "211300001231", "4", "1"),
                                             std::nullopt, shareOperations({stairs}));
        QTRY_COMPARE(presenter.toasts(),
                     QStringList{"Control failed / Please check device and network"});
        QCOMPARE(lighting.reloads, 1);
        QCOMPARE(storedDevice("211300001231").value(Key::turnOn).toString(), QStringLiteral("NO"));
        // Counted all the same, 0.11 s later.
        QTRY_COMPARE(storedDevice("211300001231").value(Key::controlTimes).toString(),
                     QStringLiteral("1"));
    }

    void scenarioDeletionWithOneRefusalKeepsTheScenario()
    {
        startSimulator(SimulatedHome::demo());
        storeDemoMaster();
        QVariantList lights;
        for (const QString id : {"211300001230", "211300001231", "212200004560"}) {
            const QVariantMap light =
                RecordFactory::device(id, id.at(2) == '2' ? "D" : "S", id, id);
            store->insertMainDeviceWithInfo(light);
            lights.append(light);
            simulator->home().answerDatagram(
                QStringLiteral("token$cfg,lig,%1,13,3,0,0\\n").arg(id).toUtf8(), kMaster);
        }
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("3", "Three lights", "i", lights));
        simulator->faults().add(*FaultRule::parse("lig:14:211300001231=code:1", nullptr));

        QList<QVariantMap> operations;
        for (const QVariant &light : lights)
            operations.append(
                {{Key::needCheck, Value::no},
                 {Key::haveSend, Value::no},
                 {Key::sendArray,
                  deviceCommand("lig", light.toMap().value(Key::id).toString(), "14", "3")},
                 {Key::deleteScenarioID, "3"},
                 {Key::scenarioControlTypeKey, Value::deleteDeviceFromScenario}});
        channel->startOperationList(operations);

        QTRY_COMPARE(presenter.toasts(), QStringList{"Delete scenario failed"});
        QCOMPARE(requests.size(), 3);
        QVERIFY(store->scenarioRecordWithMainID("3"));
    }

    void countersFollowTheReplies()
    {
        startSimulator(SimulatedHome::demo());
        storeDemoMaster();
        for (int i = 0; i < 3; ++i)
            store->insertMainDeviceWithInfo(RecordFactory::device(
                QStringLiteral("21130000123%1").arg(i), "S", "211300001230", "x"));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "1", "Evening", "i",
            {RecordFactory::device("211300001230", "S", "211300001230", "x")}));
        peerDrain({"cfg", "lig", "2111FFFFFFFF", "5", "0", "0", "0"});
        peerDrain({"cfg", "scenario", "1", "1"});
        peerDrain({"cfg", "scenario", "1", "1"});
        QStringList counts;
        for (const QVariantMap &s : store->readAllScenarioInfo())
            counts << s.value(Key::mainID).toString() + "=" + s.value(Key::controlTimes).toString();
        QCOMPARE(counts, (QStringList{"-1=1", "-2=0", "1=2"}));
        QVERIFY(simulator->home().channel("211300001231")->state.on);
    }

    void lostRoleAcknowledgementFailsTheEnrolment()
    {
        SimulatedHome fresh;
        fresh.addTransmitter({kMaster, "127.0.0.2", SimulatedHome::Role::Unset, true});
        startSimulator(fresh);
        simulator->faults().add(*FaultRule::parse("gw:4:*=drop", nullptr));
        channel->setReplyWaitOverride(0.3);
        TestTransmitterEnrolmentScreen enrolment;
        stack->push(&enrolment);

        channel->getGatewayIPWithID(
            kMaster, std::nullopt,
            TestScreenCaller::carry(EnrolmentOperations::forTransmitter(kMaster), &enrolment));
        // The locate answer sends the role command; its reply never comes.
        QTRY_COMPARE(enrolment.outcomes, QList<bool>{false});
        QCOMPARE(requests.size(), 2);
        QVERIFY(requests.at(1).contains(",gw,20AA10000001,4,"));
        QVERIFY(!ShowAlertManager::instance()->checkActivityShowOn());
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);
    }

    void lostControlReplyIsAFailureEvenAfterAnAnswer()
    {
        startSimulator(SimulatedHome::demo());
        simulator->faults().add(*FaultRule::parse("lig:4:211300001231=drop", nullptr));
        storeDemoMaster();
        const QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        QVariantMap stairs = RecordFactory::device("211300001231", "S", "211300001230", "Stairs");
        store->insertMainDeviceWithInfo(hall);
        store->insertMainDeviceWithInfo(stairs);
        TestFrameScreen lighting;
        stack->push(&lighting);
        channel->setReplyWaitOverride(0.3);

        channel->sendMessageWithCommandArray(deviceCommand("lig", "211300001230", "4", "1"));
        QTRY_COMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnected);
        stairs.insert(Key::turnOn, Value::yes);
        channel->sendMessageWithCommandArray(deviceCommand("lig", "211300001231", "4", "1"),
                                             std::nullopt, shareOperations({stairs}));
        const int reloadsBefore = lighting.reloads;
        QTRY_COMPARE(lighting.bannerText, QStringLiteral("Network connection failed"));
        QVERIFY(lighting.reloads > reloadsBefore); // shows the stored state again
        QCOMPARE(storedDevice("211300001231").value(Key::turnOn).toString(), QStringLiteral("NO"));
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionFailed);
        QVERIFY(channel->rediscovery().isArmed());
    }

    void removedChannelsLeaveNoRowAndNoScenarioMember_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("forceAnswer");
        QTest::addColumn<QString>("toast");
        dataRow("master forgot it (141)", "lig:12:211300001231=code:141", -1,
                "Control failed / Please check device and network");
        dataRow("removed by force (135, then 18)", "", 0, "Force remove the device successful");
    }
    void removedChannelsLeaveNoRowAndNoScenarioMember()
    {
        QFETCH(QString, fault);
        QFETCH(int, forceAnswer);
        QFETCH(QString, toast);
        SimulatedHome demo = SimulatedHome::demo();
        demo.setChannelResponsive("211300001231", !fault.isEmpty()); // silent: 135
        startSimulator(demo);
        if (!fault.isEmpty())
            simulator->faults().add(*FaultRule::parse(fault, nullptr));
        storeDemoMaster();
        AnsweringAlertPresenter answer(forceAnswer);
        ShowAlertManager::instance()->setAlertPresenter(&answer);
        const QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        const QVariantMap stairs =
            RecordFactory::device("211300001231", "S", "211300001230", "Stairs");
        store->insertMainDeviceWithInfo(hall);
        store->insertMainDeviceWithInfo(stairs);
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("1", "Both", "i", {hall, stairs}));
        store->insertScenarioWithInfo(RecordFactory::userScenario("2", "Stairs", "i", {stairs}));

        // The screen that reloads records what the store held at each reload.
        class Rows final : public TestFrameScreen {
        public:
            void updateMainView() override
            {
                ++reloads;
                seen = Database::instance()->readAllMainDeviceInfo().size();
            }
            qsizetype seen = -1;
        } lighting;
        stack->push(&lighting);
        channel->sendMessageWithCommandArray(deviceCommand("lig", "211300001231", "12"),
                                             std::nullopt, shareOperations({stairs}));
        QTRY_COMPARE(presenter.toasts(), QStringList{toast});
        QTRY_VERIFY(channel->isSettled());
        QCOMPARE(lighting.seen, 1); // the last reload no longer had the row
        QVERIFY(storedDevice("211300001231").isEmpty());
        // Forced: asked once and the force sent last; the master let it go.
        QCOMPARE(answer.messages.size(), forceAnswer < 0 ? 0 : 1);
        QCOMPARE(requests.constLast().contains("211300001231,18,"), forceAnswer >= 0);
        QVERIFY(!simulator->home().channel("211300001231"));
        const auto both = store->scenarioRecordWithMainID("1");
        QVERIFY(both);
        QCOMPARE(RecordFactory::sceneDevices(*both).size(), 1);
        QVERIFY(!store->scenarioRecordWithMainID("2"));
    }

    void enrolmentCutShortReportsTheChannelsStored()
    {
        startSimulator(SimulatedHome::demo());
        simulator->faults().add(*FaultRule::parse("lig:11:211200009991=drop", nullptr));
        storeDemoMaster();
        channel->setReplyWaitOverride(0.3);
        TestDeviceEnrolmentScreen enrolment;
        stack->push(&enrolment);
        QVERIFY(DeviceEnrolment(program->services())
                    .connect(
                        DeviceEnrolment(program->services()).channelRecords("211200009990", 2, "S"),
                        TestScreenCaller::of(&enrolment)));
        QTRY_COMPARE(enrolment.outcomes, QStringList{"1"}); // not "0": one is stored
        QVERIFY(!storedDevice("211200009990").isEmpty());
        QVERIFY(storedDevice("211200009991").isEmpty());
    }

    void enrollingAStoredControllerAgainKeepsNamesAndUse()
    {
        QVariantMap hall = RecordFactory::device("211200009990", "S", "211200009990", "Hall");
        hall.insert(Key::controlTimes, "12");
        store->insertMainDeviceWithInfo(hall);
        const QList<QVariantMap> records =
            DeviceEnrolment(program->services()).channelRecords("211200009990", 2, "S");
        QCOMPARE(records.at(0).value(Key::title).toString(), QStringLiteral("Hall"));
        QCOMPARE(records.at(0).value(Key::controlTimes).toString(), QStringLiteral("12"));
        QCOMPARE(records.at(1).value(Key::title).toString(), QString(""));
        QCOMPARE(records.at(1).value(Key::controlTimes).toString(), QStringLiteral("0"));
    }

    void renamesAreStoredOnlyWhenTheMasterTakesThem_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("toasts");
        dataRow("accepted", "", "Front hall", QStringList{});
        dataRow("refused", "lig:15:*=code:1", "Hall",
                QStringList{"Control failed / Please check device and network"});
    }
    void renamesAreStoredOnlyWhenTheMasterTakesThem()
    {
        QFETCH(QString, fault);
        QFETCH(QString, title);
        QFETCH(QStringList, toasts);
        startSimulator(SimulatedHome::demo());
        if (!fault.isEmpty())
            simulator->faults().add(*FaultRule::parse(fault, nullptr));
        storeDemoMaster();
        QVariantMap hall = RecordFactory::device("211300001230", "S", "211300001230", "Hall");
        store->insertMainDeviceWithInfo(hall);
        TestFrameScreen lighting;
        stack->push(&lighting);
        DeviceCommands(program->services()).renameDevice(hall, "Front hall");
        QCOMPARE(storedDevice("211300001230").value(Key::title).toString(), QStringLiteral("Hall"));
        QTRY_VERIFY(channel->isSettled());
        QCOMPARE(storedDevice("211300001230").value(Key::title).toString(), title);
        QCOMPARE(presenter.toasts(), toasts);
        QCOMPARE(lighting.reloads, 1);
    }

private:
    // Sends one command and waits for its reply and follow-ups.
    void peerDrain(const QStringList &command)
    {
        const int before = simulator->datagramsAnswered();
        channel->sendMessageWithCommandArray(command);
        QTRY_COMPARE(simulator->datagramsAnswered(), before + 1);
        QTRY_VERIFY(channel->isSettled()); // the follow-ups have run
    }
};

ARDENTIA_TEST_MAIN(TestGatewayFlows)
#include "tst_gatewayflows.moc"
