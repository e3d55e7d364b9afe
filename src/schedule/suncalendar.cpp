// SPDX-License-Identifier: GPL-3.0-or-later
#include "suncalendar.h"

#include "localtime.h"

#include <libnova/rise_set.h>
#include <libnova/solar.h>

#include <array>
#include <cmath>

namespace {
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kDayMilliseconds = 86400000.0;
// Days kept before the memory starts afresh: a year and more of any home.
constexpr qsizetype kMaxKeptDays = 1000;

double julianDay(const QDateTime &moment)
{
    return kUnixEpochJulianDay + double(moment.toMSecsSinceEpoch()) / kDayMilliseconds;
}

qint64 milliseconds(double julianDay)
{
    return qint64(std::llround((julianDay - kUnixEpochJulianDay) * kDayMilliseconds));
}

QDateTime toMinute(qint64 milliseconds)
{
    constexpr qint64 kMinute = 60000;
    return QDateTime::fromMSecsSinceEpoch((milliseconds + kMinute / 2) / kMinute * kMinute,
                                          Qt::UTC);
}
// The sun's position as libnova reckons it, the last few kept. libnova asks
// for it at the moment it is asked about and a day either side, and a
// calendar asks at the start of one day after another: two of the three
// were reckoned for the day before. Kept per thread, as libnova's callback
// takes no context of its own.
void solarPosition(double julianDay, ln_equ_posn *position)
{
    struct Kept {
        double julianDay = std::nan("");
        ln_equ_posn position{};
    };
    thread_local std::array<Kept, 8> kept;
    thread_local std::size_t next = 0;
    for (const Kept &each : kept) {
        if (each.julianDay == julianDay) {
            *position = each.position;
            return;
        }
    }
    ln_get_solar_equ_coords(julianDay, position);
    kept.at(next) = {julianDay, *position};
    next = (next + 1) % kept.size();
}
} // namespace

SunCalendar::SunCalendar(const HomeLocation &location, const QTimeZone &zone)
    : m_location(location), m_zone(zone)
{
}

std::optional<QDateTime> SunCalendar::moment(Event event, const QDate &localDate)
{
    const Day &reckoned = day(localDate);
    return event == Event::Sunrise ? reckoned.sunrise : reckoned.sunset;
}

QDate SunCalendar::firstDayWithSunFrom(const QDate &from, const QDate &last)
{
    constexpr int kStride = 7;
    QDate date = from;
    while (date <= last && day(date).polar) {
        const QDate ahead = date.addDays(kStride);
        if (ahead <= last && day(ahead).polar) {
            date = ahead;
            continue;
        }
        // The span ends within the week: day by day.
        do
            date = date.addDays(1);
        while (date < ahead && date <= last && day(date).polar);
        break;
    }
    return date;
}

const SunCalendar::Day &SunCalendar::day(const QDate &localDate)
{
    auto found = m_days.constFind(localDate);
    if (found == m_days.constEnd()) {
        if (m_days.size() >= kMaxKeptDays)
            m_days.clear();
        found = m_days.insert(localDate, reckon(localDate));
    }
    return *found;
}

SunCalendar::Day SunCalendar::reckon(const QDate &localDate) const
{
    const QDateTime start = LocalTime::moment(localDate, QTime(0, 0), m_zone);
    const QDateTime end = LocalTime::moment(localDate.addDays(1), QTime(0, 0), m_zone);
    ln_lnlat_posn observer{m_location.longitude, m_location.latitude};
    Day day;
    // libnova answers with the rise and set near the moment it is asked
    // about, mostly the next ones: asked at the start of the day, and again
    // in its middle for an event not found, it finds each that falls within
    // it. A sun that stays above or below the horizon at the start does so
    // all day.
    const double from = julianDay(start);
    const double middle = from + (julianDay(end) - from) / 2;
    for (const double asked : {from, middle}) {
        ln_rst_time rst{};
        if (ln_get_body_rst_horizon(asked, &observer, solarPosition, LN_SOLAR_STANDART_HORIZON,
                                    &rst) != 0) {
            day.polar = asked == from;
            break;
        }
        for (auto [jd, kept] :
             {std::pair{rst.rise, &day.sunrise}, std::pair{rst.set, &day.sunset}}) {
            const qint64 moment = milliseconds(jd);
            if (!*kept && moment >= start.toMSecsSinceEpoch() && moment < end.toMSecsSinceEpoch())
                *kept = toMinute(moment);
        }
        if (day.sunrise && day.sunset)
            break;
    }
    return day;
}
