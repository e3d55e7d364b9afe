// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "schedule/schedule.h"

#include <QString>

#include <memory>
#include <optional>

class FlowCaller;

// Starts what a schedule does through the flows a person's press starts
// (DeviceCommands, a scenario's run): the same queue, the store taking the
// state when the home confirms it, the caller told the outcome.
class ScheduledFlows {
public:
    struct NotStarted {
        bool targetGone = false; // else the store could not be read
        QString reason;
    };

    explicit ScheduledFlows(const HomeServices &home) : m_home(home) {}

    // Nothing when the flow started (its caller hears how it ended); else why
    // not, and the caller hears nothing.
    std::optional<NotStarted> start(const ScheduleAction &action,
                                    std::shared_ptr<FlowCaller> caller) const;

private:
    std::optional<NotStarted> runScenario(const QString &number,
                                          std::shared_ptr<FlowCaller> caller) const;

    HomeServices m_home;
};
