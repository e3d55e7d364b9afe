// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/checkmanager.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "recordingnavigator.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "udppeer.h"

#include <QFile>

namespace {
QString turnOnOf(const QString &id)
{
    return JsonCodec::recordFromJSONString(Database::instance()->selectMainDeviceWithMainID(id))
        ->value(Key::turnOn)
        .toString();
}

} // namespace

class TestCheckManager : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    Database *store = nullptr;
    HeadlessFeedbackPresenter presenter;
    std::unique_ptr<UdpPeer> peer;

    void addMaster()
    {
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.1", true));
    }

    void addDevice(const QString &id, const QString &control, const QString &turnOn)
    {
        QVariantMap device = RecordFactory::device(id, control, id, "d" + id);
        device.insert(Key::turnOn, turnOn);
        device.insert(Key::move, Value::yes);
        store->insertMainDeviceWithInfo(device);
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        store = Database::instance();
        presenter.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
        peer = std::make_unique<UdpPeer>();
        UDPSocketManager::instance()->setTransmitterPort(peer->port());
    }

    void cleanup()
    {
        peer.reset();
        program.reset();
    }

    void switchingAllLeavesCurtainsAlone_data()
    {
        QTest::addColumn<int>("builtIn"); // 0 All On, 1 All Off
        QTest::addColumn<QStringList>("states");
        QTest::addColumn<QString>("command");
        dataRow("all on", 0, QStringList{"YES", "YES", "10", "NO"},
                "token$cfg,lig,2111FFFFFFFF,5,0,0,0\\n");
        dataRow("all off", 1, QStringList{"NO", "NO", "0", "NO"},
                "token$cfg,lig,2111FFFFFFFF,6,0,0,0\\n");
    }
    void switchingAllLeavesCurtainsAlone()
    {
        QFETCH(int, builtIn);
        QFETCH(QStringList, states);
        QFETCH(QString, command);
        addMaster();
        addDevice("211300001230", "S", "NO");
        addDevice("211300001231", "S", "YES");
        addDevice("212200004560", "D", "3");
        addDevice("213100007890", "C", "NO");
        peer->setReply([](const QByteArray &request) {
            return QByteArray(request).replace("token$cfg,", "token$ack,");
        });
        QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        CheckManager(program->services())
            .changeScenarioWithDictionary(scenarios[builtIn], scenarios);
        QCOMPARE(turnOnOf("211300001231"), QStringLiteral("YES")); // not before the reply
        QTRY_COMPARE((QStringList{turnOnOf("211300001230"), turnOnOf("211300001231"),
                                  turnOnOf("212200004560"), turnOnOf("213100007890")}),
                     states);
        QCOMPARE(JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID("212200004560"))
                     ->value(Key::move)
                     .toString(),
                 QStringLiteral("NO"));
        QTRY_COMPARE(peer->received.size(), 1);
        QCOMPARE(QString::fromUtf8(peer->received.constFirst()), command);
    }

    void runningMarksOnlyTheRunScenario()
    {
        addMaster();
        addDevice("211300001230", "S", "NO");
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "1", "Evening", "i",
            {RecordFactory::device("211300001230", "S", "211300001230", "x")}));
        QList<QVariantMap> onScreen = store->readAllScenarioInfo();
        CheckManager(program->services())
            .changeScenarioWithDictionary(onScreen[0], onScreen); // All On first
        CheckManager(program->services()).changeScenarioWithDictionary(onScreen[2], onScreen);
        QStringList marks, stored;
        for (const QVariantMap &s : onScreen)
            marks << s.value(Key::state).toString();
        for (const QVariantMap &s : store->readAllScenarioInfo())
            stored << s.value(Key::state).toString();
        QCOMPARE(marks, (QStringList{"NO", "NO", "YES"}));
        QCOMPARE(stored, marks);
    }

    void customScenarioSetsStatesOnItsAcknowledgement_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("toasts");
        dataRow("accepted", QByteArray(R"(token$ack,scenario,4,1,0\n)"), "70", QStringList{});
        dataRow("refused", QByteArray(R"(token$ack,scenario,4,1,1\n)"), "0",
                QStringList{"Control failed / Please check device and network"});
        dataRow("no reply", QByteArray(), "0", QStringList{});
    }
    void customScenarioSetsStatesOnItsAcknowledgement()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, level);
        QFETCH(QStringList, toasts);
        peer->setReply([reply](const QByteArray &) { return reply; });
        addMaster();
        QVariantMap saved = RecordFactory::device("212200004560", "D", "212200004560", "Old name");
        saved.insert(Key::turnOn, "70");
        store->insertScenarioWithInfo(RecordFactory::userScenario("4", "Dinner", "i", {saved}));
        addDevice("212200004560", "D", "0");
        QVariantMap renamed =
            JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID("212200004560"))
                .value();
        renamed.insert(Key::title, "New name");
        store->updateMainDeviceWithMainID("212200004560", renamed);

        QList<QVariantMap> onScreen = store->readAllScenarioInfo();
        CheckManager(program->services()).changeScenarioWithDictionary(onScreen[2], onScreen);
        QTRY_COMPARE(peer->received.size(), 1);
        QCOMPARE(peer->received.constFirst(), QByteArray(R"(token$cfg,scenario,4,1\n)"));
        if (!reply.isEmpty())
            QTRY_VERIFY(!UDPSocketManager::instance()->isCommandOutstanding());
        const QVariantMap after =
            JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID("212200004560"))
                .value();
        QCOMPARE(after.value(Key::turnOn).toString(), level);
        QCOMPARE(after.value(Key::title).toString(), QStringLiteral("New name"));
        QCOMPARE(presenter.toasts(), toasts);
    }

    void addingAScenario_data()
    {
        QTest::addColumn<bool>("transmitter");
        QTest::addColumn<bool>("device");
        QTest::addColumn<int>("userScenarios");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("toasts");
        dataRow("room for one more", true, true, 7, QStringList{"selection"}, QStringList{});
        dataRow("eight already", true, true, 8, QStringList{}, QStringList{"Maximum 8 scenarios"});
        dataRow("no transmitter", false, true, 0, QStringList{"scanner"}, QStringList{});
        dataRow("no device", true, false, 0, QStringList{"scanner"}, QStringList{});
    }
    void addingAScenario()
    {
        QFETCH(bool, transmitter);
        QFETCH(bool, device);
        QFETCH(int, userScenarios);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, toasts);
        RecordingNavigator navigator;
        if (transmitter)
            addMaster();
        if (device)
            addDevice("211300001230", "S", "NO");
        const QVariantMap member = RecordFactory::device("211300001230", "S", "211300001230", "x");
        for (int i = 1; i <= userScenarios; ++i)
            store->insertScenarioWithInfo(
                RecordFactory::userScenario(QString::number(i), "s", "i", {member}));
        CheckManager(program->services()).addScenario();
        QCOMPARE(navigator.opened, opened);
        QCOMPARE(presenter.toasts(), toasts);
    }

    void scannerShowingChangesItsMode()
    {
        RecordingNavigator navigator;
        navigator.scannerShowing = true;
        QVERIFY(!CheckManager(program->services())
                     .checkIfHaveGotDeviceWithControl(QStringLiteral("Curtain")));
        QCOMPARE(navigator.scanTypes, QStringList{"Curtain"});
        QVERIFY(navigator.opened.isEmpty());
    }

    void transmitterEnrolmentShowingIsLeftAlone()
    {
        RecordingNavigator navigator;
        navigator.transmitterEnrolmentShowing = true;
        QVERIFY(!CheckManager(program->services()).checkIfHaveGotSuperBox());
        QVERIFY(navigator.opened.isEmpty());
        QVERIFY(navigator.scanTypes.isEmpty());
    }

    void torchToggles()
    {
        RecordingNavigator navigator;
        CheckManager(program->services()).turnBackLed();
        QVERIFY(navigator.torchOn);
        CheckManager(program->services()).turnBackLed();
        QVERIFY(!navigator.torchOn);
        navigator.torchFitted = false;
        CheckManager(program->services()).turnBackLed();
        QVERIFY(!navigator.torchOn);
    }
};

ARDENTIA_TEST_MAIN(TestCheckManager)
#include "tst_checkmanager.moc"
