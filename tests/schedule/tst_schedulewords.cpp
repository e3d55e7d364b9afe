// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/nextrunwords.h"
#include "schedule/schedulewords.h"
#include "schedule/targetnames.h"
#include "testmain.h"

#include <QTimeZone>

namespace {
const QTimeZone kBerlin("Europe/Berlin");

QDateTime berlin(const char *date, const char *time)
{
    return QDateTime(QDate::fromString(QString::fromLatin1(date), Qt::ISODate),
                     QTime::fromString(QString::fromLatin1(time), QStringLiteral("HH:mm")),
                     kBerlin);
}

// A run as a program hands it on: ISO text with its offset from UTC.
QDateTime run(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

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
    // The next run relative to now, counted in days of the home's calendar
    // (also across the days the clocks change), at the home's clock time.
    void nextRun_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<ScheduleTime>("time");
        QTest::addColumn<QDateTime>("next"); // invalid: no run
        QTest::addColumn<QString>("expected");

        // 2026-12-10 is a Thursday.
        const QDateTime noon = berlin("2026-12-10", "12:00");
        QTest::newRow("today") << noon << timeOf(Clock) << berlin("2026-12-10", "19:30")
                               << "Today 19:30";
        QTest::newRow("tomorrow") << noon << timeOf(Clock) << berlin("2026-12-11", "07:00")
                                  << "Tomorrow 07:00";
        QTest::newRow("tomorrow, less than a day away")
            << berlin("2026-12-10", "23:50") << timeOf(Clock) << berlin("2026-12-11", "00:10")
            << "Tomorrow 00:10";
        QTest::newRow("later this week: its day")
            << noon << timeOf(Clock, 0, days({1})) << berlin("2026-12-14", "07:00")
            << "Monday 07:00";
        QTest::newRow("a week on: its date") << noon << timeOf(Clock, 0, days({4}))
                                             << berlin("2026-12-17", "07:00") << "17 Dec 07:00";
        QTest::newRow("next year: with the year")
            << noon << timeOf(Once) << berlin("2027-01-05", "07:00") << "5 Jan 2027 07:00";
        QTest::newRow("at sunset")
            << noon << timeOf(Sunset) << run("2026-12-10T16:32+01:00") << "Today at sunset 16:32";
        QTest::newRow("at sunrise tomorrow")
            << noon << timeOf(Sunrise) << run("2026-12-11T08:10+01:00")
            << "Tomorrow at sunrise 08:10";
        QTest::newRow("moved from sunset: the time alone")
            << noon << timeOf(Sunset, -30) << run("2026-12-10T16:02+01:00") << "Today 16:02";
        QTest::newRow("given in UTC: the home's clock")
            << noon << timeOf(Clock) << run("2026-12-11T06:00Z") << "Tomorrow 07:00";
        QTest::newRow("given in UTC: the home's day")
            << berlin("2026-12-10", "20:00") << timeOf(Clock) << run("2026-12-10T23:30Z")
            << "Tomorrow 00:30";
        // The clocks go forward on 2026-03-29 (a 23-hour day) and back on
        // 2026-10-25 (a 25-hour day).
        QTest::newRow("spring forward: tomorrow")
            << berlin("2026-03-28", "23:30") << timeOf(Clock) << run("2026-03-29T07:00+02:00")
            << "Tomorrow 07:00";
        QTest::newRow("spring forward: a skipped time runs as the clock resumes")
            << berlin("2026-03-29", "01:00") << timeOf(Clock) << run("2026-03-29T03:00+02:00")
            << "Today 03:00";
        QTest::newRow("fall back: more than 24 hours ahead, still today")
            << run("2026-10-25T00:30+02:00").toTimeZone(kBerlin) << timeOf(Clock)
            << run("2026-10-25T23:45+01:00") << "Today 23:45";
        QTest::newRow("none") << noon << timeOf(Once) << QDateTime() << QString();
    }

    void nextRun()
    {
        QFETCH(QDateTime, now);
        QFETCH(ScheduleTime, time);
        QFETCH(QDateTime, next);
        QFETCH(QString, expected);
        const std::optional<QDateTime> given = next.isValid() ? std::optional(next) : std::nullopt;
        QCOMPARE(NextRunWords(now).text(time, given), expected);
    }

    // Every word goes through the reader's language, order and all.
    void nextRunInTheReadersWords()
    {
        const QHash<QString, QString> german{{"Tomorrow", "Morgen"},
                                             {"Friday", "Freitag"},
                                             {"at sunset %1", "bei Sonnenuntergang %1"},
                                             {"%1 %2", "%1, %2"}};
        const ScheduleWords words([&](const char *source) {
            return german.value(QString::fromUtf8(source), QString::fromUtf8(source));
        });
        const NextRunWords next(berlin("2026-12-10", "12:00"), words);
        QCOMPARE(next.text(timeOf(Sunset), run("2026-12-11T16:32+01:00")),
                 "Morgen, bei Sonnenuntergang 16:32");
        QCOMPARE(next.text(timeOf(Clock), run("2026-12-11T07:00+01:00")), "Morgen, 07:00");
        const NextRunWords fromWednesday(berlin("2026-12-09", "12:00"), words);
        QCOMPARE(fromWednesday.text(timeOf(Clock), run("2026-12-11T07:00+01:00")),
                 "Freitag, 07:00");
    }

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
        QTest::newRow("scenario") << actionOf(Kind::RunScenario, "1") << "Run scenario Evening";
        QTest::newRow("switch on") << on << "Living room light on";
        QTest::newRow("switch off")
            << actionOf(Kind::Switch, "211300001230") << "Living room light off";
        QTest::newRow("dim") << dim << "Dimmer to 40%";
        QTest::newRow("curtain open") << actionOf(Kind::Curtain, "213100007890") << "Curtain open";
        QTest::newRow("curtain close") << close << "Curtain closed";
        QTest::newRow("curtain stop") << stop << "Curtain stopped";
        QTest::newRow("a name with a place marker is shown as it is")
            << actionOf(Kind::RunScenario, "2") << "Run scenario 50%1 off";
        QTest::newRow("a channel the home no longer has: its ID")
            << actionOf(Kind::Switch, "219900000001") << "219900000001 off";
        QTest::newRow("a scenario without a name: its number")
            << actionOf(Kind::RunScenario, "3") << "Run scenario 3";
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

        QTest::newRow("every day") << timeOf(Clock) << "07:00, every day";
        QTest::newRow("a range") << timeOf(Clock, 0, days({1, 2, 3, 4, 5})) << "07:00, Mon–Fri";
        QTest::newRow("two days in a row are not a range")
            << timeOf(Clock, 0, days({6, 7})) << "07:00, Sat, Sun";
        QTest::newRow("ranges and single days")
            << timeOf(Clock, 0, days({1, 2, 3, 4, 6})) << "07:00, Mon–Thu, Sat";
        QTest::newRow("at sunrise") << timeOf(Sunrise, 0, days({7})) << "At sunrise, Sun";
        QTest::newRow("after sunrise") << timeOf(Sunrise, 15) << "15 min after sunrise, every day";
        QTest::newRow("before sunset") << timeOf(Sunset, -30) << "30 min before sunset, every day";
        QTest::newRow("at sunset") << timeOf(Sunset) << "At sunset, every day";
        ScheduleTime once = timeOf(Once);
        once.date = QDate(2026, 12, 24);
        QTest::newRow("once") << once << "Once on 24 Dec 2026 at 07:00";
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
        QTest::newRow("none") << Schedule::OffReason::None << QString();
        QTest::newRow("channel removed")
            << Schedule::OffReason::ChannelRemoved
            << "Switched off by the home: its device is no longer there.";
        QTest::newRow("scenario removed")
            << Schedule::OffReason::ScenarioRemoved
            << "Switched off by the home: its scenario is no longer there.";
        QTest::newRow("channel changed")
            << Schedule::OffReason::ChannelChanged
            << "Switched off by the home: its device no longer does this.";
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
