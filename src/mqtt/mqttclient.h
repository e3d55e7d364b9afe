// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

struct mosquitto;
struct mosquitto_message;
class QSocketNotifier;

// A connection to an MQTT broker driven from the Qt event loop (libmosquitto
// without its thread): the broker's socket under notifiers, the keep-alive on
// a timer, and reconnection after a loss with a back-off from 1 s to 60 s
// with jitter. A broker that refuses the credentials is not retried.
class MqttClient final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MqttClient)

public:
    struct Settings {
        QString host = QStringLiteral("localhost");
        quint16 port = 1883;
        QString clientId;
        QString username;
        QString password;
        QString caFile; // TLS when set
        QString certFile;
        QString keyFile;
        // Published by the broker for us when the connection is lost.
        QString willTopic;
        QByteArray willPayload;
    };

    explicit MqttClient(Settings settings, QObject *parent = nullptr);
    ~MqttClient() override;

    // Starts connecting; false (with the reason) when the settings cannot be used.
    bool start(QString *error);
    bool isConnected() const { return m_connected; }
    // QoS 1. False when it cannot be queued (not connected, too big).
    bool publish(const QString &topic, const QByteArray &payload, bool retain);
    bool subscribe(const QString &pattern);
    // Says goodbye (the will is not published) and stops reconnecting.
    void stop();

    // A message received larger than this is dropped (and logged) before it
    // is copied: every request, command and config the bridge reads is far
    // smaller.
    static constexpr int kMaxMessageBytes = 256 * 1024;

    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 60000;

Q_SIGNALS:
    void connected();
    void connectionLost();
    // The broker will not take these credentials: retrying cannot help.
    void refused(const QString &reason);
    // retained: the broker kept it from before this client subscribed.
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);

private:
    static void onConnect(mosquitto *, void *self, int code);
    static void onDisconnect(mosquitto *, void *self, int code);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *message);

    void watchSocket();
    void service();
    void lost();
    void scheduleRetry();
    void retry();

    Settings m_settings;
    mosquitto *m_handle = nullptr;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    QTimer m_misc;
    QTimer m_retry;
    int m_retryMs = kFirstRetryMs;
    bool m_connected = false;
    bool m_stopped = false;
};
