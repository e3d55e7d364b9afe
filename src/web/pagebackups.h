// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/backupfolder.h"
#include "backup/backupwriter.h"

#include <QJsonObject>

#include <optional>

// The home's backups as an owner's page sees them: those kept in the data
// folder listed with their date and size, one of them by its name, one made
// now, and one uploaded restored with the same checks as the command-line
// tool's (anything wrong with it refused with its reason, nothing changed).
// A page restores the home (store, pictures, paired devices) but never the
// bridge's settings or Matter's pairings, which could lock the page out:
// those stay as they are. The device that restores stays paired, so that the
// phone paired on a new card can restore the home it lost.
class PageBackups {
public:
    // The largest backup a page may upload (a home's backup is far smaller;
    // a larger one is restored with the command-line tool).
    static constexpr qint64 kMaxUploadBytes = qint64(8) << 20;

    explicit PageBackups(BackupSources sources, QString accessFile);

    // {"type":"backups","backups":[{"name","created","createdText","size"}]},
    // newest first, each made when as the app writes a date and time in the
    // page's language (the home's local time), with "made": the name of the
    // backup just made, when given.
    QJsonObject list(const QString &language, const QString &made = {}) const;
    // The file of the kept backup called `name`, nothing for any other name.
    std::optional<QString> fileOf(const QString &name) const { return m_folder.fileOf(name); }

    // Backs the home up now: the list with the new one, or a page error.
    QJsonObject makeNow(const QString &language) const;
    // Restores the uploaded backup, the device of `keptToken` kept paired;
    // the reason when it cannot, with nothing changed. Takes long: run it
    // off the event loop.
    std::optional<QString> restore(const QByteArray &upload, const QString &keptToken) const;

private:
    BackupSources m_sources;
    QString m_accessFile;
    BackupFolder m_folder;
};
