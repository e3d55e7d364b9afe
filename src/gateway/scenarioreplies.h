#pragma once

#include "operationlist.h"

#include <QString>

class UDPSocketManager;

// Scenario naming and run acknowledgements, and the use counters every
// dispatched reply raises (devices by control, built-ins by switch-all,
// scenarios by run).
class ScenarioReplies {
public:
    explicit ScenarioReplies(UDPSocketManager *channel) : m_channel(channel) {}

    void overScenarioWithServerInfo(const QString &info);
    // A run the master acknowledged sets its members' stored states.
    void overScenarioRunWithServerInfo(const QString &info, const SharedOperations &operations);
    void updateDeviceAndScenarioControlTimesWithInfo(const QString &info);

private:
    UDPSocketManager *m_channel;
};
