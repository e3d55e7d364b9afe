// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A screen that shows the home from the store and can read it again.
class ReloadableScreen {
public:
    virtual ~ReloadableScreen() = default;
    virtual void updateMainView() = 0;
};
