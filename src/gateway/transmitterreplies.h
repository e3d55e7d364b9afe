#pragma once

#include "operationlist.h"

#include <QString>

class UDPSocketManager;

// Locate answers and role acknowledgements: where a transmitter is, and
// whether it took the role the store gives it (the first one stored is the
// master). The enrolment screen hears only of its own enrolment's commands.
class TransmitterReplies {
public:
    explicit TransmitterReplies(UDPSocketManager *channel) : m_channel(channel) {}

    void overGatewayIPWithServerInfo(const QString &info, const SharedOperations &operations);
    void overCommandWithServerInfo(const QString &info, const SharedOperations &operations);

private:
    UDPSocketManager *m_channel;
};
