// SPDX-License-Identifier: GPL-3.0-or-later
#include "localtime.h"

#include <algorithm>
#include <optional>

namespace {
constexpr qint64 kDaySeconds = 24 * 60 * 60;

int offsetAt(const QTimeZone &zone, qint64 utcSeconds)
{
    return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC));
}
} // namespace

QDateTime LocalTime::moment(const QDate &date, const QTime &time, const QTimeZone &zone)
{
    // The wall-clock reading as if it were UTC; the moment is that minus the
    // offset in force then. The offsets a day either side are the ones the
    // reading can have.
    const qint64 wall = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    const int before = offsetAt(zone, wall - kDaySeconds);
    const int after = offsetAt(zone, wall + kDaySeconds);
    std::optional<qint64> earliest;
    for (const int offset : {before, after}) {
        const qint64 candidate = wall - offset;
        if (offsetAt(zone, candidate) == offset)
            earliest = std::min(earliest.value_or(candidate), candidate);
    }
    if (earliest)
        return QDateTime::fromSecsSinceEpoch(*earliest, Qt::UTC);

    // In a gap, where the clock jumps forward: the change itself, the first
    // moment the clock shows after the skipped reading, at a whole minute.
    // The reading taken with the later offset falls before the change.
    const QTimeZone::OffsetData change =
        zone.nextTransition(QDateTime::fromSecsSinceEpoch(wall - after, Qt::UTC));
    qint64 seconds = change.atUtc.isValid() ? change.atUtc.toSecsSinceEpoch() : wall - before;
    seconds += (60 - ((seconds % 60) + 60) % 60) % 60;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}
