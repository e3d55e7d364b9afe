#include "localaddress.h"

#include <QFileInfo>
#include <QNetworkInterface>

namespace {
QString &overrideName()
{
    static QString name;
    return name;
}

QString ipv4AddressOf(const QNetworkInterface &interface)
{
    QString found;
    // The last IPv4 entry wins, as when walking the system's address list.
    for (const QNetworkAddressEntry &entry : interface.addressEntries())
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            found = entry.ip().toString();
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
} // namespace

void LocalAddress::setInterfaceOverride(const QString &name)
{
    overrideName() = name;
}

QString LocalAddress::interfaceOverride()
{
    return overrideName();
}

QString LocalAddress::getLocalAddressString()
{
    const QString error = QStringLiteral("error");
    if (!overrideName().isEmpty()) {
        const QString address = ipv4AddressOf(QNetworkInterface::interfaceFromName(overrideName()));
        return address.isEmpty() ? error : address;
    }

    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : all)
        if (interface.name() == QLatin1String("en0")) {
            const QString address = ipv4AddressOf(interface);
            if (!address.isEmpty())
                return address;
        }
    const auto firstWith = [&all](auto &&accept) {
        for (const QNetworkInterface &interface : all) {
            if (!accept(interface))
                continue;
            const QString address = ipv4AddressOf(interface);
            if (!address.isEmpty())
                return address;
        }
        return QString();
    };
    QString address = firstWith([](const QNetworkInterface &i) {
        return isUpNonLoopback(i) && i.flags().testFlag(QNetworkInterface::IsRunning) &&
               isWireless(i);
    });
    if (address.isEmpty())
        address = firstWith(isUpNonLoopback);
    return address.isEmpty() ? error : address;
}

QString LocalAddress::broadcastAddressFor(const QString &localAddress)
{
    const QStringList parts = localAddress.split(QLatin1Char('.'));
    if (localAddress == QLatin1String("error") || parts.size() != 4)
        return QStringLiteral("255.255.255.255");
    return parts.mid(0, 3).join(QLatin1Char('.')) + QStringLiteral(".255");
}
