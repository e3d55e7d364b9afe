// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/schedule.h"

#include <QString>
#include <QStringList>

#include <optional>

// A schedule in ardentia-ctl's words, read and written the same way:
//   at HH:MM [days DAYS]            a clock time (every day unless DAYS)
//   at HH:MM on YYYY-MM-DD          once
//   sunrise|sunset [+MIN] [days DAYS], or sunset-MIN, sunrise+MIN in one word
//   switch ID on|off | dim ID LEVEL | curtain ID open|close|stop | scenario N
//   name NAME                       (a new name, for edit)
// DAYS: daily, weekdays, weekend, or days and ranges such as mon-fri or sat,sun.
// Whether the schedule suits the home is the schedule rules' to say.
class ScheduleArguments {
public:
    // Reads the words into the schedule (what they do not name stays as it
    // was); the reason when they cannot be read.
    static std::optional<QString> apply(const QStringList &words, Schedule &schedule);
    // What is missing from a new schedule for it to be made.
    static std::optional<QString> incompleteness(const Schedule &schedule);
    // Its time and its action in the words that make them.
    static QString whenWords(const ScheduleTime &time);
    static QString actionWords(const ScheduleAction &action);

private:
    static std::optional<Weekdays> days(const QString &text);
    static QString daysWords(const Weekdays &days);
};
