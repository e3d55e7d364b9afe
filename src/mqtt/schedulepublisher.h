// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bridgetopics.h"

#include "schedule/schedule.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>

#include <optional>

class MqttClient;
class ScheduleRunner;

// The schedules on the broker: the list retained on "<base>/bridge/schedules"
// (each with its next run in the home's local time, and why it was switched
// off where the home did it), published on connecting and after every
// change to it; each run's outcome as an event on "<base>/bridge/event".
class SchedulePublisher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SchedulePublisher)

public:
    SchedulePublisher(MqttClient *mqtt, ScheduleRunner *runner, BridgeTopics topics,
                      QObject *parent = nullptr);

    // [{"id": 1, "name": ..., "enabled": ..., "action": ..., "time": ...,
    //   "next": "2026-12-11T07:00:00+01:00", "why": "Switched off: ..."}, ...]
    static QByteArray listPayload(ScheduleRunner &runner);
    // {"type": "schedule_ran", "id": 1, "name": ..., "done": false,
    //  "outcome": "no-reply: ...", "final": false}
    static QByteArray ranPayload(const Schedule &schedule, bool done, const QString &outcome,
                                 bool final);

private:
    void publishList();

    MqttClient *m_mqtt;
    ScheduleRunner *m_runner;
    BridgeTopics m_topics;
    QByteArray m_published; // what the broker holds, as far as this bridge knows
};
