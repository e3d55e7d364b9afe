// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the home screen's main panel rests: at 0 with the menu closed, at
// 0.859375 of the width with it open. A sideways drag decides by how far the
// panel's centre moved from its resting place.
class MenuSlide {
public:
    static constexpr double kOpenFraction = 0.859375;
    static constexpr int kOvershoot = 10;
    static constexpr int kSlideMilliseconds = 200;
    static constexpr int kSettleMilliseconds = 100;

    static int openX(int windowWidth) { return int(windowWidth * kOpenFraction); }

    // Whether the menu was open when a drag started: the panel's centre at
    // or beyond the panel's width.
    static bool wasOpen(double startCentreX, double panelWidth)
    {
        return startCentreX >= panelWidth;
    }

    // Whether the menu is open when the drag ends. Started closed, the centre
    // must have moved more than a third of the width right of its resting
    // place; started open, it must still lie more than two thirds right of it.
    static bool opensAfterDrag(double startCentreX, double endCentreX, double panelWidth)
    {
        const double restingCentre = panelWidth / 2;
        const double moved = endCentreX - restingCentre;
        if (!wasOpen(startCentreX, panelWidth))
            return moved > panelWidth / 3;
        return moved > panelWidth * 2 / 3;
    }
};
