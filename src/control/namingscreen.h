// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A naming screen (device or scenario naming), closed after a scenario change.
class NamingScreen {
public:
    virtual ~NamingScreen() = default;
};
