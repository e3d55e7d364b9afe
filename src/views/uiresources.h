#pragma once

// Makes the pictures of the screens (built into a static library) available.
// Call once, before the first screen is made.
void initUiResources();
