// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "homelocation.h"
#include "schedule.h"
#include "suncalendar.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

// When each schedule of a home runs next, in the home's time zone. Pure:
// the present moment is given, nothing is armed. Keep one for a home's
// location and zone: the sun's days it has reckoned are kept for the next call.
class NextRunCalculator {
public:
    // A home without a location (or one off the globe) has no sun to follow.
    NextRunCalculator(const QTimeZone &zone, const std::optional<HomeLocation> &location);

    // The first run strictly after `now`, in the zone; nothing for a schedule
    // switched off, a single run that has passed, or a sun that does not rise
    // (or set) on any chosen day within the next year.
    std::optional<QDateTime> after(const Schedule &schedule, const QDateTime &now);

    // How far ahead a day is looked for.
    static constexpr int kDaysAhead = 370;

private:
    std::optional<QDateTime> nextClock(const ScheduleTime &time, const QDateTime &now) const;
    std::optional<QDateTime> nextSun(const ScheduleTime &time, const QDateTime &now);

    QTimeZone m_zone;
    std::optional<SunCalendar> m_sun;
};
