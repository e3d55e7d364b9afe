// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <variant>

// An image a page sent, hostile until read: only JPEG, PNG or WebP by its
// own first bytes, at most kMaxBytes, at most kMaxPixels (kMaxPngPixels for
// a PNG or a WebP, which are decoded whole) before any pixel is decoded, a
// progressive JPEG's coefficients (held whole while it is decoded) at most
// kMaxWholeDecodeBytes and its scans (each a pass over all of them) at most
// kMaxJpegScans, decoded at most a given number of pixels on its longer side,
// and refused when its decoding has not ended by a deadline, so that neither
// memory nor time grows with what is sent. Safe to run on any thread.
class UploadedImage {
public:
    static constexpr qint64 kMaxBytes = 8 * 1024 * 1024;
    static constexpr qint64 kMaxPixels = 50'000'000; // a 50-megapixel camera's photo
    // A PNG is decoded whole before it is made smaller: fewer pixels, for its memory.
    static constexpr qint64 kMaxPngPixels = 16'000'000;
    // What a PNG at its bound takes decoded: a progressive JPEG's coefficients may take as much.
    static constexpr qint64 kMaxWholeDecodeBytes = kMaxPngPixels * 4;
    // A progressive JPEG's encoder writes ten or so.
    static constexpr int kMaxJpegScans = 64;
    static constexpr int kDeadlineMs = 10000;

    // Why no image was read, as the code of the page's text for it.
    struct Refused {
        QString code; // "photoTooLarge" or "notAnImage"
    };

    // The image, at most maxSide pixels on its longer side, standing as it was taken.
    static std::variant<QImage, Refused> decode(const QByteArray &bytes, int maxSide,
                                                int deadlineMs = kDeadlineMs);
    // The bytes a progressive JPEG's coefficients take while it is decoded,
    // read from its frame header; 0 for a sequential one or none found.
    static qint64 progressiveJpegBytes(const QByteArray &jpeg);
    // The scans of a JPEG, counted by their markers.
    static int jpegScans(const QByteArray &jpeg);
};
