// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulebench.h"

#include "latencystats.h"

#include "schedule/nextrun.h"
#include "schedule/schedulestore.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {
// A home's full set: a quarter each of daily times, working-day times,
// sunrises and sunsets (offsets up to 3 h either way), and single runs.
QList<Schedule> sixtyFourSchedules()
{
    QList<Schedule> schedules;
    for (int i = 0; i < ScheduleStore::kMaxSchedules; ++i) {
        Schedule schedule;
        schedule.name = QStringLiteral("Schedule %1").arg(i);
        ScheduleTime &time = schedule.time;
        switch (i % 5) {
        case 0:
            time.at = QTime(i % 24, (i * 7) % 60);
            break;
        case 1:
            time.at = QTime((i * 5) % 24, 30);
            time.weekdays = Weekdays::fromBits(0x1f);
            break;
        case 2:
            time.kind = ScheduleTime::Kind::Sunrise;
            time.offsetMinutes = (i * 13) % 361 - 180;
            break;
        case 3:
            time.kind = ScheduleTime::Kind::Sunset;
            time.offsetMinutes = (i * 17) % 361 - 180;
            time.weekdays = Weekdays::fromBits(quint8(1u << (i % 7)));
            break;
        default:
            time.kind = ScheduleTime::Kind::Once;
            time.date = QDate(2027, 1 + i % 12, 1 + i % 28);
            time.at = QTime(2, 30); // some on the clock-change days' missing hour
            break;
        }
        schedules.append(schedule);
    }
    return schedules;
}

struct Home {
    const char *name;
    const char *zone;
    HomeLocation location;
};

// Every hour of 2027 asks for the next run of all 64: with the calculator
// kept (the sun's days reckoned once) and with a fresh one each time (every
// day the search passes reckoned anew: the cost after a change of location).
void measure(const Home &home, const QList<Schedule> &schedules)
{
    const QTimeZone zone(home.zone);
    NextRunCalculator kept(zone, home.location);
    LatencyStats warm;
    LatencyStats cold;
    int runs = 0;
    QElapsedTimer clock;
    const QDateTime start(QDate(2027, 1, 1), QTime(0, 0), zone);
    for (int hour = 0; hour < 365 * 24; ++hour) {
        const QDateTime now = start.addSecs(qint64(hour) * 3600);
        clock.start();
        for (const Schedule &schedule : schedules)
            runs += kept.after(schedule, now).has_value();
        warm.add(double(clock.nsecsElapsed()) / 1000);
        if (hour % 24 == 12) { // daily: the fresh calculator is the slow case
            clock.start();
            NextRunCalculator fresh(zone, home.location);
            for (const Schedule &schedule : schedules)
                fresh.after(schedule, now);
            cold.add(double(clock.nsecsElapsed()) / 1000);
        }
    }
    std::printf("  %-28s kept:  %s  max %.0f us (%d hours)\n", home.name,
                qPrintable(warm.summary()), warm.percentile(100), warm.count());
    std::printf("  %-28s fresh: %s  max %.0f us (%d days)\n", "", qPrintable(cold.summary()),
                cold.percentile(100), cold.count());
    std::printf("  %-28s %d next runs found\n", "", runs);
}
} // namespace

void runScheduleBench()
{
    const QList<Schedule> schedules = sixtyFourSchedules();
    std::printf("\nSchedules: next run of all 64, every hour of 2027\n");
    for (const Home &home : {Home{"Berlin (52.5 N)", "Europe/Berlin", {52.52, 13.405}},
                             Home{"Longyearbyen (78.2 N)", "Arctic/Longyearbyen", {78.22, 15.65}}})
        measure(home, schedules);
    std::printf("  (target: all 64 under 5 ms)\n");
    std::fflush(stdout);
}
