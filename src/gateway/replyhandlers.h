#pragma once

#include <QString>

// The handlers that act on a reply, one per marker family, each given the
// whole reply text.
class ReplyHandlers {
public:
    virtual ~ReplyHandlers() = default;
    virtual void overCommandWithServerInfo(const QString &info) = 0;
    virtual void overGatewayIPWithServerInfo(const QString &info) = 0;
    virtual void overLightingControlWithServerInfo(const QString &info) = 0;
    virtual void getLightingStateWithServerInfo(const QString &info) = 0;
    virtual void overScenarioWithServerInfo(const QString &info) = 0;
    virtual void updateDeviceAndScenarioControlTimesWithInfo(const QString &info) = 0;
};
