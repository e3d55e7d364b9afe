// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

// The import of a configuration of 1,000 channels, 8 scenarios and 4
// transmitters, next to the same rows inserted with one prepared statement
// in one transaction.
void runImportBench(const HomeServices &home);
