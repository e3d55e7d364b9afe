// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct HomeServices;

// Refreshing the states of 13 and 100 lights in the channel's background
// lane against the simulator with 0-50 ms reply delays, and the latency of a
// press given during a refresh against the same press on an idle channel.
void runRefreshBench(const HomeServices &home);
