// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/textnumber.h"

#include <QString>
#include <QStringList>

// The words of the datagram protocol by name: the verbs, the families and
// each family's operations. A command is "verb,family,target,operation,...";
// its reply repeats the fields after "$ack" or "$res". Only the command
// builders, the reply parser and the few readers of a sent command below
// touch field positions.
struct Wire {
    // Verbs: "cfg" changes something, "req" asks.
    static inline const QString configure = QStringLiteral("cfg");
    static inline const QString request = QStringLiteral("req");

    // Families.
    static inline const QString transmitter = QStringLiteral("gw");
    static inline const QString light = QStringLiteral("lig");
    static inline const QString curtain = QStringLiteral("curtain");
    static inline const QString scenarioName = QStringLiteral("scename");
    static inline const QString scenarioRun = QStringLiteral("scenario");

    // The families of a light or curtain channel.
    static bool isChannelFamily(const QString &family)
    {
        return family == light || family == curtain;
    }

    // The operation field as it travels: decimal text.
    static QString operationField(int operation) { return QString::number(operation); }

    // What a sent command's fields say, read in one place.
    static QString familyOf(const QStringList &fields) { return fields.value(1); }
    static QString targetOf(const QStringList &fields) { return fields.value(2); }
    // A channel control's first parameter: the wanted state, or a curtain's motion.
    static QString firstParameterOf(const QStringList &fields) { return fields.value(4); }
    // The operation as a number; -1 for a command without one.
    static int operationOf(const QStringList &fields)
    {
        return fields.size() > 3 ? TextNumber::integerValue(fields.at(3)) : -1;
    }
};

// The operations of the light and curtain families ("lig", "curtain").
struct ChannelOperation {
    enum : int {
        StateQuery = 0, // "req": the channel's state and level
        Control = 4,    // switch, dim or move, with the wanted state
        AllOn = 5,      // every light, addressed to the all-lights ID
        AllOff = 6,
        Add = 11, // enrol the controller's channel
        Remove = 12,
        JoinScenario = 13, // with the channel's present state
        LeaveScenario = 14,
        Name = 15,
        ForceRemove = 18, // the master forgets it whatever the radio says
    };
};

// The operations of the transmitter family ("gw").
struct TransmitterOperation {
    enum : int {
        Locate = 1, // "req": where a transmitter is
        Role = 4,   // "cfg": master or slave
    };
};

// A scenario run ("scenario") and a scenario's naming ("scename") carry 1 in
// their operation and target fields respectively.
struct ScenarioOperation {
    enum : int { Run = 1, Name = 1 };
};
