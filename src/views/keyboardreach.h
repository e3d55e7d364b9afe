// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Takes a part of a screen out of Tab's way while it is covered or slid
// away, and puts it back: each widget returns to its own focus policy.
namespace KeyboardReach {
void set(QWidget *part, bool reachable);
} // namespace KeyboardReach
