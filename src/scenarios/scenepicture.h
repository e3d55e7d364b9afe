// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>

#include <optional>

// Scenario pictures: saving a chosen one into the picture folder (named by
// the time, written whole or not at all), and showing one by its imagePath.
class ScenePicture {
public:
    // The full path of the new file, or nothing when it could not be written.
    static std::optional<QString> save(const QByteArray &imageData);
    // The file at the path, else the built-in picture of that name, else icon 9.
    static QPixmap forImagePath(const QString &imagePath, int side = 60);
    // The same without the fallback: null when neither exists.
    static QPixmap fileOrBuiltIn(const QString &imagePath, int side = 60);
};
