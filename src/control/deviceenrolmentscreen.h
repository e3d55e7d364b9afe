// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The controller enrolment screen, told how many channels were accepted.
class DeviceEnrolmentScreen {
public:
    virtual ~DeviceEnrolmentScreen() = default;
    virtual void panelAddSucceed(const QString &acceptedCount) = 0;
};
