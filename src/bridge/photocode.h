// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

// The text of the printed code in a photo a page sent, read the way the
// app's scanner reads a camera frame (QR code, EAN-13, EAN-8, Code 128).
// The photo is hostile until read: only JPEG, PNG or WebP by their own
// first bytes, at most kMaxBytes, at most kMaxPixels (kMaxPngPixels for a
// PNG) before any pixel is decoded, a progressive JPEG's coefficients (held
// whole while it is decoded) at most kMaxWholeDecodeBytes, and read at most
// kReadSide pixels on its longer side, so that neither memory nor time grows
// with what is sent.
class PhotoCode {
public:
    static constexpr qint64 kMaxBytes = 8 * 1024 * 1024;
    static constexpr qint64 kMaxPixels = 50'000'000; // a 50-megapixel camera's photo
    // A PNG is decoded whole before it is made smaller: fewer pixels, for its memory.
    static constexpr qint64 kMaxPngPixels = 16'000'000;
    static constexpr int kReadSide = 1600;
    // What a PNG at its bound takes decoded: a progressive JPEG's coefficients may take as much.
    static constexpr qint64 kMaxWholeDecodeBytes = kMaxPngPixels * 4;

    struct Read {
        QString text;
    };
    // Why nothing was read, as the code of the page's text for it.
    struct Refused {
        QString code; // "photoTooLarge", "notAnImage" or "noCode"
    };

    static std::variant<Read, Refused> read(const QByteArray &photo);
    // "jpeg", "png" or "webp" by the photo's first bytes; empty for anything else.
    static QByteArray formatOf(const QByteArray &photo);
    // The bytes a progressive JPEG's coefficients take while it is decoded,
    // read from its frame header; 0 for a sequential one or none found.
    static qint64 progressiveJpegBytes(const QByteArray &jpeg);
};
