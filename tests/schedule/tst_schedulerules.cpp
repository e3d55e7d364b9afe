// SPDX-License-Identifier: GPL-3.0-or-later
#include "datarow.h"
#include "schedule/homelocation.h"
#include "schedule/hometargets.h"
#include "schedule/schedulecodec.h"
#include "schedule/schedulerules.h"
#include "testmain.h"

#include <QJsonDocument>

#include <cmath>
#include <functional>

namespace {
const QString kSwitch = QStringLiteral("A1010101");
const QString kDimmer = QStringLiteral("A2020202");
const QString kCurtain = QStringLiteral("A3030303");

HomeTargets home()
{
    HomeTargets targets;
    targets.channels = {{kSwitch, ChannelKind::Switch},
                        {kDimmer, ChannelKind::Dimmer},
                        {kCurtain, ChannelKind::Curtain}};
    targets.scenarios = {QStringLiteral("-1"), QStringLiteral("-2"), QStringLiteral("3")};
    return targets;
}

Schedule valid()
{
    Schedule schedule;
    schedule.name = QStringLiteral("Morning");
    schedule.action.kind = ScheduleAction::Kind::Dim;
    schedule.action.target = kDimmer;
    schedule.action.level = 40;
    schedule.time.at = QTime(7, 30);
    return schedule;
}

using Change = std::function<void(Schedule &)>;

Change action(ScheduleAction::Kind kind, const QString &target, int level = 50)
{
    return [=](Schedule &s) {
        s.action.kind = kind;
        s.action.target = target;
        s.action.level = level;
    };
}

Change sunTime(ScheduleTime::Kind kind, int offset)
{
    return [=](Schedule &s) {
        s.time.kind = kind;
        s.time.offsetMinutes = offset;
    };
}

QJsonObject json(const char *text)
{
    return QJsonDocument::fromJson(text).object();
}
} // namespace

class TestScheduleRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each kind of bad input is refused with a sentence that names what is
    // wrong; the limits themselves pass.
    void checksAgainstTheHome_data()
    {
        using Kind = ScheduleAction::Kind;
        using TimeKind = ScheduleTime::Kind;
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("hasLocation");
        QTest::addColumn<QString>("problem"); // empty: accepted

        const auto row = [](const char *name, Change change, const char *problem,
                            bool hasLocation = true) {
            dataRow(name, change, hasLocation, QString::fromUtf8(problem));
        };
        row(
            "as it is", [](Schedule &) {}, "");
        row(
            "no name", [](Schedule &s) { s.name.clear(); }, "A schedule needs a name.");
        row(
            "blank name", [](Schedule &s) { s.name = QStringLiteral("  "); },
            "A schedule needs a name.");
        row(
            "40 characters", [](Schedule &s) { s.name = QString(40, QChar(0x6587)); }, "");
        row(
            "41 characters", [](Schedule &s) { s.name = QString(41, QLatin1Char('x')); },
            "A schedule's name has at most 40 characters.");
        row(
            "line break in the name", [](Schedule &s) { s.name = QStringLiteral("a\nb"); },
            "A schedule's name cannot hold control characters or line breaks.");
        row("unknown channel", action(Kind::Switch, QStringLiteral("A9")),
            "The home has no channel A9.");
        row("unknown scenario", action(Kind::RunScenario, QStringLiteral("7")),
            "The home has no scenario 7.");
        row("built-in scenario", action(Kind::RunScenario, QStringLiteral("-2")), "");
        row("level 0", action(Kind::Dim, kDimmer, 0), "");
        row("level 100", action(Kind::Dim, kDimmer, 100), "");
        row("level 101", action(Kind::Dim, kDimmer, 101), "A level is from 0 to 100, not 101.");
        row("level -1", action(Kind::Dim, kDimmer, -1), "A level is from 0 to 100, not -1.");
        row("a dimmer switches", action(Kind::Switch, kDimmer), "");
        row("a switch has no level", action(Kind::Dim, kSwitch),
            "Channel A1010101 only switches on and off.");
        row("a curtain does not switch", action(Kind::Switch, kCurtain),
            "Channel A3030303 is a curtain: it opens, closes or stops.");
        row("a light does not open", action(Kind::Curtain, kDimmer),
            "Channel A2020202 is a light: it has no curtain to move.");
        row(
            "no weekday", [](Schedule &s) { s.time.weekdays = Weekdays(); },
            "Choose at least one day of the week.");
        row(
            "no time", [](Schedule &s) { s.time.at = QTime(); },
            "The schedule needs a time of day.");
        row(
            "seconds", [](Schedule &s) { s.time.at = QTime(7, 30, 5); },
            "The schedule needs a time of day.");
        row(
            "once without a date", [](Schedule &s) { s.time.kind = TimeKind::Once; },
            "The schedule needs a date.");
        row(
            "once needs no weekday",
            [](Schedule &s) {
                s.time.kind = TimeKind::Once;
                s.time.date = QDate(2027, 1, 1);
                s.time.weekdays = Weekdays();
            },
            "");
        row("sunrise 3 h early", sunTime(TimeKind::Sunrise, -180), "");
        row("sunset 3 h late", sunTime(TimeKind::Sunset, 180), "");
        row("sunset 3 h 1 min late", sunTime(TimeKind::Sunset, 181),
            "The offset from sunrise or sunset is at most 3 hours (180 minutes) either way, not "
            "181 minutes.");
        row("sunrise 4 h early", sunTime(TimeKind::Sunrise, -240),
            "The offset from sunrise or sunset is at most 3 hours (180 minutes) either way, not "
            "-240 minutes.");
        row("sun without a location", sunTime(TimeKind::Sunrise, 0),
            "Set the home's location first: sunrise and sunset are reckoned from it.", false);
        row(
            "clock without a location", [](Schedule &) {}, "", false);
    }
    void checksAgainstTheHome()
    {
        QFETCH(Change, change);
        QFETCH(bool, hasLocation);
        QFETCH(QString, problem);
        Schedule schedule = valid();
        change(schedule);
        const std::optional<ScheduleProblem> found =
            ScheduleRules::problemOf(schedule, home(), hasLocation);
        QCOMPARE(found ? found->text() : QString(), problem);
    }

    // What a home that lost or changed a schedule's target says of it.
    void offReasons_data()
    {
        using Kind = ScheduleAction::Kind;
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("text");
        dataRow("still there", Change([](Schedule &) {}), QString());
        dataRow("channel removed", action(Kind::Dim, QStringLiteral("A9")),
                "Switched off: its channel A9 was removed from the home.");
        dataRow("scenario removed", action(Kind::RunScenario, QStringLiteral("5")),
                "Switched off: its scenario 5 was removed from the home.");
        dataRow("channel now a curtain", action(Kind::Dim, kCurtain),
                "Switched off: its channel A3030303 no longer takes this action.");
    }
    void offReasons()
    {
        QFETCH(Change, change);
        QFETCH(QString, text);
        Schedule schedule = valid();
        change(schedule);
        schedule.offReason = ScheduleRules::offReasonIn(schedule, home());
        const std::optional<ScheduleProblem> said = ScheduleRules::offReasonText(schedule);
        QCOMPARE(said ? said->text() : QString(), text);
    }

    void locationOnTheGlobe_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<bool>("accepted");
        dataRow("Berlin", 52.52, 13.405, true);
        dataRow("the corners", -90.0, 180.0, true);
        dataRow("north of the pole", 90.01, 0.0, false);
        dataRow("south of the pole", -91.0, 0.0, false);
        dataRow("past the date line", 0.0, -180.5, false);
        dataRow("not a number", std::nan(""), 0.0, false);
        dataRow("infinite", 0.0, HUGE_VAL, false);
    }
    void locationOnTheGlobe()
    {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(bool, accepted);
        const HomeLocation location{latitude, longitude};
        QCOMPARE(!location.problem(), accepted);
    }

    // Every kind of action and time comes back as it went.
    void jsonRoundTrip_data()
    {
        using Kind = ScheduleAction::Kind;
        using TimeKind = ScheduleTime::Kind;
        QTest::addColumn<Change>("change");
        dataRow("dim at a clock time", Change([](Schedule &) {}));
        dataRow("switch off, working days, off with a reason", Change([](Schedule &s) {
                    action(Kind::Switch, kSwitch)(s);
                    s.action.on = false;
                    s.time.weekdays = Weekdays::fromBits(0x1f);
                    s.enabled = false;
                    s.offReason = Schedule::OffReason::ChannelChanged;
                }));
        dataRow("scenario at sunset", Change([](Schedule &s) {
                    action(Kind::RunScenario, QStringLiteral("-1"))(s);
                    sunTime(TimeKind::Sunset, -45)(s);
                    s.time.at = QTime();
                }));
        dataRow("curtain stops once", Change([](Schedule &s) {
                    action(Kind::Curtain, kCurtain)(s);
                    s.action.motion = ScheduleAction::Motion::Stop;
                    s.time.kind = TimeKind::Once;
                    s.time.date = QDate(2027, 2, 28);
                }));
    }
    void jsonRoundTrip()
    {
        QFETCH(Change, change);
        Schedule schedule = valid();
        change(schedule);
        if (schedule.time.kind == ScheduleTime::Kind::Once)
            schedule.time.weekdays = Weekdays::everyDay(); // not carried: a single run has none
        auto back = ScheduleCodec::fromJson(ScheduleCodec::toJson(schedule));
        QVERIFY(std::holds_alternative<Schedule>(back));
        Schedule &read = std::get<Schedule>(back);
        if (read.action.kind != ScheduleAction::Kind::Dim)
            read.action.level = schedule.action.level; // carried by a dim only
        QCOMPARE(ScheduleCodec::toJson(read), ScheduleCodec::toJson(schedule));
        QVERIFY(read == schedule);
    }

    // Malformed objects (as a page or a damaged row may send them) are
    // refused with what is wrong, times and dates that cannot be among them.
    void malformedJson_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("problem");
        const char *action = R"("action": {"kind": "dim", "channel": "A2", "level": 40})";
        const auto withTime = [action](const char *time) -> QByteArray {
            return QByteArray(R"({"name": "n", "enabled": true, )") + action + R"(, "time": )" +
                   time + "}";
        };
        dataRow("well formed", withTime(R"({"kind": "clock", "at": "7:05", "weekdays": [1, 7]})"),
                QString());
        dataRow("hour 24", withTime(R"({"kind": "clock", "at": "24:00", "weekdays": [1]})"),
                "A day has no time 24:00.");
        dataRow("minute 60", withTime(R"({"kind": "clock", "at": "12:60", "weekdays": [1]})"),
                "A day has no time 12:60.");
        dataRow("seconds", withTime(R"({"kind": "clock", "at": "12:00:30", "weekdays": [1]})"),
                "A day has no time 12:00:30.");
        dataRow("29 February 2027",
                withTime(R"({"kind": "once", "date": "2027-02-29", "at": "08:00"})"),
                "There is no date 2027-02-29 (year-month-day).");
        dataRow("29 February 2028",
                withTime(R"({"kind": "once", "date": "2028-02-29", "at": "08:00"})"), QString());
        dataRow("month 13", withTime(R"({"kind": "once", "date": "2026-13-01", "at": "08:00"})"),
                "There is no date 2026-13-01 (year-month-day).");
        dataRow("weekday 0", withTime(R"({"kind": "clock", "at": "8:00", "weekdays": [0]})"),
                "Days of the week are numbered 1 (Monday) to 7 (Sunday).");
        dataRow("weekday 1.5", withTime(R"({"kind": "clock", "at": "8:00", "weekdays": [1.5]})"),
                "Days of the week are numbered 1 (Monday) to 7 (Sunday).");
        dataRow("offset as text",
                withTime(R"({"kind": "sunset", "offset": "30", "weekdays": [1]})"),
                "The schedule's offset is missing or not understood.");
        dataRow("offset a fraction",
                withTime(R"({"kind": "sunset", "offset": 2.5, "weekdays": [1]})"),
                "The schedule's offset is missing or not understood.");
        dataRow("unknown time kind", withTime(R"({"kind": "moonrise", "weekdays": [1]})"),
                "The schedule's kind is missing or not understood.");
        dataRow("no time", QByteArray(R"({"name": "n", "enabled": true, )") + action + "}",
                "The schedule's time is missing or not understood.");
        dataRow("level as text",
                QByteArray(R"({"name": "n", "enabled": true, "action": {"kind": "dim", )"
                           R"("channel": "A2", "level": "40"}, "time": {"kind": "once", )"
                           R"("date": "2027-01-01", "at": "8:00"}})"),
                "The schedule's level is missing or not understood.");
        dataRow("motion up",
                QByteArray(R"({"name": "n", "enabled": true, "action": {"kind": "curtain", )"
                           R"("channel": "A3", "motion": "up"}, "time": {"kind": "once", )"
                           R"("date": "2027-01-01", "at": "8:00"}})"),
                "The schedule's motion is missing or not understood.");
        dataRow("enabled as text", QByteArray(R"({"name": "n", "enabled": "yes"})"),
                "The schedule's enabled is missing or not understood.");
    }
    void malformedJson()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, problem);
        const auto parsed = ScheduleCodec::fromJson(json(text.constData()));
        const ScheduleProblem *found = std::get_if<ScheduleProblem>(&parsed);
        QCOMPARE(found ? found->text() : QString(), problem);
    }

    // A value that holds a place marker is shown as it is, not filled in again.
    void valuesAreFilledInOnce()
    {
        const ScheduleProblem problem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "The home has no channel %1."),
            {QStringLiteral("%1%2")});
        QCOMPARE(problem.text(), QStringLiteral("The home has no channel %1%2."));
        const auto shout = [](const char *source) { return QString::fromUtf8(source).toUpper(); };
        QCOMPARE(problem.text(shout), QStringLiteral("THE HOME HAS NO CHANNEL %1%2."));
    }
};

ARDENTIA_TEST_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
