// SPDX-License-Identifier: GPL-3.0-or-later
#include "nextrunwords.h"

#include <QTimeZone>

NextRunWords::NextRunWords(const QDateTime &now, ScheduleWords words)
    : m_now(now), m_words(std::move(words))
{
}

QString NextRunWords::text(const ScheduleTime &time, const std::optional<QDateTime> &next) const
{
    if (!next || !next->isValid())
        return {};
    // Days are counted on the home's calendar, not in spans of 24 hours: a
    // day the clocks change on is 23 or 25 hours long.
    const QDateTime local = next->toTimeZone(m_now.timeZone());
    const qint64 days = m_now.date().daysTo(local.date());
    QString day;
    if (days == 0)
        day = m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "Today"));
    else if (days == 1)
        day = m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "Tomorrow"));
    else if (days > 1 && days < 7)
        day = m_words.dayName(local.date().dayOfWeek());
    else
        day = m_words.date(local.date(), local.date().year() != m_now.date().year());

    const QString clock = local.time().toString(QStringLiteral("HH:mm"));
    QString moment = clock;
    // Right at sunrise or sunset the sun is named; moved from it, the time alone.
    if (time.followsTheSun() && time.offsetMinutes == 0)
        moment = time.kind == ScheduleTime::Kind::Sunrise
                     ? m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "at sunrise %1"), {clock})
                     : m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "at sunset %1"), {clock});
    return m_words.filled(QT_TRANSLATE_NOOP("ScheduleWords", "%1 %2"), {day, moment});
}
