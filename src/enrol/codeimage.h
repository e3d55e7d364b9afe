// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <optional>

// Printed codes as pictures: reading the text of a QR code, EAN-13, EAN-8 or
// Code 128 in a camera frame, and drawing the QR code of a unit's ID.
class CodeImage {
public:
    static std::optional<QString> read(const QImage &frame);
    // Sharp square modules of the given size, with a quiet zone of 2 modules.
    static QImage qrCode(const QString &text, int modulePixels = 5);
    // For tests and labels: the linear codes a unit may carry.
    static QImage ean13(const QString &digits, int height = 120);
    static QImage code128(const QString &text, int height = 120);
};
