// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicereplies.h"

#include "base/logging.h"
#include "channelremoval.h"
#include "controllercommands.h"
#include "controlrefusalscreen.h"
#include "deviceenrolmentscreen.h"
#include "flowcaller.h"
#include "homeevents.h"
#include "scenarionamingscreen.h"
#include "scenariostates.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/gatewayreply.h"
#include "transport/resultcode.h"
#include "transport/wirevocabulary.h"
#include "udpsocketmanager.h"
#include "uidevicecalculation.h"

namespace {
QString idOfInsertDevice(const QVariantMap &entry)
{
    return entry.value(Key::insertDevice).toMap().value(Key::id).toString();
}

QString targetOfSendArray(const QVariantMap &entry)
{
    return Wire::targetOf(entry.value(Key::sendArray).toStringList());
}

int operationOfSendArray(const QVariantMap &entry)
{
    return Wire::operationOf(entry.value(Key::sendArray).toStringList());
}

// A refusal in the home's words: a full one says so.
FlowOutcome refusal(int code)
{
    return code == ResultCode::Full
               ? FlowOutcome::refused(code, UDPSocketManager::tr("It is too full to add device"))
               : FlowOutcome::refused(code);
}

int countAccepted(const QList<QVariantMap> &operations)
{
    return int(std::count_if(operations.cbegin(), operations.cend(), [](const QVariantMap &e) {
        return e.value(Key::haveSend).toString() == Value::yes;
    }));
}
} // namespace

void DeviceReplies::overLightingControlWithServerInfo(
    const GatewayReply::DeviceAcknowledgement &ack, const SharedOperations &operations)
{
    const QString &id = ack.deviceId;
    bool flowTells = false;
    switch (ack.operation) {
    case ChannelOperation::Add:
        flowTells = addLightToDeviceWithAnswer(ack.code, id, operations);
        break;
    case ChannelOperation::JoinScenario:
    case ChannelOperation::LeaveScenario:
        flowTells = addOrDeleteLightWithAnswer(ack.code, id, operations);
        break;
    case ChannelOperation::Control:
        flowTells = lightControlWithAnswer(ack.code, id, operations);
        break;
    case ChannelOperation::Remove:
        flowTells = deleteLightWithAnswer(ack.code, id, operations);
        break;
    case ChannelOperation::Name:
        flowTells = changeNameWithAnswer(ack.code, id, operations);
        break;
    case ChannelOperation::ForceRemove:
        flowTells = forceDeleteWithAnswer(ack.code, id, operations);
        break;
    case ChannelOperation::AllOn:
    case ChannelOperation::AllOff:
        flowTells =
            switchAllWithAnswer(ack.code, ack.operation == ChannelOperation::AllOn, operations);
        break;
    default:
        break;
    }
    // A full home is said once: by the flow's own outcome where it tells one.
    if (ack.code == ResultCode::Full && !flowTells)
        FlowCaller::of(*operations).report(refusal(ack.code));
}

void DeviceReplies::stepAfter(int index, const SharedOperations &operations)
{
    m_channel->scheduleFollowUp(
        [this, index, operations] { sendOperationQueueRequest(index, operations); });
}

void DeviceReplies::sendOperationQueueRequest(int index, const SharedOperations &operations)
{
    if (index < 0 || index + 1 >= operations->size())
        return;
    m_channel->sendMessageWithCommandArray(
        operations->at(index + 1).value(Key::sendArray).toStringList(), std::nullopt, operations);
}

void DeviceReplies::reportEnrolment(const OperationList &operations)
{
    const int accepted = countAccepted(operations);
    if (DeviceEnrolmentScreen *step = FlowCaller::of(operations).deviceEnrolmentStep()) {
        step->panelAddSucceed(QString::number(accepted));
    } else if (!FlowCaller::of(operations).personWatches()) {
        // A person who left the enrolment's screen waits for nothing more.
        const qsizetype channels = operations.size() / 2; // an add and a name each
        FlowOutcome outcome =
            accepted == channels ? FlowOutcome::done({}) : FlowOutcome::refused(std::nullopt);
        outcome.accepted = accepted;
        FlowCaller::of(operations).report(outcome);
    }
}

bool DeviceReplies::addLightToDeviceWithAnswer(int code, const QString &ligId,
                                               const SharedOperations &operations)
{
    OperationList &list = *operations;
    const auto entry = std::find_if(list.begin(), list.end(), [&](const QVariantMap &e) {
        return idOfInsertDevice(e) == ligId;
    });
    if (entry == list.end())
        return false;
    const int index = int(entry - list.begin());
    if (code == ResultCode::Accepted) {
        // Counted as added only once it is stored.
        m_store->deleteMainDeviceWithMainID(ligId);
        if (m_store->insertMainDeviceWithInfo(entry->value(Key::insertDevice).toMap()))
            entry->insert(Key::haveSend, Value::yes);
    }
    if (index < list.size() - 1)
        stepAfter(index, operations);
    else
        reportEnrolment(list);
    return !FlowCaller::of(list).personWatches(); // otherwise its screen counts what was added
}

bool DeviceReplies::changeNameWithAnswer(int code, const QString &ligId,
                                         const SharedOperations &operations)
{
    const OperationList &list = *operations;
    const auto entry = std::find_if(list.cbegin(), list.cend(), [&](const QVariantMap &e) {
        return idOfInsertDevice(e) == ligId && !e.contains(Key::haveSend);
    });
    if (entry == list.cend())
        return false;
    if (list.size() == 1) { // a rename
        storeAcknowledgedName(code, entry->value(Key::insertDevice).toMap(), FlowCaller::of(list));
        return true;
    }
    // In an enrolment a refused name does not stop the channels after it.
    const int index = int(entry - list.cbegin());
    if (index < list.size() - 1)
        stepAfter(index, operations);
    else
        reportEnrolment(list);
    return !FlowCaller::of(list).personWatches();
}

void DeviceReplies::storeAcknowledgedName(int code, const QVariantMap &renamed, FlowCaller &caller)
{
    // Only the name: the rest of the record may have changed since.
    const QString id = renamed.value(Key::id).toString();
    const QString title = renamed.value(Key::title).toString();
    if (code == ResultCode::Accepted &&
        m_store->updateMainDeviceWithMainID(id, Key::title, title)) {
        m_events->announceRename(id, title);
        caller.report(FlowOutcome::done({}));
    } else
        caller.report(code == ResultCode::Accepted ? FlowOutcome::storeFailure() : refusal(code));
    m_channel->updateMainController();
}

bool DeviceReplies::lightControlWithAnswer(int code, const QString &ligId,
                                           const SharedOperations &operations)
{
    FlowCaller &caller = FlowCaller::of(*operations);
    if (code == ResultCode::Accepted && storeAcknowledgedState(ligId, *operations)) {
        // the store's announcement brings it to the screens
        caller.report(FlowOutcome::done({}));
        return true;
    }
    if (ControlRefusalScreen *step = caller.refusalStep())
        step->controlRefused(ligId);
    caller.report(code == ResultCode::Accepted ? FlowOutcome::storeFailure() : refusal(code));
    m_channel->updateMainController();
    return true;
}

bool DeviceReplies::storeAcknowledgedState(const QString &ligId, const OperationList &operations)
{
    const auto sent =
        std::find_if(operations.cbegin(), operations.cend(),
                     [&](const QVariantMap &e) { return e.value(Key::id).toString() == ligId; });
    // Only the state the command set: the rest of the stored record (its use
    // count above all) may have changed since the command was built.
    if (sent == operations.cend() ||
        !m_store->updateMainDeviceWithMainID(ligId, Key::turnOn, sent->value(Key::turnOn)))
        return false;
    m_events->announceState(ligId, sent->value(Key::turnOn).toString());
    return true;
}

bool DeviceReplies::deleteLightWithAnswer(int code, const QString &ligId,
                                          const SharedOperations &operations)
{
    const OperationList &list = *operations;
    const bool listed = std::any_of(list.cbegin(), list.cend(), [&](const QVariantMap &e) {
        return e.value(Key::id).toString() == ligId;
    });
    if (code == ResultCode::Accepted && listed) {
        ChannelRemoval(*m_store, *m_events).removeFromStore(ligId);
        m_channel->updateMainController();
        return true;
    }

    if (list.size() == 1) {
        switch (code) {
        case ResultCode::UnknownChannel: // the master no longer knows it: it goes here too
            ChannelRemoval(*m_store, *m_events)
                .removeFromStore(list.constFirst().value(Key::id).toString());
            break;
        case ResultCode::ControllerSilent:
            m_channel->updateMainController();
            askForcedRemoval(code,
                             QStringLiteral("控制器无应答,可能已损坏或被移除,请确认是否强制删除"),
                             operations);
            return true;
        case ResultCode::SlaveUnreachable:
            m_channel->updateMainController();
            askForcedRemoval(
                code,
                QStringLiteral("请检查从无线转发器是否连接正常,如果正常请确认是否强制删除设备"),
                operations);
            return true;
        default:
            break;
        }
    }
    m_channel->updateMainController();
    FlowCaller::of(list).report(refusal(code));
    return true;
}

void DeviceReplies::askForcedRemoval(int code, const QString &message,
                                     const SharedOperations &operations)
{
    FlowCaller::of(*operations)
        .ask(message, {kForceRemove, kCancel}, [this, code, operations](int index) {
            // Declined: the removal ends refused as the home answered it. The
            // person who declined on a screen needs no word about it.
            if (index != 0 && !FlowCaller::of(*operations).personWatches())
                FlowCaller::of(*operations).report(FlowOutcome::refused(code));
            alertViewClickedButtonAtIndex(index, operations);
        });
}

void DeviceReplies::alertViewClickedButtonAtIndex(int buttonIndex,
                                                  const SharedOperations &operations)
{
    if (buttonIndex != 0 || operations->size() != 1)
        return;
    const QVariantMap &record = operations->constFirst();
    const QString type = record.value(Key::type).toString();
    if (type != Value::lighting && type != Value::curtain)
        return;
    m_channel->sendMessageWithCommandArray(ControllerCommands::forceRemove(record), std::nullopt,
                                           operations);
    m_channel->updateMainController();
}

bool DeviceReplies::forceDeleteWithAnswer(int code, const QString &ligId,
                                          const SharedOperations &operations)
{
    FlowCaller &caller = FlowCaller::of(*operations);
    if (code == ResultCode::Accepted) {
        ChannelRemoval(*m_store, *m_events).removeFromStore(ligId);
        caller.report(
            FlowOutcome::done(UDPSocketManager::tr("Force remove the device successful")));
    } else {
        caller.report(
            FlowOutcome::refused(code, UDPSocketManager::tr("Force remove the device failed")));
    }
    m_channel->updateMainController();
    return true;
}

bool DeviceReplies::switchAllWithAnswer(int code, bool on, const SharedOperations &operations)
{
    FlowCaller &caller = FlowCaller::of(*operations);
    if (code != ResultCode::Accepted)
        caller.report(refusal(code));
    else if (!ScenarioStates(*m_store, *m_events).switchAllLights(on))
        caller.report(FlowOutcome::storeFailure());
    else
        caller.report(FlowOutcome::done({}));
    m_channel->updateMainController();
    return true;
}

bool DeviceReplies::addOrDeleteLightWithAnswer(int code, const QString &ligId,
                                               const SharedOperations &operations)
{
    OperationList &list = *operations;
    if (list.isEmpty())
        return false;
    const bool closesWithNaming =
        list.constLast().value(Key::scenarioControlTypeKey) == Value::editDeviceAndNameScenario;
    const auto entry = std::find_if(list.begin(), list.end(), [&](const QVariantMap &e) {
        const QString kind = e.value(Key::scenarioControlTypeKey).toString();
        return (kind == Value::deleteDeviceFromScenario || kind == Value::editDeviceFromScenario) &&
               targetOfSendArray(e) == ligId;
    });
    if (entry == list.end())
        return false;
    const int index = int(entry - list.begin());
    if (code == ResultCode::Accepted)
        entry->insert(Key::haveSend, Value::yes);

    const int last = int(list.size()) - 1;
    if (index < last) {
        stepAfter(index, operations);
        // The naming command goes out next while the membership result applies now.
        if (!(closesWithNaming && index == last - 1))
            return true;
    }
    completeScenarioChange(list);
    return true;
}

void DeviceReplies::completeScenarioChange(const OperationList &operations)
{
    FlowCaller &caller = FlowCaller::of(operations);
    const QString kind = operations.constFirst().value(Key::scenarioControlTypeKey).toString();

    if (kind == Value::deleteDeviceFromScenario) {
        if (countAccepted(operations) == operations.size()) {
            caller.report(FlowOutcome::done(UDPSocketManager::tr("Delete scenario successful")));
            const QString number = operations.constFirst().value(Key::deleteScenarioID).toString();
            m_store->deleteScenarioWithMainID(number);
            m_events->announceScenarioRemoval(number);
        } else {
            caller.report(
                FlowOutcome::refused(std::nullopt, UDPSocketManager::tr("Delete scenario failed")));
            m_channel->updateMainController();
        }
        return;
    }
    if (kind != Value::editDeviceFromScenario)
        return;

    QVariantList accepted;
    QStringList removed; // members an edit took out (operation 14) and the transmitter let go
    QStringList refused; // the names of the devices the transmitter did not take
    for (const QVariantMap &entry : operations) {
        if (!entry.contains(Key::haveSend))
            continue; // the naming entry
        const bool kept = entry.value(Key::needCheck).toString() == Value::yes;
        if (entry.value(Key::haveSend).toString() != Value::yes)
            refused.append(entry.value(Key::insertDevice).toMap().value(Key::title).toString());
        else if (kept)
            accepted.append(entry.value(Key::insertDevice));
        else if (operationOfSendArray(entry) == ChannelOperation::LeaveScenario)
            removed.append(targetOfSendArray(entry));
    }
    if (accepted.isEmpty() && removed.isEmpty()) {
        caller.report(
            FlowOutcome::refused(std::nullopt, UDPSocketManager::tr("Setting scenario failed")));
        return;
    }
    if (refused.isEmpty())
        caller.report(FlowOutcome::done(UDPSocketManager::tr("Setting scenario successful")));
    else // saved, but not as it was asked for: say which devices are not in it
        caller.report(FlowOutcome::refused(
            std::nullopt, UDPSocketManager::tr("Scenario saved without some devices"),
            refused.join(QStringLiteral(", "))));
    // Stored first: the screen the person returns to reads the store as it appears.
    storeScenarioChange(operations.constLast().value(Key::insertScenario).toMap(), accepted,
                        removed);
    if (ScenarioNamingScreen *step = caller.scenarioNamingStep())
        step->scenarioChangeAnswered();
}

void DeviceReplies::storeScenarioChange(QVariantMap scenario, const QVariantList &accepted,
                                        const QStringList &removed)
{
    std::optional<QVariantMap> stored =
        m_store->scenarioRecordWithMainID(scenario.value(Key::mainID).toString());
    if (!stored) {
        if (!accepted.isEmpty()) {
            scenario.insert(Key::sceneArray, accepted);
            m_store->insertScenarioWithInfo(scenario);
        }
        return;
    }
    QVariantList members = RecordFactory::sceneDevices(*stored);
    members.removeIf([&removed](const QVariant &m) {
        return removed.contains(m.toMap().value(Key::id).toString());
    });
    for (const QVariant &device : accepted) {
        const QVariantMap record = device.toMap();
        const auto same = std::find_if(members.begin(), members.end(), [&](const QVariant &m) {
            return m.toMap().value(Key::id) == record.value(Key::id);
        });
        if (same == members.end()) {
            members.append(record);
        } else {
            QVariantMap member = same->toMap();
            member.insert(Key::turnOn, record.value(Key::turnOn));
            *same = member;
        }
    }
    stored->insert(Key::sceneArray, members);
    m_store->updateScenarioWithMainID(stored->value(Key::id).toString(), *stored);
}

void DeviceReplies::getLightingStateWithServerInfo(const GatewayReply::StateAnswer &answer,
                                                   const SharedOperations &operations)
{
    const QString &id = answer.deviceId;
    const OperationList &list = *operations;
    const auto entry = std::find_if(list.cbegin(), list.cend(), [&](const QVariantMap &e) {
        return targetOfSendArray(e) == id;
    });
    if (entry == list.cend())
        return;
    const int index = int(entry - list.cbegin());
    const bool last = index == list.size() - 1;

    if (answer.code == ResultCode::Accepted) {
        if (const std::optional<QString> turnOn =
                UIDeviceCalculation::turnOnFromStateAnswer(id, answer.state, answer.level))
            storeReportedState(id, *turnOn);
    } else { // the home could not tell: the stored state is not to be trusted
        m_events->announceStateUnknown(id);
    }
    if (!last)
        stepAfter(index, operations);
    else if (!entry->contains(Key::backgroundQuery)) // those only announce what they learnt
        m_channel->updateMainController();
}

void DeviceReplies::storeReportedState(const QString &id, const QString &turnOn)
{
    const std::optional<QVariantMap> stored = m_store->deviceRecordWithMainID(id);
    if (!stored)
        return;
    const QString before = stored->value(Key::turnOn).toString();
    const bool differed = before != turnOn;
    if (differed) { // the home's word: changed at the wall, by another phone or a scenario
        ++m_reportedDifferences;
        qCInfo(lcGateway).noquote()
            << QStringLiteral("state:%1_stored:%2_reported:%3_differences:%4")
                   .arg(id, before, turnOn)
                   .arg(m_reportedDifferences);
        if (!m_store->updateMainDeviceWithMainID(id, Key::turnOn, turnOn))
            return;
    }
    m_events->announceReport(id, turnOn, differed);
}
