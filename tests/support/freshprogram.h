// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/applifecycle.h"
#include "core/programobjects.h"

#include <optional>

// The program's process-wide objects, fresh for one test: made when the test
// starts (in init(), or by a fixture made there) and destroyed when it ends
// (in cleanup()), so that nothing a test left outstanding, queued, armed,
// shown or remembered reaches the next. The store's file outlives them: a
// test's prepared home stays unless the test asks for an empty one.
class FreshProgram final {
public:
    enum class Home {
        AsStored, // the store's file as it is
        Empty,    // an empty home in a new store file, with its tables
    };

    explicit FreshProgram(Home home = Home::AsStored);
    FreshProgram(const FreshProgram &) = delete;
    FreshProgram &operator=(const FreshProgram &) = delete;

    // What every set gets of the front end's own (a screen test's on-screen
    // keyboard); set once, by the test executable's main.
    using FrontEnd = void (*)(ProgramObjects &objects);
    static void setFrontEnd(FrontEnd addObjects);

    const HomeServices &services() const { return m_objects.services(); }
    // The window's start, activation and resignation, as the app's main has them.
    AppLifecycle &lifecycle() { return m_lifecycle; }

private:
    ProgramObjects m_objects;
    AppLifecycle m_lifecycle{m_objects.services()};
};
