// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/gatewayreply.h"
#include "transport/operationlist.h"

#include <QString>

class Database;
class HomeEvents;
class UDPSocketManager;

// Locate answers and role acknowledgements: where a transmitter is, and
// whether it took the role the store gives it (the first one stored is the
// master). The enrolment screen hears only of its own enrolment's commands.
class TransmitterReplies {
public:
    // Not owned: the channel, the store the replies change and the events
    // that announce it.
    TransmitterReplies(UDPSocketManager *channel, Database *store, HomeEvents *events)
        : m_channel(channel), m_store(store), m_events(events)
    {
    }

    void overGatewayIPWithServerInfo(const GatewayReply::LocateAnswer &answer,
                                     const SharedOperations &operations);
    void overCommandWithServerInfo(const GatewayReply::RoleAcknowledgement &ack,
                                   const SharedOperations &operations);

private:
    UDPSocketManager *m_channel;
    Database *m_store;
    HomeEvents *m_events;
};
