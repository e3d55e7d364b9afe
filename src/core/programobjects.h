// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

#include <QObject>

#include <memory>
#include <vector>

class AppDelegate;
class Database;
class DelegateManager;
class HomeEvents;
class LiveHome;
class LiveHomeFeed;
class ShowAlertManager;
class StateRefresh;
class TCPSocketManager;
class UDPSocketManager;

// Owns the program's process-wide objects, those reached by X::instance():
// a program's main (or a test) makes one, and each instance() answers only
// while it lives. They are created in a fixed order, the store first, and
// destroyed in reverse, so that what one reaches while it ends is still there.
class ProgramObjects final {
public:
    ProgramObjects();
    ~ProgramObjects();
    ProgramObjects(const ProgramObjects &) = delete;
    ProgramObjects &operator=(const ProgramObjects &) = delete;

    // Takes an object of the front end's own (the app's on-screen keyboard):
    // the last adopted is destroyed first, and all before the set.
    void adopt(std::unique_ptr<QObject> object);

    // The same objects, for whoever this program hands them to.
    const HomeServices &services() const { return m_services; }

private:
    // The order of creation.
    std::unique_ptr<Database> m_store;
    std::unique_ptr<DelegateManager> m_files;
    std::unique_ptr<HomeEvents> m_homeEvents;
    std::unique_ptr<AppDelegate> m_application;
    std::unique_ptr<ShowAlertManager> m_feedback;
    std::unique_ptr<UDPSocketManager> m_channel;
    std::unique_ptr<TCPSocketManager> m_import;
    std::unique_ptr<StateRefresh> m_stateRefresh;
    std::unique_ptr<LiveHome> m_live;
    std::unique_ptr<LiveHomeFeed> m_liveFeed;
    HomeServices m_services;
    std::vector<std::unique_ptr<QObject>> m_frontEnd;
};
