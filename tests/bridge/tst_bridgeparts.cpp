// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/bridgeoptions.h"
#include "control/configurationimport.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "loopbacksimulator.h"
#include "mqtt/bridgerequests.h"
#include "mqtt/discoveryconfig.h"
#include "mqtt/setpayload.h"
#include "testmain.h"
#include "web/commandpace.h"
#include "web/offloopwork.h"
#include "web/pagerequest.h"
#include "web/pagesession.h"
#include "web/pairingthrottle.h"
#include "web/pendingpictures.h"
#include "web/photocode.h"
#include "web/qrcodesvg.h"
#include "web/uploadedimage.h"
#include "web/webpagetexts.h"

#include "store/recordkeys.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSet>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <ZXing/ReadBarcode.h>

namespace {
// The JPEG with its last scan repeated until it has that many.
QByteArray manyScans(const QByteArray &jpeg, int scans)
{
    const qsizetype last = jpeg.lastIndexOf("\xFF\xDA");
    const QByteArray scan = jpeg.mid(last, jpeg.size() - 2 - last);
    return jpeg.left(jpeg.size() - 2) + scan.repeated(scans - UploadedImage::jpegScans(jpeg)) +
           "\xFF\xD9";
}

// A lossless WebP whose every Huffman code has one symbol: its pixels take
// no bits at all.
QByteArray oneColourWebP(int width, int height)
{
    QByteArray bits;
    int used = 0;
    const auto put = [&](quint32 value, int count) {
        for (int i = 0; i < count; ++i, ++used) {
            if (used % 8 == 0)
                bits.append('\0');
            bits[used / 8] = char(uchar(bits.at(used / 8)) | (((value >> i) & 1) << (used % 8)));
        }
    };
    put(width - 1, 14);
    put(height - 1, 14);
    put(0, 4); // no alpha, version 0
    put(0, 3); // no transform, no colour cache, no meta codes
    for (const quint32 symbol : {0u, 0u, 0u, 255u, 0u}) { // green, red, blue, alpha, distance
        put(1, 1);                                        // a simple code
        put(0, 1);                                        // of one symbol
        put(1, 1);                                        // of eight bits
        put(symbol, 8);
    }
    QByteArray chunk = "\x2F" + bits;
    const auto le32 = [](quint32 n) -> QByteArray {
        return QByteArray(1, char(n)) + char(n >> 8) + char(n >> 16) + char(n >> 24);
    };
    QByteArray body = "WEBPVP8L" + le32(quint32(chunk.size())) + chunk;
    if (chunk.size() % 2)
        body += '\0';
    return "RIFF" + le32(quint32(body.size())) + body;
}
} // namespace

// What the bridge reads from outside: set payloads, its options, the web
// remote's requests and the browser's languages; and what it tells of a
// curtain that the home confirmed a move of.
class TestBridgeParts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void setPayloads_data()
    {
        using Channel = SetPayload::Channel;
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("read"); // "switch 1", "dim 40", "move 2", or "error"
        const int light = int(Channel::Switch), dimmer = int(Channel::Dimmer),
                  curtain = int(Channel::Curtain);
        dataRow("ON", light, QByteArray("ON"), "switch 1");
        dataRow("off, any case, spaces", light, QByteArray(" off\n"), "switch 0");
        dataRow("JSON state", light, QByteArray(R"({"state":"ON"})"), "switch 1");
        dataRow("brightness on a switch", light, QByteArray(R"({"brightness":4})"), "error");
        dataRow("dim", dimmer, QByteArray(R"({"brightness":40})"), "dim 40");
        dataRow("dim to 0", dimmer, QByteArray(R"({"brightness":0})"), "dim 0");
        dataRow("dimmer on: last level", dimmer, QByteArray("ON"), "dim -1");
        dataRow("dimmer off wins over a level", dimmer,
                QByteArray(R"({"state":"OFF","brightness":30})"), "dim 0");
        dataRow("fractional", dimmer, QByteArray(R"({"brightness":4.5})"), "error");
        dataRow("too bright", dimmer, QByteArray(R"({"brightness":101})"), "error");
        dataRow("text brightness", dimmer, QByteArray(R"({"brightness":"4"})"), "error");
        dataRow("state not text", dimmer, QByteArray(R"({"state":1})"), "error");
        dataRow("empty object", dimmer, QByteArray("{}"), "error");
        dataRow("array", dimmer, QByteArray("[1]"), "error");
        dataRow("open", curtain, QByteArray("OPEN"), "move 1");
        dataRow("close JSON", curtain, QByteArray(R"({"state":"CLOSE"})"), "move 0");
        dataRow("stop", curtain, QByteArray("stop"), "move 2");
        dataRow("ON to a curtain", curtain, QByteArray("ON"), "error");
        dataRow("oversized", light, QByteArray(2000, ' ') + "ON", "error");
        // Home Assistant's JSON light: what the home cannot carry out is refused whole.
        dataRow("flash", light, QByteArray(R"({"state":"ON","flash":2})"), "error");
        dataRow("transition", dimmer, QByteArray(R"({"state":"ON","brightness":1,"transition":3})"),
                "error");
        dataRow("flash off", dimmer, QByteArray(R"({"state":"OFF","flash":"short"})"), "error");
        dataRow("a colour", dimmer, QByteArray(R"({"state":"ON","color":{"r":1}})"), "error");
        dataRow("position to a curtain", curtain, QByteArray(R"({"state":"OPEN","position":40})"),
                "error");
    }
    void setPayloads()
    {
        QFETCH(int, channel);
        QFETCH(QByteArray, payload);
        QFETCH(QString, read);
        QString error;
        const auto request = SetPayload::parse(payload, SetPayload::Channel(channel), &error);
        QString got = QStringLiteral("error");
        if (request) {
            using Action = SetPayload::Request::Action;
            switch (request->action) {
            case Action::Switch:
                got = QStringLiteral("switch %1").arg(request->on ? 1 : 0);
                break;
            case Action::Dim:
                got = QStringLiteral("dim %1").arg(request->level);
                break;
            case Action::Move:
                got = QStringLiteral("move ") + request->motion;
                break;
            }
        }
        QCOMPARE(got, read);
        QCOMPARE(error.isEmpty(), bool(request));
    }

    // A channel's topics come from its ID alone: an ID that is no ID (as an
    // old store may hold) gets none, so it can name no other channel's topic.
    void channelTopicsOnlyForIds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("state"); // empty: no topics
        dataRow("a channel", "211300001230", "ardentia/211300001230");
        dataRow("a channel beyond the ninth", "21130000123F16", "ardentia/21130000123F16");
        dataRow("lower case", "2113d000123e", "ardentia/2113d000123e");
        dataRow("another channel's command topic", "211300001230/set", "");
        dataRow("a wildcard", "21130000123+", "");
        dataRow("every topic below", "21130000123#", "");
        dataRow("a blank", "2113 0001230", "");
        dataRow("short", "21130000123", "");
        dataRow("nothing", "", "");
    }
    void channelTopicsOnlyForIds()
    {
        QFETCH(QString, id);
        QFETCH(QString, state);
        const std::optional<ChannelTopics> topics =
            BridgeTopics{"ardentia", "homeassistant"}.forChannel(id);
        QCOMPARE(topics.has_value(), !state.isEmpty());
        if (!topics)
            return;
        QCOMPARE(topics->state, state);
        QCOMPARE(topics->set, state + "/set");
        QCOMPARE(topics->availability, state + "/availability");
        QCOMPARE(topics->uniqueId, "ardentia_" + id);
    }

    // Home Assistant shows the device's name alone: the channel's, or for a
    // channel without one, its model and ID.
    void channelDeviceNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        dataRow("named", "Hall", "S", "Hall");
        dataRow("unnamed switch", "", "S", "Switch controller 211300001230");
        dataRow("unnamed curtain", "", "C", "Curtain controller 211300001230");
    }
    void channelDeviceNames()
    {
        QFETCH(QString, title);
        QFETCH(QString, control);
        QFETCH(QString, shown);
        const QVariantMap device{{Key::id, "211300001230"},
                                 {Key::type, control == "C" ? Value::curtain : Value::lighting},
                                 {Key::control, control},
                                 {Key::mainTotalID, "211300001230"},
                                 {Key::title, title},
                                 {Key::turnOn, Value::no}};
        const BridgeTopics topics{"ardentia", "homeassistant"};
        const QJsonObject config =
            QJsonDocument::fromJson(DiscoveryConfig(topics, "20AA10000001")
                                        .forChannel(device, *topics.forChannel("211300001230"))
                                        .payload)
                .object();
        QCOMPARE(config.value("device").toObject().value("name").toString(), shown);
        QVERIFY(config.value("name").isNull());
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file"); // the INI file's content, if any
        // "host:port base prefix poll connections header-timeout idle-timeout pairing
        // backup-time backup-keep", or the error's start
        QTest::addColumn<QString>("read");
        dataRow("defaults", QStringList{}, "", "localhost:1883 ardentia homeassistant 300");
        dataRow("file", QStringList{}, "host=hub\nport=8883\nbase-topic=home\n",
                "hub:8883 home homeassistant 300");
        dataRow("a flag wins over the file", QStringList{"--port", "1884"}, "port=8883\n",
                "localhost:1884 ardentia homeassistant 300");
        dataRow("bad port", QStringList{"--port", "70000"}, "", "port must be");
        dataRow("wildcard topic", QStringList{"--base-topic", "a/#"}, "", "base-topic");
        dataRow("cert without key", QStringList{"--cert-file", "c.pem"}, "",
                "cert-file and key-file");
        dataRow("no password file", QStringList{"--password-file", "/nonexistent/secret"}, "",
                "cannot read");
        dataRow("unknown flag", QStringList{"--nope"}, "", "Unknown option");
        dataRow("web limits by default", QStringList{}, "",
                "localhost:1883 ardentia homeassistant 300 256 10 60");
        dataRow("web limits", QStringList{"--web-idle-timeout", "5"},
                "web-max-connections=64\nweb-header-timeout=3\n",
                "localhost:1883 ardentia homeassistant 300 64 3 5");
        dataRow("no connections at all", QStringList{"--web-max-connections", "0"}, "",
                "web-max-connections must be");
        dataRow("MQTT pairing on by default", QStringList{}, "",
                "localhost:1883 ardentia homeassistant 300 "
                "256 10 60 pairing on");
        dataRow("MQTT pairing off", QStringList{}, "web-pair-requests=off\n",
                "localhost:1883 ardentia homeassistant 300 "
                "256 10 60 pairing off");
        dataRow("MQTT pairing neither", QStringList{"--web-pair-requests", "no"}, "",
                "web-pair-requests is on or off");
        const QString webDefaults =
            "localhost:1883 ardentia homeassistant 300 256 10 60 pairing on";
        dataRow("backups by default", QStringList{}, "", webDefaults + " 03:30 7");
        dataRow("backups set", QStringList{"--backup-time", "23:05", "--backup-keep", "30"}, "",
                webDefaults + " 23:05 30");
        dataRow("no such backup time", QStringList{"--backup-time", "25:00"}, "", "backup-time");
        dataRow("not a backup time", QStringList{"--backup-time", "3"}, "", "backup-time");
        dataRow("no backup kept", QStringList{"--backup-keep", "0"}, "", "backup-keep must be");
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(QString, read);
        QTemporaryDir dir;
        QStringList all{"ardentia-bridge"};
        if (!file.isEmpty()) {
            QFile ini(dir.filePath("bridge.ini"));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(file.toUtf8());
            ini.close();
            all << "--config" << ini.fileName();
        }
        QString error, help;
        const auto options = BridgeOptions::fromArguments(all + arguments, &error, &help);
        const QString got = options ? QStringLiteral("%1:%2 %3 %4 %5 %6 %7 %8 pairing %9 ")
                                              .arg(options->host)
                                              .arg(options->port)
                                              .arg(options->baseTopic, options->discoveryPrefix)
                                              .arg(options->pollSeconds)
                                              .arg(options->webMaxConnections)
                                              .arg(options->webHeaderTimeoutSeconds)
                                              .arg(options->webIdleTimeoutSeconds)
                                              .arg(options->webPairRequests ? "on" : "off") +
                                          options->backupTime.toString("HH:mm") + ' ' +
                                          QString::number(options->backupKeep)
                                    : error;
        QVERIFY2(got.startsWith(read), qPrintable(got));
    }

    // Failed pairings: one address (an IPv6 network) is stopped after a few;
    // when many add up, every address that failed at all, but never one that
    // did not, such as a phone with the owner's link; each for a minute.
    void pairingGuessesAreThrottled_data()
    {
        QTest::addColumn<QStringList>("failures"); // "ADDRESS*COUNT"
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("refused");
        const QString guesser =
            QStringLiteral("192.168.1.66*%1").arg(PairingThrottle::kMaxFailuresPerAddress);
        QStringList six, many;
        for (int i = 1; i <= 6; ++i)
            six << QStringLiteral("192.168.1.%1*%2")
                       .arg(i)
                       .arg(PairingThrottle::kMaxFailuresPerAddress);
        for (int i = 0; i < PairingThrottle::kMaxFailuresOverall; ++i)
            many << QStringLiteral("10.0.%1.%2*1").arg(i / 200).arg(i % 200);
        dataRow("a guesser", QStringList{guesser}, "192.168.1.66", true);
        dataRow("a guesser's last try", QStringList{"192.168.1.66*4"}, "192.168.1.66", false);
        dataRow("another phone", QStringList{guesser}, "192.168.1.20", false);
        dataRow("six guessers, a phone that never failed", six, "192.168.1.20", false);
        dataRow("six guessers, one of them", six, "192.168.1.3", true);
        dataRow("many guesses, a phone that failed once", many + QStringList{"192.168.1.20*1"},
                "192.168.1.20", true);
        dataRow("a guesser mapped into IPv6", QStringList{guesser}, "::ffff:192.168.1.66", true);
        QStringList network;
        for (int i = 1; i <= PairingThrottle::kMaxFailuresPerAddress; ++i)
            network << QStringLiteral("2001:db8::%1*1").arg(i);
        dataRow("an IPv6 network's other address", network, "2001:db8::99", true);
        dataRow("another IPv6 network", network, "2001:db8:0:1::1", false);
    }
    void pairingGuessesAreThrottled()
    {
        QFETCH(QStringList, failures);
        QFETCH(QString, next);
        QFETCH(bool, refused);
        PairingThrottle throttle;
        for (const QString &failure : std::as_const(failures))
            for (int i = 0; i < failure.section('*', 1).toInt(); ++i)
                throttle.failed(QHostAddress(failure.section('*', 0, 0)), 1000);
        QCOMPARE(throttle.refuses(QHostAddress(next), 1000), refused);
        QVERIFY(!throttle.refuses(QHostAddress(next), 1000 + PairingThrottle::kWindowMs));
    }

    // A device's commands: a burst at once, then one each interval; an
    // import costs as much as several; another device has an allowance of
    // its own, and one whose allowance is whole again is forgotten.
    void commandsArePacedPerDevice()
    {
        CommandPace pace;
        constexpr int interval = CommandPace::kIntervalMs;
        for (int i = 0; i < CommandPace::kBurst; ++i)
            QVERIFY(pace.take("phone", 1, 0));
        QVERIFY(!pace.take("phone", 1, 0));
        QVERIFY(!pace.take("phone", 1, interval - 1));
        QVERIFY(pace.take("phone", 1, interval));
        QVERIFY(!pace.take("phone", 1, interval));
        QVERIFY(pace.take("tablet", CommandPace::kBurst / 2, 0));
        QVERIFY(!pace.take("tablet", CommandPace::kBurst, 0));
        QVERIFY(pace.take("tablet", CommandPace::kBurst / 2, 0));
        QVERIFY(!pace.take("tablet", 1, 0));
        QCOMPARE(pace.deviceCount(), 2);
        QVERIFY(pace.take("laptop", 1, qint64(CommandPace::kBurst + 1) * interval));
        QCOMPARE(pace.deviceCount(), 1);
    }

    void thePasswordComesFromItsFile()
    {
        QTemporaryDir dir;
        QFile secret(dir.filePath("secret"));
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.write("s3cret\nignored\n");
        secret.close();
        QString error, help;
        const auto options = BridgeOptions::fromArguments(
            {"ardentia-bridge", "--password-file", secret.fileName()}, &error, &help);
        QVERIFY(options);
        QCOMPARE(options->password, QStringLiteral("s3cret"));
    }

    // expected: "set ID PAYLOAD", "scenario NUMBER", "sync" or "refused REASON".
    void pageRequests_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("expected");
        dataRow("switch", QByteArray(R"({"type":"set","id":"211300001231","state":"ON"})"),
                R"(set 211300001231 {"state":"ON"})");
        dataRow("dim", QByteArray(R"({"type":"set","id":"212200004560","brightness":35})"),
                R"(set 212200004560 {"brightness":35})");
        dataRow("All Off", QByteArray(R"({"type":"scenario","number":"-2"})"), "scenario -2");
        dataRow("sync", QByteArray(R"({"type":"sync"})"), "sync");
        dataRow("not JSON", QByteArray("ON"), "refused not a request");
        dataRow("an array", QByteArray("[1]"), "refused not a request");
        dataRow("no type", QByteArray(R"({"id":"1"})"), "refused not a request");
        dataRow("unknown type", QByteArray(R"({"type":"launch"})"),
                "refused no such request: launch");
        dataRow("id breaks a line", QByteArray(R"({"type":"set","id":"1,cfg","state":"ON"})"),
                "refused no such channel");
        dataRow("id not text", QByteArray(R"({"type":"set","id":12,"state":"ON"})"),
                "refused no such channel");
        dataRow("id too long",
                QByteArray("{\"type\":\"set\",\"id\":\"" + QByteArray(40, '1') + "\"}"),
                "refused no such channel");
        dataRow("scenario with a line break", QByteArray(R"({"type":"scenario","number":"1\nx"})"),
                "refused no such scenario");
        // The owner's: names travel as sent (their rules are the home's).
        dataRow("rename",
                QByteArray(R"({"type":"rename","id":"211300001231","name":"Hall, upstairs"})"),
                "owner rename 211300001231 Hall, upstairs");
        dataRow("rename without a name", QByteArray(R"({"type":"rename","id":"211300001231"})"),
                "refused a rename carries a name");
        dataRow("rename to a number",
                QByteArray(R"({"type":"rename","id":"211300001231","name":5})"),
                "refused a rename carries a name");
        dataRow("rename to a novel",
                QByteArray(R"({"type":"rename","id":"211300001231","name":")" +
                           QByteArray(300, 'a') + R"("})"),
                "refused a rename carries a name");
        dataRow("remove", QByteArray(R"({"type":"remove","id":"213100007890"})"),
                "owner remove 213100007890");
        dataRow("remove a path", QByteArray(R"({"type":"remove","id":"../x"})"),
                "refused no such device");
        dataRow("detail", QByteArray(R"({"type":"detail","id":"211300001230"})"),
                "owner detail 211300001230");
        dataRow("state asked", QByteArray(R"({"type":"get","id":"212200004560"})"),
                "owner get 212200004560");
        dataRow("state of a path asked", QByteArray(R"({"type":"get","id":"../x"})"),
                "refused no such device");
        dataRow("transmitters", QByteArray(R"({"type":"transmitters"})"), "owner transmitters");
        dataRow("answer", QByteArray(R"({"type":"answer","question":3,"button":0})"),
                "owner answer 3 0");
        dataRow("save a scenario",
                QByteArray(R"({"type":"saveScenario","number":"","name":"Film night",)"
                           R"("image":"icon_choose_small_4.png","members":[{"id":"211300001231",)"
                           R"("state":"ON"},{"id":"212200004560","brightness":35}]})"),
                R"(owner save  Film night icon_choose_small_4.png 211300001231={"state":"ON"} )"
                R"(212200004560={"brightness":35})");
        dataRow("save without members",
                QByteArray(R"({"type":"saveScenario","number":"3","name":"x","image":"y"})"),
                "refused a scenario carries its members");
        dataRow("save a member without an id",
                QByteArray(R"({"type":"saveScenario","number":"3","name":"x","image":"y",)"
                           R"("members":[{"state":"ON"}]})"),
                "refused no such channel");
        dataRow("save under a number with a comma",
                QByteArray(R"({"type":"saveScenario","number":"3,4","name":"x","image":"y",)"
                           R"("members":[]})"),
                "refused no such scenario");
        dataRow("delete a scenario", QByteArray(R"({"type":"deleteScenario","number":"3"})"),
                "owner delete 3 at ");
        dataRow("delete at a revision",
                QByteArray(R"({"type":"deleteScenario","number":"3","revision":"9f86d081"})"),
                "owner delete 3 at 9f86d081");
        dataRow("save at a revision that breaks a line",
                QByteArray(R"({"type":"saveScenario","number":"3","name":"x","image":"y",)"
                           R"("members":[],"revision":"1,2"})"),
                "refused no such revision");
        dataRow("decode", QByteArray(R"({"type":"decode","code":"2112D0007770"})"),
                "owner decode 2112D0007770");
        dataRow("decode a novel",
                QByteArray(R"({"type":"decode","code":")" + QByteArray(100, '2') + R"("})"),
                "refused a code is a short text");
        dataRow("enrol", QByteArray(R"({"type":"enrol","id":"2112D0007770","names":["Desk",""]})"),
                "owner enrol 2112D0007770 Desk|");
        dataRow("enrol with a number for a name",
                QByteArray(R"({"type":"enrol","id":"2112D0007770","names":[5]})"),
                "refused a channel's name is a short text");
        dataRow("answer in words", QByteArray(R"({"type":"answer","question":"3","button":"yes"})"),
                "refused an answer names its question and button");
        // The schedules: listed for every device; changed by an owner's, in
        // the form ScheduleRequests takes (which judges what the schedule says).
        dataRow("schedules", QByteArray(R"({"type":"schedules"})"), "schedules");
        dataRow("a new schedule",
                QByteArray(R"({"type":"saveSchedule","schedule":{"name":"Porch"}})"),
                R"(owner schedule add {"schedule":{"name":"Porch"}})");
        dataRow("a schedule changed", QByteArray(R"({"type":"saveSchedule","id":7,"schedule":{}})"),
                R"(owner schedule edit {"id":7,"schedule":{}})");
        dataRow("a schedule that is no object",
                QByteArray(R"({"type":"saveSchedule","schedule":"Porch at 7"})"),
                "refused a schedule's saving carries the schedule");
        dataRow("switched off", QByteArray(R"({"type":"switchSchedule","id":3,"on":false})"),
                R"(owner schedule off {"id":3})");
        dataRow("switched on in words",
                QByteArray(R"({"type":"switchSchedule","id":3,"on":"yes"})"),
                "refused a schedule is switched on or off");
        dataRow("deleted", QByteArray(R"({"type":"deleteSchedule","id":3})"),
                R"(owner schedule remove {"id":3})");
        dataRow("deleted by a name", QByteArray(R"({"type":"deleteSchedule","id":"3"})"),
                "refused no such schedule");
        dataRow("deleted without an id", QByteArray(R"({"type":"deleteSchedule"})"),
                "refused no such schedule");
        dataRow("an id of zero for a stored one",
                QByteArray(R"({"type":"switchSchedule","id":0,"on":true})"),
                "refused no such schedule");
        dataRow("a fractional id", QByteArray(R"({"type":"deleteSchedule","id":2.5})"),
                "refused no such schedule");
        dataRow("a huge id", QByteArray(R"({"type":"saveSchedule","id":1e300,"schedule":{}})"),
                "refused no such schedule");
        dataRow("a negative id", QByteArray(R"({"type":"saveSchedule","id":-4,"schedule":{}})"),
                "refused no such schedule");
        dataRow("the location",
                QByteArray(R"({"type":"setLocation","latitude":52.5,"longitude":-13.25})"),
                R"(owner schedule location {"latitude":52.5,"longitude":-13.25})");
        dataRow("the location in words",
                QByteArray(R"({"type":"setLocation","latitude":"52N","longitude":13})"),
                "refused a location is a latitude and a longitude in degrees");
    }
    void pageRequests()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, expected);
        const PageRequest::Request request = PageRequest::parse(message);
        QString got;
        if (const auto *set = std::get_if<PageRequest::Set>(&request))
            got = "set " + set->id + ' ' + QString::fromUtf8(set->payload);
        else if (const auto *scenario = std::get_if<PageRequest::Scenario>(&request))
            got = "scenario " + scenario->number;
        else if (std::holds_alternative<PageRequest::Sync>(request))
            got = "sync";
        else if (const auto *refused = std::get_if<PageRequest::Refused>(&request))
            got = "refused " + refused->reason;
        else if (const auto *rename = std::get_if<PageRequest::Rename>(&request))
            got = "owner rename " + rename->id + ' ' + rename->name;
        else if (const auto *remove = std::get_if<PageRequest::Remove>(&request))
            got = "owner remove " + remove->id;
        else if (const auto *detail = std::get_if<PageRequest::Detail>(&request))
            got = "owner detail " + detail->id;
        else if (const auto *query = std::get_if<PageRequest::QueryState>(&request))
            got = "owner get " + query->id;
        else if (const auto *answer = std::get_if<PageRequest::Answer>(&request))
            got = QStringLiteral("owner answer %1 %2").arg(answer->question).arg(answer->button);
        else if (std::holds_alternative<PageRequest::Transmitters>(request))
            got = "owner transmitters";
        else if (const auto *decode = std::get_if<PageRequest::Decode>(&request))
            got = "owner decode " + decode->code;
        else if (const auto *enrol = std::get_if<PageRequest::Enrol>(&request))
            got = "owner enrol " + enrol->id + ' ' + enrol->names.join('|');
        else if (const auto *deletion = std::get_if<PageRequest::DeleteScenario>(&request))
            got = "owner delete " + deletion->number + " at " + deletion->revision;
        else if (std::holds_alternative<PageRequest::Schedules>(request))
            got = "schedules";
        else if (const auto *change = std::get_if<PageRequest::ChangeSchedule>(&request))
            got = "owner schedule " + change->verb + ' ' +
                  QString::fromUtf8(QJsonDocument(change->body).toJson(QJsonDocument::Compact));
        else if (const auto *save = std::get_if<PageRequest::SaveScenario>(&request)) {
            got = QStringLiteral("owner save %1 %2 %3").arg(save->number, save->name, save->image);
            for (const PageRequest::SaveScenario::Member &member : save->members)
                got += ' ' + member.id + '=' + QString::fromUtf8(member.payload);
        }
        QCOMPARE(got, expected);
        // Exactly the owner's requests need an owner's device.
        QCOMPARE(PageRequest::needsOwner(request), got.startsWith("owner "));
    }

    // Each page's flows tell that page alone, and only while it is open; its
    // question is answered once, by its own number. Steps: "A asks"/"B asks"
    // a question through a caller of that page, "A answers N", "A reports",
    // "A closes"; then what each page heard and which questions were
    // answered (a page's and its nth question).
    void eachPageHearsItsOwnFlows_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("heardA");
        QTest::addColumn<QStringList>("heardB");
        QTest::addColumn<QStringList>("answered");
        dataRow("two pages, two questions",
                QStringList{"A asks", "B asks", "B answers 1", "A answers 1"},
                QStringList{"question 1"}, QStringList{"question 1"}, QStringList{"B1", "A1"});
        dataRow("a stale or repeated answer is refused",
                QStringList{"A asks", "A asks", "A answers 1", "A answers 2", "A answers 2"},
                QStringList{"question 1", "question 2"}, QStringList{}, QStringList{"A2"});
        dataRow("an outcome reaches its own page", QStringList{"A reports"}, QStringList{"toast"},
                QStringList{}, QStringList{});
        dataRow("a closed page hears nothing and is asked nothing",
                QStringList{"A closes", "A asks", "A reports"}, QStringList{}, QStringList{},
                QStringList{});
    }
    void eachPageHearsItsOwnFlows()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, heardA);
        QFETCH(QStringList, heardB);
        QFETCH(QStringList, answered);
        QHash<QChar, QStringList> heard;
        QStringList taken;
        QHash<QChar, int> asked;
        const auto session = [&heard](QChar name) {
            return std::make_shared<PageSession>(
                [&heard, name](const QJsonObject &m) {
                    heard[name].append(m.value("type").toString() +
                                       (m.contains("question")
                                            ? ' ' + QString::number(m.value("question").toInt())
                                            : QString()));
                },
                QStringLiteral("en"));
        };
        QHash<QChar, std::shared_ptr<PageSession>> pages{{'A', session('A')}, {'B', session('B')}};
        // Callers outlive their pages, as a flow's operations do.
        const QHash<QChar, std::shared_ptr<FlowCaller>> callers{{'A', pages['A']->caller()},
                                                                {'B', pages['B']->caller()}};
        for (const QString &step : steps) {
            const QChar name = step.at(0);
            if (step.endsWith("asks"))
                callers[name]->ask("Force?", {"Force", "Cancel"},
                                   [&taken, label = QString(name + QString::number(++asked[name]))](
                                       int) { taken.append(label); });
            else if (step.endsWith("reports"))
                callers[name]->report(FlowOutcome::done("Modify successfully"));
            else if (step.endsWith("closes"))
                pages.remove(name);
            else
                pages[name]->answer(step.section(' ', 2).toInt(), 0);
        }
        QCOMPARE(heard.value('A'), heardA);
        QCOMPARE(heard.value('B'), heardB);
        QCOMPARE(taken, answered);
    }

    // A pairing link asked for over MQTT: a family member's device only; an
    // owner's, any other role, or any link while switched off is refused,
    // and no link is made.
    void mqttPairingRoles_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("off");
        QTest::addColumn<QString>("made"); // the role of the link made, or "" for none
        dataRow("no role", QByteArray(R"({"reply_to":"hub"})"), false, "family");
        dataRow("family", QByteArray(R"({"reply_to":"hub","role":"family"})"), false, "family");
        dataRow("owner", QByteArray(R"({"reply_to":"hub","role":"owner"})"), false, "");
        dataRow("unknown role", QByteArray(R"({"reply_to":"hub","role":"root"})"), false, "");
        dataRow("role not text", QByteArray(R"({"reply_to":"hub","role":1})"), false, "");
        dataRow("switched off", QByteArray(R"({"reply_to":"hub"})"), true, "");
    }
    void mqttPairingRoles()
    {
        QFETCH(QByteArray, request);
        QFETCH(bool, off);
        QFETCH(QString, made);
        FreshProgram program; // the requests follow the channel and the import
        QList<QPair<QString, QByteArray>> published;
        BridgeRequests requests(
            program.services(), BridgeTopics{"ardentia", "homeassistant"},
            [&published](const QString &topic, const QByteArray &payload) {
                published.append({topic, payload});
            },
            [] { return QVariantMap(); });
        bool linkMade = false;
        requests.setWebPairing([&linkMade](const QString &, QString *) {
            linkMade = true;
            return std::optional<QString>("http://127.0.0.1:8080/pair?code=ABC");
        });
        if (off)
            requests.switchOffWebPairing();
        requests.handle("web/pair", request);
        QCOMPARE(linkMade, !made.isEmpty());
        QCOMPARE(published.size(), 1);
        QCOMPARE(published.constFirst().first,
                 off ? QStringLiteral("ardentia/bridge/response/web/pair")
                     : QStringLiteral("ardentia/bridge/response/web/pair/hub"));
        const QJsonObject answer = QJsonDocument::fromJson(published.constFirst().second).object();
        QCOMPARE(answer.value("data").toObject().value("role").toString(), made);
        QCOMPARE(answer.contains("error"), made.isEmpty());
    }

    // A rename asked over MQTT is answered by its own flow's outcome: the
    // name the home took, or why it did not; the feedback service hears nothing.
    void mqttRenameIsAnsweredByTheHome_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("said"); // the name taken, or the error
        dataRow("taken", "", "ok", "Front door");
        dataRow("refused", "lig:15:*=code:1", "error",
                "the master did not take the name (refused_1)");
    }
    void mqttRenameIsAnsweredByTheHome()
    {
        QFETCH(QString, fault);
        QFETCH(QString, status);
        QFETCH(QString, said);
        FreshProgram program(FreshProgram::Home::Empty);
        const std::unique_ptr<TransmitterServer> simulator =
            startLoopbackSimulator(SimulatedHome::demo());
        QVERIFY(simulator);
        QString error;
        if (const std::optional<FaultRule> rule = FaultRule::parse(fault, &error); rule)
            simulator->faults().add(*rule);
        storeDemoMaster();
        QVERIFY(ConfigurationImport(program.services())
                    .rebuildStoreFrom(QString::fromUtf8(simulator->home().configurationText())));
        QList<QByteArray> answers;
        BridgeRequests requests(
            program.services(), BridgeTopics{"ardentia", "homeassistant"},
            [&answers](const QString &, const QByteArray &payload) { answers.append(payload); },
            [] { return QVariantMap(); });
        QSignalSpy toasts(ShowAlertManager::instance(), &ShowAlertManager::toastShown);
        requests.handle("device/rename",
                        R"({"id":"211300001232","name":"Front door","transaction":7})");
        QTRY_COMPARE(answers.size(), 1);
        const QJsonObject answer = QJsonDocument::fromJson(answers.constFirst()).object();
        QCOMPARE(answer.value("status").toString(), status);
        QCOMPARE(answer.value("transaction").toInt(), 7);
        QCOMPARE(status == "ok" ? answer.value("data").toObject().value("name").toString()
                                : answer.value("error").toString(),
                 said);
        QCOMPARE(toasts.size(), 0);
    }

    // A photo as a page sends it: only JPEG, PNG or WebP by its own bytes, of
    // a bounded size, its code read as the scanner reads one.
    void photosOfCodes_data()
    {
        const auto picture = [](const QByteArray &svg, QSize size) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::white);
            if (!svg.isEmpty()) {
                QPainter painter(&image);
                QSvgRenderer(svg).render(&painter, QRectF(20, 20, 260, 260));
            }
            return image;
        };
        const auto encoded = [](const QImage &image, const char *format) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, format);
            return bytes;
        };
        const QImage code = picture(qrCodeSvg("213100007890"), {300, 300});
        QTest::addColumn<QByteArray>("photo");
        QTest::addColumn<QString>("expected"); // the text read, or "refused CODE"
        dataRow("PNG", encoded(code, "PNG"), "213100007890");
        dataRow("JPEG", encoded(code, "JPEG"), "213100007890");
        if (QImageWriter::supportedImageFormats().contains("webp"))
            dataRow("WebP", encoded(code, "WEBP"), "213100007890");
        dataRow("a large photo, read smaller", encoded(code.scaled(4000, 4000), "JPEG"),
                "213100007890");
        dataRow("no code", encoded(picture({}, {300, 300}), "PNG"), "refused noCode");
        dataRow("text", QByteArray("2131000078900"), "refused notAnImage");
        dataRow("an SVG", qrCodeSvg("213100007890"), "refused notAnImage");
        dataRow("a GIF", encoded(code, "GIF"), "refused notAnImage");
        dataRow("a PNG's head only", encoded(code, "PNG").left(40), "refused notAnImage");
        // A header that claims 100000 x 100000 pixels: refused before any is decoded.
        QByteArray bomb = encoded(picture({}, {16, 16}), "PNG");
        bomb.replace(16, 8, QByteArray::fromHex("000186a0000186a0"));
        dataRow("a claimed 10-gigapixel PNG", bomb, "refused notAnImage");
        // 5000 x 4000: a JPEG of it is read (made smaller as it is decoded), a PNG is not decoded.
        QByteArray twentyMegapixels = encoded(picture({}, {16, 16}), "PNG");
        twentyMegapixels.replace(16, 8, QByteArray::fromHex("0000138800000fa0"));
        dataRow("a 20-megapixel PNG", twentyMegapixels, "refused notAnImage");
        const auto progressive = [](const QImage &image) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "JPEG");
            writer.setProgressiveScanWrite(true);
            writer.write(image);
            return bytes;
        };
        dataRow("a progressive JPEG", progressive(code), "213100007890");
        // A progressive JPEG is held whole while it is decoded, however small it is
        // read: one whose frame claims 7000 x 7000 pixels is refused before it is.
        QByteArray progressiveBomb = progressive(picture({}, {16, 16}));
        progressiveBomb.replace(progressiveBomb.indexOf("\xFF\xC2") + 5, 4,
                                QByteArray::fromHex("1b581b58"));
        dataRow("a claimed 49-megapixel progressive JPEG", progressiveBomb, "refused notAnImage");
        // Each scan is a pass over every coefficient: one repeated past any
        // encoder's count is refused before the first.
        dataRow("a progressive JPEG of many scans",
                manyScans(progressive(code), UploadedImage::kMaxJpegScans + 1),
                "refused notAnImage");
        // A lossless WebP of one colour is a few bytes however large it says
        // it is; it is decoded whole, so it is bounded as a PNG is.
        dataRow("a WebP of a few bytes, 5600 x 5600", oneColourWebP(5600, 5600),
                "refused notAnImage");
        dataRow("a one-colour WebP", oneColourWebP(300, 300), "refused noCode");
        dataRow("over 8 MB", encoded(code, "PNG") + QByteArray(UploadedImage::kMaxBytes, '\0'),
                "refused photoTooLarge");
    }
    void photosOfCodes()
    {
        QFETCH(QByteArray, photo);
        QFETCH(QString, expected);
        // Nothing is read past its deadline.
        QVERIFY(
            std::holds_alternative<UploadedImage::Refused>(UploadedImage::decode(photo, 100, 0)));
        const std::variant<PhotoCode::Read, PhotoCode::Refused> read = PhotoCode::read(photo);
        if (const auto *text = std::get_if<PhotoCode::Read>(&read))
            QCOMPARE(text->text, expected);
        else
            QCOMPARE("refused " + std::get<PhotoCode::Refused>(read).code, expected);
    }

    // A decode still running at its deadline reads no more and is refused,
    // long before it would have ended.
    void aDecodeEndsAtItsDeadline()
    {
        QImage gradient(3000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < gradient.height(); ++y)
            for (int x = 0; x < gradient.width(); ++x)
                gradient.setPixel(x, y, qRgb(x % 251, y % 241, (x * y) % 239));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(gradient.save(&buffer, "PNG"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(std::holds_alternative<QImage>(UploadedImage::decode(png, 480)));
        const qint64 whole = clock.restart();
        QVERIFY(std::holds_alternative<UploadedImage::Refused>(
            UploadedImage::decode(png, 480, int(whole / 5))));
        const qint64 cut = clock.elapsed();
        qInfo("a %lld-byte PNG: decoded in %lld ms, cut at %lld ms", qlonglong(png.size()), whole,
              cut);
        QVERIFY2(cut < whole / 2, qPrintable(QString::number(cut)));
    }

    // Work started off the loop leaves the loop running, takes no second
    // piece meanwhile, and what follows from it runs back on the loop.
    void workRunsOffTheLoop()
    {
        OffLoopWork work;
        QSemaphore release;
        QThread *ranOn = nullptr;
        QThread *thenOn = nullptr;
        QVERIFY(work.start([&] {
            ranOn = QThread::currentThread();
            release.acquire();
            return OffLoopWork::Then([&thenOn] { thenOn = QThread::currentThread(); });
        }));
        QVERIFY(!work.start([] { return OffLoopWork::Then(); }));
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
        timer.start(5);
        QTRY_VERIFY(ticks >= 3); // the loop runs while the work waits
        QVERIFY(work.isBusy());
        release.release();
        QTRY_VERIFY(thenOn);
        QCOMPARE(thenOn, QThread::currentThread());
        QVERIFY(ranOn != QThread::currentThread());
        QVERIFY(!work.isBusy());
        QVERIFY(work.start([] { return OffLoopWork::Then(); }));
    }

    // Sent scenario photos: only the last few held, each taken once, as a
    // PNG no larger than a scenario's picture is shown.
    void pendingPicturesAreFewAndTakenOnce()
    {
        PendingPictures pictures;
        QImage photo(PendingPictures::kSide, PendingPictures::kSide / 2, QImage::Format_RGB32);
        photo.fill(Qt::darkRed);
        QStringList names;
        for (qsizetype i = 0; i <= PendingPictures::kKept; ++i)
            names.append(pictures.add(photo));
        QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), names.size());
        QVERIFY(!pictures.holds(names.first())); // the oldest let go
        const std::optional<QByteArray> png = pictures.take(names.last());
        QVERIFY(png);
        QCOMPARE(QImage::fromData(*png, "PNG").size(), photo.size());
        QVERIFY(!pictures.take(names.last()));
        QVERIFY(pictures.holds(names.at(1)));
        QVERIFY(!pictures.holds(QStringLiteral("../web-access.json")));
    }

    // A unit's QR code as the page shows it reads back as its ID alone.
    void theDetailCodeReadsBack_data()
    {
        QTest::addColumn<QString>("id");
        dataRow("transmitter", "211300001230");
        dataRow("channel", "212200004560");
    }
    void theDetailCodeReadsBack()
    {
        QFETCH(QString, id);
        const QByteArray svg = qrCodeSvg(id);
        QVERIFY(svg.startsWith("<svg"));
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QImage picture(300, 300, QImage::Format_Grayscale8);
        picture.fill(Qt::gray); // the page's own background shows nowhere inside
        QPainter painter(&picture);
        renderer.render(&painter);
        painter.end();
        const ZXing::Result read = ZXing::ReadBarcode(
            ZXing::ImageView(picture.constBits(), picture.width(), picture.height(),
                             ZXing::ImageFormat::Lum, int(picture.bytesPerLine())));
        QVERIFY(read.isValid());
        QCOMPARE(QString::fromStdWString(read.text()), id);
    }

    void theBrowsersLanguage_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("language");
        dataRow("none", QByteArray(), "en");
        dataRow("Chinese", QByteArray("zh-CN,zh;q=0.9,en;q=0.8"), "zh_CN");
        dataRow("Taiwan", QByteArray("zh-TW"), "zh_CN");
        dataRow("English first", QByteArray("en-GB,zh;q=0.5"), "en");
        dataRow("by weight", QByteArray("en;q=0.3, zh;q=0.7"), "zh_CN");
        dataRow("neither, then Chinese", QByteArray("fr-FR, de;q=0.9, zh;q=0.2"), "zh_CN");
        dataRow("Chinese refused", QByteArray("zh;q=0, fr"), "en");
        dataRow("garbage", QByteArray(";;,q=,"), "en");
    }
    void theBrowsersLanguage()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, language);
        QCOMPARE(WebPageTexts::languageFor(header), language);
    }

    // Every key has its text in both languages, and a page gets them escaped.
    void thePagesTexts()
    {
        const QJsonObject english = WebPageTexts::texts("en"),
                          chinese = WebPageTexts::texts("zh_CN");
        QCOMPARE(english.value("lighting").toString(), QStringLiteral("Lighting"));
        QCOMPARE(chinese.value("lighting").toString(), QStringLiteral("灯光"));
        QCOMPARE(chinese.keys(), english.keys());
        // Translated, not fallen back to English ("ID" and the units of size are both).
        const QStringList same{"idLabel", "kilobytes", "megabytes"};
        for (const QString &key : english.keys())
            QVERIFY2(chinese.value(key) != english.value(key) || same.contains(key),
                     qPrintable(key));
        const QString page = QString::fromUtf8(
            WebPageTexts::render("<html lang=\"{{lang}}\" data-t=\"{{texts}}\">{{notPaired}} "
                                 "{{unknownKey}}</html>",
                                 "zh_CN"));
        QVERIFY(page.startsWith("<html lang=\"zh-CN\" data-t=\"{&quot;"));
        QVERIFY(page.contains(QStringLiteral("请先配对此设备")));
        QVERIFY(page.contains("{{unknownKey}}"));
        QVERIFY(!page.contains("data-t=\"{\""));
    }
};

ARDENTIA_TEST_MAIN(TestBridgeParts)
#include "tst_bridgeparts.moc"
