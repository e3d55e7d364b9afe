// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupbench.h"
#include "channelbench.h"
#include "importbench.h"
#include "livebench.h"
#include "mqttbench.h"
#include "refreshbench.h"
#include "schedulebench.h"
#include "soakbench.h"
#include "storebench.h"

#include "control/delegatemanager.h"
#include "core/programobjects.h"
#include "transport/localaddress.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>

int main(int argc, char **argv)
{
    // Loopback only, and never the user's own data.
    LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ardentia-home"));

    // ardentia-bench [channel|store|import|soak|refresh|mqtt|live|backup|schedule] [count]
    const QStringList args = app.arguments().mid(1);
    const QString only = args.value(0);
    const int exchanges = args.value(1).toInt();
    // Each benchmark asked for runs on a fresh set of the program's objects.
    const auto run = [&only](const char *name,
                             const std::function<void(const HomeServices &)> &bench) {
        if (!only.isEmpty() && only != QLatin1String(name))
            return;
        ProgramObjects objects;
        objects.services().files.initApplicationNeedData(); // the tables, as a program starts
        bench(objects.services());
    };
    run("channel",
        [exchanges](const HomeServices &) { runChannelBench(exchanges > 0 ? exchanges : 10000); });
    run("store", runStoreBench);
    run("import", runImportBench);
    run("refresh", [](const HomeServices &home) { runRefreshBench(home); });
    run("soak", [exchanges](const HomeServices &home) {
        runSoakBench(home, exchanges > 0 ? exchanges : 10000);
    });
    run("mqtt", [exchanges](const HomeServices &home) {
        runMqttBench(home, exchanges > 0 ? exchanges : 2000);
    });
    run("live", [exchanges](const HomeServices &home) {
        runLiveBench(home, exchanges > 0 ? exchanges : 200);
    });
    run("backup", [](const HomeServices &) { runBackupBench(); });
    run("schedule", [](const HomeServices &) { runScheduleBench(); });
    return 0;
}
