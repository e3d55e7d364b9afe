// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The naming screen at the end of scenario editing.
class ScenarioNamingScreen {
public:
    virtual ~ScenarioNamingScreen() = default;
};
