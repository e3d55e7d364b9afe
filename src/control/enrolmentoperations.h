// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/operationlist.h"

#include <QString>

class FlowCaller;

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
    // The channels a device enrolment has stored so far.
    static int channelsStored(const OperationList &operations);

    // An enrolment's command went unanswered or was dropped: the enrolment
    // screen of its starter, when it shows one, is told (a device
    // enrolment's with the channels stored before). False when none was.
    static bool tellCutShort(FlowCaller &starter, const OperationList &operations);
    // The same for a transmitter's enrolment, or the import that follows it.
    static bool tellTransmitterCutShort(FlowCaller &starter);
};
