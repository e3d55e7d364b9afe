// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakehome.h"

std::optional<QVariantMap> FakeHome::firstTransmitter() const
{
    if (m_transmitters.isEmpty())
        return std::nullopt;
    return m_transmitters.constFirst();
}

void FakeHome::addTransmitter(const QString &id, const QString &address)
{
    m_transmitters.append({{QStringLiteral("id"), id},
                           {QStringLiteral("type"), QStringLiteral("SuperBox")},
                           {QStringLiteral("address"), address}});
}

void FakeHome::clear()
{
    m_transmitters.clear();
    m_lights = 0;
}
