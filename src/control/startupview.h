// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The start-up views: the logo overlay and the welcome pages.
class StartUpView {
public:
    virtual ~StartUpView() = default;
    // First start: the welcome pages fade in, then the overlay goes.
    virtual void showWelcomePages() = 0;
    // Later starts: the overlay fades out and the top screen refreshes.
    virtual void hideLogoAndRefresh() = 0;
};
