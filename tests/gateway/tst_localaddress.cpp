// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/udpsocketmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "testmain.h"
#include "transport/localaddress.h"

class TestLocalAddress : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;

private Q_SLOTS:
    void init() { program.emplace(); }

    void cleanup()
    {
        program.reset();
        LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
    }

    void computesSubnetBroadcast_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("broadcast");
        dataRow("home network", "192.168.1.23", "192.168.1.255");
        dataRow("ten net", "10.0.5.77", "10.0.5.255");
        dataRow("loopback", "127.0.0.1", "127.0.0.255");
        dataRow("no address", "error", "255.255.255.255");
        dataRow("three parts", "10.0.5", "255.255.255.255");
        dataRow("empty", "", "255.255.255.255");
    }
    void computesSubnetBroadcast()
    {
        QFETCH(QString, local);
        QFETCH(QString, broadcast);
        // Computed only: nothing is sent to these addresses.
        QCOMPARE(LocalAddress::broadcastAddressFor(local), broadcast);
    }

    void overrideSelectsTheNamedInterface()
    {
        QCOMPARE(LocalAddress::interfaceOverride(), QStringLiteral("lo"));
        QCOMPARE(LocalAddress::getLocalAddressString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(UDPSocketManager::instance()->getUDPAdressWithSendAddress(
                     UDPSocketManager::kGroupAddress),
                 QStringLiteral("127.0.0.255"));
    }

    void virtualInterfacesAreNotTheHomeNetwork_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isVirtual");
        for (const char *name : {"docker0", "veth3f2a", "br-5e1c", "virbr0", "tun0", "tap1", "wg0"})
            dataRow(name, name, true);
        // Not on this machine: judged by its name alone.
        dataRow("wired", "enp3s0x9", false);
        dataRow("wireless", "wlp2s0x9", false);
    }
    void virtualInterfacesAreNotTheHomeNetwork()
    {
        QFETCH(QString, name);
        QFETCH(bool, isVirtual);
        QCOMPARE(LocalAddress::isVirtualInterface(name), isVirtual);
    }

    void missingInterfaceGivesError()
    {
        LocalAddress::setInterfaceOverride(QStringLiteral("no-such-if0"));
        QCOMPARE(LocalAddress::getLocalAddressString(), QStringLiteral("error"));
        QCOMPARE(UDPSocketManager::instance()->getUDPAdressWithSendAddress(
                     UDPSocketManager::kGroupAddress),
                 QStringLiteral("255.255.255.255"));
    }
};

ARDENTIA_TEST_MAIN(TestLocalAddress)
#include "tst_localaddress.moc"
