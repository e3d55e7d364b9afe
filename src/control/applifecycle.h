// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "homeservices.h"

class Database;

// What the program does as its window starts, shows and hides, and the
// quiet check of the master's link: the same for every front end that has
// a lifecycle (the app's window, the bridge's link check).
class AppLifecycle {
public:
    explicit AppLifecycle(const HomeServices &home) : m_home(home) {}

    void applicationDidFinishLaunching();
    void applicationDidBecomeActive();
    void applicationWillResignActive();
    // While the window shows and nothing else is under way: the master is
    // located without an indicator; only a failure shows.
    void locateMasterQuietly();
    // Gives the two default transmitter titles the interface's language.
    static void localiseTransmitterTitles(Database &store);

private:
    HomeServices m_home;
};
