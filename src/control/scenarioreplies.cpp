// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenarioreplies.h"

#include "base/textnumber.h"
#include "flowcaller.h"
#include "homeevents.h"
#include "scenarionamingscreen.h"
#include "scenariostates.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordkeys.h"
#include "transport/gatewayreply.h"
#include "transport/resultcode.h"
#include "transport/wirevocabulary.h"
#include "udpsocketmanager.h"

void ScenarioReplies::overScenarioWithServerInfo(const GatewayReply::NamingAcknowledgement &ack,
                                                 const SharedOperations &operations)
{
    // The record this app asked the name for, with the picture chosen with it.
    std::optional<QVariantMap> asked;
    for (const QVariantMap &entry : std::as_const(*operations))
        if (entry.contains(Key::insertScenario) &&
            entry.value(Key::mainID).toString() == ack.number)
            asked = entry.value(Key::insertScenario).toMap();
    // A scenario's membership change ends in its own outcome, told when its
    // members were answered; only a naming of its own (a rename, or an edit
    // that changed no member) ends here.
    const bool namingIsTheFlow =
        asked && std::none_of(operations->cbegin(), operations->cend(),
                              [](const QVariantMap &e) { return e.contains(Key::haveSend); });
    if (ack.code != ResultCode::Accepted) {
        if (namingIsTheFlow)
            FlowCaller::of(*operations)
                .report(FlowOutcome::refused(ack.code,
                                             UDPSocketManager::tr("Setting scenario failed")));
        if (asked)
            m_channel->updateMainController();
        return;
    }
    // Stored first: the list the person returns to reads the store as it appears.
    const bool changed = storeAcknowledgedName(ack.number, ack.name, asked);
    if (namingIsTheFlow)
        FlowCaller::of(*operations).report(FlowOutcome::done({}));
    if (ScenarioNamingScreen *step = FlowCaller::of(*operations).scenarioNamingStep())
        step->scenarioNamed();
    if (changed)
        m_channel->updateMainController();
}

bool ScenarioReplies::storeAcknowledgedName(const QString &number, const QString &name,
                                            const std::optional<QVariantMap> &asked)
{
    std::optional<QVariantMap> scenario = m_store->scenarioRecordWithMainID(number);
    if (!scenario)
        return false;
    QVariantMap named = *scenario;
    named.insert(Key::title, name);
    if (asked && asked->contains(Key::imagePath))
        named.insert(Key::imagePath, asked->value(Key::imagePath));
    return named != *scenario &&
           m_store->updateScenarioWithMainID(named.value(Key::id).toString(), named);
}

void ScenarioReplies::overScenarioRunWithServerInfo(const GatewayReply::RunAcknowledgement &ack,
                                                    const SharedOperations &operations)
{
    if (ack.code != ResultCode::Accepted) {
        FlowCaller::of(*operations).report(FlowOutcome::refused(ack.code));
        m_channel->updateMainController();
        return;
    }
    const auto run =
        std::find_if(operations->cbegin(), operations->cend(), [&](const QVariantMap &s) {
            return s.value(Key::mainID).toString() == ack.number;
        });
    bool stored = true;
    if (run != operations->cend())
        stored = ScenarioStates(*m_store, *m_events).applyMembers(*run);
    else if (const auto scenario = m_store->scenarioRecordWithMainID(ack.number))
        stored = ScenarioStates(*m_store, *m_events).applyMembers(*scenario);
    FlowCaller::of(*operations)
        .report(stored ? FlowOutcome::done({}) : FlowOutcome::storeFailure());
    m_events->announceScenarioRun(ack.number);
    m_channel->updateMainController();
}

void ScenarioReplies::updateDeviceAndScenarioControlTimesWithInfo(const GatewayReply::Form &reply)
{
    if (const auto *run = std::get_if<GatewayReply::RunAcknowledgement>(&reply)) {
        m_store->updateScenarioControlTimesWithMainID(run->number);
        m_events->announceScenarioUseCounted(run->number);
        return;
    }
    const auto *ack = std::get_if<GatewayReply::DeviceAcknowledgement>(&reply);
    if (!ack)
        return;
    if (ack->operation == ChannelOperation::Control) {
        std::optional<QVariantMap> device =
            JsonCodec::recordFromJSONString(m_store->selectMainDeviceWithMainID(ack->deviceId));
        if (!device)
            return;
        const int uses = TextNumber::integerValue(device->value(Key::controlTimes).toString());
        device->insert(Key::controlTimes, QString::number(uses + 1));
        if (m_store->updateMainDeviceWithMainID(device->value(Key::id).toString(), *device))
            m_events->announceChannelUseCounted(ack->deviceId);
    } else if (ack->family == Wire::light && (ack->operation == ChannelOperation::AllOn ||
                                              ack->operation == ChannelOperation::AllOff)) {
        const QString &number =
            ack->operation == ChannelOperation::AllOn ? Value::allOnMainID : Value::allOffMainID;
        m_store->updateScenarioControlTimesWithMainID(number);
        m_events->announceScenarioUseCounted(number);
    }
}
