// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A channel leaving the home: it leaves every stored scenario that holds it
// (a scenario left with no member goes too), then its record goes.
class ChannelRemoval {
public:
    static void removeFromStore(const QString &channelId);
};
