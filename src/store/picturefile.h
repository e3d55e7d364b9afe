// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A scenario's own picture file in the picture folder: written whole or not
// at all under a name made of the time it was saved, and found again by
// that name alone, never outside the folder.
class PictureFile {
public:
    // The full path of the new file (a scenario's imagePath), or nothing
    // when it could not be written.
    static std::optional<QString> save(const QByteArray &imageData);
    // The file's name when the path is a picture file in the folder; empty otherwise.
    static QString nameOf(const QString &imagePath);
    // The full path of a picture file of that name, when it is one and exists.
    static std::optional<QString> pathOf(const QString &name);
};
