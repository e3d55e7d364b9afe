// SPDX-License-Identifier: GPL-3.0-or-later
#include "photocode.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <ZXing/ReadBarcode.h>

QByteArray PhotoCode::formatOf(const QByteArray &photo)
{
    if (photo.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (photo.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (photo.size() >= 12 && photo.startsWith("RIFF") && photo.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

std::variant<PhotoCode::Read, PhotoCode::Refused> PhotoCode::read(const QByteArray &photo)
{
    if (photo.size() > kMaxBytes)
        return Refused{QStringLiteral("photoTooLarge")};
    const QByteArray format = formatOf(photo);
    if (format.isEmpty())
        return Refused{QStringLiteral("notAnImage")};
    QBuffer buffer;
    buffer.setData(photo);
    buffer.open(QIODevice::ReadOnly);
    // Only the format its first bytes name: no guessing by any other decoder.
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    const qint64 maxPixels = format == "png" ? kMaxPngPixels : kMaxPixels;
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels)
        return Refused{QStringLiteral("notAnImage")};
    // A large photo is decoded at the size it is read at, where its format allows.
    if (size.width() > kReadSide || size.height() > kReadSide)
        reader.setScaledSize(size.scaled(kReadSide, kReadSide, Qt::KeepAspectRatio));
    reader.setAutoTransform(true); // a phone's photo stands as it was taken
    QImage image = reader.read();
    if (image.isNull())
        return Refused{QStringLiteral("notAnImage")};
    if (image.width() > kReadSide || image.height() > kReadSide)
        image = image.scaled(kReadSide, kReadSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_Grayscale8);

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
