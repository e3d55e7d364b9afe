// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A screen drawn in the navigation frame: it has a bar (with the small
// activity indicator) and a content view that can carry the connection banner.
class NavigationFrameScreen {
public:
    enum class BannerIcon { Tick = 0, Cross = 1 };

    virtual ~NavigationFrameScreen() = default;

    // Bar indicator: shows the text as the bar title with the indicator beside it.
    virtual void startBarActivity(const QString &title) = 0;
    // Removes the bar indicator and restores the screen's own title.
    virtual void stopBarActivity() = 0;
    virtual bool hasBarActivity() const = 0;

    // Connection banner under the bar; adding one where one exists does nothing.
    virtual void showNetworkAlertViewWithImageName(const QString &imageName,
                                                   const QString &title) = 0;
    virtual bool hasConnectionBanner() const = 0;
    virtual void setConnectionBanner(BannerIcon icon, const QString &title) = 0;
    virtual void removeConnectionBanner() = 0;
};
