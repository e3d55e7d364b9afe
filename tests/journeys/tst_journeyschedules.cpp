// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/homeevents.h"
#include "home/homeviewcontroller.h"
#include "journeyapp.h"
#include "rawsql.h"
#include "schedule/hometargets.h"
#include "schedule/schedulestore.h"
#include "schedules/schedulelistviewcontroller.h"
#include "schedules/schedulerow.h"
#include "store/database.h"
#include "views/uiresources.h"
#include "widgettestmain.h"

#include <QLabel>
#include <QLocale>
#include <QTranslator>

// The home's schedules, kept in its store by the bridge, read from the home
// screen's menu in each language at each window size: every schedule with
// what it does, when, and its next run, read again each time the list shows
// and when a synchronisation replaced the home.
class TestJourneySchedules : public QObject {
    Q_OBJECT

    std::unique_ptr<JourneyApp> app;
    QTranslator translator;
    QString language;

    static QString text(const char *context, const char *source)
    {
        return QCoreApplication::translate(context, source);
    }

    static Schedule schedule(const char *name, ScheduleAction::Kind kind, const char *target)
    {
        Schedule made;
        made.name = QString::fromUtf8(name);
        made.action.kind = kind;
        made.action.target = QString::fromLatin1(target);
        made.time.at = QTime(7, 0);
        return made;
    }

    // Stores the schedules as the bridge would: the last one switched off by
    // the home when its dimmer went.
    static bool storeSchedules(QDate holiday)
    {
        ScheduleStore store(Database::instance());
        const std::optional<HomeTargets> targets = HomeTargets::fromStore(Database::instance());
        if (!targets || store.setLocation({52.52, 13.405}))
            return false;
        Schedule morning = schedule("Morning", ScheduleAction::Kind::Switch, "211300001230");
        morning.action.on = true;
        Schedule evening = schedule("Evening", ScheduleAction::Kind::RunScenario, "1");
        evening.time.kind = ScheduleTime::Kind::Sunset;
        Schedule away = schedule("Holiday", ScheduleAction::Kind::Curtain, "213100007890");
        away.time = {ScheduleTime::Kind::Once, QTime(9, 30), Weekdays::everyDay(), 0, holiday};
        Schedule dimmed = schedule("Reading", ScheduleAction::Kind::Dim, "212200004560");
        dimmed.action.level = 40;
        dimmed.time.weekdays = Weekdays::fromBits(0x1f);
        for (Schedule *each : {&morning, &evening, &away, &dimmed})
            if (store.save(*each, *targets))
                return false;
        HomeTargets withoutDimmer = *targets;
        withoutDimmer.channels.remove(QStringLiteral("212200004560"));
        return store.switchOffUnrunnable(withoutDimmer).size() == 1;
    }

    static bool removeNamed(const QString &name)
    {
        ScheduleStore store(Database::instance());
        for (const Schedule &each : store.schedulesIfReadable().value_or(QList<Schedule>()))
            if (each.name == name)
                return store.remove(each.id);
        return false;
    }

    QStringList lines(ScheduleListViewController *list, int row) const
    {
        return list->row(row) ? list->row(row)->lines() : QStringList();
    }

    void look(const QString &name)
    {
        QVERIFY(app->settle());
        const QStringList problems = app->auditAndSave(name + QLatin1Char('-') + language);
        QVERIFY2(problems.isEmpty(), qPrintable(name + ":\n" + problems.join('\n')));
        const QStringList unnamed = app->unnamedControls();
        QVERIFY2(unnamed.isEmpty(), qPrintable(name + ":\n" + unnamed.join(QLatin1Char('\n'))));
        const QStringList tabbing = app->tabRound();
        QVERIFY2(tabbing.isEmpty(), qPrintable(name + ":\n" + tabbing.join(QLatin1Char('\n'))));
    }

private Q_SLOTS:
    JOURNEY_SIZES

    void init()
    {
        QFETCH(QString, language);
        this->language = language;
        QVERIFY(translator.load(QStringLiteral(QM_DIR "/ardentia_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
        app = std::make_unique<JourneyApp>(JourneyApp::currentSize());
        QVERIFY(app->started());
        QVERIFY(app->homeOnTop());
    }

    void cleanup()
    {
        app.reset();
        QCoreApplication::removeTranslator(&translator);
    }

    void schedulesFromTheMenu_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QStringLiteral("en");
        QTest::newRow("zh") << QStringLiteral("zh_CN");
    }

    void schedulesFromTheMenu()
    {
        const QDate holiday = QDate::currentDate().addDays(40);
        QVERIFY(storeSchedules(holiday));
        // The morning's run, whichever side of 07:00 the test runs on.
        const QString morningNext = QTime::currentTime() < QTime(7, 0)
                                        ? QStringLiteral("Next: Today 07:00")
                                        : QStringLiteral("Next: Tomorrow 07:00");

        QVERIFY(app->openMenuRow(text("HomeMenuView", "Schedules")));
        auto *list = app->waitFor<ScheduleListViewController>();
        QVERIFY(list);
        look(QStringLiteral("schedules"));
        QCOMPARE(list->rowCount(), 4);
        QVERIFY(list->note()->isVisible());
        const QStringList morning = lines(list, 0);
        const QStringList evening = lines(list, 1);
        const QStringList away = lines(list, 2);
        const QStringList reading = lines(list, 3);
        QCOMPARE(morning.value(0), "Morning");
        QCOMPARE(evening.value(0), "Evening");
        QCOMPARE(away.value(0), "Holiday");
        QCOMPARE(reading.value(0), "Reading");
        // Each enabled schedule has a next run at its time; the one the home
        // switched off says why, and has none.
        QCOMPARE(morning.size(), 5);
        QVERIFY2(morning.at(4).contains("07:00"), qPrintable(morning.join('|')));
        QCOMPARE(evening.size(), 5);
        QCOMPARE(away.size(), 5);
        QVERIFY2(away.at(4).contains("09:30"), qPrintable(away.join('|')));
        QCOMPARE(reading.size(), 5);
        QCOMPARE(reading.at(4),
                 text("ScheduleWords", "Switched off by the home: its device is no longer there."));

        if (language == QLatin1String("en")) {
            QCOMPARE(morning,
                     QStringList({"Morning", "On", "Hall on", "07:00, every day", morningNext}));
            QCOMPARE(evening.mid(1, 3),
                     QStringList({"On", "Run scenario Evening", "At sunset, every day"}));
            QVERIFY2(QRegularExpression("^Next: (Today|Tomorrow) at sunset \\d\\d:\\d\\d$")
                         .match(evening.at(4))
                         .hasMatch(),
                     qPrintable(evening.at(4)));
            const QString day = QLocale::c().toString(
                holiday, holiday.year() == QDate::currentDate().year() ? "d MMM" : "d MMM yyyy");
            QCOMPARE(away.mid(2),
                     QStringList(
                         {"Bedroom curtain open",
                          "Once on " + QLocale::c().toString(holiday, "d MMM yyyy") + " at 09:30",
                          "Next: " + day + " 09:30"}));
            QCOMPARE(reading.mid(1, 3),
                     QStringList({"Off", "Living room to 40%", "07:00, Mon–Fri"}));
        } else {
            // In the reader's language, not in English.
            QVERIFY2(!morning.join(' ').contains("Next"), qPrintable(morning.join('|')));
            QVERIFY2(morning.at(2).contains("Hall"), qPrintable(morning.at(2)));
        }

        // A single run whose day has passed says why it has no next run.
        const QByteArray passed = "UPDATE Schedule SET INFO = replace(INFO, '" +
                                  holiday.toString(Qt::ISODate).toLatin1() + "', '2020-01-06');";
        QVERIFY(rawSql(passed.constData()));
        HomeEvents::instance()->announceHomeReplaced();
        QTRY_COMPARE(lines(list, 2).value(4),
                     text("ScheduleWords", "No next run: its date has passed"));
        QCOMPARE(lines(list, 2).size(), 5);

        // Shown again, the list reads the store again.
        QVERIFY(app->back());
        QVERIFY(app->homeOnTop());
        QVERIFY(removeNamed("Holiday"));
        QVERIFY(app->openMenuRow(text("HomeMenuView", "Schedules")));
        list = app->waitFor<ScheduleListViewController>();
        QVERIFY(list);
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(lines(list, 2).value(0), "Reading");

        // Without the home's location the sun's times are not known: the
        // schedule that follows the sun says why it has no next run.
        QVERIFY(rawSql("DELETE FROM HomeLocation;"));
        HomeEvents::instance()->announceHomeReplaced();
        QTRY_COMPARE(lines(list, 1).value(4),
                     text("ScheduleWords", "Does not run until the home's location is set, "
                                           "for its sunrise and sunset (ardentia-ctl "
                                           "schedule location)."));
        QCOMPARE(lines(list, 1).size(), 5);
        QCOMPARE(lines(list, 0).size(), 5); // the clock's schedule runs all the same

        // A store that cannot be read is not an empty one: the rows stay, and
        // the list says so.
        // (A view in the table's place that fails on every row: the store
        // puts back a missing table, not this.)
        QVERIFY(rawSql("ALTER TABLE Scenario RENAME TO ScenarioAway;"
                       "CREATE VIEW Scenario AS SELECT * FROM ScenarioAway"
                       " WHERE abs(-9223372036854775807 - 1) > 0;"));
        HomeEvents::instance()->announceHomeReplaced();
        QTRY_VERIFY(list->note()->text().startsWith(
            text("ShowAlertManager", "The home's data cannot be read")));
        QCOMPARE(list->rowCount(), 3);
        QVERIFY(rawSql("DROP VIEW Scenario; ALTER TABLE ScenarioAway RENAME TO Scenario;"));

        // A synchronisation that replaced the home reads it again while it shows.
        for (const char *name : {"Morning", "Evening", "Reading"})
            QVERIFY(removeNamed(name));
        HomeEvents::instance()->announceHomeReplaced();
        QTRY_COMPARE(list->rowCount(), 0);
        QVERIFY(list->findChild<QLabel *>("empty")->isVisible());
        QVERIFY(!list->note()->text().contains(
            text("ShowAlertManager", "The home's data cannot be read")));
        QCOMPARE(list->findChild<QLabel *>("empty")->text(),
                 text("ScheduleListViewController", "There are no schedules yet."));
        look(QStringLiteral("schedules-none"));
    }
};

ARDENTIA_WIDGET_TEST_MAIN(TestJourneySchedules, initUiResources)
#include "tst_journeyschedules.moc"
