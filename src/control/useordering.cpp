// SPDX-License-Identifier: GPL-3.0-or-later
#include "useordering.h"

#include "base/textnumber.h"
#include "store/recordkeys.h"

QList<QVariantMap> &UseOrdering::updateArrayFBTSWithArray(QList<QVariantMap> &records)
{
    const auto uses = [](const QVariantMap &r) {
        return TextNumber::integerValue(r.value(Key::controlTimes).toString());
    };
    for (qsizetype pass = 0; pass + 1 < records.size(); ++pass) {
        bool swapped = false;
        for (qsizetype i = 0; i + 1 < records.size() - pass; ++i) {
            if (uses(records.at(i)) < uses(records.at(i + 1))) {
                records.swapItemsAt(i, i + 1);
                swapped = true;
            }
        }
        if (!swapped)
            break;
    }
    return records;
}
