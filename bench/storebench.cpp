// SPDX-License-Identifier: GPL-3.0-or-later
#include "storebench.h"

#include "largehome.h"

#include "control/homelists.h"
#include "store/database.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <functional>

namespace {
constexpr int kRepeats = 20;

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

void runStoreBench(const HomeServices &home)
{
    buildLargeHome();
    Database *store = Database::instance();
    std::printf("\nStore, %d channels, %d scenarios of %d members, 3 transmitters\n",
                kLargeHomeChannels, kLargeHomeScenarios, kLargeHomeMembers);
    std::printf("  %-34s %12s %12s %8s\n", "operation", "each alone", "one session", "ratio");
    row("readAllMainDeviceInfo", [store] { store->readAllMainDeviceInfo(); });
    row("readAllScenarioInfo (480 members)", [store] { store->readAllScenarioInfo(); });
    row("HomeLists::load (home refresh)", [&home] { HomeLists::load(home); });
    row("selectMainDeviceWithMainID",
        [store] { store->selectMainDeviceWithMainID(largeHomeChannelId(250)); });
    row("updateMainDeviceWithMainID", [store] {
        store->updateMainDeviceWithMainID(largeHomeChannelId(250), largeHomeChannel(250));
    });
    row(
        "500 inserts",
        [store] {
            for (int i = 0; i < kLargeHomeChannels; ++i)
                store->insertMainDeviceWithInfo(largeHomeChannel(kLargeHomeChannels + i));
        },
        3);
    std::printf("  (target: each read-all under 10 ms; the home refreshes after every reply)\n");
    std::fflush(stdout);
}
