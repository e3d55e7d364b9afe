// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

#include <optional>

// What a backup holds: the home's data folder (its store, the scenarios'
// pictures, the web remote's access file), and, where given, the bridge's
// settings file and ardentia-matter's data folder.
struct BackupSources {
    QString dataFolder;
    QString settingsFile;
    QString matterFolder;
};

// Writes one backup archive (gzip-compressed tar, the manifest first). The
// archive is written under a temporary name beside the target, synced and
// then renamed: a backup cut short never looks whole. For its user alone.
class BackupWriter {
public:
    // The largest part and the largest whole a backup takes.
    static constexpr qint64 kLargestPart = qint64(256) << 20;
    static constexpr qint64 kLargestTotal = qint64(1) << 30;

    explicit BackupWriter(BackupSources sources) : m_sources(std::move(sources)) {}
    // Writes the backup to `file`; the reason when it cannot.
    std::optional<QString> write(const QString &file) const;

    // Writes the named contents in order as a gzip-compressed tar to `fd`.
    using Entries = QList<std::pair<QString, QByteArray>>;
    static bool writeArchive(int fd, const Entries &entries, QString *error);

private:
    BackupSources m_sources;
};
