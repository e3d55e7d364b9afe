// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "homelookup.h"

// The stored home as the command channel sees it.
class StoreHomeLookup final : public HomeLookup {
public:
    std::optional<QVariantMap> firstTransmitter() const override;
    int lightingDeviceCount() const override;
};
