// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ownedinstance.h"
#include "flowoutcome.h"

#include <QString>

class AlertPresenter;

// What a flow tells the person: a toast, the activity indicator of an
// outstanding command, the connection banner, the question of a forced
// removal. The feedback service above this layer implements it and decides
// how and when each shows; a flow only says what happened.
class FlowFeedback : public OwnedInstance<FlowFeedback> {
public:
    // Who ends the indicator when no answer comes: its own timer of the
    // given seconds (a stream import), or the caller, whose command has a
    // wait of its own and reports its outcome (a datagram command).
    enum class ActivityEnd { OwnTimeOut, ByCaller };
    // Whose wait ran out: a person's command (the link's failure shows and
    // the person is told), a flow whose step has been told (an enrolment's
    // screen: only the indicator ends), the quiet check of the link (only
    // the link state and the banner follow; the queue and the screen stay as
    // they are), or a flow whose caller has been told (only the banner follows).
    enum class Waiter { Person, Step, LinkCheck, Caller };

    // FlowFeedback::instance(): the program's feedback service, while it lives.

    // How a flow ended: the person is told, and whoever follows outcomes learns it.
    virtual void report(const FlowOutcome &outcome) = 0;
    virtual void finishedFading() = 0;
    virtual void startActivity(double seconds, ActivityEnd end = ActivityEnd::OwnTimeOut) = 0;
    virtual void stopActivity() = 0;
    virtual void activityOnTimeOut(Waiter waiter = Waiter::Person) = 0;
    virtual void transmitterConnectionSuccessful(int type) = 0;
    // Who answers a question put to the person; null when no one can.
    virtual AlertPresenter *alertPresenter() const = 0;

protected:
    FlowFeedback() = default;
    ~FlowFeedback() = default;
};
