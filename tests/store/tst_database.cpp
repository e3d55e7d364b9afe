// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/delegatemanager.h"
#include "freshprogram.h"
#include "rawsql.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

namespace {
QVariantMap light(const QString &id, const QString &title = QStringLiteral("Light"))
{
    return RecordFactory::device(id, Value::switching, id, title);
}

QStringList idsOf(const QList<QVariantMap> &records, const QString &key = Key::id)
{
    QStringList ids;
    for (const QVariantMap &record : records)
        ids.append(record.value(key).toString());
    return ids;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    Database *store = nullptr;

private Q_SLOTS:
    void init()
    {
        program.emplace();
        store = Database::instance();
        store->removeFiles();
        store->creatDatabase();
    }

    void cleanup() { program.reset(); }

    // A read that fails is told apart from an empty answer, for each kind of
    // record and for the whole home.
    void readsTellAFailureFromAnEmptyStore_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("readable");
        QTest::newRow("empty store") << "" << true;
        QTest::newRow("tables missing") << "tables" << false;
        QTest::newRow("not a database") << "foreign" << false;
        QTest::newRow("a folder in its place") << "folder" << false;
    }
    void readsTellAFailureFromAnEmptyStore()
    {
        QFETCH(QString, damage);
        QFETCH(bool, readable);
        if (damage == "tables")
            for (const char *table : {"MainDevice", "SuperBox", "Scenario"})
                rawSql(QStringLiteral("DROP TABLE %1").arg(table).toUtf8().constData());
        if (damage == "foreign" || damage == "folder")
            Database::instance()->removeFiles();
        if (damage == "foreign") {
            QFile file(Database::databasePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, '\x5a'));
        }
        if (damage == "folder")
            QVERIFY(QDir().mkpath(Database::databasePath()));
        QCOMPARE(store->mainDevicesIfReadable().has_value(), readable);
        QCOMPARE(store->superBoxesIfReadable().has_value(), readable);
        QCOMPARE(store->scenariosIfReadable().has_value(), readable);
        QCOMPARE(store->homeIfReadable().has_value(), readable);
        if (readable)
            QVERIFY(store->homeIfReadable()->devices.isEmpty());
        if (damage == "folder")
            QVERIFY(QDir().rmdir(Database::databasePath()));
    }

    // One connection serves every operation, and follows the file at the
    // store's path when it is removed, replaced or comes back.
    void keepsOneConnectionWhileTheFileStays()
    {
        store->insertMainDeviceWithInfo(light("L1"));
        sqlite3 *first = Database::Session().handle();
        store->insertMainDeviceWithInfo(light("L2"));
        QCOMPARE(Database::Session().handle(), first);
        QVERIFY(store->isConnectionOpen());

        Database::instance()->removeFiles();
        QVERIFY(QDir().mkpath(Database::databasePath()));
        QVERIFY(!store->mainDevicesIfReadable());
        QVERIFY(!store->insertMainDeviceWithInfo(light("L3")));
        QVERIFY(QDir().rmdir(Database::databasePath()));

        store->creatDatabase();
        QVERIFY(store->insertMainDeviceWithInfo(light("L4")));
        QCOMPARE(idsOf(*store->mainDevicesIfReadable()), QStringList{"L4"});
    }

    void duplicateInsertsKeepBothRows()
    {
        QVERIFY(store->insertMainDeviceWithInfo(light("B11000000001", "first")));
        QVERIFY(store->insertMainDeviceWithInfo(light("B11000000001", "second")));
        QCOMPARE(store->readAllMainDeviceInfo().size(), 2);
        const auto selected =
            JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID("B11000000001"));
        QCOMPARE(selected->value(Key::title).toString(), QStringLiteral("second"));
        store->deleteMainDeviceWithMainID("B11000000001");
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QCOMPARE(store->selectMainDeviceWithMainID("B11000000001"), QStringLiteral(""));
    }

    void storesAnyTextExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << "Tom's lamp";
        QTest::newRow("SQL in a name") << "x'); DROP TABLE MainDevice;--";
        QTest::newRow("quotes and backslashes") << "\"a\" \\b\\";
        QTest::newRow("Chinese") << "卧室窗帘";
        QTest::newRow("10,000 characters") << QString(10000, QLatin1Char('n'));
    }
    void storesAnyTextExactly()
    {
        QFETCH(QString, text);
        // As title and as the matched ID alike.
        QVERIFY(store->insertMainDeviceWithInfo(light(text, text)));
        QVERIFY(store->insertSuperBoxWithInfo(RecordFactory::transmitter(text, "10.0.0.2", true)));
        QVERIFY(
            store->insertScenarioWithInfo(RecordFactory::userScenario(text, text, "p.png", {})));
        QCOMPARE(JsonCodec::recordFromJSONString(store->selectMainDeviceWithMainID(text))
                     ->value(Key::title)
                     .toString(),
                 text);
        QCOMPARE(store->readAllSuperBoxInfo().constFirst().value(Key::id).toString(), text);
        QCOMPARE(JsonCodec::recordFromJSONString(store->selectScenarioWithMainID(text))
                     ->value(Key::title)
                     .toString(),
                 text);
        QVERIFY(store->updateMainDeviceWithMainID(text, light(text, "renamed")));
        QCOMPARE(store->readAllMainDeviceInfo().constFirst().value(Key::title).toString(),
                 QStringLiteral("renamed"));
    }

    void filtersByType()
    {
        store->insertMainDeviceWithInfo(light("B11000000001"));
        store->insertMainDeviceWithInfo(
            RecordFactory::device("B33000000001", "C", "B33000000001", "c"));
        store->insertMainDeviceWithInfo(light("B11000000002"));
        QCOMPARE(idsOf(store->readAllMainDeviceInfo(QVariantMap{{Key::type, Value::lighting}})),
                 (QStringList{"B11000000001", "B11000000002"}));
        QCOMPARE(idsOf(store->readAllMainDeviceInfo()),
                 (QStringList{"B11000000001", "B33000000001", "B11000000002"}));
    }

    void readAllPrunesScenarios()
    {
        store->insertMainDeviceWithInfo(light("L1"));
        store->insertMainDeviceWithInfo(light("L2"));
        store->insertMainDeviceWithInfo(light("L3"));
        DelegateManager::instance()->initHomeSceneArray();
        store->insertScenarioWithInfo(RecordFactory::userScenario("1", "empty", "i.png", {}));
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("2", "gone", "i.png", {light("X1"), light("X2")}));
        store->insertScenarioWithInfo(RecordFactory::userScenario(
            "3", "partly", "i.png", {light("L3"), light("X1"), light("L1")}));
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("4", "whole", "i.png", {light("L2")}));

        const QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        QCOMPARE(idsOf(scenarios, Key::mainID), (QStringList{"-1", "-2", "3", "4"}));
        QCOMPARE(idsOf(scenarios), (QStringList{"1", "2", "5", "6"})); // row IDs
        QStringList kept;
        for (const QVariant &member : scenarios.at(2).value(Key::sceneArray).toList())
            kept.append(member.toMap().value(Key::id).toString());
        QCOMPARE(kept, (QStringList{"L3", "L1"}));
        // The pruned list was written back; the deleted scenarios are gone.
        QCOMPARE(store->readAllScenarioInfo(), scenarios);
        QCOMPARE(store->selectScenarioWithMainID("1"), QStringLiteral(""));
        QCOMPARE(store->selectScenarioWithMainID("2"), QStringLiteral(""));
    }

    void scenarioUpdateAddressesTheRow()
    {
        DelegateManager::instance()->initHomeSceneArray();
        store->insertScenarioWithInfo(RecordFactory::userScenario("7", "seven", "i.png", {}));
        QVariantMap changed = RecordFactory::userScenario("7", "renamed", "i.png", {});
        QVERIFY(store->updateScenarioWithMainID("3", changed));
        QCOMPARE(JsonCodec::recordFromJSONString(store->selectScenarioWithMainID("7"))
                     ->value(Key::title)
                     .toString(),
                 QStringLiteral("renamed"));
        // "2" is the row of All Off, whatever the record says its number is.
        QVERIFY(store->updateScenarioWithMainID("2", changed));
        QCOMPARE(JsonCodec::recordFromJSONString(store->selectScenarioWithMainID("-2"))
                     ->value(Key::title)
                     .toString(),
                 QStringLiteral("renamed"));
    }

    void countsScenarioRuns_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("after");
        QTest::newRow("new") << "0"
                             << "1";
        QTest::newRow("counting") << "41"
                                  << "42";
        QTest::newRow("not a number") << "abc"
                                      << "1";
    }
    void countsScenarioRuns()
    {
        QFETCH(QString, stored);
        QFETCH(QString, after);
        DelegateManager::instance()->initHomeSceneArray();
        rawSql(QStringLiteral("UPDATE Scenario SET CONTROLTIMES='%1' WHERE MAINID='-1'")
                   .arg(stored)
                   .toUtf8()
                   .constData());
        QVERIFY(store->updateScenarioControlTimesWithMainID("-1"));
        const QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        QCOMPARE(scenarios.at(0).value(Key::controlTimes).toString(), after);
        QCOMPARE(scenarios.at(1).value(Key::controlTimes).toString(), QStringLiteral("0"));
        QVERIFY(!store->updateScenarioControlTimesWithMainID("5"));
    }

    void mergesAddressAndCommand()
    {
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "10.0.0.2", true));
        QVERIFY(store->updateSuperBoxWithAddress(std::nullopt, "A1", QStringLiteral("YES")));
        QVERIFY(store->updateSuperBoxWithAddress(QStringLiteral("10.0.0.9"), "A1", std::nullopt));
        const QVariantMap stored = store->readAllSuperBoxInfo().constFirst();
        QCOMPARE(stored.value(Key::address).toString(), QStringLiteral("10.0.0.9"));
        QCOMPARE(stored.value(Key::command).toString(), QStringLiteral("YES"));
        QCOMPARE(stored.value(Key::imageName).toString(), QStringLiteral("master"));
        QVERIFY(
            !store->updateSuperBoxWithAddress(QStringLiteral("10.0.0.1"), "nobody", std::nullopt));
    }

    void wipeKeepsTheMasterOnly()
    {
        for (const char *id : {"A1", "A2", "A3"})
            store->insertSuperBoxWithInfo(RecordFactory::transmitter(id, "10.0.0.2", false));
        store->insertMainDeviceWithInfo(light("L1"));
        DelegateManager::instance()->initHomeSceneArray();
        QDir().mkpath(DelegateManager::imageFolderPath());
        QFile picture(DelegateManager::imageFolderPath() + "/2026_01_01.png");
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();

        store->deleteAllTableFromDatabase();

        QCOMPARE(idsOf(store->readAllSuperBoxInfo()), QStringList{"A1"});
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QVERIFY(store->readAllScenarioInfo().isEmpty());
        QVERIFY(!store->insertMainDeviceWithInfo(light("L2"))); // no table until re-created
        QVERIFY(QDir(DelegateManager::imageFolderPath()).isEmpty());
        store->creatDatabase();
        QVERIFY(store->insertMainDeviceWithInfo(light("L2")));
    }

    void brokenRowsAreSkipped()
    {
        store->insertMainDeviceWithInfo(light("L1"));
        rawSql(
            "INSERT INTO MainDevice (MAININFO, TYPE, MAINID) VALUES ('{broken', 'Lighting', 'L2')");
        rawSql("INSERT INTO MainDevice (MAININFO, TYPE, MAINID) VALUES (NULL, 'Lighting', 'L3')");
        rawSql("INSERT INTO SuperBox (INFO, TYPE, MAINID) VALUES ('[1,', 'SuperBox', 'A9')");
        store->insertMainDeviceWithInfo(light("L4"));
        QCOMPARE(idsOf(store->readAllMainDeviceInfo()), (QStringList{"L1", "L4"}));
        QVERIFY(store->readAllSuperBoxInfo().isEmpty());
        QVERIFY(!store->updateSuperBoxWithAddress(QStringLiteral("1.2.3.4"), "A9", std::nullopt));
    }

    void missingTableGivesNeutralResults()
    {
        store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "10.0.0.2", true));
        rawSql("DROP TABLE MainDevice");
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QVERIFY(!store->insertMainDeviceWithInfo(light("L1")));
        QCOMPARE(store->selectMainDeviceWithMainID("L1"), QStringLiteral(""));
        QVERIFY(!store->updateMainDeviceWithMainID("L1", light("L1")));
        store->deleteMainDeviceWithMainID("L1");
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1); // the rest still works
    }

    void aDeviceTableThatCannotBeReadPrunesNothing()
    {
        store->insertMainDeviceWithInfo(light("L1"));
        store->insertScenarioWithInfo(
            RecordFactory::userScenario("1", "Evening", "i", {light("L1")}));
        rawSql("ALTER TABLE MainDevice RENAME TO Damaged");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SQLite: no such table: MainDevice"));
        const QList<QVariantMap> scenarios = store->readAllScenarioInfo();
        QCOMPARE(scenarios.size(), 1); // the read failed: no member looks deleted
        rawSql("ALTER TABLE Damaged RENAME TO MainDevice");
        const auto evening = store->scenarioRecordWithMainID("1");
        QVERIFY(evening);
        QCOMPARE(RecordFactory::sceneDevices(*evening).size(), 1);
    }

    void foreignFileGivesNeutralResults()
    {
        Database::instance()->removeFiles();
        QFile file(Database::databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5a'));
        file.close();
        store->creatDatabase();
        QVERIFY(!store->insertMainDeviceWithInfo(light("L1")));
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QVERIFY(store->readAllScenarioInfo().isEmpty());
        QCOMPARE(store->selectScenarioWithMainID("-1"), QStringLiteral(""));
        QVERIFY(!store->updateScenarioControlTimesWithMainID("-1"));
        store->deleteAllTableFromDatabase();
        QCOMPARE(QFileInfo(Database::databasePath()).size(), 4096); // nothing overwritten
    }

    void unreachableFileGivesNeutralResults()
    {
        Database::instance()->removeFiles();
        QVERIFY(QDir().mkpath(Database::databasePath())); // a folder where the file goes
        QVERIFY(!store->connDatabase());
        QVERIFY(!store->insertSuperBoxWithInfo(RecordFactory::transmitter("A1", "", true)));
        QVERIFY(store->readAllSuperBoxInfo().isEmpty());
        QVERIFY(QDir().rmdir(Database::databasePath()));
    }

    void recordsThatCannotBeWrittenAreRefused()
    {
        QVariantMap odd = light("L1");
        odd.insert("count", 3);
        QVERIFY(!store->insertMainDeviceWithInfo(odd));
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
    }
};

ARDENTIA_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
