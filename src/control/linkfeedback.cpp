// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfeedback.h"

#include "appdelegate.h"
#include "enrolmentoperations.h"
#include "flowfeedback.h"
#include "reloadablescreen.h"
#include "store/recordkeys.h"

void LinkFeedback::commandSent(const ChannelCommand &command)
{
    // The indicator shows while this command is outstanding; its outcome,
    // not the indicator's own timer, ends the wait.
    if (!command.quiet && !command.background)
        FlowFeedback::instance()->startActivity(command.replyWaitSeconds,
                                                FlowFeedback::ActivityEnd::ByCaller);
}

void LinkFeedback::replied(const ChannelCommand &command, bool owned)
{
    FlowFeedback *feedback = FlowFeedback::instance();
    if (owned && !command.quiet && !command.background)
        feedback->stopActivity();
    if (!command.background) { // the banner follows what people asked for and the link check
        AppDelegate::instance()->setIfConnected(AppDelegate::kConnected);
        feedback->transmitterConnectionSuccessful(2);
    }
}

void LinkFeedback::unanswered(const ChannelCommand &command)
{
    // An enrolment cut short has stored some channels: those are its outcome.
    const OperationList &records = *command.operations;
    const bool enrolsTransmitter = EnrolmentOperations::enrolsTransmitter(records);
    // A rediscovery: a locate that no person and no enrolment waits for.
    const bool rediscovery = command.isLocate() && !command.quiet && !enrolsTransmitter;
    const int added = int(std::count_if(records.cbegin(), records.cend(), [](const QVariantMap &e) {
        return e.contains(Key::insertDevice) && e.value(Key::haveSend).toString() == Value::yes;
    }));
    using Waiter = FlowFeedback::Waiter;
    const Waiter waiter = command.quiet ? Waiter::LinkCheck
                          : enrolsTransmitter || EnrolmentOperations::enrolsDevices(records)
                              ? Waiter::TopScreen
                              : Waiter::OtherCommand;
    FlowFeedback *feedback = FlowFeedback::instance();
    // A rediscovery that goes unanswered after a transmitter has answered is
    // not reported (the stored address may simply be stale); any other
    // command, the enrolment's own locate and the quiet check of the link
    // included, that goes unanswered has failed, and the person is told once.
    if (rediscovery && AppDelegate::instance()->ifConnected() == AppDelegate::kConnected)
        feedback->stopActivity();
    else
        feedback->activityOnTimeOutAfterAdding(added, waiter);
}

void LinkFeedback::commandWaits()
{
    if (auto *screen = AppDelegate::instance()->topScreenAs<ReloadableScreen>())
        screen->updateMainView();
}
