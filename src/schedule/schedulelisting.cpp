// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulelisting.h"

#include "schedulecodec.h"
#include "schedulerules.h"

QJsonObject ScheduleListing::entry(const Schedule &schedule, const std::optional<QDateTime> &next,
                                   const ScheduleProblem::Words &words)
{
    QJsonObject entry = ScheduleCodec::toJson(schedule);
    entry.insert(QStringLiteral("id"), schedule.id);
    if (next)
        entry.insert(QStringLiteral("next"), next->toString(Qt::ISODate));
    if (const std::optional<ScheduleProblem> why = ScheduleRules::offReasonText(schedule))
        entry.insert(QStringLiteral("why"), why->text(words));
    return entry;
}
