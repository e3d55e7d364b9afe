#pragma once

// Roles of screens that reply handlers look for on the navigation stack.
// They carry no operations: the handlers only ask whether the top screen is
// one of them and then pop it or pop to it.

// A naming screen (device or scenario naming), closed after a scenario change.
class NamingScreen {
public:
    virtual ~NamingScreen() = default;
};

// The naming screen at the end of scenario editing.
class ScenarioNamingScreen {
public:
    virtual ~ScenarioNamingScreen() = default;
};

// The scenario list, returned to once a scenario is named.
class ScenarioListScreen {
public:
    virtual ~ScenarioListScreen() = default;
};
