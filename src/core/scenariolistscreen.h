#pragma once

// The scenario list, returned to once a scenario is named.
class ScenarioListScreen {
public:
    virtual ~ScenarioListScreen() = default;
};
