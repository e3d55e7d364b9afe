// SPDX-License-Identifier: GPL-3.0-or-later
#include "homeevents.h"

void HomeEvents::announceState(const QString &channelId, const QString &turnOn)
{
    m_unknown.remove(channelId);
    Q_EMIT channelStateChanged(channelId, turnOn);
}

void HomeEvents::announceReport(const QString &channelId, const QString &turnOn, bool differed)
{
    Q_EMIT channelStateReported(channelId, turnOn, differed);
    announceState(channelId, turnOn);
}

void HomeEvents::announceStateUnknown(const QString &channelId)
{
    m_unknown.insert(channelId);
    Q_EMIT channelStateUnknown(channelId);
}

void HomeEvents::announceScenarioRun(const QString &number)
{
    Q_EMIT scenarioRan(number);
}

void HomeEvents::announceScenarioUseCounted(const QString &number)
{
    Q_EMIT scenarioUseCounted(number);
}

void HomeEvents::announceChannelUseCounted(const QString &channelId)
{
    Q_EMIT channelUseCounted(channelId);
}

void HomeEvents::announceHomeAboutToBeReplaced(const QStringList &incomingChannelIds)
{
    Q_EMIT homeAboutToBeReplaced(incomingChannelIds);
}

void HomeEvents::announceHomeReplaced()
{
    m_unknown.clear();
    Q_EMIT homeReplaced();
}

void HomeEvents::announceRename(const QString &channelId, const QString &title)
{
    Q_EMIT channelRenamed(channelId, title);
}

void HomeEvents::announceRemoval(const QString &channelId)
{
    m_unknown.remove(channelId);
    Q_EMIT channelRemoved(channelId);
}

void HomeEvents::announceScenarioRemoval(const QString &number)
{
    Q_EMIT scenarioRemoved(number);
}

void HomeEvents::announceHomeChangedElsewhere()
{
    Q_EMIT homeChangedElsewhere();
}
