// SPDX-License-Identifier: GPL-3.0-or-later
#include "homebridge.h"

#include "base/compactjson.h"

#include "base/logging.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "control/udpsocketmanager.h"
#include "core/masterlink.h"
#include "mqttclient.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "transport/wirevocabulary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {
QString masterIdOf(const QList<QVariantMap> &transmitters)
{
    return transmitters.isEmpty() ? QString() : transmitters.constFirst().value(Key::id).toString();
}

// The scenario a sent command runs: its own run, or All On or All Off, which
// travel as every light's switch; nothing for any other command.
std::optional<QString> scenarioRunBy(const QStringList &fields)
{
    const QString family = Wire::familyOf(fields);
    if (family == Wire::scenarioRun)
        return Wire::targetOf(fields);
    const int operation = Wire::operationOf(fields);
    if (!Wire::isChannelFamily(family))
        return std::nullopt;
    if (operation == ChannelOperation::AllOn)
        return Value::allOnMainID;
    if (operation == ChannelOperation::AllOff)
        return Value::allOffMainID;
    return std::nullopt;
}
} // namespace

QString HomeBridge::masterId() const
{
    // A store that cannot be read just now keeps the master last read.
    if (const auto transmitters = m_home.store.superBoxesIfReadable())
        m_masterId = masterIdOf(*transmitters);
    return m_masterId;
}

HomeBridge::HomeBridge(const HomeServices &home, MqttClient *mqtt, const MasterLink *link,
                       BridgeTopics topics, int pollSeconds, QObject *parent)
    : QObject(parent), m_home(home), m_mqtt(mqtt), m_link(link), m_live(&home.live),
      m_topics(std::move(topics)),
      m_requests(
          m_home, m_topics,
          [this](const QString &topic, const QByteArray &payload) { send(topic, payload); },
          [this] {
              QVariantMap health = info();
              health.insert(QStringLiteral("queued"), m_home.channel.udpQueueArray().size());
              return health;
          }),
      m_commands(
          m_home, m_topics,
          [this](const QString &message, const QString &topic) { reportError(message, topic); },
          [this](const QVariantMap &device) { publishState(device, Publication::Always); }),
      m_storeRetry(home.store)
{
    connect(m_mqtt, &MqttClient::connected, this, &HomeBridge::onConnected);
    connect(&m_storeRetry, &StoreRetry::recovered, this, &HomeBridge::publishEverything);
    connect(m_mqtt, &MqttClient::messageReceived, this, &HomeBridge::onMessage);

    HomeEvents *events = &m_home.events;
    // The live home has taken each of these already: it was made first.
    connect(events, &HomeEvents::channelStateChanged, this, &HomeBridge::onStateChanged);
    // Gone unavailable at once; available again only with its state, just after.
    connect(m_live, &LiveHome::channelChanged, this, [this](const QString &id) {
        if (!m_live->isAvailable(id))
            publishAvailability(id);
    });
    connect(events, &HomeEvents::homeReplaced, this, [this] {
        publishEverything();
        pollAll(); // the new channels' states, and whether the others still hold
    });
    connect(events, &HomeEvents::channelRenamed, this, [this](const QString &id) {
        if (const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(id))
            publishChannel(*device);
        publishDevices();
    });
    connect(events, &HomeEvents::channelRemoved, this, [this](const QString &id) {
        removeChannel(id);
        publishDevices();
    });
    // A scenario stored, named or deleted: its entity and the device list follow.
    connect(events, &HomeEvents::scenarioRemoved, this, &HomeBridge::publishEverything);
    connect(&m_home.channel, &UDPSocketManager::commandSettled, this,
            [this](const QStringList &fields) {
                if (Wire::familyOf(fields) == Wire::scenarioName)
                    publishEverything();
            });
    connect(events, &HomeEvents::homeChangedElsewhere, this, &HomeBridge::followChangeElsewhere);
    connect(&m_home.channel, &UDPSocketManager::commandOutcome, this, &HomeBridge::onOutcome);
    connect(link, &MasterLink::changed, this, &HomeBridge::onMasterChanged);
    connect(link, &MasterLink::cameBack, this, &HomeBridge::pollAll);

    m_birthDelay.setSingleShot(true);
    connect(&m_birthDelay, &QTimer::timeout, this, [this] {
        m_retained.clear(); // Home Assistant wants every config again
        publishEverything();
    });
    if (pollSeconds > 0) {
        m_poll.setInterval(pollSeconds * 1000);
        connect(&m_poll, &QTimer::timeout, this, &HomeBridge::pollAll);
        m_poll.start();
    }
}

void HomeBridge::publish(const QString &topic, const QByteArray &payload, Publication publication)
{
    const auto held = m_retained.constFind(topic);
    if (publication == Publication::OnChange && held != m_retained.cend() && *held == payload)
        return;
    if (m_mqtt->publish(topic, payload, true)) {
        m_retained.insert(topic, payload);
        return;
    }
    m_retained.remove(topic);
    qCInfo(lcGateway).noquote() << "not published (broker away):" << topic;
}

void HomeBridge::send(const QString &topic, const QByteArray &payload)
{
    if (!m_mqtt->publish(topic, payload, false))
        qCInfo(lcGateway).noquote() << "not published (broker away):" << topic;
}

DiscoveryConfig HomeBridge::discovery() const
{
    return DiscoveryConfig(m_topics, masterId());
}

void HomeBridge::onConnected()
{
    m_retained.clear(); // a broker that restarted may hold nothing
    publish(m_topics.bridge(QStringLiteral("state")), R"({"state":"online"})");
    publishEverything();
    for (const QString &pattern : QStringList{
             m_topics.base + QStringLiteral("/+/set"), m_topics.base + QStringLiteral("/+/get"),
             m_topics.base + QStringLiteral("/scenario/+/set"),
             m_topics.bridge(QStringLiteral("request/#")), m_topics.birth(),
             m_topics.prefix + QStringLiteral("/+/+/config")})
        m_mqtt->subscribe(pattern);
    pollAll();
}

void HomeBridge::publishEverything()
{
    // A home that cannot be read is not an empty one: what was published
    // stays until the store can be read again.
    const std::optional<Database::HomeRecords> home = m_home.store.homeIfReadable();
    if (!home) {
        m_storeRetry.readFailed(QStringLiteral("publishing the home"));
        return;
    }
    m_masterId = masterIdOf(home->transmitters);
    const QSet<QString> before = m_configTopics;
    const QHash<QString, QString> channelsBefore = m_components;
    m_configTopics.clear();
    m_components.clear();
    const DiscoveryConfig configs = discovery();
    // The master's device first: the channels and scenes name it as their way.
    if (const std::optional<DiscoveryConfig::Message> master = configs.forMaster())
        publishConfig(*master);
    for (const QVariantMap &device : home->devices)
        publishChannel(device);
    for (const QVariantMap &scenario : home->scenarios)
        publishConfig(configs.forScenario(scenario));
    // Entities gone since (a synchronisation that dropped them) are removed.
    for (auto channel = channelsBefore.cbegin(); channel != channelsBefore.cend(); ++channel)
        if (!m_components.contains(channel.key()))
            clearChannel(channel.key(), channel.value());
    for (const QString &topic : before)
        if (!m_configTopics.contains(topic))
            publish(topic, {});
    publishInfo();
    publishDevices(*home);
}

void HomeBridge::followChangeElsewhere()
{
    const QHash<QString, QString> known = m_components;
    publishEverything();
    // A channel enrolled elsewhere is asked its state, as after an import.
    for (auto channel = m_components.cbegin(); channel != m_components.cend(); ++channel)
        if (!known.contains(channel.key()))
            if (const std::optional<QVariantMap> device =
                    m_home.store.deviceRecordWithMainID(channel.key()))
                m_home.channel.queryStateInBackground(*device);
}

void HomeBridge::publishConfig(const DiscoveryConfig::Message &config)
{
    m_configTopics.insert(config.topic);
    publish(config.topic, config.payload);
}

std::optional<ChannelTopics> HomeBridge::topicsOf(const QString &id) const
{
    const std::optional<ChannelTopics> topics = m_topics.forChannel(id);
    if (!topics)
        qCWarning(lcGateway) << "bridge: a channel whose ID is no ID is not published:" << id;
    return topics;
}

void HomeBridge::publishChannel(const QVariantMap &device)
{
    const QString id = device.value(Key::id).toString();
    const std::optional<ChannelTopics> topics = topicsOf(id);
    if (!topics)
        return;
    m_components.insert(id, DiscoveryConfig::componentOf(device));
    publishConfig(discovery().forChannel(device, *topics));
    publishState(device);
    publishAvailability(id);
}

void HomeBridge::onStateChanged(const QString &id)
{
    if (const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(id)) {
        publishState(*device, m_answering.remove(id) ? Publication::Always : Publication::OnChange);
        publishAvailability(id);
    }
}

void HomeBridge::publishState(const QVariantMap &device, Publication publication)
{
    const QString id = device.value(Key::id).toString();
    const std::optional<ChannelTopics> topics = topicsOf(id);
    const std::optional<LiveHome::Channel> live = m_live->channel(id);
    if (!topics || !live || !live->isConfirmed())
        return; // nothing the home has not confirmed
    const QVariantMap confirmed = m_live->withConfirmedState(device);
    m_commands.noteState(confirmed);
    publish(topics->state, DiscoveryConfig::statePayload(confirmed), publication);
}

bool HomeBridge::isAvailable(const QString &id) const
{
    return m_live->isAvailable(id);
}

void HomeBridge::publishAvailability(const QString &id)
{
    if (!m_components.contains(id))
        return; // not (or no longer) in the home: nothing of it stays on the broker
    if (const std::optional<ChannelTopics> topics = topicsOf(id))
        publish(topics->availability, isAvailable(id) ? "online" : "offline");
}

void HomeBridge::removeChannel(const QString &id)
{
    const QString component = m_components.take(id);
    clearChannel(id, component.isEmpty() ? QStringLiteral("light") : component);
}

void HomeBridge::clearChannel(const QString &id, const QString &component)
{
    const std::optional<ChannelTopics> topics = topicsOf(id);
    if (!topics)
        return;
    const DiscoveryConfig::Message removal = discovery().removal(component, *topics);
    m_configTopics.remove(removal.topic);
    m_answering.remove(id);
    for (const QString &topic : {removal.topic, topics->state, topics->availability})
        publish(topic, {}, Publication::Always);
}

QVariantMap HomeBridge::info() const
{
    return {{QStringLiteral("version"), QStringLiteral(ARDENTIA_VERSION)},
            {QStringLiteral("master"), masterId()},
            {QStringLiteral("link"), m_link->stateName()}};
}

void HomeBridge::publishInfo()
{
    publish(m_topics.bridge(QStringLiteral("info")), compactJson(info()));
}

void HomeBridge::publishDevices()
{
    const std::optional<Database::HomeRecords> home = m_home.store.homeIfReadable();
    if (!home) {
        m_storeRetry.readFailed(QStringLiteral("publishing the devices"));
        return;
    }
    publishDevices(*home);
}

void HomeBridge::publishDevices(const Database::HomeRecords &home)
{
    QVariantList transmitters, channels, scenarios;
    for (const QVariantMap &t : home.transmitters)
        transmitters.append(QVariantMap{{QStringLiteral("id"), t.value(Key::id)},
                                        {QStringLiteral("name"), t.value(Key::title)},
                                        {QStringLiteral("master"), transmitters.isEmpty()}});
    for (const QVariantMap &d : home.devices)
        channels.append(QVariantMap{{QStringLiteral("id"), d.value(Key::id)},
                                    {QStringLiteral("name"), d.value(Key::title)},
                                    {QStringLiteral("type"), DiscoveryConfig::componentOf(d)},
                                    {QStringLiteral("dimmable"), Channel::isDimmer(d)},
                                    {QStringLiteral("controller"), d.value(Key::mainTotalID)}});
    for (const QVariantMap &s : home.scenarios)
        scenarios.append(QVariantMap{{QStringLiteral("number"), s.value(Key::mainID)},
                                     {QStringLiteral("name"), s.value(Key::title)}});
    publish(m_topics.bridge(QStringLiteral("devices")),
            compactJson({{QStringLiteral("transmitters"), transmitters},
                         {QStringLiteral("channels"), channels},
                         {QStringLiteral("scenarios"), scenarios}}));
}

void HomeBridge::onMessage(const QString &topic, const QByteArray &payload, bool retained)
{
    if (topic == m_topics.birth()) {
        // Home Assistant came back: everything again, once it has subscribed.
        if (payload == "online")
            m_birthDelay.start(int(QRandomGenerator::global()->bounded(500, 2500)));
        return;
    }
    if (topic.startsWith(m_topics.prefix + QLatin1Char('/'))) {
        clearIfStale(topic, payload);
        return;
    }
    if (retained) {
        // Anyone on the network may leave a command on the broker: only one
        // sent now, by someone who means it now, is obeyed.
        qCWarning(lcGateway).noquote() << "ignored a retained command on" << topic;
        return;
    }
    const QString requests = m_topics.bridge(QStringLiteral("request/"));
    if (topic.startsWith(requests)) {
        m_requests.handle(topic.mid(requests.size()), payload);
        return;
    }
    const QStringList levels = topic.mid(m_topics.base.size() + 1).split(QLatin1Char('/'));
    if (levels.size() == 3 && levels.at(0) == QLatin1String("scenario") &&
        levels.at(2) == QLatin1String("set"))
        m_commands.runScenario(levels.at(1), payload);
    else if (levels.size() == 2 && levels.at(1) == QLatin1String("set"))
        m_commands.setChannel(levels.at(0), payload);
    else if (levels.size() == 2 && levels.at(1) == QLatin1String("get")) {
        if (const std::optional<QVariantMap> device =
                m_home.store.deviceRecordWithMainID(levels.at(0)))
            m_home.channel.queryStateInBackground(*device);
        else
            reportError(QStringLiteral("no channel %1").arg(levels.at(0)), topic);
    }
}

void HomeBridge::clearIfStale(const QString &topic, const QByteArray &payload)
{
    // A retained config under this bridge's IDs that it no longer produces.
    const QString entity = topic.section(QLatin1Char('/'), -2, -2);
    const QString ownIds = m_topics.uniqueId({});
    if (payload.isEmpty() || !entity.startsWith(ownIds) || m_configTopics.contains(topic))
        return;
    const QString component = topic.section(QLatin1Char('/'), -3, -3);
    const QString id = entity.mid(ownIds.size());
    // A channel removed while the bridge was away: its state and availability go too.
    if (component != QLatin1String("scene") && !m_components.contains(id) &&
        m_topics.forChannel(id))
        clearChannel(id, component);
    else
        publish(topic, {}, Publication::Always);
}

void HomeBridge::onOutcome(const QStringList &fields, const CommandOutcome &outcome)
{
    const QString family = Wire::familyOf(fields);
    const QString target = Wire::targetOf(fields);
    const std::optional<QString> scenario = scenarioRunBy(fields);
    if (outcome.isAcknowledged()) {
        // A run has no state to answer it: an event tells whoever sent it.
        if (scenario)
            sendEvent(QStringLiteral("scenario_ran"),
                      QStringLiteral("scenario %1: %2").arg(*scenario, outcome.text()),
                      m_topics.scenarioSet(*scenario));
        onAcknowledged(fields);
        return;
    }
    if (family == Wire::scenarioRun) {
        reportError(QStringLiteral("scenario %1: %2").arg(target, outcome.text()),
                    m_topics.scenarioSet(target));
        return;
    }
    const int operation = Wire::operationOf(fields);
    if (!Wire::isChannelFamily(family) || operation == ChannelOperation::StateQuery)
        return;
    // The command did not happen: the state the home confirmed last stands.
    const bool allLights = scenario.has_value();
    const std::optional<ChannelTopics> channel = m_topics.forChannel(target);
    const QString topic = allLights ? m_topics.scenarioSet(*scenario)
                          : channel ? channel->set
                                    : QString();
    reportError(QStringLiteral("%1 %2: %3").arg(family, target, outcome.text()), topic);
    if (const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(target)) {
        publishState(*device, Publication::Always);
        // A lost reply leaves open whether the command happened: the home is asked.
        if (outcome.kind == CommandOutcome::Kind::NoReply)
            m_home.channel.queryStateInBackground(*device);
    } else if (allLights)
        for (const QVariantMap &light : m_home.store.readAllMainDeviceInfo())
            publishState(light, Publication::Always);
}

void HomeBridge::onAcknowledged(const QStringList &fields)
{
    if (!Wire::isChannelFamily(Wire::familyOf(fields)) ||
        Wire::operationOf(fields) != ChannelOperation::Control)
        return;
    const QString id = Wire::targetOf(fields);
    if (Wire::familyOf(fields) != Wire::curtain) {
        m_answering.insert(id); // the store's announcement, right after this, brings the state
        return;
    }
    // A curtain's store keeps its state through a move: where it went, the
    // live home took from the acknowledged move.
    if (const std::optional<QVariantMap> curtain = m_home.store.deviceRecordWithMainID(id))
        publishState(*curtain, Publication::Always);
}

void HomeBridge::onMasterChanged()
{
    publishInfo();
    for (const QVariantMap &device : m_home.store.readAllMainDeviceInfo())
        publishAvailability(device.value(Key::id).toString());
}

void HomeBridge::pollAll()
{
    for (const QVariantMap &device : m_home.store.readAllMainDeviceInfo())
        m_home.channel.queryStateInBackground(device);
}

void HomeBridge::reportError(const QString &message, const QString &topic)
{
    qCWarning(lcGateway).noquote() << "bridge:" << message << topic;
    sendEvent(QStringLiteral("error"), message, topic);
}

void HomeBridge::sendEvent(const QString &type, const QString &message, const QString &topic)
{
    send(m_topics.bridge(QStringLiteral("event")),
         compactJson({{QStringLiteral("type"), type},
                      {QStringLiteral("message"), message},
                      {QStringLiteral("topic"), topic}}));
}
