// SPDX-License-Identifier: GPL-3.0-or-later
#include "photocode.h"

#include "uploadedimage.h"

#include <QImage>

#include <ZXing/ReadBarcode.h>

std::variant<PhotoCode::Read, PhotoCode::Refused> PhotoCode::read(const QByteArray &photo)
{
    std::variant<QImage, UploadedImage::Refused> decoded = UploadedImage::decode(photo, kReadSide);
    if (const auto *refused = std::get_if<UploadedImage::Refused>(&decoded))
        return Refused{refused->code};
    const QImage image = std::get<QImage>(decoded).convertToFormat(QImage::Format_Grayscale8);

    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::EAN13 |
                     ZXing::BarcodeFormat::EAN8 | ZXing::BarcodeFormat::Code128);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    const ZXing::Result result =
        ZXing::ReadBarcode(ZXing::ImageView(image.constBits(), image.width(), image.height(),
                                            ZXing::ImageFormat::Lum, int(image.bytesPerLine())),
                           hints);
    if (!result.isValid())
        return Refused{QStringLiteral("noCode")};
    return Read{QString::fromStdWString(result.text())};
}
