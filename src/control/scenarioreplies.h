// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/gatewayreply.h"
#include "transport/operationlist.h"

#include <QString>
#include <QVariantMap>

#include <optional>

class Database;
class HomeEvents;
class UDPSocketManager;

// Scenario naming and run acknowledgements, and the use counters every
// dispatched reply raises (devices by control, built-ins by switch-all,
// scenarios by run).
class ScenarioReplies {
public:
    // Not owned: the channel, the store the replies change and the events
    // that announce it.
    ScenarioReplies(UDPSocketManager *channel, Database *store, HomeEvents *events)
        : m_channel(channel), m_store(store), m_events(events)
    {
    }

    // The name the master took is stored, with the picture chosen with it;
    // a refused name that this app asked for is reported.
    void overScenarioWithServerInfo(const GatewayReply::NamingAcknowledgement &ack,
                                    const SharedOperations &operations);
    // A run the master acknowledged sets its members' stored states.
    void overScenarioRunWithServerInfo(const GatewayReply::RunAcknowledgement &ack,
                                       const SharedOperations &operations);
    void updateDeviceAndScenarioControlTimesWithInfo(const GatewayReply::Form &reply);

private:
    // True when the store took a change.
    bool storeAcknowledgedName(const QString &number, const QString &name,
                               const std::optional<QVariantMap> &asked);

    UDPSocketManager *m_channel;
    Database *m_store;
    HomeEvents *m_events;
};
