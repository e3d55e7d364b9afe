// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/appdelegate.h"
#include "control/delegatemanager.h"
#include "control/homeevents.h"
#include "control/staterefresh.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "core/programobjects.h"
#include "core/showalertmanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "testmain.h"
#include "transport/asyncsocket.h"
#include "udppeer.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>
#include <functional>
#include <sys/resource.h>

namespace {
// Reaches the named object through its instance().
void touch(const QString &name)
{
    const QHash<QString, std::function<void *()>> reach{
        {"Database", [] { return static_cast<void *>(Database::instance()); }},
        {"DelegateManager", [] { return static_cast<void *>(DelegateManager::instance()); }},
        {"HomeEvents", [] { return static_cast<void *>(HomeEvents::instance()); }},
        {"AppDelegate", [] { return static_cast<void *>(AppDelegate::instance()); }},
        {"ShowAlertManager", [] { return static_cast<void *>(ShowAlertManager::instance()); }},
        {"UDPSocketManager", [] { return static_cast<void *>(UDPSocketManager::instance()); }},
        {"TCPSocketManager", [] { return static_cast<void *>(TCPSocketManager::instance()); }},
        {"StateRefresh", [] { return static_cast<void *>(StateRefresh::instance()); }},
    };
    reach.value(name)();
}

// The child process of the tests below: "--touch NAME before|after|twice"
// reaches NAME before any owner was made, after one has ended, or makes a
// second owner while one lives. It only returns when nothing failed loudly.
void touchWhenAsked()
{
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) != QLatin1String("--touch"))
        return;
    const rlimit noCore{0, 0}; // a loud failure is expected: no core file
    setrlimit(RLIMIT_CORE, &noCore);
    const QString when = args.value(3);
    if (when == QLatin1String("after"))
        ProgramObjects ended;
    if (when == QLatin1String("twice")) {
        ProgramObjects first;
        ProgramObjects second;
    }
    touch(args.value(2));
    std::exit(0);
}

const QStringList kNames{"Database",         "DelegateManager",  "HomeEvents",
                         "AppDelegate",      "ShowAlertManager", "UDPSocketManager",
                         "TCPSocketManager", "StateRefresh"};
} // namespace

// The program's process-wide objects live exactly as long as their owner.
class TestProgramObjects : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void instanceFailsLoudlyOutsideItsOwnersLife_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("says");
        const QString unowned = QStringLiteral("used while no ProgramObjects owns one");
        for (const QString &name : kNames) {
            QTest::addRow("%s before its owner", qPrintable(name)) << name << "before" << unowned;
            QTest::addRow("%s after its owner", qPrintable(name)) << name << "after" << unowned;
        }
        QTest::newRow("a second owner while one lives")
            << "Database"
            << "twice" << QStringLiteral("a second one while one lives");
    }
    void instanceFailsLoudlyOutsideItsOwnersLife()
    {
        QFETCH(QString, name);
        QFETCH(QString, when);
        QFETCH(QString, says);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--touch", name, when});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QString error = QString::fromUtf8(child.readAllStandardError());
        QVERIFY2(error.contains(says) && error.contains(name), qPrintable(error));
    }

    // Each owner makes its own objects: nothing of one reaches the next but
    // the store's file, which the next reads as the last one left it.
    void eachOwnerMakesItsOwn()
    {
        auto first = std::make_unique<ProgramObjects>();
        Database::instance()->removeFiles();
        DelegateManager::instance()->initApplicationNeedData();
        QVERIFY(Database::instance()->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000001", "127.0.0.2", true)));
        UDPSocketManager::instance()->setTransmitterPort(1);
        AppDelegate::instance()->setIfConnected(AppDelegate::kConnected);
        HomeEvents::instance()->announceStateUnknown(QStringLiteral("211300001230"));
        first.reset();

        ProgramObjects second;
        QCOMPARE(UDPSocketManager::instance()->transmitterPort(),
                 UDPSocketManager::kTransmitterPort);
        QCOMPARE(AppDelegate::instance()->ifConnected(), AppDelegate::kConnectionUnknown);
        QVERIFY(!HomeEvents::instance()->isStateUnknown(QStringLiteral("211300001230")));
        const auto transmitters = Database::instance()->superBoxesIfReadable();
        QVERIFY(transmitters);
        QCOMPARE(transmitters->size(), 1);
    }

    // An owner that ends with a command outstanding and one queued, the
    // rediscovery armed, a toast and the indicator showing, or an import
    // under way, takes all of it along: nothing answers into what is gone.
    void endsWithWorkUnderWay()
    {
        UdpPeer peer;
        QTcpServer silentMaster;
        QVERIFY(silentMaster.listen(QHostAddress::LocalHost));
        auto objects = std::make_unique<ProgramObjects>();
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setTransmitterPort(peer.port());
        const QStringList light{"cfg", "lig", "211300001230", "4", "1", "0", "0"};
        channel->sendMessageWithCommandArray(light, QStringLiteral("127.0.0.1"));
        channel->sendMessageWithCommandArray(light, QStringLiteral("127.0.0.1"));
        QCOMPARE(channel->udpQueueArray().size(), 1);
        channel->rediscovery().getGatewayIPAgain(QStringLiteral("20AA10000001"));
        ShowAlertManager::instance()->showLabelWithTitle(QStringLiteral("Control failed"));
        QTRY_COMPARE(peer.received.size(), 1);
        objects.reset();
        peer.answerLast("token$ack,lig,211300001230,4,1,0,0,0\\n");
        QCoreApplication::processEvents();

        objects = std::make_unique<ProgramObjects>();
        TCPSocketManager::instance()->setImportPort(silentMaster.serverPort());
        TCPSocketManager::instance()->sendTCPMessageWithCommandArray(
            TCPSocketManager::importRequest(), QStringLiteral("127.0.0.1"));
        QVERIFY(TCPSocketManager::instance()->isImporting());
        QTRY_VERIFY(silentMaster.hasPendingConnections());
        QTcpSocket *accepted = silentMaster.nextPendingConnection();
        objects.reset();
        QCOMPARE(AsyncSocket::liveSocketCount(), 0);
        QTRY_COMPARE(accepted->state(), QAbstractSocket::UnconnectedState);
    }
};

ARDENTIA_TEST_MAIN_WITH(QCoreApplication, TestProgramObjects, touchWhenAsked)
#include "tst_programobjects.moc"
