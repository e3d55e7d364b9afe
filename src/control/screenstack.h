// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reloadablescreen.h"
#include "screen.h"

#include <QList>

// The application's one navigation stack, bottom first.
class ScreenStack {
public:
    virtual ~ScreenStack() = default;
    virtual QList<Screen *> screens() const = 0;

    Screen *topScreen() const;
    bool contains(const Screen *screen) const;

    virtual void popScreen(bool animated) = 0;
    virtual void popToScreen(Screen *screen, bool animated) = 0;

    // What the home shows may be out of date: the screen showing reads the
    // store again.
    void reloadTop() const;

    // The top screen when it plays the given role, else null.
    template <typename Role> Role *topScreenAs() const { return dynamic_cast<Role *>(topScreen()); }
};
