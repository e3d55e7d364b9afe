// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A layer over the window (a sheet, a viewfinder) that Esc closes the way
// its Cancel does.
class Dismissable {
public:
    virtual ~Dismissable() = default;
    virtual void dismiss() = 0;
};
