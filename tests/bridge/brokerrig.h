// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// The bridge as users run it, in a rig of real programs on loopback: a
// mosquitto broker on a free port (with the config this rig writes), the
// transmitter simulator on the fixed ports, ardentia-ctl to enrol the home
// into the bridge's own data folder, and mosquitto_sub to see what reaches
// the broker.
class BrokerRig {
public:
    struct Message {
        bool retained = false;
        QString topic;
        QByteArray payload;
    };

    BrokerRig();
    ~BrokerRig();

    // extraConfig: more lines of the broker's config.
    [[nodiscard]] bool startBroker(const QString &extraConfig = {});
    void stopBroker();
    [[nodiscard]] bool startSimulator(const QStringList &arguments = {});
    void stopSimulator();
    // Enrols the demo master into the bridge's folder (and imports the home).
    [[nodiscard]] bool enrolDemoHome();
    [[nodiscard]] bool startBridge(const QStringList &arguments = {});
    // Stops the bridge with this signal; its exit status.
    int stopBridge(int signal);
    QProcess &bridge() { return m_bridge; }
    // Waits until the bridge's log (its standard error) has said the text that many times.
    [[nodiscard]] bool waitForBridgeLog(const QString &text, int timeoutMs = 10000, int times = 1);
    // How many times the bridge's log has said the text so far.
    int bridgeLogCount(const QString &text);

    // What mosquitto_sub and mosquitto_pub need besides the port (TLS files).
    void setClientArguments(const QStringList &arguments) { m_clientArguments = arguments; }
    [[nodiscard]] bool watch();
    // Waits for a message on the topic whose payload passes the check (any
    // when none), received after message number `from`; its index or -1.
    int waitFor(const QString &topic, const std::function<bool(const QByteArray &)> &check = {},
                int from = 0, int timeoutMs = 10000);
    QList<Message> messages() const { return m_messages; }
    // The last payload seen on the topic (empty when none).
    QByteArray last(const QString &topic) const;
    // The topics of the messages the broker keeps now, as a new subscriber gets them.
    QStringList retainedTopics();
    // retain: the broker keeps it for whoever subscribes later (an empty
    // payload retained clears what it kept).
    void publish(const QString &topic, const QByteArray &payload, bool retain = false);
    // The simulator's saved state of one channel (its "on", "level", "position").
    QVariantMap simulatedChannel(const QString &id) const;
    int ctl(const QStringList &arguments);

    quint16 port() const { return m_port; }
    // A port nothing listens on now, on loopback.
    static quint16 freePort();
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    void readWatcher();

    QTemporaryDir m_dir;
    quint16 m_port = 0;
    QProcess m_broker;
    QProcess m_simulator;
    QProcess m_bridge;
    QProcess m_watcher;
    QStringList m_clientArguments;
    QByteArray m_pending;
    QByteArray m_bridgeLog;
    QList<Message> m_messages;
};
