// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "homelookup.h"

class Database;

// The stored home as the command channel sees it.
class StoreHomeLookup final : public HomeLookup {
public:
    explicit StoreHomeLookup(Database &store) : m_store(store) {}

    std::optional<QVariantMap> firstTransmitter() const override;
    int lightingDeviceCount() const override;

private:
    Database &m_store;
};
