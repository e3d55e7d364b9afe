// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmitterreplies.h"

#include "base/logging.h"
#include "enrolmentoperations.h"
#include "flowcaller.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterenrolmentscreen.h"
#include "transport/gatewayreply.h"
#include "transport/resultcode.h"
#include "transport/transmittercommands.h"
#include "udpsocketmanager.h"

#include <QCoreApplication>

namespace {
void tellEnrolmentScreen(const OperationList &operations, const QString &transmitterId,
                         bool succeeded)
{
    if (!EnrolmentOperations::enrolsTransmitter(operations, transmitterId))
        return;
    FlowCaller &caller = FlowCaller::of(operations);
    if (TransmitterEnrolmentScreen *step = caller.transmitterEnrolmentStep())
        step->superBoxAddSucceed(succeeded);
    else if (!caller.personWatches()) // a person who left the enrolment waits for nothing more
        caller.report(succeeded ? FlowOutcome::done({})
                                : FlowOutcome::storeFailure(QCoreApplication::translate(
                                      "ShowAlertManager", "The home's data cannot be read")));
}
} // namespace

void TransmitterReplies::overGatewayIPWithServerInfo(const GatewayReply::LocateAnswer &answer,
                                                     const SharedOperations &operations)
{
    qCInfo(lcGateway).noquote()
        << QStringLiteral("located:%1_at:%2").arg(answer.transmitterId, answer.address);
    const QString &id = answer.transmitterId;

    const std::optional<QList<QVariantMap>> read = m_store->superBoxesIfReadable();
    if (!read) {
        // Which transmitters are stored, and so whether this one would be
        // the master, is not known: nothing is written.
        qCWarning(lcStore).noquote()
            << QStringLiteral("the located transmitter %1 is not stored: the store could not "
                              "be read")
                   .arg(id);
        tellEnrolmentScreen(*operations, id, false);
        return;
    }
    const QList<QVariantMap> &stored = *read;
    const bool known = std::any_of(stored.cbegin(), stored.cend(), [&id](const QVariantMap &t) {
        return t.value(Key::id).toString() == id;
    });
    if (known)
        m_store->updateSuperBoxWithAddress(answer.address, id, std::nullopt);
    else
        m_store->insertSuperBoxWithInfo(
            RecordFactory::transmitter(id, answer.address, stored.isEmpty()));

    const QList<QVariantMap> now = m_store->readAllSuperBoxInfo();
    const auto found = std::find_if(now.cbegin(), now.cend(), [&id](const QVariantMap &t) {
        return t.value(Key::id).toString() == id;
    });
    if (found == now.cend()) { // the store did not take it
        tellEnrolmentScreen(*operations, id, false);
        return;
    }
    if (found->value(Key::command).toString() == Value::yes) {
        tellEnrolmentScreen(*operations, id, true);
        return;
    }
    const QString masterId = now.constFirst().value(Key::id).toString();
    m_channel->sendMessageWithCommandArray(
        TransmitterCommands::configureRole(masterId, id, found == now.cbegin()), std::nullopt,
        operations);
}

void TransmitterReplies::overCommandWithServerInfo(const GatewayReply::RoleAcknowledgement &ack,
                                                   const SharedOperations &operations)
{
    FlowCaller &caller = FlowCaller::of(*operations);
    if (ack.code == ResultCode::Accepted ||
        (ack.code == ResultCode::AlreadyMaster && ack.asMaster)) {
        m_store->updateSuperBoxWithAddress(std::nullopt, ack.transmitterId, Value::yes);
        tellEnrolmentScreen(*operations, ack.transmitterId, true);
        return;
    }
    if (ack.code == ResultCode::AlreadyMaster) {
        caller.report(FlowOutcome::refused(
            ack.code, QStringLiteral("该无线转发器已经被设置为主"),
            QStringLiteral("无法再配置为从无线转发器,如果有必要请重置,数据会丢失")));
    } else if (ack.code == ResultCode::AlreadySlave) {
        caller.report(FlowOutcome::refused(
            ack.code, QStringLiteral("该无线转发器已经被设置为从"),
            QStringLiteral("无法再配置为主无线转发器,如果有必要请重置,数据会丢失")));
    } else if (ack.code == ResultCode::Full) {
        caller.report(FlowOutcome::refused(
            ack.code, UDPSocketManager::tr("It is too full to add Transmitter")));
    } else {
        return;
    }
    m_store->deleteSuperBoxWithMainID(ack.transmitterId);
}
