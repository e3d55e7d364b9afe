// SPDX-License-Identifier: GPL-3.0-or-later
#include "nextrunphrase.h"

#include "localtime.h"

namespace {
// A day this close is named by its weekday; one further off, by its date.
constexpr qint64 kDaysNamedByWeekday = 6;
} // namespace

NextRunPhrase::NextRunPhrase(QTimeZone zone, ScheduleWords words)
    : m_zone(std::move(zone)), m_words(std::move(words))
{
}

QString NextRunPhrase::of(const Schedule &schedule, const std::optional<QDateTime> &next,
                          const QDateTime &now, bool homeHasLocation) const
{
    if (!next || !next->isValid())
        return noRun(schedule, now, homeHasLocation);
    return run(schedule.time, *next, now);
}

QString NextRunPhrase::run(const ScheduleTime &time, const QDateTime &next,
                           const QDateTime &now) const
{
    // Both in the home's zone: "today" is the home's, wherever the reader is.
    const QDateTime at = next.toTimeZone(m_zone);
    return m_words.filled(
        QT_TRANSLATE_NOOP("ScheduleWords", "%1 %2"),
        {day(at.date(), now.toTimeZone(m_zone).date()), timeOfDay(time, at.time())});
}

QString NextRunPhrase::noRun(const Schedule &schedule, const QDateTime &now,
                             bool homeHasLocation) const
{
    const ScheduleTime &time = schedule.time;
    if (!schedule.enabled)
        return m_words.state(false);
    if (time.kind == ScheduleTime::Kind::Once && time.date.isValid() && time.at.isValid() &&
        LocalTime::moment(time.date, time.at, m_zone) <= now)
        return m_words.filled(
            QT_TRANSLATE_NOOP("ScheduleWords", "No next run: its date has passed"));
    if (time.followsTheSun() && !homeHasLocation)
        return m_words.filled(
            QT_TRANSLATE_NOOP("ScheduleWords", "No next run: the home's location is not set"));
    if (time.kind == ScheduleTime::Kind::Sunrise)
        return m_words.filled(QT_TRANSLATE_NOOP(
            "ScheduleWords", "No next run: the sun does not rise on the chosen days"));
    if (time.kind == ScheduleTime::Kind::Sunset)
        return m_words.filled(QT_TRANSLATE_NOOP(
            "ScheduleWords", "No next run: the sun does not set on the chosen days"));
    return m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "No next run"));
}

QString NextRunPhrase::day(const QDate &date, const QDate &today) const
{
    // Counted in calendar days: a day of 23 or 25 hours is still one day.
    const qint64 ahead = today.daysTo(date);
    if (ahead == 0)
        return m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "Today"));
    if (ahead == 1)
        return m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "Tomorrow"));
    if (ahead > 1 && ahead <= kDaysNamedByWeekday)
        return m_words.dayName(date.dayOfWeek());
    return m_words.date(date, date.year() != today.year());
}

QString NextRunPhrase::timeOfDay(const ScheduleTime &time, const QTime &at) const
{
    const QString clock = at.toString(QStringLiteral("HH:mm"));
    if (!time.followsTheSun())
        return clock;
    const bool rise = time.kind == ScheduleTime::Kind::Sunrise;
    const int offset = time.offsetMinutes;
    if (offset == 0)
        return rise ? m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "at sunrise %1"), {clock})
                    : m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "at sunset %1"), {clock});
    const QStringList values{clock, QString::number(std::abs(offset))};
    if (rise)
        return offset < 0
                   ? m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1, %2 min before sunrise"),
                                    values)
                   : m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1, %2 min after sunrise"),
                                    values);
    return offset < 0
               ? m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1, %2 min before sunset"),
                                values)
               : m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1, %2 min after sunset"),
                                values);
}
