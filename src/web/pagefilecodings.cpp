// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagefilecodings.h"

#include <QCryptographicHash>
#include <QList>

#include <brotli/encode.h>
#include <zlib.h>

namespace {
// Brotli's quick level: a few milliseconds for all the page's files, about a
// tenth larger than the best.
constexpr int kQuickBrotliQuality = 5;
} // namespace

QByteArray PageFileCodings::chosenEncoding(const QByteArray &acceptEncoding)
{
    bool gzip = false;
    for (const QByteArray &item : acceptEncoding.split(',')) {
        const QList<QByteArray> parts = item.split(';');
        const QByteArray name = parts.constFirst().trimmed().toLower();
        bool refused = false;
        for (const QByteArray &parameter : parts.mid(1)) {
            const QByteArray trimmed = parameter.trimmed();
            if (trimmed.startsWith("q=") && trimmed.mid(2).toDouble() <= 0)
                refused = true;
        }
        if (refused)
            continue;
        if (name == "br")
            return "br";
        if (name == "gzip")
            gzip = true;
    }
    return gzip ? QByteArray("gzip") : QByteArray();
}

bool PageFileCodings::compressible(const QByteArray &type)
{
    return type.startsWith("text/") || type.startsWith("application/manifest+json") ||
           type.startsWith("application/json") || type.startsWith("image/svg+xml");
}

const PageFileCodings::Answer &PageFileCodings::answer(const QByteArray &key,
                                                       const QByteArray &content,
                                                       const QByteArray &encoding)
{
    const QByteArray cacheKey = encoding + ' ' + key;
    auto found = m_answers.constFind(cacheKey);
    if (found != m_answers.constEnd())
        return *found;
    Answer made;
    made.encoding = encoding;
    if (encoding == "br")
        made.body = brotliCompressed(content, kQuickBrotliQuality);
    else if (encoding == "gzip")
        made.body = gzipped(content);
    // A file that does not shrink goes as it is.
    if (made.body.isEmpty() || made.body.size() >= content.size()) {
        made.body = content;
        made.encoding.clear();
    }
    // The tag names the content and its encoding: each representation its own.
    const QByteArray digest =
        QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex().left(20);
    const QByteArray suffix = made.encoding.isEmpty() ? QByteArray() : '-' + made.encoding;
    made.entityTag = '"' + digest + suffix + '"';
    const Answer &stored = *m_answers.insert(cacheKey, made);
    if (made.encoding == "br") {
        m_bestDue.append({cacheKey, content});
        startNextBestCompression();
    }
    return stored;
}

void PageFileCodings::startNextBestCompression()
{
    if (m_bestDue.isEmpty() || m_offLoop.isBusy())
        return;
    auto [cacheKey, content] = m_bestDue.takeFirst();
    m_offLoop.start([this, cacheKey, content]() -> OffLoopWork::Then {
        const QByteArray best = brotliCompressed(content, BROTLI_MAX_QUALITY);
        return [this, cacheKey, best] {
            // The same content in the same encoding: its entity tag stays.
            const auto found = m_answers.find(cacheKey);
            if (found != m_answers.end() && !best.isEmpty() && best.size() < found->body.size())
                found->body = best;
            startNextBestCompression();
        };
    });
}

QByteArray PageFileCodings::gzipped(const QByteArray &content)
{
    z_stream stream{};
    // 15 window bits plus 16: a gzip header and trailer around the deflate stream.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&stream, uLong(content.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(content.constData()));
    stream.avail_in = uInt(content.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    const uLong written = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        return {};
    out.truncate(qsizetype(written));
    return out;
}

QByteArray PageFileCodings::brotliCompressed(const QByteArray &content, int quality)
{
    size_t size = BrotliEncoderMaxCompressedSize(size_t(content.size()));
    if (size == 0)
        return {};
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (!BrotliEncoderCompress(quality, BROTLI_DEFAULT_WINDOW, BROTLI_MODE_TEXT,
                               size_t(content.size()),
                               reinterpret_cast<const uint8_t *>(content.constData()), &size,
                               reinterpret_cast<uint8_t *>(out.data())))
        return {};
    out.truncate(qsizetype(size));
    return out;
}
