// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class AppDelegate;
class Database;
class DelegateManager;
class FlowFeedback;
class HomeEvents;
class LiveHome;
class StateRefresh;
class TCPSocketManager;
class UDPSocketManager;

// The home's services, filled once by their owner (ProgramObjects) and handed
// to whoever works with them: a flow or a front end takes what it uses from
// here instead of looking it up. Each outlives everything it is handed to.
struct HomeServices {
    Database &store;
    DelegateManager &files;
    HomeEvents &events;
    AppDelegate &application;
    FlowFeedback &feedback;
    UDPSocketManager &channel;
    TCPSocketManager &import;
    StateRefresh &stateRefresh;
    LiveHome &live;
};
