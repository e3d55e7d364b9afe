// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/flowcaller.h"

#include <functional>
#include <memory>

// An MQTT message as the caller of the flow it started: the flow's one
// outcome goes to the function given (a response on the request's topic, or
// nothing where the bridge tells every command's outcome itself); there is
// no one to ask and no indicator to show.
class MqttRequestCaller final : public FlowCaller {
public:
    using Report = std::function<void(const FlowOutcome &)>;

    static std::shared_ptr<FlowCaller> make(Report report = {})
    {
        return std::make_shared<MqttRequestCaller>(std::move(report));
    }
    explicit MqttRequestCaller(Report report) : m_report(std::move(report)) {}

    void report(const FlowOutcome &outcome) override
    {
        if (m_report)
            m_report(outcome);
    }
    bool ask(const QString &, const QStringList &, AlertPresenter::Answer) override
    {
        return false; // a message cannot answer a question: the flow stays where it is
    }
    void showProgress(double) override {}
    void stopProgress() override {}

private:
    Report m_report;
};
