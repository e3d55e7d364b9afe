// SPDX-License-Identifier: GPL-3.0-or-later
#include "importbench.h"

#include "control/configurationimport.h"
#include "control/delegatemanager.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "store/sqlitestatement.h"

#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>

#include <cstdio>

namespace {
constexpr int kChannels = 1000;
constexpr int kRuns = 5;

// Every channel in all 8 scenarios (the most JSON a home can need), or in one.
QByteArray configuration(bool inEveryScenario)
{
    QByteArray text;
    for (int t = 1; t <= 4; ++t)
        text += QStringLiteral("$gw,1,20AA1000000%1,127.0.0.%2,%3,0,0\n")
                    .arg(t)
                    .arg(t + 1)
                    .arg(t == 1 ? "m" : "s")
                    .toUtf8();
    for (int i = 0; i < kChannels; ++i)
        text +=
            QStringLiteral("$actuation,21%1%2,20AA10000001,Channel %3,1,%4,8090A0B0C0D0E0F0,0\n")
                .arg(1 + i % 3)
                .arg(i, 9, 10, QLatin1Char('0'))
                .arg(i)
                .arg(inEveryScenario
                         ? QStringLiteral("FF")
                         : QStringLiteral("%1").arg(0x80 >> (i % 8), 2, 16, QLatin1Char('0')))
                .toUtf8();
    for (int s = 1; s <= 8; ++s)
        text += QStringLiteral("$scenario,%1,Scenario %1\n").arg(s).toUtf8();
    return text + "$req,gw,end,import\n";
}

void freshStore()
{
    Database::instance()->removeFiles();
    DelegateManager::instance()->initApplicationNeedData();
    QVariantMap master = RecordFactory::transmitter("20AA10000001", "127.0.0.2", true);
    Database::instance()->insertSuperBoxWithInfo(master);
}

struct Rows {
    QList<QByteArray> devices;
    QList<QByteArray> scenarios;
    QList<QByteArray> transmitters;
};

// The rows the import writes, as JSON, ready to insert.
Rows rowsOfTheImport(bool inEveryScenario)
{
    Rows rows;
    QVariantList members;
    QList<QVariantList> perScenario(8);
    for (int i = 0; i < kChannels; ++i) {
        const QString id = QStringLiteral("21%1%2").arg(1 + i % 3).arg(i, 9, 10, QLatin1Char('0'));
        const QVariantMap device = RecordFactory::device(id, "S", id, "Channel");
        rows.devices.append(*JsonCodec::JSONBytes(device));
        members.append(device);
        perScenario[i % 8].append(device);
    }
    for (int s = 1; s <= 8; ++s)
        rows.scenarios.append(*JsonCodec::JSONBytes(RecordFactory::userScenario(
            QString::number(s), "Scenario", "i", inEveryScenario ? members : perScenario[s - 1])));
    for (int t = 2; t <= 4; ++t)
        rows.transmitters.append(*JsonCodec::JSONBytes(RecordFactory::transmitter("x", "", false)));
    return rows;
}

void insertAll(sqlite3 *db, const char *sql, const QList<QByteArray> &rows)
{
    SqliteStatement insert(db, sql);
    for (const QByteArray &row : rows) {
        insert.bind(1, row).bind(2, QStringLiteral("a")).bind(3, QStringLiteral("b"));
        insert.execute();
        insert.reset();
    }
}

double floorMs(const Rows &rows)
{
    freshStore();
    QElapsedTimer clock;
    clock.start();
    {
        // Closed inside the measure, as the import's connection is: the
        // write-ahead log is folded into the file then.
        Database::Session session;
        SqliteStatement(session.handle(), "BEGIN;").execute();
        insertAll(session.handle(),
                  "INSERT INTO SuperBox (INFO, TYPE, MAINID) VALUES (?1, ?2, ?3);",
                  rows.transmitters);
        insertAll(session.handle(),
                  "INSERT INTO MainDevice (MAININFO, TYPE, MAINID) VALUES (?1, ?2, ?3);",
                  rows.devices);
        insertAll(session.handle(),
                  "INSERT INTO Scenario (INFO, MAINID, CONTROLTIMES) VALUES (?1, ?2, ?3);",
                  rows.scenarios);
        SqliteStatement(session.handle(), "COMMIT;").execute();
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

void measure(const HomeServices &home, bool inEveryScenario)
{
    const QByteArray text = configuration(inEveryScenario);
    const Rows rows = rowsOfTheImport(inEveryScenario);
    QList<double> imports, floors;
    for (int r = 0; r < kRuns; ++r) {
        freshStore();
        QElapsedTimer clock;
        clock.start();
        ConfigurationImport(home).rebuildStoreFrom(QString::fromUtf8(text));
        imports.append(double(clock.nsecsElapsed()) / 1e6);
        floors.append(floorMs(rows));
    }
    std::sort(imports.begin(), imports.end());
    std::sort(floors.begin(), floors.end());
    const double import = imports.at(kRuns / 2), floor = floors.at(kRuns / 2);
    std::printf("  %-28s %9.1f ms %9.1f ms %7.1fx\n",
                inEveryScenario ? "each channel in all 8" : "each channel in one", import, floor,
                floor > 0 ? import / floor : 0.0);
}
} // namespace

void runImportBench(const HomeServices &home)
{
    std::printf("\nImport, %d channels, 8 scenarios, 4 transmitters, text to committed store\n",
                kChannels);
    std::printf("  %-28s %12s %12s %8s\n", "scenario membership", "import", "floor", "ratio");
    measure(home, false);
    measure(home, true);
    std::printf("  (floor: the same rows, already as JSON, through prepared inserts in one\n"
                "   transaction; target: under 250 ms and within 3x of the floor)\n");
    std::fflush(stdout);
}
