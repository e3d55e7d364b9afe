// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The transmitter enrolment screen, told how its enrolment ended.
class TransmitterEnrolmentScreen {
public:
    virtual ~TransmitterEnrolmentScreen() = default;
    virtual void superBoxAddSucceed(bool succeeded) = 0;
};
