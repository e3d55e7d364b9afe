// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/gatewayreply.h"
#include "transport/operationlist.h"

#include <memory>

class Database;
class DeviceReplies;
class GatewayReplies;
class HomeEvents;
class ReplyHandlers;
class UDPSocketManager;

// Hands each reply, read into its form, to the handler of that form with the
// records of the command it answers, and raises the use counters after it.
class ReplyDispatch {
public:
    // Not owned: the channel, the store the replies change and the events
    // that announce it.
    ReplyDispatch(UDPSocketManager *channel, Database *store, HomeEvents *events);
    ~ReplyDispatch();
    ReplyDispatch(const ReplyDispatch &) = delete;
    ReplyDispatch &operator=(const ReplyDispatch &) = delete;

    void dispatch(const GatewayReply::Form &reply, const SharedOperations &operations);
    void updateUseCounters(const GatewayReply::Form &reply);
    // Not owned; null restores the system's own handlers.
    void setHandlers(ReplyHandlers *handlers);
    // The system's own handlers of the device family (the steps of a flow
    // and the forced-removal question).
    DeviceReplies &devices();

private:
    std::unique_ptr<GatewayReplies> m_system;
    ReplyHandlers *m_handlers;
};
