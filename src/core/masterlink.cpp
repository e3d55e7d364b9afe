// SPDX-License-Identifier: GPL-3.0-or-later
#include "masterlink.h"

#include "control/udpsocketmanager.h"

MasterLink::MasterLink(const HomeServices &home, QObject *parent)
    : QObject(parent), m_home(&home.live)
{
    connect(&home.channel, &UDPSocketManager::commandOutcome, this, &MasterLink::onOutcome);
    connect(m_home, &LiveHome::masterChanged, this, &MasterLink::onMasterChanged);
}

std::optional<bool> MasterLink::isOnline() const
{
    if (m_home->master() == LiveHome::Answering::NotYetKnown)
        return std::nullopt;
    return m_home->isMasterAnswering();
}

QString MasterLink::stateName() const
{
    const std::optional<bool> online = isOnline();
    if (!online)
        return QStringLiteral("unknown");
    return *online ? QStringLiteral("online") : QStringLiteral("offline");
}

std::optional<qint64> MasterLink::secondsSinceAnswer() const
{
    if (!m_sinceAnswer.isValid())
        return std::nullopt;
    return m_sinceAnswer.elapsed() / 1000;
}

void MasterLink::onOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    Q_UNUSED(fields)
    if (!outcome.isAnswer())
        return;
    m_sinceAnswer.start();
    Q_EMIT answered();
}

void MasterLink::onMasterChanged(LiveHome::Answering answering)
{
    const bool online = answering == LiveHome::Answering::Answering;
    const bool silentBefore = m_wasSilent;
    m_wasSilent = answering == LiveHome::Answering::NotAnswering;
    Q_EMIT changed(online);
    if (online && silentBefore)
        Q_EMIT cameBack();
}
