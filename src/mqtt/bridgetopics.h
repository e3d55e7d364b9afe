// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/unitid.h"

#include <QString>

#include <optional>

// One channel's topics, made only from an ID of the ID form.
struct ChannelTopics {
    QString state;
    QString set;
    QString availability;
    QString uniqueId;
};

// The bridge's topics: everything of the home under the base topic, the
// discovery configs under Home Assistant's prefix.
struct BridgeTopics {
    QString base;
    QString prefix;

    QString bridge(const QString &leaf) const { return base + QStringLiteral("/bridge/") + leaf; }
    // Nothing for a text that is not an ID: "211300001230/set" would be
    // another channel's command topic, "+" or "#" no topic at all.
    std::optional<ChannelTopics> forChannel(const QString &id) const
    {
        if (!UnitId::isValid(id))
            return std::nullopt;
        const QString state = base + QLatin1Char('/') + id;
        return ChannelTopics{state, state + QStringLiteral("/set"),
                             state + QStringLiteral("/availability"), uniqueId(id)};
    }
    QString scenarioSet(const QString &number) const
    {
        return base + QStringLiteral("/scenario/") + number + QStringLiteral("/set");
    }
    QString config(const QString &component, const QString &uniqueId) const
    {
        return prefix + QLatin1Char('/') + component + QLatin1Char('/') + uniqueId +
               QStringLiteral("/config");
    }
    QString birth() const { return prefix + QStringLiteral("/status"); }
    // Unique IDs are the base topic and the channel or scenario ID, never a
    // name: stable across renames and restarts, apart from another bridge's.
    QString uniqueId(const QString &id) const { return base + QLatin1Char('_') + id; }
};
