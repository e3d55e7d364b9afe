// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The home screen, refreshed after an import.
class HomeScreen {
public:
    virtual ~HomeScreen() = default;
    virtual void updateCenterView() = 0;
};
