// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/appwindow.h"
#include "frame/navigationstack.h"
#include "frame/parentpresentviewcontroller.h"
#include "freshprogram.h"
#include "transmitterserver.h"

#include <QSize>
#include <QStringList>

#include <memory>

class HomeViewController;

// The real app window and the transmitter simulator in this process, on
// loopback: what tests that drive screens against a home stand on. Made
// fresh for each test, on fresh program objects and an empty home in a new
// store, and dropped after it with them.
class SimulatedWindow {
public:
    SimulatedWindow();
    virtual ~SimulatedWindow();
    SimulatedWindow(const SimulatedWindow &) = delete;
    SimulatedWindow &operator=(const SimulatedWindow &) = delete;

    // Starts the simulator on this home, with the command channel and the
    // import pointed at it; false (and a warning) when it cannot start.
    [[nodiscard]] bool startSimulator(SimulatedHome home = SimulatedHome::demo());
    // Shows the window (at this size, when one is given) and waits until it is exposed.
    [[nodiscard]] bool openWindow(QSize size = {});

    AppWindow *window() const { return m_window.get(); }
    FreshProgram &program() { return m_program; }
    TransmitterServer *simulator() const { return m_simulator.get(); }
    NavigationStack *stack() const { return m_window->navigationController(); }
    ParentPresentViewController *top() const { return stack()->top(); }
    template <typename T> T *topAs() const { return dynamic_cast<T *>(top()); }
    HomeViewController *home() const;

    // Pushes a screen as its opener does and lets it read the store.
    template <typename T> T *open(T *screen)
    {
        stack()->push(screen, false);
        screen->updateMainView();
        return screen;
    }

    // Shortens the pause between commands on the channel from the home's
    // 0.11 s to a few milliseconds: for tests that check what the screens
    // show and store, not the channel's pace, which would otherwise spend
    // most of their time waiting.
    static void quickenChannel();
    // Waits until no command is outstanding, queued or has follow-ups to run.
    [[nodiscard]] static bool channelSettled(int timeoutMs = 5000);
    // The title of the toast on the window, or nothing.
    QString lastToast() const;

    // The lines the simulator received ("cfg,lig,ID,4,1,0,0"), and those
    // that name this text (an ID, or ",12," for an operation).
    QStringList received() const { return m_received; }
    QStringList receivedFor(const QString &text) const;
    void clearReceived() { m_received.clear(); }

private:
    FreshProgram m_program{FreshProgram::Home::Empty}; // outlives the window and the simulator
    std::unique_ptr<TransmitterServer> m_simulator;
    std::unique_ptr<AppWindow> m_window;
    QStringList m_received;
};
