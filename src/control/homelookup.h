// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

// The few facts of the stored home that the command channel and the feedback
// service need before every send and after every time-out.
class HomeLookup {
public:
    virtual ~HomeLookup() = default;
    // The first stored transmitter (the master), if any.
    virtual std::optional<QVariantMap> firstTransmitter() const = 0;
    // How many stored device records are lights.
    virtual int lightingDeviceCount() const = 0;
};
