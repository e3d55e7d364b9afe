// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenepicture.h"

#include "control/delegatemanager.h"
#include "views/picturelibrary.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QtMath>

std::optional<QString> ScenePicture::save(const QByteArray &imageData)
{
    if (imageData.isEmpty())
        return std::nullopt;
    const QString folder = DelegateManager::imageFolderPath();
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

QPixmap ScenePicture::fileOrBuiltIn(const QString &imagePath, int side)
{
    if (imagePath.isEmpty())
        return {};
    const QPixmap file(imagePath);
    if (!file.isNull()) {
        const qreal ratio = PictureLibrary::pixelRatio(); // crisp on a high-density screen
        QPixmap scaled = file.scaled(qCeil(side * ratio), qCeil(side * ratio), Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        return scaled;
    }
    return PictureLibrary::picture(imagePath, side);
}

QPixmap ScenePicture::forImagePath(const QString &imagePath, int side)
{
    const QPixmap picture = fileOrBuiltIn(imagePath, side);
    return picture.isNull() ? PictureLibrary::picture(PictureLibrary::scenarioIconName(9), side)
                            : picture;
}
