// SPDX-License-Identifier: GPL-3.0-or-later
#include "storebench.h"

#include "control/delegatemanager.h"
#include "control/homelists.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <functional>

namespace {
constexpr int kChannels = 500;
constexpr int kScenarios = 8;
constexpr int kMembers = 60;
constexpr int kRepeats = 20;

QString channelId(int i)
{
    return QStringLiteral("B2%1").arg(i, 10, 10, QLatin1Char('0'));
}

QVariantMap channel(int i)
{
    return RecordFactory::device(channelId(i), Value::dimming, channelId(i - i % 3),
                                 QStringLiteral("Light %1").arg(i));
}

void buildHome()
{
    Database::instance()->removeFiles();
    DelegateManager::instance()->initApplicationNeedData();
    Database *store = Database::instance();
    Database::Session session; // building is not what is measured
    for (int t = 0; t < 3; ++t)
        store->insertSuperBoxWithInfo(
            RecordFactory::transmitter(QStringLiteral("A1000000000%1").arg(t),
                                       QStringLiteral("10.0.0.%1").arg(t + 2), t == 0));
    for (int i = 0; i < kChannels; ++i)
        store->insertMainDeviceWithInfo(channel(i));
    for (int s = 1; s <= kScenarios; ++s) {
        QVariantList members;
        for (int m = 0; m < kMembers; ++m)
            members.append(channel((s * 37 + m * 7) % kChannels));
        store->insertScenarioWithInfo(
            RecordFactory::userScenario(QString::number(s), QStringLiteral("Scenario %1").arg(s),
                                        Value::importedScenarioImage, members));
    }
}

// Median of several runs, in milliseconds.
double medianMs(const std::function<void()> &work, int repeats = kRepeats)
{
    QList<double> times;
    QElapsedTimer clock;
    for (int r = 0; r < repeats; ++r) {
        clock.start();
        work();
        times.append(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void row(const char *name, const std::function<void()> &work, int repeats = kRepeats)
{
    // Each operation alone: the kept connection, with the check that the
    // file at the store's path is still the one it holds.
    const double perOperation = medianMs(work, repeats);
    double kept;
    {
        Database::Session session; // the floor: no check between operations
        kept = medianMs(work, repeats);
    }
    std::printf("  %-34s %9.3f ms %9.3f ms %7.1fx\n", name, perOperation, kept,
                kept > 0 ? perOperation / kept : 0.0);
}
} // namespace

void runStoreBench()
{
    buildHome();
    Database *store = Database::instance();
    std::printf("\nStore, %d channels, %d scenarios of %d members, 3 transmitters\n", kChannels,
                kScenarios, kMembers);
    std::printf("  %-34s %12s %12s %8s\n", "operation", "each alone", "one session", "ratio");
    row("readAllMainDeviceInfo", [store] { store->readAllMainDeviceInfo(); });
    row("readAllScenarioInfo (480 members)", [store] { store->readAllScenarioInfo(); });
    row("HomeLists::load (home refresh)", [] { HomeLists::load(); });
    row("selectMainDeviceWithMainID",
        [store] { store->selectMainDeviceWithMainID(channelId(250)); });
    row("updateMainDeviceWithMainID",
        [store] { store->updateMainDeviceWithMainID(channelId(250), channel(250)); });
    row(
        "500 inserts",
        [store] {
            for (int i = 0; i < kChannels; ++i)
                store->insertMainDeviceWithInfo(channel(kChannels + i));
        },
        3);
    std::printf("  (target: each read-all under 10 ms; the home refreshes after every reply)\n");
    std::fflush(stdout);
}
