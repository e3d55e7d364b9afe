#include "channelbench.h"

#include "gateway/localaddress.h"

#include <QCoreApplication>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    // Loopback only, and never the user's own data.
    LocalAddress::setInterfaceOverride(QStringLiteral("lo"));
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ardentia-home"));

    const int exchanges = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    runChannelBench(exchanges > 0 ? exchanges : 10000);
    return 0;
}
