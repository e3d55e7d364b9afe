// SPDX-License-Identifier: GPL-3.0-or-later
#include "rediscovery.h"

Rediscovery::Rediscovery(std::function<void(const QString &)> locate, QObject *parent)
    : QObject(parent), m_locate(std::move(locate))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kRediscoveryMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &Rediscovery::getMasterGatewayIPAgain);
}

void Rediscovery::getGatewayIPAgain(const std::optional<QString> &transmitterId)
{
    m_timer.stop();
    m_transmitterId.clear();
    if (!transmitterId)
        return;
    m_transmitterId = *transmitterId;
    m_timer.start();
}

void Rediscovery::getMasterGatewayIPAgain()
{
    const QString transmitterId = std::exchange(m_transmitterId, {});
    m_timer.stop();
    m_locate(transmitterId);
}
