// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedulewords.h"

#include <QDateTime>

#include <optional>

// When a schedule runs next, in words relative to the present moment, which
// is given (the reader's "now", in the home's time zone): "Today 07:00",
// "Tomorrow at sunset 16:32", "Friday 07:00" within the week, a date later,
// nothing when it does not run again.
class NextRunWords {
public:
    NextRunWords(const QDateTime &now, ScheduleWords words = ScheduleWords());

    // The days run in the time zone of now: a run given in another zone (or
    // UTC) is told at the home's clock time.
    QString text(const ScheduleTime &time, const std::optional<QDateTime> &next) const;

private:
    QDateTime m_now;
    ScheduleWords m_words;
};
