// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagebackups.h"

#include "pageerror.h"
#include "webpagetexts.h"

#include "access/webaccess.h"
#include "backup/homerestore.h"
#include "base/logging.h"
#include "schedule/schedulewords.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryFile>

PageBackups::PageBackups(BackupSources sources, QString accessFile)
    : m_sources(std::move(sources)), m_accessFile(std::move(accessFile)),
      m_folder(BackupFolder::ofHome(m_sources.dataFolder))
{
}

QJsonObject PageBackups::list(const QString &language, const QString &made) const
{
    const ScheduleWords words(WebPageTexts::wordsOf("ScheduleWords", language));
    QJsonArray backups;
    for (const BackupFolder::Backup &backup : m_folder.list()) {
        const QDateTime local = backup.created.toLocalTime();
        backups.append(QJsonObject{
            {QStringLiteral("name"), backup.name},
            {QStringLiteral("created"), backup.created.toString(Qt::ISODate)},
            {QStringLiteral("createdText"), QString(words.date(local.date()) + QLatin1Char(' ') +
                                                    local.time().toString(u"HH:mm"))},
            {QStringLiteral("size"), backup.size}});
    }
    QJsonObject message{{QStringLiteral("type"), QStringLiteral("backups")},
                        {QStringLiteral("backups"), backups}};
    if (!made.isEmpty())
        message.insert(QStringLiteral("made"), made);
    return message;
}

QJsonObject PageBackups::makeNow(const QString &language) const
{
    const std::optional<QString> file =
        m_folder.newFile(BackupFolder::Reason::Asked, QDateTime::currentDateTimeUtc());
    const std::optional<QString> failed =
        file ? BackupWriter(m_sources).write(*file)
             : std::optional(QStringLiteral("cannot make the folder %1").arg(m_folder.path()));
    if (failed) {
        qCWarning(lcStore).noquote() << "a backup asked for by a page failed:" << *failed;
        return pageError(QStringLiteral("backupFailed"), *failed);
    }
    qCInfo(lcStore).noquote() << "a page backed the home up:" << *file;
    return list(language, QFileInfo(*file).fileName());
}

std::optional<QString> PageBackups::restore(const QByteArray &upload,
                                            const QString &keptToken) const
{
    if (upload.size() > kMaxUploadBytes)
        return QStringLiteral("it is larger than 8 MB");
    // For this user alone, and gone once read.
    QTemporaryFile file;
    if (!file.open() || file.write(upload) != upload.size() || !file.flush())
        return QStringLiteral("the upload could not be held");
    WebAccess access(m_accessFile);
    const std::optional<QJsonObject> restorer = access.deviceRecordOf(keptToken);
    // The home alone: the settings and Matter's pairings stay as they are.
    const BackupSources home{m_sources.dataFolder, {}, {}};
    if (std::optional<QString> failed = HomeRestore(home).restore(file.fileName())) {
        // The reason names the temporary file: the page is told the rest.
        failed->replace(file.fileName() + QStringLiteral(" cannot be restored: "), QString());
        qCWarning(lcStore).noquote() << "a restore from a page was refused:" << *failed;
        return failed;
    }
    if (restorer && !access.keepDevice(*restorer))
        qCWarning(lcStore).noquote() << "the device that restored the home could not be kept "
                                        "paired: pair it again with ardentia-ctl web-pair";
    qCInfo(lcStore).noquote() << "a page restored the home from a backup";
    return std::nullopt;
}
