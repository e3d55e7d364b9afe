// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

// The bridge against a real mosquitto and the simulator: a "set" to its
// retained state against the same command through the channel alone, and a
// soak of commands with replies dropped.
void runMqttBench(const HomeServices &home, int commands);
