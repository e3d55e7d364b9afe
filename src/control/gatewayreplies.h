// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devicereplies.h"
#include "scenarioreplies.h"
#include "transmitterreplies.h"
#include "transport/replyhandlers.h"

// The reply handlers of the system, by family.
class GatewayReplies final : public ReplyHandlers {
public:
    GatewayReplies(UDPSocketManager *channel, Database *store, HomeEvents *events)
        : m_transmitters(channel, store, events), m_devices(channel, store, events),
          m_scenarios(channel, store, events)
    {
    }

    void overCommandWithServerInfo(const Reply::RoleAcknowledgement &ack,
                                   const SharedOperations &operations) override
    {
        m_transmitters.overCommandWithServerInfo(ack, operations);
    }
    void overGatewayIPWithServerInfo(const Reply::LocateAnswer &answer,
                                     const SharedOperations &operations) override
    {
        m_transmitters.overGatewayIPWithServerInfo(answer, operations);
    }
    void overLightingControlWithServerInfo(const Reply::DeviceAcknowledgement &ack,
                                           const SharedOperations &operations) override
    {
        m_devices.overLightingControlWithServerInfo(ack, operations);
    }
    void getLightingStateWithServerInfo(const Reply::StateAnswer &answer,
                                        const SharedOperations &operations) override
    {
        m_devices.getLightingStateWithServerInfo(answer, operations);
    }
    void overScenarioWithServerInfo(const Reply::NamingAcknowledgement &ack,
                                    const SharedOperations &operations) override
    {
        m_scenarios.overScenarioWithServerInfo(ack, operations);
    }
    void overScenarioRunWithServerInfo(const Reply::RunAcknowledgement &ack,
                                       const SharedOperations &operations) override
    {
        m_scenarios.overScenarioRunWithServerInfo(ack, operations);
    }
    void updateDeviceAndScenarioControlTimesWithInfo(const Reply::Form &reply) override
    {
        m_scenarios.updateDeviceAndScenarioControlTimesWithInfo(reply);
    }

    DeviceReplies &devices() { return m_devices; }

private:
    TransmitterReplies m_transmitters;
    DeviceReplies m_devices;
    ScenarioReplies m_scenarios;
};
