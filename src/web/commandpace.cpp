// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandpace.h"

bool CommandPace::take(const QString &device, int cost, qint64 nowMs)
{
    m_whole.removeIf([nowMs](QHash<QString, qint64>::iterator it) { return it.value() <= nowMs; });
    // Each command puts the moment the allowance is whole again further off;
    // one that would put it more than the whole allowance away is refused.
    const qint64 whole = qMax(nowMs, m_whole.value(device, nowMs)) + qint64(cost) * kIntervalMs;
    if (whole - nowMs > qint64(kBurst) * kIntervalMs)
        return false;
    m_whole.insert(device, whole);
    return true;
}
