// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program keeps some state process-wide (the command channel and its
// queue, the rediscovery timer, the indicator and banner, the connection
// flags, the refresh spacing, the channels of unknown state, the store's
// file). Every test puts it back with these, so no test leans on another's.
namespace ProgramState {
// Back to a program that just started: nothing outstanding, queued, awaited
// or armed on the channel, no indicator or banner, the connection unknown,
// no state unknown, no refresh remembered. The store is left as it is.
void reset();
// reset(), then an empty home in a new store file with its tables.
void resetToEmptyHome();
} // namespace ProgramState
