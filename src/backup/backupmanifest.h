// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The first entry of a backup: what made it, when, for which master, and
// every other entry's name, size and SHA-256.
struct BackupManifest {
    static constexpr int kFormatVersion = 1;
    static inline const QString kEntryName = QStringLiteral("manifest.json");

    struct Part {
        QString name;
        qint64 size = 0;
        QByteArray sha256; // hex
    };

    int formatVersion = kFormatVersion;
    QString programVersion;
    QDateTime created;
    QString masterId;
    QList<Part> parts;

    QByteArray toJson() const;
    // The manifest in `json`, or nothing with the reason in *error.
    static std::optional<BackupManifest> fromJson(const QByteArray &json, QString *error);
    // A part's name: relative, under one of the backup's folders, never
    // climbing out of it.
    static bool isSafePartName(const QString &name);
    static QByteArray checksumOf(const QByteArray &content);
};
