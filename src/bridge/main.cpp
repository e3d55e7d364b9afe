// SPDX-License-Identifier: GPL-3.0-or-later
// ardentia-bridge: the home on an MQTT broker, for Home Assistant and
// anything else that speaks MQTT, through the same code the app uses.
#include "automaticbackups.h"
#include "base/printabletext.h"
#include "bridgeoptions.h"
#include "core/masterlink.h"
#include "core/schedulerunner.h"
#include "mqtt/bridgetopics.h"
#include "mqtt/homebridge.h"
#include "mqtt/mqttclient.h"
#include "mqtt/schedulepublisher.h"
#include "openfilelimit.h"
#include "schedule/schedulerequests.h"
#include "shutdownsignals.h"
#include "storechangewatch.h"
#include "web/webhub.h"
#include "web/webremoteserver.h"

#include "base/documents.h"
#include "base/logging.h"
#include "control/applifecycle.h"
#include "control/delegatemanager.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "control/livehomefeed.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/programobjects.h"
#include "core/showalertmanager.h"
#include "store/database.h"
#include "transport/localaddress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace {
// How often the store is checked for another program's changes: a change
// made with ardentia-ctl reaches the pages and the broker within about this.
constexpr int kStoreCheckSeconds = 1;

// The bridge, until it is stopped (its exit status) or asked to start again
// (`startAgain`): after a page restored the home, nothing it holds is the home's.
int runBridge(int argc, char **argv, bool &startAgain)
{
    QCoreApplication app(argc, argv);
    keepLogMessagesPrintable(); // names and topics from outside reach the log
    app.setApplicationName(QStringLiteral("ardentia-home")); // the app's store by default
    app.setApplicationVersion(QStringLiteral(ARDENTIA_VERSION));
    QString error, help;
    const std::optional<BridgeOptions> options =
        BridgeOptions::fromArguments(app.arguments(), &error, &help);
    if (!options) {
        if (!help.isEmpty()) {
            std::printf("%s", qPrintable(help));
            return 0;
        }
        std::fprintf(stderr, "ardentia-bridge: %s\n", qPrintable(error));
        return 2;
    }
    raiseOpenFileLimit();
    Documents::keepFilesPrivate();
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(
            QStringLiteral("ardentia.*.info=false\nardentia.schedule.info=true"));
    if (!options->dataFolder.isEmpty())
        Documents::setDirectoryOverride(options->dataFolder);
    if (!options->networkInterface.isEmpty())
        LocalAddress::setInterfaceOverride(options->networkInterface);
    HeadlessFeedbackPresenter feedback; // toasts go to the log
    // Outlives the bridge and the web remote, which reach them; the presenter outlives it.
    ProgramObjects objects;
    const HomeServices &home = objects.services();
    home.files.initApplicationNeedData();
    ShowAlertManager::instance()->setPresenter(&feedback);

    const BridgeTopics topics{options->baseTopic, options->discoveryPrefix};
    MqttClient::Settings settings;
    settings.host = options->host;
    settings.port = options->port;
    settings.clientId = options->clientId;
    settings.username = options->username;
    settings.password = options->password;
    settings.caFile = options->caFile;
    settings.certFile = options->certFile;
    settings.keyFile = options->keyFile;
    settings.willTopic = topics.bridge(QStringLiteral("state"));
    settings.willPayload = R"({"state":"offline"})";
    MqttClient mqtt(settings);
    // The program's live home took each reply before any front end reads it.
    MasterLink link(home);
    HomeBridge bridge(home, &mqtt, &link, topics, options->pollSeconds);
    // The master's silence is known without anyone pressing.
    AppLifecycle lifecycle(home);
    QTimer linkCheck;
    if (options->linkCheckSeconds > 0) {
        QObject::connect(&linkCheck, &QTimer::timeout, &linkCheck,
                         [&lifecycle] { lifecycle.locateMasterQuietly(); });
        linkCheck.start(options->linkCheckSeconds * 1000);
        QTimer::singleShot(0, &linkCheck, [&lifecycle] { lifecycle.locateMasterQuietly(); });
    }

    // The home backed up daily and before a synchronise that drops channels.
    const BackupSources backupSources{
        Documents::directory(), options->configFile,
        QFileInfo(options->matterFolder).isReadable() ? options->matterFolder : QString()};
    AutomaticBackups backups(backupSources, {options->backupTime, options->backupKeep},
                             [&home] { return LiveHomeFeed::storedChannelIds(home.store); });
    backups.follow(&home.events);
    backups.start();

    // The home's schedules, run at their time through the same flows.
    ScheduleRunner::Settings scheduleSettings;
    scheduleSettings.runsFile = Documents::filePath(QStringLiteral("schedule-runs.json"));
    scheduleSettings.changeLatencySeconds = kStoreCheckSeconds;
    ScheduleRunner schedules(home, scheduleSettings);
    schedules.follow(&home.events);
    SchedulePublisher schedulePublisher(&mqtt, &schedules, topics);
    // A change another program (ardentia-ctl) made to the home is read again
    // by all that hold it: the live home, the broker's, the schedules, the pages.
    StoreChangeWatch storeWatch(&home.store);
    QObject::connect(&storeWatch, &StoreChangeWatch::changedElsewhere, &home.events,
                     &HomeEvents::announceHomeChangedElsewhere);
    storeWatch.start(kStoreCheckSeconds);
    ScheduleRequests scheduleRequests(home.store, [&schedules] { schedules.reload(); });
    bridge.requests().setScheduleChanges(
        [&scheduleRequests](const QString &verb, const QJsonObject &body) {
            return scheduleRequests.handle(verb, body);
        });
    schedules.start();

    // The web remote, when asked for.
    std::unique_ptr<WebRemoteServer> web;
    std::unique_ptr<WebHub> pages;
    if (options->webPort != 0) {
        const bool tls = !options->webCertFile.isEmpty();
        web = std::make_unique<WebRemoteServer>(WebAccess(WebAccess::defaultPath()));
        ConnectionLimits::Settings limits;
        limits.maxConnections = options->webMaxConnections;
        limits.headerTimeoutMs = options->webHeaderTimeoutSeconds * 1000;
        limits.idleTimeoutMs = options->webIdleTimeoutSeconds * 1000;
        // An upload's body may pause as long as a request's head may take.
        limits.uploadIdleTimeoutMs = limits.headerTimeoutMs;
        web->setConnectionLimits(limits);
        if (tls && !web->useTls(options->webCertFile, options->webKeyFile, &error)) {
            std::fprintf(stderr, "ardentia-bridge: %s\n", qPrintable(error));
            return 2;
        }
        if (web->start(QHostAddress(options->webAddress), options->webPort) == 0) {
            std::fprintf(stderr, "ardentia-bridge: cannot serve the web remote on %s:%u\n",
                         qPrintable(options->webAddress), unsigned(options->webPort));
            return 2;
        }
        web->serveBackups(backupSources);
        pages = std::make_unique<WebHub>(home, web.get(), &link, topics);
        pages->showSchedules(&schedules, &scheduleRequests);
        const QString host =
            QHostAddress(options->webAddress).isEqual(QHostAddress::AnyIPv4) ||
                    QHostAddress(options->webAddress).isEqual(QHostAddress::AnyIPv6)
                ? LocalAddress::getLocalAddressString()
                : options->webAddress;
        const QString page = QStringLiteral("%1://%2:%3")
                                 .arg(tls ? QStringLiteral("https") : QStringLiteral("http"),
                                      host.contains(QLatin1Char(':')) ? '[' + host + ']' : host)
                                 .arg(options->webPort);
        bridge.requests().setWebPairing([server = web.get(), page](const QString &url,
                                                                   QString *why) {
            return server->access().newPairingLink(
                url.isEmpty() ? page : url, why, WebAccess::Role::Family, WebAccess::Asker::Broker);
        });
    }
    if (!options->webPairRequests)
        bridge.requests().switchOffWebPairing();

    int status = 0;
    QObject::connect(&mqtt, &MqttClient::refused, &app, [&status](const QString &reason) {
        std::fprintf(stderr, "ardentia-bridge: the broker refused the connection: %s\n",
                     qPrintable(reason));
        status = 3;
        QCoreApplication::quit();
    });
    // Offline by our own word, not by the will: a stop is no failure.
    const auto stop = [&mqtt, &topics] {
        mqtt.publish(topics.bridge(QStringLiteral("state")), R"({"state":"offline"})", true);
        mqtt.stop();
        QCoreApplication::quit();
    };
    ShutdownSignals shutdown;
    QObject::connect(&shutdown, &ShutdownSignals::received, &app, stop);
    if (web)
        QObject::connect(web.get(), &WebRemoteServer::homeRestored, &app, [&stop, &startAgain] {
            qCWarning(lcStore).noquote() << "a page restored the home: starting again on it";
            startAgain = true;
            // The pages' answers go out first.
            QTimer::singleShot(300, stop);
        });
    if (!mqtt.start(&error)) {
        std::fprintf(stderr, "ardentia-bridge: %s\n", qPrintable(error));
        return 2;
    }
    const int loop = app.exec();
    return status ? status : loop;
}
} // namespace

int main(int argc, char **argv)
{
    // Kept as given: the program starts again with them after a restore.
    std::vector<char *> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    bool startAgain = false;
    const int status = runBridge(argc, argv, startAgain);
    if (!startAgain)
        return status;
    ::execv("/proc/self/exe", arguments.data());
    std::fprintf(stderr, "ardentia-bridge: cannot start again on the restored home: %s\n",
                 std::strerror(errno));
    return 4;
}
