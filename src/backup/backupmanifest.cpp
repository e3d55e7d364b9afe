// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupmanifest.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr qsizetype kLongestName = 255;
const QStringList kFolders{QStringLiteral("home"), QStringLiteral("settings"),
                           QStringLiteral("matter")};
} // namespace

QByteArray BackupManifest::toJson() const
{
    QJsonArray list;
    for (const Part &part : parts)
        list.append(QJsonObject{{"name", part.name},
                                {"size", part.size},
                                {"sha256", QString::fromLatin1(part.sha256)}});
    return QJsonDocument(QJsonObject{{"format", formatVersion},
                                     {"program", programVersion},
                                     {"created", created.toUTC().toString(Qt::ISODate)},
                                     {"master", masterId},
                                     {"parts", list}})
        .toJson(QJsonDocument::Indented);
}

std::optional<BackupManifest> BackupManifest::fromJson(const QByteArray &json, QString *error)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    BackupManifest manifest;
    manifest.formatVersion = object.value(QLatin1String("format")).toInt(0);
    if (manifest.formatVersion < 1) {
        *error = QStringLiteral("it has no readable manifest");
        return std::nullopt;
    }
    if (manifest.formatVersion > kFormatVersion) {
        *error = QStringLiteral("it was made by a newer version (format %1)")
                     .arg(manifest.formatVersion);
        return std::nullopt;
    }
    manifest.programVersion = object.value(QLatin1String("program")).toString();
    manifest.created =
        QDateTime::fromString(object.value(QLatin1String("created")).toString(), Qt::ISODate);
    manifest.masterId = object.value(QLatin1String("master")).toString();
    for (const QJsonValue &value : object.value(QLatin1String("parts")).toArray()) {
        const QJsonObject entry = value.toObject();
        Part part{entry.value(QLatin1String("name")).toString(),
                  qint64(entry.value(QLatin1String("size")).toDouble(-1)),
                  entry.value(QLatin1String("sha256")).toString().toLatin1()};
        if (!isSafePartName(part.name) || part.size < 0 || part.sha256.size() != 64) {
            *error = QStringLiteral("its manifest names a part that cannot be restored: %1")
                         .arg(part.name);
            return std::nullopt;
        }
        manifest.parts.append(part);
    }
    return manifest;
}

bool BackupManifest::isSafePartName(const QString &name)
{
    if (name.isEmpty() || name.size() > kLongestName || name.contains(QLatin1Char('\\')))
        return false;
    const QStringList steps = name.split(QLatin1Char('/'));
    if (steps.size() < 2 || !kFolders.contains(steps.first()))
        return false;
    for (const QString &step : steps) {
        if (step.isEmpty() || step == QLatin1String(".") || step == QLatin1String(".."))
            return false;
        for (const QChar c : step)
            if (c.category() == QChar::Other_Control)
                return false;
    }
    return true;
}

QByteArray BackupManifest::checksumOf(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}
