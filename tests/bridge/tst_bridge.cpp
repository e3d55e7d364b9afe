// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerrig.h"
#include "control/udpsocketmanager.h"
#include "datarow.h"
#include "testauthority.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <csignal>

// ardentia-bridge against a real mosquitto and the simulator, as the
// programs users run.
namespace {
const QStringList kChannels{"211300001230", "211300001231", "211300001232", "212200004560",
                            "212200004561", "213100007890", "21310000AB10"};

QJsonObject json(const QByteArray &payload)
{
    return QJsonDocument::fromJson(payload).object();
}

std::function<bool(const QByteArray &)> has(const QString &key, const QJsonValue &value)
{
    return [key, value](const QByteArray &payload) { return json(payload).value(key) == value; };
}

std::function<bool(const QByteArray &)> is(const QByteArray &wanted)
{
    return [wanted](const QByteArray &payload) { return payload == wanted; };
}

QString configTopic(const QString &id)
{
    const QString component = id.startsWith("2131") ? "cover" : "light";
    return QStringLiteral("homeassistant/%1/ardentia_%2/config").arg(component, id);
}

// The value at a path of keys and array indexes ("device/name", "availability/1/topic");
// undefined where there is none.
QJsonValue at(QJsonValue value, const QString &path)
{
    for (const QString &step : path.split('/')) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex ? value.toArray().at(index) : value.toObject().value(step);
    }
    return value;
}

// The name Home Assistant shows for an entity: its device's name, followed by
// the entity's own name unless that is null (an absent one is the platform's
// default name); an entity without a device is shown by its own name.
QString shownName(const QJsonObject &config)
{
    const QJsonValue device = config.value("device").toObject().value("name");
    const QJsonValue name = config.value("name");
    if (device.isUndefined())
        return name.toString();
    if (name.isNull())
        return device.toString();
    return device.toString() + " " + (name.isUndefined() ? "(default name)" : name.toString());
}

// Every channel, the four scenarios and the master's link.
const qsizetype kEntities = kChannels.size() + 4 + 1;
const QString kMasterLink = "homeassistant/binary_sensor/ardentia_20AA10000001_link/config";

// The states published on a channel's topic among the messages from..to.
QStringList statesOn(const BrokerRig &rig, const QString &id, int from, int to)
{
    QStringList states;
    const QList<BrokerRig::Message> messages = rig.messages();
    for (int i = from; i <= to && i < messages.size(); ++i)
        if (messages.at(i).topic == "ardentia/" + id)
            states.append(json(messages.at(i).payload).value("state").toString());
    return states;
}

// The unique IDs of every discovery config with content.
QSet<QString> uniqueIds(const BrokerRig &rig, int from)
{
    QSet<QString> ids;
    const QList<BrokerRig::Message> messages = rig.messages();
    for (int i = from; i < messages.size(); ++i)
        if (messages.at(i).topic.endsWith("/config") && !messages.at(i).payload.isEmpty())
            ids.insert(json(messages.at(i).payload).value("unique_id").toString());
    return ids;
}
} // namespace

class TestBridge : public QObject {
    Q_OBJECT

    std::unique_ptr<BrokerRig> rig; // shared by the functions that need nothing special

    // A broker, the simulator with these arguments, the demo home enrolled,
    // a watcher, and the bridge with these arguments, online.
    static std::unique_ptr<BrokerRig> startRig(const QStringList &simulator = {},
                                               const QStringList &bridge = {})
    {
        auto started = std::make_unique<BrokerRig>();
        if (!started->startBroker() || !started->startSimulator(simulator) ||
            !started->enrolDemoHome() || !started->watch() || !started->startBridge(bridge) ||
            started->waitFor("ardentia/bridge/state", has("state", "online")) < 0)
            return nullptr;
        return started;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The programs wait 3 s for a reply instead of the home's 10: a
        // silent master or a lost reply is found sooner, nothing else changes.
        qputenv(UDPSocketManager::kReplyWaitVariable, "3");
        rig = startRig();
        QVERIFY(rig);
    }
    void cleanupTestCase() { rig.reset(); }

    void everyChannelAndScenarioIsDiscovered()
    {
        for (const QString &id : kChannels) {
            QVERIFY2(rig->waitFor(configTopic(id), has("unique_id", QString("ardentia_" + id))) >=
                         0,
                     qPrintable(id));
            const QJsonObject config = json(rig->last(configTopic(id)));
            QCOMPARE(config.value("state_topic").toString(), "ardentia/" + id);
            QCOMPARE(config.value("command_topic").toString(), "ardentia/" + id + "/set");
            QCOMPARE(config.value("availability_mode").toString(), QStringLiteral("all"));
            QCOMPARE(config.value("availability").toArray().size(), 2);
            QVERIFY(config.value("device").toObject().contains("via_device"));
            QVERIFY(config.contains("origin"));
            QVERIFY(rig->waitFor("ardentia/" + id, [](const QByteArray &payload) {
                return json(payload).contains("state");
            }) >= 0);
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("online")) >= 0);
        }
        const QJsonObject dimmer = json(rig->last(configTopic("212200004560")));
        QCOMPARE(dimmer.value("brightness_scale").toInt(), 100);
        QCOMPARE(dimmer.value("supported_color_modes").toArray().first().toString(),
                 QStringLiteral("brightness"));
        QCOMPARE(json(rig->last(configTopic("211300001230")))
                     .value("supported_color_modes")
                     .toArray()
                     .first()
                     .toString(),
                 QStringLiteral("onoff"));
        for (const char *scene : {"m1", "m2", "1", "2"})
            QVERIFY(rig->waitFor(QStringLiteral("homeassistant/scene/ardentia_scenario_%1/config")
                                     .arg(scene)) >= 0);
        QCOMPARE(uniqueIds(*rig, 0).size(), kEntities);
        QVERIFY(rig->waitFor("ardentia/bridge/devices", [](const QByteArray &payload) {
            return json(payload).value("channels").toArray().size() == kChannels.size();
        }) >= 0);
    }

    // What Home Assistant is offered is what the home carries out, named as
    // people name it.
    void discoveryKeys_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        const QJsonValue absent(QJsonValue::Undefined);
        const QString master = "{{ 'online' if value_json.link == 'online' else 'offline' }}";
        const struct {
            const char *kind;
            QString id;
            QString name;
        } channels[] = {{"switch", "211300001230", "Hall"},
                        {"dimmer", "212200004560", "Living room"},
                        {"curtain", "213100007890", "Bedroom curtain"}};
        for (const auto &channel : channels) {
            const auto row = [&](const char *what) -> QTestData & {
                return QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(channel.kind, what)))
                       << configTopic(channel.id);
            };
            row("the device's name alone") << "name" << QJsonValue(QJsonValue::Null);
            row("a device per channel") << "device/name" << QJsonValue(channel.name);
            row("its own device") << "device/identifiers/0" << QJsonValue("ardentia_" + channel.id);
            row("the channel's availability")
                << "availability/1/topic" << QJsonValue("ardentia/" + channel.id + "/availability");
        }
        for (const char *light : {"211300001230", "212200004560"}) {
            dataRow(qPrintable(QStringLiteral("%1: no flash").arg(light)), configTopic(light),
                    "flash", QJsonValue(false));
            dataRow(qPrintable(QStringLiteral("%1: no transition").arg(light)), configTopic(light),
                    "transition", QJsonValue(false));
            dataRow(qPrintable(QStringLiteral("%1: json schema").arg(light)), configTopic(light),
                    "schema", QJsonValue("json"));
            dataRow(qPrintable(QStringLiteral("%1: confirmed states").arg(light)),
                    configTopic(light), "optimistic", absent);
        }
        const QString curtain = configTopic("213100007890");
        dataRow("curtain: a curtain", curtain, "device_class", QJsonValue("curtain"));
        dataRow("curtain: confirmed states", curtain, "optimistic", QJsonValue(false));
        dataRow("curtain: no flash", curtain, "flash", absent);
        dataRow("curtain: stops", curtain, "payload_stop", QJsonValue("STOP"));
        for (const char *scene : {"1", "m1", "m2"}) {
            const QString topic =
                QStringLiteral("homeassistant/scene/ardentia_scenario_%1/config").arg(scene);
            dataRow(qPrintable(QStringLiteral("scene %1: the bridge").arg(scene)), topic,
                    "availability/0/topic", QJsonValue("ardentia/bridge/state"));
            dataRow(qPrintable(QStringLiteral("scene %1: and the master").arg(scene)), topic,
                    "availability/1/topic", QJsonValue("ardentia/bridge/info"));
            dataRow(qPrintable(QStringLiteral("scene %1: its link").arg(scene)), topic,
                    "availability/1/value_template", QJsonValue(master));
            dataRow(qPrintable(QStringLiteral("scene %1: both").arg(scene)), topic,
                    "availability_mode", QJsonValue("all"));
        }
        for (const char *scene : {"1", "m1"}) {
            const QString topic =
                QStringLiteral("homeassistant/scene/ardentia_scenario_%1/config").arg(scene);
            dataRow(qPrintable(QStringLiteral("scene %1: its own device").arg(scene)), topic,
                    "device/identifiers/0",
                    QJsonValue(QStringLiteral("ardentia_scenario_%1").arg(scene)));
            dataRow(qPrintable(QStringLiteral("scene %1: through the master").arg(scene)), topic,
                    "device/via_device", QJsonValue("ardentia_20AA10000001"));
        }
        // The device the others are reached through exists: the master's link makes it.
        dataRow("master: its device", kMasterLink, "device/identifiers/0",
                QJsonValue("ardentia_20AA10000001"));
        dataRow("master: its link", kMasterLink, "state_topic", QJsonValue("ardentia/bridge/info"));
        dataRow("master: while the bridge is online", kMasterLink, "availability/0/topic",
                QJsonValue("ardentia/bridge/state"));
    }
    void discoveryKeys()
    {
        QFETCH(QString, topic);
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QVERIFY(rig->waitFor(topic, [](const QByteArray &p) { return !p.isEmpty(); }) >= 0);
        QCOMPARE(at(json(rig->last(topic)), path), value);
    }

    // Every entity is shown by the name people gave it, not after the
    // controller or the master it sits in.
    void namesAsHomeAssistantShowsThem_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("shown");
        dataRow("light", configTopic("211300001230"), "Hall");
        dataRow("dimmer", configTopic("212200004560"), "Living room");
        dataRow("curtain", configTopic("213100007890"), "Bedroom curtain");
        dataRow("scene", "homeassistant/scene/ardentia_scenario_1/config", "Evening");
        dataRow("built-in scene", "homeassistant/scene/ardentia_scenario_m1/config", "All On Mode");
        dataRow("master", kMasterLink, "Transmitter 20AA10000001");
    }
    void namesAsHomeAssistantShowsThem()
    {
        QFETCH(QString, topic);
        QFETCH(QString, shown);
        QVERIFY(rig->waitFor(topic, [](const QByteArray &p) { return !p.isEmpty(); }) >= 0);
        QCOMPARE(shownName(json(rig->last(topic))), shown);
    }

    // Each command changes the simulated home, and the retained state says so
    // once the home has acknowledged it (a curtain's moves: below).
    void commandsReachTheHome_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("simulatorKey");
        QTest::addColumn<QVariant>("simulatorValue");
        dataRow("switch on", "211300001231", QByteArray("ON"), "ON", "on", QVariant(true));
        dataRow("switch off, JSON", "211300001231", QByteArray(R"({"state":"OFF"})"), "OFF", "on",
                QVariant(false));
        dataRow("dim", "212200004561", QByteArray(R"({"brightness":40})"), "ON", "level",
                QVariant(40));
        dataRow("dimmer off", "212200004561", QByteArray(R"({"state":"OFF"})"), "OFF", "on",
                QVariant(false));
        dataRow("dimmer back on at its level", "212200004561", QByteArray(R"({"state":"ON"})"),
                "ON", "level", QVariant(40));
    }
    void commandsReachTheHome()
    {
        QFETCH(QString, id);
        QFETCH(QByteArray, payload);
        QFETCH(QString, state);
        QFETCH(QString, simulatorKey);
        QFETCH(QVariant, simulatorValue);
        const int from = rig->messages().size();
        rig->publish("ardentia/" + id + "/set", payload);
        QVERIFY(rig->waitFor("ardentia/" + id, has("state", state), from) >= 0);
        QTRY_COMPARE(rig->simulatedChannel(id).value(simulatorKey), simulatorValue);
    }

    void scenariosRun()
    {
        int from = rig->messages().size();
        // A run has no state of its own: its acknowledgement is an event.
        rig->publish("ardentia/scenario/1/set", "ON"); // Evening
        QVERIFY(rig->waitFor(
                    "ardentia/bridge/event",
                    [](const QByteArray &p) {
                        return json(p) == QJsonObject{{"type", "scenario_ran"},
                                                      {"message", "scenario 1: acknowledged"},
                                                      {"topic", "ardentia/scenario/1/set"}};
                    },
                    from) >= 0);

        from = rig->messages().size();
        rig->publish("ardentia/scenario/-1/set", "ON"); // All On
        QVERIFY(rig->waitFor(
                    "ardentia/bridge/event",
                    [](const QByteArray &p) {
                        return json(p).value("type") == "scenario_ran" &&
                               json(p).value("topic") == "ardentia/scenario/-1/set";
                    },
                    from) >= 0);
        // The lights that were off say so; those already on had nothing new to say.
        QVERIFY(rig->waitFor("ardentia/211300001231", has("state", "ON"), from) >= 0);
        for (const char *light : {"211300001230", "211300001231", "211300001232"})
            QTRY_COMPARE(json(rig->last(QStringLiteral("ardentia/%1").arg(light))).value("state"),
                         QJsonValue("ON"));
        QTRY_VERIFY(rig->simulatedChannel("211300001232").value("on").toBool());
    }

    // Nothing is sent for what a topic cannot take; the problem is an event.
    void badInputIsAnEventAndNothingMore_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("message");
        dataRow("unknown channel", "ardentia/999/set", QByteArray("ON"), "no channel");
        dataRow("word a light does not take", "ardentia/211300001230/set", QByteArray("OPEN"),
                "ON or OFF");
        dataRow("brightness on a switch", "ardentia/211300001230/set",
                QByteArray(R"({"brightness":5})"), "only switches");
        dataRow("brightness out of range", "ardentia/212200004560/set",
                QByteArray(R"({"brightness":101})"), "0 to 100");
        dataRow("not JSON", "ardentia/212200004560/set", QByteArray("{brightness"), "not a JSON");
        dataRow("oversized", "ardentia/212200004560/set", QByteArray(2000, 'A'), "over 1024");
        dataRow("unknown scenario", "ardentia/scenario/7/set", QByteArray("ON"), "no scenario");
        // As Home Assistant sends them: nothing of it is done.
        dataRow("a flash", "ardentia/212200004560/set", QByteArray(R"({"state":"ON","flash":2})"),
                "flash");
        dataRow("a transition", "ardentia/212200004560/set",
                QByteArray(R"({"state":"ON","brightness":1,"transition":3})"), "transition");
    }
    void badInputIsAnEventAndNothingMore()
    {
        QFETCH(QString, topic);
        QFETCH(QByteArray, payload);
        QFETCH(QString, message);
        const QVariantMap before = rig->simulatedChannel("212200004560");
        const int from = rig->messages().size();
        rig->publish(topic, payload);
        const int event = rig->waitFor(
            "ardentia/bridge/event",
            [&](const QByteArray &p) {
                return json(p).value("message").toString().contains(message);
            },
            from);
        QVERIFY(event >= 0);
        QCOMPARE(rig->simulatedChannel("212200004560"), before);
    }

    // Every acknowledged move is one state, where it went (a stop: where it
    // was), and nothing more: no state before it, no second one after it.
    void aCurtainMoveIsOneStateAfterItsAcknowledgement()
    {
        const QString curtain = "213100007890";
        const QString set = "ardentia/" + curtain + "/set";
        const int from = rig->messages().size();
        rig->publish(set, "OPEN");
        const int opened = rig->waitFor("ardentia/" + curtain, has("state", "OPEN"), from);
        QVERIFY(opened >= 0);
        QTRY_COMPARE(rig->simulatedChannel(curtain).value("position"), QVariant(100));
        rig->publish(set, "STOP");
        const int stopped = rig->waitFor("ardentia/" + curtain, {}, opened + 1);
        QVERIFY(stopped >= 0);
        rig->publish(set, "close"); // any case
        const int closed = rig->waitFor("ardentia/" + curtain, has("state", "CLOSE"), stopped + 1);
        QVERIFY(closed >= 0);
        QCOMPARE(statesOn(*rig, curtain, from, closed), (QStringList{"OPEN", "OPEN", "CLOSE"}));
        QTRY_COMPARE(rig->simulatedChannel(curtain).value("position"), QVariant(0));
    }

    void requestsAreAnswered()
    {
        int from = rig->messages().size();
        rig->publish("ardentia/bridge/request/health", R"({"transaction":"t1"})");
        int answer =
            rig->waitFor("ardentia/bridge/response/health", has("transaction", "t1"), from);
        QVERIFY(answer >= 0);
        QCOMPARE(json(rig->messages().at(answer).payload).value("status").toString(),
                 QStringLiteral("ok"));

        rig->publish("ardentia/bridge/request/device/rename",
                     R"({"id":"211300001232","name":"Porch, left","transaction":2})");
        answer =
            rig->waitFor("ardentia/bridge/response/device/rename", has("transaction", 2), from);
        QVERIFY(answer >= 0);
        QCOMPARE(json(rig->messages().at(answer).payload).value("status").toString(),
                 QStringLiteral("error")); // "," cannot travel

        rig->publish("ardentia/bridge/request/device/rename",
                     R"({"id":"211300001232","name":"Front door","transaction":3})");
        answer =
            rig->waitFor("ardentia/bridge/response/device/rename", has("transaction", 3), from);
        QVERIFY(answer >= 0);
        QCOMPARE(json(rig->messages().at(answer).payload).value("status").toString(),
                 QStringLiteral("ok"));
        QVERIFY(rig->waitFor(
                    configTopic("211300001232"),
                    [](const QByteArray &p) { return at(json(p), "device/name") == "Front door"; },
                    from) >= 0);
        QCOMPARE(json(rig->last(configTopic("211300001232"))).value("unique_id").toString(),
                 QStringLiteral("ardentia_211300001232"));

        rig->publish("ardentia/bridge/request/web/pair", R"({"transaction":5})");
        answer = rig->waitFor("ardentia/bridge/response/web/pair", has("transaction", 5), from);
        QVERIFY(answer >= 0); // no web remote served here: no link either
        QVERIFY(json(rig->messages().at(answer).payload)
                    .value("error")
                    .toString()
                    .contains("web-listen"));

        rig->publish("ardentia/bridge/request/sync", R"({"transaction":4})");
        answer = rig->waitFor("ardentia/bridge/response/sync", has("transaction", 4), from);
        QVERIFY(answer >= 0);
        QCOMPARE(json(rig->messages().at(answer).payload).value("status").toString(),
                 QStringLiteral("ok"));
    }

    // The schedules' list is retained and follows a change ardentia-ctl
    // made to the store, and one asked for over MQTT.
    void schedulesAreOnTheBroker()
    {
        const auto listed = [](const QString &name, bool enabled) {
            return [name, enabled](const QByteArray &payload) {
                const QJsonArray list = QJsonDocument::fromJson(payload).array();
                return list.size() == 1 && list.at(0)["name"].toString() == name &&
                       list.at(0)["enabled"].toBool() == enabled &&
                       list.at(0).toObject().contains("next") == enabled;
            };
        };
        QVERIFY(rig->waitFor("ardentia/bridge/schedules", is("[]")) >= 0);
        int from = rig->messages().size();
        QCOMPARE(
            rig->ctl({"schedule", "add", "Porch", "at", "23:59", "switch", "211300001230", "on"}),
            0);
        QVERIFY(rig->waitFor("ardentia/bridge/schedules", listed("Porch", true), from, 15000) >= 0);
        QVERIFY(rig->retainedTopics().contains("ardentia/bridge/schedules"));

        from = rig->messages().size();
        rig->publish("ardentia/bridge/request/schedule/off", R"({"id":1,"transaction":8})");
        const int answer =
            rig->waitFor("ardentia/bridge/response/schedule/off", has("transaction", 8), from);
        QVERIFY(answer >= 0);
        QCOMPARE(json(rig->messages().at(answer).payload).value("status").toString(),
                 QStringLiteral("ok"));
        QVERIFY(rig->waitFor("ardentia/bridge/schedules", listed("Porch", false), from) >= 0);

        rig->publish("ardentia/bridge/request/schedule/add",
                     R"({"schedule":{"name":"","enabled":true},"transaction":9})");
        const int refused =
            rig->waitFor("ardentia/bridge/response/schedule/add", has("transaction", 9), from);
        QVERIFY(refused >= 0);
        QCOMPARE(json(rig->messages().at(refused).payload).value("status").toString(),
                 QStringLiteral("error"));
        QCOMPARE(rig->ctl({"schedule", "remove", "1"}), 0);
        QVERIFY(rig->waitFor("ardentia/bridge/schedules", is("[]"), from, 15000) >= 0);
    }

    void homeAssistantComingBackGetsEverythingAgain()
    {
        const int from = rig->messages().size();
        rig->publish("homeassistant/status", "online");
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor(configTopic(id), {}, from) >= 0);
        QTRY_COMPARE(uniqueIds(*rig, from).size(), kEntities);
    }

    // A store that cannot be read is not an empty home: Home Assistant
    // coming back meanwhile gets nothing removed, and once the store can be
    // read again everything is published again.
    void anUnreadableStoreRemovesNothing()
    {
        const QString store = rig->path("data/ArdentiaDatas.sqlite3");
        const QString kept = rig->path("kept.sqlite3");
        // Nothing is written meanwhile: the file and its log are the home.
        for (const char *suffix : {"-wal", ""}) {
            QFile::remove(kept + suffix);
            QVERIFY(!QFile::exists(store + suffix) || QFile::copy(store + suffix, kept + suffix));
        }
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(store + suffix);
        QVERIFY(QDir().mkpath(store)); // a folder where the file goes

        int from = rig->messages().size();
        rig->publish("homeassistant/status", "online");
        QVERIFY(rig->waitForBridgeLog("the store could not be read (publishing the home)"));
        for (int i = from; i < rig->messages().size(); ++i) {
            const BrokerRig::Message &message = rig->messages().at(i);
            QVERIFY2(!message.topic.endsWith("/config") || !message.payload.isEmpty(),
                     qPrintable(message.topic));
            QVERIFY2(message.topic != "ardentia/bridge/devices", "an empty home was published");
        }
        const QStringList retained = rig->retainedTopics();
        for (const QString &id : kChannels)
            QVERIFY2(retained.contains(configTopic(id)), qPrintable(id));

        QVERIFY(QDir().rmdir(store));
        from = rig->messages().size();
        for (const char *suffix : {"-wal", ""}) // the log first: the file opens it
            QVERIFY(!QFile::exists(kept + suffix) || QFile::copy(kept + suffix, store + suffix));
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor(configTopic(id), {}, from, 15000) >= 0);
        QVERIFY(rig->waitFor(
                    "ardentia/bridge/devices",
                    [](const QByteArray &payload) {
                        return json(payload).value("channels").toArray().size() == kChannels.size();
                    },
                    from) >= 0);
    }

    void aStoppedBrokerIsReconnected()
    {
        rig->stopBroker();
        QVERIFY(rig->startBroker());
        QVERIFY(rig->watch());
        const int from = rig->messages().size();
        // The broker kept nothing: what it has now the bridge published again.
        QVERIFY(rig->waitFor("ardentia/bridge/state", has("state", "online"), from, 15000) >= 0);
        QVERIFY(rig->waitFor(configTopic("211300001230"), {}, from) >= 0);
    }

    void aStopSaysOfflineAndTheIdsStay()
    {
        const QSet<QString> before = uniqueIds(*rig, 0);
        int from = rig->messages().size();
        QCOMPARE(rig->stopBridge(SIGTERM), 0);
        QVERIFY(rig->waitFor("ardentia/bridge/state", has("state", "offline"), from) >= 0);
        from = rig->messages().size();
        QVERIFY(rig->startBridge());
        QVERIFY(rig->waitFor("ardentia/bridge/state", has("state", "online"), from) >= 0);
        QTRY_COMPARE(uniqueIds(*rig, from), before);
    }

    // What ardentia-ctl changes in the store while the bridge runs reaches
    // the broker within about a second, as a change made through the
    // bridge: each row's command, then the topic and what its retained
    // payload holds now (nothing: cleared). The rows build on each other
    // and leave the home as they found it.
    void changesMadeElsewhereReachTheBroker_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("holds");
        const QString scene = "homeassistant/scene/ardentia_scenario_3/config";
        dataRow("a device renamed", QStringList{"rename", "211300001230", "Landing"},
                configTopic("211300001230"), "Landing");
        dataRow("in the device list", QStringList{"rename", "211300001231", "Steps"},
                "ardentia/bridge/devices", "Steps");
        dataRow("a scenario made", QStringList{"scenario", "create", "Reading", "211300001232=on"},
                scene, "Reading");
        dataRow("a scenario renamed", QStringList{"scenario", "rename", "3", "Quiet"}, scene,
                "Quiet");
        dataRow("a scenario deleted", QStringList{"scenario", "delete", "3"}, scene, "");
        dataRow("the names as they were", QStringList{"rename", "211300001230", "Hall"},
                configTopic("211300001230"), "Hall");
        dataRow("and the other's", QStringList{"rename", "211300001231", "Stairs"},
                "ardentia/bridge/devices", "Stairs");
    }
    void changesMadeElsewhereReachTheBroker()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, topic);
        QFETCH(QString, holds);
        const int from = rig->messages().size();
        QCOMPARE(rig->ctl(command), 0);
        const auto holding = [&holds](const QByteArray &payload) {
            return holds.isEmpty() ? payload.isEmpty() : payload.contains(holds.toUtf8());
        };
        QVERIFY2(rig->waitFor(topic, holding, from, 2500) >= 0, qPrintable(rig->last(topic)));
    }

    // A refusal or a held reply: the retained state stays the confirmed one.
    void onlyTheHomesWordIsPublished()
    {
        rig.reset();
        rig = startRig(
            {"--fault", "lig:4:211300001230=code:1", "--fault", "lig:4:212200004560=delay:800"});
        QVERIFY(rig);
        // The import knows no states: the first poll brings the home's.
        QVERIFY(rig->waitFor("ardentia/211300001230", has("state", "ON")) >= 0);
        int from = rig->messages().size();
        rig->publish("ardentia/211300001230/set", "OFF");
        const int event = rig->waitFor(
            "ardentia/bridge/event",
            [](const QByteArray &p) {
                return json(p).value("message").toString().contains("refused");
            },
            from);
        QVERIFY(event >= 0);
        // The stored state is published again after the event, and never the refused one.
        QVERIFY(rig->waitFor("ardentia/211300001230", has("state", "ON"), event) >= 0);
        QCOMPARE(rig->waitFor("ardentia/211300001230", has("state", "OFF"), from, 0), -1);

        from = rig->messages().size();
        rig->publish("ardentia/212200004560/set", R"({"brightness":20})");
        QTest::qWait(400); // the reply is held 800 ms: nothing may claim the level yet
        QCOMPARE(rig->waitFor("ardentia/212200004560", has("brightness", 20), from, 0), -1);
        QVERIFY(rig->waitFor("ardentia/212200004560", has("brightness", 20), from) >= 0);
    }

    void aSilentMasterMakesEveryChannelOffline_data()
    {
        QTest::addColumn<QStringList>("bridge");
        // No command: the quiet check alone finds the master silent.
        dataRow("quiet check", QStringList{"--link-check-interval", "1"});
        // No quiet check: the poll's state queries of two channels lost in a
        // row are the master's silence.
        dataRow("lost state queries",
                QStringList{"--link-check-interval", "0", "--poll-interval", "2"});
    }
    void aSilentMasterMakesEveryChannelOffline()
    {
        QFETCH(QStringList, bridge);
        rig.reset();
        rig = startRig({}, bridge);
        QVERIFY(rig);
        QVERIFY(rig->waitFor("ardentia/bridge/info", has("link", "online")) >= 0);
        // The start's state queries over (each channel answered), so that
        // none of them is what finds the silence.
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("online")) >= 0);
        int from = rig->messages().size();
        // The scenes' availability reads the master's link.
        rig->stopSimulator();
        QVERIFY(rig->waitFor("ardentia/bridge/info", has("link", "offline"), from, 30000) >= 0);
        // Told with the link's state; the watcher may hear them a moment after it.
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("offline"), from, 10000) >=
                    0);
        from = rig->messages().size();
        QVERIFY(rig->startSimulator());
        QVERIFY(rig->waitFor("ardentia/bridge/info", has("link", "online"), from, 30000) >= 0);
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("online"), from, 10000) >=
                    0);
    }

    // One channel's lost reply is that channel's: the master and the others stay.
    void aChannelsLostReplyMarksThatChannelOnly()
    {
        const QString dropped = kChannels.constFirst();
        rig.reset();
        rig = startRig({"--fault", "lig:4:" + dropped + "=drop"});
        QVERIFY(rig);
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("online")) >= 0);
        const int from = rig->messages().size();
        rig->publish("ardentia/" + dropped + "/set", "OFF");
        QVERIFY(rig->waitFor("ardentia/" + dropped + "/availability", is("offline"), from, 20000) >=
                0);
        QCOMPARE(rig->waitFor("ardentia/bridge/info", has("link", "offline"), from, 0), -1);
        for (const QString &id : kChannels.mid(1))
            QCOMPARE(rig->waitFor("ardentia/" + id + "/availability", is("offline"), from, 0), -1);
    }

    // A sync rebuilds the store without states: what the home confirmed stands.
    void aSyncPublishesOnlyConfirmedStates()
    {
        const QString light = "211300001231", curtain = "213100007890";
        int from = rig->messages().size();
        rig->publish("ardentia/" + light + "/set", "ON");
        rig->publish("ardentia/" + curtain + "/set", "OPEN");
        QVERIFY(rig->waitFor("ardentia/" + light, has("state", "ON"), from) >= 0);
        QVERIFY(rig->waitFor("ardentia/" + curtain, has("state", "OPEN"), from) >= 0);
        from = rig->messages().size();
        rig->publish("ardentia/bridge/request/sync", R"({"transaction":9})");
        const int synced =
            rig->waitFor("ardentia/bridge/response/sync", has("transaction", 9), from);
        QVERIFY(synced >= 0);
        QCOMPARE(statesOn(*rig, light, from, synced).filter("OFF"), QStringList{});
        QCOMPARE(statesOn(*rig, curtain, from, synced).filter("CLOSE"), QStringList{});
    }

    // Before the home answered, no channel is published available, nor any state.
    void aColdStartWithASilentMasterPublishesNothingAvailable()
    {
        rig.reset();
        rig = startRig({}, {"--link-check-interval", "1"});
        QVERIFY(rig);
        QCOMPARE(rig->stopBridge(SIGTERM), 0);
        rig->stopSimulator();
        const int from = rig->messages().size();
        QVERIFY(rig->startBridge({"--link-check-interval", "1"}));
        QVERIFY(rig->waitFor("ardentia/bridge/info", has("link", "offline"), from, 30000) >= 0);
        for (const QString &id : kChannels) {
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("offline"), from, 1000) >=
                    0);
            QCOMPARE(rig->waitFor("ardentia/" + id + "/availability", is("online"), from, 0), -1);
            QCOMPARE(rig->waitFor("ardentia/" + id, {}, from, 0), -1);
        }
    }

    // A poll publishes what it found changed, once; what stayed is not sent again.
    void aPollPublishesOnlyWhatChanged()
    {
        rig.reset();
        rig = startRig({}, {"--poll-interval", "1"});
        QVERIFY(rig);
        for (const QString &id : kChannels)
            QVERIFY(rig->waitFor("ardentia/" + id + "/availability", is("online")) >= 0);
        // The start is over once the master answered: its link's change is
        // the start's, not the poll's.
        QVERIFY(rig->waitFor("ardentia/bridge/info", has("link", "online")) >= 0);
        const int from = rig->messages().size();
        // Changed behind the bridge's back, the later channel first: the
        // earlier one's change is found by a poll after the one that found it.
        QCOMPARE(rig->ctl({"light", "211300001232", "on"}), 0);
        const int first = rig->waitFor("ardentia/211300001232", has("state", "ON"), from);
        QVERIFY(first >= 0);
        QCOMPARE(rig->ctl({"light", "211300001231", "on"}), 0);
        const int second = rig->waitFor("ardentia/211300001231", has("state", "ON"), first);
        QVERIFY(second >= 0);
        QHash<QString, int> published;
        const QList<BrokerRig::Message> messages = rig->messages();
        for (int i = from; i <= second; ++i)
            ++published[messages.at(i).topic];
        for (auto topic = published.cbegin(); topic != published.cend(); ++topic)
            QVERIFY2(topic.value() == 1, qPrintable(topic.key()));
        QVERIFY(published.contains("ardentia/211300001232"));
    }

    void aKilledBridgeLeavesItsWill()
    {
        const int from = rig->messages().size();
        rig->stopBridge(SIGKILL);
        QVERIFY(rig->waitFor("ardentia/bridge/state", has("state", "offline"), from, 60000) >= 0);
    }

    // A channel that left the home while the bridge was away loses its entity.
    void aRemovedChannelLosesItsConfig()
    {
        rig.reset();
        rig = startRig();
        QVERIFY(rig);
        QCOMPARE(rig->stopBridge(SIGTERM), 0);
        QCOMPARE(rig->ctl({"remove", "211300001232"}), 0);
        const int from = rig->messages().size();
        QVERIFY(rig->startBridge());
        // Its config, its state and its availability: nothing under its ID stays.
        for (const QString &topic :
             {configTopic("211300001232"), QStringLiteral("ardentia/211300001232"),
              QStringLiteral("ardentia/211300001232/availability")})
            QVERIFY2(rig->waitFor(topic, is({}), from) >= 0, qPrintable(topic));
        const QStringList kept = rig->retainedTopics();
        QVERIFY(kept.contains(configTopic("211300001230")));
        QCOMPARE(kept.filter("211300001232"), QStringList());
    }

    // TLS with a certificate authority made here: the bridge checks the
    // broker's certificate against it.
    void tlsToTheBroker()
    {
        rig.reset();
        rig = std::make_unique<BrokerRig>();
        const std::optional<TestAuthority> authority = TestAuthority::makeIn(rig->path({}));
        QVERIFY(authority);
        const QString ca = authority->ca, cert = authority->certificate, key = authority->key;
        QVERIFY(rig->startBroker(QStringLiteral("allow_anonymous true\ncafile %1\ncertfile "
                                                "%2\nkeyfile %3")
                                     .arg(ca, cert, key)));
        rig->setClientArguments({"--cafile", ca});
        QVERIFY(rig->startSimulator());
        QVERIFY(rig->enrolDemoHome());
        QVERIFY(rig->watch());
        QVERIFY(rig->startBridge({"--ca-file", ca}));
        QVERIFY(rig->waitFor("ardentia/bridge/state", has("state", "online")) >= 0);
        QVERIFY(rig->waitFor(configTopic("211300001230")) >= 0);
    }

    void aWrongPasswordEndsTheBridge()
    {
        rig.reset();
        rig = std::make_unique<BrokerRig>();
        QFile passwords(rig->path("passwd"));
        QVERIFY(passwords.open(QIODevice::WriteOnly));
        passwords.close();
        QCOMPARE(
            QProcess::execute("mosquitto_passwd", {"-b", passwords.fileName(), "home", "right"}),
            0);
        QVERIFY(rig->startBroker("allow_anonymous false\npassword_file " + passwords.fileName()));
        QFile secret(rig->path("secret"));
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.write("wrong\n");
        secret.close();
        rig->bridge().setProcessChannelMode(QProcess::SeparateChannels);
        QVERIFY(rig->startBridge({"--username", "home", "--password-file", secret.fileName()}));
        QVERIFY(rig->bridge().waitForFinished(15000));
        QVERIFY(rig->bridge().exitCode() != 0);
        const QString error = QString::fromUtf8(rig->bridge().readAllStandardError());
        QVERIFY2(error.contains("refused"), qPrintable(error));
        QVERIFY(!error.contains("wrong")); // the password is never shown
    }
};

ARDENTIA_TEST_MAIN(TestBridge)
#include "tst_bridge.moc"
