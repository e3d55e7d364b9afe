// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"
#include "scheduleproblem.h"

#include <optional>

struct HomeTargets;

// What makes a schedule fit for a home, and what the home says when it no
// longer is.
class ScheduleRules {
public:
    // What is wrong with the schedule for this home; nothing when it can be
    // stored. A schedule that follows the sun needs the home's location.
    static std::optional<ScheduleProblem>
    problemOf(const Schedule &schedule, const HomeTargets &targets, bool homeHasLocation);
    // Why the schedule cannot run in this home any more: its channel or
    // scenario is gone, or the channel no longer takes its action.
    static Schedule::OffReason offReasonIn(const Schedule &schedule, const HomeTargets &targets);
    // The sentence that says why the home switched it off; nothing when it did not.
    static std::optional<ScheduleProblem> offReasonText(const Schedule &schedule);

private:
    static std::optional<ScheduleProblem> nameProblem(const QString &name);
    static std::optional<ScheduleProblem> actionProblem(const ScheduleAction &action,
                                                        const HomeTargets &targets);
    static std::optional<ScheduleProblem> timeProblem(const ScheduleTime &time,
                                                      bool homeHasLocation);
};
