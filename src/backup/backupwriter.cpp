// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupwriter.h"

#include "backupmanifest.h"
#include "storesnapshot.h"

#include "store/database.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <archive.h>
#include <archive_entry.h>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace {
using Writer = std::unique_ptr<archive, decltype(&archive_write_free)>;

bool addEntry(archive *out, const QString &name, const QByteArray &content)
{
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                        &archive_entry_free);
    const QByteArray path = name.toUtf8();
    archive_entry_set_pathname(entry.get(), path.constData());
    archive_entry_set_size(entry.get(), content.size());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0600);
    archive_entry_set_mtime(entry.get(), ::time(nullptr), 0);
    return archive_write_header(out, entry.get()) == ARCHIVE_OK &&
           archive_write_data(out, content.constData(), size_t(content.size())) ==
               la_ssize_t(content.size());
}

bool syncFolderOf(const QString &file)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Every regular file under `folder`, named under `prefix`.
std::optional<QString> collectFolder(const QString &folder, const QString &prefix,
                                     BackupWriter::Entries *entries)
{
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile())
            continue;
        const QString name = prefix + QDir(folder).relativeFilePath(path);
        if (!BackupManifest::isSafePartName(name) || info.size() > BackupWriter::kLargestPart)
            return QStringLiteral("cannot take %1 into a backup").arg(path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1").arg(path);
        entries->append({name, file.readAll()});
    }
    return std::nullopt;
}

std::optional<QString> collectFile(const QString &path, const QString &name,
                                   BackupWriter::Entries *entries)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly) || file.size() > BackupWriter::kLargestPart)
        return QStringLiteral("cannot read %1").arg(path);
    entries->append({name, file.readAll()});
    return std::nullopt;
}
} // namespace

std::optional<QString> BackupWriter::write(const QString &file) const
{
    const QDir data(m_sources.dataFolder);
    const QTemporaryDir scratch(QFileInfo(file).absolutePath() +
                                QStringLiteral("/.ardentia-backup-XXXXXX"));
    if (!scratch.isValid())
        return QStringLiteral("cannot write beside %1").arg(file);
    const QString snapshot = scratch.filePath(Database::kFileName);
    if (const auto failed = StoreSnapshot::copy(data.filePath(Database::kFileName), snapshot))
        return failed;

    Entries entries;
    std::optional<QString> failed =
        collectFile(snapshot, QStringLiteral("home/") + Database::kFileName, &entries);
    // The first-run marker too: without it the restored home would be taken
    // for a new one and given its built-in scenarios again.
    for (const QString &name :
         {QStringLiteral("web-access.json"), QStringLiteral("MAININFORMATION.plist")})
        if (!failed)
            failed = collectFile(data.filePath(name), QStringLiteral("home/") + name, &entries);
    if (!failed)
        failed = collectFolder(data.filePath(QStringLiteral("PublicImage")),
                               QStringLiteral("home/PublicImage/"), &entries);
    if (!failed && !m_sources.settingsFile.isEmpty())
        failed =
            collectFile(m_sources.settingsFile, QStringLiteral("settings/bridge.ini"), &entries);
    if (!failed && !m_sources.matterFolder.isEmpty() && QFileInfo(m_sources.matterFolder).isDir())
        failed = collectFolder(m_sources.matterFolder, QStringLiteral("matter/"), &entries);
    if (failed)
        return failed;

    BackupManifest manifest;
    manifest.programVersion = QStringLiteral(ARDENTIA_VERSION);
    manifest.created = QDateTime::currentDateTimeUtc();
    manifest.masterId = StoreSnapshot::masterIdOf(snapshot);
    qint64 total = 0;
    for (const auto &[name, content] : entries) {
        manifest.parts.append({name, content.size(), BackupManifest::checksumOf(content)});
        total += content.size();
    }
    if (total > kLargestTotal)
        return QStringLiteral("the home is too large for one backup");
    entries.prepend({BackupManifest::kEntryName, manifest.toJson()});

    // QTemporaryFile makes its file for this user alone (0600).
    QTemporaryFile partial(QFileInfo(file).absoluteFilePath() + QStringLiteral(".partial-XXXXXX"));
    if (!partial.open())
        return QStringLiteral("cannot write %1").arg(file);
    QString error;
    if (!writeArchive(partial.handle(), entries, &error) || ::fsync(partial.handle()) != 0)
        return QStringLiteral("cannot write %1: %2").arg(file, error);
    if (::rename(QFile::encodeName(partial.fileName()).constData(),
                 QFile::encodeName(file).constData()) != 0)
        return QStringLiteral("cannot write %1").arg(file);
    partial.setAutoRemove(false);
    syncFolderOf(file);
    return std::nullopt;
}

bool BackupWriter::writeArchive(int fd, const Entries &entries, QString *error)
{
    const Writer out(archive_write_new(), &archive_write_free);
    bool written = archive_write_set_format_pax_restricted(out.get()) == ARCHIVE_OK &&
                   archive_write_add_filter_gzip(out.get()) == ARCHIVE_OK &&
                   archive_write_open_fd(out.get(), fd) == ARCHIVE_OK;
    for (qsizetype i = 0; written && i < entries.size(); ++i)
        written = addEntry(out.get(), entries.at(i).first, entries.at(i).second);
    written = written && archive_write_close(out.get()) == ARCHIVE_OK;
    if (!written)
        *error = QString::fromUtf8(archive_error_string(out.get()));
    return written;
}
