// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Raises this process's limit of open files to the most it may have (the
// hard limit): every web connection, the broker's, the store's and the
// gateway's sockets share it, and a service's default of 1,024 is small.
// The limit in force after.
long raiseOpenFileLimit();
