// SPDX-License-Identifier: GPL-3.0-or-later
#include "brokerrig.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {
QString binary(const QString &name)
{
    return QCoreApplication::applicationDirPath() + "/../../src/" + name;
}

bool accepts(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

void stop(QProcess &process, int signal = SIGTERM)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process.processId()), signal);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}
} // namespace

quint16 BrokerRig::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

BrokerRig::BrokerRig() : m_port(freePort()) {}

BrokerRig::~BrokerRig()
{
    stop(m_watcher);
    stop(m_bridge);
    stopSimulator();
    stopBroker();
}

bool BrokerRig::startBroker(const QString &extraConfig)
{
    QFile config(path("mosquitto.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    // As root, mosquitto would become the "mosquitto" user, which cannot
    // read this rig's private folder: it stays who runs the test.
    const passwd *self = ::getpwuid(::getuid());
    config.write(
        QStringLiteral(
            "listener %1 127.0.0.1\npersistence false\nset_tcp_nodelay true\nuser %3\n%2\n")
            .arg(m_port)
            .arg(extraConfig.isEmpty() ? QStringLiteral("allow_anonymous true") : extraConfig,
                 QString::fromLocal8Bit(self ? self->pw_name : "root"))
            .toUtf8());
    config.close();
    m_broker.setProcessChannelMode(QProcess::MergedChannels);
    m_broker.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), config.fileName()});
    if (!m_broker.waitForStarted(5000))
        return false;
    return QTest::qWaitFor([this] { return accepts(m_port); }, 5000);
}

void BrokerRig::stopBroker()
{
    stop(m_broker);
}

bool BrokerRig::startSimulator(const QStringList &arguments)
{
    stopSimulator();
    m_simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_simulator.start(binary("simulator/ardentia-transmitter"),
                      QStringList{"--quiet", "--demo", "--state", path("home.json")} + arguments);
    if (!m_simulator.waitForStarted(5000))
        return false;
    if (!m_simulator.waitForReadyRead(10000) || !m_simulator.readLine().startsWith("listening"))
        return false;
    return m_simulator.state() == QProcess::Running;
}

void BrokerRig::stopSimulator()
{
    stop(m_simulator);
}

int BrokerRig::ctl(const QStringList &arguments)
{
    QProcess process;
    process.start(binary("cli/ardentia-ctl"),
                  QStringList{"--interface", "lo", "--data", path("data")} + arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return -1;
    }
    return process.exitCode();
}

bool BrokerRig::enrolDemoHome()
{
    return ctl({"add-transmitter", "20AA10000001"}) == 0;
}

bool BrokerRig::startBridge(const QStringList &arguments)
{
    m_bridge.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    m_bridge.start(binary("bridge/ardentia-bridge"),
                   QStringList{"--interface", "lo", "--data", path("data"), "--port",
                               QString::number(m_port)} +
                       arguments);
    return m_bridge.waitForStarted(5000);
}

int BrokerRig::stopBridge(int signal)
{
    stop(m_bridge, signal);
    return m_bridge.exitStatus() == QProcess::NormalExit ? m_bridge.exitCode() : -1;
}

bool BrokerRig::waitForBridgeLog(const QString &text, int timeoutMs, int times)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_bridgeLog.count(text.toUtf8()) < times) {
        if (deadline.hasExpired())
            return false;
        m_bridge.waitForReadyRead(100);
        m_bridgeLog += m_bridge.readAllStandardError();
    }
    return true;
}

int BrokerRig::bridgeLogCount(const QString &text)
{
    m_bridgeLog += m_bridge.readAllStandardError();
    return int(m_bridgeLog.count(text.toUtf8()));
}

bool BrokerRig::watch()
{
    QObject::connect(&m_watcher, &QProcess::readyReadStandardOutput, [this] { readWatcher(); });
    m_watcher.start(QStringLiteral("mosquitto_sub"),
                    QStringList{"-p", QString::number(m_port), "-t", "ardentia/#", "-t",
                                "homeassistant/#", "-F", "%r %t %p"} +
                        m_clientArguments);
    return m_watcher.waitForStarted(5000);
}

void BrokerRig::readWatcher()
{
    m_pending += m_watcher.readAllStandardOutput();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        const qsizetype topicEnd = line.indexOf(' ', 2);
        Message message;
        message.retained = line.startsWith('1');
        message.topic = QString::fromUtf8(line.mid(2, topicEnd < 0 ? -1 : topicEnd - 2));
        message.payload = topicEnd < 0 ? QByteArray() : line.mid(topicEnd + 1);
        m_messages.append(message);
    }
}

int BrokerRig::waitFor(const QString &topic, const std::function<bool(const QByteArray &)> &check,
                       int from, int timeoutMs)
{
    int found = -1;
    (void)QTest::qWaitFor(
        [&] {
            for (int i = from; i < m_messages.size(); ++i)
                if (m_messages.at(i).topic == topic &&
                    (!check || check(m_messages.at(i).payload))) {
                    found = i;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

QByteArray BrokerRig::last(const QString &topic) const
{
    for (auto it = m_messages.crbegin(); it != m_messages.crend(); ++it)
        if (it->topic == topic)
            return it->payload;
    return {};
}

QStringList BrokerRig::retainedTopics()
{
    QProcess subscriber;
    subscriber.start(QStringLiteral("mosquitto_sub"),
                     QStringList{"-p", QString::number(m_port), "-t", "ardentia/#", "-t",
                                 "homeassistant/#", "--retained-only", "-F", "%t"} +
                         m_clientArguments);
    if (!subscriber.waitForStarted(5000))
        return {};
    // It exits at the first message that is not retained: one is sent until
    // it has subscribed and so has been given every retained one before it.
    const bool finished = QTest::qWaitFor(
        [&] {
            publish(QStringLiteral("ardentia/rig/marker"), "-");
            return subscriber.waitForFinished(200);
        },
        10000);
    if (!finished)
        subscriber.kill();
    const QByteArray output = subscriber.readAllStandardOutput();
    QStringList topics = QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    topics.removeAll(QStringLiteral("ardentia/rig/marker"));
    return topics;
}

void BrokerRig::publish(const QString &topic, const QByteArray &payload, bool retain)
{
    QStringList arguments{"-p", QString::number(m_port), "-t", topic};
    if (payload.isEmpty() && retain)
        arguments << "-n";
    else
        arguments << "-m" << QString::fromUtf8(payload);
    if (retain)
        arguments << "-r";
    QProcess::execute(QStringLiteral("mosquitto_pub"), arguments);
}

QVariantMap BrokerRig::simulatedChannel(const QString &id) const
{
    QFile file(path("home.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonArray channels =
        QJsonDocument::fromJson(file.readAll()).object().value("channels").toArray();
    for (const QJsonValue &channel : channels)
        if (channel.toObject().value("id").toString() == id)
            return channel.toObject().toVariantMap();
    return {};
}
