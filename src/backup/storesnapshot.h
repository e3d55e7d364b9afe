// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// A consistent copy of a live SQLite store, taken with SQLite's online
// backup while other programs may write it, and what the copy says of itself.
class StoreSnapshot {
public:
    // Copies the store at `from` into a new file `to`; the reason when it cannot.
    static std::optional<QString> copy(const QString &from, const QString &to);
    // The master transmitter's ID stored at `path`, empty when there is none.
    static QString masterIdOf(const QString &path);
    // Whether the file at `path` is a whole SQLite store with a home's tables.
    static bool isHome(const QString &path);
    // Points the scenarios' pictures of the store at `path` into `folder`
    // (a home restored elsewhere keeps its pictures); false when it cannot.
    static bool movePictures(const QString &path, const QString &folder);
};
