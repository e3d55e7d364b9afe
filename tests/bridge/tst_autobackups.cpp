// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/automaticbackups.h"
#include "freshprogram.h"
#include "testmain.h"

#include "backup/backupreader.h"
#include "base/documents.h"
#include "control/configurationimport.h"
#include "control/homeevents.h"
#include "control/livehomefeed.h"
#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {
const QDateTime kMorning(QDate(2026, 12, 10), QTime(2, 0));

QString homeText(const QStringList &channelIds)
{
    QString text = QStringLiteral("$gw,1,20AA10000001,127.0.0.2,m,0,0\n");
    for (const QString &id : channelIds)
        text += QStringLiteral("$actuation,%1,x,Light,1,00,0000000000000000,0\n").arg(id);
    return text + QStringLiteral("$req,gw,end,import\n");
}

// The channel IDs stored in the backup `file`, read back from its own store.
QStringList channelsInBackup(const QString &file)
{
    QTemporaryDir unpacked;
    QString error;
    if (!BackupReader::unpack(file, unpacked.path(), &error))
        return {QStringLiteral("unreadable: ") + error};
    sqlite3 *db = nullptr;
    QStringList ids;
    if (sqlite3_open_v2(QFile::encodeName(unpacked.filePath("home/" + Database::kFileName)), &db,
                        SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *rows = nullptr;
        sqlite3_prepare_v2(db, "SELECT MAINID FROM MainDevice ORDER BY MAINID", -1, &rows, nullptr);
        while (rows && sqlite3_step(rows) == SQLITE_ROW)
            ids << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(rows, 0)));
        sqlite3_finalize(rows);
    }
    sqlite3_close(db);
    return ids;
}
} // namespace

// The bridge's automatic backups: daily at their time from an injected
// clock, before a synchronise that drops channels, the oldest automatic ones
// pruned, and a failure that stops nothing.
class TestAutoBackups : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_folder;
    std::optional<FreshProgram> m_program;
    QDateTime m_now = kMorning;

    QStringList storedChannelIds() const
    {
        return LiveHomeFeed::storedChannelIds(m_program->services().store);
    }

    std::unique_ptr<AutomaticBackups> backups(int keep = 7)
    {
        auto made = std::make_unique<AutomaticBackups>(
            BackupSources{Documents::directory(), {}, {}},
            AutomaticBackups::Settings{QTime(3, 30), keep}, [this] { return storedChannelIds(); },
            [this] { return m_now; });
        made->follow(HomeEvents::instance());
        return made;
    }
    QStringList kept() const
    {
        QStringList names;
        for (const BackupFolder::Backup &backup :
             BackupFolder::ofHome(Documents::directory()).list())
            names << backup.name;
        return names;
    }

private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        Documents::setDirectoryOverride(m_folder->filePath("home"));
        m_program.emplace(FreshProgram::Home::Empty);
        m_now = kMorning;
        QVERIFY(ConfigurationImport(m_program->services())
                    .rebuildStoreFrom(homeText({"211300001230", "211300001231"})));
    }
    void cleanup()
    {
        m_program.reset();
        Documents::setDirectoryOverride({});
        m_folder.reset();
    }

    // The timer is armed for the next daily time only; when it fires, one
    // backup is made and the next day's time armed, also when the timer
    // fired a little early.
    void dailyBackupAtItsTime_data()
    {
        QTest::addColumn<QTime>("startedAt");
        QTest::addColumn<QDateTime>("firstDue");
        const QDate today = kMorning.date();
        QTest::newRow("before the time") << QTime(2, 0) << QDateTime(today, QTime(3, 30));
        QTest::newRow("at the time") << QTime(3, 30) << QDateTime(today.addDays(1), QTime(3, 30));
        QTest::newRow("after the time")
            << QTime(23, 59) << QDateTime(today.addDays(1), QTime(3, 30));
    }
    void dailyBackupAtItsTime()
    {
        QFETCH(QTime, startedAt);
        QFETCH(QDateTime, firstDue);
        m_now = QDateTime(kMorning.date(), startedAt);
        const auto daily = backups();
        daily->start();
        QCOMPARE(daily->nextDailyBackup(), firstDue);
        QVERIFY(qAbs(daily->msecsToNextDailyBackup() - m_now.msecsTo(firstDue)) < 2000);
        QVERIFY(kept().isEmpty());

        m_now = firstDue.addSecs(-2); // a coarse timer's early shot
        daily->backUpDaily();
        QCOMPARE(kept(),
                 QStringList{"auto-daily-" +
                             firstDue.addSecs(-2).toUTC().toString("yyyyMMdd-HHmmss") + ".tar.gz"});
        QCOMPARE(daily->nextDailyBackup(), firstDue.addDays(1));
        QCOMPARE(channelsInBackup(BackupFolder::ofHome(Documents::directory()).path() + '/' +
                                  kept().constFirst()),
                 (QStringList{"211300001230", "211300001231"}));
    }

    // Only the newest automatic backups are kept; those asked for and the
    // homes a restore replaced stay.
    void onlyTheNewestAutomaticBackupsAreKept()
    {
        const BackupFolder folder = BackupFolder::ofHome(Documents::directory());
        QDir().mkpath(folder.path());
        QStringList older;
        for (int day = 1; day <= 4; ++day) {
            const QString name = QStringLiteral("auto-%1-202612%2-033000.tar.gz")
                                     .arg(day % 2 ? "daily" : "sync")
                                     .arg(day, 2, 10, QChar('0'));
            QFile file(folder.path() + '/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            older.prepend(name);
        }
        for (const char *other :
             {"manual-20261201-120000.tar.gz", "before-restore-20261130-120000.tar.gz"}) {
            QFile file(folder.path() + '/' + QString::fromLatin1(other));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const auto daily = backups(3);
        m_now = QDateTime(kMorning.date(), QTime(3, 30));
        daily->backUpDaily();
        const QString newest =
            "auto-daily-" + m_now.toUTC().toString("yyyyMMdd-HHmmss") + ".tar.gz";
        QCOMPARE(kept(),
                 (QStringList{newest, older.at(0), older.at(1), "manual-20261201-120000.tar.gz",
                              "before-restore-20261130-120000.tar.gz"}));
    }

    // A synchronise that drops a stored channel is preceded by a backup of
    // the home as it was; one that keeps or adds channels is not.
    void backupBeforeASyncThatRemovesChannels_data()
    {
        QTest::addColumn<QStringList>("incoming");
        QTest::addColumn<bool>("backedUp");
        QTest::newRow("one channel gone") << QStringList{"211300001230"} << true;
        QTest::newRow("every channel gone") << QStringList{} << true;
        QTest::newRow("one replaced") << QStringList{"211300001230", "211300009999"} << true;
        QTest::newRow("the same") << QStringList{"211300001231", "211300001230"} << false;
        QTest::newRow("one more") << QStringList{"211300001230", "211300001231", "211300009999"}
                                  << false;
    }
    void backupBeforeASyncThatRemovesChannels()
    {
        QFETCH(QStringList, incoming);
        QFETCH(bool, backedUp);
        const auto watching = backups();
        QVERIFY(ConfigurationImport(m_program->services()).rebuildStoreFrom(homeText(incoming)));
        if (!backedUp) {
            QVERIFY(kept().isEmpty());
            return;
        }
        QCOMPARE(kept().size(), 1);
        QVERIFY(kept().constFirst().startsWith("auto-sync-"));
        QCOMPARE(channelsInBackup(BackupFolder::ofHome(Documents::directory()).path() + '/' +
                                  kept().constFirst()),
                 (QStringList{"211300001230", "211300001231"}));
        QCOMPARE(storedChannelIds().size(), incoming.size());
    }

    // A backup that cannot be written is logged and reported; the
    // synchronise goes on and the daily timer stays armed.
    void aFailedBackupStopsNothing()
    {
        const auto watching = backups();
        QSignalSpy failed(watching.get(), &AutomaticBackups::failed);
        // The backups folder cannot be made: a file stands in its place.
        QFile blocker(BackupFolder::ofHome(Documents::directory()).path());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        watching->start();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("automatic backup failed"));
        QVERIFY(ConfigurationImport(m_program->services())
                    .rebuildStoreFrom(homeText({"211300001230"})));
        QCOMPARE(failed.size(), 1);
        QCOMPARE(storedChannelIds(), QStringList{"211300001230"});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("automatic backup failed"));
        m_now = watching->nextDailyBackup();
        watching->backUpDaily();
        QCOMPARE(failed.size(), 2);
        QCOMPARE(watching->nextDailyBackup(), m_now.addDays(1));
    }
};

ARDENTIA_TEST_MAIN(TestAutoBackups)
#include "tst_autobackups.moc"
