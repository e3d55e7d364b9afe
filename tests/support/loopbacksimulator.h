// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"

#include <QtTest>

#include <memory>

// The transmitter simulator in this process on ephemeral loopback ports, with
// the app's command channel and import pointed at it; null (and a warning)
// when it cannot start.
inline std::unique_ptr<TransmitterServer> startLoopbackSimulator(SimulatedHome home)
{
    auto simulator = std::make_unique<TransmitterServer>(std::move(home));
    simulator->setLogging(false);
    QString error;
    if (!simulator->start(0, 0, &error)) {
        qWarning("simulator: %s", qPrintable(error));
        return nullptr;
    }
    UDPSocketManager::instance()->setTransmitterPort(simulator->datagramPort());
    TCPSocketManager::instance()->setImportPort(simulator->streamPort());
    return simulator;
}

// The demo home's master, stored with its role confirmed.
inline void storeDemoMaster()
{
    QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.2", true);
    master.insert(Key::command, Value::yes);
    Database::instance()->insertSuperBoxWithInfo(master);
}
