#pragma once

#include <QString>

class UDPSocketManager;

// Locate answers and role acknowledgements: where a transmitter is, and
// whether it took the role the store gives it (the first one stored is the master).
class TransmitterReplies {
public:
    explicit TransmitterReplies(UDPSocketManager *channel) : m_channel(channel) {}

    void overGatewayIPWithServerInfo(const QString &info);
    void overCommandWithServerInfo(const QString &info);

private:
    UDPSocketManager *m_channel;
};
