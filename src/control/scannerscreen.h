// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The scanner screen, when it is on top.
class ScannerScreen {
public:
    virtual ~ScannerScreen() = default;
    virtual void setScanType(const std::optional<QString> &scanType) = 0;
};
