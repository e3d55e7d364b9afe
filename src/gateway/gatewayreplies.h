#pragma once

#include "devicereplies.h"
#include "replyhandlers.h"
#include "scenarioreplies.h"
#include "transmitterreplies.h"

// The reply handlers of the system, by family.
class GatewayReplies final : public ReplyHandlers {
public:
    explicit GatewayReplies(UDPSocketManager *channel)
        : m_transmitters(channel), m_devices(channel), m_scenarios(channel)
    {
    }

    void overCommandWithServerInfo(const QString &info, const SharedOperations &operations) override
    {
        m_transmitters.overCommandWithServerInfo(info, operations);
    }
    void overGatewayIPWithServerInfo(const QString &info,
                                     const SharedOperations &operations) override
    {
        m_transmitters.overGatewayIPWithServerInfo(info, operations);
    }
    void overLightingControlWithServerInfo(const QString &info,
                                           const SharedOperations &operations) override
    {
        m_devices.overLightingControlWithServerInfo(info, operations);
    }
    void getLightingStateWithServerInfo(const QString &info,
                                        const SharedOperations &operations) override
    {
        m_devices.getLightingStateWithServerInfo(info, operations);
    }
    void overScenarioWithServerInfo(const QString &info,
                                    const SharedOperations &operations) override
    {
        m_scenarios.overScenarioWithServerInfo(info, operations);
    }
    void overScenarioRunWithServerInfo(const QString &info,
                                       const SharedOperations &operations) override
    {
        m_scenarios.overScenarioRunWithServerInfo(info, operations);
    }
    void updateDeviceAndScenarioControlTimesWithInfo(const QString &info) override
    {
        m_scenarios.updateDeviceAndScenarioControlTimesWithInfo(info);
    }

    DeviceReplies &devices() { return m_devices; }

private:
    TransmitterReplies m_transmitters;
    DeviceReplies m_devices;
    ScenarioReplies m_scenarios;
};
