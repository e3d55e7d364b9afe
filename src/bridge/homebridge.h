#pragma once

#include "bridgecommands.h"
#include "bridgerequests.h"
#include "bridgetopics.h"
#include "discoveryconfig.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QVariantMap>

class MasterLink;
class MqttClient;

// The home on the broker: every channel and scenario published with its
// discovery config, its confirmed state and its availability; commands from
// "set" topics sent through the same channel and queue as a person's
// presses. States are published only once the home has confirmed them.
class HomeBridge final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HomeBridge)

public:
    HomeBridge(MqttClient *mqtt, const MasterLink *link, BridgeTopics topics, int pollSeconds,
               QObject *parent = nullptr);

    // Reports a problem on the event topic (and in the log).
    void reportError(const QString &message, const QString &topic = {});
    // The version, the master and its link ("online", "offline", "unknown").
    QVariantMap info() const;
    BridgeRequests &requests() { return m_requests; }

private:
    void onConnected();
    void onMessage(const QString &topic, const QByteArray &payload);
    void publishEverything();
    void publishInfo();
    void publishDevices();
    void publishChannel(const QVariantMap &device);
    void publishState(const QVariantMap &device);
    void publishAvailability(const QString &id);
    void removeChannel(const QString &id);
    void clearIfStale(const QString &topic, const QByteArray &payload);
    void onOutcome(const QStringList &fields, const QString &outcome);
    void onMasterChanged();
    void pollAll();
    void publish(const QString &topic, const QByteArray &payload, bool retain = true);
    DiscoveryConfig discovery() const;
    bool isAvailable(const QString &id) const;

    MqttClient *m_mqtt;
    const MasterLink *m_link;
    BridgeTopics m_topics;
    BridgeRequests m_requests;
    BridgeCommands m_commands;
    QTimer m_poll;
    QTimer m_birthDelay;
    QSet<QString> m_configTopics;         // the configs this bridge publishes now
    QHash<QString, QString> m_components; // channel ID -> its component
    QSet<QString> m_silent;               // channels whose last query went unanswered
};
