// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A screen that keeps its own choice of a device's state (not the stored
// one) and puts it back when the master refuses the control command for it.
class ControlRefusalScreen {
public:
    virtual ~ControlRefusalScreen() = default;
    virtual void controlRefused(const QString &deviceId) = 0;
};
