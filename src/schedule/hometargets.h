// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/channel.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

class Database;

// The channels and scenarios of the home that a schedule can drive.
struct HomeTargets {
    QHash<QString, ChannelKind> channels; // by channel ID
    QSet<QString> scenarios;              // by scenario number

    // As the store holds them; nothing when the store cannot be read (then
    // nothing is known to be gone).
    static std::optional<HomeTargets> fromStore(Database *store);
};
