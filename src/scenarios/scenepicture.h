// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// Scenario pictures: showing one by its imagePath (a chosen photo is saved
// by PictureFile).
class ScenePicture {
public:
    // The file at the path, else the built-in picture of that name, else icon 9.
    static QPixmap forImagePath(const QString &imagePath, int side = 60);
    // The same without the fallback: null when neither exists.
    static QPixmap fileOrBuiltIn(const QString &imagePath, int side = 60);
};
