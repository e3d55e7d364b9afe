#pragma once

#include "gateway/replyhandlers.h"

#include <QList>
#include <QPair>

// Records which handler got which reply, in call order.
class RecordingReplyHandlers final : public ReplyHandlers {
public:
    using Call = QPair<QString, QString>; // handler name, reply text

    void overCommandWithServerInfo(const QString &info) override;
    void overGatewayIPWithServerInfo(const QString &info) override;
    void overLightingControlWithServerInfo(const QString &info) override;
    void getLightingStateWithServerInfo(const QString &info) override;
    void overScenarioWithServerInfo(const QString &info) override;
    void updateDeviceAndScenarioControlTimesWithInfo(const QString &info) override;

    QList<Call> calls;
    QStringList handlerNames() const;
    QStringList handlerNamesWithout(const QString &name) const;
};
