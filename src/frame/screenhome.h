// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"

// The home's services as the app's screens hand them to the flows they
// start: the program's own, while its ProgramObjects lives.
HomeServices screenHome();
