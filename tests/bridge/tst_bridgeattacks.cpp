// SPDX-License-Identifier: GPL-3.0-or-later
#include "access/webaccess.h"
#include "bridge/openfilelimit.h"
#include "brokerrig.h"
#include "datarow.h"
#include "testmain.h"
#include "web/connectionbytelimit.h"
#include "web/connectionlimits.h"
#include "web/uploadedimage.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpSocket>

#include <sys/resource.h>

#include <memory>
#include <vector>

// ardentia-bridge attacked as someone on the home network would, everything
// on loopback and every attack bounded in count and time: what one
// connection may make the bridge hold, how many it keeps open and for how
// long, and that a paired phone and MQTT are still served meanwhile.
namespace {
constexpr int kHeaderTimeoutSeconds = 2;
constexpr int kIdleTimeoutSeconds = 4;
constexpr qint64 kMemoryBudgetKb = 50 * 1024;

// A line of /proc/PID/status, in kB (VmRSS, VmHWM).
qint64 statusKb(qint64 pid, const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(QByteArray(field + ':')))
            return line.mid(field.size() + 1).trimmed().split(' ').constFirst().toLongLong();
    return -1;
}

int openFiles(qint64 pid)
{
    return int(QDir(QStringLiteral("/proc/%1/fd").arg(pid)).entryList(QDir::Files).size());
}

// The "Max open files" soft and hard limits of /proc/PID/limits.
QList<QByteArray> openFileLimits(qint64 pid)
{
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    if (!limits.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : limits.readAll().split('\n'))
        if (line.startsWith("Max open files"))
            return line.mid(14).simplified().split(' ').mid(0, 2);
    return {};
}

int statusOf(const QByteArray &answer)
{
    return answer.startsWith("HTTP/1.1 ") ? answer.mid(9, 3).toInt() : 0;
}

// Sends everything and waits while the connection lasts, for at most the time.
void sendAll(QTcpSocket &socket, const QByteArray &bytes)
{
    socket.write(bytes);
    while (socket.bytesToWrite() > 0 && socket.state() == QAbstractSocket::ConnectedState)
        socket.waitForBytesWritten(1000);
}
} // namespace

class TestBridgeAttacks : public QObject {
    Q_OBJECT

    std::unique_ptr<BrokerRig> rig;
    quint16 webPort = 0;
    QString token; // a paired phone's
    // The channel a retained command was left for before the bridge started.
    const QString kPlanted = QStringLiteral("211300001232");
    bool plantedWasOn = false;

    qint64 pid() const { return rig->bridge().processId(); }

    std::unique_ptr<QTcpSocket> connection(const QHostAddress &from = {})
    {
        auto socket = std::make_unique<QTcpSocket>();
        if (!from.isNull() && !socket->bind(from))
            return nullptr;
        socket->connectToHost(QHostAddress::LocalHost, webPort);
        return socket->waitForConnected(5000) ? std::move(socket) : nullptr;
    }

    // A whole request on a connection of its own; its answer (empty when none came).
    QByteArray exchange(const QByteArray &request, int timeoutMs = 5000,
                        const QHostAddress &from = {})
    {
        const auto socket = connection(from);
        if (!socket)
            return {};
        socket->write(request);
        QByteArray answer;
        (void)QTest::qWaitFor(
            [&] {
                answer += socket->readAll();
                return answer.contains("\r\n\r\n") ||
                       socket->state() != QAbstractSocket::ConnectedState;
            },
            timeoutMs);
        return answer;
    }

    // A paired device's token, from a link of that role.
    QByteArray pairedToken(WebAccess::Role role)
    {
        const QString code = *WebAccess(rig->path("data/web-access.json"))
                                  .newPairingCode(QDateTime::currentDateTimeUtc(), nullptr, role);
        const QByteArray paired =
            exchange("GET /pair?code=" + code.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        const qsizetype start = paired.indexOf("ardentia_token=") + 15;
        return paired.mid(start, paired.indexOf(';', start) - start);
    }

    // The opening of a page's WebSocket, from the page's own origin.
    QByteArray pageHandshake(const QByteArray &device) const
    {
        const QByteArray host = "127.0.0.1:" + QByteArray::number(webPort);
        return "GET / HTTP/1.1\r\nHost: " + host +
               "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
               "Origin: http://" +
               host + "\r\nCookie: ardentia_token=" + device + "\r\n\r\n";
    }

    QByteArray get(const QByteArray &path, bool paired)
    {
        return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
               (paired ? "Cookie: ardentia_token=" + token.toLatin1() + "\r\n" : QByteArray()) +
               "\r\n";
    }

    // Connections that each open so and then send the chunk over and over
    // (bytesEach at most, for 8 s at most): each is cut off, and the bridge's
    // memory stays within budget.
    void attackHoldsBoundedBytes(const QByteArray &opening, const QByteArray &chunk,
                                 int connections, qint64 bytesEach, const QString &why)
    {
        const int cutsBefore = rig->bridgeLogCount(why);
        const qint64 before = statusKb(pid(), "VmRSS");
        qint64 peak = before;
        int cutOff = 0;
        for (int c = 0; c < connections; ++c) {
            QTcpSocket attacker;
            // A reader that takes almost nothing: the answers stay with the bridge.
            attacker.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
            attacker.connectToHost(QHostAddress::LocalHost, webPort);
            QVERIFY(attacker.waitForConnected(5000));
            sendAll(attacker, opening);
            if (opening.contains("Upgrade: websocket\r\nConnection: Upgrade")) // a page: once open
                QVERIFY(QTest::qWaitFor([&] { return attacker.peek(4096).contains(" 101 "); }));
            QElapsedTimer clock;
            clock.start();
            for (qint64 sent = opening.size();
                 sent + chunk.size() <= bytesEach &&
                 attacker.state() == QAbstractSocket::ConnectedState && clock.elapsed() < 8000;
                 sent += chunk.size())
                sendAll(attacker, chunk);
            // A busy machine's bridge may still be answering what was sent.
            (void)QTest::qWaitFor(
                [&] { return attacker.state() != QAbstractSocket::ConnectedState; }, 15000);
            peak = std::max(peak, statusKb(pid(), "VmRSS"));
            cutOff += attacker.state() != QAbstractSocket::ConnectedState ? 1 : 0;
        }
        qInfo("memory: %lld kB before, %lld kB at the peak; %d of %d connections cut off", before,
              peak, cutOff, connections);
        QCOMPARE(cutOff, connections);
        // Cut off by the limit under test, not by a deadline that came meanwhile.
        QVERIFY2(rig->waitForBridgeLog(why, 10000, cutsBefore + connections), qPrintable(why));
        QVERIFY2(peak - before < kMemoryBudgetKb, qPrintable(QString::number(peak - before)));
        QCOMPARE(statusOf(exchange(get("/", true))), 200); // and the remote serves on
    }

private Q_SLOTS:
    void initTestCase()
    {
        raiseOpenFileLimit(); // the test's own side of a thousand connections
        rig = std::make_unique<BrokerRig>();
        QVERIFY(rig->startBroker());
        QVERIFY(rig->startSimulator());
        QVERIFY(rig->enrolDemoHome());
        QVERIFY(rig->watch());
        webPort = BrokerRig::freePort();
        // Started as a service would be, with the usual soft limit of open files.
        rig->bridge().setChildProcessModifier([] {
            rlimit limit{};
            getrlimit(RLIMIT_NOFILE, &limit);
            limit.rlim_cur = std::min<rlim_t>(1024, limit.rlim_max);
            setrlimit(RLIMIT_NOFILE, &limit);
        });
        // Memory freed is memory again, also under the sanitizer (whose
        // quarantine would otherwise count every freed answer as held).
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString sanitizer = environment.value("ASAN_OPTIONS");
        environment.insert("ASAN_OPTIONS",
                           QStringList{sanitizer, "quarantine_size_mb=1"}.join(':'));
        rig->bridge().setProcessEnvironment(environment);
        // A command someone left on the broker before the bridge came.
        plantedWasOn = rig->simulatedChannel(kPlanted).value("on").toBool();
        rig->publish("ardentia/" + kPlanted + "/set", plantedWasOn ? "OFF" : "ON", true);
        QVERIFY(rig->startBridge({"--web-listen", QStringLiteral("127.0.0.1:%1").arg(webPort),
                                  "--web-header-timeout", QString::number(kHeaderTimeoutSeconds),
                                  "--web-idle-timeout", QString::number(kIdleTimeoutSeconds)}));
        QVERIFY(rig->waitFor("ardentia/bridge/state",
                             [](const QByteArray &p) { return p.contains("online"); }) >= 0);
        const QString code = *WebAccess(rig->path("data/web-access.json")).newPairingCode();
        const QByteArray paired =
            exchange("GET /pair?code=" + code.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QCOMPARE(statusOf(paired), 303);
        const qsizetype start = paired.indexOf("ardentia_token=") + 15;
        token = QString::fromLatin1(paired.mid(start, paired.indexOf(';', start) - start));
        QCOMPARE(statusOf(exchange(get("/", true))), 200);
    }
    void cleanupTestCase() { rig.reset(); }

    // A retained command is somebody's past (or a stranger's planted) word:
    // the bridge that subscribes after it does not obey it.
    void aRetainedCommandIsNotObeyed()
    {
        QVERIFY(rig->waitForBridgeLog("ignored a retained command on ardentia/" + kPlanted));
        QCOMPARE(rig->simulatedChannel(kPlanted).value("on").toBool(), plantedWasOn);
        rig->publish("ardentia/" + kPlanted + "/set", {}, true);
    }

    void theOpenFileLimitIsRaisedToItsHardLimit()
    {
        const QList<QByteArray> limits = openFileLimits(pid());
        QCOMPARE(limits.size(), 2);
        QCOMPARE(limits.at(0), limits.at(1));
    }

    // Unpaired: a body declared huge, plainly or after a request that only
    // names an upgrade; and paired: answers requested and never read. The
    // bridge cuts each connection off and its memory stays within budget.
    void oneConnectionHoldsBoundedBytes_data()
    {
        QTest::addColumn<QByteArray>("opening");
        QTest::addColumn<QByteArray>("repeated");
        QTest::addColumn<int>("connections");
        QTest::addColumn<qint64>("bytesEach"); // sent on each connection at most
        QTest::addColumn<QString>("why");      // the bridge's log of each cut
        const QByteArray post = "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: "
                                "4000000000\r\n\r\n";
        const QString overLimit = "cut off: a request over the size limit";
        dataRow("huge body", post, QByteArray(64 * 1024, 'x'), 1, qint64(200) * 1024 * 1024,
                overLimit);
        dataRow("upgrade named, then a huge body",
                "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n\r\n" + post,
                QByteArray(64 * 1024, 'x'), 1, qint64(200) * 1024 * 1024, overLimit);
        // Each under the size of one request: only the answers pile up.
        dataRow("answers never read", QByteArray(), QByteArray("app.js"), 8,
                ConnectionByteLimit::kMaxRequestBytes - 1024,
                QStringLiteral("cut off: answers left unread"));
    }
    void oneConnectionHoldsBoundedBytes()
    {
        QFETCH(QByteArray, opening);
        QFETCH(QByteArray, repeated);
        QFETCH(int, connections);
        QFETCH(qint64, bytesEach);
        QFETCH(QString, why);
        attackHoldsBoundedBytes(opening, repeated == "app.js" ? get("/app.js", true) : repeated,
                                connections, bytesEach, why);
    }

    // An owner's large upload refused while others hold the allowance is
    // answered, and its body is read to its end and thrown away: the bridge
    // holds none of it.
    void aRefusedUploadsBodyIsNotHeld()
    {
        const QByteArray owner = pairedToken(WebAccess::Role::Owner);
        QVERIFY(!owner.isEmpty());
        const QByteArray head =
            "POST /photo HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: ardentia_token=" + owner +
            "\r\nContent-Length: " + QByteArray::number(UploadedImage::kMaxBytes) + "\r\n\r\n";
        std::vector<std::unique_ptr<QTcpSocket>> holders;
        for (int i = 0; i < ConnectionByteLimit::kMaxAllowancesAtOnce; ++i) {
            holders.push_back(connection());
            QVERIFY(holders.back());
            sendAll(*holders.back(), head + QByteArray(64 << 10, 'x'));
        }
        const qint64 before = statusKb(pid(), "VmRSS");
        qint64 peak = before;
        const auto refused = connection();
        QVERIFY(refused);
        sendAll(*refused, head);
        const QByteArray chunk(256 << 10, 'x');
        for (qint64 sent = 0; sent < UploadedImage::kMaxBytes; sent += chunk.size()) {
            QVERIFY(refused->state() == QAbstractSocket::ConnectedState);
            sendAll(*refused, chunk);
            peak = std::max(peak, statusKb(pid(), "VmRSS"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(refused->state(), QAbstractSocket::UnconnectedState, 5000);
        const QByteArray answer = refused->readAll();
        qInfo("memory: %lld kB before, %lld kB at the peak, for an 8 MB body thrown away", before,
              peak);
        QVERIFY2(answer.startsWith("HTTP/1.1 503") && answer.endsWith("{\"error\":\"uploadBusy\"}"),
                 answer.constData());
        // Far less than the body: kept, most of it would show.
        QVERIFY2(peak - before < UploadedImage::kMaxBytes / 1024 / 2,
                 qPrintable(QString::number(peak - before)));
    }

    // Guessers on six addresses, each stopped after a few bad codes (a good
    // one too then waits its minute there), lock nobody else out: the
    // owner's phone opening its link still pairs.
    void guessersDoNotLockOutAGoodLink()
    {
        const auto pairFrom = [this](const QString &code, int lastByte) {
            return statusOf(exchange(
                "GET /pair?code=" + code.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", 5000,
                QHostAddress(QStringLiteral("127.0.0.%1").arg(lastByte))));
        };
        for (int address = 2; address <= 7; ++address)
            for (int i = 0; i < 5; ++i)
                QCOMPARE(pairFrom(QStringLiteral("GUESS%1").arg(i), address), 403);
        const QString code =
            *WebAccess(rig->path("data/web-access.json"))
                 .newPairingCode(QDateTime::currentDateTimeUtc(), nullptr, WebAccess::Role::Owner);
        QCOMPARE(pairFrom(code, 2), 429);
        QCOMPARE(pairFrom(code, 8), 303);
    }

    // An owner's JPEG whose frame says 4000 x 4000 pixels, with 30,000
    // scans (each a pass over all of them) in far less than the upload's
    // bound: refused at once, and MQTT is answered meanwhile.
    void aJpegOfManyScansHoldsNothingUp()
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "JPEG");
        writer.setProgressiveScanWrite(true);
        QVERIFY(writer.write(image));
        jpeg.replace(jpeg.indexOf("\xFF\xC2") + 5, 4, QByteArray::fromHex("0fa00fa0"));
        const qsizetype last = jpeg.lastIndexOf("\xFF\xDA");
        jpeg = jpeg.left(jpeg.size() - 2) + jpeg.mid(last, jpeg.size() - 2 - last).repeated(30000) +
               "\xFF\xD9";
        QVERIFY(jpeg.size() < UploadedImage::kMaxBytes);
        const QByteArray owner = pairedToken(WebAccess::Role::Owner);
        QVERIFY(!owner.isEmpty());
        const auto upload = connection();
        QVERIFY(upload);
        QElapsedTimer clock;
        clock.start();
        sendAll(*upload,
                "POST /picture HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: ardentia_token=" + owner +
                    "\r\nContent-Length: " + QByteArray::number(jpeg.size()) + "\r\n\r\n" + jpeg);
        const int from = int(rig->messages().size());
        rig->publish("ardentia/bridge/request/health", R"({"transaction":8})");
        QVERIFY(rig->waitFor(
                    "ardentia/bridge/response/health",
                    [](const QByteArray &p) { return p.contains("8}"); }, from, 5000) >= 0);
        QByteArray answer;
        QVERIFY(QTest::qWaitFor(
            [&] {
                answer += upload->readAll();
                return answer.endsWith("}");
            },
            5000));
        qInfo("a JPEG of 30,000 scans answered in %lld ms", clock.elapsed());
        QVERIFY2(answer.startsWith("HTTP/1.1 422") && answer.endsWith("{\"error\":\"notAnImage\"}"),
                 answer.constData());
    }

    // 1,100 connections that start a request and never finish it: the bridge
    // keeps no more than its limit open, a paired phone and an MQTT command
    // are served meanwhile, and the deadlines close the rest.
    void manyIdleConnectionsAreBoundedAndTimedOut()
    {
        const int filesBefore = openFiles(pid());
        const auto silent = connection(); // connects and never says anything
        QVERIFY(silent);
        std::vector<std::unique_ptr<QTcpSocket>> attackers;
        for (int i = 0; i < 1100; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            connect(socket.get(), &QTcpSocket::connected, socket.get(),
                    [s = socket.get()] { s->write("GET / HTTP/1.1\r\n"); });
            socket->connectToHost(QHostAddress::LocalHost, webPort);
            attackers.push_back(std::move(socket));
        }
        const auto open = [&attackers] {
            return std::count_if(attackers.cbegin(), attackers.cend(), [](const auto &s) {
                return s->state() == QAbstractSocket::ConnectedState;
            });
        };
        const auto closed = [&attackers] {
            return std::count_if(attackers.cbegin(), attackers.cend(), [](const auto &s) {
                return s->state() == QAbstractSocket::UnconnectedState;
            });
        };
        // Every one got through to the bridge, and all but the limit's worth were closed.
        (void)QTest::qWaitFor(
            [&] { return closed() >= 1100 - ConnectionLimits::kDefaultMaxConnections; }, 10000);
        const int filesDuring = openFiles(pid());
        qInfo("open files: %d before, %d under 1,100 connections (%lld still open)", filesBefore,
              filesDuring, qlonglong(open()));
        QVERIFY2(filesDuring <= filesBefore + ConnectionLimits::kDefaultMaxConnections + 8,
                 qPrintable(QString::number(filesDuring)));

        QElapsedTimer clock;
        clock.start();
        const QByteArray page = exchange(get("/", true));
        qInfo("a paired phone's page came in %lld ms", clock.elapsed());
        QCOMPARE(statusOf(page), 200);
        const bool wasOn = rig->simulatedChannel("211300001231").value("on").toBool();
        rig->publish("ardentia/211300001231/set", wasOn ? "OFF" : "ON");
        QTRY_COMPARE_WITH_TIMEOUT(rig->simulatedChannel("211300001231").value("on").toBool(),
                                  !wasOn, 10000);

        // The header deadline ends the half-sent requests, the idle one the silent connection.
        // Each deadline runs from the moment the bridge took that connection off the
        // kernel's queue. When that queue overflowed, the kernel dropped handshakes and the
        // client sent them again after 1, 3, 7 and 15 s, so on a busy machine the last of
        // 1,100 may reach the bridge some 15 s late.
        QTRY_COMPARE_WITH_TIMEOUT(closed(), qsizetype(attackers.size()),
                                  (kHeaderTimeoutSeconds + 30) * 1000);
        QTRY_COMPARE_WITH_TIMEOUT(silent->state(), QAbstractSocket::UnconnectedState,
                                  (kIdleTimeoutSeconds + 3) * 1000);
    }

    // A paired page that pings and never reads the pongs is cut off like one
    // that never reads its messages, whether or not the bridge has anything
    // to tell it meanwhile.
    void aPageThatPingsAndNeverReadsIsCutOff()
    {
        QByteArray pings; // masked with a zero key, each answered by a pong as large
        while (pings.size() < 64 * 1024)
            pings += QByteArray("\x89\xfd\0\0\0\0", 6) + QByteArray(125, 'p');
        attackHoldsBoundedBytes(pageHandshake(token.toLatin1()), pings, 1,
                                qint64(200) * 1024 * 1024,
                                QStringLiteral("cut off: what it was sent is left unread"));
    }

    // One phone opening page after page holds a few; the owner's page still
    // opens and hears the home, and the pages refused keep no descriptor.
    void onePhoneHoldsAFewPages()
    {
        const QByteArray family = pairedToken(WebAccess::Role::Family);
        const int filesBefore = openFiles(pid());
        std::vector<std::unique_ptr<QTcpSocket>> pages;
        for (int i = 0; i < ConnectionLimits::kMaxPagesPerDevice + 6; ++i) {
            pages.push_back(connection());
            QVERIFY(pages.back());
            pages.back()->write(pageHandshake(family));
        }
        const auto heardHome = [](QTcpSocket &page) {
            return page.state() == QAbstractSocket::ConnectedState &&
                   page.peek(1 << 20).contains("\"type\":\"home\"");
        };
        // Every page's handshake answered: the home heard, or the page refused and closed.
        QTRY_VERIFY(std::all_of(pages.cbegin(), pages.cend(), [&](const auto &page) {
            return heardHome(*page) || page->state() != QAbstractSocket::ConnectedState;
        }));
        const qsizetype open = std::count_if(pages.cbegin(), pages.cend(),
                                             [&](const auto &page) { return heardHome(*page); });
        qInfo("%lld of %zu pages of one phone stay open", qlonglong(open), pages.size());
        QCOMPARE(open, qsizetype(ConnectionLimits::kMaxPagesPerDevice));
        const auto owner = connection();
        QVERIFY(owner);
        owner->write(pageHandshake(pairedToken(WebAccess::Role::Owner)));
        QTRY_VERIFY(heardHome(*owner));
        pages.clear();
        owner->abort();
        QTRY_VERIFY2(openFiles(pid()) <= filesBefore,
                     qPrintable(QString::number(openFiles(pid()))));
    }

    // A pairing link asked over MQTT goes only to the topic the asker names,
    // is a family member's, and only a handful wait at once however many are
    // asked for, none of them the owner's: ardentia-ctl still makes an owner's.
    void pairingLinksGoToTheAskersTopicOnly()
    {
        const QString shared = "ardentia/bridge/response/web/pair";
        const auto transaction = [](int n) {
            return [n](const QByteArray &p) {
                return p.contains(QByteArray(QByteArray::number(n) + "}"));
            };
        };
        int from = int(rig->messages().size());
        rig->publish("ardentia/bridge/request/web/pair", R"({"transaction":100})");
        int answer = rig->waitFor(shared, transaction(100), from);
        QVERIFY(answer >= 0);
        QVERIFY(rig->messages().at(answer).payload.contains("reply_to"));
        QVERIFY(!rig->messages().at(answer).payload.contains("/pair?code="));
        rig->publish("ardentia/bridge/request/web/pair",
                     R"({"reply_to":"hub","role":"owner","transaction":99})");
        answer = rig->waitFor(shared + "/hub", transaction(99), from);
        QVERIFY(answer >= 0);
        QVERIFY(rig->messages().at(answer).payload.contains("ardentia-ctl web-pair --owner"));
        for (int n = 101; n <= 100 + WebAccess::kMaxLiveCodes + 1; ++n) {
            rig->publish("ardentia/bridge/request/web/pair",
                         QStringLiteral(R"({"reply_to":"hub","transaction":%1})").arg(n).toUtf8());
            answer = rig->waitFor(shared + "/hub", transaction(n), from);
            QVERIFY(answer >= 0);
            const QByteArray payload = rig->messages().at(answer).payload;
            QCOMPARE(payload.contains("/pair?code="), n <= 100 + WebAccess::kMaxBrokerCodes);
            QVERIFY(!payload.contains("owner"));
        }
        QVERIFY(rig->messages().at(answer).payload.contains("waiting")); // past the limit
        const QList<BrokerRig::Message> messages = rig->messages();
        for (int i = from; i < messages.size(); ++i)
            if (messages.at(i).payload.contains("/pair?code="))
                QCOMPARE(messages.at(i).topic, shared + "/hub");
        QCOMPARE(rig->ctl({"web-pair", "--owner", "http://127.0.0.1:8080"}), 0);
    }

    // A huge message on a topic the bridge reads is dropped, with a line in
    // its log, before the bridge copies it: its peak grows by what the
    // library holds (two buffers of it) alone, and MQTT is served on.
    void aHugeMqttMessageIsDroppedUncopied()
    {
        constexpr qint64 kBytes = 32 * 1024 * 1024;
        QFile big(rig->path("big-message"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.write(QByteArray(kBytes, '{')) == kBytes);
        big.close();
        // The peak from here on: a write of 5 to clear_refs starts it afresh.
        QFile clear(QStringLiteral("/proc/%1/clear_refs").arg(pid()));
        QVERIFY(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1);
        clear.close();
        const qint64 before = statusKb(pid(), "VmRSS");
        QCOMPARE(QProcess::execute("mosquitto_pub",
                                   {"-p", QString::number(rig->port()), "-t",
                                    "ardentia/bridge/request/health", "-f", big.fileName()}),
                 0);
        const bool dropped = rig->waitForBridgeLog("was dropped", 10000);
        const qint64 peak = statusKb(pid(), "VmHWM");
        qInfo("memory: %lld kB before, %lld kB at the peak, for a %lld kB message", before, peak,
              kBytes / 1024);
        QVERIFY(dropped);
        QVERIFY2(peak - before < kBytes / 1024 * 5 / 2, qPrintable(QString::number(peak - before)));
        const int from = int(rig->messages().size());
        rig->publish("ardentia/bridge/request/health", R"({"transaction":7})");
        // The test's own watcher reads the 32 MB message too before it hears the answer.
        QVERIFY(rig->waitFor(
                    "ardentia/bridge/response/health",
                    [](const QByteArray &p) { return p.contains("7}"); }, from, 30000) >= 0);
    }

    // The home's folder and everything in it, made by ardentia-ctl and the
    // bridge, are for their user alone.
    void theDataFolderIsPrivate()
    {
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        const QDir data(rig->path("data"));
        QCOMPARE(QFileInfo(data.path()).permissions() & others, QFileDevice::Permissions());
        const QFileInfoList files = data.entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
        QVERIFY(files.size() >= 2); // the store and the web remote's access at least
        for (const QFileInfo &file : files)
            QVERIFY2((file.permissions() & others) == QFileDevice::Permissions(),
                     qPrintable(file.fileName()));
    }

    // Paths that must never reach a file outside the page's own.
    void pathsStayInsideThePage_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("status");
        dataRow("page", QByteArray("/"), 200);
        dataRow("no leading slash, beside the page", QByteArray("-i18n/ardentia_en.qm"), 404);
        dataRow("no leading slash", QByteArray("app.js"), 404);
        dataRow("up and out", QByteArray("/../web-i18n/ardentia_en.qm"), 404);
        dataRow("encoded up", QByteArray("/%2e%2e/web-i18n/ardentia_en.qm"), 404);
        dataRow("encoded slashes", QByteArray("/..%2f..%2fweb-i18n%2fardentia_en.qm"), 404);
        dataRow("a backslash", QByteArray("/..\\web-i18n\\ardentia_en.qm"), 404);
        dataRow("absolute", QByteArray("//etc/passwd"), 404);
        dataRow("an absolute URL", QByteArray("http://127.0.0.1/../../etc/passwd"), 404);
        dataRow("up from an icon", QByteArray("/icon.svg/../../web-i18n/ardentia_en.qm"), 404);
        dataRow("a NUL", QByteArray("/app.js%00.png"), 404);
    }
    void pathsStayInsideThePage()
    {
        QFETCH(QByteArray, path);
        QFETCH(int, status);
        QCOMPARE(statusOf(exchange(get(path, true))), status);
        if (status != 200) // and nothing without a token
            QCOMPARE(statusOf(exchange(get(path, false))), 401);
    }
};

ARDENTIA_TEST_MAIN(TestBridgeAttacks)
#include "tst_bridgeattacks.moc"
