// SPDX-License-Identifier: GPL-3.0-or-later
#include "nextrunphrase.h"

#include "localtime.h"

namespace {
// A day this close is named by its weekday; one further off, by its date.
constexpr qint64 kDaysNamedByWeekday = 6;
} // namespace

NextRunPhrase::NextRunPhrase(QTimeZone zone, QLocale locale, ScheduleProblem::Words words)
    : m_zone(std::move(zone)), m_locale(std::move(locale)), m_words(std::move(words))
{
}

QString NextRunPhrase::of(const Schedule &schedule, const std::optional<QDateTime> &next,
                          const QDateTime &now, bool homeHasLocation) const
{
    if (!next)
        return noRun(schedule, now, homeHasLocation);
    // Both in the home's zone: "today" is the home's, wherever the page is.
    const QDateTime run = next->toTimeZone(m_zone);
    return text(
        QT_TRANSLATE_NOOP("NextRunPhrase", "%1 %2"),
        {day(run.date(), now.toTimeZone(m_zone).date()), timeOfDay(schedule.time, run.time())});
}

QString NextRunPhrase::noRun(const Schedule &schedule, const QDateTime &now,
                             bool homeHasLocation) const
{
    const ScheduleTime &time = schedule.time;
    if (!schedule.enabled)
        return text(QT_TRANSLATE_NOOP("NextRunPhrase", "Off"));
    if (time.kind == ScheduleTime::Kind::Once && time.date.isValid() && time.at.isValid() &&
        LocalTime::moment(time.date, time.at, m_zone) <= now)
        return text(QT_TRANSLATE_NOOP("NextRunPhrase", "No next run: its date has passed"));
    if (time.followsTheSun() && !homeHasLocation)
        return text(
            QT_TRANSLATE_NOOP("NextRunPhrase", "No next run: the home's location is not set"));
    if (time.kind == ScheduleTime::Kind::Sunrise)
        return text(QT_TRANSLATE_NOOP("NextRunPhrase",
                                      "No next run: the sun does not rise on the chosen days"));
    if (time.kind == ScheduleTime::Kind::Sunset)
        return text(QT_TRANSLATE_NOOP("NextRunPhrase",
                                      "No next run: the sun does not set on the chosen days"));
    return text(QT_TRANSLATE_NOOP("NextRunPhrase", "No next run"));
}

QString NextRunPhrase::day(const QDate &date, const QDate &today) const
{
    // Counted in calendar days: a day of 23 or 25 hours is still one day.
    const qint64 ahead = today.daysTo(date);
    if (ahead == 0)
        return text(QT_TRANSLATE_NOOP("NextRunPhrase", "Today"));
    if (ahead == 1)
        return text(QT_TRANSLATE_NOOP("NextRunPhrase", "Tomorrow"));
    if (ahead > 1 && ahead <= kDaysNamedByWeekday)
        return m_locale.dayName(date.dayOfWeek());
    // A date format in the language's own order, with the year when it is not this one.
    //: QLocale's date format: a day of this year
    const char *const thisYear = QT_TRANSLATE_NOOP("NextRunPhrase", "d MMMM");
    //: QLocale's date format: a day of another year
    const char *const otherYear = QT_TRANSLATE_NOOP("NextRunPhrase", "d MMMM yyyy");
    const QString format = text(date.year() == today.year() ? thisYear : otherYear);
    return m_locale.toString(date, format);
}

QString NextRunPhrase::timeOfDay(const ScheduleTime &time, const QTime &at) const
{
    const QString clock = at.toString(QStringLiteral("HH:mm"));
    if (!time.followsTheSun())
        return clock;
    const bool rise = time.kind == ScheduleTime::Kind::Sunrise;
    const int offset = time.offsetMinutes;
    if (offset == 0)
        return rise ? text(QT_TRANSLATE_NOOP("NextRunPhrase", "at sunrise %1"), {clock})
                    : text(QT_TRANSLATE_NOOP("NextRunPhrase", "at sunset %1"), {clock});
    const QStringList values{clock, QString::number(std::abs(offset))};
    if (rise)
        return offset < 0
                   ? text(QT_TRANSLATE_NOOP("NextRunPhrase", "%1, %2 min before sunrise"), values)
                   : text(QT_TRANSLATE_NOOP("NextRunPhrase", "%1, %2 min after sunrise"), values);
    return offset < 0 ? text(QT_TRANSLATE_NOOP("NextRunPhrase", "%1, %2 min before sunset"), values)
                      : text(QT_TRANSLATE_NOOP("NextRunPhrase", "%1, %2 min after sunset"), values);
}

QString NextRunPhrase::text(const char *source, const QStringList &values) const
{
    // The schedules' own way of filling in values: one pass, no value read as a marker.
    return ScheduleProblem(source, values).text(m_words);
}
