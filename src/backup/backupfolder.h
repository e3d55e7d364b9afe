// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The backups kept in a home's "backups" folder. Each is named by why and
// when (UTC) it was made: "auto-daily-20261210-033000.tar.gz",
// "auto-sync-…" (before a synchronise that removes channels), "manual-…"
// (asked for), "before-restore-…" (the home a restore replaced). Only the
// automatic ones are pruned.
class BackupFolder {
public:
    enum class Reason { Daily, BeforeSync, Asked };
    struct Backup {
        QString name;
        QDateTime created; // UTC
        qint64 size = 0;
    };

    explicit BackupFolder(QString folder) : m_folder(std::move(folder)) {}
    // The backups folder of the home in `dataFolder`.
    static BackupFolder ofHome(const QString &dataFolder);

    const QString &path() const { return m_folder; }
    // The kept backups, newest first.
    QList<Backup> list() const;
    // Where a backup made at `when` for `reason` goes (the folder is made).
    std::optional<QString> newFile(Reason reason, const QDateTime &when) const;
    // The file of the backup called `name`: only a kept backup's own name
    // (no path, no other file of the folder).
    std::optional<QString> fileOf(const QString &name) const;
    // Removes all but the newest `keep` automatic backups; false when one
    // could not be removed.
    bool pruneAutomatic(int keep) const;

private:
    QString m_folder;
};
