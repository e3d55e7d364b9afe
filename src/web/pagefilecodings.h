// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "offloopwork.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <utility>

// The page's own files as the browser takes them best: each compressed once
// (brotli where the browser accepts it, else gzip), then kept, with an
// entity tag that changes with the file, so that a browser that has the
// file already gets "not modified" and a new version of the bridge is
// fetched again. Brotli at its best level takes tens of milliseconds a
// file, so the first request after a start is answered at a quick level at
// once and the best level, made off the event loop, answers the next ones.
class PageFileCodings {
public:
    struct Answer {
        QByteArray body;
        QByteArray encoding; // empty: as it is
        QByteArray entityTag;
    };

    // The encoding to send for a request's Accept-Encoding header.
    static QByteArray chosenEncoding(const QByteArray &acceptEncoding);
    // Whether a body of this type is worth compressing (text, scripts, SVG).
    static bool compressible(const QByteArray &type);

    // The file under key (its path, with whatever else its content depends
    // on) in the encoding chosen, computed on the first request.
    const Answer &answer(const QByteArray &key, const QByteArray &content,
                         const QByteArray &encoding);

    static QByteArray gzipped(const QByteArray &content);
    static QByteArray brotliCompressed(const QByteArray &content, int quality);

private:
    void startNextBestCompression();

    QHash<QByteArray, Answer> m_answers;
    QList<std::pair<QByteArray, QByteArray>> m_bestDue; // cache key, content
    // Last: destroyed first, waiting for the compression under way.
    OffLoopWork m_offLoop;
};
