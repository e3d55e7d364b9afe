// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/controllercommands.h"
#include "control/controlrefusalscreen.h"
#include "control/devicecommands.h"
#include "control/deviceenrolment.h"
#include "control/flowcaller.h"
#include "control/flowoutcome.h"
#include "control/homeactions.h"
#include "control/scenarionamingscreen.h"
#include "control/scenariooperations.h"
#include "control/transmitterenrolment.h"
#include "control/transmitterenrolmentscreen.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
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

QVariantMap eveningScenario()
{
    return RecordFactory::userScenario(QStringLiteral("1"), QStringLiteral("Evening"), {}, {});
}

// A starter that records what its flow tells it, and answers its question.
class RecordingCaller final : public FlowCaller {
public:
    void report(const FlowOutcome &outcome) override { outcomes.append(outcome); }
    bool ask(const QString &message, const QStringList &, AlertPresenter::Answer answer) override
    {
        questions.append(message);
        answer(answerGiven);
        return true;
    }
    void showProgress(double) override { ++shown; }
    void stopProgress() override { ++stopped; }

    QList<FlowOutcome> outcomes;
    QStringList questions;
    int answerGiven = 0; // 0 forces, 1 declines
    int shown = 0;
    int stopped = 0;
};

// A starter that shows the next steps itself: what it is told goes there.
// Watched, it is a screen's: the feedback service tells the person.
class SteppingCaller final : public FlowCaller,
                             public Screen,
                             public DeviceEnrolmentScreen,
                             public TransmitterEnrolmentScreen,
                             public ControlRefusalScreen,
                             public ScenarioNamingScreen {
public:
    explicit SteppingCaller(bool watched = false) : m_watched(watched) {}
    bool personWatches() const override { return m_watched; }
    void report(const FlowOutcome &outcome) override { told.append(outcome.kindName()); }
    bool ask(const QString &, const QStringList &, AlertPresenter::Answer) override
    {
        return false;
    }
    void showProgress(double) override {}
    void stopProgress() override {}
    DeviceEnrolmentScreen *deviceEnrolmentStep() override { return this; }
    TransmitterEnrolmentScreen *transmitterEnrolmentStep() override { return this; }
    ControlRefusalScreen *refusalStep() override { return this; }
    ScenarioNamingScreen *scenarioNamingStep() override { return this; }
    void panelAddSucceed(const QString &count) override { told.append("added " + count); }
    void superBoxAddSucceed(bool succeeded) override
    {
        told.append(succeeded ? "transmitter added" : "transmitter not added");
    }
    void controlRefused(const QString &id) override { told.append("refused " + id); }
    void scenarioChangeAnswered() override { told.append("change answered"); }
    void scenarioNamed() override { told.append("named"); }

    QStringList told;

private:
    bool m_watched;
};

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
        UDPSocketManager::instance()->setReplyWaitOverride(std::nullopt);
    }

    // A row whose home stays silent waits out a short reply time; the others keep
    // the channel's own, so that a slow machine is not taken for a silent home.
    static void addFault(TransmitterServer &simulator, const QString &condition)
    {
        simulator.faults().add(*FaultRule::parse(condition, nullptr));
        if (condition.endsWith(QLatin1String("=drop")))
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
        QTest::addColumn<bool>("byCaller"); // started by a caller of its own
        QTest::addColumn<int>("questions"); // the caller is asked (and forces)

        const QString controlFailed =
            QStringLiteral("Control failed / Please check device and network");
        const QString noTransmitter = QStringLiteral("Please scan the transmitter first / ");
        const QString noReply = QStringLiteral("Network connection failed / ");
        const QString tooOften = QStringLiteral("Your operating too often / Please have a rest");
        const QString homeFull = QStringLiteral("It is too full to add device / ");
        const QString synchronised = QStringLiteral("Synchronous data successful / ");
        const QString cleaned = QStringLiteral("Clean all successful / ");
        // condition: a simulator fault, or "queue full", "no transmitter",
        // "store breaks" (after the command went out), "" (all goes well).
        const auto row = [](const QString &name, const QString &flow, const QString &condition,
                            Kind kind, const QString &words, bool byCaller, int questions = 0) {
            dataRow(qPrintable(name), flow, condition, int(kind), words, byCaller, questions);
        };
        // A flow the feedback service tells, and the same flow started by a
        // caller of its own: it alone hears the one outcome (its own words,
        // without the service's fill-in), its question and its progress.
        const auto both = [&row](const QString &name, const QString &flow, const QString &condition,
                                 Kind kind, const QString &serviceWords,
                                 const QString &callerWords) {
            row(name, flow, condition, kind, serviceWords, false);
            row(name + ", by its caller", flow, condition, kind, callerWords, true);
        };
        both("switch acknowledged", "switch", "", Kind::Done, " / ", " / ");
        both("switch refused", "switch", "lig:4:211300001231=code:3", Kind::Refused, controlFailed,
             " / ");
        both("switch unanswered", "switch", "lig:4:211300001231=drop", Kind::NoReply, noReply,
             noReply);
        both("switch queue full", "switch", "queue full", Kind::Dropped, tooOften, tooOften);
        both("switch without transmitter", "switch", "no transmitter", Kind::InvalidInput,
             noTransmitter, noTransmitter);
        both("switch refused, the home full", "switch", "lig:4:211300001231=code:140",
             Kind::Refused, homeFull, homeFull);
        both("rename acknowledged", "rename", "", Kind::Done, " / ", " / ");
        both("rename refused", "rename", "lig:15:211300001231=code:3", Kind::Refused, controlFailed,
             " / ");
        both("scenario rename acknowledged", "rename scenario", "", Kind::Done, " / ", " / ");
        // Stored at once, the name of All On is done though the master refuses it (it keeps no such
        // scenario).
        both("all on renamed", "rename all on", "", Kind::Done, " / ", " / ");
        both("all on, store breaks", "all on", "store breaks", Kind::StoreFailure, controlFailed,
             " / ");
        both("synchronise", "sync", "", Kind::Done, synchronised, synchronised);
        both("synchronise without transmitter", "sync", "no transmitter", Kind::InvalidInput,
             noTransmitter, noTransmitter);
        both("clean all", "clean all", "", Kind::Done, cleaned, cleaned);

        row("switch with a field the line cannot carry", "switch a,b", "", Kind::InvalidInput,
            controlFailed, false);
        row("all on acknowledged", "all on", "", Kind::Done, " / ", false);
        row("force removal acknowledged", "force removal", "", Kind::Done,
            "Force remove the device successful / ", false);
        row("force removal refused", "force removal", "lig:18:211300001231=code:3", Kind::Refused,
            "Force remove the device failed / ", false);
        row("scenario rename refused, by its caller", "rename scenario", "scename:*:*=code:3",
            Kind::Refused, "Setting scenario failed / ", true);
        // The members' outcome is the edit's; its naming refused after them adds none.
        row("scenario edit with its name refused, by its caller", "edit scenario",
            "scename:*:*=code:3", Kind::Done, "Setting scenario successful / ", true);
        row("scenario creation, by its caller", "create scenario", "", Kind::Done,
            "Setting scenario successful / ", true);
        row("scenario deletion refused, by its caller", "delete scenario", "lig:*:*=code:3",
            Kind::Refused, "Delete scenario failed / ", true);
        row("scenario deletion, by its caller", "delete scenario", "", Kind::Done,
            "Delete scenario successful / ", true);
        // The simulator forgot the channel with the first command: the force finds nothing.
        row("removal of a silent controller, forced by its caller", "removal",
            "lig:12:211300001231=code:135", Kind::Refused, "Force remove the device failed / ",
            true, 1);
        row("removal of a silent controller, declined by its caller", "removal declined",
            "lig:12:211300001231=code:135", Kind::Refused, " / ", true, 1);
        row("removal refused, by its caller", "removal", "lig:12:211300001231=code:3",
            Kind::Refused, " / ", true);
        row("transmitter enrolment, by its caller", "enrol transmitter", "", Kind::Done, " / ",
            true);
        row("device enrolment unanswered, by its caller", "enrol device", "*:*:*=drop",
            Kind::NoReply, noReply, true);
    }

    void flowEndsInOneOutcome()
    {
        QFETCH(QString, flow);
        QFETCH(QString, condition);
        QFETCH(int, kind);
        QFETCH(QString, words);
        QFETCH(bool, byCaller);
        QFETCH(int, questions);
        UDPSocketManager *channel = UDPSocketManager::instance();
        if (condition != QLatin1String("no transmitter"))
            storeDemoMaster();
        QVariantMap device = stairs();
        Database::instance()->insertMainDeviceWithInfo(device);
        if (condition.contains(QLatin1Char('=')))
            addFault(*simulator, condition);
        if (condition == QLatin1String("queue full")) {
            // One command outstanding at a silent channel, eight waiting behind it.
            simulator->faults().add(*FaultRule::parse("lig:4:211300001232=drop", nullptr));
            channel->setReplyWaitOverride(30);
            for (int i = 0; i <= UDPSocketManager::kMaxQueuedCommands; ++i)
                channel->sendMessageWithCommandArray({"cfg", "lig", kPorch, "4", "1", "0", "0"});
        }
        QSignalSpy ended(ShowAlertManager::instance(), &ShowAlertManager::flowEnded);
        QSignalSpy toasts(ShowAlertManager::instance(), &ShowAlertManager::toastShown);
        const auto caller = byCaller ? std::make_shared<RecordingCaller>() : nullptr;

        if (flow == QLatin1String("switch"))
            DeviceCommands(program->services()).switchLight(device, true, caller);
        else if (flow == QLatin1String("switch a,b"))
            channel->sendMessageWithCommandArray({"cfg", "lig", "a,b", "4", "1", "0", "0"});
        else if (flow == QLatin1String("rename"))
            DeviceCommands(program->services())
                .renameDevice(device, QStringLiteral("Landing"), caller);
        else if (flow == QLatin1String("enrol transmitter"))
            TransmitterEnrolment(program->services())
                .connect(QStringLiteral("20AA10000001"), caller);
        else if (flow == QLatin1String("enrol device"))
            DeviceEnrolment(program->services())
                .connect(DeviceEnrolment(program->services())
                             .channelRecords(QStringLiteral("2113D0001240"), 1, Value::switching),
                         caller);
        else if (flow.startsWith(QLatin1String("removal"))) {
            if (caller && flow.endsWith(QLatin1String("declined")))
                caller->answerGiven = 1;
            DeviceCommands(program->services()).removeDevice(device, caller);
        } else if (flow == QLatin1String("rename scenario")) {
            Database::instance()->insertScenarioWithInfo(eveningScenario());
            ScenarioOperations(program->services())
                .renameScenario(eveningScenario(), QStringLiteral("Night"), caller);
        } else if (flow == QLatin1String("rename all on")) {
            Database::instance()->insertScenarioWithInfo(RecordFactory::allOnScenario());
            const std::optional<QVariantMap> allOn =
                Database::instance()->scenarioRecordWithMainID(QStringLiteral("-1"));
            QVERIFY(allOn);
            ScenarioOperations(program->services())
                .renameScenario(*allOn, QStringLiteral("Night"), caller);
        } else if (flow == QLatin1String("edit scenario")) {
            const QVariantMap scenario = eveningScenario();
            Database::instance()->insertScenarioWithInfo(scenario);
            ScenarioOperations(program->services())
                .startNamedQueue(ScenarioOperations::editQueue(scenario, {device}),
                                 QStringLiteral("Night"), scenario, caller);
        } else if (flow == QLatin1String("create scenario")) {
            const ScenarioOperations scenarios(program->services());
            const QString number = scenarios.nextScenarioNumber();
            scenarios.startNamedQueue(
                ScenarioOperations::creationQueue({device}, number), QStringLiteral("Night"),
                ScenarioOperations::newScenarioRecord(number, {}, {}), caller);
        } else if (flow == QLatin1String("delete scenario")) {
            const QVariantMap scenario = RecordFactory::userScenario(
                QStringLiteral("1"), QStringLiteral("Evening"), {}, {device});
            Database::instance()->insertScenarioWithInfo(scenario);
            ScenarioOperations(program->services()).deleteScenario(scenario, caller);
        } else if (flow == QLatin1String("all on"))
            channel->sendMessageWithCommandArray(ControllerCommands::switchAllLights(true),
                                                 std::nullopt, FlowCaller::carried({}, caller));
        else if (flow == QLatin1String("force removal"))
            channel->alertViewClickedButtonAtIndex(0, shareOperations({device}));
        else if (flow == QLatin1String("sync"))
            HomeActions(program->services()).synchronizeData(caller);
        else if (flow == QLatin1String("clean all"))
            HomeActions(program->services()).cleanAll(caller);
        if (condition == QLatin1String("store breaks"))
            breakStore();

        const auto outcomes = [&] {
            QList<FlowOutcome> heard = caller ? caller->outcomes : QList<FlowOutcome>{};
            for (const QList<QVariant> &signal : std::as_const(ended))
                heard.append(signal.constFirst().value<FlowOutcome>());
            return heard;
        };
        QTRY_COMPARE(outcomes().size(), 1);
        const FlowOutcome outcome = outcomes().constFirst();
        QCOMPARE(int(outcome.kind), kind);
        QCOMPARE(outcome.title + " / " + outcome.detail, words);
        // Nothing more for the same flow once the channel has settled.
        QTRY_VERIFY(channel->isSettled() || condition == QLatin1String("queue full"));
        QCOMPARE(outcomes().size(), 1);
        if (!caller)
            return;
        // Its caller alone heard it: the feedback service told nobody.
        QCOMPARE(ended.size(), 0);
        QCOMPARE(toasts.size(), 0);
        QCOMPARE(caller->questions.size(), questions);
        if (flow == QLatin1String("enrol device")) // what an enrolment cut short stored
            QCOMPARE(outcome.accepted, std::optional<int>(0));
        // All On's naming is done once stored; its command goes on without the caller.
        const bool sent = outcome.kind != Kind::InvalidInput && outcome.kind != Kind::Dropped &&
                          flow != QLatin1String("clean all") &&
                          flow != QLatin1String("rename all on");
        QCOMPARE(caller->shown > 0, sent);
        QCOMPARE(caller->stopped, caller->shown);
    }

    // A caller with steps of its own is told there, by the flow's replies,
    // whatever screen is on top.
    void nextStepIsTheCallers_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("watched"); // a screen's caller: the service tells the person
        QTest::addColumn<QStringList>("told");
        dataRow("device enrolment", "enrol device", "", false, QStringList{"added 1"});
        dataRow("transmitter enrolment", "enrol transmitter", "", false,
                QStringList{"transmitter added"});
        dataRow("switch refused", "switch", "lig:4:211300001231=code:3", false,
                QStringList{"refused " + kStairs, "refused"});
        dataRow("scenario edit", "edit scenario", "", false,
                QStringList{"done", "change answered", "named"});
        dataRow("scenario rename", "rename scenario", "", false, QStringList{"done", "named"});
        dataRow("device enrolment unanswered, watched", "enrol device", "*:*:*=drop", true,
                QStringList{"added 0"});
        dataRow("transmitter enrolment unanswered, watched", "enrol transmitter", "*:*:*=drop",
                true, QStringList{"transmitter not added"});
        dataRow("switch refused, watched", "switch", "lig:4:211300001231=code:3", true,
                QStringList{"refused " + kStairs, "refused"});
    }

    void nextStepIsTheCallers()
    {
        QFETCH(QString, flow);
        QFETCH(QString, condition);
        QFETCH(bool, watched);
        QFETCH(QStringList, told);
        storeDemoMaster();
        const QVariantMap device = stairs();
        Database::instance()->insertMainDeviceWithInfo(device);
        if (!condition.isEmpty())
            addFault(*simulator, condition);
        // Another screen of every role is on top: it hears nothing of this flow.
        SteppingCaller onTop;
        stack->push(&onTop);
        QSignalSpy ended(ShowAlertManager::instance(), &ShowAlertManager::flowEnded);
        const auto caller = std::make_shared<SteppingCaller>(watched);
        const QVariantMap scenario = eveningScenario();
        if (flow.endsWith(QLatin1String("scenario")))
            Database::instance()->insertScenarioWithInfo(scenario);
        if (flow == QLatin1String("enrol device"))
            DeviceEnrolment(program->services())
                .connect(DeviceEnrolment(program->services())
                             .channelRecords(QStringLiteral("2113D0001240"), 1, Value::switching),
                         caller);
        else if (flow == QLatin1String("enrol transmitter"))
            TransmitterEnrolment(program->services())
                .connect(QStringLiteral("20AA10000001"), caller);
        else if (flow == QLatin1String("edit scenario"))
            ScenarioOperations(program->services())
                .startNamedQueue(ScenarioOperations::editQueue(scenario, {device}),
                                 QStringLiteral("Night"), scenario, caller);
        else if (flow == QLatin1String("rename scenario"))
            ScenarioOperations(program->services())
                .renameScenario(scenario, QStringLiteral("Night"), caller);
        else
            DeviceCommands(program->services()).switchLight(device, true, caller);
        QTRY_COMPARE(caller->told, told);
        QTRY_VERIFY(UDPSocketManager::instance()->isSettled());
        QCOMPARE(caller->told, told);
        QVERIFY(onTop.told.isEmpty());
        if (!watched) // the caller alone heard it
            QCOMPARE(ended.size(), 0);
    }
};

ARDENTIA_TEST_MAIN(TestFlowOutcomes)
#include "tst_flowoutcomes.moc"
