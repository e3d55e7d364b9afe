// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedulepublisher.h"

#include "base/compactjson.h"
#include "core/schedulerunner.h"
#include "mqttclient.h"

#include "base/logging.h"
#include "schedule/schedulelisting.h"

#include <QJsonArray>

SchedulePublisher::SchedulePublisher(MqttClient *mqtt, ScheduleRunner *runner, BridgeTopics topics,
                                     QObject *parent)
    : QObject(parent), m_mqtt(mqtt), m_runner(runner), m_topics(std::move(topics))
{
    connect(m_mqtt, &MqttClient::connected, this, [this] {
        m_published.clear(); // a broker that restarted may hold nothing
        publishList();
    });
    connect(m_runner, &ScheduleRunner::listChanged, this, &SchedulePublisher::publishList);
    connect(m_runner, &ScheduleRunner::ran, this,
            [this](const Schedule &schedule, bool done, const QString &outcome, bool final) {
                m_mqtt->publish(m_topics.bridge(QStringLiteral("event")),
                                ranPayload(schedule, done, outcome, final), false);
            });
}

QByteArray SchedulePublisher::listPayload(ScheduleRunner &runner)
{
    QJsonArray list;
    for (const Schedule &schedule : runner.schedules())
        list.append(ScheduleListing::entry(schedule, runner.nextRunOf(schedule)));
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

QByteArray SchedulePublisher::ranPayload(const Schedule &schedule, bool done,
                                         const QString &outcome, bool final)
{
    return compactJsonOf({{QStringLiteral("type"), QStringLiteral("schedule_ran")},
                          {QStringLiteral("id"), schedule.id},
                          {QStringLiteral("name"), schedule.name},
                          {QStringLiteral("done"), done},
                          {QStringLiteral("outcome"), outcome},
                          {QStringLiteral("final"), final}});
}

void SchedulePublisher::publishList()
{
    if (!m_mqtt->isConnected())
        return; // published on connecting
    // Read again after any change another program made: sent only when it differs.
    const QByteArray list = listPayload(*m_runner);
    if (list == m_published)
        return;
    if (m_mqtt->publish(m_topics.bridge(QStringLiteral("schedules")), list, true))
        m_published = list;
    else
        qCInfo(lcGateway).noquote() << "schedules not published (broker away)";
}
