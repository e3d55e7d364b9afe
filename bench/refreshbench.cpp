// SPDX-License-Identifier: GPL-3.0-or-later
#include "refreshbench.h"

#include "benchsupport.h"

#include "latencystats.h"

#include "control/delegatemanager.h"
#include "control/devicecommands.h"
#include "control/udpsocketmanager.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "transmitterserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <cstdio>
#include <memory>

namespace {
constexpr int kPresses = 60;

// The home of many lights, every reply held back 0-50 ms.
std::unique_ptr<TransmitterServer> homeWithSlowLights(int lights)
{
    auto simulator = homeWithLights(lights);
    if (simulator)
        simulator->faults().add(*FaultRule::parse(QStringLiteral("*:*:*=delay:0-50"), nullptr));
    return simulator;
}

void waitUntil(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Microseconds from the press to its acknowledgement.
double pressLatency(const HomeServices &home, int light)
{
    UDPSocketManager *channel = UDPSocketManager::instance();
    bool acknowledged = false;
    const QString id = benchLightId(light);
    const auto connection = QObject::connect(
        channel, &UDPSocketManager::commandSettled, [&](const QStringList &fields, bool) {
            if (fields.value(2) == id && fields.value(3) == QLatin1String("4"))
                acknowledged = true;
        });
    const QVariantMap record = storedBenchLight(light);
    QElapsedTimer clock;
    clock.start();
    DeviceCommands(home).switchLight(record, record.value(Key::turnOn) != Value::yes);
    waitUntil([&] { return acknowledged; });
    QObject::disconnect(connection);
    return double(clock.nsecsElapsed()) / 1000.0;
}

void refreshAll(int lights)
{
    for (int k = 0; k < lights; ++k)
        UDPSocketManager::instance()->queryStateInBackground(storedBenchLight(k));
}

void benchRefresh(const HomeServices &home, int lights)
{
    auto simulator = homeWithSlowLights(lights);
    if (!simulator)
        return;
    UDPSocketManager *channel = UDPSocketManager::instance();
    // One bare round trip: a press alone on an idle channel.
    LatencyStats idle;
    for (int i = 0; i < kPresses; ++i) {
        waitUntil([channel] { return channel->isSettled(); });
        idle.add(pressLatency(home, i % lights));
    }
    waitUntil([channel] { return channel->isSettled(); });
    QElapsedTimer clock;
    clock.start();
    refreshAll(lights);
    waitUntil([channel] { return channel->isSettled(); });
    const double perLight = double(clock.nsecsElapsed()) / 1000.0 / lights;

    // Presses while a refresh keeps going: each a few answers into it.
    LatencyStats during;
    for (int i = 0; i < kPresses; ++i) {
        if (channel->backgroundQueue().size() < 4)
            refreshAll(lights);
        const int startedAt = simulator->datagramsAnswered();
        const int into = 1 + QRandomGenerator::global()->bounded(3);
        waitUntil([&] { return simulator->datagramsAnswered() >= startedAt + into; });
        during.add(pressLatency(home, i % lights));
    }
    channel->clearBackgroundQueue();
    waitUntil([channel] { return channel->isSettled(); });
    // The pause of 0.11 s after each reply sets the pace of a refresh.
    std::printf("  %3d lights: refresh %6.1f ms a light, %5.2fx a bare round trip (p50 %.1f ms)\n",
                lights, perLight / 1000.0, perLight / idle.percentile(50),
                idle.percentile(50) / 1000.0);
    std::printf("             press idle    %s\n", qPrintable(idle.summary()));
    std::printf("             press refresh %s\n", qPrintable(during.summary()));
    std::printf("             refresh / idle p50 %5.2fx  p99 %5.2fx  (target: p50 within 2x)\n",
                during.percentile(50) / idle.percentile(50),
                during.percentile(99) / idle.percentile(99));
}
} // namespace

void runRefreshBench(const HomeServices &home)
{
    if (qEnvironmentVariableIsEmpty("ARDENTIA_BENCH_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("ardentia.*.info=false"));
    std::printf("State refresh in the background lane, replies held back 0-50 ms\n");
    benchRefresh(home, 13);
    benchRefresh(home, 100);
    UDPSocketManager::instance()->abandonCommands();
    std::fflush(stdout);
}
