// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"
#include "scheduleproblem.h"

#include <QDateTime>
#include <QJsonObject>

#include <optional>

// A schedule as a list shows it to a program: its JSON form with its ID, its
// next run in the home's local time ("2026-12-11T07:00:00+01:00") when it has
// one, and why the home switched it off ("why", in the words given) when it did.
class ScheduleListing {
public:
    static QJsonObject entry(const Schedule &schedule, const std::optional<QDateTime> &next,
                             const ScheduleProblem::Words &words = ScheduleProblem::appWords);
};
