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
};
