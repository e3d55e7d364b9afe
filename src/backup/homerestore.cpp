// SPDX-License-Identifier: GPL-3.0-or-later
#include "homerestore.h"

#include "backupreader.h"
#include "storesnapshot.h"

#include "store/database.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Swaps the two folders in one step (or moves `staged` in place when
// there is none yet).
bool swapFolders(const QString &staged, const QString &target)
{
    const QByteArray from = QFile::encodeName(staged);
    const QByteArray to = QFile::encodeName(target);
    if (!QFileInfo::exists(target))
        return ::rename(from.constData(), to.constData()) == 0;
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0;
}

// The backups kept in the home so far go on into the new one (linked, so
// that a restore cut short leaves them where they were).
bool linkKeptBackups(const QString &from, const QString &to)
{
    const QDir folder(from);
    for (const QString &name : folder.entryList(QDir::Files))
        if (::link(QFile::encodeName(folder.filePath(name)).constData(),
                   QFile::encodeName(QDir(to).filePath(name)).constData()) != 0)
            return false;
    return true;
}

bool replaceFile(const QString &source, const QString &target)
{
    QFile in(source);
    QSaveFile out(target);
    return in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly) &&
           out.write(in.readAll()) == in.size() && out.commit();
}
} // namespace

QString HomeRestore::keptBackupsFolder(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("backups"));
}

std::optional<QString> HomeRestore::restore(const QString &file) const
{
    const QFileInfo data(m_target.dataFolder);
    const QString staging =
        data.absolutePath() + QStringLiteral("/.") + data.fileName() + QStringLiteral(".restore");
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging))
        return QStringLiteral("cannot write beside %1").arg(m_target.dataFolder);
    const auto fail = [&staging](const QString &why) -> std::optional<QString> {
        QDir(staging).removeRecursively();
        return why;
    };
    QString error;
    const std::optional<BackupManifest> manifest = BackupReader::unpack(file, staging, &error);
    if (!manifest)
        return fail(QStringLiteral("%1 cannot be restored: %2").arg(file, error));

    const QString home = QDir(staging).filePath(QStringLiteral("home"));
    if (!StoreSnapshot::movePictures(
            QDir(home).filePath(Database::kFileName),
            QDir(m_target.dataFolder).filePath(QStringLiteral("PublicImage"))))
        return fail(QStringLiteral("cannot prepare the restored store"));
    // The home as it is now, kept inside the new one.
    const QString kept = keptBackupsFolder(home);
    QDir().mkpath(kept);
    if (!linkKeptBackups(keptBackupsFolder(m_target.dataFolder), kept))
        return fail(QStringLiteral("cannot keep the backups of %1").arg(m_target.dataFolder));
    if (QFileInfo::exists(QDir(m_target.dataFolder).filePath(Database::kFileName))) {
        const QString before = QDir(kept).filePath(
            QStringLiteral("before-restore-%1.tar.gz")
                .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
        if (const std::optional<QString> failed = BackupWriter(m_target).write(before))
            return fail(QStringLiteral("cannot keep the home as it is: %1").arg(*failed));
    }

    const QString matter = QDir(staging).filePath(QStringLiteral("matter"));
    if (!m_target.matterFolder.isEmpty() && QFileInfo(matter).isDir() &&
        !swapFolders(matter, m_target.matterFolder))
        return fail(QStringLiteral("cannot put Matter's pairings in place"));
    const QString settings = QDir(staging).filePath(QStringLiteral("settings/bridge.ini"));
    if (!m_target.settingsFile.isEmpty() && QFileInfo(settings).isFile() &&
        !replaceFile(settings, m_target.settingsFile))
        return fail(QStringLiteral("cannot write %1").arg(m_target.settingsFile));
    if (!swapFolders(home, m_target.dataFolder))
        return fail(QStringLiteral("cannot put the home in place"));
    QDir(staging).removeRecursively();
    return std::nullopt;
}
