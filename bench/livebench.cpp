// SPDX-License-Identifier: GPL-3.0-or-later
#include "livebench.h"

#include "benchbroker.h"
#include "benchsupport.h"
#include "latencystats.h"

#include "core/masterlink.h"
#include "mqtt/bridgetopics.h"
#include "mqtt/homebridge.h"
#include "web/webhub.h"
#include "web/webremoteserver.h"

#include "access/webaccess.h"
#include "control/devicecommands.h"
#include "control/livehome.h"
#include "control/udpsocketmanager.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QWebSocket>

#include <cstdio>
#include <optional>

namespace {
constexpr int kLiveLights = 13;
constexpr int kLiveAnswerLimitMs = 3000;

// When each view of one press's reply came, in nanoseconds of one clock.
struct Arrivals {
    std::optional<qint64> reply, handled, screen, mqtt, page;

    bool complete(bool withMqtt) const { return handled && screen && page && (mqtt || !withMqtt); }
};

// A family phone's page on the bridge's web remote: paired as a phone
// would be, then its WebSocket open.
std::unique_ptr<QWebSocket> openPage(WebRemoteServer &server, quint16 port)
{
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(port);
    const std::optional<QString> code = server.access().newPairingCode(
        QDateTime::currentDateTimeUtc(), nullptr, WebAccess::Role::Family);
    if (!code)
        return nullptr;
    QNetworkAccessManager network;
    QNetworkRequest pairing(QUrl(base + QStringLiteral("/pair?code=") + *code));
    // The cookie comes with the pairing's own answer, not the page it leads to.
    pairing.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(network.get(pairing));
    runUntil([&] { return reply->isFinished(); }, kLiveAnswerLimitMs);
    const QByteArray cookie = reply->rawHeader("Set-Cookie");
    const QString token = WebRemoteServer::tokenOf(cookie.left(cookie.indexOf(';')));
    auto page = std::make_unique<QWebSocket>(base);
    QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(port)));
    request.setRawHeader("Cookie", "ardentia_token=" + token.toLatin1());
    bool heardHome = false;
    QObject::connect(page.get(), &QWebSocket::textMessageReceived, page.get(),
                     [&heardHome](const QString &) { heardHome = true; });
    page->open(request);
    if (!runUntil([&] { return heardHome; }, kLiveAnswerLimitMs))
        return nullptr;
    QObject::disconnect(page.get(), &QWebSocket::textMessageReceived, nullptr, nullptr);
    return page;
}

void printAgainstHandling(const char *view, const LatencyStats &stats, const LatencyStats &handled)
{
    std::printf("  %-22s %s  (p50 %+.3f ms against the handling)\n", view,
                qPrintable(stats.summary()),
                (stats.percentile(50) - handled.percentile(50)) / 1000.0);
}
} // namespace

void runLiveBench(const HomeServices &home, int presses)
{
    if (qEnvironmentVariableIsEmpty("ARDENTIA_BENCH_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("ardentia.*=false"));
    std::printf("One live home: reply -> each front end's view, %d presses on %d lights\n", presses,
                kLiveLights);
    auto simulator = homeWithLights(kLiveLights);
    if (!simulator)
        return;
    LiveHome *live = &home.live;
    MasterLink link(home);
    const BridgeTopics topics{QStringLiteral("ardentia"), QStringLiteral("homeassistant")};

    Broker broker;
    const bool withMqtt = broker.start();
    std::unique_ptr<MqttClient> bridgeClient, observer;
    std::unique_ptr<HomeBridge> bridge;
    if (withMqtt) {
        bridgeClient = std::make_unique<MqttClient>(
            loopbackBroker(broker.port, QStringLiteral("live-bridge")));
        bridge = std::make_unique<HomeBridge>(home, bridgeClient.get(), &link, topics, 0);
        observer = std::make_unique<MqttClient>(
            loopbackBroker(broker.port, QStringLiteral("live-observer")));
        QObject::connect(observer.get(), &MqttClient::connected, observer.get(),
                         [&] { observer->subscribe(QStringLiteral("ardentia/+")); });
        QString error;
        if (!bridgeClient->start(&error) || !observer->start(&error) ||
            !runUntil([&] { return bridgeClient->isConnected() && observer->isConnected(); },
                      5000)) {
            std::printf("  the broker could not be reached: %s\n", qPrintable(error));
            return;
        }
    } else {
        std::printf("  no mosquitto to run against: the MQTT view is left out\n");
    }

    QTemporaryDir accessDir;
    WebRemoteServer server(WebAccess(accessDir.filePath(QStringLiteral("web-access.json"))));
    const quint16 port = server.start(QHostAddress::LocalHost, 0);
    WebHub hub(home, &server, &link, topics);
    const std::unique_ptr<QWebSocket> page = port ? openPage(server, port) : nullptr;
    if (!page) {
        std::printf("  the web remote could not be opened\n");
        return;
    }

    QElapsedTimer clock;
    clock.start();
    QString pressed;
    Arrivals at;
    const auto stamp = [&](std::optional<qint64> &when, const QString &id) {
        if (id == pressed && !when)
            when = clock.nsecsElapsed();
    };
    UDPSocketManager *channel = UDPSocketManager::instance();
    QObject::connect(channel, &UDPSocketManager::commandOutcome, channel,
                     [&](const QStringList &fields, const CommandOutcome &) {
                         stamp(at.reply, fields.value(2));
                     });
    QObject::connect(channel, &UDPSocketManager::commandSettled, channel,
                     [&](const QStringList &fields, bool) { stamp(at.handled, fields.value(2)); });
    // What a screen does when the live home tells: it reads the channel's record anew.
    QObject::connect(live, &LiveHome::channelChanged, live, [&](const QString &id) {
        const QVariantMap shown = live->withConfirmedState({{Key::id, id}});
        stamp(at.screen, shown.value(Key::id).toString());
    });
    if (observer)
        QObject::connect(observer.get(), &MqttClient::messageReceived, observer.get(),
                         [&](const QString &topic, const QByteArray &, bool retained) {
                             if (!retained)
                                 stamp(at.mqtt, topic.section(QLatin1Char('/'), 1, 1));
                         });
    QObject::connect(
        page.get(), &QWebSocket::textMessageReceived, page.get(), [&](const QString &text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.value(QLatin1String("type")) == QLatin1String("state"))
                stamp(at.page, message.value(QLatin1String("id")).toString());
        });

    LatencyStats handled, screen, mqtt, pageView;
    for (int i = 0; i < presses; ++i) {
        runUntil([channel] { return channel->isSettled(); }, 10000);
        const int k = i % kLiveLights;
        const QVariantMap light = storedBenchLight(k);
        pressed = benchLightId(k);
        at = {};
        DeviceCommands(home).switchLight(light, light.value(Key::turnOn) != Value::yes);
        if (!runUntil([&] { return at.reply && at.complete(withMqtt); }, kLiveAnswerLimitMs))
            continue;
        const auto since = [&](qint64 when) { return double(when - *at.reply) / 1000.0; };
        handled.add(since(*at.handled));
        screen.add(since(*at.screen));
        pageView.add(since(*at.page));
        if (at.mqtt)
            mqtt.add(since(*at.mqtt));
    }
    std::printf("  complete: %d of %d presses\n", handled.count(), presses);
    std::printf("  %-22s %s\n", "reply handled", qPrintable(handled.summary()));
    printAgainstHandling("screen (live home)", screen, handled);
    if (withMqtt)
        printAgainstHandling("MQTT state message", mqtt, handled);
    printAgainstHandling("page state message", pageView, handled);
    std::printf("  target: every view within 1 ms of the handling\n");
    if (bridgeClient)
        bridgeClient->stop();
    if (observer)
        observer->stop();
    channel->abandonCommands();
    std::fflush(stdout);
}
