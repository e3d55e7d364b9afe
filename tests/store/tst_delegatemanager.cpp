// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/delegatemanager.h"
#include "control/udpsocketmanager.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "freshprogram.h"
#include "rawsql.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"
#include "udppeer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <atomic>
#include <sqlite3.h>
#include <thread>

class TestDelegateManager : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    Database *store = nullptr;
    DelegateManager *files = nullptr;
    HeadlessFeedbackPresenter presenter;

private Q_SLOTS:
    void init()
    {
        program.emplace();
        store = Database::instance();
        files = DelegateManager::instance();
        store->removeFiles();
        QDir(DelegateManager::imageFolderPath()).removeRecursively();
        presenter.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
    }

    void cleanup() { program.reset(); }

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

    void cleanAllEmptiesTheHomeInPlaceWithItsPictures()
    {
        files->initApplicationNeedData();
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "10.0.0.2", true));
        store->insertMainDeviceWithInfo(RecordFactory::device("B1", "S", "B1", "Lamp"));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "1", "Evening", "p.png", {RecordFactory::device("B1", "S", "B1", "Lamp")}));
        QFile picture(DelegateManager::imageFolderPath() + "/kept.png");
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();

        // Another program (ardentia-ctl) holds the file open meanwhile.
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(Database::databasePath().toUtf8().constData(), &other), SQLITE_OK);

        QVERIFY(DelegateManager::instance()->cleanAllData());

        QVERIFY(store->readAllSuperBoxInfo().isEmpty());
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QCOMPARE(store->readAllScenarioInfo().size(), 2);
        QVERIFY(!picture.exists()); // nothing refers to it any more
        // The other program sees the emptied home: the file it holds was
        // emptied, not removed from under it.
        sqlite3_stmt *count = nullptr;
        sqlite3_prepare_v2(other, "SELECT COUNT(*) FROM SuperBox;", -1, &count, nullptr);
        QCOMPARE(sqlite3_step(count), SQLITE_ROW);
        QCOMPARE(sqlite3_column_int(count, 0), 0);
        sqlite3_finalize(count);
        sqlite3_close(other);
    }

    void cleanAllThatCannotEmptyTheStoreSaysSo()
    {
        files->initApplicationNeedData();
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "10.0.0.2", true));
        QFile picture(DelegateManager::imageFolderPath() + "/kept.png");
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();
        // Another program holds the write lock longer than the busy wait.
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(Database::databasePath().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr), SQLITE_OK);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SQLite: .*locked"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be emptied"));
        QVERIFY(!DelegateManager::instance()->cleanAllData());
        sqlite3_exec(other, "ROLLBACK;", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1); // as it was
        QVERIFY(picture.exists());                        // with the pictures its scenarios show
    }

    void aWriteWaitsForTheOtherProgramsLock()
    {
        files->initApplicationNeedData();
        std::atomic<bool> locked = false;
        // ardentia-ctl writing at the same moment: it holds the lock a while.
        std::thread other([&locked] {
            sqlite3 *db = nullptr;
            sqlite3_open(Database::databasePath().toUtf8().constData(), &db);
            sqlite3_exec(db, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr);
            sqlite3_exec(db,
                         "INSERT INTO SuperBox (INFO, TYPE, MAINID) VALUES "
                         "('{\"id\":\"A9\"}', 'SuperBox', 'A9');",
                         nullptr, nullptr, nullptr);
            locked = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        while (!locked)
            std::this_thread::yield();
        const bool stored =
            store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "10.0.0.2", true));
        other.join();
        QVERIFY(stored);
        QCOMPARE(store->readAllSuperBoxInfo().size(), 2); // both writes landed
    }

    void picturesNoScenarioRefersToAreRemoved()
    {
        files->initApplicationNeedData();
        const QString folder = DelegateManager::imageFolderPath();
        const auto picture = [&folder](const QString &name, int ageSeconds) {
            QFile file(folder + "/" + name);
            file.open(QIODevice::WriteOnly);
            file.write("png");
            file.flush();
            file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime);
            return file.fileName();
        };
        const QString kept = picture("kept.png", 3600);
        const QString replaced = picture("replaced.png", 3600);
        const QString justSaved = picture("just-saved.png", 5); // on its way to a record
        store->insertScenarioWithInfo(RecordFactory::userScenario("1", "Evening", replaced, {}));
        store->insertScenarioWithInfo(RecordFactory::userScenario("2", "Night", kept, {}));

        QVariantMap evening = *store->scenarioRecordWithMainID("1");
        evening.insert(Key::imagePath, QStringLiteral("icon_choose_small_3.png"));
        QVERIFY(store->updateScenarioWithMainID(evening.value(Key::id).toString(), evening));
        QVERIFY(!QFile::exists(replaced));
        QVERIFY(QFile::exists(kept));
        QVERIFY(QFile::exists(justSaved));

        // A scenario table that cannot be read removes nothing.
        rawSql("UPDATE Scenario SET INFO='{broken' WHERE MAINID='1';");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SQLite: malformed JSON"));
        store->removeUnreferencedPictures();
        QVERIFY(QFile::exists(kept));

        rawSql("DELETE FROM Scenario WHERE MAINID='1';");
        store->deleteScenarioWithMainID("2");
        QVERIFY(!QFile::exists(kept));
        QVERIFY(QFile::exists(justSaved));
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
