// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

// The text of the printed code in a photo a page sent, read the way the
// app's scanner reads a camera frame (QR code, EAN-13, EAN-8, Code 128).
// The photo is checked and decoded as any uploaded image is
// (UploadedImage), at most kReadSide pixels on its longer side.
class PhotoCode {
public:
    static constexpr int kReadSide = 1600;

    struct Read {
        QString text;
    };
    // Why nothing was read, as the code of the page's text for it.
    struct Refused {
        QString code; // "photoTooLarge", "notAnImage" or "noCode"
    };

    static std::variant<Read, Refused> read(const QByteArray &photo);
};
