// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridgecommands.h"

#include "control/checkmanager.h"
#include "control/devicecommands.h"
#include "discoveryconfig.h"
#include "mqttrequestcaller.h"
#include "setpayload.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/recordkeys.h"

void BridgeCommands::noteState(const QVariantMap &device)
{
    const int level = device.value(Key::turnOn).toInt();
    if (Channel::isDimmer(device) && level > 0)
        m_lastLevels.insert(device.value(Key::id).toString(), level);
}

void BridgeCommands::setChannel(const QString &id, const QByteArray &payload)
{
    // Only a channel that has topics of its own takes commands.
    const std::optional<ChannelTopics> topics = m_topics.forChannel(id);
    const QString topic = topics ? topics->set : QString();
    const std::optional<QVariantMap> device =
        topics ? m_home.store.deviceRecordWithMainID(id) : std::nullopt;
    if (!device) {
        m_report(QStringLiteral("no channel %1").arg(id), topic);
        return;
    }
    QString error;
    const std::optional<SetPayload::Request> request =
        SetPayload::parse(payload, Channel::kindOf(*device), &error);
    if (!request) {
        m_report(error, topic);
        m_republish(*device); // the stored state stands
        return;
    }
    using Action = SetPayload::Request::Action;
    switch (request->action) {
    case Action::Switch:
        DeviceCommands(m_home).switchLight(*device, request->on, MqttRequestCaller::make());
        break;
    case Action::Dim:
        DeviceCommands(m_home).dimLight(
            *device, request->level >= 0 ? request->level : m_lastLevels.value(id, 100),
            MqttRequestCaller::make());
        break;
    case Action::Move:
        DeviceCommands(m_home).moveCurtain(*device, request->motion, MqttRequestCaller::make());
        break;
    }
}

void BridgeCommands::runScenario(const QString &number, const QByteArray &payload)
{
    const QString topic = m_topics.scenarioSet(number);
    const QByteArray word = payload.trimmed().toUpper();
    if (!word.isEmpty() && word != "ON") {
        m_report(QStringLiteral("a scenario takes ON"), topic);
        return;
    }
    std::optional<QList<QVariantMap>> read = m_home.store.scenariosIfReadable();
    if (!read) {
        m_report(QStringLiteral("the store could not be read"), topic);
        return;
    }
    QList<QVariantMap> &scenarios = *read;
    for (QVariantMap &scenario : scenarios)
        if (scenario.value(Key::mainID).toString() == number) {
            CheckManager(m_home).changeScenarioWithDictionary(scenario, scenarios,
                                                              MqttRequestCaller::make());
            return;
        }
    m_report(QStringLiteral("no scenario %1").arg(number), topic);
}
