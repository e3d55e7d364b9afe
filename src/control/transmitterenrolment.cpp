// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmitterenrolment.h"

#include "enrolmentoperations.h"
#include "flowcaller.h"
#include "homeactions.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transport/transmittercommands.h"
#include "udpsocketmanager.h"

bool TransmitterEnrolment::isStored(const QString &id) const
{
    const QList<QVariantMap> transmitters = m_home.store.readAllSuperBoxInfo();
    return std::any_of(transmitters.cbegin(), transmitters.cend(),
                       [&id](const QVariantMap &t) { return t.value(Key::id).toString() == id; });
}

bool TransmitterEnrolment::joinsAsMaster(const QString &id) const
{
    const QList<QVariantMap> transmitters = m_home.store.readAllSuperBoxInfo();
    return transmitters.isEmpty() || transmitters.constFirst().value(Key::id).toString() == id;
}

QString TransmitterEnrolment::roleLine(const QString &id) const
{
    return RecordFactory::transmitterTitle(joinsAsMaster(id));
}

void TransmitterEnrolment::connect(const QString &id, std::shared_ptr<FlowCaller> caller) const
{
    UDPSocketManager *channel = &m_home.channel;
    // Its commands carry the ID, so that only their outcomes end the enrolment.
    SharedOperations enrolment = EnrolmentOperations::forTransmitter(id);
    enrolment->caller = std::move(caller);
    const QList<QVariantMap> transmitters = m_home.store.readAllSuperBoxInfo();
    if (transmitters.isEmpty()) {
        channel->getGatewayIPWithID(id, std::nullopt, std::move(enrolment));
        return;
    }
    const QVariantMap &master = transmitters.constFirst();
    const QString masterId = master.value(Key::id).toString();
    if (masterId == id) {
        channel->getGatewayIPWithID(id, master.value(Key::address).toString(),
                                    std::move(enrolment));
        return;
    }
    channel->sendMessageWithCommandArray(TransmitterCommands::configureRole(masterId, id, false),
                                         std::nullopt, std::move(enrolment));
}

void TransmitterEnrolment::importConfiguration(std::shared_ptr<FlowCaller> caller) const
{
    HomeActions(m_home).synchronizeData(std::move(caller));
}
