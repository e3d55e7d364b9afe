// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A backup of a home of 500 channels and 8 scenarios with photos, and its
// restore onto a new card: the time of each and the file's size.
void runBackupBench();
