// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploadedimage.h"

#include <QBuffer>
#include <QImageReader>

namespace {
// "jpeg", "png" or "webp" by the bytes' beginning; empty for anything else.
QByteArray formatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}
} // namespace

std::variant<QImage, UploadedImage::Refused> UploadedImage::decode(const QByteArray &bytes,
                                                                   int maxSide)
{
    if (bytes.size() > kMaxBytes)
        return Refused{QStringLiteral("photoTooLarge")};
    const QByteArray format = formatOf(bytes);
    if (format.isEmpty())
        return Refused{QStringLiteral("notAnImage")};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // Only the format its first bytes name: no guessing by any other decoder.
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    const qint64 maxPixels = format == "png" ? kMaxPngPixels : kMaxPixels;
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels)
        return Refused{QStringLiteral("notAnImage")};
    // A large image is decoded at the size it is wanted at, where its format allows.
    if (size.width() > maxSide || size.height() > maxSide)
        reader.setScaledSize(size.scaled(maxSide, maxSide, Qt::KeepAspectRatio));
    reader.setAutoTransform(true); // a phone's photo stands as it was taken
    QImage image = reader.read();
    if (image.isNull())
        return Refused{QStringLiteral("notAnImage")};
    if (image.width() > maxSide || image.height() > maxSide)
        image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}
