// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents.h"

#include "logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString Documents::directory()
{
    const QString path = overridePath().isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                                   QStringLiteral("/Documents")
                             : overridePath();
    if (!QDir(path).exists() && QDir().mkpath(path))
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
    return path;
}

QString Documents::filePath(const QString &name)
{
    return directory() + QLatin1Char('/') + name;
}

void Documents::setDirectoryOverride(const QString &path)
{
    overridePath() = path;
}

void Documents::keepFilesPrivate()
{
    ::umask(S_IRWXG | S_IRWXO);
}

QString Documents::pictureFolderPath()
{
    return filePath(QStringLiteral("PublicImage"));
}

void Documents::ensurePictureFolder()
{
    const QString folder = pictureFolderPath();
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder);
}

void Documents::removePictureFolder()
{
    const QString folder = pictureFolderPath();
    if (!QFileInfo::exists(folder))
        return;
    if (!QDir(folder).removeRecursively())
        qCWarning(lcStore).noquote()
            << QStringLiteral("Error: %1").arg(QStringLiteral("could not remove ") + folder);
}
