// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfeedback.h"

#include "appdelegate.h"
#include "enrolmentoperations.h"
#include "flowcaller.h"
#include "flowfeedback.h"
#include "reloadablescreen.h"
#include "store/recordkeys.h"

#include <QCoreApplication>

namespace {
// The channels a device enrolment has stored so far.
int channelsStored(const OperationList &records)
{
    return int(std::count_if(records.cbegin(), records.cend(), [](const QVariantMap &e) {
        return e.contains(Key::insertDevice) && e.value(Key::haveSend).toString() == Value::yes;
    }));
}
} // namespace

void LinkFeedback::commandSent(const ChannelCommand &command)
{
    // The indicator shows while this command is outstanding; its outcome,
    // not the indicator's own timer, ends the wait.
    if (command.quiet || command.background)
        return;
    if (FlowCaller *caller = command.operations->caller.get())
        caller->showProgress(command.replyWaitSeconds);
    else if (m_watcher)
        m_watcher->startActivity(command.replyWaitSeconds, FlowFeedback::ActivityEnd::ByCaller);
}

void LinkFeedback::replied(const ChannelCommand &command, bool owned)
{
    if (owned && !command.quiet && !command.background)
        stopProgress(command);
    if (!command.background) { // the banner follows what people asked for and the link check
        AppDelegate::instance()->setIfConnected(AppDelegate::kConnected);
        if (m_watcher)
            m_watcher->transmitterConnectionSuccessful(2);
    }
}

bool LinkFeedback::unanswered(const ChannelCommand &command)
{
    // An enrolment cut short has stored some channels: those are its outcome.
    const OperationList &records = *command.operations;
    const bool enrolsTransmitter = EnrolmentOperations::enrolsTransmitter(records);
    // A rediscovery: a locate that no person and no enrolment waits for.
    const bool rediscovery = command.isLocate() && !command.quiet && !enrolsTransmitter;
    const int added = channelsStored(records);
    using Waiter = FlowFeedback::Waiter;
    const Waiter waiter = command.quiet ? Waiter::LinkCheck
                          : enrolsTransmitter || EnrolmentOperations::enrolsDevices(records)
                              ? Waiter::TopScreen
                              : Waiter::OtherCommand;
    // A rediscovery that goes unanswered after a transmitter has answered is
    // not reported (the stored address may simply be stale); any other
    // command, the enrolment's own locate and the quiet check of the link
    // included, that goes unanswered has failed, and the person is told once.
    AppDelegate *app = AppDelegate::instance();
    if (rediscovery && app->ifConnected() == AppDelegate::kConnected) {
        stopProgress(command);
        return false;
    }
    app->setIfConnected(AppDelegate::kConnectionFailed);
    FlowCaller *caller = command.quiet ? nullptr : records.caller.get();
    if (caller) {
        caller->stopProgress();
        FlowOutcome silence = FlowOutcome::noReply();
        silence.title =
            QCoreApplication::translate("ShowAlertManager", "Network connection failed");
        if (EnrolmentOperations::enrolsDevices(records))
            silence.accepted = added; // what an enrolment cut short has stored
        caller->report(silence);
    }
    if (m_watcher)
        m_watcher->activityOnTimeOutAfterAdding(added, caller ? Waiter::Caller : waiter);
    return true;
}

void LinkFeedback::dropped(const ChannelCommand &command)
{
    const OperationList &records = *command.operations;
    if (FlowCaller *caller = records.caller.get()) {
        caller->report({FlowOutcome::Kind::Dropped, {}, {}, {}, {}});
    } else if (m_watcher && (EnrolmentOperations::enrolsDevices(records) ||
                             EnrolmentOperations::enrolsTransmitter(records))) {
        // The screen waits for its own command's outcome: without it, its
        // Connect would simply stay.
        m_watcher->activityOnTimeOutAfterAdding(channelsStored(records),
                                                FlowFeedback::Waiter::TopScreen);
    }
}

void LinkFeedback::stopProgress(const ChannelCommand &command)
{
    if (FlowCaller *caller = command.operations->caller.get())
        caller->stopProgress();
    else if (m_watcher)
        m_watcher->stopActivity();
}

void LinkFeedback::commandWaits()
{
    if (auto *screen = AppDelegate::instance()->topScreenAs<ReloadableScreen>())
        screen->updateMainView();
}
