// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

// Store operations on a home of 500 channels, 8 scenarios of 60 members and
// 3 transmitters, each next to the same operations on one kept-open connection.
void runStoreBench(const HomeServices &home);
