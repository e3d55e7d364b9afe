// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenstack.h"

Screen *ScreenStack::topScreen() const
{
    const QList<Screen *> all = screens();
    return all.isEmpty() ? nullptr : all.constLast();
}

bool ScreenStack::contains(const Screen *screen) const
{
    return screens().contains(screen);
}

void ScreenStack::reloadTop() const
{
    if (auto *screen = topScreenAs<ReloadableScreen>())
        screen->updateMainView();
}
