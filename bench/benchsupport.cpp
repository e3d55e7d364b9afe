// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchsupport.h"

#include "control/delegatemanager.h"
#include "control/udpsocketmanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <unistd.h>

bool runUntil(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return double(fields.value(1).toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

QString benchLightId(int k)
{
    return QStringLiteral("2113%1").arg(k, 8, 10, QLatin1Char('0'));
}

QVariantMap storedBenchLight(int k)
{
    return Database::instance()->deviceRecordWithMainID(benchLightId(k)).value_or(QVariantMap());
}

std::unique_ptr<TransmitterServer> homeWithLights(int lights)
{
    const QString master = QStringLiteral("20AA10000001");
    Database::instance()->removeFiles();
    DelegateManager::instance()->initApplicationNeedData();
    SimulatedHome home;
    home.addTransmitter({master, QStringLiteral("127.0.0.2"), SimulatedHome::Role::Master, true});
    QVariantMap stored = RecordFactory::transmitter(master, QStringLiteral("127.0.0.2"), true);
    stored.insert(Key::command, Value::yes);
    Database::instance()->insertSuperBoxWithInfo(stored);
    for (int k = 0; k < lights; ++k) {
        home.addChannel({benchLightId(k), benchLightId(k), master, {}, true});
        Database::instance()->insertMainDeviceWithInfo(RecordFactory::device(
            benchLightId(k), QStringLiteral("S"), benchLightId(k), benchLightId(k)));
    }
    auto simulator = std::make_unique<TransmitterServer>(std::move(home));
    simulator->setLogging(false);
    QString error;
    if (!simulator->start(0, 0, &error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return nullptr;
    }
    UDPSocketManager::instance()->setTransmitterPort(simulator->datagramPort());
    return simulator;
}
