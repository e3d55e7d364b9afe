// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/udpsocketmanager.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// The command-line tool against the transmitter simulator, both as the
// programs users run, on loopback (the simulator's transmitters on 127.0.0.2
// and 127.0.0.3, the fixed ports, the tool on the lo interface).
namespace {
struct Run {
    int status = -1;
    QString out;
    QString err;
};

QString binary(const QString &name)
{
    return QCoreApplication::applicationDirPath() + "/../../src/" + name;
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_state;
    QProcess m_simulator;

    // dataHome: another data folder, standing for another phone.
    Run ctl(const QStringList &args, const QString &dataHome = {})
    {
        QProcess process;
        if (!dataHome.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_DATA_HOME", dataHome);
            process.setProcessEnvironment(environment);
        }
        process.start(binary("cli/ardentia-ctl"), QStringList{"--interface", "lo"} + args);
        Run run;
        if (!process.waitForFinished(90000)) {
            process.kill();
            return run;
        }
        run.status = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    bool startSimulator(const QStringList &extra = {})
    {
        stopSimulator();
        m_simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_simulator.start(binary("simulator/ardentia-transmitter"),
                          QStringList{"--quiet", "--state", m_state.filePath("home.json")} + extra);
        if (!m_simulator.waitForStarted(5000))
            return false;
        // Its first line says every socket is bound.
        if (!m_simulator.waitForReadyRead(10000) || !m_simulator.readLine().startsWith("listening"))
            return false;
        return m_simulator.state() == QProcess::Running;
    }

    void stopSimulator()
    {
        if (m_simulator.state() == QProcess::NotRunning)
            return;
        m_simulator.terminate();
        if (!m_simulator.waitForFinished(3000))
            m_simulator.kill();
        m_simulator.waitForFinished(3000);
    }

    QJsonObject status()
    {
        const Run run = ctl({"--json", "status"});
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    QStringList storedIds(const QString &table)
    {
        QStringList ids;
        for (const QJsonValue &v : status().value(table).toArray())
            ids << v.toObject().value(table == "scenarios" ? "mainID" : "id").toString();
        return ids;
    }

    QString storedState(const QString &id)
    {
        for (const QJsonValue &v : status().value("devices").toArray())
            if (v.toObject().value("id") == id)
                return v.toObject().value("turnOn").toString();
        return {};
    }

private Q_SLOTS:
    // The programs wait 3 s for a reply instead of the home's 10: an
    // unanswered command fails sooner, nothing else changes.
    void initTestCase() { qputenv(UDPSocketManager::kReplyWaitVariable, "3"); }
    void cleanupTestCase() { stopSimulator(); }

    void helpExplainsEveryCommand()
    {
        const Run run = ctl({"--help"});
        QCOMPARE(run.status, 0);
        for (const char *command :
             {"status", "locate", "add-transmitter", "add-device", "light", "curtain", "all on|off",
              "scenario run", "scenario create", "scenario edit", "scenario rename",
              "scenario delete", "rename", "remove", "sync", "clean-all"})
            QVERIFY2(run.out.contains(command), command);
        QCOMPARE(ctl({"fly", "away"}).status, 2);
        const Run json = ctl({"--json", "light", "219999999999", "on"});
        const QJsonObject outcome = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(outcome.value("status").toInt(), 1);
        QVERIFY(outcome.value("error").toString().contains("219999999999"));
    }

    void aHomeFromStartToEnd()
    {
        QVERIFY(startSimulator());
        Run run = ctl({"add-transmitter", "20AA10000001"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("Master Transmitter"));
        QVERIFY(run.out.contains("Synchronous data successful"));

        run = ctl({"add-transmitter", "20AA10000002"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("Slave Transmitter"));
        QCOMPARE(storedIds("transmitters"), (QStringList{"20AA10000001", "20AA10000002"}));

        run = ctl({"add-device", "2113D0001230", "Hall", "Stairs", "Porch"});
        QCOMPARE(run.status, 0);
        QCOMPARE(ctl({"add-device", "212200004560", "Living room"}).status, 0);
        QCOMPARE(ctl({"add-device", "213100007890", "Bedroom curtain"}).status, 0);
        QCOMPARE(storedIds("devices").size(), 6);

        QCOMPARE(ctl({"light", "2113D0001230", "on"}).status, 0);
        QCOMPARE(ctl({"light", "212200004560", "45"}).status, 0);
        QCOMPARE(ctl({"curtain", "213100007890", "open"}).status, 0);
        QCOMPARE(ctl({"curtain", "213100007890", "stop"}).status, 0);
        QCOMPARE(ctl({"light", "2113D0001230", "fly"}).status, 2);

        run = ctl({"scenario", "create", "Evening", "2113D0001230=on", "212200004560=30",
                   "213100007890=close"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("Scenario 1"));
        QCOMPARE(ctl({"scenario", "run", "1"}).status, 0);
        QCOMPARE(ctl({"scenario", "edit", "1", "212200004560=70", "2113D0001231=on"}).status, 0);
        QCOMPARE(ctl({"scenario", "rename", "1", "Late evening"}).status, 0);
        QCOMPARE(ctl({"all", "off"}).status, 0);
        QCOMPARE(ctl({"rename", "2113D0001232", "Garden"}).status, 0);
        run = ctl({"rename", "2113D0001232", "Garden, left"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("\",\""));

        // The store and the simulator agree after a sync.
        QCOMPARE(ctl({"sync"}).status, 0);
        const QJsonObject home = status();
        QJsonObject evening;
        for (const QJsonValue &v : home.value("scenarios").toArray())
            if (v.toObject().value("mainID") == "1")
                evening = v.toObject();
        QCOMPARE(evening.value("title").toString(), QStringLiteral("Late evening"));
        QStringList members;
        for (const QJsonValue &m : evening.value("sceneArray").toArray())
            members << m.toObject().value("id").toString() + "=" +
                           m.toObject().value("turnOn").toString();
        QCOMPARE(members, (QStringList{"2113D0001231=YES", "212200004560=70"}));
        QStringList names;
        for (const QJsonValue &d : home.value("devices").toArray())
            names << d.toObject().value("title").toString();
        QVERIFY(names.contains("Garden"));

        // Titles are printed as they are, "%1" and all.
        QCOMPARE(ctl({"scenario", "rename", "1", "Deal %2 at 100%"}).status, 0);
        const QString printed = ctl({"status"}).out;
        QVERIFY2(printed.contains("  1  Deal %2 at 100%  2 devices  run 0"), qPrintable(printed));

        // The app's first start on the home the tool built leaves it whole.
        QProcess app;
        app.start(binary("ardentia-home"), {"--interface", "lo", "-platform", "offscreen"});
        QVERIFY(app.waitForStarted(5000));
        const QString welcomed =
            qEnvironmentVariable("XDG_DATA_HOME") + "/ardentia-home/Documents/WELCOMESHOWN.plist";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(welcomed), 20000); // its first-start check ran
        app.terminate();
        QVERIFY(app.waitForFinished(5000));
        QCOMPARE(storedIds("transmitters"), (QStringList{"20AA10000001", "20AA10000002"}));
        QCOMPARE(storedIds("devices").size(), 6);

        QCOMPARE(ctl({"scenario", "delete", "1"}).status, 0);
        QCOMPARE(storedIds("scenarios"), (QStringList{"-1", "-2"}));
    }

    // Transmitters differ on whether the run's operation field stays before
    // the code; either way the run's states are stored.
    void aScenarioRunIsTakenInEitherReplyLayout_data()
    {
        QTest::addColumn<QStringList>("simulatorOptions");
        QTest::newRow("code after the operation") << QStringList{};
        QTest::newRow("code in the operation's place")
            << QStringList{"--fault", "scenario:1:*=inplace"};
    }
    void aScenarioRunIsTakenInEitherReplyLayout()
    {
        QFETCH(QStringList, simulatorOptions);
        QVERIFY(startSimulator(simulatorOptions));
        QCOMPARE(ctl({"scenario", "create", "Dusk", "2113D0001230=on"}).status, 0);
        QCOMPARE(ctl({"light", "2113D0001230", "off"}).status, 0);
        QCOMPARE(storedState("2113D0001230"), QStringLiteral("NO"));
        QCOMPARE(ctl({"scenario", "run", "1"}).status, 0);
        QCOMPARE(storedState("2113D0001230"), QStringLiteral("YES"));
        QCOMPARE(ctl({"scenario", "delete", "1"}).status, 0);
    }

    // The tool asks the home for the real states: what another phone
    // changed is reported and stored; a channel that stays silent fails it.
    void stateReportsWhatTheHomeSays()
    {
        QVERIFY(startSimulator());
        QCOMPARE(ctl({"light", "2113D0001230", "on"}).status, 0);
        QTemporaryDir otherPhone;
        QCOMPARE(ctl({"add-transmitter", "20AA10000001"}, otherPhone.path()).status, 0);
        QCOMPARE(ctl({"light", "2113D0001230", "off"}, otherPhone.path()).status, 0);
        QCOMPARE(storedState("2113D0001230"), QStringLiteral("YES")); // this phone's record

        Run run = ctl({"--json", "state", "2113D0001230", "2113D0001231"});
        QCOMPARE(run.status, 0);
        const QJsonArray channels =
            QJsonDocument::fromJson(run.out.toUtf8()).object().value("channels").toArray();
        QCOMPARE(channels.size(), 2);
        const QJsonObject hall = channels.at(0).toObject();
        QCOMPARE(hall.value("stored").toString(), QStringLiteral("YES"));
        QCOMPARE(hall.value("reported").toString(), QStringLiteral("NO"));
        QVERIFY(hall.value("differs").toBool());
        QVERIFY(!channels.at(1).toObject().value("differs").toBool());
        QCOMPARE(storedState("2113D0001230"), QStringLiteral("NO")); // the home's word

        QVERIFY(startSimulator({"--fault", "lig:0:2113D0001231=drop"}));
        run = ctl({"state"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains(QRegularExpression("2113D0001231 .* no answer")),
                 qPrintable(run.out));
        QVERIFY(run.out.contains(QRegularExpression("2113D0001230 .* reported NO, as stored")));
    }

    void aSilentControllerIsRemovedByForce()
    {
        QVERIFY(startSimulator({"--silent-channel", "2113D0001232"}));
        Run run = ctl({"remove", "2113D0001232"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("强制删除"));
        QVERIFY(storedIds("devices").contains("2113D0001232"));
        run = ctl({"--force", "remove", "2113D0001232"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("Force remove the device successful"));
        QVERIFY(!storedIds("devices").contains("2113D0001232"));
    }

    void aTransmitterThatStopsAnswering()
    {
        QVERIFY(startSimulator({"--fault", "*:*:*=drop"}));
        const Run run = ctl({"light", "2113D0001230", "off"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("Network connection failed"));
    }

    // A store that cannot be read is said to be so, never listed as an empty home.
    void anUnreadableStoreIsNoEmptyHome_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("list") << QStringList{"status"};
        QTest::newRow("list as JSON") << QStringList{"--json", "status"};
        QTest::newRow("run a scenario") << QStringList{"scenario", "run", "1"};
    }
    void anUnreadableStoreIsNoEmptyHome()
    {
        QFETCH(QStringList, command);
        QTemporaryDir phone;
        QVERIFY(QDir().mkpath(phone.filePath("ardentia-home/Documents/ArdentiaDatas.sqlite3")));
        const Run run = ctl(command, phone.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("the home's store could not be read"), qPrintable(run.err));
        QVERIFY(!run.out.contains("Transmitters (0)"));
        QVERIFY(!run.out.contains("\"transmitters\""));
    }

    void cleanAllEmptiesTheHome()
    {
        QVERIFY(startSimulator());
        const Run run = ctl({"clean-all"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("Clean all successful"));
        QVERIFY(storedIds("transmitters").isEmpty());
        QVERIFY(storedIds("devices").isEmpty());
        QCOMPARE(ctl({"light", "2113D0001230", "on"}).status, 1);
    }
};

ARDENTIA_TEST_MAIN(TestCli)
#include "tst_cli.moc"
