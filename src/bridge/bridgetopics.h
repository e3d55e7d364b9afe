#pragma once

#include <QString>

// The bridge's topics: everything of the home under the base topic, the
// discovery configs under Home Assistant's prefix.
struct BridgeTopics {
    QString base;
    QString prefix;

    QString bridge(const QString &leaf) const { return base + QStringLiteral("/bridge/") + leaf; }
    QString channel(const QString &id) const { return base + QLatin1Char('/') + id; }
    QString channelLeaf(const QString &id, const QString &leaf) const
    {
        return channel(id) + QLatin1Char('/') + leaf;
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
