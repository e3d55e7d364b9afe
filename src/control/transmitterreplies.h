// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/gatewayreply.h"
#include "transport/operationlist.h"

#include <QString>

class UDPSocketManager;

// Locate answers and role acknowledgements: where a transmitter is, and
// whether it took the role the store gives it (the first one stored is the
// master). The enrolment screen hears only of its own enrolment's commands.
class TransmitterReplies {
public:
    explicit TransmitterReplies(UDPSocketManager *channel) : m_channel(channel) {}

    void overGatewayIPWithServerInfo(const GatewayReply::LocateAnswer &answer,
                                     const SharedOperations &operations);
    void overCommandWithServerInfo(const GatewayReply::RoleAcknowledgement &ack,
                                   const SharedOperations &operations);

private:
    UDPSocketManager *m_channel;
};
