// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqttclient.h"

#include "base/logging.h"

#include <QRandomGenerator>
#include <QSocketNotifier>

#include <mosquitto.h>

namespace {
constexpr int kKeepAliveSeconds = 30;

// libmosquitto is set up once per process.
void initialiseLibrary()
{
    static const bool initialised = [] {
        mosquitto_lib_init();
        return true;
    }();
    Q_UNUSED(initialised)
}

QByteArray bytesOf(const QString &text)
{
    return text.toUtf8();
}

const char *orNull(const QByteArray &bytes)
{
    return bytes.isEmpty() ? nullptr : bytes.constData();
}
} // namespace

MqttClient::MqttClient(Settings settings, QObject *parent)
    : QObject(parent), m_settings(std::move(settings))
{
    initialiseLibrary();
    m_misc.setInterval(1000);
    connect(&m_misc, &QTimer::timeout, this, &MqttClient::service);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &MqttClient::retry);
}

MqttClient::~MqttClient()
{
    m_readable.reset();
    m_writable.reset();
    if (m_handle)
        mosquitto_destroy(m_handle);
}

bool MqttClient::start(QString *error)
{
    const QByteArray id = bytesOf(m_settings.clientId);
    m_handle = mosquitto_new(orNull(id), true, this);
    if (!m_handle) {
        *error = QStringLiteral("cannot make an MQTT client");
        return false;
    }
    mosquitto_int_option(m_handle, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    // Commands and states are small messages that must not wait for more.
    mosquitto_int_option(m_handle, MOSQ_OPT_TCP_NODELAY, 1);
    mosquitto_connect_callback_set(m_handle, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(m_handle, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(m_handle, &MqttClient::onMessage);
    if (!m_settings.username.isEmpty() &&
        mosquitto_username_pw_set(m_handle, bytesOf(m_settings.username).constData(),
                                  orNull(bytesOf(m_settings.password))) != MOSQ_ERR_SUCCESS) {
        *error = QStringLiteral("the user name cannot be used");
        return false;
    }
    if (!m_settings.willTopic.isEmpty() &&
        mosquitto_will_set(m_handle, bytesOf(m_settings.willTopic).constData(),
                           int(m_settings.willPayload.size()), m_settings.willPayload.constData(),
                           1, true) != MOSQ_ERR_SUCCESS) {
        *error = QStringLiteral("the last will cannot be set");
        return false;
    }
    if (!m_settings.caFile.isEmpty()) {
        const int tls = mosquitto_tls_set(m_handle, bytesOf(m_settings.caFile).constData(), nullptr,
                                          orNull(bytesOf(m_settings.certFile)),
                                          orNull(bytesOf(m_settings.keyFile)), nullptr);
        if (tls != MOSQ_ERR_SUCCESS) {
            *error = QStringLiteral("TLS files cannot be used: %1")
                         .arg(QString::fromUtf8(mosquitto_strerror(tls)));
            return false;
        }
    }
    const int rc = mosquitto_connect_async(m_handle, bytesOf(m_settings.host).constData(),
                                           m_settings.port, kKeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS) {
        qCWarning(lcGateway).noquote()
            << "broker" << m_settings.host << "not reached:" << mosquitto_strerror(rc);
        scheduleRetry();
        return true;
    }
    watchSocket();
    return true;
}

void MqttClient::watchSocket()
{
    m_readable.reset();
    m_writable.reset();
    const int socket = mosquitto_socket(m_handle);
    if (socket < 0)
        return;
    m_readable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    m_writable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
    connect(m_readable.get(), &QSocketNotifier::activated, this, &MqttClient::service);
    connect(m_writable.get(), &QSocketNotifier::activated, this, &MqttClient::service);
    m_misc.start();
}

// One non-blocking turn of the library: what the socket has, what waits to
// be written (the connection itself while it is pending), the keep-alive.
void MqttClient::service()
{
    if (!m_handle || m_stopped)
        return;
    const int rc = mosquitto_loop(m_handle, 0, 1);
    if (rc != MOSQ_ERR_SUCCESS) {
        lost();
        return;
    }
    if (m_writable)
        m_writable->setEnabled(mosquitto_want_write(m_handle));
}

void MqttClient::onConnect(mosquitto *, void *self, int code)
{
    auto *client = static_cast<MqttClient *>(self);
    if (code != 0) {
        const QString reason = QString::fromUtf8(mosquitto_connack_string(code));
        // Bad credentials (4) or not authorised (5): the same again is refused again.
        if (code == 4 || code == 5) {
            client->m_stopped = true;
            Q_EMIT client->refused(reason);
        } else {
            qCWarning(lcGateway).noquote() << "broker refused the connection:" << reason;
        }
        return;
    }
    client->m_connected = true;
    client->m_retryMs = kFirstRetryMs;
    qCInfo(lcGateway).noquote() << "broker connected:" << client->m_settings.host;
    Q_EMIT client->connected();
}

void MqttClient::onDisconnect(mosquitto *, void *self, int code)
{
    Q_UNUSED(code)
    auto *client = static_cast<MqttClient *>(self);
    // Reported from inside the library's own call: the loop takes it up.
    QMetaObject::invokeMethod(client, &MqttClient::lost, Qt::QueuedConnection);
}

void MqttClient::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    auto *client = static_cast<MqttClient *>(self);
    // The library holds the message once; nothing larger than any message of
    // ours is copied from it.
    if (message->payloadlen > kMaxMessageBytes) {
        qCWarning(lcGateway).noquote() << "broker: a message of" << message->payloadlen
                                       << "bytes on" << QString::fromUtf8(message->topic)
                                       << "was dropped (more than" << kMaxMessageBytes << "bytes)";
        return;
    }
    const QByteArray payload(static_cast<const char *>(message->payload), message->payloadlen);
    Q_EMIT client->messageReceived(QString::fromUtf8(message->topic), payload, message->retain);
}

void MqttClient::lost()
{
    m_readable.reset();
    m_writable.reset();
    m_misc.stop();
    const bool wasConnected = m_connected;
    m_connected = false;
    if (wasConnected) {
        qCWarning(lcGateway).noquote() << "broker connection lost:" << m_settings.host;
        Q_EMIT connectionLost();
    }
    if (!m_stopped)
        scheduleRetry();
}

void MqttClient::scheduleRetry()
{
    if (m_retry.isActive())
        return;
    // A fifth either way, so that many bridges do not come back at once.
    const int jitter =
        int(QRandomGenerator::global()->bounded(m_retryMs / 5 * 2 + 1)) - m_retryMs / 5;
    m_retry.start(m_retryMs + jitter);
    m_retryMs = qMin(m_retryMs * 2, kLastRetryMs);
}

void MqttClient::retry()
{
    if (m_stopped)
        return;
    const int rc = mosquitto_reconnect_async(m_handle);
    if (rc != MOSQ_ERR_SUCCESS) {
        scheduleRetry();
        return;
    }
    watchSocket();
}

bool MqttClient::publish(const QString &topic, const QByteArray &payload, bool retain)
{
    if (!m_connected)
        return false;
    const int rc = mosquitto_publish(m_handle, nullptr, bytesOf(topic).constData(),
                                     int(payload.size()), payload.constData(), 1, retain);
    if (m_writable)
        m_writable->setEnabled(mosquitto_want_write(m_handle));
    return rc == MOSQ_ERR_SUCCESS;
}

bool MqttClient::subscribe(const QString &pattern)
{
    if (!m_connected)
        return false;
    const bool done =
        mosquitto_subscribe(m_handle, nullptr, bytesOf(pattern).constData(), 1) == MOSQ_ERR_SUCCESS;
    if (m_writable)
        m_writable->setEnabled(mosquitto_want_write(m_handle));
    return done;
}

void MqttClient::stop()
{
    if (m_handle && m_connected) {
        mosquitto_disconnect(m_handle);
        mosquitto_loop(m_handle, 0, 1);
    }
    m_stopped = true;
    m_connected = false;
    m_retry.stop();
    m_misc.stop();
    m_readable.reset();
    m_writable.reset();
}
