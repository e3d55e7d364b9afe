// SPDX-License-Identifier: GPL-3.0-or-later
#include "freshprogram.h"
#include "testmain.h"

#include "base/documents.h"
#include "control/configurationimport.h"
#include "schedule/hometargets.h"
#include "schedule/schedulestore.h"
#include "store/database.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

// ardentia-ctl's schedule commands, as the program users run, on a home
// prepared in a data folder of the test's own: bad input is refused with its
// reason and exit status 2 and leaves the store as it was; a schedule goes
// through add, list, off, on, edit and remove.
namespace {
const QString kSwitch = QStringLiteral("211300001230");
const QString kDimmer = QStringLiteral("212200004560");
const QString kCurtain = QStringLiteral("213100007890");

struct Run {
    int status = -1;
    QString out;
    QString err;
};

QString homeText()
{
    return QStringLiteral("$gw,1,20AA10000001,127.0.0.2,m,0,0\n"
                          "$actuation,211300001230,x,Hall,1,00,0000000000000000,0\n"
                          "$actuation,212200004560,x,Living room,1,00,0000000000000000,0\n"
                          "$actuation,213100007890,x,Bedroom curtain,1,00,0000000000000000,0\n"
                          "$req,gw,end,import\n");
}

// The schedules' and the location's rows, as another program reads the file.
QStringList scheduleRows(const QString &storePath)
{
    QStringList rows;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(storePath.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (const char *table : {"Schedule", "HomeLocation"}) {
        sqlite3_stmt *select = nullptr;
        const QByteArray sql = QByteArray("SELECT ID, INFO FROM ") + table + " ORDER BY ID;";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &select, nullptr) != SQLITE_OK)
            continue;
        while (sqlite3_step(select) == SQLITE_ROW)
            rows.append(
                QString::fromLatin1(table) + QLatin1Char('|') +
                QString::number(sqlite3_column_int64(select, 0)) + QLatin1Char('|') +
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(select, 1))));
        sqlite3_finalize(select);
    }
    sqlite3_close(db);
    return rows;
}
} // namespace

class TestScheduleCli : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_folder;

    QString storePath() const { return m_folder->filePath(Database::kFileName); }

    Run ctl(const QStringList &args)
    {
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/../../src/cli/ardentia-ctl",
                      QStringList{"--data", m_folder->path()} + args);
        Run run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            return run;
        }
        run.status = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QJsonArray listed()
    {
        const Run run = ctl({"--json", "schedule", "list"});
        return QJsonDocument::fromJson(run.out.toUtf8()).array();
    }

private Q_SLOTS:
    // A home of a switch, a dimmer and a curtain with one schedule, the
    // store closed before the tool opens it.
    void init()
    {
        m_folder.emplace();
        Documents::setDirectoryOverride(m_folder->path());
        FreshProgram program(FreshProgram::Home::Empty);
        QVERIFY(ConfigurationImport(program.services()).rebuildStoreFrom(homeText()));
        Schedule morning;
        morning.name = QStringLiteral("Morning");
        morning.action = {ScheduleAction::Kind::Switch, kSwitch};
        morning.action.on = true;
        morning.time.at = QTime(7, 0);
        ScheduleStore store(Database::instance());
        QVERIFY(!store.save(morning, *HomeTargets::fromStore(Database::instance())));
        QCOMPARE(morning.id, 1);
        Database::instance()->close();
    }
    void cleanup()
    {
        Documents::setDirectoryOverride({});
        m_folder.reset();
    }

    void badInputIsRefusedAndChangesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const auto add = [](const QStringList &words) {
            return QStringList{"schedule", "add", "Evening"} + words;
        };
        const QStringList at7{"at", "07:00"};
        // The rules themselves have their own tests: here, that each way in
        // (a channel, a level, a name, the sun, an edit, the location) meets them.
        QTest::newRow("no action") << add(at7) << 2 << "a schedule needs an action";
        QTest::newRow("no time") << add({"switch", kSwitch, "on"}) << 2
                                 << "a schedule needs a time";
        QTest::newRow("hour 25") << add({"at", "25:00", "switch", kSwitch, "on"}) << 2
                                 << "\"at\" takes a time of day as HH:MM, not \"25:00\"";
        QTest::newRow("time with seconds") << add({"at", "07:00:30", "switch", kSwitch, "on"}) << 2
                                           << "\"at\" takes a time of day";
        QTest::newRow("at without its time")
            << add({"switch", kSwitch, "on", "at"}) << 2 << "\"at\" needs a value";
        QTest::newRow("no such day") << add(at7 + QStringList{"days", "funday", "scenario", "1"})
                                     << 2 << "\"days\" takes daily, weekdays, weekend";
        QTest::newRow("backwards range")
            << add(at7 + QStringList{"days", "fri-mon", "switch", kSwitch, "on"}) << 2
            << "\"days\" takes";
        QTest::newRow("no day at all")
            << add(at7 + QStringList{"days", ",", "switch", kSwitch, "on"}) << 2
            << "\"days\" takes";
        QTest::newRow("switch maybe") << add(at7 + QStringList{"switch", kSwitch, "maybe"}) << 2
                                      << "give \"switch ID on\" or \"switch ID off\"";
        QTest::newRow("level in words") << add(at7 + QStringList{"dim", kDimmer, "bright"}) << 2
                                        << "give \"dim ID LEVEL\", the level 0-100";
        QTest::newRow("level 140") << add(at7 + QStringList{"dim", kDimmer, "140"}) << 2
                                   << "A level is from 0 to 100, not 140.";
        QTest::newRow("curtain sideways") << add(at7 + QStringList{"curtain", kCurtain, "sideways"})
                                          << 2 << "give \"curtain ID open\", \"close\" or \"stop\"";
        QTest::newRow("no such channel") << add(at7 + QStringList{"switch", "211300009999", "on"})
                                         << 2 << "The home has no channel 211300009999.";
        QTest::newRow("sunset without a location")
            << add({"sunset", "switch", kSwitch, "on"}) << 2 << "Set the home's location first";
        QTest::newRow("a date that does not exist")
            << add(at7 + QStringList{"on", "2027-02-30", "switch", kSwitch, "on"}) << 2
            << "\"on\" takes a date as YYYY-MM-DD, not \"2027-02-30\"";
        QTest::newRow("a word of no schedule")
            << add(at7 + QStringList{"tomorrow", "switch", kSwitch, "on"}) << 2
            << "\"tomorrow\" is not part of a schedule";
        QTest::newRow("empty name")
            << QStringList{"schedule", "add", " ", "at", "07:00", "switch", kSwitch, "on"} << 2
            << "A schedule needs a name.";
        QTest::newRow("name too long") << QStringList{"schedule", "add",    QString(41, 'n'), "at",
                                                      "07:00",    "switch", kSwitch,          "on"}
                                       << 2 << "at most 40 characters";
        QTest::newRow("edit to a level 101")
            << QStringList{"schedule", "edit", "1", "dim", kDimmer, "101"} << 2
            << "A level is from 0 to 100, not 101.";
        QTest::newRow("edit to a bad time")
            << QStringList{"schedule", "edit", "1", "at", "7h"} << 2 << "\"at\" takes a time";
        QTest::newRow("edit of no schedule") << QStringList{"schedule", "edit", "99", "at", "08:00"}
                                             << 1 << "no schedule 99 in this home";
        QTest::newRow("switching no schedule on")
            << QStringList{"schedule", "on", "x"} << 1 << "no schedule x in this home";
        QTest::newRow("removing no schedule")
            << QStringList{"schedule", "remove", "2"} << 1 << "no schedule 2 in this home";
        QTest::newRow("latitude 95") << QStringList{"schedule", "location", "95", "0"} << 2
                                     << "The latitude must be from -90";
        QTest::newRow("location in words") << QStringList{"schedule", "location", "here", "13.4"}
                                           << 2 << "give the location as LATITUDE LONGITUDE";
        QTest::newRow("a verb of no schedule command")
            << QStringList{"schedule", "pause", "1"} << 2 << "is not a command";
    }
    void badInputIsRefusedAndChangesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QStringList before = scheduleRows(storePath());
        QCOMPARE(before.size(), 1);
        const Run run = ctl(args);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(scheduleRows(storePath()), before);
        // The same in JSON: the reason as the error.
        const Run json = ctl(QStringList{"--json"} + args);
        QCOMPARE(json.status, status);
        const QJsonObject outcome = QJsonDocument::fromJson(json.out.toUtf8()).object();
        if (status == 1 || !message.contains("not a command"))
            QVERIFY2(outcome.value("error").toString().contains(message), qPrintable(json.out));
        QCOMPARE(scheduleRows(storePath()), before);
    }

    void aScheduleFromAddToRemove()
    {
        Run run = ctl({"schedule", "add", "Evening dim", "at", "19:30", "days", "sat,sun", "dim",
                       kDimmer, "40"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.trimmed(), QStringLiteral("schedule 2 made"));
        QCOMPARE(ctl({"schedule", "location", "52.52", "13.40"}).status, 0);
        QCOMPARE(ctl({"schedule", "add", "Dusk", "sunset-30", "curtain", kCurtain, "close"}).status,
                 0);
        QCOMPARE(ctl({"schedule", "add", "New year", "at", "0:05", "on", "2099-01-01", "scenario",
                      "all-off"})
                     .status,
                 0);

        QJsonArray list = listed();
        QCOMPARE(list.size(), 4);
        const QJsonObject evening = list.at(1).toObject();
        QCOMPARE(evening.value("id").toInt(), 2);
        QCOMPARE(evening.value("name").toString(), QStringLiteral("Evening dim"));
        QCOMPARE(evening.value("action").toObject(),
                 (QJsonObject{{"kind", "dim"}, {"channel", kDimmer}, {"level", 40}}));
        QCOMPARE(evening.value("time").toObject(),
                 (QJsonObject{{"kind", "clock"}, {"at", "19:30"}, {"weekdays", QJsonArray{6, 7}}}));
        const QDateTime next = QDateTime::fromString(evening.value("next").toString(), Qt::ISODate);
        QVERIFY(next.isValid());
        QVERIFY(next.date().dayOfWeek() >= 6);
        QCOMPARE(list.at(2)["time"]["offset"].toInt(), -30);
        QCOMPARE(list.at(3)["next"].toString().left(16), QStringLiteral("2099-01-01T00:05"));

        // The text list says each in the words that make it.
        run = ctl({"schedule", "list"});
        QCOMPARE(run.status, 0);
        for (const char *words :
             {"at 07:00 days daily", "switch 211300001230 on", "at 19:30 days sat,sun",
              "dim 212200004560 40", "sunset-30 days daily", "curtain 213100007890 close",
              "at 00:05 on 2099-01-01", "scenario all-off"})
            QVERIFY2(run.out.contains(words), words);

        QCOMPARE(ctl({"schedule", "off", "2"}).status, 0);
        QCOMPARE(listed().at(1)["enabled"].toBool(), false);
        QVERIFY(!listed().at(1).toObject().contains("next"));
        QCOMPARE(ctl({"schedule", "on", "2"}).status, 0);
        QCOMPARE(listed().at(1)["enabled"].toBool(), true);

        run = ctl({"schedule", "edit", "2", "name", "Late dim", "at", "21:00", "days", "mon-fri"});
        QCOMPARE(run.status, 0);
        list = listed();
        QCOMPARE(list.at(1)["name"].toString(), QStringLiteral("Late dim"));
        QCOMPARE(list.at(1)["time"].toObject(),
                 (QJsonObject{
                     {"kind", "clock"}, {"at", "21:00"}, {"weekdays", QJsonArray{1, 2, 3, 4, 5}}}));
        QCOMPARE(list.at(1)["action"]["level"].toInt(), 40); // what the words did not name stays

        QCOMPARE(ctl({"schedule", "remove", "2"}).status, 0);
        list = listed();
        QCOMPARE(list.size(), 3);
        QCOMPARE(list.at(1)["name"].toString(), QStringLiteral("Dusk"));
    }
};

ARDENTIA_TEST_MAIN(TestScheduleCli)
#include "tst_schedulecli.moc"
