// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/storechangewatch.h"
#include "core/schedulerunner.h"
#include "core/schedulerunrecords.h"
#include "datarow.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "mqtt/schedulepublisher.h"
#include "schedule/schedulerequests.h"
#include "testmain.h"
#include "web/pageschedules.h"

#include "base/documents.h"
#include "control/configurationimport.h"
#include "control/homeevents.h"
#include "control/scenariooperations.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "schedule/hometargets.h"
#include "schedule/schedulecodec.h"
#include "schedule/schedulestore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {
const QTimeZone kZone("Europe/Berlin");
const QDate kToday(2026, 12, 10);
const QString kStairs = QStringLiteral("211300001231");
const QString kDimmer = QStringLiteral("212200004560");
const QString kCurtain = QStringLiteral("213100007890");

QDateTime at(int hour, int minute, int second = 0, int days = 0)
{
    return QDateTime(kToday.addDays(days), QTime(hour, minute, second), kZone);
}

Schedule dailyAt(const QTime &time, ScheduleAction action)
{
    Schedule schedule;
    schedule.name = QStringLiteral("Morning");
    schedule.action = std::move(action);
    schedule.time.at = time;
    return schedule;
}

ScheduleAction switchOn(const QString &channel)
{
    ScheduleAction action{ScheduleAction::Kind::Switch, channel};
    action.on = true;
    return action;
}

// The command lines the simulator answered, without their token.
QStringList commandsIn(const QSignalSpy &answered)
{
    QStringList commands;
    for (const QList<QVariant> &signal : answered) {
        const QString line = QString::fromUtf8(signal.constFirst().toByteArray()).trimmed();
        if (!line.contains(QLatin1String(",3,"))) // not a state query
            commands.append(line);
    }
    return commands;
}
} // namespace

// The bridge's schedule runner on an injected clock against the simulator
// in this process: due runs go out as a press's commands, a refused or
// unanswered run is tried once more after a minute of the clock, a run
// missed while the bridge was away runs late only within the grace, and a
// schedule whose channel goes is switched off with the reason.
class TestScheduleRunner : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_folder;
    std::optional<FreshProgram> m_program;
    HeadlessFeedbackPresenter m_presenter;
    std::unique_ptr<TransmitterServer> m_simulator;
    QDateTime m_now;
    int m_changeLatency = 0;

    QString runsFile() const { return m_folder->filePath(QStringLiteral("runs.json")); }

    std::unique_ptr<ScheduleRunner> runner()
    {
        auto made = std::make_unique<ScheduleRunner>(
            m_program->services(),
            ScheduleRunner::Settings{runsFile(), kZone, [this] { return m_now; }, m_changeLatency});
        made->follow(HomeEvents::instance());
        return made;
    }

    // A runner started on the stored schedules, and the runs it reports.
    struct Started {
        std::unique_ptr<ScheduleRunner> runner;
        std::unique_ptr<QSignalSpy> ran;
    };
    Started started()
    {
        Started made{runner(), nullptr};
        made.ran = std::make_unique<QSignalSpy>(made.runner.get(), &ScheduleRunner::ran);
        made.runner->start();
        return made;
    }

    void wakeAt(ScheduleRunner &runner, const QDateTime &moment)
    {
        m_now = moment;
        runner.wake();
    }

    // Whatever the runner set going is over: a run goes out as soon as it is
    // due, so once the link is quiet and its outcome told, no other comes.
    static bool settled()
    {
        const bool quiet =
            QTest::qWaitFor([] { return UDPSocketManager::instance()->isSettled(); });
        QCoreApplication::processEvents();
        return quiet;
    }

    Schedule stored(Schedule schedule)
    {
        ScheduleStore store(Database::instance());
        const std::optional<ScheduleProblem> problem =
            store.save(schedule, *HomeTargets::fromStore(Database::instance()));
        if (problem)
            qWarning("not stored: %s", qPrintable(problem->text()));
        return schedule;
    }

    std::optional<Schedule> storedNow(int id)
    {
        return ScheduleStore(Database::instance()).scheduleWithId(id);
    }

private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        Documents::setDirectoryOverride(m_folder->filePath(QStringLiteral("home")));
        m_program.emplace(FreshProgram::Home::Empty);
        ShowAlertManager::instance()->setPresenter(&m_presenter);
        m_simulator = startLoopbackSimulator(SimulatedHome::demo());
        QVERIFY(m_simulator);
        storeDemoMaster(); // the import keeps it, with its address
        QVERIFY(ConfigurationImport(m_program->services())
                    .rebuildStoreFrom(QString::fromUtf8(m_simulator->home().configurationText())));
        UDPSocketManager::instance()->setReplyWaitOverride(0.3);
        m_now = at(6, 0);
        m_changeLatency = 0;
    }
    void cleanup()
    {
        m_simulator.reset();
        m_program.reset();
        Documents::setDirectoryOverride({});
        m_folder.reset();
    }

    // At its time each kind of action goes out as the press's command and
    // the home takes it; nothing goes out before.
    void dueRunSendsTheCommand_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("command");
        dataRow("switch on", int(ScheduleAction::Kind::Switch), kStairs,
                "cfg,lig," + kStairs + ",4,1");
        dataRow("dim to 40", int(ScheduleAction::Kind::Dim), kDimmer,
                "cfg,lig," + kDimmer + ",4,1,40");
        dataRow("curtain open", int(ScheduleAction::Kind::Curtain), kCurtain,
                "cfg,curtain," + kCurtain + ",4,1");
        dataRow("scenario", int(ScheduleAction::Kind::RunScenario), "2", "cfg,scenario,2");
    }
    void dueRunSendsTheCommand()
    {
        QFETCH(int, kind);
        QFETCH(QString, target);
        QFETCH(QString, command);
        ScheduleAction action{ScheduleAction::Kind(kind), target};
        action.on = true;
        action.level = 40;
        const Schedule schedule = stored(dailyAt(QTime(7, 0), action));
        QSignalSpy answered(m_simulator.get(), &TransmitterServer::datagramAnswered);
        const auto [scheduled, ran] = started();
        // Armed for an hour at most: the clock may jump meanwhile.
        QCOMPARE(scheduled->wakeAt(), at(7, 0));
        QCOMPARE(scheduled->nextRunOf(schedule), std::optional(at(7, 0)));

        wakeAt(*scheduled, at(6, 59, 59));
        QVERIFY(settled());
        QCOMPARE(commandsIn(answered), QStringList());

        wakeAt(*scheduled, at(7, 0));
        QTRY_COMPARE(ran->size(), 1);
        QCOMPARE(ran->constFirst().at(1).toBool(), true);
        QCOMPARE(ran->constFirst().at(2).toString(), QStringLiteral("done"));
        QCOMPARE(ran->constFirst().at(3).toBool(), true);
        QCOMPARE(commandsIn(answered).size(), 1);
        QVERIFY2(commandsIn(answered).constFirst().contains(command),
                 qPrintable(commandsIn(answered).join('\n')));
        // The next run is tomorrow's; the timer waits an hour at most.
        QCOMPARE(scheduled->nextRunOf(schedule), std::optional(at(7, 0, 0, 1)));
        QCOMPARE(scheduled->wakeAt(), at(8, 0));
    }

    // The clock time of the home's zone across its changes: a time the
    // spring change skips runs when the clocks resume, a time the autumn
    // change shows twice runs once, at its first showing.
    void runsAtLocalTimeAcrossClockChanges_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("due");
        const auto utc = [](const QDate &date, int hour, int minute) {
            return QDateTime(date, QTime(hour, minute), Qt::UTC);
        };
        dataRow("spring, 02:30 skipped", utc(QDate(2027, 3, 28), 0, 0),
                utc(QDate(2027, 3, 28), 1, 0));
        dataRow("autumn, 02:30 twice", utc(QDate(2026, 10, 25), 0, 0),
                utc(QDate(2026, 10, 25), 0, 30));
    }
    void runsAtLocalTimeAcrossClockChanges()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, due);
        const Schedule schedule = stored(dailyAt(QTime(2, 30), switchOn(kStairs)));
        m_now = start;
        const auto [scheduled, ran] = started();
        QCOMPARE(scheduled->nextRunOf(schedule), std::optional(due));
        QCOMPARE(scheduled->wakeAt(), due);
        wakeAt(*scheduled, due.addSecs(-1));
        wakeAt(*scheduled, due);
        QTRY_COMPARE(ran->size(), 1);
        // An hour on the wall clock may show 02:30 again: it does not run again.
        wakeAt(*scheduled, due.addSecs(3600));
        QVERIFY(settled());
        QCOMPARE(ran->size(), 1);
        QCOMPARE(scheduled->nextRunOf(schedule)->toTimeZone(kZone).time(), QTime(2, 30));
        QCOMPARE(scheduled->nextRunOf(schedule)->toTimeZone(kZone).date(),
                 due.toTimeZone(kZone).date().addDays(1));
    }

    // A run the home refused or did not answer goes out once more a minute
    // later by the clock, then its outcome is final either way.
    void failedRunIsTriedOnceMore_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("healedBeforeRetry");
        QTest::addColumn<QString>("firstOutcome");
        QTest::addColumn<QString>("lastOutcome");
        const QString refused = QStringLiteral("lig:4:") + kStairs + QStringLiteral("=code:3");
        const QString silent = QStringLiteral("lig:4:") + kStairs + QStringLiteral("=drop");
        dataRow("refused twice", refused, false,
                "refused: Control failed / Please check device and network "
                "(code 3)",
                "refused: Control failed / Please check device and network (code 3)");
        dataRow("silent twice", silent, false, "no-reply: Network connection failed",
                "no-reply: Network connection failed");
        dataRow("refused, then taken", refused, true,
                "refused: Control failed / Please check device and network (code 3)", "done");
    }
    void failedRunIsTriedOnceMore()
    {
        QFETCH(QString, fault);
        QFETCH(bool, healedBeforeRetry);
        QFETCH(QString, firstOutcome);
        QFETCH(QString, lastOutcome);
        m_simulator->faults().add(*FaultRule::parse(fault, nullptr));
        stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        const auto [scheduled, ran] = started();
        wakeAt(*scheduled, at(7, 0));
        QTRY_COMPARE(ran->size(), 1);
        QCOMPARE(ran->at(0).at(1).toBool(), false);
        QCOMPARE(ran->at(0).at(2).toString(), firstOutcome);
        QCOMPARE(ran->at(0).at(3).toBool(), false); // not final: tried again
        QVERIFY(settled());
        QCOMPARE(scheduled->wakeAt(), at(7, 1));
        const qsizetype sent = m_simulator->datagramsAnswered() + m_simulator->repliesDropped();

        wakeAt(*scheduled, at(7, 0, 59));
        QVERIFY(settled());
        QCOMPARE(ran->size(), 1);
        QCOMPARE(m_simulator->datagramsAnswered() + m_simulator->repliesDropped(), sent);

        if (healedBeforeRetry)
            m_simulator->faults().clear();
        wakeAt(*scheduled, at(7, 1));
        QTRY_COMPARE(ran->size(), 2);
        QCOMPARE(ran->at(1).at(1).toBool(), lastOutcome == QLatin1String("done"));
        QCOMPARE(ran->at(1).at(2).toString(), lastOutcome);
        QCOMPARE(ran->at(1).at(3).toBool(), true);
        QCOMPARE(m_simulator->datagramsAnswered() + m_simulator->repliesDropped(), sent + 1);

        // Nothing more: the next try is tomorrow's run.
        wakeAt(*scheduled, at(7, 3));
        QVERIFY(settled());
        QCOMPARE(ran->size(), 2);
        QCOMPARE(scheduled->wakeAt(), at(8, 3));
    }

    // A retry waiting when the bridge stops is tried after the restart
    // within the grace, as a missed run is; past it, it is over.
    void retryWaitingAtARestart_data()
    {
        QTest::addColumn<QDateTime>("restartAt");
        QTest::addColumn<int>("retries");
        dataRow("back before the retry", at(7, 0, 30), 1);
        dataRow("back within the grace", at(7, 5), 1);
        dataRow("back after the grace", at(7, 7), 0);
    }
    void retryWaitingAtARestart()
    {
        QFETCH(QDateTime, restartAt);
        QFETCH(int, retries);
        m_simulator->faults().add(*FaultRule::parse(
            QStringLiteral("lig:4:") + kStairs + QStringLiteral("=code:3"), nullptr));
        stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        {
            const auto [before, ran] = started();
            wakeAt(*before, at(7, 0));
            QTRY_COMPARE(ran->size(), 1);
            QCOMPARE(ran->at(0).at(3).toBool(), false); // a retry waits
            QVERIFY(settled());
        }
        m_simulator->faults().clear();
        const qsizetype sent = m_simulator->datagramsAnswered();
        m_now = restartAt;
        const auto [after, ran] = started();
        wakeAt(*after, std::max(restartAt, at(7, 1)));
        if (retries) {
            QTRY_COMPARE(ran->size(), 1);
            QCOMPARE(ran->at(0).at(2).toString(), QStringLiteral("done"));
            QCOMPARE(ran->at(0).at(3).toBool(), true);
        } else {
            QVERIFY(settled());
            QCOMPARE(ran->size(), 0);
        }
        QCOMPARE(m_simulator->datagramsAnswered() - sent, retries);
        // Dealt with: a further restart does not try it again.
        const Started again = started();
        QVERIFY(settled());
        QCOMPARE(again.ran->size(), 0);
    }

    // When the runner starts: a run due less than five minutes ago runs
    // late, an older one is skipped, and one that ran (or that the runner
    // never knew of) does not run.
    void missedRunWithinTheGrace_data()
    {
        QTest::addColumn<QDateTime>("dealtWithThrough"); // invalid: no record of it
        QTest::addColumn<QDateTime>("startedAt");
        QTest::addColumn<bool>("runs");
        const QDateTime yesterday = at(7, 0, 0, -1);
        dataRow("due 3 minutes ago", yesterday, at(7, 3), true);
        dataRow("due 4:59 ago", yesterday, at(7, 4, 59), true);
        dataRow("due 5 minutes ago", yesterday, at(7, 5), false);
        dataRow("due 10 minutes ago", yesterday, at(7, 10), false);
        dataRow("away two days, due 3 minutes ago", at(7, 0, 0, -2), at(7, 3), true);
        dataRow("ran already", at(7, 0), at(7, 3), false);
        dataRow("unknown to the runner", QDateTime(), at(7, 3), false);
    }
    void missedRunWithinTheGrace()
    {
        QFETCH(QDateTime, dealtWithThrough);
        QFETCH(QDateTime, startedAt);
        QFETCH(bool, runs);
        const Schedule schedule = stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        if (dealtWithThrough.isValid())
            QVERIFY(ScheduleRunRecords(runsFile())
                        .save({{schedule.id,
                                {dealtWithThrough, ScheduleCodec::toJson(schedule), {}}}}));
        m_now = startedAt;
        const auto [scheduled, ran] = started();
        if (runs)
            QTRY_COMPARE(ran->size(), 1);
        QVERIFY(settled());
        QCOMPARE(ran->size(), runs ? 1 : 0);
        QCOMPARE(m_simulator->home().channel(kStairs)->state.on, runs);
        QCOMPARE(scheduled->nextRunOf(schedule), std::optional(at(7, 0, 0, 1)));
    }

    // A run is recorded before it starts: a bridge that starts again within
    // the grace does not run it a second time.
    void restartDoesNotRunTwice()
    {
        stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        {
            const auto [scheduled, ran] = started();
            wakeAt(*scheduled, at(7, 0));
            QTRY_COMPARE(ran->size(), 1);
        }
        m_now = at(7, 2);
        const Started again = started();
        QVERIFY(settled());
        QCOMPARE(again.ran->size(), 0);
    }

    // A schedule changed so that its time has just passed does not run for
    // it; one changed to a time still to come does.
    void changedScheduleRunsFromTheChangeOn_data()
    {
        QTest::addColumn<QTime>("newTime");
        QTest::addColumn<QDateTime>("readAt");
        QTest::addColumn<int>("latency"); // how late a change may be read, in seconds
        QTest::addColumn<bool>("runs");
        dataRow("a minute ago", QTime(7, 59), at(8, 0), 0, false);
        dataRow("a minute ahead", QTime(8, 1), at(8, 0), 0, true);
        dataRow("due while the change was on its way", QTime(8, 0), at(8, 0, 2), 5, true);
        dataRow("due before the change was made", QTime(7, 59), at(8, 0, 2), 5, false);
    }
    void changedScheduleRunsFromTheChangeOn()
    {
        QFETCH(QTime, newTime);
        QFETCH(QDateTime, readAt);
        QFETCH(int, latency);
        QFETCH(bool, runs);
        m_changeLatency = latency;
        Schedule schedule = stored(dailyAt(QTime(9, 0), switchOn(kStairs)));
        const auto [scheduled, ran] = started();
        m_now = readAt;
        schedule.time.at = newTime;
        stored(schedule);
        scheduled->reload();
        wakeAt(*scheduled, readAt.addSecs(60));
        if (runs)
            QTRY_COMPARE(ran->size(), 1);
        QVERIFY(settled());
        QCOMPARE(ran->size(), runs ? 1 : 0);
    }

    // A channel's removal switches its schedule off, saying why, and it no
    // longer runs; the list on the broker says so.
    void removedChannelSwitchesItsScheduleOff()
    {
        const Schedule schedule = stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        const auto [scheduled, ran] = started();
        Database::instance()->deleteMainDeviceWithMainID(kStairs);
        HomeEvents::instance()->announceRemoval(kStairs);

        const std::optional<Schedule> off = storedNow(schedule.id);
        QVERIFY(off);
        QVERIFY(!off->enabled);
        QCOMPARE(off->offReason, Schedule::OffReason::ChannelRemoved);
        const QJsonArray list =
            QJsonDocument::fromJson(SchedulePublisher::listPayload(*scheduled)).array();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0)[QStringLiteral("why")].toString(),
                 "Switched off: its channel " + kStairs + " was removed from the home.");
        QVERIFY(!list.at(0).toObject().contains(QStringLiteral("next")));

        wakeAt(*scheduled, at(7, 0));
        QVERIFY(settled());
        QCOMPARE(ran->size(), 0);
    }

    // A scenario deleted through the home's flow (its members let go on the
    // transmitter) switches its schedules off at once, with the reason.
    void deletedScenarioSwitchesItsScheduleOff()
    {
        const Schedule schedule =
            stored(dailyAt(QTime(7, 0), {ScheduleAction::Kind::RunScenario, QStringLiteral("2")}));
        const auto scheduled = runner();
        QSignalSpy changed(scheduled.get(), &ScheduleRunner::listChanged);
        scheduled->start();
        QVERIFY(storedNow(schedule.id)->enabled);

        const std::optional<QVariantMap> scenario =
            Database::instance()->scenarioRecordWithMainID(QStringLiteral("2"));
        QVERIFY(scenario);
        QVERIFY(ScenarioOperations(m_program->services()).deleteScenario(*scenario));
        QTRY_VERIFY(!storedNow(schedule.id)->enabled);
        QCOMPARE(storedNow(schedule.id)->offReason, Schedule::OffReason::ScenarioRemoved);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(scheduled->nextRunOf(*storedNow(schedule.id)), std::nullopt);
    }

    // A single run is switched off once it has run, or once it was missed
    // for longer than the grace.
    void singleRunIsSwitchedOffAfterItsTime_data()
    {
        QTest::addColumn<QDateTime>("wokenAt");
        QTest::addColumn<int>("runs");
        dataRow("ran", at(7, 30), 1);
        dataRow("missed", at(7, 40), 0);
    }
    void singleRunIsSwitchedOffAfterItsTime()
    {
        QFETCH(QDateTime, wokenAt);
        QFETCH(int, runs);
        Schedule once = dailyAt(QTime(7, 30), switchOn(kStairs));
        once.time.kind = ScheduleTime::Kind::Once;
        once.time.date = kToday;
        once = stored(once);
        const auto [scheduled, ran] = started();
        wakeAt(*scheduled, wokenAt);
        QTRY_VERIFY(!storedNow(once.id)->enabled);
        QCOMPARE(storedNow(once.id)->offReason, Schedule::OffReason::None);
        QTRY_COMPARE(ran->size(), runs);
        QVERIFY(settled());
        QCOMPARE(ran->size(), runs);
    }

    // The event a run publishes.
    void ranEventPayload()
    {
        Schedule schedule = dailyAt(QTime(7, 0), switchOn(kStairs));
        schedule.id = 4;
        schedule.name = QStringLiteral("Hall \"lamp\"");
        QCOMPARE(QJsonDocument::fromJson(SchedulePublisher::ranPayload(
                                             schedule, false, QStringLiteral("no-reply"), true))
                     .object(),
                 (QJsonObject{{"type", "schedule_ran"},
                              {"id", 4},
                              {"name", "Hall \"lamp\""},
                              {"done", false},
                              {"outcome", "no-reply"},
                              {"final", true}}));
    }

    // Changes asked for over MQTT: each made and told, or refused with its
    // reason and nothing changed.
    void scheduleRequests_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");     // empty: done; "*": any reason
        QTest::addColumn<QStringList>("after"); // the schedules' names, "-" for one switched off
        const QByteArray dim =
            R"({"schedule":{"name":"Dim","enabled":true,"action":{"kind":"dim","channel":"212200004560","level":LEVEL},"time":{"kind":"clock","at":"07:30","weekdays":[1]}}})";
        dataRow("add", "add", QByteArray(dim).replace("LEVEL", "40"), "",
                QStringList{"Morning", "Dim"});
        dataRow("add at level 140", "add", QByteArray(dim).replace("LEVEL", "140"),
                "A level is from 0 to 100, not 140.", QStringList{"Morning"});
        dataRow("add to no channel", "add",
                QByteArray(dim).replace("LEVEL", "40").replace("212200004560", "212200009999"),
                "The home has no channel 212200009999.", QStringList{"Morning"});
        dataRow("add half a schedule", "add", QByteArray(R"({"schedule":{"name":"X"}})"), "*",
                QStringList{"Morning"});
        dataRow(
            "edit", "edit",
            QByteArray(dim).replace("LEVEL", "40").replace("{\"schedule", "{\"id\":1,\"schedule"),
            "", QStringList{"Dim"});
        dataRow(
            "edit of no schedule", "edit",
            QByteArray(dim).replace("LEVEL", "40").replace("{\"schedule", "{\"id\":9,\"schedule"),
            "no schedule 9", QStringList{"Morning"});
        dataRow("edit without an ID", "edit", QByteArray(dim).replace("LEVEL", "40"),
                "name the schedule with \"id\"", QStringList{"Morning"});
        dataRow("off", "off", QByteArray(R"({"id":1})"), "", QStringList{"-Morning"});
        dataRow("remove", "remove", QByteArray(R"({"id":1})"), "", QStringList{});
        dataRow("remove no schedule", "remove", QByteArray(R"({"id":"1"})"), "name the schedule",
                QStringList{"Morning"});
        dataRow("location off the globe", "location",
                QByteArray(R"({"latitude":95,"longitude":0})"), "The latitude must be from -90",
                QStringList{"Morning"});
        dataRow("location in words", "location",
                QByteArray(R"({"latitude":"north","longitude":0})"),
                "give \"latitude\" and \"longitude\"", QStringList{"Morning"});
        dataRow("no such verb", "pause", QByteArray(R"({"id":1})"),
                "no such request: schedule/pause", QStringList{"Morning"});
    }
    void scheduleRequests()
    {
        QFETCH(QString, verb);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        QFETCH(QStringList, after);
        stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        int told = 0;
        ScheduleRequests requests(m_program->services().store, [&told] { ++told; });
        const ScheduleRequests::Answer answer =
            requests.handle(verb, QJsonDocument::fromJson(body).object());
        const QString *refusal = std::get_if<QString>(&answer);
        QCOMPARE(refusal != nullptr, !error.isEmpty());
        if (refusal && error != QLatin1String("*"))
            QVERIFY2(refusal->contains(error), qPrintable(*refusal));
        QCOMPARE(told, error.isEmpty() ? 1 : 0);
        QStringList names;
        const std::optional<QList<Schedule>> schedules =
            ScheduleStore(Database::instance()).schedulesIfReadable();
        QVERIFY(schedules);
        for (const Schedule &schedule : *schedules)
            names << (schedule.enabled ? QString() : QStringLiteral("-")) + schedule.name;
        QCOMPARE(names, after);
    }

    // The pages' view: each schedule's next run in the page's language and
    // the home's time, a change refused in that language with nothing
    // changed, one made told to every page; the location once it is set.
    void pagesSeeTheScheduleInTheirLanguage()
    {
        const auto scheduled = runner();
        ScheduleRequests requests(m_program->services().store,
                                  [&scheduled] { scheduled->reload(); });
        PageSchedules pages(m_program->services().store, scheduled.get(), &requests);
        scheduled->start();
        QSignalSpy changed(&pages, &PageSchedules::changed);
        const auto save = [&](const char *schedule, const QString &language) {
            return pages.change(
                {QStringLiteral("add"), QJsonObject{{QStringLiteral("schedule"),
                                                     QJsonDocument::fromJson(schedule).object()}}},
                language);
        };
        const char *const tooBright =
            R"({"name":"Dim","enabled":true,"action":{"kind":"dim","channel":"212200004560","level":140},"time":{"kind":"clock","at":"07:30","weekdays":[1,2,3,4,5,6,7]}})";
        const QJsonObject refused = save(tooBright, QStringLiteral("zh_CN"));
        QCOMPARE(refused.value("code"), QStringLiteral("scheduleRefused"));
        QCOMPARE(refused.value("message"),
                 QStringLiteral("亮度必须在 0 到 100 之间，不能是 140。"));
        QCOMPARE(changed.size(), 0);
        QCOMPARE(pages.list(QStringLiteral("en"), true).value("schedules").toArray().size(), 0);

        const char *const atSunset =
            R"({"name":"Porch","enabled":true,"action":{"kind":"switch","channel":"211300001231","on":true},"time":{"kind":"sunset","offset":0,"weekdays":[1,2,3,4,5,6,7]}})";
        QCOMPARE(save(atSunset, QStringLiteral("en")).value("code"),
                 QStringLiteral("scheduleRefused")); // no location yet
        QVERIFY(ScheduleStore(Database::instance()).setLocation({52.52, 13.405}) == std::nullopt);
        scheduled->reload();
        const QJsonObject done = save(atSunset, QStringLiteral("en"));
        QCOMPARE(done.value("type"), QStringLiteral("scheduleDone"));
        QCOMPARE(done.value("verb"), QStringLiteral("add"));
        QVERIFY(changed.size() >= 1);

        const QJsonObject english = pages.list(QStringLiteral("en"), true);
        QVERIFY(!pages.list(QStringLiteral("en"), false).contains("location"));
        QCOMPARE(english.value("location").toObject().value("latitude").toDouble(), 52.52);
        const QJsonObject porch = english.value("schedules").toArray().at(0).toObject();
        QCOMPARE(porch.value("name"), QStringLiteral("Porch"));
        // Berlin's sunset on 10 December, a little before four.
        QVERIFY2(QRegularExpression("^Today at sunset 15:\\d\\d$")
                     .match(porch.value("nextText").toString())
                     .hasMatch(),
                 qPrintable(porch.value("nextText").toString()));
        const QJsonObject chinese = pages.list(QStringLiteral("zh_CN"), false)
                                        .value("schedules")
                                        .toArray()
                                        .at(0)
                                        .toObject();
        QVERIFY2(chinese.value("nextText").toString().startsWith(QStringLiteral("今天 日落 15:")),
                 qPrintable(chinese.value("nextText").toString()));
    }

    // Another program's commit is noticed; the bridge's own is not.
    void storeChangesByOthersAreNoticed()
    {
        StoreChangeWatch watch(Database::instance());
        QSignalSpy changed(&watch, &StoreChangeWatch::changedElsewhere);
        stored(dailyAt(QTime(7, 0), switchOn(kStairs)));
        QVERIFY(!watch.check());
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(Database::databasePath().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "DELETE FROM Schedule;", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(other);
        QVERIFY(watch.check());
        QVERIFY(!watch.check());
        QCOMPARE(changed.size(), 1);
    }
};

ARDENTIA_TEST_MAIN(TestScheduleRunner)
#include "tst_schedulerunner.moc"
