// Imports the configuration text of a file into the store of $XDG_DATA_HOME,
// saying when it starts and when it is done: a process for a test to kill
// in the middle of an import.
#include "gateway/configurationimport.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ardentia-home"));
    QFile file(app.arguments().value(1));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QString text = QString::fromUtf8(file.readAll());
    std::printf("importing\n");
    std::fflush(stdout);
    const bool committed = ConfigurationImport::rebuildStoreFrom(text);
    std::printf(committed ? "done\n" : "failed\n");
    return committed ? 0 : 1;
}
