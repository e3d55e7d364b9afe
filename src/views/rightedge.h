// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Lays a child out against its parent's right edge, whatever the parent's
// width: kept this far from the edge, or stretched up to this far from it.
// The rule follows every resize of the parent and ends with the child.
namespace RightEdge {
void keep(QWidget *child, int margin);
void stretch(QWidget *child, int margin);
} // namespace RightEdge
