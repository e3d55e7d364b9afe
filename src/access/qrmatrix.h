// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <ZXing/BitMatrix.h>

#include <optional>

// The modules of a text's QR code, with a quiet zone of that many modules
// around them; nothing when the text cannot be encoded. What draws it (a
// terminal, a page's picture) is its own.
std::optional<ZXing::BitMatrix> qrMatrix(const QString &text, int quietZone);
