// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Keeps Tab inside a layer over the window (a sheet, a dialog, a viewfinder)
// while it shows, and gives the focus back to where it was when it goes.
namespace FocusTrap {
// Takes the focus into the layer: the next Tab reaches its first control.
void enter(QWidget *layer);
// For the layer's focusNextPrevChild: its next or previous control, round
// and round; what lies under the layer is never reached.
bool cycle(QWidget *layer, bool next);
} // namespace FocusTrap
