// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes the pictures of the screens (built into a static library) available.
// Call once, before the first screen is made.
void initUiResources();
