// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backupmanifest.h"

#include <QString>

#include <optional>

// Reads a backup archive whole into a folder of its own, checking it on the
// way: the manifest first and of a format this version reads, every part
// named in it, of its size and checksum, none missing, none extra, none
// outside its folders, sizes bounded, and a store that reads as a home.
// Anything else is refused with the reason.
class BackupReader {
public:
    // The manifest of `file`, its parts written under `folder`; nothing
    // with the reason in *error when the backup cannot be restored.
    static std::optional<BackupManifest> unpack(const QString &file, const QString &folder,
                                                QString *error);
};
