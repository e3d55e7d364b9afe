// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule.h"
#include "scheduleproblem.h"

#include <QJsonObject>

#include <variant>

// A schedule as a JSON object, as the store keeps it and a front end sends it
// (its ID travels beside it):
//   {"name": "Morning", "enabled": true,
//    "action": {"kind": "scenario", "scenario": "3"}
//            | {"kind": "switch", "channel": "0101", "on": true}
//            | {"kind": "dim", "channel": "0201", "level": 40}
//            | {"kind": "curtain", "channel": "0301", "motion": "open" | "close" | "stop"},
//    "time": {"kind": "clock", "at": "07:30", "weekdays": [1, 2, 3, 4, 5]}
//          | {"kind": "sunrise" | "sunset", "offset": -30, "weekdays": [6, 7]}
//          | {"kind": "once", "date": "2027-03-28", "at": "02:30"},
//    "offReason": "channelRemoved" | "scenarioRemoved" | "channelChanged"}
// Weekdays run from 1 (Monday) to 7 (Sunday); the offset is in minutes.
class ScheduleCodec {
public:
    static QJsonObject toJson(const Schedule &schedule);
    // The schedule the object describes, or what is malformed in it (a field
    // missing or of the wrong type, a time or a date that does not exist).
    // Whether the schedule suits the home is for ScheduleRules to say.
    static std::variant<Schedule, ScheduleProblem> fromJson(const QJsonObject &object);
};
