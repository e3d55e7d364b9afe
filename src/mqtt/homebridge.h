// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bridgecommands.h"
#include "bridgerequests.h"
#include "bridgetopics.h"
#include "control/homeservices.h"
#include "discoveryconfig.h"
#include "store/database.h"
#include "store/storeretry.h"
#include "transport/commandoutcome.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QVariantMap>

class LiveHome;
class MasterLink;
class MqttClient;

// The home on the broker: every channel and scenario published with its
// discovery config, its confirmed state and its availability; commands from
// "set" topics sent through the same channel and queue as a person's
// presses. States and availability are the live home's: a state is
// published only once the home has confirmed it, and
// a retained topic only when its payload changes, except for the one state
// that answers a command.
class HomeBridge final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HomeBridge)

public:
    HomeBridge(const HomeServices &home, MqttClient *mqtt, const MasterLink *link,
               BridgeTopics topics, int pollSeconds, QObject *parent = nullptr);

    // Reports a problem on the event topic (and in the log).
    void reportError(const QString &message, const QString &topic = {});
    // The version, the master and its link ("online", "offline", "unknown").
    QVariantMap info() const;
    BridgeRequests &requests() { return m_requests; }

private:
    // Whether a retained payload goes even when the broker has it already.
    enum class Publication { OnChange, Always };

    void onConnected();
    void onMessage(const QString &topic, const QByteArray &payload, bool retained);
    void onStateChanged(const QString &id);
    // Only what changed goes out (the retained payloads are compared).
    void publishEverything();
    // Another program changed the store: everything again, new channels asked their state.
    void followChangeElsewhere();
    void publishInfo();
    void publishDevices();
    void publishDevices(const Database::HomeRecords &home);
    // The master's ID as last read from the store.
    QString masterId() const;
    // The channel's topics; nothing (and a log line) for an ID that is no ID.
    std::optional<ChannelTopics> topicsOf(const QString &id) const;
    void publishChannel(const QVariantMap &device);
    // A discovery config this bridge stands for now.
    void publishConfig(const DiscoveryConfig::Message &config);
    void publishState(const QVariantMap &device, Publication publication = Publication::OnChange);
    void publishAvailability(const QString &id);
    void removeChannel(const QString &id);
    // Clears a channel's config, state and availability on the broker.
    void clearChannel(const QString &id, const QString &component);
    void clearIfStale(const QString &topic, const QByteArray &payload);
    void onOutcome(const QStringList &fields, const CommandOutcome &outcome);
    void onAcknowledged(const QStringList &fields);
    void onMasterChanged();
    void pollAll();
    void publish(const QString &topic, const QByteArray &payload,
                 Publication publication = Publication::OnChange);
    // An event: its type, what happened, and the topic of the command it is about.
    void sendEvent(const QString &type, const QString &message, const QString &topic);
    // A message that is not kept (an event, a response).
    void send(const QString &topic, const QByteArray &payload);
    DiscoveryConfig discovery() const;
    bool isAvailable(const QString &id) const;

    HomeServices m_home;
    MqttClient *m_mqtt;
    const MasterLink *m_link;
    const LiveHome *m_live;
    BridgeTopics m_topics;
    BridgeRequests m_requests;
    BridgeCommands m_commands;
    QTimer m_poll;
    QTimer m_birthDelay;
    QSet<QString> m_configTopics;          // the configs this bridge publishes now
    QHash<QString, QString> m_components;  // channel ID -> its component
    QHash<QString, QByteArray> m_retained; // topic -> what the broker holds from this bridge
    QSet<QString> m_answering; // channels whose control was acknowledged: their state answers it
    StoreRetry m_storeRetry;
    mutable QString m_masterId;
};
