// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScrollArea;

// Scrolls a list to the control the keyboard focus lands on inside it,
// wherever Tab came from (a bar above the list scrolls nothing by itself).
// A paged view turns to the page that holds it.
namespace FollowFocus {
void install(QScrollArea *area);
} // namespace FollowFocus
