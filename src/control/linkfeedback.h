// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/channelcommand.h"

class AppDelegate;
class FlowFeedback;

// The link's state as replies come or fail to, and what the person sees of
// it when someone watches: the indicator while a command they gave is
// outstanding, the connection banner, and the top screen redrawn when a
// command has to wait its turn.
class LinkFeedback {
public:
    // Keeps the application's connection state.
    explicit LinkFeedback(AppDelegate &application) : m_application(application) {}

    // Not owned; null: nobody watches, the link state is kept all the same.
    void setWatcher(FlowFeedback *watcher) { m_watcher = watcher; }
    FlowFeedback *watcher() const { return m_watcher; }

    void commandSent(const ChannelCommand &command);
    // owned: the reply answers the outstanding command.
    void replied(const ChannelCommand &command, bool owned);
    // A command a person gave, or the link check, went unanswered in its
    // wait. True when that means the link failed (a rediscovery of a stale
    // address after an answer does not).
    bool unanswered(const ChannelCommand &command);
    // A queued command was dropped unsent (the link failed): its flow's
    // caller hears so, and an enrolment's screen is told as when its command
    // goes unanswered.
    void dropped(const ChannelCommand &command);
    void commandWaits();

    // The import of the home's configuration, for a person watching: its
    // indicator while it runs for at most seconds, its end; its failure,
    // after its starter's step was told (stepTold) or not; its answer.
    void importWaits(double seconds);
    void importEnded();
    void importFailed(bool stepTold);
    void importAnswered();
    // The home was emptied: the link is unknown again and nothing shows.
    void linkReset();

private:
    void stopProgress(const ChannelCommand &command);

    AppDelegate &m_application;
    FlowFeedback *m_watcher = nullptr;
};
