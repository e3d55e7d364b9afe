// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The camera torch the scanner toggles.
class TorchControl {
public:
    virtual ~TorchControl() = default;
    virtual bool hasTorch() const = 0;
    virtual bool isTorchOn() const = 0;
    virtual void setTorchOn(bool on) = 0;
};
