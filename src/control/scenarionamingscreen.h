// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The naming screen at the end of a scenario's change, which started it.
class ScenarioNamingScreen {
public:
    virtual ~ScenarioNamingScreen() = default;
    // The members were answered: back to where the scenario was chosen.
    virtual void scenarioChangeAnswered() = 0;
    // The name was taken: back to the scenario list, when it is there.
    virtual void scenarioNamed() = 0;
};
