// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mqtt/mqttclient.h"

#include <QProcess>
#include <QTemporaryDir>

// Settings for a client of the broker on loopback.
MqttClient::Settings loopbackBroker(quint16 port, const QString &clientId);

// A mosquitto of our own on a free loopback port.
class Broker {
public:
    bool start();
    ~Broker();

    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;
};
