#pragma once

#include <QString>

class UDPSocketManager;

// Scenario naming acknowledgements, and the use counters every dispatched
// reply raises (devices by control, built-ins by switch-all, scenarios by run).
class ScenarioReplies {
public:
    void overScenarioWithServerInfo(const QString &info);
    void updateDeviceAndScenarioControlTimesWithInfo(const QString &info);
};
