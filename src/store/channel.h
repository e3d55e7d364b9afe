// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

enum class ChannelKind { Switch, Dimmer, Curtain };

// One light circuit or curtain motor as the flows and front ends see it,
// read from its stored record in one place. Its kind is the record's type
// ("Curtain") and "control" ("S", "D", "C"), or, for a record without
// either, the kind digit of its ID ("1", "2", "3" at position 2).
struct Channel {
    QString id;
    ChannelKind kind = ChannelKind::Switch;
    QString title;
    QString state;    // "turnOn": "YES"/"NO", or a dimmer's level "0"-"100"
    int level = 0;    // a dimmer's level; 100 or 0 for the others by their state
    int useCount = 0; // "controlTimes"
    QString controllerId;

    static Channel fromRecord(const QVariantMap &record);
    static ChannelKind kindOf(const QVariantMap &record);
    static bool isDimmer(const QVariantMap &record)
    {
        return kindOf(record) == ChannelKind::Dimmer;
    }
    static bool isCurtain(const QVariantMap &record)
    {
        return kindOf(record) == ChannelKind::Curtain;
    }

    bool isDimmer() const { return kind == ChannelKind::Dimmer; }
    bool isCurtain() const { return kind == ChannelKind::Curtain; }
    // On, open, or dimmed above 0.
    bool isOn() const { return level > 0; }
};
