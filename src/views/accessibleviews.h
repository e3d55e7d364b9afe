// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What assistive technology hears of the custom widgets, which Qt would
// otherwise present as nameless panes: a widget that acts on a touch and
// takes the keyboard is a button or a list row with the press (and, for a
// row with a swipe panel, the menu) as its actions and its open or closed
// state; the level slider and the page dots are sliders with their value; a
// row that only shows something is a list row with nothing to press.
class QWidget;

namespace AccessibleViews {
// Installs the factory once; the widgets concerned call it as they are made.
void install();
// Drops what was made for the widget before it became one of these, so that
// the next question makes the right one.
void renew(QWidget *widget);
// Makes a row that only shows something, yet takes the keyboard so that a
// list can be read row by row, a list row (its name and description read out).
void markReadOnlyRow(QWidget *row);
} // namespace AccessibleViews
