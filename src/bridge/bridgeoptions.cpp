// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridgeoptions.h"

#include <QCommandLineParser>
#include <QFile>
#include <QHostAddress>
#include <QSettings>

namespace {
struct Option {
    const char *name;
    const char *description;
    const char *value;
};

// Every setting, by its one name in the file and on the command line.
const Option kOptions[] = {
    {"host", "The MQTT broker's host (localhost).", "HOST"},
    {"port", "The broker's port (1883).", "PORT"},
    {"client-id", "The MQTT client id (ardentia-bridge).", "ID"},
    {"username", "The user name at the broker.", "NAME"},
    {"password-file", "A file whose first line is the broker password.", "FILE"},
    {"ca-file", "TLS: the certificate authority that signed the broker's certificate.", "FILE"},
    {"cert-file", "TLS: this client's certificate.", "FILE"},
    {"key-file", "TLS: this client's private key.", "FILE"},
    {"base-topic", "The topic everything of the home is under (ardentia).", "TOPIC"},
    {"discovery-prefix", "Home Assistant's discovery prefix (homeassistant).", "PREFIX"},
    {"interface", "The network interface the transmitters are on (lo for a simulator here).",
     "NAME"},
    {"data", "The folder of the home's store (the app's own by default).", "FOLDER"},
    {"poll-interval", "Seconds between state queries of every channel (300; 0: never).", "SECONDS"},
    {"link-check-interval",
     "Seconds between quiet checks that the master answers (15; 0: never). A silent master "
     "makes every entity unavailable within this and one reply's wait.",
     "SECONDS"},
    {"web-listen", "Serve the web remote at ADDRESS:PORT (e.g. 0.0.0.0:8080); off if not set.",
     "ADDRESS:PORT"},
    {"web-cert-file", "TLS for the web remote: its certificate.", "FILE"},
    {"web-key-file", "TLS for the web remote: its private key.", "FILE"},
    {"web-max-connections", "The web remote's open connections at most (256).", "COUNT"},
    {"web-header-timeout", "Seconds a request's line and headers may take (10).", "SECONDS"},
    {"web-idle-timeout", "Seconds a web connection may stay idle between requests (60).",
     "SECONDS"},
    {"web-pair-requests",
     "on: a peer on the broker may ask for a family member's pairing link (request/web/pair); "
     "off: refused (on).",
     "on|off"},
    {"backup-time",
     "The daily backup of the home into the data folder's backups/, at this local time (03:30).",
     "HH:MM"},
    {"backup-keep",
     "How many automatic backups (daily, and before a synchronise that removes channels) are "
     "kept (7).",
     "COUNT"},
    {"matter-data",
     "ardentia-matter's data folder: its pairings go into backups where it can be read "
     "(/var/lib/ardentia-matter).",
     "FOLDER"},
};

bool isTopicLevel(const QString &topic)
{
    return !topic.isEmpty() && !topic.contains(QLatin1Char('#')) &&
           !topic.contains(QLatin1Char('+')) && !topic.startsWith(QLatin1Char('/')) &&
           !topic.endsWith(QLatin1Char('/'));
}
} // namespace

std::optional<BridgeOptions> BridgeOptions::fromArguments(const QStringList &arguments,
                                                          QString *error, QString *help)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes the home's lights, curtains and scenarios available on an MQTT "
                       "broker, with Home Assistant discovery."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("An INI file with any of the settings below."),
                                    QStringLiteral("FILE"));
    parser.addOption(config);
    for (const Option &option : kOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name),
                                            QString::fromLatin1(option.description),
                                            QString::fromLatin1(option.value)));
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *help = parser.helpText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        *help = QStringLiteral("ardentia-bridge " ARDENTIA_VERSION "\n");
        return std::nullopt;
    }

    std::optional<QSettings> file;
    if (parser.isSet(config)) {
        const QString path = parser.value(config);
        if (!QFile::exists(path)) {
            *error = QStringLiteral("no configuration file %1").arg(path);
            return std::nullopt;
        }
        file.emplace(path, QSettings::IniFormat);
    }
    const auto value = [&](const char *name, const QString &fallback) {
        const QString key = QString::fromLatin1(name);
        if (parser.isSet(key))
            return parser.value(key);
        return file ? file->value(key, fallback).toString() : fallback;
    };
    const auto number = [&](const char *name, int fallback, int low,
                            int high) -> std::optional<int> {
        bool ok = false;
        const int n = value(name, QString::number(fallback)).toInt(&ok);
        if (!ok || n < low || n > high) {
            *error = QStringLiteral("%1 must be a number from %2 to %3")
                         .arg(QString::fromLatin1(name))
                         .arg(low)
                         .arg(high);
            return std::nullopt;
        }
        return n;
    };

    BridgeOptions options;
    options.host = value("host", options.host);
    options.clientId = value("client-id", options.clientId);
    options.username = value("username", {});
    options.caFile = value("ca-file", {});
    options.certFile = value("cert-file", {});
    options.keyFile = value("key-file", {});
    options.baseTopic = value("base-topic", options.baseTopic);
    options.discoveryPrefix = value("discovery-prefix", options.discoveryPrefix);
    options.networkInterface = value("interface", {});
    options.dataFolder = value("data", {});
    const std::optional<int> port = number("port", options.port, 1, 65535);
    const std::optional<int> poll = number("poll-interval", options.pollSeconds, 0, 86400);
    const std::optional<int> linkCheck =
        number("link-check-interval", options.linkCheckSeconds, 0, 86400);
    const std::optional<int> maxConnections =
        number("web-max-connections", options.webMaxConnections, 1, 100000);
    const std::optional<int> headerTimeout =
        number("web-header-timeout", options.webHeaderTimeoutSeconds, 1, 3600);
    const std::optional<int> idleTimeout =
        number("web-idle-timeout", options.webIdleTimeoutSeconds, 1, 86400);
    const std::optional<int> backupKeep = number("backup-keep", options.backupKeep, 1, 1000);
    if (!port || !poll || !linkCheck || !maxConnections || !headerTimeout || !idleTimeout ||
        !backupKeep)
        return std::nullopt;
    options.backupKeep = *backupKeep;
    options.backupTime =
        QTime::fromString(value("backup-time", QStringLiteral("03:30")), QStringLiteral("HH:mm"));
    if (!options.backupTime.isValid()) {
        *error = QStringLiteral("backup-time takes HH:MM, e.g. 03:30");
        return std::nullopt;
    }
    options.configFile = parser.value(config);
    options.matterFolder = value("matter-data", options.matterFolder);
    options.webMaxConnections = *maxConnections;
    options.webHeaderTimeoutSeconds = *headerTimeout;
    options.webIdleTimeoutSeconds = *idleTimeout;
    options.port = quint16(*port);
    options.pollSeconds = *poll;
    options.linkCheckSeconds = *linkCheck;
    if (!isTopicLevel(options.baseTopic) || !isTopicLevel(options.discoveryPrefix)) {
        *error = QStringLiteral("base-topic and discovery-prefix must be topics without "
                                "wildcards or outer slashes");
        return std::nullopt;
    }
    if (options.certFile.isEmpty() != options.keyFile.isEmpty()) {
        *error = QStringLiteral("cert-file and key-file go together");
        return std::nullopt;
    }
    const QString web = value("web-listen", {});
    if (!web.isEmpty()) {
        const qsizetype colon = web.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const int webPort = web.mid(colon + 1).toInt(&ok);
        options.webAddress = web.left(colon);
        if (colon <= 0 || !ok || webPort < 1 || webPort > 65535 ||
            QHostAddress(options.webAddress).isNull()) {
            *error = QStringLiteral("web-listen takes ADDRESS:PORT, e.g. 0.0.0.0:8080");
            return std::nullopt;
        }
        options.webPort = quint16(webPort);
    }
    options.webCertFile = value("web-cert-file", {});
    options.webKeyFile = value("web-key-file", {});
    if (options.webCertFile.isEmpty() != options.webKeyFile.isEmpty()) {
        *error = QStringLiteral("web-cert-file and web-key-file go together");
        return std::nullopt;
    }
    const QString pairRequests = value("web-pair-requests", QStringLiteral("on"));
    if (pairRequests != QLatin1String("on") && pairRequests != QLatin1String("off")) {
        *error = QStringLiteral("web-pair-requests is on or off");
        return std::nullopt;
    }
    options.webPairRequests = pairRequests == QLatin1String("on");
    const QString passwordFile = value("password-file", {});
    if (!passwordFile.isEmpty()) {
        QFile secret(passwordFile);
        if (!secret.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the password file %1").arg(passwordFile);
            return std::nullopt;
        }
        options.password = QString::fromUtf8(secret.readLine()).trimmed();
    }
    return options;
}
