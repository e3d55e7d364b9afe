// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/backupmanifest.h"
#include "backup/backupwriter.h"
#include "backup/homerestore.h"
#include "base/documents.h"
#include "freshprogram.h"
#include "rawsql.h"
#include "store/database.h"
#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Every file under `folder` with its content.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), contentOf(path));
    }
    return files;
}

// A backup made of `entries` (the manifest given or made for them).
void writeBackup(const QString &path, const BackupWriter::Entries &entries)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QString error;
    QVERIFY2(BackupWriter::writeArchive(file.handle(), entries, &error), qPrintable(error));
}

// The scenarios stored in the home's store, read as another program would.
std::optional<int> scenarioCount()
{
    sqlite3 *db = nullptr;
    std::optional<int> count;
    if (sqlite3_open_v2(Database::databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt *select = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM Scenario;", -1, &select, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(select) == SQLITE_ROW)
            count = sqlite3_column_int(select, 0);
        sqlite3_finalize(select);
    }
    sqlite3_close(db);
    return count;
}

QByteArray manifestFor(const BackupWriter::Entries &parts, int format = 1)
{
    BackupManifest manifest;
    manifest.formatVersion = format;
    for (const auto &[name, content] : parts)
        manifest.parts.append({name, content.size(), BackupManifest::checksumOf(content)});
    return manifest.toJson();
}
} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private:
    std::optional<QTemporaryDir> m_folder;
    std::optional<FreshProgram> m_program;

    QString data() const { return Documents::directory(); }
    QString path(const QString &name) const { return m_folder->filePath(name); }
    BackupSources sources() const { return {data(), path("bridge.ini"), {}}; }

private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        Documents::setDirectoryOverride(m_folder->filePath("home"));
        m_program.emplace(FreshProgram::Home::Empty);
        QVERIFY(rawSql("INSERT INTO SuperBox (INFO, TYPE, MAINID) VALUES "
                       "('{\"imageName\":\"master\"}', 'SuperBox', 'A1B2C3D4E5F6');"));
        const QString picture = Documents::pictureFolderPath() + "/scene1.jpg";
        writeFile(picture, "a photo");
        QVERIFY(
            rawSql(qPrintable(QStringLiteral("INSERT INTO Scenario (INFO, MAINID, CONTROLTIMES) "
                                             "VALUES ('{\"imagePath\":\"/elsewhere/scene1.jpg\"}',"
                                             " '1', '0');"))));
        writeFile(QDir(data()).filePath("web-access.json"), "{\"tokens\":[]}");
        writeFile(path("bridge.ini"), "host=localhost\n");
        writeFile(Documents::filePath("MAININFORMATION.plist"), "{}"); // not a first run
    }
    void cleanup()
    {
        m_program.reset();
        Documents::setDirectoryOverride({});
        m_folder.reset();
    }

    void backupRestoredGivesBackTheSameHome()
    {
        QVERIFY(!BackupWriter(sources()).write(path("a.tar.gz")));
        QCOMPARE(QFile::permissions(path("a.tar.gz")) & 0x0077, QFileDevice::Permissions());
        const QMap<QString, QByteArray> before = filesUnder(data());
        QVERIFY(rawSql("DELETE FROM Scenario; DELETE FROM SuperBox;"));
        QFile::remove(Documents::pictureFolderPath() + "/scene1.jpg");
        writeFile(path("bridge.ini"), "host=changed\n");

        QCOMPARE(HomeRestore(sources()).restore(path("a.tar.gz")), std::nullopt);
        QCOMPARE(contentOf(path("bridge.ini")), QByteArray("host=localhost\n"));
        QCOMPARE(contentOf(Documents::pictureFolderPath() + "/scene1.jpg"),
                 before.value("PublicImage/scene1.jpg"));
        const std::optional<Database::HomeRecords> home = Database::instance()->homeIfReadable();
        QVERIFY(home);
        QCOMPARE(home->transmitters.size(), 1);
        // The picture is found where the home now is.
        QCOMPARE(home->scenarios.constLast().value("imagePath").toString(),
                 Documents::pictureFolderPath() + "/scene1.jpg");
        // The home as it was is kept as a backup of its own.
        QCOMPARE(QDir(HomeRestore::keptBackupsFolder(data())).entryList(QDir::Files).size(), 1);
    }

    // A restore killed at any moment leaves the data folder holding one home
    // whole, the old or the new, and a later restore still goes through.
    void restoreKilledLeavesOneHomeWhole()
    {
        QVERIFY(!BackupWriter(sources()).write(path("new.tar.gz")));
        const int whole = scenarioCount().value_or(-1);
        QVERIFY(rawSql("DELETE FROM Scenario;"));
        m_program.reset(); // the store is the child's alone
        for (int round = 0; round < 12; ++round) {
            QProcess child;
            child.start(
                QStringLiteral(ARDENTIA_CTL),
                {"--data", data(), "--matter", path("no-matter"), "restore", path("new.tar.gz")});
            QVERIFY(child.waitForStarted());
            // A different moment each round, up to the whole restore.
            QTest::qWait(round * 4);
            child.kill();
            child.waitForFinished();
            // The old home has no scenario, the new one all of its own; both have the picture.
            const std::optional<int> scenarios = scenarioCount();
            QVERIFY2(scenarios == 0 || scenarios == whole,
                     qPrintable(QStringLiteral("round %1: %2 scenarios")
                                    .arg(round)
                                    .arg(scenarios.value_or(-1))));
            QVERIFY(QFileInfo::exists(Documents::pictureFolderPath() + "/scene1.jpg"));
        }
        QVERIFY(!HomeRestore(sources()).restore(path("new.tar.gz")));
        QCOMPARE(scenarioCount(), whole);
    }

    void damagedBackupIsRefusedWithNothingChanged_data()
    {
        QTest::addColumn<BackupWriter::Entries>("entries");
        QTest::addColumn<QString>("reason");
        const QByteArray store = contentOf(Database::databasePath());
        const BackupWriter::Entries parts{{"home/ArdentiaDatas.sqlite3", store},
                                          {"home/PublicImage/p.jpg", "photo"}};
        const auto with = [&](const BackupWriter::Entries &content, const QByteArray &manifest) {
            return BackupWriter::Entries{{"manifest.json", manifest}} + content;
        };
        BackupWriter::Entries changed = parts;
        changed[1].second = "phote";
        const BackupWriter::Entries notHome{{"home/ArdentiaDatas.sqlite3", "not a store"}};
        const BackupWriter::Entries climbing{{"home/ArdentiaDatas.sqlite3", store},
                                             {"home/../../escape", "x"}};
        QByteArray huge = manifestFor(parts);
        huge.replace("\"size\": 5", "\"size\": 1099511627776");

        QTest::newRow("a changed byte") << with(changed, manifestFor(parts)) << "checksum";
        QTest::newRow("a missing part") << with(parts.mid(0, 1), manifestFor(parts)) << "lacks";
        QTest::newRow("an extra part")
            << with(parts, manifestFor(parts.mid(0, 1))) << "does not name";
        QTest::newRow("a newer format") << with(parts, manifestFor(parts, 2)) << "newer";
        QTest::newRow("no manifest") << parts << "no manifest";
        QTest::newRow("a store that is not a home")
            << with(notHome, manifestFor(notHome)) << "not a home";
        QTest::newRow("a path climbing out")
            << with(climbing, manifestFor(climbing)) << "names a part";
        QTest::newRow("a huge declared size") << with(parts, huge) << "too large";
        QTest::newRow("a truncated archive") << BackupWriter::Entries{} << "cut short";
    }
    void damagedBackupIsRefusedWithNothingChanged()
    {
        QFETCH(BackupWriter::Entries, entries);
        QFETCH(QString, reason);
        if (entries.isEmpty()) { // a whole backup cut in half
            QVERIFY(!BackupWriter(sources()).write(path("whole.tar.gz")));
            QByteArray whole = contentOf(path("whole.tar.gz"));
            writeFile(path("bad.tar.gz"), whole.left(whole.size() - 40));
        } else {
            writeBackup(path("bad.tar.gz"), entries);
        }
        const QMap<QString, QByteArray> before = filesUnder(m_folder->path());

        const std::optional<QString> refused = HomeRestore(sources()).restore(path("bad.tar.gz"));
        QVERIFY(refused);
        QVERIFY2(refused->contains(reason), qPrintable(*refused));
        QCOMPARE(filesUnder(m_folder->path()), before);
    }
};

ARDENTIA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
