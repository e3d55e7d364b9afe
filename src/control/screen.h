// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A screen on the application's navigation stack, as the non-UI code sees it.
// What a screen can do is told by the role interfaces it also implements
// (ReloadableScreen, NavigationFrameScreen, ...); callers ask with dynamic_cast.
class Screen {
public:
    virtual ~Screen() = default;
};
