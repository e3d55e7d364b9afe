// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordingreplyhandlers.h"

namespace {
// The transmitter, channel or scenario number a reply is about.
struct SubjectOf {
    QString operator()(const GatewayReply::RoleAcknowledgement &r) const { return r.transmitterId; }
    QString operator()(const GatewayReply::LocateAnswer &r) const { return r.transmitterId; }
    QString operator()(const GatewayReply::DeviceAcknowledgement &r) const { return r.deviceId; }
    QString operator()(const GatewayReply::StateAnswer &r) const { return r.deviceId; }
    QString operator()(const GatewayReply::NamingAcknowledgement &r) const { return r.number; }
    QString operator()(const GatewayReply::RunAcknowledgement &r) const { return r.number; }
};
} // namespace

void RecordingReplyHandlers::overCommandWithServerInfo(const Reply::RoleAcknowledgement &ack,
                                                       const SharedOperations &)
{
    calls.append({QStringLiteral("overCommand"), SubjectOf()(ack)});
}

void RecordingReplyHandlers::overGatewayIPWithServerInfo(const Reply::LocateAnswer &answer,
                                                         const SharedOperations &)
{
    calls.append({QStringLiteral("overGatewayIP"), SubjectOf()(answer)});
}

void RecordingReplyHandlers::overLightingControlWithServerInfo(
    const Reply::DeviceAcknowledgement &ack, const SharedOperations &operations)
{
    controlRecords.append(*operations);
    calls.append({QStringLiteral("overLightingControl"), SubjectOf()(ack)});
}

void RecordingReplyHandlers::getLightingStateWithServerInfo(const Reply::StateAnswer &answer,
                                                            const SharedOperations &)
{
    calls.append({QStringLiteral("getLightingState"), SubjectOf()(answer)});
}

void RecordingReplyHandlers::overScenarioWithServerInfo(const Reply::NamingAcknowledgement &ack,
                                                        const SharedOperations &)
{
    calls.append({QStringLiteral("overScenario"), SubjectOf()(ack)});
}

void RecordingReplyHandlers::overScenarioRunWithServerInfo(const Reply::RunAcknowledgement &ack,
                                                           const SharedOperations &)
{
    calls.append({QStringLiteral("overScenarioRun"), SubjectOf()(ack)});
}

void RecordingReplyHandlers::updateDeviceAndScenarioControlTimesWithInfo(const Reply::Form &reply)
{
    calls.append({QStringLiteral("controlTimes"), std::visit(SubjectOf(), reply)});
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
