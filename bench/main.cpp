// SPDX-License-Identifier: GPL-3.0-or-later
#include "channelbench.h"
#include "importbench.h"
#include "mqttbench.h"
#include "refreshbench.h"
#include "soakbench.h"
#include "storebench.h"

#include "core/showalertmanager.h"
#include "transport/localaddress.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    // Loopback only, and never the user's own data.
    LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    QCoreApplication app(argc, argv);
    ShowAlertManager::instance(); // the feedback service every flow reports to
    app.setApplicationName(QStringLiteral("ardentia-home"));

    // ardentia-bench [channel|store|import|soak|refresh|mqtt] [count]
    const QStringList args = app.arguments().mid(1);
    const QString only = args.value(0);
    const int exchanges = args.value(1).toInt();
    if (only.isEmpty() || only == QLatin1String("channel"))
        runChannelBench(exchanges > 0 ? exchanges : 10000);
    if (only.isEmpty() || only == QLatin1String("store"))
        runStoreBench();
    if (only.isEmpty() || only == QLatin1String("import"))
        runImportBench();
    if (only.isEmpty() || only == QLatin1String("refresh"))
        runRefreshBench();
    if (only.isEmpty() || only == QLatin1String("soak"))
        runSoakBench(exchanges > 0 ? exchanges : 10000);
    if (only.isEmpty() || only == QLatin1String("mqtt"))
        runMqttBench(exchanges > 0 ? exchanges : 2000);
    return 0;
}
