// SPDX-License-Identifier: GPL-3.0-or-later
#include "nextrun.h"

#include "localtime.h"

NextRunCalculator::NextRunCalculator(const QTimeZone &zone,
                                     const std::optional<HomeLocation> &location)
    : m_zone(zone)
{
    if (location && !location->problem())
        m_sun.emplace(*location, zone);
}

std::optional<QDateTime> NextRunCalculator::after(const Schedule &schedule, const QDateTime &now)
{
    if (!schedule.enabled)
        return std::nullopt;
    const ScheduleTime &time = schedule.time;
    std::optional<QDateTime> next;
    switch (time.kind) {
    case ScheduleTime::Kind::Once:
        if (time.date.isValid() && time.at.isValid())
            next = LocalTime::moment(time.date, time.at, m_zone);
        if (next && *next <= now)
            next.reset();
        break;
    case ScheduleTime::Kind::Clock:
        next = nextClock(time, now);
        break;
    case ScheduleTime::Kind::Sunrise:
    case ScheduleTime::Kind::Sunset:
        next = nextSun(time, now);
        break;
    }
    if (next)
        return next->toTimeZone(m_zone);
    return next;
}

std::optional<QDateTime> NextRunCalculator::nextClock(const ScheduleTime &time,
                                                      const QDateTime &now) const
{
    if (!time.at.isValid())
        return std::nullopt;
    // Today's run may have passed; a week on, each chosen day has come.
    const QDate today = now.toTimeZone(m_zone).date();
    for (QDate day = today; day <= today.addDays(7); day = day.addDays(1)) {
        if (!time.weekdays.contains(day.dayOfWeek()))
            continue;
        const QDateTime run = LocalTime::moment(day, time.at, m_zone);
        if (run > now)
            return run;
    }
    return std::nullopt;
}

std::optional<QDateTime> NextRunCalculator::nextSun(const ScheduleTime &time, const QDateTime &now)
{
    if (!m_sun)
        return std::nullopt;
    const auto event = time.kind == ScheduleTime::Kind::Sunrise ? SunCalendar::Event::Sunrise
                                                                : SunCalendar::Event::Sunset;
    const qint64 offsetSeconds = qint64(time.offsetMinutes) * 60;
    // From yesterday: its sunset with an offset may still be to come. The
    // weekday is that of the sun's day, whatever the offset.
    const QDate today = now.toTimeZone(m_zone).date();
    const QDate last = today.addDays(kDaysAhead);
    for (QDate day = today.addDays(-1); day <= last; day = day.addDays(1)) {
        day = m_sun->firstDayWithSunFrom(day, last);
        if (day > last)
            break;
        if (!time.weekdays.contains(day.dayOfWeek()))
            continue;
        const std::optional<QDateTime> sun = m_sun->moment(event, day);
        if (sun && sun->addSecs(offsetSeconds) > now)
            return sun->addSecs(offsetSeconds);
    }
    return std::nullopt;
}
