// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// 64 schedules (clock times, single runs, sunrise and sunset) over a
// simulated year: the time to compute the next run of all 64.
void runScheduleBench();
