// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a command that only reads or asks something prints: its text, or why
// it failed.
struct PrintedOutcome {
    bool done = true;
    QString text;
};
