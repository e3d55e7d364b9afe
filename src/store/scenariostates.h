#pragma once

#include <QVariantMap>

// What running a scenario does to the stored lights, once the master has
// acknowledged the run.
class ScenarioStates {
public:
    // Each stored member takes the state the scenario gives it.
    static void applyMembers(const QVariantMap &scenario);
    // All lights on or off: switched lights by "YES"/"NO", dimmers to a level.
    static void switchAllLights(bool on);
};
