// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "operationlist.h"
#include "wirevocabulary.h"

#include <QString>
#include <QStringList>

// One command on its way to a transmitter: its fields, where it goes
// (resolved when it was handed over), how long its reply is awaited, and
// the records its reply is handled with.
struct ChannelCommand {
    QStringList fields;
    QString destination;
    double replyWaitSeconds = 10.0;
    SharedOperations operations;
    // A check of the link nobody asked for: no indicator while it waits; a
    // lost reply is reported as any failure.
    bool quiet = false;
    // A state query the app makes by itself: it waits for a person's
    // commands, never shows, and its outcome touches only that channel's
    // state and the link it went over.
    bool background = false;

    bool isLocate() const
    {
        return fields.value(0) == Wire::request && Wire::familyOf(fields) == Wire::transmitter &&
               Wire::operationOf(fields) == TransmitterOperation::Locate;
    }
};
