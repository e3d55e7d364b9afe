// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alertpresenter.h"
#include "flowoutcome.h"
#include "transport/operationlist.h"

#include <QString>
#include <QStringList>

#include <memory>

class ControlRefusalScreen;
class DeviceEnrolmentScreen;
class ScenarioNamingScreen;
class TransmitterEnrolmentScreen;

// Whoever started a flow: a screen, a command of the command-line tool, a
// page's session, an MQTT request. The starter hands it in with the flow's
// commands (their operation list carries it) and the replies tell it: the
// flow's one outcome, the question it has to put, the indicator of its
// outstanding command.
class FlowCaller {
public:
    virtual ~FlowCaller() = default;

    // How the flow ended; told once.
    virtual void report(const FlowOutcome &outcome) = 0;
    // A question with buttons (buttons[0] in the cancel position); answer
    // takes the index chosen. False when no one can answer: the flow then
    // stays where it is, as if the question had been dismissed.
    virtual bool ask(const QString &message, const QStringList &buttons,
                     AlertPresenter::Answer answer) = 0;
    // The flow's command is outstanding for at most seconds; then it is not.
    virtual void showProgress(double seconds) = 0;
    virtual void stopProgress() = 0;

    // The step a flow tells before (or instead of) its outcome, where the
    // caller shows one; null when it has none and hears the outcome alone.
    // The enrolment waiting for its channels' count:
    virtual DeviceEnrolmentScreen *deviceEnrolmentStep() { return nullptr; }
    // The enrolment waiting for its transmitter:
    virtual TransmitterEnrolmentScreen *transmitterEnrolmentStep() { return nullptr; }
    // What shows the refused device's state again:
    virtual ControlRefusalScreen *refusalStep() { return nullptr; }
    // The naming that ends a scenario's change, closed once it is answered:
    virtual ScenarioNamingScreen *scenarioNamingStep() { return nullptr; }

    // A person follows the flow on a screen, through the feedback service:
    // each answer is told as it comes, the screen shows the steps (an
    // enrolment's count, the end of a question declined) and the link's
    // indicator and silence show as the link's own. False for a starter
    // that hears the flow's one outcome and its progress itself.
    virtual bool personWatches() const { return false; }

    // The caller given, or, when a starter handed none in, the program's
    // feedback service as the caller.
    static FlowCaller &orService(FlowCaller *caller);
    // The caller carried by a flow's operations, or the service.
    static FlowCaller &of(const OperationList &operations)
    {
        return orService(operations.caller.get());
    }
    // Operations carrying the caller.
    static SharedOperations carried(OperationList operations, std::shared_ptr<FlowCaller> caller);
};

// The feedback service as a flow's caller: it tells the person what each
// answer means; the link shows the indicator. A screen's caller adds the
// steps of the screen that started the flow.
class ServiceCaller : public FlowCaller {
public:
    void report(const FlowOutcome &outcome) override;
    bool ask(const QString &message, const QStringList &buttons,
             AlertPresenter::Answer answer) override;
    void showProgress(double) override {}
    void stopProgress() override {}
    bool personWatches() const override { return true; }
};
