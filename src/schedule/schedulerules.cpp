// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulerules.h"

#include "hometargets.h"

#include "base/printabletext.h"

#include <cstdlib>

namespace {
using Kind = ScheduleAction::Kind;

// Whether a channel of this kind carries out an action of that kind: a
// dimmer also switches, on at its last level or off.
bool takes(ChannelKind channel, Kind action)
{
    switch (action) {
    case Kind::Switch:
        return channel == ChannelKind::Switch || channel == ChannelKind::Dimmer;
    case Kind::Dim:
        return channel == ChannelKind::Dimmer;
    case Kind::Curtain:
        return channel == ChannelKind::Curtain;
    case Kind::RunScenario:
        break;
    }
    return false;
}

ScheduleProblem mismatch(ChannelKind channel, const QString &id)
{
    if (channel == ChannelKind::Curtain)
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem",
                              "Channel %1 is a curtain: it opens, closes or stops."),
            {id});
    if (channel == ChannelKind::Switch)
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "Channel %1 only switches on and off."), {id});
    return ScheduleProblem(
        QT_TRANSLATE_NOOP("ScheduleProblem", "Channel %1 is a light: it has no curtain to move."),
        {id});
}
} // namespace

std::optional<ScheduleProblem>
ScheduleRules::problemOf(const Schedule &schedule, const HomeTargets &targets, bool homeHasLocation)
{
    if (std::optional<ScheduleProblem> problem = nameProblem(schedule.name))
        return problem;
    if (std::optional<ScheduleProblem> problem = actionProblem(schedule.action, targets))
        return problem;
    return timeProblem(schedule.time, homeHasLocation);
}

std::optional<ScheduleProblem> ScheduleRules::nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return ScheduleProblem(QT_TRANSLATE_NOOP("ScheduleProblem", "A schedule needs a name."));
    if (name.size() > Schedule::kMaxNameLength)
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "A schedule's name has at most %1 characters."),
            {QString::number(Schedule::kMaxNameLength)});
    if (printableText(name) != name)
        return ScheduleProblem(QT_TRANSLATE_NOOP(
            "ScheduleProblem", "A schedule's name cannot hold control characters or line breaks."));
    return std::nullopt;
}

std::optional<ScheduleProblem> ScheduleRules::actionProblem(const ScheduleAction &action,
                                                            const HomeTargets &targets)
{
    if (action.targetsScenario()) {
        if (!targets.scenarios.contains(action.target))
            return ScheduleProblem(
                QT_TRANSLATE_NOOP("ScheduleProblem", "The home has no scenario %1."),
                {action.target});
        return std::nullopt;
    }
    const auto channel = targets.channels.constFind(action.target);
    if (channel == targets.channels.constEnd())
        return ScheduleProblem(QT_TRANSLATE_NOOP("ScheduleProblem", "The home has no channel %1."),
                               {action.target});
    if (!takes(*channel, action.kind))
        return mismatch(*channel, action.target);
    if (action.kind == Kind::Dim && (action.level < 0 || action.level > 100))
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "A level is from 0 to 100, not %1."),
            {QString::number(action.level)});
    return std::nullopt;
}

std::optional<ScheduleProblem> ScheduleRules::timeProblem(const ScheduleTime &time,
                                                          bool homeHasLocation)
{
    using TimeKind = ScheduleTime::Kind;
    if (time.kind != TimeKind::Once && time.weekdays.isEmpty())
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "Choose at least one day of the week."));
    if (time.followsTheSun()) {
        if (std::abs(time.offsetMinutes) > ScheduleTime::kMaxOffsetMinutes)
            return ScheduleProblem(
                QT_TRANSLATE_NOOP("ScheduleProblem",
                                  "The offset from sunrise or sunset is at most 3 hours "
                                  "(180 minutes) either way, not %1 minutes."),
                {QString::number(time.offsetMinutes)});
        if (!homeHasLocation)
            return ScheduleProblem(QT_TRANSLATE_NOOP(
                "ScheduleProblem",
                "Set the home's location first: sunrise and sunset are reckoned from it."));
        return std::nullopt;
    }
    // A time of day in whole minutes.
    if (!time.at.isValid() || time.at.second() != 0 || time.at.msec() != 0)
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem", "The schedule needs a time of day."));
    if (time.kind == TimeKind::Once && !time.date.isValid())
        return ScheduleProblem(QT_TRANSLATE_NOOP("ScheduleProblem", "The schedule needs a date."));
    return std::nullopt;
}

Schedule::OffReason ScheduleRules::offReasonIn(const Schedule &schedule, const HomeTargets &targets)
{
    const ScheduleAction &action = schedule.action;
    if (action.targetsScenario())
        return targets.scenarios.contains(action.target) ? Schedule::OffReason::None
                                                         : Schedule::OffReason::ScenarioRemoved;
    const auto channel = targets.channels.constFind(action.target);
    if (channel == targets.channels.constEnd())
        return Schedule::OffReason::ChannelRemoved;
    return takes(*channel, action.kind) ? Schedule::OffReason::None
                                        : Schedule::OffReason::ChannelChanged;
}

std::optional<ScheduleProblem> ScheduleRules::offReasonText(const Schedule &schedule)
{
    const QStringList target{schedule.action.target};
    switch (schedule.offReason) {
    case Schedule::OffReason::None:
        break;
    case Schedule::OffReason::ChannelRemoved:
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem",
                              "Switched off: its channel %1 was removed from the home."),
            target);
    case Schedule::OffReason::ScenarioRemoved:
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem",
                              "Switched off: its scenario %1 was removed from the home."),
            target);
    case Schedule::OffReason::ChannelChanged:
        return ScheduleProblem(
            QT_TRANSLATE_NOOP("ScheduleProblem",
                              "Switched off: its channel %1 no longer takes this action."),
            target);
    }
    return std::nullopt;
}
