// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/connectionlimits.h"

#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// What ardentia-bridge runs with: an INI file (--config) and the same names
// as flags, a flag winning over the file. The password only ever comes from
// a file.
struct BridgeOptions {
    QString host = QStringLiteral("localhost");
    quint16 port = 1883;
    QString clientId = QStringLiteral("ardentia-bridge");
    QString username;
    QString password; // read from password-file
    QString caFile;
    QString certFile;
    QString keyFile;
    QString baseTopic = QStringLiteral("ardentia");
    QString discoveryPrefix = QStringLiteral("homeassistant");
    QString networkInterface;
    QString dataFolder;
    int pollSeconds = 300;
    // Between quiet checks of the master's link: with a reply's wait of 10 s,
    // silence is known within 25 s.
    int linkCheckSeconds = 15;
    // The web remote: where it listens (empty: not served), and its TLS files.
    QString webAddress;
    quint16 webPort = 0;
    QString webCertFile;
    QString webKeyFile;
    // How many connections the web remote keeps open at most, and how long a
    // request's headers and an idle connection may take.
    int webMaxConnections = ConnectionLimits::kDefaultMaxConnections;
    int webHeaderTimeoutSeconds = ConnectionLimits::kDefaultHeaderTimeoutSeconds;
    int webIdleTimeoutSeconds = ConnectionLimits::kDefaultIdleTimeoutSeconds;
    // Whether a peer on the broker may ask for a family member's pairing link.
    bool webPairRequests = true;
    // The settings file given (it goes into backups), and ardentia-matter's
    // data folder, whose pairings go into backups where readable.
    QString configFile;
    QString matterFolder = QStringLiteral("/var/lib/ardentia-matter");
    // The daily backup's time and how many automatic backups are kept.
    QTime backupTime = QTime(3, 30);
    int backupKeep = 7;

    // The options from the program's arguments; nothing with the reason in
    // *error when they cannot be used, nothing and no error for --help (the
    // help text in *help).
    static std::optional<BridgeOptions> fromArguments(const QStringList &arguments, QString *error,
                                                      QString *help);
};
