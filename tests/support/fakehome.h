// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homelookup.h"

#include <QList>

// A stored home for tests of the channel: transmitters in store order and a count of lights.
class FakeHome final : public HomeLookup {
public:
    std::optional<QVariantMap> firstTransmitter() const override;
    int lightingDeviceCount() const override { return m_lights; }

    void addTransmitter(const QString &id, const QString &address);
    void setLightingDeviceCount(int count) { m_lights = count; }
    void clear();

private:
    QList<QVariantMap> m_transmitters;
    int m_lights = 0;
};
