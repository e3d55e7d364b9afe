// SPDX-License-Identifier: GPL-3.0-or-later
#include "livehome.h"

#include "store/recordkeys.h"

std::optional<LiveHome::Channel> LiveHome::channel(const QString &id) const
{
    const auto found = m_channels.constFind(id);
    if (found == m_channels.cend())
        return std::nullopt;
    return *found;
}

bool LiveHome::isAvailable(const QString &id) const
{
    const auto found = m_channels.constFind(id);
    return isMasterAnswering() && found != m_channels.cend() &&
           found->answering == Answering::Answering && found->isConfirmed();
}

QVariantMap LiveHome::withConfirmedState(QVariantMap device) const
{
    const auto found = m_channels.constFind(device.value(Key::id).toString());
    if (found != m_channels.cend() && found->isConfirmed())
        device.insert(Key::turnOn, found->state);
    return device;
}

QList<QVariantMap> LiveHome::withConfirmedStates(QList<QVariantMap> devices) const
{
    for (QVariantMap &device : devices)
        device = withConfirmedState(std::move(device));
    return devices;
}

void LiveHome::confirmState(const QString &id, const QString &state)
{
    Channel &channel = m_channels[id];
    const bool changed = channel.state != state || channel.answering != Answering::Answering ||
                         !channel.isConfirmed();
    channel.state = state;
    channel.confirmedAt = QDateTime::currentDateTimeUtc();
    channel.answering = Answering::Answering;
    masterAnswered(); // only the master passes the home's word on
    if (changed)
        Q_EMIT channelChanged(id);
}

void LiveHome::channelAnswered(const QString &id)
{
    masterAnswered();
    setChannelAnswering(id, Answering::Answering);
}

void LiveHome::channelSilent(const QString &id)
{
    setChannelAnswering(id, Answering::NotAnswering);
}

void LiveHome::setChannelAnswering(const QString &id, Answering answering)
{
    Channel &channel = m_channels[id];
    if (channel.answering == answering)
        return;
    channel.answering = answering;
    Q_EMIT channelChanged(id);
}

void LiveHome::masterAnswered()
{
    if (m_master == Answering::Answering)
        return;
    m_master = Answering::Answering;
    Q_EMIT masterChanged(m_master);
}

void LiveHome::masterSilent()
{
    if (m_master == Answering::NotAnswering)
        return;
    m_master = Answering::NotAnswering;
    Q_EMIT masterChanged(m_master);
}

void LiveHome::replaceChannels(const QStringList &ids)
{
    const QStringList before = m_channels.keys();
    for (const QString &id : before)
        if (!ids.contains(id))
            removeChannel(id);
    for (const QString &id : ids)
        if (!m_channels.contains(id)) {
            m_channels.insert(id, {});
            Q_EMIT channelChanged(id);
        }
}

void LiveHome::removeChannel(const QString &id)
{
    if (m_channels.remove(id) > 0)
        Q_EMIT channelChanged(id);
}
