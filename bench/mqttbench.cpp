// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqttbench.h"

#include "benchbroker.h"
#include "benchsupport.h"
#include "latencystats.h"

#include "core/masterlink.h"
#include "mqtt/bridgetopics.h"
#include "mqtt/homebridge.h"
#include "mqtt/mqttclient.h"

#include "control/delegatemanager.h"
#include "control/devicecommands.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "control/udpsocketmanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <cstdio>
#include <memory>

namespace {
constexpr int kLights = 13;
constexpr int kPresses = 200;
constexpr int kAnswerLimitMs = 3000;

// What an MQTT user sees: the last state of each channel, events, responses.
struct Observer {
    explicit Observer(quint16 port) : client(loopbackBroker(port, QStringLiteral("bench-observer")))
    {
        QObject::connect(&client, &MqttClient::connected,
                         [this] { client.subscribe(QStringLiteral("ardentia/#")); });
        QObject::connect(&client, &MqttClient::messageReceived,
                         [this](const QString &topic, const QByteArray &payload) {
                             ++received;
                             if (topic.startsWith(QLatin1String("ardentia/bridge/"))) {
                                 lastBridgeTopic = topic;
                                 lastBridgePayload = payload;
                             } else if (!topic.endsWith(QLatin1String("availability"))) {
                                 states.insert(topic.mid(9), QJsonDocument::fromJson(payload)
                                                                 .object()
                                                                 .value(QLatin1String("state"))
                                                                 .toString());
                             }
                         });
    }

    MqttClient client;
    QHash<QString, QString> states; // channel ID -> "ON"/"OFF"
    QString lastBridgeTopic;
    QByteArray lastBridgePayload;
    int received = 0;
};

bool isOn(int k)
{
    return storedBenchLight(k).value(Key::turnOn) == Value::yes;
}

// Microseconds from a "set" message to the retained state that answers it.
double viaMqtt(Observer &observer, int k)
{
    const QString id = benchLightId(k);
    const QString wanted = isOn(k) ? QStringLiteral("OFF") : QStringLiteral("ON");
    observer.states.remove(id);
    QElapsedTimer clock;
    clock.start();
    observer.client.publish(QStringLiteral("ardentia/%1/set").arg(id), wanted.toUtf8(), false);
    runUntil([&] { return observer.states.value(id) == wanted; }, kAnswerLimitMs);
    return double(clock.nsecsElapsed()) / 1000.0;
}

// Microseconds from the same command given to the channel to its acknowledgement.
double viaChannel(const HomeServices &home, int k)
{
    bool acknowledged = false;
    const QString id = benchLightId(k);
    const auto connection =
        QObject::connect(UDPSocketManager::instance(), &UDPSocketManager::commandSettled,
                         [&](const QStringList &fields, bool) {
                             acknowledged = acknowledged || fields.value(2) == id;
                         });
    QElapsedTimer clock;
    clock.start();
    DeviceCommands(home).switchLight(storedBenchLight(k), !isOn(k));
    runUntil([&] { return acknowledged; }, kAnswerLimitMs);
    QObject::disconnect(connection);
    return double(clock.nsecsElapsed()) / 1000.0;
}

void settle()
{
    runUntil([] { return UDPSocketManager::instance()->isSettled(); }, 10000);
}

void soak(Observer &observer, TransmitterServer &simulator, int commands)
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    simulator.faults().add(*FaultRule::parse(QStringLiteral("lig:4:*=drop:5%"), nullptr));
    channel->setReplyWaitOverride(0.2);
    channel->setFollowUpMilliseconds(2);
    const int droppedBefore = simulator.repliesDropped();
    const double rssStart = residentMegabytes();
    QRandomGenerator random(9899);
    int answered = 0, lost = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < commands; ++i) {
        const QString id = benchLightId(int(random.bounded(kLights)));
        observer.states.remove(id);
        observer.lastBridgeTopic.clear();
        observer.client.publish(QStringLiteral("ardentia/%1/set").arg(id),
                                random.bounded(2) ? "ON" : "OFF", false);
        // Answered: a state (acknowledged, or the old one again) or an event.
        const bool answer = runUntil(
            [&] {
                return observer.states.contains(id) ||
                       observer.lastBridgeTopic == QLatin1String("ardentia/bridge/event");
            },
            kAnswerLimitMs);
        answer ? ++answered : ++lost;
    }
    const double seconds = double(clock.elapsed()) / 1000.0;
    settle();
    // A poll, as the bridge makes every few minutes, brings the home's word
    // for what a lost reply left open.
    simulator.faults().clear();
    channel->setReplyWaitOverride(std::nullopt);
    observer.client.publish(QStringLiteral("ardentia/bridge/request/state"), "{}", false);
    runUntil([&] { return observer.lastBridgeTopic.endsWith(QLatin1String("response/state")); },
             kAnswerLimitMs);
    settle();
    runUntil([] { return false; }, 300); // the last states on their way
    int mismatches = 0;
    for (int k = 0; k < kLights; ++k) {
        const bool simulated = simulator.home().channel(benchLightId(k))->state.on;
        if ((observer.states.value(benchLightId(k)) == QLatin1String("ON")) != simulated)
            ++mismatches;
    }
    channel->setFollowUpMilliseconds(UDPSocketManager::kFollowUpMilliseconds);
    std::printf("  soak: %d commands in %.1f s, %d replies dropped (injected)\n", commands, seconds,
                simulator.repliesDropped() - droppedBefore);
    std::printf("        answered %d, lost %d (target 0); retained/home mismatches after a "
                "poll %d (target 0)\n",
                answered, lost, mismatches);
    std::printf("        memory %.1f MB -> %.1f MB, growth %.1f MB (target under 5 MB)\n", rssStart,
                residentMegabytes(), residentMegabytes() - rssStart);
}
} // namespace

void runMqttBench(const HomeServices &home, int commands)
{
    if (qEnvironmentVariableIsEmpty("ARDENTIA_BENCH_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("ardentia.*=false"));
    std::printf("Bridge over MQTT (mosquitto on loopback), %d lights\n", kLights);
    Broker broker;
    if (!broker.start()) {
        std::printf("  no mosquitto to run against: skipped\n");
        return;
    }
    auto simulator = homeWithLights(kLights);
    if (!simulator)
        return;
    MqttClient bridgeClient(loopbackBroker(broker.port, QStringLiteral("bench-bridge")));
    MasterLink link(home);
    HomeBridge bridge(home, &bridgeClient, &link,
                      BridgeTopics{QStringLiteral("ardentia"), QStringLiteral("homeassistant")}, 0);
    Observer observer(broker.port);
    QString error;
    if (!bridgeClient.start(&error) || !observer.client.start(&error) ||
        !runUntil([&] { return bridgeClient.isConnected() && observer.client.isConnected(); },
                  5000)) {
        std::printf("  the broker could not be reached: %s\n", qPrintable(error));
        return;
    }
    settle();

    LatencyStats mqtt, direct;
    for (int i = 0; i < kPresses; ++i) {
        settle();
        mqtt.add(viaMqtt(observer, i % kLights));
        settle();
        direct.add(viaChannel(home, i % kLights));
    }
    std::printf("  set -> retained state  %s\n", qPrintable(mqtt.summary()));
    std::printf("  channel alone          %s\n", qPrintable(direct.summary()));
    std::printf("  difference p50 %.2f ms (target within 1 ms)\n",
                (mqtt.percentile(50) - direct.percentile(50)) / 1000.0);
    soak(observer, *simulator, commands);
    bridgeClient.stop();
    observer.client.stop();
    UDPSocketManager::instance()->abandonCommands();
    std::fflush(stdout);
}
