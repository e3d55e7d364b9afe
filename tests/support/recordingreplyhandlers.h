// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transport/replyhandlers.h"

#include <QList>
#include <QPair>

// Records which handler got which reply, in call order.
class RecordingReplyHandlers final : public ReplyHandlers {
public:
    using Call = QPair<QString, QString>; // handler name, what the reply is about

    void overCommandWithServerInfo(const Reply::RoleAcknowledgement &ack,
                                   const SharedOperations &) override;
    void overGatewayIPWithServerInfo(const Reply::LocateAnswer &answer,
                                     const SharedOperations &) override;
    void overLightingControlWithServerInfo(const Reply::DeviceAcknowledgement &ack,
                                           const SharedOperations &operations) override;
    void getLightingStateWithServerInfo(const Reply::StateAnswer &answer,
                                        const SharedOperations &) override;
    void overScenarioWithServerInfo(const Reply::NamingAcknowledgement &ack,
                                    const SharedOperations &) override;
    void overScenarioRunWithServerInfo(const Reply::RunAcknowledgement &ack,
                                       const SharedOperations &) override;
    void updateDeviceAndScenarioControlTimesWithInfo(const Reply::Form &reply) override;

    QList<Call> calls;
    // The records each acknowledgement of a light or curtain came with.
    QList<OperationList> controlRecords;
    QStringList handlerNames() const;
    QStringList handlerNamesWithout(const QString &name) const;
};
