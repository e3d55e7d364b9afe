// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QTimeZone>

// The moment a wall-clock time of a date comes in a time zone, across its
// daylight-saving changes: a time that the change skips comes at the first
// minute after the gap; a time that occurs twice comes at its first occurrence.
class LocalTime {
public:
    static QDateTime moment(const QDate &date, const QTime &time, const QTimeZone &zone);
};
