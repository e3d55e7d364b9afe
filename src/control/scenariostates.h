// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariantMap>

class Database;
class HomeEvents;

// What running a scenario does to the stored lights, once the master has
// acknowledged the run.
class ScenarioStates {
public:
    // Each stored member takes the state the scenario gives it; false when
    // the store could not take one.
    ScenarioStates(Database &store, HomeEvents &events) : m_store(store), m_events(events) {}

    bool applyMembers(const QVariantMap &scenario) const;
    // All lights on or off: switched lights by "YES"/"NO", dimmers to a level.
    bool switchAllLights(bool on) const;

private:
    Database &m_store;
    HomeEvents &m_events;
};
