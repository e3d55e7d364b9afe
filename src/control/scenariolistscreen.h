// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The scenario list, returned to once a scenario is named.
class ScenarioListScreen {
public:
    virtual ~ScenarioListScreen() = default;
};
