#pragma once

#include <QString>

// The device's IPv4 address on its Wi-Fi interface, and the subnet broadcast
// address derived from it.
class LocalAddress {
public:
    // "error" when there is no such address.
    static QString getLocalAddressString();
    // x.y.z.255 for an address of four dotted parts; 255.255.255.255 otherwise.
    static QString broadcastAddressFor(const QString &localAddress);

    // Use this interface instead of looking for the Wi-Fi one ("lo" in tests
    // and demos). An empty name restores the search.
    static void setInterfaceOverride(const QString &name);
    static QString interfaceOverride();
};
