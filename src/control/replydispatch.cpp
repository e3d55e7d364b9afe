// SPDX-License-Identifier: GPL-3.0-or-later
#include "replydispatch.h"

#include "gatewayreplies.h"

namespace {
// The handler of a reply form, chosen by its type.
template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;
} // namespace

ReplyDispatch::ReplyDispatch(UDPSocketManager *channel, Database *store, HomeEvents *events)
    : m_system(std::make_unique<GatewayReplies>(channel, store, events)), m_handlers(m_system.get())
{
}

ReplyDispatch::~ReplyDispatch() = default;

void ReplyDispatch::setHandlers(ReplyHandlers *handlers)
{
    m_handlers = handlers ? handlers : m_system.get();
}

DeviceReplies &ReplyDispatch::devices()
{
    return m_system->devices();
}

void ReplyDispatch::dispatch(const GatewayReply::Form &reply, const SharedOperations &operations)
{
    using Reply = GatewayReply;
    ReplyHandlers *handlers = m_handlers;
    const SharedOperations records = operations ? operations : shareOperations();
    std::visit(Overloaded{
                   [&](const Reply::RoleAcknowledgement &r) {
                       handlers->overCommandWithServerInfo(r, records);
                   },
                   [&](const Reply::LocateAnswer &r) {
                       handlers->overGatewayIPWithServerInfo(r, records);
                   },
                   [&](const Reply::DeviceAcknowledgement &r) {
                       handlers->overLightingControlWithServerInfo(r, records);
                   },
                   [&](const Reply::StateAnswer &r) {
                       handlers->getLightingStateWithServerInfo(r, records);
                   },
                   [&](const Reply::NamingAcknowledgement &r) {
                       handlers->overScenarioWithServerInfo(r, records);
                   },
                   [&](const Reply::RunAcknowledgement &r) {
                       handlers->overScenarioRunWithServerInfo(r, records);
                   },
               },
               reply);
}

void ReplyDispatch::updateUseCounters(const GatewayReply::Form &reply)
{
    m_handlers->updateDeviceAndScenarioControlTimesWithInfo(reply);
}
