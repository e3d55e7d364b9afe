#include "core/delegatemanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "gateway/udpsocketmanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "udppeer.h"

#include <QDir>
#include <QFile>

class TestDelegateManager : public QObject {
    Q_OBJECT

    Database *store = Database::instance();
    DelegateManager *files = DelegateManager::instance();
    HeadlessFeedbackPresenter presenter;

private Q_SLOTS:
    void init()
    {
        QFile::remove(Database::databasePath());
        QDir(DelegateManager::imageFolderPath()).removeRecursively();
        presenter.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
        UDPSocketManager::instance()->setHomeLookup(nullptr); // the store itself
    }

    void cleanup()
    {
        ShowAlertManager::instance()->stopActivity();
        UDPSocketManager::instance()->abandonCommands();
    }

    void firstRunDataIsAnEmptyHomeWithTheBuiltIns()
    {
        files->initApplicationNeedData();
        QVERIFY(QFileInfo(DelegateManager::imageFolderPath()).isDir());
        QVERIFY(store->readAllSuperBoxInfo().isEmpty());
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        const QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        QCOMPARE(scenarios.size(), 2);
        QCOMPARE(scenarios[0].value(Key::mainID).toString(), QStringLiteral("-1"));
        QCOMPARE(scenarios[0].value(Key::title).toString(), QStringLiteral("All On Mode"));
        QCOMPARE(scenarios[0].value(Key::sceneArray).toString(), Value::allDevicesOn);
        QCOMPARE(scenarios[1].value(Key::mainID).toString(), QStringLiteral("-2"));
        QCOMPARE(scenarios[1].value(Key::function).toString(), Value::allOffFunction);
        QCOMPARE(scenarios[1].value(Key::imagePath).toString(), Value::allOffImage);
    }

    void existingStoreGetsOnlyTheFolder()
    {
        store->creatDatabase();
        files->initApplicationNeedData();
        QVERIFY(QFileInfo(DelegateManager::imageFolderPath()).isDir());
        QVERIFY(store->readAllScenarioInfo().isEmpty());
    }

    void cleanAllEmptiesTheHomeButKeepsPictures()
    {
        files->initApplicationNeedData();
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "10.0.0.2", true));
        store->insertMainDeviceWithInfo(RecordFactory::device("B1", "S", "B1", "Lamp"));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "1", "Evening", "p.png", {RecordFactory::device("B1", "S", "B1", "Lamp")}));
        QFile picture(DelegateManager::imageFolderPath() + "/kept.png");
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();

        UDPSocketManager::instance()->cleanAllData();

        QVERIFY(store->readAllSuperBoxInfo().isEmpty());
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QCOMPARE(store->readAllScenarioInfo().size(), 2);
        QVERIFY(picture.exists());
    }

    void commandsGoToTheStoredMaster()
    {
        UdpPeer peer([](const QByteArray &) { return QByteArray(); });
        UDPSocketManager *channel = UDPSocketManager::instance();
        channel->setTransmitterPort(peer.port());
        files->initApplicationNeedData();

        channel->sendMessageWithCommandArray({"cfg", "lig", "B1", "4", "1", "0", "0"});
        QCOMPARE(presenter.toasts(), QStringList{"Please scan the transmitter first"});
        QVERIFY(!channel->isCommandOutstanding());

        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "127.0.0.1", true));
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A2", "127.0.0.2", false));
        channel->sendMessageWithCommandArray({"cfg", "lig", "B1", "4", "1", "0", "0"});
        QTRY_COMPARE(peer.received.size(), 1);
    }

    void switchingAllLightsWaitsForEachStoredLight()
    {
        files->initApplicationNeedData();
        const QStringList allOn{"cfg", "lig", "2111FFFFFFFF", "5", "0", "0", "0"};
        UDPSocketManager *channel = UDPSocketManager::instance();
        for (int i = 0; i < 3; ++i)
            store->insertMainDeviceWithInfo(
                RecordFactory::device(QStringLiteral("B%1").arg(i), "D", "B0", "Dimmer"));
        store->insertMainDeviceWithInfo(RecordFactory::device("C1", "C", "C1", "Curtain"));
        QCOMPARE(channel->replyWaitFor(allOn), 12.0);
    }
};

ARDENTIA_TEST_MAIN(TestDelegateManager)
#include "tst_delegatemanager.moc"
