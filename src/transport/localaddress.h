// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QString>

#include <optional>

// The device's IPv4 address on its Wi-Fi interface, and the subnet broadcast
// address derived from it.
class LocalAddress {
public:
    // "error" when there is no such address.
    static QString getLocalAddressString();
    // The subnet broadcast of that address, as its interface gives it (a /23
    // or /16 home network has its own); x.y.z.255 on loopback or an interface
    // without one; 255.255.255.255 when there is no address.
    static QString broadcastAddress();
    // x.y.z.255 for an address of four dotted parts; 255.255.255.255 otherwise.
    static QString broadcastAddressFor(const QString &localAddress);
    struct Subnet {
        QHostAddress address;
        int prefixLength = 0;
    };
    // The subnet whose broadcast address this is, when it is the one
    // broadcastAddress() gives.
    static std::optional<Subnet> subnetOfBroadcast(const QHostAddress &broadcast);
    // A bridge, a virtual Ethernet pair, a container's or a VPN's interface:
    // never the home network when looking for it.
    static bool isVirtualInterface(const QString &name);

    // Use this interface instead of looking for the Wi-Fi one ("lo" in tests
    // and demos). An empty name restores the search.
    static void setInterfaceOverride(const QString &name);
    static QString interfaceOverride();
};
