// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

// A reply from the simulator to each front end's view of it (what a screen
// reads from the live home, the MQTT state message, the page's state
// message), against the reply's own handling by the channel.
void runLiveBench(const HomeServices &home, int presses);
