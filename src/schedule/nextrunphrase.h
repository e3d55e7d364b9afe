// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"
#include "scheduleproblem.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <optional>

// A schedule's next run as a person reads it, in the home's time and a
// language's words: "Today 07:00", "Tomorrow at sunset 16:32", "Friday
// 07:00", "12 March 07:00" for a run more than a week away; and why there is
// none ("Off", a single run that has passed, no location, a sun that does
// not rise or set on the chosen days).
class NextRunPhrase {
    Q_DECLARE_TR_FUNCTIONS(NextRunPhrase)

public:
    // `words` translates this class's texts (its context is "NextRunPhrase");
    // `locale` names the days and months.
    NextRunPhrase(QTimeZone zone, QLocale locale, ScheduleProblem::Words words);

    QString of(const Schedule &schedule, const std::optional<QDateTime> &next, const QDateTime &now,
               bool homeHasLocation) const;

private:
    QString noRun(const Schedule &schedule, const QDateTime &now, bool homeHasLocation) const;
    QString day(const QDate &date, const QDate &today) const;
    QString timeOfDay(const ScheduleTime &time, const QTime &at) const;
    QString text(const char *source, const QStringList &values = {}) const;

    QTimeZone m_zone;
    QLocale m_locale;
    ScheduleProblem::Words m_words;
};
