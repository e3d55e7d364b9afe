// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupfolder.h"

#include "homerestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QString kAutomatic = QStringLiteral("auto-");

// A kept backup's name: a reason of letters and dashes, the time, the suffix.
const QRegularExpression &backupName()
{
    static const QRegularExpression name(
        QStringLiteral("^([a-z]+(?:-[a-z]+)*)-(\\d{8}-\\d{6})\\.tar\\.gz$"));
    return name;
}

QString prefixOf(BackupFolder::Reason reason)
{
    switch (reason) {
    case BackupFolder::Reason::Daily:
        return kAutomatic + QStringLiteral("daily");
    case BackupFolder::Reason::BeforeSync:
        return kAutomatic + QStringLiteral("sync");
    case BackupFolder::Reason::Asked:
        break;
    }
    return QStringLiteral("manual");
}
} // namespace

BackupFolder BackupFolder::ofHome(const QString &dataFolder)
{
    return BackupFolder(HomeRestore::keptBackupsFolder(dataFolder));
}

QList<BackupFolder::Backup> BackupFolder::list() const
{
    QList<Backup> backups;
    const QFileInfoList files = QDir(m_folder).entryInfoList(QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = backupName().match(file.fileName());
        if (!match.hasMatch())
            continue;
        QDateTime created = QDateTime::fromString(match.captured(2), kTimeFormat);
        created.setTimeSpec(Qt::UTC);
        if (created.isValid())
            backups.append({file.fileName(), created, file.size()});
    }
    std::sort(backups.begin(), backups.end(), [](const Backup &a, const Backup &b) {
        return a.created != b.created ? a.created > b.created : a.name > b.name;
    });
    return backups;
}

std::optional<QString> BackupFolder::newFile(Reason reason, const QDateTime &when) const
{
    if (!QDir().mkpath(m_folder))
        return std::nullopt;
    return QDir(m_folder).filePath(
        QStringLiteral("%1-%2.tar.gz").arg(prefixOf(reason), when.toUTC().toString(kTimeFormat)));
}

std::optional<QString> BackupFolder::fileOf(const QString &name) const
{
    for (const Backup &backup : list())
        if (backup.name == name)
            return QDir(m_folder).filePath(name);
    return std::nullopt;
}

bool BackupFolder::pruneAutomatic(int keep) const
{
    bool removed = true;
    int kept = 0;
    for (const Backup &backup : list()) {
        if (!backup.name.startsWith(kAutomatic) || ++kept <= keep)
            continue;
        removed = QFile::remove(QDir(m_folder).filePath(backup.name)) && removed;
    }
    return removed;
}
