// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// How the configuration reply goes out on the stream side.
struct StreamPlan {
    int chunks = 1;
    bool splitMarker = false; // cut the end marker across two chunks
    bool cut = false;         // close before the end marker
    bool silent = false;      // accept, read the request, never answer
    int delayMs = 0;          // between chunks

    // "chunks:N", "split-marker", "cut", "silent", "slow:MS".
    bool parse(const QString &text, QString *error);
    QList<QByteArray> chunksOf(const QByteArray &text) const;
};
