// SPDX-License-Identifier: GPL-3.0-or-later
#include "discoveryconfig.h"

#include "base/compactjson.h"

#include "store/channel.h"
#include "store/recordkeys.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString modelOf(const QVariantMap &device)
{
    switch (Channel::kindOf(device)) {
    case ChannelKind::Curtain:
        return QStringLiteral("Curtain controller");
    case ChannelKind::Dimmer:
        return QStringLiteral("Dimmer controller");
    case ChannelKind::Switch:
        break;
    }
    return QStringLiteral("Switch controller");
}

// The channel's name; a channel enrolled without one is called by its model and ID.
QString deviceName(const QVariantMap &device)
{
    const QString title = device.value(Key::title).toString();
    return title.isEmpty()
               ? QStringLiteral("%1 %2").arg(modelOf(device), device.value(Key::id).toString())
               : title;
}
} // namespace

QString DiscoveryConfig::componentOf(const QVariantMap &device)
{
    return Channel::isCurtain(device) ? QStringLiteral("cover") : QStringLiteral("light");
}

QString DiscoveryConfig::scenarioEntityId(const QString &number)
{
    return QStringLiteral("scenario_") +
           QString(number).replace(QLatin1Char('-'), QLatin1Char('m'));
}

QByteArray DiscoveryConfig::statePayload(const QVariantMap &device)
{
    const Channel channel = Channel::fromRecord(device);
    if (channel.isCurtain())
        return compactJson({{QStringLiteral("state"),
                             channel.isOn() ? QStringLiteral("OPEN") : QStringLiteral("CLOSE")}});
    if (channel.isDimmer()) {
        const int level = qBound(0, channel.level, 100);
        return compactJson(
            {{QStringLiteral("state"), level > 0 ? QStringLiteral("ON") : QStringLiteral("OFF")},
             {QStringLiteral("brightness"), level},
             {QStringLiteral("color_mode"), QStringLiteral("brightness")}});
    }
    return compactJson(
        {{QStringLiteral("state"), channel.isOn() ? QStringLiteral("ON") : QStringLiteral("OFF")},
         {QStringLiteral("color_mode"), QStringLiteral("onoff")}});
}

QVariantMap DiscoveryConfig::origin() const
{
    return {{QStringLiteral("name"), QStringLiteral("ardentia-bridge")},
            {QStringLiteral("sw_version"), QStringLiteral(ARDENTIA_VERSION)}};
}

QVariantMap DiscoveryConfig::bridgeAvailability() const
{
    return {{QStringLiteral("topic"), m_topics.bridge(QStringLiteral("state"))},
            {QStringLiteral("value_template"), QStringLiteral("{{ value_json.state }}")}};
}

QVariantMap DiscoveryConfig::availability(const QVariantMap &second) const
{
    // Available while the bridge is online and the second source (the
    // channel's own, or the master's link) says so too.
    return {{QStringLiteral("availability"), QVariantList{bridgeAvailability(), second}},
            {QStringLiteral("availability_mode"), QStringLiteral("all")}};
}

QVariantMap DiscoveryConfig::deviceBlock(const QString &uniqueId, const QString &name,
                                         const QString &model, bool viaMaster) const
{
    QVariantMap block{{QStringLiteral("identifiers"), QStringList{uniqueId}},
                      {QStringLiteral("name"), name},
                      {QStringLiteral("model"), model},
                      {QStringLiteral("manufacturer"), QStringLiteral("Ardentia")}};
    if (viaMaster && !m_masterId.isEmpty())
        block.insert(QStringLiteral("via_device"), m_topics.uniqueId(m_masterId));
    return block;
}

QVariantMap DiscoveryConfig::masterAvailability() const
{
    // The master's link as the bridge's info tells it: available only once
    // the master has answered, as for the channels.
    return {{QStringLiteral("topic"), m_topics.bridge(QStringLiteral("info"))},
            {QStringLiteral("value_template"),
             QStringLiteral("{{ 'online' if value_json.link == 'online' else 'offline' }}")}};
}

DiscoveryConfig::Message DiscoveryConfig::forChannel(const QVariantMap &device,
                                                     const ChannelTopics &topics) const
{
    // Each channel is a device of its own, named after the channel, and the
    // entity has no name of its own: Home Assistant shows "Hall", not the
    // controller's model and code before it.
    QVariantMap config = availability({{QStringLiteral("topic"), topics.availability}});
    config.insert({{QStringLiteral("name"), QVariant()},
                   {QStringLiteral("unique_id"), topics.uniqueId},
                   {QStringLiteral("state_topic"), topics.state},
                   {QStringLiteral("command_topic"), topics.set},
                   {QStringLiteral("device"),
                    deviceBlock(topics.uniqueId, deviceName(device), modelOf(device), true)},
                   {QStringLiteral("origin"), origin()}});
    const QString component = componentOf(device);
    if (component == QLatin1String("cover")) {
        // The home confirms every move: the state topic says where it went.
        // It reports no motion, so there are no opening or closing states.
        config.insert({{QStringLiteral("device_class"), QStringLiteral("curtain")},
                       {QStringLiteral("value_template"), QStringLiteral("{{ value_json.state }}")},
                       {QStringLiteral("payload_open"), QStringLiteral("OPEN")},
                       {QStringLiteral("payload_close"), QStringLiteral("CLOSE")},
                       {QStringLiteral("payload_stop"), QStringLiteral("STOP")},
                       {QStringLiteral("state_open"), QStringLiteral("OPEN")},
                       {QStringLiteral("state_closed"), QStringLiteral("CLOSE")},
                       {QStringLiteral("optimistic"), false}});
    } else {
        const bool dimmer = Channel::isDimmer(device);
        // Flash and transition are offered unless turned off: the home has neither.
        config.insert(
            {{QStringLiteral("schema"), QStringLiteral("json")},
             {QStringLiteral("supported_color_modes"),
              QStringList{dimmer ? QStringLiteral("brightness") : QStringLiteral("onoff")}},
             {QStringLiteral("flash"), false},
             {QStringLiteral("transition"), false}});
        if (dimmer)
            config.insert(
                {{QStringLiteral("brightness"), true}, {QStringLiteral("brightness_scale"), 100}});
    }
    return {m_topics.config(component, topics.uniqueId), compactJson(config)};
}

std::optional<DiscoveryConfig::Message> DiscoveryConfig::forMaster() const
{
    if (m_masterId.isEmpty())
        return std::nullopt;
    // The master's device, which the channels and scenes name as the one they
    // are reached through, exists by this entity: whether the master answers.
    // Connected only once it has answered.
    const QString entity = m_topics.uniqueId(m_masterId + QStringLiteral("_link"));
    const QVariantMap config{
        {QStringLiteral("availability"), QVariantList{bridgeAvailability()}},
        {QStringLiteral("name"), QVariant()},
        {QStringLiteral("unique_id"), entity},
        {QStringLiteral("device_class"), QStringLiteral("connectivity")},
        {QStringLiteral("state_topic"), m_topics.bridge(QStringLiteral("info"))},
        {QStringLiteral("value_template"),
         QStringLiteral("{{ 'ON' if value_json.link == 'online' else 'OFF' }}")},
        {QStringLiteral("device"), deviceBlock(m_topics.uniqueId(m_masterId),
                                               QStringLiteral("Transmitter %1").arg(m_masterId),
                                               QStringLiteral("Wireless Transmitter"), false)},
        {QStringLiteral("origin"), origin()}};
    return Message{m_topics.config(QStringLiteral("binary_sensor"), entity), compactJson(config)};
}

DiscoveryConfig::Message DiscoveryConfig::forScenario(const QVariantMap &scenario) const
{
    const QString number = scenario.value(Key::mainID).toString();
    const QString entity = m_topics.uniqueId(scenarioEntityId(number));
    const QString title = scenario.value(Key::title).toString();
    // Each scene is a device of its own, named after the scenario, reached
    // through the master: Home Assistant shows "Evening", as it shows a
    // channel by its name alone. The master runs the scenarios: they are
    // pressable only while it answers.
    QVariantMap config = availability(masterAvailability());
    config.insert(
        {{QStringLiteral("name"), QVariant()},
         {QStringLiteral("unique_id"), entity},
         {QStringLiteral("command_topic"), m_topics.scenarioSet(number)},
         {QStringLiteral("payload_on"), QStringLiteral("ON")},
         {QStringLiteral("device"),
          deviceBlock(entity, title.isEmpty() ? QStringLiteral("Scenario %1").arg(number) : title,
                      QStringLiteral("Scenario"), true)},
         {QStringLiteral("origin"), origin()}});
    return {m_topics.config(QStringLiteral("scene"), entity), compactJson(config)};
}

DiscoveryConfig::Message DiscoveryConfig::removal(const QString &component,
                                                  const ChannelTopics &topics) const
{
    return {m_topics.config(component, topics.uniqueId), {}};
}
