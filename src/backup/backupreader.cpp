// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupreader.h"

#include "backupwriter.h"
#include "storesnapshot.h"

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace {
constexpr qint64 kLargestManifest = 1 << 20;
constexpr size_t kBlockSize = 64 * 1024;

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;

// The entry's content, at most `limit` bytes; nothing when it is longer or
// cannot be read.
std::optional<QByteArray> readContent(archive *in, qint64 limit)
{
    QByteArray content;
    char block[kBlockSize];
    for (;;) {
        const la_ssize_t got = archive_read_data(in, block, sizeof block);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        if (content.size() + got > limit)
            return std::nullopt;
        content.append(block, qsizetype(got));
    }
}

bool writeFile(const QString &path, const QByteArray &content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}
} // namespace

std::optional<BackupManifest> BackupReader::unpack(const QString &file, const QString &folder,
                                                   QString *error)
{
    const Reader in(archive_read_new(), &archive_read_free);
    archive_read_support_filter_gzip(in.get());
    archive_read_support_format_tar(in.get());
    const auto refuse = [error](const QString &why) -> std::optional<BackupManifest> {
        *error = why;
        return std::nullopt;
    };
    if (archive_read_open_filename(in.get(), QFile::encodeName(file).constData(), kBlockSize) !=
        ARCHIVE_OK)
        return refuse(QStringLiteral("it is not a backup, or it is cut short or damaged"));

    archive_entry *entry = nullptr;
    if (archive_read_next_header(in.get(), &entry) != ARCHIVE_OK ||
        QString::fromUtf8(archive_entry_pathname(entry)) != BackupManifest::kEntryName)
        return refuse(QStringLiteral("it has no manifest"));
    const std::optional<QByteArray> manifestText = readContent(in.get(), kLargestManifest);
    if (!manifestText)
        return refuse(QStringLiteral("it has no readable manifest"));
    std::optional<BackupManifest> manifest = BackupManifest::fromJson(*manifestText, error);
    if (!manifest)
        return std::nullopt;

    QHash<QString, BackupManifest::Part> expected;
    qint64 total = 0;
    for (const BackupManifest::Part &part : manifest->parts) {
        if (part.size > BackupWriter::kLargestPart || expected.contains(part.name))
            return refuse(
                QStringLiteral("its manifest declares a part too large: %1").arg(part.name));
        total += part.size;
        expected.insert(part.name, part);
    }
    if (total > BackupWriter::kLargestTotal)
        return refuse(QStringLiteral("its manifest declares more than a backup holds"));
    const QString storeName = QStringLiteral("home/") + Database::kFileName;
    if (!expected.contains(storeName))
        return refuse(QStringLiteral("it holds no store"));

    int result = ARCHIVE_OK;
    while ((result = archive_read_next_header(in.get(), &entry)) == ARCHIVE_OK) {
        const QString name = QString::fromUtf8(archive_entry_pathname(entry));
        const auto part = expected.constFind(name);
        if (part == expected.cend())
            return refuse(
                QStringLiteral("it holds a part its manifest does not name: %1").arg(name));
        if (archive_entry_filetype(entry) != AE_IFREG)
            return refuse(QStringLiteral("%1 is not a plain file").arg(name));
        const std::optional<QByteArray> content = readContent(in.get(), part->size);
        if (!content || content->size() != part->size ||
            BackupManifest::checksumOf(*content) != part->sha256)
            return refuse(QStringLiteral("%1 does not match its checksum").arg(name));
        if (!writeFile(QDir(folder).filePath(name), *content))
            return refuse(QStringLiteral("cannot write %1").arg(QDir(folder).filePath(name)));
        expected.erase(part);
    }
    if (result != ARCHIVE_EOF)
        return refuse(QStringLiteral("it is cut short or damaged"));
    if (!expected.isEmpty())
        return refuse(QStringLiteral("it lacks %1").arg(expected.begin().key()));
    if (!StoreSnapshot::isHome(QDir(folder).filePath(storeName)))
        return refuse(QStringLiteral("its store is not a home's"));
    return manifest;
}
