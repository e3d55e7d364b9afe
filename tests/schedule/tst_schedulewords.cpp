// SPDX-License-Identifier: GPL-3.0-or-later
#include "datarow.h"
#include "schedule/schedulewords.h"
#include "schedule/targetnames.h"
#include "testmain.h"

namespace {
ScheduleTime timeOf(ScheduleTime::Kind kind, int offsetMinutes = 0,
                    Weekdays weekdays = Weekdays::everyDay())
{
    ScheduleTime time;
    time.kind = kind;
    time.at = QTime(7, 0);
    time.offsetMinutes = offsetMinutes;
    time.weekdays = weekdays;
    return time;
}

Weekdays days(std::initializer_list<int> list)
{
    Weekdays weekdays;
    for (int day : list)
        weekdays.add(day);
    return weekdays;
}

ScheduleAction actionOf(ScheduleAction::Kind kind, const QString &target)
{
    ScheduleAction action;
    action.kind = kind;
    action.target = target;
    return action;
}

constexpr auto Clock = ScheduleTime::Kind::Clock;
constexpr auto Sunrise = ScheduleTime::Kind::Sunrise;
constexpr auto Sunset = ScheduleTime::Kind::Sunset;
constexpr auto Once = ScheduleTime::Kind::Once;
} // namespace

class TestScheduleWords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What a schedule does, with the name the home gives its target (its ID
    // or number when the home has none such).
    void action_data()
    {
        QTest::addColumn<ScheduleAction>("action");
        QTest::addColumn<QString>("expected");

        using Kind = ScheduleAction::Kind;
        using Motion = ScheduleAction::Motion;
        ScheduleAction on = actionOf(Kind::Switch, "211300001230");
        on.on = true;
        ScheduleAction dim = actionOf(Kind::Dim, "212200004560");
        dim.level = 40;
        ScheduleAction close = actionOf(Kind::Curtain, "213100007890");
        close.motion = Motion::Close;
        ScheduleAction stop = close;
        stop.motion = Motion::Stop;
        dataRow("scenario", actionOf(Kind::RunScenario, "1"), "Run scenario Evening");
        dataRow("switch on", on, "Living room light on");
        dataRow("switch off", actionOf(Kind::Switch, "211300001230"), "Living room light off");
        dataRow("dim", dim, "Dimmer to 40%");
        dataRow("curtain open", actionOf(Kind::Curtain, "213100007890"), "Curtain open");
        dataRow("curtain close", close, "Curtain closed");
        dataRow("curtain stop", stop, "Curtain stopped");
        dataRow("a name with a place marker is shown as it is", actionOf(Kind::RunScenario, "2"),
                "Run scenario 50%1 off");
        dataRow("a channel the home no longer has: its ID", actionOf(Kind::Switch, "219900000001"),
                "219900000001 off");
        dataRow("a scenario without a name: its number", actionOf(Kind::RunScenario, "3"),
                "Run scenario 3");
    }

    void action()
    {
        QFETCH(ScheduleAction, action);
        QFETCH(QString, expected);
        TargetNames names;
        names.addScenario("1", "Evening");
        names.addScenario("2", "50%1 off");
        names.addScenario("3", "  ");
        names.addChannel("211300001230", "Living room light");
        names.addChannel("212200004560", "Dimmer");
        names.addChannel("213100007890", "Curtain");
        QCOMPARE(ScheduleWords().action(action, names.of(action)), expected);
    }

    // When it runs: the clock or the sun on its days, or once.
    void when_data()
    {
        QTest::addColumn<ScheduleTime>("time");
        QTest::addColumn<QString>("expected");

        dataRow("every day", timeOf(Clock), "07:00, every day");
        dataRow("a range", timeOf(Clock, 0, days({1, 2, 3, 4, 5})), "07:00, Mon–Fri");
        dataRow("two days in a row are not a range", timeOf(Clock, 0, days({6, 7})),
                "07:00, Sat, Sun");
        dataRow("ranges and single days", timeOf(Clock, 0, days({1, 2, 3, 4, 6})),
                "07:00, Mon–Thu, Sat");
        dataRow("at sunrise", timeOf(Sunrise, 0, days({7})), "At sunrise, Sun");
        dataRow("after sunrise", timeOf(Sunrise, 15), "15 min after sunrise, every day");
        dataRow("before sunset", timeOf(Sunset, -30), "30 min before sunset, every day");
        dataRow("at sunset", timeOf(Sunset), "At sunset, every day");
        ScheduleTime once = timeOf(Once);
        once.date = QDate(2026, 12, 24);
        dataRow("once", once, "Once on 24 Dec 2026 at 07:00");
    }

    void when()
    {
        QFETCH(ScheduleTime, time);
        QFETCH(QString, expected);
        QCOMPARE(ScheduleWords().when(time), expected);
    }

    void offReason_data()
    {
        QTest::addColumn<Schedule::OffReason>("reason");
        QTest::addColumn<QString>("expected");
        dataRow("none", Schedule::OffReason::None, QString());
        dataRow("channel removed", Schedule::OffReason::ChannelRemoved,
                "Switched off by the home: its device is no longer there.");
        dataRow("scenario removed", Schedule::OffReason::ScenarioRemoved,
                "Switched off by the home: its scenario is no longer there.");
        dataRow("channel changed", Schedule::OffReason::ChannelChanged,
                "Switched off by the home: its device no longer does this.");
    }

    void offReason()
    {
        QFETCH(Schedule::OffReason, reason);
        QFETCH(QString, expected);
        QCOMPARE(ScheduleWords().offReason(reason), expected);
    }
};

ARDENTIA_TEST_MAIN(TestScheduleWords)
#include "tst_schedulewords.moc"
