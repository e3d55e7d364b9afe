// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/operationlist.h"

#include <QString>

// Tells an enrolment's commands from every other command: only their
// outcomes reach the enrolment screens, so a check of the link that nobody
// asked for never ends an enrolment.
class EnrolmentOperations {
public:
    // The records a transmitter enrolment's commands carry: the ID enrolled.
    static SharedOperations forTransmitter(const QString &transmitterId);
    static bool enrolsTransmitter(const OperationList &operations,
                                  const QString &transmitterId = {});
    // A device enrolment's list: its add entries record "haveSend".
    static bool enrolsDevices(const OperationList &operations);
};
