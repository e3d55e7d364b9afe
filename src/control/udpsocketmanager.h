// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"
#include "linkfeedback.h"
#include "replydispatch.h"
#include "storehomelookup.h"
#include "transport/channelcommand.h"
#include "transport/commandoutcome.h"
#include "transport/commandqueue.h"
#include "transport/gatewayreply.h"
#include "transport/operationlist.h"
#include "transport/rediscovery.h"
#include "transport/transmitterlinks.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class AppDelegate;
class Database;
class FlowFeedback;
class HomeEvents;
class HomeLookup;
class ReplyHandlers;

// The one channel to the transmitters, and the entry every flow sends
// through: checks a command, resolves where it goes and hands it to the
// queue (CommandQueue: one outstanding at a time, up to 8 waiting, all of
// them while an import runs); logs each outcome once; tells the person
// through LinkFeedback; hands each reply, with the records of the command it
// answers, to ReplyDispatch; and looks for a silent transmitter again
// (Rediscovery).
class UDPSocketManager final : public QObject, public OwnedInstance<UDPSocketManager> {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UDPSocketManager)

public:
    static constexpr quint16 kTransmitterPort = 9899;
    static constexpr double kReplyWaitSeconds = 10.0;
    static constexpr int kFollowUpMilliseconds = 110;
    static constexpr int kMaxQueuedCommands = CommandQueue::kMaxQueued;
    // A person's command waits at most this long behind a background query.
    static constexpr double kBackgroundReplyWaitSeconds = 1.5;
    // The environment variable whose seconds, when set, replace every reply
    // wait (as setReplyWaitOverride does): for tests of the programs.
    static constexpr const char *kReplyWaitVariable = "ARDENTIA_TEST_REPLY_WAIT";
    static inline const QString kGroupAddress = QStringLiteral("groupAddress");

    // Made and destroyed by ProgramObjects; instance() reaches it meanwhile.
    // Not owned: the store the replies change and the events that announce it.
    UDPSocketManager(Database *store, HomeEvents *events, AppDelegate *application);
    ~UDPSocketManager() override;

    // address: nullopt for the master, "groupAddress" for the subnet
    // broadcast, else the address itself. The reply is handled with
    // operations (an empty list when there are none).
    void sendMessageWithCommandArray(const QStringList &commandArray,
                                     const std::optional<QString> &address = std::nullopt,
                                     SharedOperations operations = {});
    // Starts a multi-step flow: sends the first entry's command; each reply
    // sends the next entry's. False when the list is empty.
    bool startOperationList(OperationList operations);
    // Sends the oldest queued command when nothing is outstanding; with an
    // empty queue, runs what waited for the channel to be free.
    void sendQueueRequest();
    std::optional<QString> getUDPAdressWithSendAddress(const std::optional<QString> &address) const;
    static QString getLocalAddressString();
    // How long the reply to this command is awaited, in seconds.
    double replyWaitFor(const QStringList &commandArray) const;
    void updateMainController();
    // Runs the call 0.11 s from now, after every follow-up scheduled before it.
    void scheduleFollowUp(std::function<void()> call) { m_queue.scheduleFollowUp(std::move(call)); }

    // Asks a channel for its state when nothing a person asked for is
    // outstanding or queued: a query never counts towards the queue's limit,
    // never shows, and a silence marks only that channel's state unknown.
    // A channel already waiting for its query is not asked twice.
    void queryStateInBackground(const QVariantMap &device);
    const QList<ChannelCommand> &backgroundQueue() const { return m_queue.backgroundQueued(); }
    void clearBackgroundQueue() { m_queue.clearBackgroundQueued(); }

    // Transmitter location: sends the locate request to the last address or
    // by broadcast, its reply handled with operations.
    void getGatewayIPWithID(const QString &transmitterId,
                            const std::optional<QString> &lastAddress = std::nullopt,
                            SharedOperations operations = {});
    // Locates the master at its stored address without an indicator; a lost
    // reply shows the failure like any other. A command given meanwhile
    // ends the check and goes at once.
    void checkMasterQuietly(const QString &masterId, const QString &address);
    // Looking for a silent transmitter again.
    Rediscovery &rediscovery() { return m_rediscovery; }

    // Reads a reply and hands it to the handler of its form with the records
    // of the command it answers; a text that is no reply reaches none.
    void handleReply(const QString &text, const SharedOperations &operations);
    void handleReply(const GatewayReply::Form &reply, const SharedOperations &operations);
    void updateDeviceAndScenarioControlTimesWithInfo(const GatewayReply::Form &reply);
    // Steps an operation list: sends entry index + 1 with the same list.
    void sendOperationQueueRequest(int index, const SharedOperations &operations);
    // The answer to the forced-removal question about the one record of operations.
    void alertViewClickedButtonAtIndex(int buttonIndex, const SharedOperations &operations);

    // When each transmitter last answered a command of this run.
    const TransmitterLinks &links() const { return m_links; }

    // A command has been sent and its outcome is not known yet.
    bool isCommandOutstanding() const { return m_queue.isOutstanding(); }
    // Commands wait: one is outstanding or an import runs.
    bool isBusy() const { return m_queue.isBusy(); }
    // The command awaiting its reply, if any.
    const ChannelCommand *outstandingCommand() const { return m_queue.outstanding(); }
    const QList<ChannelCommand> &udpQueueArray() const { return m_queue.queued(); }
    // Empties the queue; each command in it ends as dropped.
    void clearQueue();
    // The link failed (no answer in a wait, or a failed import): the top
    // screen redraws and the waiting commands end as dropped, unless it was
    // only the quiet check of the link; the master is looked for again.
    void linkFailed(bool quietCheck = false);
    // While an import runs, commands wait; when it ends they go out in order.
    void setImportRunning(bool running) { m_queue.setImportRunning(running); }
    // Runs the call once nothing is outstanding or queued: at once when free
    // (the quiet link check gives way to it); true when it ran at once.
    bool runWhenIdle(std::function<void()> call) { return m_queue.runWhenIdle(std::move(call)); }
    // Nothing outstanding, queued (background queries too), waiting or
    // still to follow up.
    bool isSettled() const { return m_queue.isSettled(); }
    // Nothing a person asked for is outstanding, queued, waiting or still to
    // follow up: a command given now goes out at once (the quiet link check
    // gives way to it), or after the one background query under way.
    bool isFreeForUser() const { return m_queue.isFreeForPerson(); }
    int pendingFollowUps() const { return m_queue.pendingFollowUps(); }
    // Drops the outstanding command, the queue and every waiting call without
    // an outcome: the process is ending, or a test starts afresh.
    void abandonCommands();

    // Who shows the link (indicator, banner) to the person; not owned, null
    // when nobody does. The link is kept the same either way.
    void setLinkWatcher(FlowFeedback *watcher) { m_linkFeedback.setWatcher(watcher); }
    LinkFeedback &linkFeedback() { return m_linkFeedback; }

    // Seams: the store view (not owned; null means the store itself), the reply
    // handlers (not owned; null restores the system's own), the transmitters'
    // port, and a reply wait that replaces every command's own.
    void setHomeLookup(HomeLookup *lookup);
    HomeLookup *homeLookup() const { return m_homeLookup; }
    void setReplyHandlers(ReplyHandlers *handlers) { m_replies.setHandlers(handlers); }
    void setTransmitterPort(quint16 port) { m_queue.setPort(port); }
    quint16 transmitterPort() const { return m_queue.port(); }
    void setReplyWaitOverride(std::optional<double> seconds) { m_replyWaitOverride = seconds; }
    void setFollowUpMilliseconds(int milliseconds)
    {
        m_queue.setFollowUpMilliseconds(milliseconds);
    }
    // Commands wait for their reply but nothing goes on the network (fuzzing).
    void setSendingOffline(bool offline) { m_queue.setOffline(offline); }

Q_SIGNALS:
    // A command's outcome has been handled: a reply, or none in its wait.
    void commandSettled(const QStringList &fields, bool replied);
    // Every command's outcome, once.
    void commandOutcome(const QStringList &fields, const CommandOutcome &outcome);

private:
    void onReply(const ChannelCommand &command, const QByteArray &datagram, bool owned);
    void onNoReply(const ChannelCommand &command);
    void logOutcome(const QStringList &fields, const CommandOutcome &outcome);
    void dispatchReply(const GatewayReply::Form &reply, const SharedOperations &operations);
    // The transmitter a command was meant for: the one a locate names, else
    // the master when it went to the master's address.
    QString transmitterOf(const ChannelCommand &command) const;

    CommandQueue m_queue;
    LinkFeedback m_linkFeedback;
    TransmitterLinks m_links;
    Rediscovery m_rediscovery;
    HomeEvents *m_events;
    StoreHomeLookup m_storedHome;
    HomeLookup *m_homeLookup;
    ReplyDispatch m_replies;
    std::optional<double> m_replyWaitOverride;
};
