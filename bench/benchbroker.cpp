// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchbroker.h"

#include "benchsupport.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

MqttClient::Settings loopbackBroker(quint16 port, const QString &clientId)
{
    MqttClient::Settings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    settings.clientId = clientId;
    return settings;
}

bool Broker::start()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    port = probe.serverPort();
    probe.close();
    QFile config(dir.filePath(QStringLiteral("mosquitto.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\n"
                                "persistence false\nuser root\nset_tcp_nodelay true\n")
                     .arg(port)
                     .toUtf8());
    config.close();
    process.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), config.fileName()});
    if (!process.waitForStarted(3000))
        return false;
    return runUntil(
        [this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.waitForConnected(100);
        },
        5000);
}

Broker::~Broker()
{
    process.terminate();
    process.waitForFinished(3000);
}
