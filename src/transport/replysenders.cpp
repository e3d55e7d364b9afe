// SPDX-License-Identifier: GPL-3.0-or-later
#include "replysenders.h"

#include "gatewayreply.h"
#include "localaddress.h"

namespace {
bool sameAddress(const QHostAddress &a, const QHostAddress &b)
{
    return a.isEqual(b, QHostAddress::ConvertV4MappedToIPv4);
}
} // namespace

ReplySenders ReplySenders::forDestination(const QHostAddress &destination, bool locate)
{
    ReplySenders senders;
    if (locate && sameAddress(destination, QHostAddress(QHostAddress::Broadcast))) {
        // Sent with no address of our own: any IPv4 sender, whose answer
        // must still give its own address as the transmitter's.
        senders.m_address = QHostAddress(QHostAddress::AnyIPv4);
        senders.m_subnetPrefix = 0;
        return senders;
    }
    const std::optional<LocalAddress::Subnet> subnet =
        locate ? LocalAddress::subnetOfBroadcast(destination) : std::nullopt;
    senders.m_address = subnet ? subnet->address : destination;
    senders.m_subnetPrefix = subnet ? subnet->prefixLength : -1;
    return senders;
}

bool ReplySenders::accepts(const QHostAddress &sender, const QByteArray &datagram) const
{
    if (m_address.isNull())
        return false;
    if (m_subnetPrefix < 0)
        return sameAddress(sender, m_address);
    const QHostAddress ipv4(sender.toIPv4Address());
    if (!ipv4.isInSubnet(m_address, m_subnetPrefix))
        return false;
    // The answer is stored as the transmitter's address: it must be the sender's own.
    const std::optional<GatewayReply::LocateAnswer> answer =
        GatewayReply::locateAnswer(QString::fromUtf8(datagram));
    return answer && sameAddress(QHostAddress(answer->address), ipv4);
}
