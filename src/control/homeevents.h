// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

// One announcement of what the home confirmed, made after the store has
// taken it (an acknowledgement, a state answer, a scenario run, all lights
// switched, an import, a rename, a removal): the screens and the
// command-line tool follow it instead of asking each other. A change another
// program made to the store is announced too, for those that hold the home.
// It also knows which channels left their last state query unanswered:
// their stored state is not to be trusted until they answer again.
class HomeEvents final : public QObject, public OwnedInstance<HomeEvents> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HomeEvents)

public:
    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    HomeEvents() = default;

    bool isStateUnknown(const QString &channelId) const { return m_unknown.contains(channelId); }

    // The store holds this state for the channel now.
    void announceState(const QString &channelId, const QString &turnOn);
    // A state query was answered: what the channel reported, and whether
    // that differed from what the store held.
    void announceReport(const QString &channelId, const QString &turnOn, bool differed);
    void announceStateUnknown(const QString &channelId);
    void announceScenarioRun(const QString &number);
    // A scenario's run was counted in the store (after its run was announced).
    void announceScenarioUseCounted(const QString &number);
    // A channel's acknowledged control was counted in the store (after its state was announced).
    void announceChannelUseCounted(const QString &channelId);
    // An import is about to replace the home with one of these channels.
    void announceHomeAboutToBeReplaced(const QStringList &incomingChannelIds);
    void announceHomeReplaced();
    void announceRename(const QString &channelId, const QString &title);
    void announceRemoval(const QString &channelId);
    // A user scenario was deleted from the store (its members let go).
    void announceScenarioRemoval(const QString &number);
    // Another program (ardentia-ctl, the app) committed a change to the
    // store: whatever a front end holds of it is to be read again. What the
    // home confirmed stays as it was.
    void announceHomeChangedElsewhere();

Q_SIGNALS:
    void channelStateChanged(const QString &channelId, const QString &turnOn);
    void channelStateReported(const QString &channelId, const QString &turnOn, bool differed);
    void channelStateUnknown(const QString &channelId);
    void scenarioRan(const QString &number);
    void scenarioUseCounted(const QString &number);
    void channelUseCounted(const QString &channelId);
    // Delivered before the store changes: a listener may still read or copy it.
    void homeAboutToBeReplaced(const QStringList &incomingChannelIds);
    void homeReplaced();
    void channelRenamed(const QString &channelId, const QString &title);
    void channelRemoved(const QString &channelId);
    void scenarioRemoved(const QString &number);
    void homeChangedElsewhere();

private:
    QSet<QString> m_unknown;
};
