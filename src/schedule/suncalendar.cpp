// SPDX-License-Identifier: GPL-3.0-or-later
#include "suncalendar.h"

#include "localtime.h"

#include <libnova/solar.h>

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
} // namespace

SunCalendar::SunCalendar(const HomeLocation &location, const QTimeZone &zone)
    : m_location(location), m_zone(zone)
{
}

std::optional<QDateTime> SunCalendar::moment(Event event, const QDate &localDate)
{
    auto day = m_days.constFind(localDate);
    if (day == m_days.constEnd()) {
        if (m_days.size() >= kMaxKeptDays)
            m_days.clear();
        day = m_days.insert(localDate, reckon(localDate));
    }
    return event == Event::Sunrise ? day->sunrise : day->sunset;
}

SunCalendar::Day SunCalendar::reckon(const QDate &localDate) const
{
    const QDateTime start = LocalTime::moment(localDate, QTime(0, 0), m_zone);
    const QDateTime end = LocalTime::moment(localDate.addDays(1), QTime(0, 0), m_zone);
    ln_lnlat_posn observer{m_location.longitude, m_location.latitude};
    Day day;
    // libnova answers with the rise and set near the moment it is asked
    // about, mostly the next ones; asking at the start and in the middle of
    // the day finds each event that falls within it.
    const double from = julianDay(start);
    const double middle = from + (julianDay(end) - from) / 2;
    for (const double asked : {from, middle}) {
        ln_rst_time rst{};
        if (ln_get_solar_rst(asked, &observer, &rst) != 0)
            continue; // the sun stays above or below the horizon
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
