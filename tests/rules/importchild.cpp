// SPDX-License-Identifier: GPL-3.0-or-later
// Imports the configuration text of a file into the store of $XDG_DATA_HOME:
// a process for a test to kill in the middle of an import. It says
// "rebuilding" once the rebuild has written its 100th channel, and then
// waits there to be killed, so that the kill always lands inside the rebuild.
#include "control/configurationimport.h"
#include "core/programobjects.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QFile>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
void holdInsideTheRebuild(void *, int operation, const char *, const char *table, sqlite3_int64)
{
    static int channels = 0;
    if (operation != SQLITE_INSERT || std::strcmp(table, "MainDevice") != 0 || ++channels != 100)
        return;
    std::printf("rebuilding\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("ardentia-home"));
    QFile file(app.arguments().value(1));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QString text = QString::fromUtf8(file.readAll());
    ProgramObjects objects;
    Database::Session session; // the connection the rebuild will use
    if (!session.isOpen())
        return 2;
    sqlite3_update_hook(session.handle(), holdInsideTheRebuild, nullptr);
    const bool committed = ConfigurationImport(objects.services()).rebuildStoreFrom(text);
    std::printf(committed ? "done\n" : "failed\n");
    return committed ? 0 : 1;
}
