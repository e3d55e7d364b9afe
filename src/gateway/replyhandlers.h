#pragma once

#include "operationlist.h"

#include <QString>

// The handlers that act on a reply, one per marker family, each given the
// whole reply text and the records of the command it answers.
class ReplyHandlers {
public:
    virtual ~ReplyHandlers() = default;
    virtual void overCommandWithServerInfo(const QString &info,
                                           const SharedOperations &operations) = 0;
    virtual void overGatewayIPWithServerInfo(const QString &info,
                                             const SharedOperations &operations) = 0;
    virtual void overLightingControlWithServerInfo(const QString &info,
                                                   const SharedOperations &operations) = 0;
    virtual void getLightingStateWithServerInfo(const QString &info,
                                                const SharedOperations &operations) = 0;
    virtual void overScenarioWithServerInfo(const QString &info,
                                            const SharedOperations &operations) = 0;
    virtual void overScenarioRunWithServerInfo(const QString &info,
                                               const SharedOperations &operations) = 0;
    virtual void updateDeviceAndScenarioControlTimesWithInfo(const QString &info) = 0;
};
