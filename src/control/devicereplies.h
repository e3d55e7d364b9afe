// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/gatewayreply.h"
#include "transport/operationlist.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

class FlowCaller;

class Database;
class HomeEvents;
class UDPSocketManager;

// Acknowledgements and state answers of lights and curtains, each handled
// with the operation list of the command it answers: enrolment, naming,
// control, removal (with the forced removal it may lead to) and scenario
// membership.
class DeviceReplies {
public:
    // Not owned: the channel, the store the replies change and the events
    // that announce it.
    DeviceReplies(UDPSocketManager *channel, Database *store, HomeEvents *events)
        : m_channel(channel), m_store(store), m_events(events)
    {
    }

    void overLightingControlWithServerInfo(const GatewayReply::DeviceAcknowledgement &ack,
                                           const SharedOperations &operations);
    void getLightingStateWithServerInfo(const GatewayReply::StateAnswer &answer,
                                        const SharedOperations &operations);
    // Sends the command of operation entry index + 1, if there is one.
    void sendOperationQueueRequest(int index, const SharedOperations &operations);
    // The answer to the forced-removal question.
    void alertViewClickedButtonAtIndex(int buttonIndex, const SharedOperations &operations);

    // Each handler answers whether the acknowledgement belongs to a flow that
    // tells its caller its outcome (now or when its last step is answered).
    bool addLightToDeviceWithAnswer(int code, const QString &ligId,
                                    const SharedOperations &operations);
    bool changeNameWithAnswer(int code, const QString &ligId, const SharedOperations &operations);
    bool lightControlWithAnswer(int code, const QString &ligId, const SharedOperations &operations);
    bool deleteLightWithAnswer(int code, const QString &ligId, const SharedOperations &operations);
    bool forceDeleteWithAnswer(int code, const QString &ligId, const SharedOperations &operations);
    // All lights on (5) or off (6): the store follows an accepted one.
    bool switchAllWithAnswer(int code, bool on, const SharedOperations &operations);
    bool addOrDeleteLightWithAnswer(int code, const QString &ligId,
                                    const SharedOperations &operations);

    static inline const QString kForceRemove = QStringLiteral("强制删除");
    static inline const QString kCancel = QStringLiteral("取消");

private:
    void stepAfter(int index, const SharedOperations &operations);
    void reportEnrolment(const OperationList &operations);
    // A rename the master acknowledged is stored; a refused one shows the failure.
    void storeAcknowledgedName(int code, const QVariantMap &renamed, FlowCaller &caller);
    // Stores the state an acknowledged control set on the stored record;
    // false when there is none to store or the store could not follow.
    bool storeAcknowledgedState(const QString &ligId, const OperationList &operations);
    // A state answer is the home's word: stored, announced, and a difference
    // from the store counted in the log.
    void storeReportedState(const QString &id, const QString &turnOn);
    void completeScenarioChange(const OperationList &operations);
    void storeScenarioChange(QVariantMap scenario, const QVariantList &accepted,
                             const QStringList &removed);
    void askForcedRemoval(int code, const QString &message, const SharedOperations &operations);

    UDPSocketManager *m_channel;
    Database *m_store;
    HomeEvents *m_events;
    int m_reportedDifferences = 0;
};
