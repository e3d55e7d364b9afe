// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QVariantMap>

// Most used first: records ordered by the integer value of "controlTimes".
class UseOrdering {
public:
    // In place, by neighbour swaps only where the left count is strictly
    // smaller, so equal counts keep their order. Returns the same list.
    static QList<QVariantMap> &updateArrayFBTSWithArray(QList<QVariantMap> &records);
};
