// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "homelocation.h"

#include <QDateTime>
#include <QHash>
#include <QTimeZone>

#include <optional>

// Sunrise and sunset at the home, by the local date they fall on, as libnova
// reckons them (the sun's upper limb on the horizon, with refraction). A day
// of polar night or midnight sun has neither; near the polar circles a day
// may have one without the other. Days once reckoned are kept.
class SunCalendar {
public:
    enum class Event { Sunrise, Sunset };

    SunCalendar(const HomeLocation &location, const QTimeZone &zone);

    // The moment, to the minute; nothing when the sun does not rise (or set) that day.
    std::optional<QDateTime> moment(Event event, const QDate &localDate);
    // The first day from `from` on (`last` at most, else the day after it)
    // that is not all polar night or midnight sun. Such a span is unbroken,
    // so it is crossed a week at a time, not reckoned day by day.
    QDate firstDayWithSunFrom(const QDate &from, const QDate &last);

private:
    struct Day {
        std::optional<QDateTime> sunrise;
        std::optional<QDateTime> sunset;
        bool polar = false; // the sun above or below the horizon all day
    };
    const Day &day(const QDate &localDate);
    Day reckon(const QDate &localDate) const;

    HomeLocation m_location;
    QTimeZone m_zone;
    QHash<QDate, Day> m_days;
};
