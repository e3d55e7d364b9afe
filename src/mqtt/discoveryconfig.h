// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bridgetopics.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

// Home Assistant's discovery configs and the retained state messages for
// the home's channels and scenarios.
class DiscoveryConfig {
public:
    struct Message {
        QString topic;
        QByteArray payload;
    };

    DiscoveryConfig(BridgeTopics topics, QString masterId)
        : m_topics(std::move(topics)), m_masterId(std::move(masterId))
    {
    }

    // A light (JSON schema) or a curtain (cover) from its stored record.
    Message forChannel(const QVariantMap &device, const ChannelTopics &topics) const;
    // The master's link (a connectivity sensor), which makes the master's
    // device; nothing without a master.
    std::optional<Message> forMaster() const;
    // A scenario (scene) from its stored record, the built-ins included.
    Message forScenario(const QVariantMap &scenario) const;
    // The empty retained config that removes an entity.
    Message removal(const QString &component, const ChannelTopics &topics) const;

    // The channel's state as its topic carries it.
    static QByteArray statePayload(const QVariantMap &device);
    static QString componentOf(const QVariantMap &device);
    static QString scenarioEntityId(const QString &number);

private:
    QVariantMap bridgeAvailability() const;
    QVariantMap availability(const QVariantMap &second) const;
    // A device block; viaMaster names the master's device as the way to it.
    QVariantMap deviceBlock(const QString &uniqueId, const QString &name, const QString &model,
                            bool viaMaster) const;
    // The master's link as the bridge's info tells it: "online" or "offline".
    QVariantMap masterAvailability() const;
    QVariantMap origin() const;

    BridgeTopics m_topics;
    QString m_masterId;
};
