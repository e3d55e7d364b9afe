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

    Screen *topScreen() const
    {
        const QList<Screen *> all = screens();
        return all.isEmpty() ? nullptr : all.constLast();
    }

    bool contains(const Screen *screen) const { return screens().contains(screen); }

    virtual void popScreen(bool animated) = 0;
    virtual void popToScreen(Screen *screen, bool animated) = 0;

    // What the home shows may be out of date: the screen showing reads the
    // store again.
    void reloadTop() const
    {
        if (auto *screen = topScreenAs<ReloadableScreen>())
            screen->updateMainView();
    }

    // The top screen when it plays the given role, else null.
    template <typename Role> Role *topScreenAs() const { return dynamic_cast<Role *>(topScreen()); }
};
