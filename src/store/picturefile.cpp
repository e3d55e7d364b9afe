// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturefile.h"

#include "base/documents.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace {
bool isPictureName(const QString &name)
{
    static const QRegularExpression saved(
        QStringLiteral("^\\d{4}_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d{3}\\.png$"));
    return saved.match(name).hasMatch();
}
} // namespace

std::optional<QString> PictureFile::save(const QByteArray &imageData)
{
    if (imageData.isEmpty())
        return std::nullopt;
    const QString folder = Documents::pictureFolderPath();
    QDir().mkpath(folder);
    const QString path =
        QStringLiteral("%1/%2.png")
            .arg(folder,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy_MM_dd_HH_mm_ss_zzz")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(imageData) != imageData.size() ||
        !file.commit())
        return std::nullopt;
    return path;
}

QString PictureFile::nameOf(const QString &imagePath)
{
    const QFileInfo file(imagePath);
    const bool inFolder =
        file.isAbsolute() &&
        file.absolutePath() == QDir(Documents::pictureFolderPath()).absolutePath();
    return inFolder && isPictureName(file.fileName()) ? file.fileName() : QString();
}

std::optional<QString> PictureFile::pathOf(const QString &name)
{
    if (!isPictureName(name))
        return std::nullopt;
    const QString path = QDir(Documents::pictureFolderPath()).filePath(name);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}
