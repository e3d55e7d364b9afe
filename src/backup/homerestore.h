// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backupwriter.h"

#include <QString>

#include <optional>

// Puts a backup in place of the home. The backup is read and checked whole
// into a folder beside the data folder first; anything wrong with it leaves
// everything as it was. The data folder is then exchanged with the staged
// one in one step (renameat2 RENAME_EXCHANGE): at every moment the folder
// holds either the old home or the new one whole. The home as it was is
// kept as a backup in the new home's "backups" folder.
class HomeRestore {
public:
    explicit HomeRestore(BackupSources target) : m_target(std::move(target)) {}
    // Restores `file`; the reason when it cannot, with nothing changed.
    std::optional<QString> restore(const QString &file) const;
    // Where the home as it was before a restore is kept.
    static QString keptBackupsFolder(const QString &dataFolder);

private:
    BackupSources m_target;
};
