// SPDX-License-Identifier: GPL-3.0-or-later
#include "masterlink.h"

#include "control/udpsocketmanager.h"
#include "transport/wirevocabulary.h"

MasterLink::MasterLink(QObject *parent) : QObject(parent)
{
    connect(UDPSocketManager::instance(), &UDPSocketManager::commandOutcome, this,
            &MasterLink::onOutcome);
}

QString MasterLink::stateName() const
{
    if (!m_online)
        return QStringLiteral("unknown");
    return *m_online ? QStringLiteral("online") : QStringLiteral("offline");
}

std::optional<qint64> MasterLink::secondsSinceAnswer() const
{
    if (!m_sinceAnswer.isValid())
        return std::nullopt;
    return m_sinceAnswer.elapsed() / 1000;
}

void MasterLink::onOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    if (outcome.isAnswer()) {
        m_sinceAnswer.start();
        setOnline(true);
        Q_EMIT answered();
        return;
    }
    const bool stateQuery = Wire::isChannelFamily(Wire::familyOf(fields)) &&
                            Wire::operationOf(fields) == ChannelOperation::StateQuery;
    if (outcome.kind == CommandOutcome::Kind::NoReply && !stateQuery)
        setOnline(false);
}

void MasterLink::setOnline(bool online)
{
    if (m_online == online)
        return;
    const bool silentBefore = m_online == false;
    m_online = online;
    Q_EMIT changed(online);
    if (online && silentBefore)
        Q_EMIT cameBack();
}
