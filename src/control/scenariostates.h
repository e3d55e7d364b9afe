// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariantMap>

// What running a scenario does to the stored lights, once the master has
// acknowledged the run.
class ScenarioStates {
public:
    // Each stored member takes the state the scenario gives it; false when
    // the store could not take one.
    static bool applyMembers(const QVariantMap &scenario);
    // All lights on or off: switched lights by "YES"/"NO", dimmers to a level.
    static bool switchAllLights(bool on);
};
