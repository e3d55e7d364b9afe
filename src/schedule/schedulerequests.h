// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/scheduleproblem.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <functional>
#include <variant>

class Database;

// Changes to the home's schedules asked for over MQTT, on
// "<base>/bridge/request/schedule/<verb>":
//   add      {"schedule": {...}}               answered {"id": N}
//   edit     {"id": N, "schedule": {...}}      answered {"id": N}
//   on, off  {"id": N}                         answered {"id": N, "enabled": ...}
//   remove   {"id": N}                         answered {"id": N}
//   location {"latitude": 52.5, "longitude": 13.4}
// A schedule is in its stored JSON form. Each is checked as ardentia-ctl's
// are and made whole or not at all; a refusal says why (in the words given:
// a page's own language) and changes nothing.
class ScheduleRequests {
public:
    using Answer = std::variant<QJsonValue, QString>; // the data, or the error
    // Works on the schedules in store; told after every change made.
    ScheduleRequests(Database &store, std::function<void()> changed)
        : m_store(store), m_changed(std::move(changed))
    {
    }

    Answer handle(const QString &verb, const QJsonObject &body,
                  const ScheduleProblem::Words &words = ScheduleProblem::appWords);

private:
    Answer save(QJsonObject schedule, int id, const ScheduleProblem::Words &words);
    Answer setEnabled(int id, bool on, const ScheduleProblem::Words &words);
    Answer remove(int id, const ScheduleProblem::Words &words);
    Answer setLocation(const QJsonObject &body, const ScheduleProblem::Words &words);
    Answer changed(QJsonValue data);

    Database &m_store;
    std::function<void()> m_changed;
};
