// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenepicture.h"

#include "views/picturelibrary.h"

#include <QtMath>

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
