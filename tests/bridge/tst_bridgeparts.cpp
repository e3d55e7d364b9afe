#include "bridgeoptions.h"
#include "setpayload.h"
#include "testmain.h"

#include <QTemporaryDir>

// What the bridge reads from outside: set payloads and its options.
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
        QTest::newRow("ON") << light << QByteArray("ON") << "switch 1";
        QTest::newRow("off, any case, spaces") << light << QByteArray(" off\n") << "switch 0";
        QTest::newRow("JSON state") << light << QByteArray(R"({"state":"ON"})") << "switch 1";
        QTest::newRow("brightness on a switch")
            << light << QByteArray(R"({"brightness":4})") << "error";
        QTest::newRow("dim") << dimmer << QByteArray(R"({"brightness":40})") << "dim 40";
        QTest::newRow("dim to 0") << dimmer << QByteArray(R"({"brightness":0})") << "dim 0";
        QTest::newRow("dimmer on: last level") << dimmer << QByteArray("ON") << "dim -1";
        QTest::newRow("dimmer off wins over a level")
            << dimmer << QByteArray(R"({"state":"OFF","brightness":30})") << "dim 0";
        QTest::newRow("fractional") << dimmer << QByteArray(R"({"brightness":4.5})") << "error";
        QTest::newRow("too bright") << dimmer << QByteArray(R"({"brightness":101})") << "error";
        QTest::newRow("text brightness")
            << dimmer << QByteArray(R"({"brightness":"4"})") << "error";
        QTest::newRow("state not text") << dimmer << QByteArray(R"({"state":1})") << "error";
        QTest::newRow("empty object") << dimmer << QByteArray("{}") << "error";
        QTest::newRow("array") << dimmer << QByteArray("[1]") << "error";
        QTest::newRow("open") << curtain << QByteArray("OPEN") << "move 1";
        QTest::newRow("close JSON") << curtain << QByteArray(R"({"state":"CLOSE"})") << "move 0";
        QTest::newRow("stop") << curtain << QByteArray("stop") << "move 2";
        QTest::newRow("ON to a curtain") << curtain << QByteArray("ON") << "error";
        QTest::newRow("oversized") << light << QByteArray(2000, ' ') + "ON"
                                   << "error";
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

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file"); // the INI file's content, if any
        QTest::addColumn<QString>("read"); // "host:port base prefix poll" or the error's start
        QTest::newRow("defaults") << QStringList{} << ""
                                  << "localhost:1883 ardentia homeassistant 300";
        QTest::newRow("file") << QStringList{} << "host=hub\nport=8883\nbase-topic=home\n"
                              << "hub:8883 home homeassistant 300";
        QTest::newRow("a flag wins over the file") << QStringList{"--port", "1884"} << "port=8883\n"
                                                   << "localhost:1884 ardentia homeassistant 300";
        QTest::newRow("bad port") << QStringList{"--port", "70000"} << ""
                                  << "port must be";
        QTest::newRow("wildcard topic") << QStringList{"--base-topic", "a/#"} << ""
                                        << "base-topic";
        QTest::newRow("cert without key") << QStringList{"--cert-file", "c.pem"} << ""
                                          << "cert-file and key-file";
        QTest::newRow("no password file")
            << QStringList{"--password-file", "/nonexistent/secret"} << ""
            << "cannot read";
        QTest::newRow("unknown flag") << QStringList{"--nope"} << ""
                                      << "Unknown option";
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
        const QString got = options ? QStringLiteral("%1:%2 %3 %4 %5")
                                          .arg(options->host)
                                          .arg(options->port)
                                          .arg(options->baseTopic, options->discoveryPrefix)
                                          .arg(options->pollSeconds)
                                    : error;
        QVERIFY2(got.startsWith(read), qPrintable(got));
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
};

ARDENTIA_TEST_MAIN(TestBridgeParts)
#include "tst_bridgeparts.moc"
