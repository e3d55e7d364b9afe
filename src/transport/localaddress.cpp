// SPDX-License-Identifier: GPL-3.0-or-later
#include "localaddress.h"

#include <QFileInfo>
#include <QNetworkInterface>

#include <optional>

namespace {
QString &overrideName()
{
    static QString name;
    return name;
}

std::optional<QNetworkAddressEntry> ipv4EntryOf(const QNetworkInterface &interface)
{
    std::optional<QNetworkAddressEntry> found;
    // The last IPv4 entry wins, as when walking the system's address list.
    for (const QNetworkAddressEntry &entry : interface.addressEntries())
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            found = entry;
    return found;
}

bool isUpNonLoopback(const QNetworkInterface &interface)
{
    const auto flags = interface.flags();
    return flags.testFlag(QNetworkInterface::IsUp) &&
           !flags.testFlag(QNetworkInterface::IsLoopBack);
}

bool isWireless(const QNetworkInterface &interface)
{
    return QFileInfo::exists(QStringLiteral("/sys/class/net/%1/wireless").arg(interface.name()));
}

bool isHomeNetworkCandidate(const QNetworkInterface &interface)
{
    return isUpNonLoopback(interface) && !LocalAddress::isVirtualInterface(interface.name());
}

// The IPv4 entry of the interface the home network is reached through.
std::optional<QNetworkAddressEntry> homeNetworkEntry()
{
    if (!overrideName().isEmpty())
        return ipv4EntryOf(QNetworkInterface::interfaceFromName(overrideName()));

    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : all)
        if (interface.name() == QLatin1String("en0"))
            if (const auto entry = ipv4EntryOf(interface))
                return entry;
    const auto firstWith = [&all](auto &&accept) -> std::optional<QNetworkAddressEntry> {
        for (const QNetworkInterface &interface : all)
            if (accept(interface))
                if (const auto entry = ipv4EntryOf(interface))
                    return entry;
        return std::nullopt;
    };
    if (const auto wireless = firstWith([](const QNetworkInterface &i) {
            return isHomeNetworkCandidate(i) && i.flags().testFlag(QNetworkInterface::IsRunning) &&
                   isWireless(i);
        }))
        return wireless;
    return firstWith(isHomeNetworkCandidate);
}
} // namespace

void LocalAddress::setInterfaceOverride(const QString &name)
{
    overrideName() = name;
}

QString LocalAddress::interfaceOverride()
{
    return overrideName();
}

bool LocalAddress::isVirtualInterface(const QString &name)
{
    static const QStringList virtualPrefixes{
        QStringLiteral("br"),    QStringLiteral("veth"), QStringLiteral("docker"),
        QStringLiteral("virbr"), QStringLiteral("tun"),  QStringLiteral("tap"),
        QStringLiteral("wg"),    QStringLiteral("vnet"), QStringLiteral("lxc")};
    const QString sys = QStringLiteral("/sys/class/net/") + name;
    if (std::any_of(virtualPrefixes.cbegin(), virtualPrefixes.cend(),
                    [&name](const QString &prefix) { return name.startsWith(prefix); }))
        return true;
    // A real network card has a device behind it; bridges and tunnels do not.
    if (QFileInfo::exists(sys))
        return !QFileInfo::exists(sys + QStringLiteral("/device")) ||
               QFileInfo::exists(sys + QStringLiteral("/bridge")) ||
               QFileInfo::exists(sys + QStringLiteral("/tun_flags"));
    return false;
}

QString LocalAddress::getLocalAddressString()
{
    const std::optional<QNetworkAddressEntry> entry = homeNetworkEntry();
    return entry ? entry->ip().toString() : QStringLiteral("error");
}

namespace {
struct HomeSubnet {
    QHostAddress broadcast;
    LocalAddress::Subnet subnet;
};

std::optional<HomeSubnet> homeSubnet()
{
    const std::optional<QNetworkAddressEntry> entry = homeNetworkEntry();
    if (!entry)
        return std::nullopt;
    if (!entry->broadcast().isNull() && !entry->ip().isLoopback())
        return HomeSubnet{entry->broadcast(), {entry->ip(), entry->prefixLength()}};
    // Loopback has no broadcast of its own (the system reports a /8 one): the
    // simulators on it listen on x.y.z.255, the broadcast of a /24.
    return HomeSubnet{QHostAddress(LocalAddress::broadcastAddressFor(entry->ip().toString())),
                      {entry->ip(), 24}};
}
} // namespace

QString LocalAddress::broadcastAddress()
{
    const std::optional<HomeSubnet> home = homeSubnet();
    return home ? home->broadcast.toString() : broadcastAddressFor(QStringLiteral("error"));
}

std::optional<LocalAddress::Subnet> LocalAddress::subnetOfBroadcast(const QHostAddress &broadcast)
{
    const std::optional<HomeSubnet> home = homeSubnet();
    if (!home || home->broadcast != broadcast)
        return std::nullopt;
    return home->subnet;
}

QString LocalAddress::broadcastAddressFor(const QString &localAddress)
{
    const QStringList parts = localAddress.split(QLatin1Char('.'));
    if (localAddress == QLatin1String("error") || parts.size() != 4)
        return QStringLiteral("255.255.255.255");
    return parts.mid(0, 3).join(QLatin1Char('.')) + QStringLiteral(".255");
}
