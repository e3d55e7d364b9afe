// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "channelcommand.h"
#include "followupqueue.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>

class CommandExchange;

// The order commands go out in: one outstanding at a time, as its own
// exchange; a person's commands wait their turn (at most kMaxQueued); the
// app's own state queries wait in a lane of their own and go only when no
// person waits; calls that need the channel free wait until it is; while an
// import runs, every command waits. What an outcome means is its owner's.
class CommandQueue final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandQueue)

public:
    static constexpr int kMaxQueued = 8;
    static constexpr quint16 kDefaultPort = 9899;

    // What the owner is told: a command has gone out; its reply has come
    // (owned: it was the outstanding command; it no longer is); its wait
    // ran out (still outstanding: its outcome is told first), and then it
    // has left.
    struct Listener {
        std::function<void(const ChannelCommand &command)> sent;
        std::function<void(const ChannelCommand &command, const QByteArray &datagram, bool owned)>
            replied;
        std::function<void(const ChannelCommand &command)> waitEnded;
        std::function<void(const ChannelCommand &command)> unanswered;
    };

    CommandQueue(int followUpMilliseconds, Listener listener, QObject *parent = nullptr);
    ~CommandQueue() override;

    enum class Admission { Sent, Queued, Refused };
    // A person's command: sent now when nothing is outstanding (a quiet link
    // check under way gives way to it), else queued; refused when the queue
    // is full.
    Admission submit(ChannelCommand command);
    // Sends at once, whatever waits (the quiet link check, asked for only
    // when nothing is outstanding).
    void sendNow(ChannelCommand command);
    // Sends the oldest queued command when nothing is outstanding; with an
    // empty queue, runs what waited for the channel to be free, then the
    // oldest state query.
    void sendNext();
    // Sends the oldest command a person queued, if any, without the pause
    // that follows a reply: it waited behind the app's own query only.
    void sendNextForPerson();
    // A state query for the lane, unless the same one waits or is outstanding;
    // false when it was not taken.
    bool addBackgroundQuery(ChannelCommand command);
    // Runs the call once nothing is outstanding or queued: at once when free
    // (a quiet link check under way gives way to it, as to a person's
    // command); true when it ran at once.
    bool runWhenIdle(std::function<void()> call);
    // While an import runs, commands wait; when it ends they go out in order.
    void setImportRunning(bool running);
    // Runs the call 0.11 s from now, after every follow-up scheduled before it.
    void scheduleFollowUp(std::function<void()> call) { m_followUps.schedule(std::move(call)); }

    bool isBusy() const { return m_outstanding || m_importRunning; }
    bool isOutstanding() const { return m_outstanding != nullptr; }
    const ChannelCommand *outstanding() const;
    // Nothing outstanding, queued (state queries too), waiting or to follow up.
    bool isSettled() const;
    // Nothing a person asked for is outstanding, queued, waiting or still to
    // follow up (the quiet link check gives way to a person's command, so it
    // does not count).
    bool isFreeForPerson() const;
    const QList<ChannelCommand> &queued() const { return m_queued; }
    const QList<ChannelCommand> &backgroundQueued() const { return m_background; }
    void clearBackgroundQueued() { m_background.clear(); }
    // Empties the person's queue; the commands it held.
    QList<ChannelCommand> takeQueued() { return std::exchange(m_queued, {}); }
    int pendingFollowUps() const { return m_followUps.pendingCount(); }
    // Drops the outstanding command, both queues, every waiting call and
    // follow-up, without an outcome.
    void abandon();

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    void setFollowUpMilliseconds(int milliseconds) { m_followUps.setDelay(milliseconds); }
    // Commands wait for their reply but nothing goes on the network (fuzzing).
    void setOffline(bool offline) { m_offline = offline; }

private:
    // Ends the quiet link check under way, if any, without an outcome.
    void giveWayToPerson();
    void onReply(CommandExchange *exchange, const QByteArray &datagram);
    void onNoReply(CommandExchange *exchange);
    // The exchange's outcome is in: it is no longer outstanding and goes.
    void settle(CommandExchange *exchange);
    void runIdleCalls();

    Listener m_listener;
    FollowUpQueue m_followUps;
    QList<ChannelCommand> m_queued;
    QList<ChannelCommand> m_background;
    QList<std::function<void()>> m_idleCalls;
    CommandExchange *m_outstanding = nullptr;
    bool m_importRunning = false;
    quint16 m_port = kDefaultPort;
    bool m_offline = false;
};
