#include "recordingreplyhandlers.h"

void RecordingReplyHandlers::overCommandWithServerInfo(const QString &info,
                                                       const SharedOperations &)
{
    calls.append({QStringLiteral("overCommand"), info});
}

void RecordingReplyHandlers::overGatewayIPWithServerInfo(const QString &info,
                                                         const SharedOperations &)
{
    calls.append({QStringLiteral("overGatewayIP"), info});
}

void RecordingReplyHandlers::overLightingControlWithServerInfo(const QString &info,
                                                               const SharedOperations &operations)
{
    controlRecords.append(*operations);
    calls.append({QStringLiteral("overLightingControl"), info});
}

void RecordingReplyHandlers::getLightingStateWithServerInfo(const QString &info,
                                                            const SharedOperations &)
{
    calls.append({QStringLiteral("getLightingState"), info});
}

void RecordingReplyHandlers::overScenarioWithServerInfo(const QString &info,
                                                        const SharedOperations &)
{
    calls.append({QStringLiteral("overScenario"), info});
}

void RecordingReplyHandlers::overScenarioRunWithServerInfo(const QString &info,
                                                           const SharedOperations &)
{
    calls.append({QStringLiteral("overScenarioRun"), info});
}

void RecordingReplyHandlers::updateDeviceAndScenarioControlTimesWithInfo(const QString &info)
{
    calls.append({QStringLiteral("controlTimes"), info});
}

QStringList RecordingReplyHandlers::handlerNames() const
{
    QStringList names;
    for (const Call &call : calls)
        names.append(call.first);
    return names;
}

QStringList RecordingReplyHandlers::handlerNamesWithout(const QString &name) const
{
    QStringList names = handlerNames();
    names.removeAll(name);
    return names;
}
