// SPDX-License-Identifier: GPL-3.0-or-later
#include "datarow.h"
#include "schedule/nextrun.h"
#include "testmain.h"

namespace {
const HomeLocation kBerlin{52.52, 13.405};
const HomeLocation kSingapore{1.35, 103.82};
const HomeLocation kLongyearbyen{78.22, 15.65};

QDateTime at(const char *iso)
{
    const QDateTime moment = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    Q_ASSERT(moment.isValid());
    return moment;
}

Weekdays days(std::initializer_list<int> list)
{
    Weekdays weekdays;
    for (int day : list)
        weekdays.add(day);
    return weekdays;
}

Schedule clockAt(QTime time, Weekdays weekdays = Weekdays::everyDay())
{
    Schedule schedule;
    schedule.name = QStringLiteral("Clock");
    schedule.time.kind = ScheduleTime::Kind::Clock;
    schedule.time.at = time;
    schedule.time.weekdays = weekdays;
    return schedule;
}

Schedule onceAt(QDate date, QTime time)
{
    Schedule schedule = clockAt(time);
    schedule.time.kind = ScheduleTime::Kind::Once;
    schedule.time.date = date;
    return schedule;
}

Schedule sun(ScheduleTime::Kind kind, int offsetMinutes = 0,
             Weekdays weekdays = Weekdays::everyDay())
{
    Schedule schedule;
    schedule.name = QStringLiteral("Sun");
    schedule.time.kind = kind;
    schedule.time.offsetMinutes = offsetMinutes;
    schedule.time.weekdays = weekdays;
    return schedule;
}

constexpr auto Sunrise = ScheduleTime::Kind::Sunrise;
constexpr auto Sunset = ScheduleTime::Kind::Sunset;
} // namespace

class TestNextRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Clock times and single runs, on ordinary days and on the days the
    // clocks change, where a skipped time runs when the clock resumes and a
    // time shown twice runs at its first showing only.
    void clockRuns_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<Schedule>("schedule");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected"); // invalid: no run

        const QByteArray berlin = "Europe/Berlin";
        const QByteArray tokyo = "Asia/Tokyo";
        const QTime half7(7, 30);
        const QTime half2(2, 30);
        // 2026-12-10 is a Thursday.
        dataRow("later today", berlin, clockAt(half7), at("2026-12-10T06:00+01:00"),
                at("2026-12-10T07:30+01:00"));
        dataRow("at the very minute: the next day", berlin, clockAt(half7),
                at("2026-12-10T07:30+01:00"), at("2026-12-11T07:30+01:00"));
        dataRow("working days skip the weekend", berlin, clockAt(half7, days({1, 2, 3, 4, 5})),
                at("2026-12-11T08:00+01:00"), at("2026-12-14T07:30+01:00"));
        dataRow("Sundays only", berlin, clockAt(half7, days({7})), at("2026-12-14T00:00+01:00"),
                at("2026-12-20T07:30+01:00"));
        dataRow("its one weekday, passed: a week on", berlin, clockAt(half7, days({4})),
                at("2026-12-10T09:00+01:00"), at("2026-12-17T07:30+01:00"));
        dataRow("midnight", berlin, clockAt(QTime(0, 0)), at("2026-12-10T23:59+01:00"),
                at("2026-12-11T00:00+01:00"));
        dataRow("now given in another zone", berlin, clockAt(half7), at("2026-12-10T05:00Z"),
                at("2026-12-10T07:30+01:00"));

        // Berlin's clocks go from 02:00 to 03:00 on 29 March 2026 ...
        dataRow("spring: skipped time runs at 03:00", berlin, clockAt(half2),
                at("2026-03-29T00:00+01:00"), at("2026-03-29T03:00+02:00"));
        dataRow("spring: 02:00 itself is skipped", berlin, clockAt(QTime(2, 0)),
                at("2026-03-29T00:00+01:00"), at("2026-03-29T03:00+02:00"));
        dataRow("spring: just before the gap", berlin, clockAt(QTime(1, 59)),
                at("2026-03-29T00:00+01:00"), at("2026-03-29T01:59+01:00"));
        dataRow("spring: 03:00 is 03:00", berlin, clockAt(QTime(3, 0)),
                at("2026-03-29T00:00+01:00"), at("2026-03-29T03:00+02:00"));
        dataRow("spring: after the moved run, the next day", berlin, clockAt(half2),
                at("2026-03-29T03:00+02:00"), at("2026-03-30T02:30+02:00"));
        dataRow("spring: the day before", berlin, clockAt(half2), at("2026-03-28T03:00+01:00"),
                at("2026-03-29T03:00+02:00"));
        // ... and back from 03:00 to 02:00 on 25 October 2026.
        dataRow("autumn: the first 02:30", berlin, clockAt(half2), at("2026-10-25T00:00+02:00"),
                at("2026-10-25T02:30+02:00"));
        dataRow("autumn: not again at the second 02:30", berlin, clockAt(half2),
                at("2026-10-25T02:30+02:00"), at("2026-10-26T02:30+01:00"));
        dataRow("autumn: asked during the repeated hour", berlin, clockAt(half2),
                at("2026-10-25T02:10+01:00"), at("2026-10-26T02:30+01:00"));
        dataRow("autumn: after the repeated hour", berlin, clockAt(QTime(3, 0)),
                at("2026-10-25T02:45+01:00"), at("2026-10-25T03:00+01:00"));
        dataRow("southern spring: Sydney skips 02:00-03:00 on 4 October",
                QByteArray("Australia/Sydney"), clockAt(half2), at("2026-10-04T00:00+10:00"),
                at("2026-10-04T03:00+11:00"));
        dataRow("no clock change: Tokyo in March", tokyo, clockAt(half2),
                at("2026-03-29T00:00+09:00"), at("2026-03-29T02:30+09:00"));
        dataRow("no clock change: Tokyo in October", tokyo, clockAt(half2),
                at("2026-10-25T02:30+09:00"), at("2026-10-26T02:30+09:00"));

        const QDate springDay(2026, 3, 29);
        dataRow("once, to come", berlin, onceAt(QDate(2027, 1, 2), QTime(18, 5)),
                at("2026-12-10T10:00+01:00"), at("2027-01-02T18:05+01:00"));
        dataRow("once, passed", berlin, onceAt(QDate(2026, 12, 10), QTime(9, 59)),
                at("2026-12-10T10:00+01:00"), QDateTime());
        dataRow("once, in the skipped hour", berlin, onceAt(springDay, half2),
                at("2026-03-01T00:00+01:00"), at("2026-03-29T03:00+02:00"));
        dataRow("once, in the repeated hour", berlin, onceAt(QDate(2026, 10, 25), half2),
                at("2026-10-25T02:10+02:00"), at("2026-10-25T02:30+02:00"));
        dataRow("once, the repeated hour's second pass is no new run", berlin,
                onceAt(QDate(2026, 10, 25), half2), at("2026-10-25T02:10+01:00"), QDateTime());

        Schedule off = clockAt(half7);
        off.enabled = false;
        dataRow("switched off", berlin, off, at("2026-12-10T06:00+01:00"), QDateTime());
    }
    void clockRuns()
    {
        QFETCH(QByteArray, zone);
        QFETCH(Schedule, schedule);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        NextRunCalculator calculator(QTimeZone(zone), kBerlin);
        const std::optional<QDateTime> next = calculator.after(schedule, now);
        QCOMPARE(next.has_value(), expected.isValid());
        if (next) {
            QCOMPARE(*next, expected);
            QCOMPARE(next->timeZone(), QTimeZone(zone)); // shown as the home reads it
        }
    }

    // Over a whole day, a runner that asks for the next run after each one
    // runs every daily time exactly once, on the clock-change days too.
    void eachDailyTimeRunsOnceADay_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        dataRow("Berlin, ordinary day", QByteArray("Europe/Berlin"), QDate(2026, 12, 10));
        dataRow("Berlin, spring", QByteArray("Europe/Berlin"), QDate(2026, 3, 29));
        dataRow("Berlin, autumn", QByteArray("Europe/Berlin"), QDate(2026, 10, 25));
        dataRow("Tokyo, Berlin's spring", QByteArray("Asia/Tokyo"), QDate(2026, 3, 29));
        dataRow("Tokyo, Berlin's autumn", QByteArray("Asia/Tokyo"), QDate(2026, 10, 25));
    }
    void eachDailyTimeRunsOnceADay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        const QTimeZone timeZone(zone);
        NextRunCalculator calculator(timeZone, kBerlin);
        const QDateTime start(day, QTime(0, 0), timeZone);
        const QDateTime end(day.addDays(1), QTime(0, 0), timeZone);
        for (int minutes = 0; minutes < 24 * 60; minutes += 15) {
            const Schedule schedule = clockAt(QTime(0, 0).addSecs(minutes * 60));
            int runs = 0;
            QDateTime previous;
            for (std::optional<QDateTime> run = calculator.after(schedule, start.addSecs(-1));
                 run && *run < end; run = calculator.after(schedule, *run)) {
                QVERIFY(!previous.isValid() || *run > previous);
                previous = *run;
                ++runs;
            }
            QVERIFY2(runs == 1, qPrintable(schedule.time.at.toString() + QStringLiteral(" ran ") +
                                           QString::number(runs) + QStringLiteral(" times")));
        }
    }

    // Sunrise and sunset against almanac times (libnova's differ from them
    // by a minute or two), at three latitudes: Berlin, Singapore on the
    // equator without clock changes, and Longyearbyen with polar night and
    // midnight sun, where a day without the event has no run.
    void sunRuns_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<HomeLocation>("location");
        QTest::addColumn<Schedule>("schedule");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<int>("toleranceMinutes");

        const QByteArray berlin = "Europe/Berlin";
        dataRow("Berlin, midsummer sunrise", berlin, kBerlin, sun(Sunrise),
                at("2026-06-21T00:00+02:00"), at("2026-06-21T04:43+02:00"), 3);
        dataRow("Berlin, midsummer sunset", berlin, kBerlin, sun(Sunset),
                at("2026-06-21T12:00+02:00"), at("2026-06-21T21:33+02:00"), 3);
        dataRow("Berlin, midwinter sunrise", berlin, kBerlin, sun(Sunrise),
                at("2026-12-21T00:00+01:00"), at("2026-12-21T08:15+01:00"), 3);
        dataRow("Berlin, midwinter sunset half an hour early", berlin, kBerlin, sun(Sunset, -30),
                at("2026-12-21T12:00+01:00"), at("2026-12-21T15:24+01:00"), 3);
        dataRow("Berlin, sunrise passed: tomorrow's", berlin, kBerlin, sun(Sunrise),
                at("2026-12-21T09:00+01:00"), at("2026-12-22T08:16+01:00"), 3);
        dataRow("Berlin, sunset three hours late runs after midnight", berlin, kBerlin,
                sun(Sunset, 180), at("2026-06-22T00:00+02:00"), at("2026-06-22T00:33+02:00"), 3);
        dataRow("Berlin, sunrise three hours early runs the evening before", berlin, kBerlin,
                sun(Sunrise, -180), at("2026-06-20T12:00+02:00"), at("2026-06-21T01:43+02:00"), 3);
        dataRow("Berlin, Saturdays' sunrise", berlin, kBerlin, sun(Sunrise, 0, days({6})),
                at("2026-12-10T12:00+01:00"), at("2026-12-12T08:09+01:00"), 3);
        dataRow("Berlin, sunrise on the spring clock change", berlin, kBerlin, sun(Sunrise),
                at("2026-03-29T00:00+01:00"), at("2026-03-29T06:48+02:00"), 3);
        dataRow("Berlin, sunset on the autumn clock change", berlin, kBerlin, sun(Sunset),
                at("2026-10-25T00:00+02:00"), at("2026-10-25T16:51+01:00"), 3);

        const QByteArray singapore = "Asia/Singapore";
        dataRow("Singapore, sunrise in June", singapore, kSingapore, sun(Sunrise),
                at("2026-06-21T00:00+08:00"), at("2026-06-21T07:00+08:00"), 4);
        dataRow("Singapore, sunset in December", singapore, kSingapore, sun(Sunset),
                at("2026-12-21T00:00+08:00"), at("2026-12-21T19:04+08:00"), 4);

        // The sun stays below the horizon from late October to mid February
        // and above it from late April to late August.
        const QByteArray svalbard = "Arctic/Longyearbyen";
        dataRow("Longyearbyen, polar night: the first sunrise in February", svalbard, kLongyearbyen,
                sun(Sunrise), at("2026-12-10T12:00+01:00"), at("2027-02-16T12:00+01:00"),
                3 * 24 * 60);
        dataRow("Longyearbyen, midnight sun: the first sunset in August", svalbard, kLongyearbyen,
                sun(Sunset), at("2026-06-21T12:00+02:00"), at("2026-08-24T00:30+02:00"),
                3 * 24 * 60);
        dataRow("Longyearbyen, spring: days still have both", svalbard, kLongyearbyen, sun(Sunset),
                at("2026-03-21T00:00+01:00"), at("2026-03-21T18:40+01:00"), 20);
    }
    void sunRuns()
    {
        QFETCH(QByteArray, zone);
        QFETCH(HomeLocation, location);
        QFETCH(Schedule, schedule);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QFETCH(int, toleranceMinutes);
        NextRunCalculator calculator(QTimeZone(zone), location);
        const std::optional<QDateTime> next = calculator.after(schedule, now);
        QVERIFY(next);
        const qint64 off = std::abs(next->secsTo(expected)) / 60;
        QVERIFY2(off <= toleranceMinutes,
                 qPrintable(next->toString(Qt::ISODate) + QStringLiteral(" is ") +
                            QString::number(off) + QStringLiteral(" minutes off")));
        QCOMPARE(next->time().second(), 0);
    }

    // Each day of polar night has no sunrise, the days around it have one.
    void polarNightHasNoSunrise()
    {
        const QTimeZone zone("Arctic/Longyearbyen");
        SunCalendar calendar(kLongyearbyen, zone);
        for (QDate day(2026, 11, 15); day <= QDate(2027, 1, 31); day = day.addDays(1)) {
            QVERIFY2(!calendar.moment(SunCalendar::Event::Sunrise, day),
                     qPrintable(day.toString()));
            QVERIFY(!calendar.moment(SunCalendar::Event::Sunset, day));
        }
        QVERIFY(calendar.moment(SunCalendar::Event::Sunrise, QDate(2026, 10, 1)));
        QVERIFY(calendar.moment(SunCalendar::Event::Sunrise, QDate(2027, 3, 1)));
    }

    // Polar night and midnight sun are crossed a week at a time: the run
    // found is still on the first day past them, as a day-by-day look finds.
    void theFirstSunAfterAPolarSpan_data()
    {
        QTest::addColumn<Schedule>("schedule");
        QTest::addColumn<QDate>("from");
        dataRow("first sunrise after polar night", sun(Sunrise), QDate(2026, 10, 1));
        dataRow("first sunset after midnight sun", sun(Sunset), QDate(2026, 4, 1));
        dataRow("first Tuesday's sunrise", sun(Sunrise, 0, days({2})), QDate(2026, 11, 1));
    }
    void theFirstSunAfterAPolarSpan()
    {
        QFETCH(Schedule, schedule);
        QFETCH(QDate, from);
        const QTimeZone zone("Arctic/Longyearbyen");
        const auto event = schedule.time.kind == Sunrise ? SunCalendar::Event::Sunrise
                                                         : SunCalendar::Event::Sunset;
        SunCalendar dayByDay(kLongyearbyen, zone);
        NextRunCalculator calculator(zone, kLongyearbyen);
        QDateTime now(from, QTime(12, 0), zone);
        for (int runs = 0; runs < 150; ++runs) {
            const std::optional<QDateTime> next = calculator.after(schedule, now);
            QVERIFY(next);
            std::optional<QDateTime> expected;
            for (QDate day = now.date(); !expected && day < now.date().addYears(1);
                 day = day.addDays(1)) {
                if (!schedule.time.weekdays.contains(day.dayOfWeek()))
                    continue;
                expected = dayByDay.moment(event, day);
                if (expected && *expected <= now)
                    expected.reset();
            }
            QVERIFY(expected);
            QCOMPARE(*next, *expected);
            now = *next;
        }
    }

    // Without a place on the globe there is no sun to follow; clock times still run.
    void noLocationNoSun_data()
    {
        QTest::addColumn<std::optional<HomeLocation>>("location");
        dataRow("never set", std::optional<HomeLocation>());
        dataRow("off the globe", std::optional<HomeLocation>(HomeLocation{95, 0}));
    }
    void noLocationNoSun()
    {
        QFETCH(std::optional<HomeLocation>, location);
        NextRunCalculator calculator(QTimeZone("Europe/Berlin"), location);
        const QDateTime now = at("2026-12-10T06:00+01:00");
        QVERIFY(!calculator.after(sun(Sunrise), now));
        QVERIFY(calculator.after(clockAt(QTime(7, 0)), now));
    }
};

ARDENTIA_TEST_MAIN(TestNextRun)
#include "tst_nextrun.moc"
