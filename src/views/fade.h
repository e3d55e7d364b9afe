// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;

// Animates a widget's opacity; done runs when the animation has ended (not
// when the widget went first). A widget faded to 0 can remove itself there.
class Fade {
public:
    static void run(QWidget *widget, double from, double to, int milliseconds,
                    std::function<void()> done = {});
    // Fades to transparent, then hides and deletes the widget, then done.
    static void outAndRemove(QWidget *widget, int milliseconds, std::function<void()> done = {});
};
