// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The command lines of the transmitter family ("gw") and the import request.
class TransmitterCommands {
public:
    static QStringList locate(const QString &transmitterId);
    // Gives transmitterId its role through the master: "m" master, "s" slave.
    static QStringList configureRole(const QString &masterId, const QString &transmitterId,
                                     bool asMaster);
    static QStringList importRequest();
};
