// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"
#include "schedulewords.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

// A schedule's next run as a person reads it, in the home's time and the
// reader's words: "Today 07:00", "Tomorrow at sunset 16:32", "Friday 07:00"
// within the week, "12 Mar 07:00" further on (with the year when it is
// another); and why there is none ("Off", a single run that has passed, no
// location, a sun that does not rise or set on the chosen days). The texts
// are ScheduleWords' and come in the language of the words given.
class NextRunPhrase {
public:
    explicit NextRunPhrase(QTimeZone zone, ScheduleWords words = ScheduleWords());

    // The run, or why there is none.
    QString of(const Schedule &schedule, const std::optional<QDateTime> &next, const QDateTime &now,
               bool homeHasLocation) const;
    // The run relative to now, both told on the home's calendar and clock.
    QString run(const ScheduleTime &time, const QDateTime &next, const QDateTime &now) const;
    // Why it has no next run.
    QString noRun(const Schedule &schedule, const QDateTime &now, bool homeHasLocation) const;

private:
    QString day(const QDate &date, const QDate &today) const;
    QString timeOfDay(const ScheduleTime &time, const QTime &at) const;

    QTimeZone m_zone;
    ScheduleWords m_words;
};
