// SPDX-License-Identifier: GPL-3.0-or-later
#include "freshprogram.h"
#include "rawsql.h"
#include "schedule/hometargets.h"
#include "schedule/schedulerules.h"
#include "schedule/schedulestore.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "testmain.h"

#include <sqlite3.h>

#include <functional>

namespace {
const QString kLight = QStringLiteral("A1010101");
const QString kDimmer = QStringLiteral("A2020202");

Schedule switchAt(const QString &name, const QString &channel = kLight)
{
    Schedule schedule;
    schedule.name = name;
    schedule.action.kind = ScheduleAction::Kind::Switch;
    schedule.action.target = channel;
    schedule.action.on = true;
    schedule.time.at = QTime(7, 0);
    return schedule;
}

Schedule scenarioAt(const QString &name, const QString &scenario)
{
    Schedule schedule = switchAt(name);
    schedule.action = {ScheduleAction::Kind::RunScenario, scenario};
    return schedule;
}

// Every row of the store's tables, as any program reading the file sees it.
QStringList allRows()
{
    QStringList rows;
    sqlite3 *db = nullptr;
    sqlite3_open(Database::databasePath().toUtf8().constData(), &db);
    for (const char *table : {"SuperBox", "MainDevice", "Scenario", "Schedule", "HomeLocation"}) {
        sqlite3_stmt *select = nullptr;
        const QByteArray sql = QByteArray("SELECT * FROM ") + table + " ORDER BY ID;";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &select, nullptr) != SQLITE_OK)
            continue;
        while (sqlite3_step(select) == SQLITE_ROW) {
            QStringList columns{QString::fromLatin1(table)};
            for (int c = 0; c < sqlite3_column_count(select); ++c)
                columns.append(QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(select, c))));
            rows.append(columns.join(QLatin1Char('|')));
        }
        sqlite3_finalize(select);
    }
    sqlite3_close(db);
    return rows;
}

QStringList names(const QList<Schedule> &schedules)
{
    QStringList names;
    for (const Schedule &schedule : schedules)
        names.append(schedule.name);
    return names;
}
} // namespace

class TestScheduleStore : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    Database *database = nullptr;
    std::optional<ScheduleStore> store;

    HomeTargets targets() { return *HomeTargets::fromStore(database); }

    void addChannel(const QString &id, const QString &control)
    {
        QVERIFY(database->insertMainDeviceWithInfo(
            RecordFactory::device(id, control, id, QStringLiteral("Channel"))));
    }

private Q_SLOTS:
    void init()
    {
        program.emplace(FreshProgram::Home::Empty);
        database = Database::instance();
        store.emplace(database);
        addChannel(kLight, Value::switching);
        addChannel(kDimmer, Value::dimming);
        QVERIFY(database->insertScenarioWithInfo(RecordFactory::userScenario(
            QStringLiteral("3"), QStringLiteral("Evening"), QString(),
            {RecordFactory::device(kLight, Value::switching, kLight, QStringLiteral("Channel"))})));
    }

    void cleanup()
    {
        store.reset();
        program.reset();
    }

    void savedSchedulesComeBackAndGo()
    {
        Schedule morning = switchAt(QStringLiteral("Morning"));
        Schedule evening = scenarioAt(QStringLiteral("Evening"), QStringLiteral("3"));
        QVERIFY(!store->save(morning, targets()));
        QVERIFY(!store->save(evening, targets()));
        QVERIFY(morning.id > 0 && evening.id > morning.id);
        QCOMPARE(store->schedulesIfReadable(), (QList<Schedule>{morning, evening}));

        morning.name = QStringLiteral("Early");
        morning.time.at = QTime(5, 45);
        QVERIFY(!store->save(morning, targets()));
        QCOMPARE(store->scheduleWithId(morning.id), morning);

        QVERIFY(store->remove(morning.id));
        QVERIFY(!store->remove(morning.id));
        QCOMPARE(names(*store->schedulesIfReadable()), QStringList{QStringLiteral("Evening")});
    }

    // A refused change leaves every row of the store as it was.
    void refusalsChangeNothing_data()
    {
        QTest::addColumn<std::function<std::optional<ScheduleProblem>(ScheduleStore &)>>("attempt");
        QTest::addColumn<QString>("problem");
        using Attempt = std::function<std::optional<ScheduleProblem>(ScheduleStore &)>;
        const auto saving = [](Schedule schedule) {
            return Attempt([schedule](ScheduleStore &store) mutable {
                return store.save(schedule, *HomeTargets::fromStore(Database::instance()));
            });
        };
        QTest::newRow("unknown channel")
            << saving(switchAt(QStringLiteral("x"), "B9")) << "The home has no channel B9.";
        QTest::newRow("unknown scenario")
            << saving(scenarioAt(QStringLiteral("x"), "8")) << "The home has no scenario 8.";
        Schedule tooBright = switchAt(QStringLiteral("x"), kDimmer);
        tooBright.action.kind = ScheduleAction::Kind::Dim;
        tooBright.action.level = 150;
        QTest::newRow("level out of range")
            << saving(tooBright) << "A level is from 0 to 100, not 150.";
        Schedule missing = switchAt(QStringLiteral("x"));
        missing.id = 999;
        QTest::newRow("a schedule that is not there")
            << saving(missing) << "The home has no schedule 999.";
        Schedule sunrise = switchAt(QStringLiteral("x"));
        sunrise.time.kind = ScheduleTime::Kind::Sunrise;
        QTest::newRow("sunrise before the location is set")
            << saving(sunrise)
            << "Set the home's location first: sunrise and sunset are reckoned from it.";
        QTest::newRow("location off the globe") << Attempt([](ScheduleStore &store) {
            return store.setLocation({-100, 0});
        }) << "The latitude must be from -90 (south) to 90 (north) degrees.";
    }
    void refusalsChangeNothing()
    {
        QFETCH(std::function<std::optional<ScheduleProblem>(ScheduleStore &)>, attempt);
        QFETCH(QString, problem);
        Schedule kept = switchAt(QStringLiteral("Kept"));
        QVERIFY(!store->save(kept, targets()));
        const QStringList before = allRows();
        const std::optional<ScheduleProblem> refused = attempt(*store);
        QCOMPARE(refused ? refused->text() : QString(), problem);
        QCOMPARE(allRows(), before);
    }

    // 64 schedules, no more; one removed makes room for another.
    void atMost64()
    {
        for (int i = 1; i <= ScheduleStore::kMaxSchedules; ++i) {
            Schedule schedule = switchAt(QStringLiteral("S%1").arg(i));
            QVERIFY(!store->save(schedule, targets()));
        }
        Schedule extra = switchAt(QStringLiteral("S65"));
        const std::optional<ScheduleProblem> refused = store->save(extra, targets());
        QVERIFY(refused);
        QCOMPARE(refused->text(), QStringLiteral("A home has at most 64 schedules."));
        QCOMPARE(extra.id, 0);
        QCOMPARE(store->schedulesIfReadable()->size(), 64);

        Schedule first = store->schedulesIfReadable()->first();
        first.name = QStringLiteral("Changed"); // changing one is no 65th
        QVERIFY(!store->save(first, targets()));
        QVERIFY(store->remove(first.id));
        QVERIFY(!store->save(extra, targets()));
    }

    void locationIsKept()
    {
        QVERIFY(!store->location());
        QVERIFY(!store->setLocation({-33.87, 151.21}));
        QCOMPARE(store->location(), (HomeLocation{-33.87, 151.21}));
        Schedule sunset = switchAt(QStringLiteral("Dusk"));
        sunset.time.kind = ScheduleTime::Kind::Sunset;
        sunset.time.offsetMinutes = -20;
        QVERIFY(!store->save(sunset, targets()));
    }

    // After a channel or scenario goes, the schedules that used it are
    // switched off and say why; switched on again (with a target the home
    // has), the reason goes.
    void schedulesOfRemovedTargetsAreSwitchedOff_data()
    {
        QTest::addColumn<std::function<void()>>("removal");
        QTest::addColumn<QStringList>("switchedOff");
        QTest::addColumn<QString>("reason");
        QTest::newRow("nothing removed")
            << std::function<void()>([] {}) << QStringList() << QString();
        QTest::newRow("channel removed")
            << std::function<void()>(
                   [] { Database::instance()->deleteMainDeviceWithMainID(kDimmer); })
            << QStringList{QStringLiteral("Dim")}
            << "Switched off: its channel A2020202 was removed from the home.";
        QTest::newRow("scenario removed")
            << std::function<void()>(
                   [] { Database::instance()->deleteScenarioWithMainID(QStringLiteral("3")); })
            << QStringList{QStringLiteral("Scene")}
            << "Switched off: its scenario 3 was removed from the home.";
        QTest::newRow("dimmer replaced by a curtain")
            << std::function<void()>([] {
                   Database::instance()->insertMainDeviceWithInfo(RecordFactory::device(
                       kDimmer, Value::curtainControl, kDimmer, QStringLiteral("Curtain")));
               })
            << QStringList{QStringLiteral("Dim")}
            << "Switched off: its channel A2020202 no longer takes this action.";
        QTest::newRow("whole home synchronised away")
            << std::function<void()>([] { Database::instance()->dropHomeTables(); })
            << QStringList{QStringLiteral("Light"), QStringLiteral("Dim"), QStringLiteral("Scene")}
            << QString();
    }
    void schedulesOfRemovedTargetsAreSwitchedOff()
    {
        QFETCH(std::function<void()>, removal);
        QFETCH(QStringList, switchedOff);
        QFETCH(QString, reason);
        Schedule light = switchAt(QStringLiteral("Light"));
        Schedule dim = switchAt(QStringLiteral("Dim"), kDimmer);
        dim.action.kind = ScheduleAction::Kind::Dim;
        Schedule scene = scenarioAt(QStringLiteral("Scene"), QStringLiteral("3"));
        for (Schedule *schedule : {&light, &dim, &scene})
            QVERIFY(!store->save(*schedule, targets()));

        removal();
        database->creatDatabase();
        const QList<Schedule> changed = store->switchOffUnrunnable(targets());
        QCOMPARE(names(changed), switchedOff);
        const QList<Schedule> stored = *store->schedulesIfReadable();
        for (const Schedule &schedule : stored) {
            QCOMPARE(schedule.enabled, !switchedOff.contains(schedule.name));
            QCOMPARE(schedule.offReason != Schedule::OffReason::None, !schedule.enabled);
        }
        if (!reason.isEmpty())
            QCOMPARE(ScheduleRules::offReasonText(changed.first())->text(), reason);
        QVERIFY(store->switchOffUnrunnable(targets()).isEmpty()); // said once

        if (switchedOff == QStringList{QStringLiteral("Dim")}) { // its owner points it elsewhere
            Schedule again = changed.first();
            again.action = light.action;
            again.enabled = true;
            QVERIFY(!store->save(again, targets()));
            QCOMPARE(store->scheduleWithId(again.id)->offReason, Schedule::OffReason::None);
        }
    }

    // A store made before schedules existed opens with everything in it,
    // gains the tables, and what an older program reads stays the same.
    void anOlderStoreIsKeptWhole()
    {
        store.reset();
        database->removeFiles();
        for (
            const char *sql :
            {"CREATE TABLE MainDevice (ID INTEGER PRIMARY KEY, MAININFO TEXT, TYPE TEXT, MAINID "
             "TEXT);",
             "CREATE TABLE SuperBox (ID INTEGER PRIMARY KEY, INFO TEXT, TYPE TEXT, MAINID TEXT);",
             "CREATE TABLE Scenario (ID INTEGER PRIMARY KEY, INFO TEXT, MAINID TEXT, CONTROLTIMES "
             "TEXT);",
             R"(INSERT INTO SuperBox VALUES (1, '{"id":"T1","type":"SuperBox"}', 'SuperBox', 'T1');)",
             R"(INSERT INTO MainDevice VALUES (4, '{"id":"A1010101","type":"Lighting","control":"S"}', 'Lighting', 'A1010101');)",
             R"(INSERT INTO Scenario VALUES (2, '{"mainID":"-1","sceneArray":"ALLDEVICEON"}', '-1', '12');)"})
            QVERIFY2(rawSql(sql), sql);
        const QStringList before = allRows();
        auto older = [] {
            sqlite3 *db = nullptr;
            sqlite3_open(Database::databasePath().toUtf8().constData(), &db);
            QStringList tables;
            sqlite3_stmt *select = nullptr;
            sqlite3_prepare_v2(db,
                               "SELECT name, sql FROM sqlite_master WHERE name IN "
                               "('MainDevice','SuperBox','Scenario') ORDER BY name;",
                               -1, &select, nullptr);
            while (sqlite3_step(select) == SQLITE_ROW)
                tables.append(QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(select, 1))));
            sqlite3_finalize(select);
            sqlite3_close(db);
            return tables;
        };
        const QStringList oldTables = older();

        store.emplace(database);
        QCOMPARE(store->schedulesIfReadable(), QList<Schedule>());
        Schedule morning = switchAt(QStringLiteral("Morning"));
        QVERIFY(!store->save(morning, targets()));
        QVERIFY(!store->setLocation({60.17, 24.94}));

        const QStringList after = allRows();
        QCOMPARE(after.mid(0, before.size()), before);
        QCOMPARE(after.size(), before.size() + 2); // the schedule and the location
        QCOMPARE(older(), oldTables);
        QCOMPARE(database->readAllScenarioInfo().first().value(Key::controlTimes).toString(),
                 QStringLiteral("12"));
    }

    // A row that cannot be read is passed over; the rest are there.
    void aDamagedRowIsPassedOver()
    {
        Schedule kept = switchAt(QStringLiteral("Kept"));
        QVERIFY(!store->save(kept, targets()));
        QVERIFY(rawSql("INSERT INTO Schedule (INFO) VALUES ('{\"name\": 5}');"));
        QVERIFY(rawSql("INSERT INTO Schedule (INFO) VALUES ('not json');"));
        QCOMPARE(names(*store->schedulesIfReadable()), QStringList{QStringLiteral("Kept")});
    }

    // Emptying the home empties its schedules and forgets its location; a
    // synchronisation rebuilds the rest of the home and leaves them.
    void wipeAndSynchronisation()
    {
        Schedule kept = switchAt(QStringLiteral("Kept"));
        QVERIFY(!store->save(kept, targets()));
        QVERIFY(!store->setLocation({1, 2}));
        database->dropHomeTables();
        database->creatDatabase();
        QCOMPARE(names(*store->schedulesIfReadable()), QStringList{QStringLiteral("Kept")});
        QVERIFY(store->location());
        QVERIFY(database->wipeHome());
        QCOMPARE(store->schedulesIfReadable(), QList<Schedule>());
        QVERIFY(!store->location());
    }
};

ARDENTIA_TEST_MAIN(TestScheduleStore)
#include "tst_schedulestore.moc"
