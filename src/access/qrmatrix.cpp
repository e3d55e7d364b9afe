// SPDX-License-Identifier: GPL-3.0-or-later
#include "qrmatrix.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/MultiFormatWriter.h>

#include <stdexcept>

std::optional<ZXing::BitMatrix> qrMatrix(const QString &text, int quietZone)
{
    try {
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::QRCode);
        writer.setMargin(quietZone);
        return writer.encode(text.toStdWString(), 0, 0);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}
