// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bridgetopics.h"

#include "control/homeservices.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariantMap>

#include <functional>

// The commands that come in on "set" topics, read and handed to the same
// flows a person's presses use (DeviceCommands, a scenario's run), each with
// its message as the flow's caller. What the home answers comes back through
// its announcements and the bridge's watch of every command's outcome,
// whoever sent it, not from here.
class BridgeCommands {
public:
    using Report = std::function<void(const QString &message, const QString &topic)>;
    using Republish = std::function<void(const QVariantMap &device)>;

    BridgeCommands(const HomeServices &home, BridgeTopics topics, Report report,
                   Republish republish)
        : m_home(home), m_topics(std::move(topics)), m_report(std::move(report)),
          m_republish(std::move(republish))
    {
    }

    void setChannel(const QString &id, const QByteArray &payload);
    void runScenario(const QString &number, const QByteArray &payload);
    // A confirmed state: a dimmer's level above 0 is where "ON" takes it back.
    void noteState(const QVariantMap &device);

private:
    HomeServices m_home;
    BridgeTopics m_topics;
    Report m_report;
    Republish m_republish;
    QHash<QString, int> m_lastLevels;
};
