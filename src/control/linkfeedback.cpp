// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfeedback.h"

#include "appdelegate.h"
#include "enrolmentoperations.h"
#include "flowcaller.h"
#include "flowfeedback.h"
#include "screenstack.h"

#include <QCoreApplication>

void LinkFeedback::commandSent(const ChannelCommand &command)
{
    // The indicator shows while this command is outstanding; its outcome,
    // not the indicator's own timer, ends the wait.
    if (command.quiet || command.background)
        return;
    if (FlowCaller &caller = FlowCaller::of(*command.operations); !caller.personWatches())
        caller.showProgress(command.replyWaitSeconds);
    else if (m_watcher)
        m_watcher->startActivity(command.replyWaitSeconds, FlowFeedback::ActivityEnd::ByCaller);
}

void LinkFeedback::replied(const ChannelCommand &command, bool owned)
{
    if (owned && !command.quiet && !command.background)
        stopProgress(command);
    if (!command.background) { // the banner follows what people asked for and the link check
        m_application.setIfConnected(AppDelegate::kConnected);
        if (m_watcher)
            m_watcher->transmitterConnectionSuccessful(2);
    }
}

bool LinkFeedback::unanswered(const ChannelCommand &command)
{
    const OperationList &records = *command.operations;
    // A rediscovery: a locate that no person and no enrolment waits for.
    const bool rediscovery =
        command.isLocate() && !command.quiet && !EnrolmentOperations::enrolsTransmitter(records);
    // A rediscovery that goes unanswered after a transmitter has answered is
    // not reported (the stored address may simply be stale); any other
    // command, the enrolment's own locate and the quiet check of the link
    // included, that goes unanswered has failed, and the person is told once.
    AppDelegate *app = &m_application;
    if (rediscovery && app->ifConnected() == AppDelegate::kConnected) {
        stopProgress(command);
        return false;
    }
    app->setIfConnected(AppDelegate::kConnectionFailed);
    using Waiter = FlowFeedback::Waiter;
    Waiter waiter = Waiter::LinkCheck;
    if (!command.quiet) {
        FlowCaller &starter = FlowCaller::of(records);
        if (!starter.personWatches()) {
            starter.stopProgress();
            FlowOutcome silence = FlowOutcome::noReply();
            silence.title =
                QCoreApplication::translate("ShowAlertManager", "Network connection failed");
            if (EnrolmentOperations::enrolsDevices(records)) // what it stored before
                silence.accepted = EnrolmentOperations::channelsStored(records);
            starter.report(silence);
            waiter = Waiter::Caller;
        } else {
            waiter =
                EnrolmentOperations::tellCutShort(starter, records) ? Waiter::Step : Waiter::Person;
        }
    }
    if (m_watcher)
        m_watcher->activityOnTimeOut(waiter);
    return true;
}

void LinkFeedback::dropped(const ChannelCommand &command)
{
    const OperationList &records = *command.operations;
    FlowCaller &caller = FlowCaller::of(records);
    if (!caller.personWatches()) {
        caller.report({FlowOutcome::Kind::Dropped, {}, {}, {}, {}});
    } else if (EnrolmentOperations::enrolsDevices(records) ||
               EnrolmentOperations::enrolsTransmitter(records)) {
        // The screen waits for its own command's outcome: without it, its
        // Connect would simply stay.
        const bool told = EnrolmentOperations::tellCutShort(caller, records);
        if (m_watcher)
            m_watcher->activityOnTimeOut(told ? FlowFeedback::Waiter::Step
                                              : FlowFeedback::Waiter::Person);
    }
}

void LinkFeedback::stopProgress(const ChannelCommand &command)
{
    if (FlowCaller &caller = FlowCaller::of(*command.operations); !caller.personWatches())
        caller.stopProgress();
    else if (m_watcher)
        m_watcher->stopActivity();
}

void LinkFeedback::commandWaits()
{
    if (const ScreenStack *stack = m_application.navigationController())
        stack->reloadTop();
}

void LinkFeedback::importWaits(double seconds)
{
    if (m_watcher)
        m_watcher->startActivity(seconds, FlowFeedback::ActivityEnd::ByCaller);
}

void LinkFeedback::importEnded()
{
    if (m_watcher)
        m_watcher->stopActivity();
}

void LinkFeedback::importFailed(bool stepTold)
{
    if (m_watcher)
        m_watcher->activityOnTimeOut(stepTold ? FlowFeedback::Waiter::Step
                                              : FlowFeedback::Waiter::Person);
}

void LinkFeedback::importAnswered()
{
    if (m_watcher)
        m_watcher->transmitterConnectionSuccessful(2);
}

void LinkFeedback::linkReset()
{
    if (!m_watcher)
        return;
    m_watcher->transmitterConnectionSuccessful(1);
    m_watcher->finishedFading();
    m_watcher->stopActivity();
}
