// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/configurationimport.h"
#include "control/delegatemanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "rawsql.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

namespace {
const QString kMaster = QStringLiteral("20AA10000001");

QString members(const QVariantMap &scenario)
{
    QStringList list;
    for (const QVariant &m : scenario.value(Key::sceneArray).toList())
        list << m.toMap().value(Key::id).toString() + "=" + m.toMap().value(Key::turnOn).toString();
    return list.join(' ');
}

QMap<QString, QVariantMap> scenariosByNumber()
{
    QMap<QString, QVariantMap> byNumber;
    for (const QVariantMap &s : Database::instance()->readAllScenarioInfo())
        byNumber.insert(s.value(Key::mainID).toString(), s);
    return byNumber;
}

} // namespace

class TestConfigurationImport : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    Database *store = nullptr;

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        store = Database::instance();
        QVariantMap master = RecordFactory::transmitter(kMaster, "127.0.0.2", true);
        master.insert(Key::command, Value::yes);
        store->insertSuperBoxWithInfo(master);
    }

    void cleanup() { program.reset(); }

    void stateBytesBecomeStates_data()
    {
        QTest::addColumn<QChar>("kind");
        QTest::addColumn<QString>("byte");
        QTest::addColumn<QString>("turnOn");
        dataRow("light 64: first bit 0", QChar('1'), "64", "NO");
        dataRow("light 80", QChar('1'), "80", "YES");
        dataRow("dimmer 9E is 30", QChar('2'), "9E", "30");
        dataRow("dimmer 1E is off", QChar('2'), "1E", "0");
        dataRow("curtain 64 open", QChar('3'), "64", "YES");
        dataRow("curtain E4 open", QChar('3'), "E4", "YES");
        dataRow("curtain 01", QChar('3'), "01", "NO");
        dataRow("not hex", QChar('1'), "zz", "NO");
    }
    void stateBytesBecomeStates()
    {
        QFETCH(QChar, kind);
        QFETCH(QString, byte);
        QFETCH(QString, turnOn);
        QCOMPARE(ConfigurationImport::turnOnForStateByte(kind, byte), turnOn);
    }

    void membershipBitsPlaceChannelsInScenarios_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("in8");
        QTest::addColumn<QString>("in1");
        dataRow("on/off light", "211300001230", "NO", "NO");
        dataRow("curtain", "213100007890", "YES", "NO");
    }
    void membershipBitsPlaceChannelsInScenarios()
    {
        QFETCH(QString, id);
        QFETCH(QString, in8);
        QFETCH(QString, in1);
        QVERIFY(ConfigurationImport(program->services())
                    .rebuildStoreFrom(
                        QStringLiteral(
                            "$actuation,%1,x,Name,k,81,6400000000000001,0\n$req,gw,end,import\n")
                            .arg(id)));
        const auto byNumber = scenariosByNumber();
        QCOMPARE(members(byNumber.value("8")), id + "=" + in8);
        QCOMPARE(members(byNumber.value("1")), id + "=" + in1);
        QCOMPARE(byNumber.value("8").value(Key::title).toString(), QStringLiteral("8"));
        QCOMPARE(byNumber.value("8").value(Key::imagePath).toString(),
                 Value::importedScenarioImage);
    }

    void rebuildsTheWholeHome()
    {
        store->insertMainDeviceWithInfo(
            RecordFactory::device("219900000000", "S", "219900000000", "old"));
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter("20AA10000077", "10.0.0.7", false));
        store->insertScenarioWithInfo(RecordFactory::userScenario("6", "Old", "i", {}));
        const QString text = "$gw,1,20AA10000001,127.0.0.2,m,0,0\n"
                             "$gw,1,20AA10000002,127.0.0.3,s,0,0\n"
                             "$gw,1,20AA10000002,127.0.0.3,s,0,0\n"
                             "$actuation,211300001230,x,Hall,1,03,0000000000000080,0\n"
                             "$actuation,212200004560,x,Living room,2,01,00000000000000BC,0\n"
                             "$actuation,213100007890,x,卧室窗帘,3,00,0000000000000000,0\n"
                             "$scenario,1,Evening\n"
                             "$scenario,5,Nobody in it\n"
                             "$req,gw,end,import\n";
        QVERIFY(ConfigurationImport(program->services()).rebuildStoreFrom(text));

        const QList<QVariantMap> transmitters = store->readAllSuperBoxInfo();
        QCOMPARE(transmitters.size(), 2);
        QCOMPARE(transmitters[0].value(Key::command).toString(), QStringLiteral("YES")); // kept
        QCOMPARE(transmitters[0].value(Key::address).toString(), QStringLiteral("127.0.0.2"));
        QCOMPARE(transmitters[1].value(Key::id).toString(), QStringLiteral("20AA10000002"));
        QCOMPARE(transmitters[1].value(Key::title).toString(), QStringLiteral("Slave Transmitter"));
        QCOMPARE(transmitters[1].value(Key::address).toString(), QStringLiteral(""));
        QCOMPARE(transmitters[1].value(Key::imageName).toString(), QStringLiteral("slave"));

        const QList<QVariantMap> devices = store->readAllMainDeviceInfo();
        QCOMPARE(devices.size(), 3);
        QCOMPARE(devices[1].value(Key::control).toString(), QStringLiteral("D"));
        QCOMPARE(devices[1].value(Key::turnOn).toString(), QStringLiteral("0"));
        QCOMPARE(devices[2].value(Key::type).toString(), QStringLiteral("Curtain"));
        QCOMPARE(devices[2].value(Key::title).toString(), QStringLiteral("卧室窗帘"));

        const auto byNumber = scenariosByNumber();
        QCOMPARE(byNumber.keys(), (QStringList{"-1", "-2", "1", "2"}));
        QCOMPARE(byNumber.value("1").value(Key::title).toString(), QStringLiteral("Evening"));
        QCOMPARE(members(byNumber.value("1")), QStringLiteral("211300001230=YES 212200004560=60"));
        QCOMPARE(members(byNumber.value("2")), QStringLiteral("211300001230=NO"));
    }

    void skipsLinesItCannotUse_data()
    {
        QTest::addColumn<QString>("line");
        dataRow("seven fields", "$actuation,211300001230,x,Hall,1,80,8000000000000000");
        dataRow("nine fields", "$actuation,211300001230,x,Hall,1,80,8000000000000000,0,0");
        dataRow("short ID", "$actuation,21130000123,x,Hall,1,80,8000000000000000,0");
        dataRow("kind 4", "$actuation,214300001230,x,Hall,1,80,8000000000000000,0");
        dataRow("a transmitter's ID", "$actuation,20AA10000005,x,Hall,1,80,8000000000000000,0");
        dataRow("transmitter line of six", "$gw,1,20AA10000005,a,s,0");
        dataRow("scenario line of four", "$scenario,1,Evening,x");
        dataRow("garbage", "\xff\xfe not a line");
    }
    void skipsLinesItCannotUse()
    {
        QFETCH(QString, line);
        QVERIFY(ConfigurationImport(program->services())
                    .rebuildStoreFrom(line + "\n$req,gw,end,import\n"));
        QVERIFY(store->readAllMainDeviceInfo().isEmpty());
        QCOMPARE(store->readAllSuperBoxInfo().size(), 1);
        QCOMPARE(store->readAllScenarioInfo().size(), 2);
    }

    // An ID becomes a command line's field and the bridge's MQTT topics: one
    // that is not letters and digits could name another channel's topic.
    void refusesWhatIsNoId_data()
    {
        QTest::addColumn<QString>("line");
        const QString channel = QStringLiteral("$actuation,%1,x,Fake,1,80,0000000000000000,0");
        dataRow("another channel's command topic", channel.arg("211300001230/set"));
        dataRow("a topic wildcard", channel.arg("21130000123+"));
        dataRow("every topic below", channel.arg("21130000123#"));
        dataRow("a blank", channel.arg("2113 0001231"));
        dataRow("a control character", channel.arg("211300001231" + QChar(0x1b)));
        dataRow("a letter beyond ASCII", channel.arg("21130000123é"));
        dataRow("short", channel.arg("21130000123"));
        dataRow("a transmitter's ID, slashed", "$gw,1,20AA1000/set,127.0.0.3,s,0,0");
    }
    void refusesWhatIsNoId()
    {
        QFETCH(QString, line);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^import: refused the "));
        // One bad record costs only itself: the rest of the home comes in.
        QVERIFY(ConfigurationImport(program->services())
                    .rebuildStoreFrom(line + "\n$actuation,211300001230,x,Hall,1,80,"
                                             "8000000000000000,0\n$req,gw,end,import\n"));
        QStringList ids;
        for (const QVariantMap &d : store->readAllMainDeviceInfo())
            ids << d.value(Key::id).toString();
        for (const QVariantMap &t : store->readAllSuperBoxInfo())
            ids << t.value(Key::id).toString();
        QCOMPARE(ids, (QStringList{"211300001230", kMaster}));
        QCOMPARE(members(scenariosByNumber().value("8")), QStringLiteral("211300001230=YES"));
    }

    void missingStateDigitsSkipTheirScenario()
    {
        QVERIFY(ConfigurationImport(program->services())
                    .rebuildStoreFrom(
                        "$actuation,211300001230,x,Hall,1,81,80,0\n$req,gw,end,import\n"));
        const auto byNumber = scenariosByNumber();
        QVERIFY(byNumber.contains("8"));
        QVERIFY(!byNumber.contains("1"));
    }

    void failureHalfWayKeepsTheOldHome()
    {
        store->insertMainDeviceWithInfo(
            RecordFactory::device("219900000000", "S", "219900000000", "old"));
        QDir().mkpath(DelegateManager::imageFolderPath());
        QFile picture(DelegateManager::imageFolderPath() + "/kept.png");
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.close();
        // The store refuses the second transmitter, after the wipe has run.
        rawSql("CREATE TRIGGER refuse BEFORE INSERT ON SuperBox WHEN NEW.MAINID='20AA10000002' "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(!ConfigurationImport(program->services())
                     .rebuildStoreFrom("$actuation,211300001230,x,Hall,1,00,0000000000000000,0\n"
                                       "$gw,1,20AA10000002,127.0.0.3,s,0,0\n$req,gw,end,import\n"));
        const QList<QVariantMap> devices = store->readAllMainDeviceInfo();
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices.constFirst().value(Key::id).toString(), QStringLiteral("219900000000"));
        QCOMPARE(store->readAllScenarioInfo().size(), 2);
        QVERIFY(picture.exists());
    }
};

ARDENTIA_TEST_MAIN(TestConfigurationImport)
#include "tst_configurationimport.moc"
