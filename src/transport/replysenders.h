// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHostAddress>

// Who may answer a command: the address it was sent to; for a locate sent to
// the subnet's broadcast address (or to 255.255.255.255, without an address
// of our own), any address of that subnet (any IPv4 address) whose answer
// gives that same address as the transmitter's. Nobody before it was sent.
class ReplySenders {
public:
    ReplySenders() = default;
    static ReplySenders forDestination(const QHostAddress &destination, bool locate);

    bool accepts(const QHostAddress &sender, const QByteArray &datagram) const;

private:
    QHostAddress m_address;
    int m_subnetPrefix = -1; // -1: that address alone
};
