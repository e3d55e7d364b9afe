// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gatewayreply.h"
#include "operationlist.h"

// The handlers that act on a reply, one per reply form, each given the reply
// as read and the records of the command it answers.
class ReplyHandlers {
public:
    using Reply = GatewayReply;

    virtual ~ReplyHandlers() = default;
    virtual void overCommandWithServerInfo(const Reply::RoleAcknowledgement &ack,
                                           const SharedOperations &operations) = 0;
    virtual void overGatewayIPWithServerInfo(const Reply::LocateAnswer &answer,
                                             const SharedOperations &operations) = 0;
    virtual void overLightingControlWithServerInfo(const Reply::DeviceAcknowledgement &ack,
                                                   const SharedOperations &operations) = 0;
    virtual void getLightingStateWithServerInfo(const Reply::StateAnswer &answer,
                                                const SharedOperations &operations) = 0;
    virtual void overScenarioWithServerInfo(const Reply::NamingAcknowledgement &ack,
                                            const SharedOperations &operations) = 0;
    virtual void overScenarioRunWithServerInfo(const Reply::RunAcknowledgement &ack,
                                               const SharedOperations &operations) = 0;
    // The use counters, for every reply that was read.
    virtual void updateDeviceAndScenarioControlTimesWithInfo(const Reply::Form &reply) = 0;
};
