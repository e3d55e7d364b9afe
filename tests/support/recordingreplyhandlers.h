#pragma once

#include "gateway/replyhandlers.h"

#include <QList>
#include <QPair>

// Records which handler got which reply, in call order.
class RecordingReplyHandlers final : public ReplyHandlers {
public:
    using Call = QPair<QString, QString>; // handler name, reply text

    void overCommandWithServerInfo(const QString &info, const SharedOperations &) override;
    void overGatewayIPWithServerInfo(const QString &info, const SharedOperations &) override;
    void overLightingControlWithServerInfo(const QString &info,
                                           const SharedOperations &operations) override;
    void getLightingStateWithServerInfo(const QString &info, const SharedOperations &) override;
    void overScenarioWithServerInfo(const QString &info, const SharedOperations &) override;
    void overScenarioRunWithServerInfo(const QString &info, const SharedOperations &) override;
    void updateDeviceAndScenarioControlTimesWithInfo(const QString &info) override;

    QList<Call> calls;
    // The records each acknowledgement of a light or curtain came with.
    QList<OperationList> controlRecords;
    QStringList handlerNames() const;
    QStringList handlerNamesWithout(const QString &name) const;
};
