// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/controllercommands.h"
#include "control/devicecommands.h"
#include "control/flowoutcome.h"
#include "control/homeactions.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "testmain.h"
#include "testscreens.h"
#include "transmitterserver.h"

#include <QDir>
#include <QSignalSpy>

// Each flow a front end starts ends in one outcome of a kind, with the words
// the person is told; the command line and the bridge decide by the kind.
namespace {
using Kind = FlowOutcome::Kind;
const QString kStairs = QStringLiteral("211300001231");
const QString kPorch = QStringLiteral("211300001232");

QVariantMap stairs()
{
    return RecordFactory::device(kStairs, "S", "211300001230", "Stairs");
}

// The store's file replaced by a folder: nothing can be read or written.
void breakStore()
{
    Database::instance()->removeFiles();
    QDir().mkpath(Database::databasePath());
}
} // namespace

class TestFlowOutcomes : public QObject {
    Q_OBJECT

    HeadlessFeedbackPresenter presenter;
    std::optional<FreshProgram> program;
    std::unique_ptr<TransmitterServer> simulator;
    std::unique_ptr<TestScreenStack> stack;
    TestFrameScreen home;

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        ShowAlertManager::instance()->setPresenter(&presenter);
        stack = std::make_unique<TestScreenStack>();
        stack->push(&home);
        simulator = startLoopbackSimulator(SimulatedHome::demo());
        QVERIFY(simulator);
        UDPSocketManager::instance()->setReplyWaitOverride(0.3);
    }

    void cleanup()
    {
        stack.reset();
        simulator.reset();
        program.reset();
        QDir().rmdir(Database::databasePath());
    }

    void flowEndsInOneOutcome_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("words");

        const QString controlFailed =
            QStringLiteral("Control failed / Please check device and network");
        const QString noTransmitter = QStringLiteral("Please scan the transmitter first / ");
        // condition: a simulator fault, or "queue full", "no transmitter",
        // "store breaks" (after the command went out), "" (all goes well).
        QTest::newRow("switch acknowledged") << "switch"
                                             << "" << int(Kind::Done) << " / ";
        QTest::newRow("switch refused")
            << "switch"
            << "lig:4:211300001231=code:3" << int(Kind::Refused) << controlFailed;
        QTest::newRow("switch unanswered")
            << "switch"
            << "lig:4:211300001231=drop" << int(Kind::NoReply) << "Network connection failed / ";
        QTest::newRow("switch queue full") << "switch"
                                           << "queue full" << int(Kind::Dropped)
                                           << "Your operating too often / Please have a rest";
        QTest::newRow("switch without transmitter")
            << "switch"
            << "no transmitter" << int(Kind::InvalidInput) << noTransmitter;
        QTest::newRow("switch with a field the line cannot carry")
            << "switch a,b"
            << "" << int(Kind::InvalidInput) << controlFailed;
        QTest::newRow("rename acknowledged") << "rename"
                                             << "" << int(Kind::Done) << " / ";
        QTest::newRow("rename refused")
            << "rename"
            << "lig:15:211300001231=code:3" << int(Kind::Refused) << controlFailed;
        QTest::newRow("all on acknowledged") << "all on"
                                             << "" << int(Kind::Done) << " / ";
        QTest::newRow("all on, store breaks")
            << "all on"
            << "store breaks" << int(Kind::StoreFailure) << controlFailed;
        QTest::newRow("force removal acknowledged")
            << "force removal"
            << "" << int(Kind::Done) << "Force remove the device successful / ";
        QTest::newRow("force removal refused") << "force removal"
                                               << "lig:18:211300001231=code:3" << int(Kind::Refused)
                                               << "Force remove the device failed / ";
        QTest::newRow("synchronise") << "sync"
                                     << "" << int(Kind::Done) << "Synchronous data successful / ";
        QTest::newRow("synchronise without transmitter")
            << "sync"
            << "no transmitter" << int(Kind::InvalidInput) << noTransmitter;
        QTest::newRow("clean all") << "clean all"
                                   << "" << int(Kind::Done) << "Clean all successful / ";
    }

    void flowEndsInOneOutcome()
    {
        QFETCH(QString, flow);
        QFETCH(QString, condition);
        QFETCH(int, kind);
        QFETCH(QString, words);
        UDPSocketManager *channel = UDPSocketManager::instance();
        if (condition != QLatin1String("no transmitter"))
            storeDemoMaster();
        QVariantMap device = stairs();
        Database::instance()->insertMainDeviceWithInfo(device);
        if (condition.contains(QLatin1Char('=')))
            simulator->faults().add(*FaultRule::parse(condition, nullptr));
        if (condition == QLatin1String("queue full")) {
            // One command outstanding at a silent channel, eight waiting behind it.
            simulator->faults().add(*FaultRule::parse("lig:4:211300001232=drop", nullptr));
            channel->setReplyWaitOverride(30);
            for (int i = 0; i <= UDPSocketManager::kMaxQueuedCommands; ++i)
                channel->sendMessageWithCommandArray({"cfg", "lig", kPorch, "4", "1", "0", "0"});
        }
        QSignalSpy ended(ShowAlertManager::instance(), &ShowAlertManager::flowEnded);

        if (flow == QLatin1String("switch"))
            DeviceCommands::switchLight(device, true);
        else if (flow == QLatin1String("switch a,b"))
            channel->sendMessageWithCommandArray({"cfg", "lig", "a,b", "4", "1", "0", "0"});
        else if (flow == QLatin1String("rename"))
            DeviceCommands::renameDevice(device, QStringLiteral("Landing"));
        else if (flow == QLatin1String("all on"))
            channel->sendMessageWithCommandArray(ControllerCommands::switchAllLights(true));
        else if (flow == QLatin1String("force removal"))
            channel->alertViewClickedButtonAtIndex(0, shareOperations({device}));
        else if (flow == QLatin1String("sync"))
            HomeActions::synchronizeData();
        else if (flow == QLatin1String("clean all"))
            HomeActions::cleanAll();
        if (condition == QLatin1String("store breaks"))
            breakStore();

        QTRY_COMPARE(ended.size(), 1);
        const auto outcome = ended.constFirst().constFirst().value<FlowOutcome>();
        QCOMPARE(int(outcome.kind), kind);
        QCOMPARE(outcome.title + " / " + outcome.detail, words);
        // Nothing more for the same flow once the channel has settled.
        QTRY_VERIFY(channel->isSettled() || condition == QLatin1String("queue full"));
        QCOMPARE(ended.size(), 1);
    }
};

ARDENTIA_TEST_MAIN(TestFlowOutcomes)
#include "tst_flowoutcomes.moc"
