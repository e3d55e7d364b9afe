// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

// Many commands of every kind through the real channel, handlers and store
// against the simulator dropping and delaying replies: what the person was
// told, what the store holds, whether anything was left hanging.
void runSoakBench(const HomeServices &home, int commands);
