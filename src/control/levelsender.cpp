// SPDX-License-Identifier: GPL-3.0-or-later
#include "levelsender.h"

#include "flowcaller.h"
#include "udpsocketmanager.h"

LevelSender::LevelSender(const HomeServices &home, std::shared_ptr<FlowCaller> caller,
                         QObject *parent)
    : QObject(parent), m_channel(home.channel), m_commands(home), m_caller(std::move(caller))
{
    m_poll.setInterval(kPollMilliseconds);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (channelIsFree())
            sendPending();
    });
}

bool LevelSender::channelIsFree() const
{
    return m_channel.isFreeForUser();
}

void LevelSender::submit(const QVariantMap &device, int level)
{
    m_pending = device;
    m_pendingLevel = level;
    if (channelIsFree())
        sendPending();
    else
        m_poll.start();
}

void LevelSender::sendPending()
{
    m_poll.stop();
    if (!m_pending)
        return;
    QVariantMap device = *m_pending;
    m_pending.reset();
    m_commands.dimLight(device, m_pendingLevel, m_caller);
}
